#include "export/DocumentWriters.h"
#include "export/LatexFormula.h"

#include <cctype>

namespace {

// Comment text as Markdown reads it back: the punctuation that could start emphasis, a link, a tag,
// maths or a table escaped by a backslash, and a line opening like a list or a heading defused.
std::string MarkdownEscapedText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == '`' || c == '*' || c == '_' || c == '[' || c == ']' || c == '<' || c == '>' ||
            c == '#' || c == '|' || c == '$' || c == '~') {
            out += '\\';
        } else if (i == 0 && (c == '-' || c == '+' || c == '=')) {
            out += '\\';
        } else if ((c == '.' || c == ')') && i > 0 && std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
                   text.find_first_not_of("0123456789") == i) {
            out += '\\'; // "1. ..." would open a numbered list
        }
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string MarkdownDocument(const std::vector<ShownBand>& bands, int language) {
    std::string out;
    for (const ShownBand& band : bands) {
        // Nesting is shown as block quotes, one ">" a level.
        for (std::size_t level = 0; level < band.indentLevel; ++level) {
            out += "> ";
        }
        if (band.FormulaOnly()) {
            out += "$$" + LatexFormula(band.blocks.front().text, language) + "$$";
        } else {
            bool first = true;
            for (const ShownBlock& block : band.blocks) {
                out += first ? "" : " ";
                first = false;
                out += block.formula ? '$' + LatexFormula(block.text, language) + '$'
                                     : MarkdownEscapedText(block.text);
            }
        }
        out += "\n\n";
    }
    return out;
}
