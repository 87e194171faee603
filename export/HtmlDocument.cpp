#include "export/DocumentWriters.h"
#include "export/MathMLFormula.h"
#include "export/ReadableFormula.h"
#include "output/LanguageTables.h"

#include <cstdio>

namespace {

// The style of the solution, scoped to its <div>. Browsers that draw MathML Core leave <menclose>
// undrawn, so the strike of a crossed-out part is painted as a diagonal line across its box.
constexpr std::string_view kStyle =
    ".orbelin-solution{font-family:\"DejaVu Serif\",\"Liberation Serif\",\"Times New Roman\",serif;"
    "font-size:20px;color:#000;background:#fff}\n"
    ".orbelin-solution .band{padding:0.25em 0.6em;line-height:1.7}\n"
    ".orbelin-solution math{font-size:1.1em}\n"
    ".orbelin-solution menclose[notation=\"updiagonalstrike\"]{background:linear-gradient(to top right,"
    "transparent calc(50% - 0.06em),currentColor calc(50% - 0.06em),currentColor calc(50% + 0.06em),"
    "transparent calc(50% + 0.06em))}\n";

const char* PartClass(BandPart part) {
    switch (part) {
    case BandPart::Problem:
        return "problem";
    case BandPart::Steps:
        return "step";
    case BandPart::Answer:
        return "answer";
    }
    return "step";
}

std::string HexColor(const BandRgb& rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red & 0xFF, rgb.green & 0xFF, rgb.blue & 0xFF);
    return text;
}

// A band: its background as on screen, its text indented one step a nesting level.
void AppendBand(std::string& out, const ShownBand& band, int language) {
    out += "<div class=\"band ";
    out += PartClass(band.part);
    if (IsDomainOrCheckStage(band.blockKind)) {
        out += " stage";
    }
    out += "\" style=\"background-color:" + HexColor(band.background) +
           ";padding-left:" + std::to_string(0.6 + static_cast<double>(band.indentLevel)).substr(0, 5) +
           "em\">";
    bool first = true;
    for (const ShownBlock& block : band.blocks) {
        out += first ? "" : " ";
        first = false;
        if (block.formula) {
            out += MathMLFormula(block.text, language);
        } else {
            out += "<span class=\"comment\">" + XmlEscapedText(block.text) + "</span>";
        }
    }
    out += "</div>\n";
}

std::string SolutionDiv(const std::vector<ShownBand>& bands, int language, bool withStyle) {
    std::string out = "<div class=\"orbelin-solution\">\n";
    if (withStyle) {
        out += "<style>\n" + std::string(kStyle) + "</style>\n";
    }
    for (const ShownBand& band : bands) {
        AppendBand(out, band, language);
    }
    out += "</div>\n";
    return out;
}

// The page title: the problem as readable text.
std::string Title(const std::vector<ShownBand>& bands, int language) {
    ReadableStyle style;
    style.decimalSeparator = language == kRussianLanguage ? ',' : '.';
    for (const ShownBand& band : bands) {
        for (const ShownBlock& block : band.blocks) {
            if (block.formula) {
                return XmlEscapedText(ReadableFormula(block.text, style));
            }
        }
    }
    return "Orbelin";
}

} // namespace

std::string HtmlDocument(const std::vector<ShownBand>& bands, int language, bool fragment) {
    if (fragment) {
        return SolutionDiv(bands, language, true);
    }
    std::string out = "<!DOCTYPE html>\n<html lang=\"";
    out += language == kRussianLanguage ? "ru" : "en";
    out += "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + Title(bands, language) + "</title>\n<style>\n";
    out += "body{margin:0;background:#fff}\n";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n";
    out += SolutionDiv(bands, language, false);
    out += "</body>\n</html>\n";
    return out;
}
