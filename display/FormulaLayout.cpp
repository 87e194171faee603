#include "display/FormulaLayout.h"

#include "display/FormulaPieces.h"
#include "model/EngineLimits.h"

#include <algorithm>

namespace {

bool IsOpening(unsigned char c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsClosing(unsigned char c) {
    return c == ')' || c == ']' || c == '}';
}

} // namespace

SplitPoint FindSplitPoint(std::string_view markup) {
    SplitPoint best;
    int depth = 0;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        const auto c = static_cast<unsigned char>(markup[i]);
        if (IsOpening(c)) {
            ++depth;
        } else if (IsClosing(c)) {
            --depth;
        } else if (depth == 0) {
            const int operatorClass = OperatorClass(c);
            if (operatorClass > best.operatorClass) {
                best = {operatorClass, i};
            }
        }
    }
    return best;
}

OperatorChain CutChain(std::string_view markup, int operatorClass) {
    OperatorChain chain;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        const auto c = static_cast<unsigned char>(markup[i]);
        if (IsOpening(c)) {
            ++depth;
        } else if (IsClosing(c)) {
            --depth;
        } else if (depth == 0 && OperatorClass(c) == operatorClass) {
            chain.pieces.push_back(markup.substr(start, i - start));
            chain.operators.push_back(c);
            start = i + 1;
        }
    }
    chain.pieces.push_back(markup.substr(start));
    return chain;
}

namespace {

// How deeply brackets nest; every level costs at least one level of layout.
int BracketDepth(std::string_view markup) {
    int depth = 0;
    int deepest = 0;
    for (const char c : markup) {
        if (IsOpening(static_cast<unsigned char>(c))) {
            deepest = std::max(deepest, ++depth);
        } else if (IsClosing(static_cast<unsigned char>(c))) {
            --depth;
        }
    }
    return deepest;
}

} // namespace

LayoutContext LayoutContext::Reduced() const {
    LayoutContext reduced = *this;
    if (fontHeight >= 7) {
        reduced.fontHeight = fontHeight - 6;
    }
    return reduced;
}

LayoutContext LayoutContext::WithHeight(int height) const {
    LayoutContext changed = *this;
    changed.fontHeight = height;
    return changed;
}

LayoutContext LayoutContext::Deeper() const {
    LayoutContext deeper = *this;
    ++deeper.depth;
    return deeper;
}

int OperatorClass(unsigned char c) {
    switch (c) {
    case '=':
    case '<':
    case '>':
    case 0xB9:
    case 0xBB:
    case 0xB3:
    case 0xA3:
        return 6;
    case '+':
    case '-':
    case '*':
    case '.':
    case ':':
    case 0xB1:
        return 5;
    case '/':
        return 4;
    case '^':
        return 3;
    case '_':
        return 2;
    case '@':
        return 1;
    default:
        return 0;
    }
}

int CheckBrackets(std::string_view markup) {
    int parentheses = 0;
    int squareBrackets = 0;
    int braces = 0;
    for (const char c : markup) {
        switch (c) {
        case '(':
            ++parentheses;
            break;
        case ')':
            --parentheses;
            break;
        case '[':
            ++squareBrackets;
            break;
        case ']':
            --squareBrackets;
            break;
        case '{':
            ++braces;
            break;
        case '}':
            --braces;
            break;
        default:
            continue;
        }
        if (parentheses < 0 || squareBrackets < 0 || braces < 0) {
            return LayoutCode::kClosedBeforeOpened;
        }
    }
    if (braces != 0) {
        return LayoutCode::kBraces;
    }
    if (squareBrackets != 0) {
        return LayoutCode::kSquareBrackets;
    }
    if (parentheses != 0) {
        return LayoutCode::kParentheses;
    }
    return LayoutCode::kSuccess;
}

int LayoutMarkup(std::string_view markup, const LayoutContext& context, LayoutBox& box) {
    box = LayoutBox{};
    if (markup.empty()) {
        return LayoutCode::kSuccess;
    }
    if (context.depth > EngineLimits::kMaxLayoutDepth ||
        (context.depth == 0 && BracketDepth(markup) > EngineLimits::kMaxLayoutDepth)) {
        return LayoutCode::kTooDeep;
    }
    if (const int code = CheckBrackets(markup); code != LayoutCode::kSuccess) {
        return code;
    }
    const LayoutContext inner = context.Deeper();
    const SplitPoint split = FindSplitPoint(markup);
    if (split.operatorClass != 0) {
        const std::string_view left = markup.substr(0, split.position);
        const std::string_view right = markup.substr(split.position + 1);
        switch (split.operatorClass) {
        case 4:
            return LayoutFraction(left, right, inner, box);
        case 3:
            return LayoutSuperscript(left, right, inner, box);
        case 2:
            return LayoutSubscript(left, right, inner, box);
        default:
            return LayoutOperatorChain(CutChain(markup, split.operatorClass), inner, box);
        }
    }
    const char first = markup.front();
    const char last = markup.back();
    if (first == '!') {
        return LayoutCommand(markup, inner, box);
    }
    if (first == '(') {
        if (last != ')') {
            return LayoutCode::kParentheses;
        }
        return LayoutBracketed(markup.substr(1, markup.size() - 2), '(', ')', inner, box);
    }
    if (first == '[') {
        if (last != ']') {
            return LayoutCode::kSquareBrackets;
        }
        return LayoutBracketed(markup.substr(1, markup.size() - 2), '[', ']', inner, box);
    }
    if (first == '{') {
        if (last != '}') {
            return LayoutCode::kBraces;
        }
        return LayoutMarkup(markup.substr(1, markup.size() - 2), inner, box);
    }
    LayoutPlainToken(markup, context, box);
    return LayoutCode::kSuccess;
}

std::vector<std::string_view> SplitAtSemicolons(std::string_view text) {
    std::vector<std::string_view> parts;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsOpening(c)) {
            ++depth;
        } else if (IsClosing(c)) {
            --depth;
        } else if (depth == 0 && c == ';') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}
