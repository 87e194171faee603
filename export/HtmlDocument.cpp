#include "export/DocumentWriters.h"
#include "export/MathMLFormula.h"
#include "export/ReadableFormula.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"

#include <algorithm>
#include <cstdio>

namespace {

// The nesting levels that get a colour of their own; deeper bands look like the deepest.
constexpr std::size_t kStyledLevels = 14;

std::size_t StyledLevel(std::size_t indentLevel) {
    return std::min(indentLevel, kStyledLevels - 1);
}

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

// A band: its place, nesting level and stage as classes, which the style sheet colours and indents as
// on screen. No style attribute: a page with a strict content security policy shows it the same.
void AppendBand(std::string& out, const ShownBand& band, int language) {
    out += "<div class=\"band ";
    out += PartClass(band.part);
    out += " level-" + std::to_string(StyledLevel(band.indentLevel));
    if (IsDomainOrCheckStage(band.blockKind)) {
        out += " stage";
    }
    if (band.firstOrLast) {
        out += " end";
    }
    out += "\">";
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

std::string SolutionDiv(const std::vector<ShownBand>& bands, int language) {
    std::string out = "<div class=\"orbelin-solution\">\n";
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

std::string SolutionStyleSheet() {
    // Browsers that draw MathML Core leave <menclose> undrawn, so the strike of a crossed-out part
    // is painted as a diagonal line across its box.
    std::string css =
        ".orbelin-solution{font-family:\"DejaVu Serif\",\"Liberation Serif\",\"Times New Roman\",serif;"
        "font-size:20px;color:#000;background:#fff}\n"
        ".orbelin-solution .band{padding:0.25em 0.6em;line-height:1.7}\n"
        ".orbelin-solution math{font-size:1.1em}\n"
        ".orbelin-solution menclose[notation=\"updiagonalstrike\"]{background:linear-gradient(to top right,"
        "transparent calc(50% - 0.06em),currentColor calc(50% - 0.06em),currentColor calc(50% + 0.06em),"
        "transparent calc(50% + 0.06em))}\n";
    // Each nesting level: its indent (one step of the view's 25 units at font height 26 is about an
    // em) and its grey, then the domain and check stages, then the yellow first and last bands.
    for (std::size_t level = 0; level < kStyledLevels; ++level) {
        const std::string selector = ".orbelin-solution .level-" + std::to_string(level);
        css += selector + "{padding-left:" + std::to_string(level) +
               ".6em;background-color:" + HexColor(BandBackground(level, LineBlockKind::Steps, false)) +
               "}\n";
        css += selector +
               ".stage{background-color:" + HexColor(BandBackground(level, LineBlockKind::Domain, false)) +
               "}\n";
    }
    css += ".orbelin-solution .band.end{background-color:" +
           HexColor(BandBackground(0, LineBlockKind::Steps, true)) + "}\n";
    return css;
}

std::string HtmlDocument(const std::vector<ShownBand>& bands, int language, bool fragment) {
    if (fragment) {
        return SolutionDiv(bands, language);
    }
    std::string out = "<!DOCTYPE html>\n<html lang=\"";
    out += language == kRussianLanguage ? "ru" : "en";
    out += "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + Title(bands, language) + "</title>\n<style>\n";
    out += "body{margin:0;background:#fff}\n";
    out += SolutionStyleSheet();
    out += "</style>\n</head>\n<body>\n";
    out += SolutionDiv(bands, language);
    out += "</body>\n</html>\n";
    return out;
}
