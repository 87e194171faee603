#include "display/SpokenPieces.h"

#include "display/FormulaLayout.h"
#include "display/FormulaPieces.h"
#include "markup/MarkupCharacters.h"

#include <algorithm>

namespace {

// Lines that draw a root sign.
constexpr std::size_t kRootSignLines = 4;

// The markup without the grouping braces around all of it: {{12}} -> 12.
std::string_view WithoutOuterBraces(std::string_view markup) {
    while (markup.size() >= 2 && markup.front() == '{' && markup.back() == '}' &&
           FindSplitPoint(markup).operatorClass == OperatorClass::None &&
           SplitAtSemicolons(markup).size() == 1) {
        const std::string_view inner = markup.substr(1, markup.size() - 2);
        if (CheckBrackets(inner) != LayoutCode::kSuccess) {
            break;
        }
        markup = inner;
    }
    return markup;
}

bool IsNumberText(std::string_view text) {
    return !text.empty() && IsDigit(text.front()) &&
           std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == ','; });
}

bool IsLetterText(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsLetter);
}

// A part of a fraction or an exponent that is read by itself: a number or a run of letters.
bool IsPlain(std::string_view markup) {
    const std::string_view bare = WithoutOuterBraces(markup);
    return IsNumberText(bare) || IsLetterText(bare);
}

class CPieceWalk {
public:
    // Walks markup as LayoutMarkup lays it out; the next symbol of the layout is m_next.
    void Walk(std::string_view markup) {
        if (markup.empty()) {
            return;
        }
        if (const std::size_t tag = ConditionTagStart(markup); tag != std::string_view::npos) {
            Walk(markup.substr(0, tag));
            WalkToken(markup.substr(tag + 1));
            return;
        }
        const SplitPoint split = FindSplitPoint(markup);
        if (split.operatorClass != OperatorClass::None) {
            WalkOperator(markup, split);
            return;
        }
        switch (markup.front()) {
        case '!':
            WalkCommand(markup);
            return;
        case '(':
        case '[':
            WalkBracketed(markup.substr(1, markup.size() - 2), markup.front());
            return;
        case '{':
            WalkBraced(markup.substr(1, markup.size() - 2));
            return;
        default:
            WalkToken(markup);
        }
    }

    std::vector<MyGolos>& Pieces() { return m_pieces; }
    std::size_t SymbolsWalked() const { return m_next; }

private:
    std::size_t Add(PieceKind kind, std::string_view text, std::size_t symbols) {
        MyGolos piece;
        piece.kind = kind;
        piece.text = std::string(text);
        piece.first = m_next;
        piece.last = m_next + symbols;
        m_next += symbols;
        m_pieces.push_back(std::move(piece));
        return m_pieces.size() - 1;
    }

    // A piece whose symbols the layout puts later: its range is set when they are reached.
    void CoverLater(std::size_t piece, std::size_t symbols) {
        m_pieces[piece].first = m_next;
        m_pieces[piece].last = m_next + symbols;
        m_next += symbols;
    }

    void WalkOperator(std::string_view markup, const SplitPoint& split) {
        const std::string_view left = markup.substr(0, split.position);
        const std::string_view right = markup.substr(split.position + 1);
        switch (split.operatorClass) {
        case OperatorClass::Fraction:
            WalkFraction(left, right);
            return;
        case OperatorClass::Superscript:
            WalkPower(left, right);
            return;
        case OperatorClass::Subscript:
            Walk(left);
            Walk(right);
            return;
        case OperatorClass::Relation:
        case OperatorClass::Sum:
        case OperatorClass::AtSign:
            WalkChain(CutChain(markup, split.operatorClass));
            return;
        case OperatorClass::None:
            // Walk hands over only markup with a top-level operator.
            return;
        }
    }

    // Layout order: numerator, the bar, denominator.
    void WalkFraction(std::string_view numerator, std::string_view denominator) {
        if (IsPlain(numerator) && IsPlain(denominator)) {
            const std::size_t piece = Add(PieceKind::Quantity, WithoutOuterBraces(numerator), 0);
            m_pieces[piece].text2 = std::string(WithoutOuterBraces(denominator));
            const std::size_t first = m_next;
            Walk(numerator);
            ++m_next;
            Walk(denominator);
            m_pieces.resize(piece + 1);
            m_pieces[piece].first = first;
            m_pieces[piece].last = m_next;
            return;
        }
        const std::size_t fraction = Add(PieceKind::Fraction, {}, 0);
        Add(PieceKind::Numerator, {}, 0);
        Walk(numerator);
        CoverLater(fraction, 1);
        Add(PieceKind::Denominator, {}, 0);
        Walk(denominator);
    }

