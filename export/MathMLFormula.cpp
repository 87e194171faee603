#include "export/MathMLFormula.h"

#include "export/FormulaShape.h"
#include "export/FormulaText.h"
#include "markup/MarkupSyntax.h"
#include "output/LanguageTables.h"

namespace {

std::string Element(std::string_view name, const std::string& content) {
    std::string out;
    out.reserve(content.size() + 2 * name.size() + 5);
    out += '<';
    out += name;
    out += '>';
    out += content;
    out += "</";
    out += name;
    out += '>';
    return out;
}

std::string Operator(std::string_view sign) {
    return Element("mo", std::string(sign));
}

constexpr std::string_view kInvisibleTimes = "&#x2062;";
constexpr std::string_view kFunctionApplication = "&#x2061;";

class MathMLWriter {
public:
    explicit MathMLWriter(int language) : m_language(language) {}

    std::string Write(const SyntaxNode& node) {
        switch (node.kind) {
        case SyntaxKind::Number:
            return Number(node.text);
        case SyntaxKind::Letter:
            return Element("mi", node.text);
        case SyntaxKind::Sum:
            return Sum(node);
        case SyntaxKind::Product:
            return Product(node);
        case SyntaxKind::Fraction:
            return Element("mfrac", Write(node.children[0]) + Write(node.children[1]));
        case SyntaxKind::Power:
            return Element("msup", Operand(node.children[0], PowerBaseNeedsBrackets(node.children[0])) +
                                       Write(node.children[1]));
        case SyntaxKind::Relation:
            return Relation(node);
        case SyntaxKind::Root:
            return node.children.size() > 1
                       ? Element("mroot", Write(node.children[0]) + Write(node.children[1]))
                       : Element("msqrt", Write(node.children[0]));
        case SyntaxKind::CrossedOut:
            return Struck(Write(node.children[0]));
        case SyntaxKind::System:
            return System(node);
        case SyntaxKind::Function:
            return Element("mrow", Element("mi", node.text) + Operator(kFunctionApplication) +
                                       Bracketed(Write(node.children[0])));
        case SyntaxKind::Subscript:
            return Element("msub",
                           Operand(node.children[0], Placed(node.children[0]).kind != SyntaxKind::Letter) +
                               SubscriptText(node.text));
        case SyntaxKind::ConditionReference:
            return Element("mtext", '(' + node.text + ')');
        case SyntaxKind::Labelled:
            return Element("mrow", Write(node.children[0]) + "<mspace width=\"1em\"/>" +
                                       Element("mtext", '(' + node.text + ')'));
        case SyntaxKind::Verbatim:
            return Element("mtext", XmlEscapedText(FormulaToUtf8(node.text)));
        }
        return {};
    }

private:
    static std::string Struck(const std::string& content) {
        return "<menclose notation=\"updiagonalstrike\">" + content + "</menclose>";
    }

    static std::string Bracketed(const std::string& content) {
        return Element("mrow", Operator("(") + content + Operator(")"));
    }

    // The operand in brackets when it needs them; a crossed-out operand is struck with its brackets.
    std::string Operand(const SyntaxNode& node, bool bracketed) {
        if (!bracketed) {
            return Write(node);
        }
        if (node.kind == SyntaxKind::CrossedOut) {
            return Struck(Operand(node.children[0], true));
        }
        return Bracketed(Write(node));
    }

    std::string Number(const std::string& markup) {
        const NumberParts parts = SplitNumber(markup);
        std::string whole = parts.whole;
        if (!parts.decimals.empty()) {
            whole += m_language == kRussianLanguage ? ',' : '.';
            whole += parts.decimals;
        }
        if (parts.denominator.empty()) {
            return Element("mn", whole);
        }
        const std::string fraction =
            Element("mfrac", Element("mn", parts.numerator) + Element("mn", parts.denominator));
        return whole.empty() ? fraction : Element("mrow", Element("mn", whole) + fraction);
    }

    std::string Sum(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const int sign = node.signs[i];
            if (i > 0 || sign != 1) {
                out += Operator(sign < 0 ? "\u2212" : sign == kPlusOrMinus ? "\u00B1" : "+");
            }
            out += Operand(node.children[i], SumTermNeedsBrackets(node.children[i]));
        }
        return Element("mrow", out);
    }

    std::string Product(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const SyntaxNode& factor = node.children[i];
            const bool bracketed = FactorNeedsBrackets(factor);
            if (i > 0) {
                if (node.signs[i] < 0) {
                    out += Operator(":");
                } else if (FactorsJuxtaposed(node.children[i - 1], factor, bracketed)) {
                    out += Operator(kInvisibleTimes);
                } else {
                    out += Operator("\u00B7");
                }
            }
            out += Operand(factor, bracketed);
        }
        return Element("mrow", out);
    }

    std::string Relation(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0) {
                out += Operator(XmlEscapedText(RelationSignText(node.signs[i - 1])));
            }
            out += Operand(node.children[i], RelationSideNeedsBrackets(node.children[i]));
        }
        return Element("mrow", out);
    }

    std::string System(const SyntaxNode& node) {
        std::string rows;
        for (const SyntaxNode& line : node.children) {
            rows += Element("mtr", Element("mtd", Write(line)));
        }
        return Element("mrow", Operator("{") + "<mtable columnalign=\"left\">" + rows + "</mtable>");
    }

    // "1,2" (digits and the subscript comma) as a number, anything else as text.
    static std::string SubscriptText(const std::string& markup) {
        const std::string text = FormulaToUtf8(markup);
        const bool digits = !text.empty() && text.find_first_not_of("0123456789,") == std::string::npos;
        return Element(digits ? "mn" : "mi", XmlEscapedText(text));
    }

    int m_language;
};

} // namespace

std::string XmlEscapedText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // XML 1.0 allows no control characters but tab and the line ends.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') {
                out += c;
            }
        }
    }
    return out;
}

std::string MathMLSyntax(const SyntaxNode& node, int language) {
    return MathMLWriter(language).Write(node);
}

std::string MathMLFormula(std::string_view markup, int language) {
    // Display style: fractions and roots at full size, as the view draws them, also beside text.
    constexpr std::string_view kOpen =
        "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" displaystyle=\"true\">";
    const std::optional<SyntaxNode> tree = ReadMarkupSyntax(markup);
    if (!tree) {
        return std::string(kOpen) + Element("mtext", XmlEscapedText(FormulaToUtf8(markup))) + "</math>";
    }
    const bool leadingEqual = !markup.empty() && markup.front() == '=';
    const bool trailingEqual = markup.size() > 1 && markup.back() == '=';
    std::string content = MathMLSyntax(*tree, language);
    if (leadingEqual || trailingEqual) {
        content = Element("mrow", (leadingEqual ? Operator("=") : "") + content +
                                      (trailingEqual ? Operator("=") : ""));
    }
    return std::string(kOpen) + content + "</math>";
}
