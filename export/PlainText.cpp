#include "export/PlainText.h"

#include "export/FormulaText.h"
#include "export/SolutionBands.h"

std::string SolutionAsText(const COutputList& solution, const CommentTexts& texts,
                           const TextOptions& options) {
    std::string out;
    for (const ShownBand& band : ShownBands(solution, texts, options.textComments)) {
        out.append(2 * band.indentLevel, ' ');
        bool first = true;
        for (const ShownBlock& block : band.blocks) {
            if (!first && !block.joinsPrevious) {
                out += ' ';
            }
            first = false;
            if (!block.formula) {
                out += block.text;
            } else if (options.markup) {
                out += FormulaToUtf8(block.text);
            } else {
                out += ReadableFormula(block.text, options.style);
            }
        }
        out += '\n';
    }
    return out;
}
