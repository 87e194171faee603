#pragma once

// The drawing surface that formula layout and painting work against. It is deliberately small, so
// that layout can be tested against a fake device with fixed metrics and drawn on any real one
// (screen, image, SVG, PDF, printer). Texts are single-byte strings; the device decides how the bytes
// of each font kind become visible signs.

#include <cstdint>
#include <string_view>

// A colour as a Windows RGB value: red in the low byte, then green, then blue.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue) {
    return static_cast<Rgb>(red & 0xFF) | (static_cast<Rgb>(green & 0xFF) << 8) |
           (static_cast<Rgb>(blue & 0xFF) << 16);
}
constexpr int RedOf(Rgb color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(Rgb color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(Rgb color) {
    return static_cast<int>((color >> 16) & 0xFF);
}

// Font kinds: 0 plain text words (serif, italic), 1 formulas and stretched brackets, 2 (and any other
// value) the symbol face for the signs of the symbol set and the system brace.
inline constexpr int kFontKindText = 0;
inline constexpr int kFontKindFormula = 1;
inline constexpr int kFontKindSymbol = 2;

// The two metrics layout uses: the cell height and the average character width.
struct DeviceTextMetrics {
    int height = 0;
    int aveCharWidth = 0;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// The rectangle a text's ink covers, relative to the top left corner of its cell (where TextOut puts
// it); right and bottom are exclusive. Empty (all 0) for a text with no ink.
struct InkBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What a font is asked for: its kind, its cell height in device units, and its character width
// (0 = the face's own width).
struct FontRequest {
    int kind = kFontKindFormula;
    int height = 0;
    int width = 0;
};

class CLayoutDevice {
public:
    using FontHandle = int;

    virtual ~CLayoutDevice() = default;

    virtual FontHandle CreateFont(const FontRequest& request) = 0;
    virtual void DeleteFont(FontHandle font) = 0;
    virtual void SelectFont(FontHandle font) = 0;

    // Metrics and extents of the selected font.
    virtual DeviceTextMetrics GetTextMetrics() = 0;
    virtual TextExtent GetTextExtent(std::string_view text) = 0;
    virtual InkBounds GetInkBounds(std::string_view text) = 0;

    virtual void SetTextColor(Rgb color) = 0;
    // Writes text in the selected font with its cell's top left corner at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // A solid line as wide as the device draws its lines: two units on a screen at its usual scale.
    virtual void DrawLine(int x1, int y1, int x2, int y2, Rgb color) = 0;
    virtual void FillRect(int left, int top, int right, int bottom, Rgb color) = 0;
};
