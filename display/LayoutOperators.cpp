// Layout of the operators: relations and sums with their glyphs, the invisible products, fractions,
// superscripts and subscripts.

#include "display/FormulaPieces.h"
#include "markup/MarkupCharacters.h"

#include <algorithm>

namespace {

bool IsInvisibleProduct(unsigned char op) {
    return op == '.' || op == '@';
}

// The signs that are bytes of the Symbol font are drawn in its font kind.
bool IsSymbolSetOperator(unsigned char op) {
    using namespace MarkupBytes;
    return op == kNotEqual || op == kApproximatelyEqual || op == kGreaterOrEqual || op == kLessOrEqual ||
           op == kPlusOrMinus;
}

// Where one step of a chain puts its left part, its operator glyph and its right part, relative to
// the joined box.
struct Joint {
    int width = 0;
    int height = 0;
    int axis = 0;
    int leftX = 0, leftY = 0;
    int glyphX = 0, glyphY = 0;
    int rightX = 0, rightY = 0;
};

struct Metrics {
    int width = 0;
    int height = 0;
    int axis = 0;
};

// Left and right side by side on one axis with a gap between them.
Joint JoinInvisible(const Metrics& left, const Metrics& right, int gap) {
    Joint joint;
    joint.axis = std::max(left.axis, right.axis);
    joint.height = joint.axis + std::max(left.height - left.axis, right.height - right.axis);
    joint.width = left.width + right.width + gap;
    joint.leftY = joint.axis - left.axis;
    joint.rightX = left.width + gap;
    joint.rightY = joint.axis - right.axis;
    return joint;
}

// Left, the glyph and right on one axis, one average character width on each side of the glyph. The
// glyph is centred on the axis and the box always holds it, also when it is taller than both sides.
Joint JoinWithGlyph(const Metrics& left, const TextExtent& glyph, const Metrics& right, int avg) {
    Joint joint;
    const int glyphAbove = glyph.height / 2;
    joint.axis = std::max({left.axis, right.axis, glyphAbove});
    joint.height = joint.axis +
                   std::max({left.height - left.axis, right.height - right.axis, glyph.height - glyphAbove});
    joint.width = left.width + glyph.width + right.width + 2 * avg;
    joint.leftY = joint.axis - left.axis;
    joint.glyphX = left.width + avg;
    joint.glyphY = joint.axis - glyphAbove;
    joint.rightX = left.width + avg + glyph.width + avg;
    joint.rightY = joint.axis - right.axis;
    return joint;
}

MySymbol MakeGlyph(unsigned char character, int x, int y, const TextExtent& extent, int fontKind,
                   int fontHeight, Rgb color) {
    MySymbol glyph;
    glyph.type = kSymbolGlyph;
    glyph.character = character;
    glyph.x = x;
    glyph.y = y;
    glyph.width = extent.width;
    glyph.height = extent.height;
    glyph.color = color;
    glyph.fontKind = fontKind;
    glyph.fontHeight = fontHeight;
    return glyph;
}

Metrics MetricsOf(const LayoutBox& box) {
    return {box.width, box.height, box.axis};
}

} // namespace