    void WalkPower(std::string_view base, std::string_view exponent) {
        Walk(base);
        if (IsPlain(exponent)) {
            const std::string_view bare = WithoutOuterBraces(exponent);
            Add(PieceKind::Power, bare, bare.size());
            return;
        }
        Add(PieceKind::Power, {}, 0);
        Walk(exponent);
    }

    void WalkChain(const OperatorChain& chain) {
        for (std::size_t i = 0; i < chain.pieces.size(); ++i) {
            const bool wholePart = i < chain.operators.size() && chain.operators[i] == '@';
            const std::string_view bare = WithoutOuterBraces(chain.pieces[i]);
            if (wholePart && IsNumberText(bare) && bare.find(',') == std::string_view::npos) {
                Add(PieceKind::WholePart, bare, bare.size());
            } else {
                Walk(chain.pieces[i]);
            }
            if (i < chain.operators.size() && chain.operators[i] != '.' && chain.operators[i] != '@') {
                Add(PieceKind::Sign, std::string(1, static_cast<char>(chain.operators[i])), 1);
            }
        }
    }

    // Layout order: the opening bracket, the content, the closing bracket.
    void WalkBracketed(std::string_view inner, char open) {
        Add(PieceKind::OpeningBracket, std::string(1, open), 1);
        Walk(inner);
        Add(PieceKind::ClosingBracket, {}, 1);
    }

    void WalkBraced(std::string_view inner) {
        if (IsNumberText(inner)) {
            Add(PieceKind::BracedNumber, inner, inner.size());
            return;
        }
        Walk(inner);
    }

    void WalkCommand(std::string_view markup) {
        CommandParts parts;
        std::string_view first;
        std::string_view second;
        if (SplitCommand(markup, parts) != LayoutCode::kSuccess) {
            return;
        }
        if (parts.name == "brssil" && SplitPair(parts.inner, first, second)) {
            WalkBracketed(second, first == "1" ? '[' : first == "2" ? '{' : '(');
        } else if (parts.name == "sq2") {
            Add(PieceKind::SquareRoot, {}, kRootSignLines);
            Walk(parts.inner);
        } else if (parts.name == "sqn" && SplitPair(parts.inner, first, second)) {
            Add(PieceKind::Root, {}, kRootSignLines);
            Walk(first);
            Add(PieceKind::Of, {}, 0);
            Walk(second);
        } else if (parts.name == "sys") {
            Add(PieceKind::Silent, {}, 1);
            for (const std::string_view line : SplitAtSemicolons(parts.inner)) {
                Walk(line);
            }
        } else if (parts.name == "cross" && SplitPair(parts.inner, first, second)) {
            Walk(second);
            Add(PieceKind::Silent, {}, 1);
        } else {
            for (const char letter : parts.name) {
                Add(IsLetter(letter) ? PieceKind::Letter : PieceKind::Sign, std::string(1, letter), 1);
            }
            Walk(parts.argument);
        }
    }

    // A plain token, one glyph per character: numbers, letters one by one, anything else as a sign.
    void WalkToken(std::string_view token) {
        std::size_t i = 0;
        while (i < token.size()) {
            if (IsDigit(token[i])) {
                std::size_t end = i;
                while (end < token.size() && (IsDigit(token[end]) || token[end] == ',')) {
                    ++end;
                }
                Add(PieceKind::Number, token.substr(i, end - i), end - i);
                i = end;
            } else {
                Add(IsLetter(token[i]) ? PieceKind::Letter : PieceKind::Sign, token.substr(i, 1), 1);
                ++i;
            }
        }
    }

    std::vector<MyGolos> m_pieces;
    std::size_t m_next = 0;
};

} // namespace

std::vector<MyGolos> BuildSpokenPieces(MyWord& word, CGraphics& graphics) {
    if (!word.IsFormula() || word.Measure(graphics) != LayoutCode::kSuccess) {
        return {};
    }
    const std::size_t symbolCount = word.Symbols(graphics).size();
    const std::string& text = word.Text();
    CPieceWalk walk;
    walk.Walk(std::string_view(text).substr(1, text.size() - 2));
    if (walk.SymbolsWalked() != symbolCount) {
        // The walk and the layout disagree: draw the formula in one piece rather than lose glyphs.
        MyGolos whole;
        whole.last = symbolCount;
        return {whole};
    }
    return std::move(walk.Pieces());
}
