#include "export/LatexFormula.h"

#include "export/FormulaShape.h"
#include "export/FormulaText.h"
#include "markup/MarkupSyntax.h"
#include "output/LanguageTables.h"

namespace {

std::string Braced(const std::string& text) {
    return '{' + text + '}';
}

class LatexWriter {
public:
    explicit LatexWriter(int language) : m_language(language) {}

    std::string Write(const SyntaxNode& node) {
        switch (node.kind) {
        case SyntaxKind::Number:
            return Number(node.text);
        case SyntaxKind::Letter:
            return node.text;
        case SyntaxKind::Sum:
            return Sum(node);
        case SyntaxKind::Product:
            return Product(node);
        case SyntaxKind::Fraction:
            return "\\frac" + Braced(Write(node.children[0])) + Braced(Write(node.children[1]));
        case SyntaxKind::Power:
            return Operand(node.children[0], PowerBaseNeedsBrackets(node.children[0])) + '^' +
                   Braced(Write(node.children[1]));
        case SyntaxKind::Relation:
            return Relation(node);
        case SyntaxKind::Root:
            return Root(node);
        case SyntaxKind::CrossedOut:
            return "\\cancel" + Braced(Write(node.children[0]));
        case SyntaxKind::System:
            return System(node);
        case SyntaxKind::Function:
            return "\\operatorname" + Braced(node.text) + "\\left(" + Write(node.children[0]) + "\\right)";
        case SyntaxKind::Subscript:
            return Operand(node.children[0], Placed(node.children[0]).kind != SyntaxKind::Letter) + "_" +
                   Braced(Subscript(node.text));
        case SyntaxKind::ConditionReference:
            return '(' + node.text + ')';
        case SyntaxKind::Labelled:
            return Write(node.children[0]) + "\\quad (" + node.text + ')';
        case SyntaxKind::Verbatim:
            return "\\text" + Braced(LatexEscapedText(FormulaToUtf8(node.text)));
        }
        return {};
    }

private:
    // The operand in brackets when it needs them; a crossed-out operand is struck with its brackets.
    std::string Operand(const SyntaxNode& node, bool bracketed) {
        if (!bracketed) {
            return Write(node);
        }
        if (node.kind == SyntaxKind::CrossedOut) {
            return "\\cancel" + Braced(Operand(node.children[0], true));
        }
        return "\\left(" + Write(node) + "\\right)";
    }

    std::string Number(const std::string& markup) {
        const NumberParts parts = SplitNumber(markup);
        std::string out = parts.whole;
        if (!parts.decimals.empty()) {
            out += m_language == kRussianLanguage ? "{,}" : ".";
            out += parts.decimals;
        }
        if (!parts.denominator.empty()) {
            out += "\\frac" + Braced(parts.numerator) + Braced(parts.denominator);
        }
        return out;
    }

    std::string Sum(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const int sign = node.signs[i];
            const char* joint = sign < 0 ? "-" : sign == kPlusOrMinus ? "\\pm" : "+";
            if (i > 0) {
                out += ' ';
                out += joint;
                out += ' ';
            } else if (sign != 1) {
                out += joint;
                out += sign == kPlusOrMinus ? " " : "";
            }
            out += Operand(node.children[i], SumTermNeedsBrackets(node.children[i]));
        }
        return out;
    }

    std::string Product(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const SyntaxNode& factor = node.children[i];
            const bool bracketed = FactorNeedsBrackets(factor);
            if (i > 0) {
                if (node.signs[i] < 0) {
                    out += " : ";
                } else if (!FactorsJuxtaposed(node.children[i - 1], factor, bracketed)) {
                    out += " \\cdot ";
                }
            }
            out += Operand(factor, bracketed);
        }
        return out;
    }

    std::string Relation(const SyntaxNode& node) {
        static constexpr const char* kSigns[] = {"=", "\\le", "\\ge", "<", ">", "\\ne", "\\approx"};
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0) {
                const int sign = node.signs[i - 1];
                out += ' ';
                out += kSigns[sign >= 0 && sign < 7 ? sign : 0];
                out += ' ';
            }
            out += Operand(node.children[i], RelationSideNeedsBrackets(node.children[i]));
        }
        return out;
    }

    std::string Root(const SyntaxNode& node) {
        std::string out = "\\sqrt";
        if (node.children.size() > 1) {
            out += '[' + Write(node.children[1]) + ']';
        }
        return out + Braced(Write(node.children[0]));
    }

    std::string System(const SyntaxNode& node) {
        std::string out = "\\begin{cases}";
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            out += i > 0 ? " \\\\ " : " ";
            out += Write(node.children[i]);
        }
        return out + " \\end{cases}";
    }

    // "1,2" and the subscript comma byte as "1,2"; anything else as text.
    static std::string Subscript(const std::string& markup) {
        const std::string text = FormulaToUtf8(markup);
        for (const char c : text) {
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ',')) {
                return "\\text" + Braced(LatexEscapedText(text));
            }
        }
        return text;
    }

    int m_language;
};

} // namespace

std::string LatexEscapedText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\textbackslash{}";
            break;
        case '#':
        case '$':
        case '%':
        case '&':
        case '_':
        case '{':
        case '}':
            out += '\\';
            out += c;
            break;
        case '~':
            out += "\\textasciitilde{}";
            break;
        case '^':
            out += "\\textasciicircum{}";
            break;
        default:
            // Control characters have no place in a document.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
                out += c;
            }
        }
    }
    return out;
}

std::string LatexSyntax(const SyntaxNode& node, int language) {
    return LatexWriter(language).Write(node);
}

std::string LatexFormula(std::string_view markup, int language) {
    const std::optional<SyntaxNode> tree = ReadMarkupSyntax(markup);
    if (!tree) {
        return "\\text{" + LatexEscapedText(FormulaToUtf8(markup)) + '}';
    }
    const bool leadingEqual = !markup.empty() && markup.front() == '=';
    const bool trailingEqual = markup.size() > 1 && markup.back() == '=';
    return (leadingEqual ? "= " : "") + LatexSyntax(*tree, language) + (trailingEqual ? " =" : "");
}
