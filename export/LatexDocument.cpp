#include "export/DocumentWriters.h"
#include "export/LatexFormula.h"
#include "output/LanguageTables.h"

namespace {

// The preamble: the article class, Cyrillic in T2A with UTF-8 input under Russian, amsmath for the
// systems and cancel for the crossed-out parts.
std::string Preamble(int language) {
    std::string out = "\\documentclass{article}\n";
    if (language == kRussianLanguage) {
        out += "\\usepackage[T2A]{fontenc}\n";
    }
    out += "\\usepackage[utf8]{inputenc}\n";
    out += language == kRussianLanguage ? "\\usepackage[russian]{babel}\n" : "\\usepackage[english]{babel}\n";
    out += "\\usepackage{amsmath}\n"
           "\\usepackage{cancel}\n"
           "\\setlength{\\parindent}{0pt}\n"
           "\\setlength{\\parskip}{0.6ex}\n"
           "\\begin{document}\n\n";
    return out;
}

// One indent level of a band, as the view's indent of 25 units at its font height of 26.
constexpr double kIndentEm = 1.5;

void AppendBand(std::string& out, const ShownBand& band, int language) {
    const bool indented = band.indentLevel > 0;
    if (indented) {
        out +=
            "{\\setlength{\\leftskip}{" + std::to_string(static_cast<double>(band.indentLevel) * kIndentEm);
        // std::to_string writes six decimals; "3.000000em" is valid but noisy.
        while (out.back() == '0') {
            out.pop_back();
        }
        if (out.back() == '.') {
            out.pop_back();
        }
        out += "em}";
    }
    out += "\\noindent ";
    bool first = true;
    for (const ShownBlock& block : band.blocks) {
        out += first ? "" : " ";
        first = false;
        out += block.formula ? "$\\displaystyle " + LatexFormula(block.text, language) + '$'
                             : LatexEscapedText(block.text);
    }
    out += indented ? "\\par}\n" : "\\par\n";
    // The answer is set off from the steps, as its band is on screen.
    if (band.part == BandPart::Problem) {
        out += "\\medskip\n";
    }
}

} // namespace

std::string LatexDocument(const std::vector<ShownBand>& bands, int language, bool fragment) {
    std::string out = fragment ? "" : Preamble(language);
    BandPart previous = BandPart::Problem;
    for (const ShownBand& band : bands) {
        if (band.part == BandPart::Answer && previous != BandPart::Answer) {
            out += "\\medskip\n";
        }
        previous = band.part;
        AppendBand(out, band, language);
    }
    if (!fragment) {
        out += "\n\\end{document}\n";
    }
    return out;
}
