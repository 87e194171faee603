#include "markup/EditorFormWriter.h"

namespace {

class CEditorFormWriter {
public:
    bool Write(const SyntaxNode& node) {
        switch (node.kind) {
        case SyntaxKind::Number:
            return WriteNumber(node.text);
        case SyntaxKind::Letter:
            Token(node.text);
            return true;
        case SyntaxKind::Sum:
            return WriteSum(node);
        case SyntaxKind::Product:
            return WriteProduct(node);
        case SyntaxKind::Fraction:
            return WriteTemplate(node.children[0], "}/{", node.children[1], false);
        case SyntaxKind::Power:
            return WriteTemplate(node.children[0], "}^{", node.children[1], true);
        case SyntaxKind::Relation:
            return WriteRelation(node);
        default:
            return false;
        }
    }

    std::string Text() && { return std::move(m_text); }

private:
    void Token(std::string_view token) {
        m_text += ' ';
        m_text += token;
    }

    // Digits one token each; a fraction literal "3/4" as the fraction template, a mixed number
    // "2@{1/3}" as its whole part before the template.
    bool WriteNumber(const std::string& text) {
        const std::size_t slash = text.find('/');
        if (slash == std::string::npos) {
            WriteDigits(text);
            return true;
        }
        std::string numerator = text.substr(0, slash);
        std::string denominator = text.substr(slash + 1);
        if (const std::size_t at = numerator.find('@'); at != std::string::npos) {
            WriteDigits(numerator.substr(0, at));
            numerator.erase(0, at + 1);
        }
        std::erase(numerator, '{');
        std::erase(denominator, '}');
        m_text += " {{";
        WriteDigits(numerator);
        m_text += "}/{";
        WriteDigits(denominator);
        m_text += "}}";
        return true;
    }

    void WriteDigits(const std::string& digits) {
        for (const char digit : digits) {
            Token(std::string_view(&digit, 1));
        }
    }

    bool WriteBracketed(const SyntaxNode& node) {
        m_text += " (";
        const bool written = Write(node);
        m_text += ')';
        return written;
    }

    bool WriteSum(const SyntaxNode& sum) {
        for (std::size_t i = 0; i < sum.children.size(); ++i) {
            if (sum.signs[i] < 0) {
                Token("-");
            } else if (sum.signs[i] != 1) {
                return false;
            } else if (i > 0) {
                Token("+");
            }
            const SyntaxNode& term = sum.children[i];
            // A sum inside a sum, or a term after a sign that starts with a sign, keeps its brackets.
            const bool bracketed = term.kind == SyntaxKind::Sum;
            if (!(bracketed ? WriteBracketed(term) : Write(term))) {
                return false;
            }
        }
        return true;
    }

    // A factor that starts with a letter or a bracket stands right after the one before it, as typed
    // ("2 x", "( x - 1) ( x + 1)"); any other gets "*", so that numbers do not run into one another or
    // into a mixed number; ":" before a divisor. Sums and products inside a product are bracketed.
    bool WriteProduct(const SyntaxNode& product) {
        for (std::size_t i = 0; i < product.children.size(); ++i) {
            const SyntaxNode& factor = product.children[i];
            if (product.signs[i] < 0) {
                Token(":");
            } else if (i > 0 && !StartsWithLetterOrBracket(factor)) {
                Token("*");
            }
            const bool bracketed = factor.kind == SyntaxKind::Sum || factor.kind == SyntaxKind::Product;
            if (!(bracketed ? WriteBracketed(factor) : Write(factor))) {
                return false;
            }
        }
        return true;
    }

    static bool StartsWithLetterOrBracket(const SyntaxNode& node) {
        switch (node.kind) {
        case SyntaxKind::Letter:
        case SyntaxKind::Sum:
        case SyntaxKind::Product:
            return true;
        case SyntaxKind::Power:
            return !IsPlainNumber(node.children[0]);
        default:
            return false;
        }
    }

    // A template's slots group their content; a power's base is bracketed unless it is a letter or a
    // whole or decimal number.
    bool WriteTemplate(const SyntaxNode& first, std::string_view middle, const SyntaxNode& second,
                       bool power) {
        m_text += " {{";
        const bool bareBase = first.kind == SyntaxKind::Letter || IsPlainNumber(first);
        if (!(power && !bareBase ? WriteBracketed(first) : Write(first))) {
            return false;
        }
        m_text += middle;
        if (!Write(second)) {
            return false;
        }
        m_text += "}}";
        return true;
    }

    bool WriteRelation(const SyntaxNode& relation) {
        for (std::size_t i = 0; i < relation.children.size(); ++i) {
            if (i > 0) {
                if (relation.signs[i - 1] != kEqual) {
                    return false;
                }
                Token("=");
            }
            if (!Write(relation.children[i])) {
                return false;
            }
        }
        return true;
    }

    std::string m_text;
};

} // namespace

std::optional<std::string> WriteEditorForm(const SyntaxNode& node) {
    CEditorFormWriter writer;
    if (!writer.Write(node)) {
        return std::nullopt;
    }
    return std::move(writer).Text();
}
