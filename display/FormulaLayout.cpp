#include "display/FormulaLayout.h"

#include "display/FormulaPieces.h"
#include "markup/MarkupCharacters.h"
#include "model/EngineLimits.h"

#include <algorithm>

namespace {

bool IsOpening(unsigned char c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsClosing(unsigned char c) {
    return c == ')' || c == ']' || c == '}';
}

// Calls visit(position, character) for every character of the markup that stands outside all brackets
// and is not a bracket itself.
template <typename Visit> void ForEachTopLevel(std::string_view markup, Visit visit) {
    int depth = 0;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        const auto c = static_cast<unsigned char>(markup[i]);
        if (IsOpening(c)) {
            ++depth;
        } else if (IsClosing(c)) {
            --depth;
        } else if (depth == 0) {
            visit(i, c);
        }
    }
}

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

SplitPoint FindSplitPoint(std::string_view markup) {
    SplitPoint best;
    ForEachTopLevel(markup, [&best](std::size_t position, unsigned char c) {
        if (const OperatorClass operatorClass = OperatorClassOf(c); operatorClass > best.operatorClass) {
            best = {operatorClass, position};
        }
    });
    return best;
}

OperatorChain CutChain(std::string_view markup, OperatorClass operatorClass) {
    OperatorChain chain;
    std::size_t start = 0;
    ForEachTopLevel(markup, [&](std::size_t position, unsigned char c) {
        if (OperatorClassOf(c) == operatorClass) {
            chain.pieces.push_back(markup.substr(start, position - start));
            chain.operators.push_back(c);
            start = position + 1;
        }
    });
    chain.pieces.push_back(markup.substr(start));
    return chain;
}

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

OperatorClass OperatorClassOf(unsigned char c) {
    switch (c) {
    case '=':
    case '<':
    case '>':
    case MarkupBytes::kNotEqual:
    case MarkupBytes::kApproximatelyEqual:
    case MarkupBytes::kGreaterOrEqual:
    case MarkupBytes::kLessOrEqual:
        return OperatorClass::Relation;
    case '+':
    case '-':
    case '*':
    case '.':
    case ':':
    case MarkupBytes::kPlusOrMinus:
        return OperatorClass::Sum;
    case '/':
        return OperatorClass::Fraction;
    case '^':
        return OperatorClass::Superscript;
    case '_':
        return OperatorClass::Subscript;
    case '@':
        return OperatorClass::AtSign;
    default:
        return OperatorClass::None;
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

bool IsConditionTagAt(std::string_view text, std::size_t position) {
    if (position + 3 >= text.size() || text[position] != ' ' || text[position + 1] != '(') {
        return false;
    }
    std::size_t end = position + 2;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    if (end == position + 2 || end >= text.size() || text[end] != ')') {
        return false;
    }
    const std::size_t after = end + 1;
    return after == text.size() || text[after] == ';' || text[after] == '}' || text[after] == '$';
}

std::size_t ConditionTagStart(std::string_view markup) {
    const std::size_t blank = markup.rfind(" (");
    if (blank == std::string_view::npos || markup.back() != ')' || !IsConditionTagAt(markup, blank)) {
        return std::string_view::npos;
    }
    return blank;
}

namespace {

// The line and its tag on one axis, two average character widths apart.
int LayoutTaggedLine(std::string_view line, std::string_view tag, const LayoutContext& context,
                     LayoutBox& box) {
    LayoutBox left;
    if (const int code = LayoutMarkup(line, context, left); code != LayoutCode::kSuccess) {
        return code;
    }
    LayoutBox right;
    LayoutPlainToken(tag, context, right);
    const int gap = 2 * context.Metrics().aveCharWidth;
    box.axis = std::max(left.axis, right.axis);
    box.height = box.axis + std::max(left.height - left.axis, right.height - right.axis);
    box.width = left.width + gap + right.width;
    const int leftY = box.axis - left.axis;
    const int rightX = left.width + gap;
    const int rightY = box.axis - right.axis;
    box.Place(std::move(left), 0, leftY);
    box.Place(std::move(right), rightX, rightY);
    return LayoutCode::kSuccess;
}

} // namespace

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
    if (const std::size_t tag = ConditionTagStart(markup); tag != std::string_view::npos) {
        return LayoutTaggedLine(markup.substr(0, tag), markup.substr(tag + 1), inner, box);
    }
    const SplitPoint split = FindSplitPoint(markup);
    const std::string_view left = markup.substr(0, split.position);
    const std::string_view right = markup.substr(split.position + 1);
    switch (split.operatorClass) {
    case OperatorClass::Fraction:
        return LayoutFraction(left, right, inner, box);
    case OperatorClass::Superscript:
        return LayoutScript(left, right, ScriptPlace::Raised, inner, box);
    case OperatorClass::Subscript:
        return LayoutScript(left, right, ScriptPlace::Lowered, inner, box);
    case OperatorClass::Relation:
    case OperatorClass::Sum:
    case OperatorClass::AtSign:
        return LayoutOperatorChain(CutChain(markup, split.operatorClass), inner, box);
    case OperatorClass::None:
        break;
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
    std::size_t start = 0;
    ForEachTopLevel(text, [&](std::size_t position, unsigned char c) {
        if (c == ';') {
            parts.push_back(text.substr(start, position - start));
            start = position + 1;
        }
    });
    parts.push_back(text.substr(start));
    return parts;
}
