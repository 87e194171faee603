// Layout of the commands: "!sin(x)" and the other functions, "!brssil{k;C}" (a bracketed condition
// number), "!sq2{C}", "!sqn{n;C}", "!sys{E1;E2;...}" and "!cross{k;C}".

#include "display/FormulaPieces.h"

#include <algorithm>
#include <array>

namespace {

unsigned char MateOf(unsigned char open) {
    switch (open) {
    case '(':
        return ')';
    case '[':
        return ']';
    default:
        return '}';
    }
}

} // namespace

int SplitCommand(std::string_view markup, CommandParts& parts) {
    const std::size_t open = markup.find_first_of("([{", 1);
    if (open == std::string_view::npos) {
        return LayoutCode::kCommandWithoutBracket;
    }
    if (static_cast<unsigned char>(markup.back()) != MateOf(static_cast<unsigned char>(markup[open]))) {
        return LayoutCode::kCommandNotClosed;
    }
    parts.name = markup.substr(1, open - 1);
    parts.argument = markup.substr(open);
    parts.inner = parts.argument.substr(1, parts.argument.size() - 2);
    return LayoutCode::kSuccess;
}

bool SplitPair(std::string_view inner, std::string_view& first, std::string_view& second) {
    const std::vector<std::string_view> parts = SplitAtSemicolons(inner);
    if (parts.size() < 2) {
        return false;
    }
    first = parts.front();
    second = inner.substr(first.size() + 1);
    return true;
}

namespace {

// The decimal value of a small number written in markup; anything that is not digits counts as 0,
// and a value too long to matter is read only as far as its remainder needs.
int RemainderOfDecimal(std::string_view digits, int divisor) {
    int remainder = 0;
    bool negative = false;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        if (i == 0 && c == '-') {
            negative = true;
        } else if (c >= '0' && c <= '9') {
            remainder = (remainder * 10 + (c - '0')) % divisor;
        } else {
            return 0;
        }
    }
    return negative ? (divisor - remainder) % divisor : remainder;
}

MySymbol Glyph(unsigned char character, int x, int y, const TextExtent& extent, int kind, int height,
               Rgb color) {
    MySymbol glyph;
    glyph.character = character;
    glyph.x = x;
    glyph.y = y;
    glyph.width = extent.width;
    glyph.height = extent.height;
    glyph.fontKind = kind;
    glyph.fontHeight = height;
    glyph.color = color;
    return glyph;
}

// The name's letters, each centred on the argument's axis, then the argument. Unknown commands are
// drawn the same way, so that a reader sees what was written.
int LayoutFunction(const CommandParts& parts, const LayoutContext& context, LayoutBox& box) {
    LayoutBox argument;
    if (const int code = LayoutMarkup(parts.argument, context, argument); code != LayoutCode::kSuccess) {
        return code;
    }
    CGraphics& graphics = *context.graphics;
    const int avg = context.Metrics().aveCharWidth;
    const int nameWidth = graphics.Extent(context.fontKind, context.fontHeight, parts.name).width;
    box.width = nameWidth + argument.width + Part(0.5, avg);
    box.height = argument.height;
    box.axis = argument.axis;
    int x = 0;
    for (const char letter : parts.name) {
        const TextExtent extent = graphics.Extent(context.fontKind, context.fontHeight, {&letter, 1});
        box.AddGlyph(Glyph(static_cast<unsigned char>(letter), x, argument.axis - extent.height / 2, extent,
                           context.fontKind, context.fontHeight, context.color));
        x += extent.width;
    }
    box.Place(std::move(argument), nameWidth + Part(0.5, avg), 0);
    return LayoutCode::kSuccess;
}

int LayoutBracketReference(const CommandParts& parts, const LayoutContext& context, LayoutBox& box) {
    std::string_view kind;
    std::string_view content;
    if (!SplitPair(parts.inner, kind, content)) {
        return LayoutCode::kCommandWithoutSemicolon;
    }
    if (kind == "1") {
        return LayoutBracketed(content, '[', ']', context, box);
    }
    if (kind == "2") {
        return LayoutBracketed(content, '{', '}', context, box);
    }
    return LayoutBracketed(content, '(', ')', context, box);
}

int LayoutSquareRoot(const CommandParts& parts, const LayoutContext& context, LayoutBox& box) {
    LayoutBox radicand;
    if (const int code = LayoutMarkup(parts.inner, context, radicand); code != LayoutCode::kSuccess) {
        return code;
    }
    const DeviceTextMetrics metrics = context.Metrics();
    const int avg = metrics.aveCharWidth;
    const int gap = Part(0.2, metrics.height);
    const int w = radicand.width;
    const int h = radicand.height;
    const int a = radicand.axis;
    box.width = w + Part(3.5, avg);
    box.height = h + gap;
    box.axis = a + gap;
    box.AddLine(0, a, avg, a, context.color);
    box.AddLine(avg, a, 2 * avg, h, context.color);
    box.AddLine(2 * avg, h, 3 * avg, 0, context.color);
    box.AddLine(3 * avg, 0, 3 * avg + w, 0, context.color);
    box.Place(std::move(radicand), Part(3.5, avg), gap);
    return LayoutCode::kSuccess;
}

