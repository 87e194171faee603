#pragma once

// The layout device over Qt: measures with the fonts of a paint device and draws with a painter on
// it (an image, an SVG generator, a PDF writer, a printer or a widget). Font kind 0 is a serif italic
// for plain words, kind 1 a serif for formulas, kind 2 a sans face holding the signs of the symbol set.
// Fonts are sized by their cell height, as the layout asks.

#include "display/LayoutDevice.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <array>
#include <memory>
#include <unordered_map>

class QPaintDevice;
class QPainter;

class CQtLayoutDevice final : public CLayoutDevice {
public:
    // Measures against device; draws only once a painter is given.
    explicit CQtLayoutDevice(QPaintDevice* device, QPainter* painter = nullptr);
    ~CQtLayoutDevice() override;

    void SetPainter(QPainter* painter);

    // The width of drawn lines (fraction bars, root signs, strike lines) in device units: two on a
    // screen at its usual scale, as many more as the fonts are scaled on a printer's page or when zoomed.
    static constexpr double kScreenLineWidth = 2.0;
    void SetLineWidth(double width) { m_lineWidth = width; }
    double LineWidth() const { return m_lineWidth; }

    FontHandle CreateFont(const FontRequest& request) override;
    void DeleteFont(FontHandle font) override;
    void SelectFont(FontHandle font) override;
    DeviceTextMetrics GetTextMetrics() override;
    TextExtent GetTextExtent(std::string_view text) override;
    InkBounds GetInkBounds(std::string_view text) override;
    void SetTextColor(Rgb color) override;
    void TextOut(int x, int y, std::string_view text) override;
    void DrawLine(int x1, int y1, int x2, int y2, Rgb color) override;
    void FillRect(int left, int top, int right, int bottom, Rgb color) override;

    // The font a kind and cell height give on this device (for tests and for the print scale).
    QFont FontFor(const FontRequest& request) const;

private:
    struct Font {
        int kind = 0;
        QFont font;
        QFontMetricsF metrics{QFont()};
        int height = 0;
        int ascent = 0;
        int aveCharWidth = 0;
        // Advance of each single byte, measured on first use (-1: not yet).
        std::array<int, 256> advance{};
    };

    int Advance(Font& font, unsigned char byte);

    QPaintDevice* m_device = nullptr;
    QPainter* m_painter = nullptr;
    std::unordered_map<FontHandle, std::unique_ptr<Font>> m_fonts;
    FontHandle m_nextHandle = 1;
    Font* m_selected = nullptr;
    FontHandle m_painterFont = 0;
    FontHandle m_selectedHandle = 0;
    QColor m_textColor;
    double m_lineWidth = kScreenLineWidth;
    // Cell height per pixel of em, by font kind.
    mutable std::unordered_map<int, double> m_cellPerPixel;
};

// The text a single-byte string shows in a font kind: Windows-1251 letters, and the symbol-set bytes
// as their signs (not equal, approximately, greater or equal, less or equal, plus-minus, division, the
// comma of the root index "1,2").
QString DisplayText(std::string_view text, int kind);
QChar DisplayCharacter(unsigned char byte, int kind);

QColor ToQColor(Rgb color);