int LayoutOperatorChain(const OperatorChain& chain, const LayoutContext& context, LayoutBox& box) {
    std::vector<LayoutBox> pieces(chain.pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (const int code = LayoutMarkup(chain.pieces[i], context, pieces[i]);
            code != LayoutCode::kSuccess) {
            return code;
        }
    }
    const int avg = context.Metrics().aveCharWidth;

    // a + b - c is a + (b - c): join from the right, remembering each step's placements.
    const std::size_t steps = chain.operators.size();
    std::vector<Joint> joints(steps);
    std::vector<TextExtent> glyphs(steps);
    std::vector<int> glyphKinds(steps, context.fontKind);
    Metrics right = MetricsOf(pieces.back());
    for (std::size_t step = steps; step-- > 0;) {
        const unsigned char op = chain.operators[step];
        const Metrics left = MetricsOf(pieces[step]);
        if (IsInvisibleProduct(op)) {
            joints[step] = JoinInvisible(left, right, Part(0.4, avg));
        } else {
            glyphKinds[step] = IsSymbolSetOperator(op) ? kFontKindSymbol : context.fontKind;
            const char text[1] = {static_cast<char>(op)};
            glyphs[step] = context.graphics->Extent(glyphKinds[step], context.fontHeight, {text, 1});
            joints[step] = JoinWithGlyph(left, glyphs[step], right, avg);
        }
        right = {joints[step].width, joints[step].height, joints[step].axis};
    }

    // Place from the left: each step's right part is where the next step's joined box starts.
    box.width = joints.front().width;
    box.height = joints.front().height;
    box.axis = joints.front().axis;
    int originX = 0;
    int originY = 0;
    for (std::size_t step = 0; step < steps; ++step) {
        const Joint& joint = joints[step];
        const unsigned char op = chain.operators[step];
        box.Place(std::move(pieces[step]), originX + joint.leftX, originY + joint.leftY);
        if (!IsInvisibleProduct(op)) {
            box.AddGlyph(MakeGlyph(op, originX + joint.glyphX, originY + joint.glyphY, glyphs[step],
                                   glyphKinds[step], context.fontHeight, context.color));
        }
        originX += joint.rightX;
        originY += joint.rightY;
    }
    box.Place(std::move(pieces.back()), originX, originY);
    return LayoutCode::kSuccess;
}

int LayoutFraction(std::string_view numerator, std::string_view denominator, const LayoutContext& context,
                   LayoutBox& box) {
    LayoutBox top;
    LayoutBox bottom;
    if (const int code = LayoutMarkup(numerator, context, top); code != LayoutCode::kSuccess) {
        return code;
    }
    if (const int code = LayoutMarkup(denominator, context, bottom); code != LayoutCode::kSuccess) {
        return code;
    }
    const DeviceTextMetrics metrics = context.Metrics();
    const int avg = metrics.aveCharWidth;
    const int widest = std::max(top.width, bottom.width);
    box.width = widest + avg;
    box.height = top.height + bottom.height + Part(0.4, metrics.height);
    box.axis = top.height + Part(0.2, metrics.height);

    // The narrower part is centred over (or under) the wider one.
    const int topX = (widest - top.width) / 2 + Part(0.5, avg);
    const int bottomX = (widest - bottom.width) / 2 + Part(0.5, avg);
    const int barY = top.height + Part(0.2, metrics.height);
    const int bottomY = top.height + Part(0.4, metrics.height);
    // Reading order: numerator, bar, denominator (see LayoutBracketed).
    box.PlaceAsBand(std::move(top), topX, 0);
    box.AddLine(0, barY, widest + avg, barY, context.color);
    box.PlaceAsBand(std::move(bottom), bottomX, bottomY);
    return LayoutCode::kSuccess;
}

int LayoutScript(std::string_view base, std::string_view script, ScriptPlace place,
                 const LayoutContext& context, LayoutBox& box) {
    LayoutBox baseBox;
    LayoutBox scriptBox;
    if (const int code = LayoutMarkup(base, context, baseBox); code != LayoutCode::kSuccess) {
        return code;
    }
    if (const int code = LayoutMarkup(script, context.Reduced(), scriptBox); code != LayoutCode::kSuccess) {
        return code;
    }
    const int avg = context.Metrics().aveCharWidth;
    // The script overlaps the base by 0.4 of the lower of the two; the rest of it sticks out.
    const int overlap = std::min(Part(0.4, scriptBox.height), Part(0.4, baseBox.height));
    const int shift = scriptBox.height - overlap;
    const bool raised = place == ScriptPlace::Raised;
    box.height = shift + baseBox.height;
    box.axis = (raised ? shift : 0) + baseBox.axis;
    box.width = baseBox.width + scriptBox.width + Part(0.5, avg);
    const int scriptX = baseBox.width + Part(0.5, avg);
    box.Place(std::move(baseBox), 0, raised ? shift : 0);
    box.Place(std::move(scriptBox), scriptX, raised ? 0 : shift);
    return LayoutCode::kSuccess;
}