int LayoutRoot(const CommandParts& parts, const LayoutContext& context, LayoutBox& box) {
    std::string_view degreeText;
    std::string_view radicandText;
    if (!SplitPair(parts.inner, degreeText, radicandText)) {
        return LayoutCode::kCommandWithoutSemicolon;
    }
    LayoutBox degree;
    LayoutBox radicand;
    if (const int code = LayoutMarkup(degreeText, context.Reduced(), degree); code != LayoutCode::kSuccess) {
        return code;
    }
    if (const int code = LayoutMarkup(radicandText, context, radicand); code != LayoutCode::kSuccess) {
        return code;
    }
    const DeviceTextMetrics metrics = context.Metrics();
    const int avg = metrics.aveCharWidth;
    const int hn = degree.height;
    const int wn = degree.width;
    const int hc = radicand.height;
    const int wc = radicand.width;
    const bool tallRadicand = 2 * hn < hc;
    const int knee = hc < 2 * hn ? hn : hc / 2;
    const int bottom = 2 * knee;
    box.AddLine(0, knee, wn, knee, context.color);
    box.AddLine(wn, knee, wn + avg, bottom, context.color);
    box.AddLine(wn + avg, bottom, wn + 2 * avg, 0, context.color);
    box.AddLine(wn + 2 * avg, 0, wn + 2 * avg + wc, 0, context.color);
    const int degreeY = tallRadicand ? hc / 2 - hn : 0;
    const int radicandX = wn + Part(2.5, avg);
    const int radicandY = tallRadicand ? Part(0.2, metrics.height) : 2 * hn - hc;
    // The box reaches the radicand's right edge and the lowest of the sign, the degree and the radicand.
    box.width = radicandX + wc;
    box.height = std::max({bottom, radicandY + hc, degreeY + hn});
    box.axis = radicandY + radicand.axis;
    box.Place(std::move(degree), 0, degreeY);
    box.Place(std::move(radicand), radicandX, radicandY);
    return LayoutCode::kSuccess;
}

// The brace beside a system's lines. Its box is measured at 1.3 times the lines' height, but the faces
// differ in how much of their cell the brace's ink fills: the glyph is drawn at the largest height up
// to that whose ink is no taller than the lines, with its ink centred on them, so that it spans them
// from top to bottom and stays inside the system's box.
MySymbol SystemBrace(CGraphics& graphics, const TextExtent& measured, int measuredHeight, int linesHeight,
                     Rgb color) {
    const int height =
        graphics.HeightFittingInk(kFontKindSymbol, measuredHeight, "{", true, true, linesHeight);
    const InkBounds ink = graphics.Ink(kFontKindSymbol, height, "{", true);
    const int y = (linesHeight - ink.Height()) / 2 - ink.top;
    MySymbol glyph = Glyph('{', 0, y, measured, kFontKindSymbol, height, color);
    glyph.narrow = 1;
    return glyph;
}

int LayoutSystem(const CommandParts& parts, const LayoutContext& context, LayoutBox& box) {
    const std::vector<std::string_view> lineTexts = SplitAtSemicolons(parts.inner);
    std::vector<LayoutBox> lines(lineTexts.size());
    int total = 0;
    int widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const int code = LayoutMarkup(lineTexts[i], context, lines[i]); code != LayoutCode::kSuccess) {
            return code;
        }
        total += lines[i].height;
        widest = std::max(widest, lines[i].width);
    }
    const int braceHeight = std::max(Part(1.3, total), 1);
    const TextExtent brace = context.graphics->Extent(kFontKindSymbol, braceHeight, "{", true);
    box.width = brace.width + widest;
    box.height = total;
    box.axis = total / 2;
    box.AddGlyph(SystemBrace(*context.graphics, brace, braceHeight, total, context.color));
    int y = 0;
    for (LayoutBox& line : lines) {
        const int height = line.height;
        box.PlaceAsBand(std::move(line), brace.width, y);
        y += height;
    }
    return LayoutCode::kSuccess;
}

// Strike colours by the cross-out number modulo 7.
constexpr std::array<Rgb, 7> kStrikeColors = {MakeRgb(0, 0, 255),   MakeRgb(0, 160, 0), MakeRgb(255, 0, 0),
                                              MakeRgb(255, 0, 255), MakeRgb(0, 0, 0),   MakeRgb(0, 255, 255),
                                              MakeRgb(255, 255, 0)};

int LayoutCrossedOut(const CommandParts& parts, const LayoutContext& context, LayoutBox& box) {
    std::string_view number;
    std::string_view content;
    if (!SplitPair(parts.inner, number, content)) {
        return LayoutCode::kCommandWithoutSemicolon;
    }
    LayoutBox crossed;
    if (const int code = LayoutMarkup(content, context, crossed); code != LayoutCode::kSuccess) {
        return code;
    }
    const Rgb color = kStrikeColors[RemainderOfDecimal(number, 7)];
    box.width = crossed.width;
    box.height = crossed.height;
    box.axis = crossed.axis;
    const int w = crossed.width;
    const int h = crossed.height;
    box.Place(std::move(crossed), 0, 0);
    box.AddLine(0, h, w, 0, color, kSymbolStrikeLine);
    return LayoutCode::kSuccess;
}

} // namespace

Rgb StrikeColor(int crossOutNumber) {
    return kStrikeColors[((crossOutNumber % 7) + 7) % 7];
}

int LayoutCommand(std::string_view markup, const LayoutContext& context, LayoutBox& box) {
    CommandParts parts;
    if (const int code = SplitCommand(markup, parts); code != LayoutCode::kSuccess) {
        return code;
    }
    if (parts.name == "brssil") {
        return LayoutBracketReference(parts, context, box);
    }
    if (parts.name == "sq2") {
        return LayoutSquareRoot(parts, context, box);
    }
    if (parts.name == "sqn") {
        return LayoutRoot(parts, context, box);
    }
    if (parts.name == "sys") {
        return LayoutSystem(parts, context, box);
    }
    if (parts.name == "cross") {
        return LayoutCrossedOut(parts, context, box);
    }
    // "sin", "cos", "tg", "ctg", "arcsin", "arccos", "arctg", "arcctg", "ln", "lg", and any other name.
    return LayoutFunction(parts, context, box);
}
