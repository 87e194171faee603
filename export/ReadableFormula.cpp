#include "export/ReadableFormula.h"

#include "export/FormulaText.h"
#include "markup/LinearNotation.h"
#include "markup/MarkupSyntax.h"
#include "output/MarkupBytes.h"
#include "output/Windows1251.h"

#include <array>

namespace {

constexpr std::string_view kMinus = "\u2212";
constexpr std::string_view kDot = "\u00B7";
constexpr std::array<char32_t, 10> kSuperscriptDigits = {U'\u2070', U'\u00B9', U'\u00B2', U'\u00B3',
                                                         U'\u2074', U'\u2075', U'\u2076', U'\u2077',
                                                         U'\u2078', U'\u2079'};

// A crossed-out operand is placed like the operand itself.
const SyntaxNode& Placed(const SyntaxNode& node) {
    return node.kind == SyntaxKind::CrossedOut ? Placed(node.children[0]) : node;
}

// "-2" as a factor: a sum of one number taken with a minus.
bool IsNegativeNumber(const SyntaxNode& node) {
    return node.kind == SyntaxKind::Sum && node.children.size() == 1 && node.signs[0] < 0 &&
           Placed(node.children[0]).kind == SyntaxKind::Number;
}

bool IsPlainInteger(const SyntaxNode& node) {
    return node.kind == SyntaxKind::Number && node.text.find_first_not_of("0123456789") == std::string::npos;
}

// An integer exponent, or the negative of one, is written in superscript digits.
bool IsSuperscriptExponent(const SyntaxNode& exponent) {
    return IsPlainInteger(exponent) || (exponent.kind == SyntaxKind::Sum && exponent.children.size() == 1 &&
                                        exponent.signs[0] < 0 && IsPlainInteger(exponent.children[0]));
}

bool IsKind(const SyntaxNode& node, std::initializer_list<SyntaxKind> kinds) {
    for (const SyntaxKind kind : kinds) {
        if (Placed(node).kind == kind) {
            return true;
        }
    }
    return false;
}

std::string Superscript(std::string_view digits) {
    std::string out;
    for (const char digit : digits) {
        AppendUtf8(out, kSuperscriptDigits[digit - '0']);
    }
    return out;
}

// Digits and commas as subscript characters ("1,2" -> "₁,₂"); anything else keeps a "_" before it.
std::string Subscript(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            AppendUtf8(out, U'\u2080' + (c - '0'));
        } else if (c == ',' || MarkupBytes::IsByte(c, MarkupBytes::kSubscriptComma)) {
            out += ',';
        } else {
            std::string written = "_";
            written += FormulaToUtf8(text);
            return written;
        }
    }
    return out;
}

bool StartsWithLetter(std::string_view text) {
    return !text.empty() && ((text[0] >= 'a' && text[0] <= 'z') || (text[0] >= 'A' && text[0] <= 'Z'));
}

std::string TrailingLetters(std::string_view text) {
    std::size_t start = text.size();
    while (start > 0 && StartsWithLetter(text.substr(start - 1))) {
        --start;
    }
    return std::string(text.substr(start));
}

std::string LeadingLetters(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && StartsWithLetter(text.substr(end))) {
        ++end;
    }
    return std::string(text.substr(0, end));
}

class ReadableWriter {
public:
    explicit ReadableWriter(const ReadableStyle& style) : m_style(style) {}

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
            return Fraction(node);
        case SyntaxKind::Power:
            return Power(node);
        case SyntaxKind::Relation:
            return Relation(node);
        case SyntaxKind::Root:
            return Root(node);
        case SyntaxKind::CrossedOut:
            return Struck(Write(node.children[0]));
        case SyntaxKind::System:
            return System(node);
        case SyntaxKind::Function:
            return node.text + '(' + Write(node.children[0]) + ')';
        case SyntaxKind::Subscript:
            return Operand(node.children[0], !IsKind(node.children[0], {SyntaxKind::Letter})) +
                   Subscript(node.text);
        case SyntaxKind::ConditionReference:
            return '(' + node.text + ')';
        case SyntaxKind::Labelled:
            return Write(node.children[0]) + " (" + node.text + ')';
        case SyntaxKind::Verbatim:
            return FormulaToUtf8(node.text);
        }
        return {};
    }

private:
    // The operand in brackets when it needs them; a crossed-out operand is struck with its
    // brackets.
    std::string Operand(const SyntaxNode& node, bool bracketed) {
        if (!bracketed) {
            return Write(node);
        }
        if (node.kind == SyntaxKind::CrossedOut) {
            return Struck(Operand(node.children[0], true));
        }
        return '(' + Write(node) + ')';
    }

    std::string Number(const std::string& markup) {
        std::string text = markup;
        const std::size_t comma = text.find(',');
        if (comma != std::string::npos) {
            text[comma] = m_style.decimalSeparator;
        }
        const std::size_t at = text.find('@');
        if (at != std::string::npos) {
            // "2@{1/3}" -> "2 1/3"
            std::string fraction = text.substr(at + 1);
            if (!fraction.empty() && fraction.front() == '{') {
                fraction = fraction.substr(1, fraction.size() - 2);
            }
            text = text.substr(0, at) + ' ' + fraction;
        }
        return text;
    }

    std::string Sum(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const int sign = node.signs[i];
            const std::string_view joint = sign < 0               ? kMinus
                                           : sign == kPlusOrMinus ? std::string_view("\u00B1")
                                                                  : std::string_view("+");
            if (i > 0) {
                out += ' ';
                out += joint;
                out += ' ';
            } else if (sign != 1) {
                out += joint;
            }
            out += Operand(node.children[i], IsKind(node.children[i], {SyntaxKind::Sum, SyntaxKind::Relation,
                                                                       SyntaxKind::Labelled}));
        }
        return out;
    }

    // A factor that would be read together with what stands before it gets brackets: sums, nested
    // products, and a fraction (or a fraction literal) anywhere but first, as a·b/c reads (a·b)/c.
    bool FactorNeedsBrackets(const SyntaxNode& factor, bool first) {
        const SyntaxNode& placed = Placed(factor);
        if (IsKind(placed,
                   {SyntaxKind::Sum, SyntaxKind::Product, SyntaxKind::Relation, SyntaxKind::Labelled})) {
            return true;
        }
        return !first && (placed.kind == SyntaxKind::Fraction ||
                          (placed.kind == SyntaxKind::Number && !IsPlainNumber(placed)));
    }

    // Juxtaposition where it reads unambiguously (2x, ab, 2(x + 1), (a − b)(a + b), x²y), otherwise
    // the dot.
    bool Juxtaposed(const SyntaxNode& left, const std::string& written, const SyntaxNode& right,
                    const std::string& rightText) {
        if (left.kind == SyntaxKind::CrossedOut || right.kind == SyntaxKind::CrossedOut ||
            IsKind(left, {SyntaxKind::Fraction, SyntaxKind::ConditionReference, SyntaxKind::Verbatim,
                          SyntaxKind::Subscript}) ||
            (left.kind == SyntaxKind::Number && !IsPlainNumber(left))) {
            return false;
        }
        if (left.kind == SyntaxKind::Power && !IsSuperscriptExponent(left.children[1])) {
            return false;
        }
        // A number beside a bracketed negative number keeps the dot: 4·1·(−2), not 4·1(−2), which
        // reads like 41 times −2.
        if (left.kind == SyntaxKind::Number && IsNegativeNumber(Placed(right))) {
            return false;
        }
        if (StartsWithLetter(rightText)) {
            return !StartsWithLetter(written.substr(written.size() - 1)) ||
                   !HoldsFunctionName(TrailingLetters(written) + LeadingLetters(rightText));
        }
        return rightText.front() == '(' || rightText.rfind("\u221A", 0) == 0;
    }

    std::string Product(const SyntaxNode& node) {
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const SyntaxNode& factor = node.children[i];
            const bool divisor = node.signs[i] < 0;
            const std::string text = Operand(factor, FactorNeedsBrackets(factor, i == 0) ||
                                                         (divisor && IsKind(factor, {SyntaxKind::Fraction})));
            if (i > 0) {
                if (divisor) {
                    out += " : ";
                } else if (!Juxtaposed(node.children[i - 1], out, factor, text)) {
                    out += kDot;
                }
            }
            out += text;
        }
        return out;
    }

    std::string Fraction(const SyntaxNode& node) {
        const SyntaxNode& numerator = node.children[0];
        const SyntaxNode& denominator = node.children[1];
        const bool numeratorBracketed =
            IsKind(numerator, {SyntaxKind::Sum, SyntaxKind::Relation, SyntaxKind::Labelled}) ||
            (Placed(numerator).kind == SyntaxKind::Number &&
             Placed(numerator).text.find('@') != std::string::npos);
        const SyntaxNode& placed = Placed(denominator);
        const bool denominatorBracketed =
            !(placed.kind == SyntaxKind::Letter || IsPlainNumber(placed) ||
              IsKind(placed, {SyntaxKind::Power, SyntaxKind::Root, SyntaxKind::Function, SyntaxKind::Verbatim,
                              SyntaxKind::Subscript}));
        return Operand(numerator, numeratorBracketed) + '/' + Operand(denominator, denominatorBracketed);
    }

    std::string Power(const SyntaxNode& node) {
        const SyntaxNode& base = node.children[0];
        const SyntaxNode& placed = Placed(base);
        const bool baseBracketed =
            !(placed.kind == SyntaxKind::Letter || IsPlainNumber(placed) ||
              placed.kind == SyntaxKind::Subscript || placed.kind == SyntaxKind::Verbatim);
        return Operand(base, baseBracketed) + Exponent(node.children[1]);
    }

    // x², x⁻¹, x^n, x^(n + 1)
    std::string Exponent(const SyntaxNode& exponent) {
        if (IsPlainInteger(exponent)) {
            return Superscript(exponent.text);
        }
        if (IsSuperscriptExponent(exponent)) {
            return "\u207B" + Superscript(exponent.children[0].text);
        }
        const SyntaxNode& placed = Placed(exponent);
        return '^' + Operand(exponent, !(placed.kind == SyntaxKind::Letter || IsPlainNumber(placed)));
    }

    std::string Relation(const SyntaxNode& node) {
        static constexpr std::string_view kSigns[] = {"=", "\u2264", "\u2265", "<", ">", "\u2260", "\u2248"};
        std::string out;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0) {
                const int sign = node.signs[i - 1];
                out += ' ';
                out += kSigns[sign >= 0 && sign < 7 ? sign : 0];
                out += ' ';
            }
            out += Operand(node.children[i], IsKind(node.children[i], {SyntaxKind::Relation}));
        }
        return out;
    }

    std::string Root(const SyntaxNode& node) {
        std::string out;
        if (node.children.size() > 1) {
            const SyntaxNode& index = node.children[1];
            out += IsPlainInteger(index) ? Superscript(index.text) : '(' + Write(index) + ')';
        }
        const SyntaxNode& placed = Placed(node.children[0]);
        out += "\u221A";
        out += Operand(node.children[0], !(placed.kind == SyntaxKind::Letter || IsPlainNumber(placed)));
        return out;
    }

    std::string System(const SyntaxNode& node) {
        std::string out = "{";
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            out += i > 0 ? "; " : "";
            out += Write(node.children[i]);
        }
        return out + '}';
    }

    std::string Struck(const std::string& text) {
        if (m_style.strike == ReadableStyle::Strike::Terminal) {
            return "\x1b[2;9m" + text + "\x1b[22;29m";
        }
        // A combining long stroke overlay after every character (after the last byte of each).
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            out += text[i];
            const bool lastByte =
                i + 1 == text.size() || (static_cast<unsigned char>(text[i + 1]) & 0xC0) != 0x80;
            if (lastByte && text[i] != ' ') {
                out += "\u0336";
            }
        }
        return out;
    }

    const ReadableStyle& m_style;
};

} // namespace

std::string ReadableSyntax(const SyntaxNode& node, const ReadableStyle& style) {
    return ReadableWriter(style).Write(node);
}

std::string ReadableFormula(std::string_view markup, const ReadableStyle& style) {
    const std::optional<SyntaxNode> tree = ReadMarkupSyntax(markup);
    if (!tree) {
        return FormulaToUtf8(markup);
    }
    const bool leadingEqual = !markup.empty() && markup.front() == '=';
    const bool trailingEqual = markup.size() > 1 && markup.back() == '=';
    return (leadingEqual ? "= " : "") + ReadableSyntax(*tree, style) + (trailingEqual ? " =" : "");
}
