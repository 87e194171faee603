#pragma once

// A device with fixed metrics for layout tests. A font of height h has cell height h; in the formula
// and text faces every character is h / 2 wide, in the symbol face 3 h / 5 (a narrowed font: its
// requested width), except the division sign (byte 0xB8 outside the text face), which is three times as wide.
// The average character width equals the character width. A text's ink spans its advance and its
// cell less a tenth of the height above and below. Every call that draws is recorded.

#include "display/LayoutDevice.h"

#include <map>
#include <string>
#include <vector>

class CFakeDevice : public CLayoutDevice {
public:
    struct Output {
        int x = 0;
        int y = 0;
        std::string text;
        int kind = 0;
        int height = 0;
        Rgb color = 0;
    };
    struct Line {
        int x1, y1, x2, y2;
        Rgb color;
    };
    struct Fill {
        int left, top, right, bottom;
        Rgb color;
    };

    static int CharWidth(int kind, int height) {
        return kind == kFontKindSymbol ? height * 3 / 5 : height / 2;
    }

    FontHandle CreateFont(const FontRequest& request) override {
        ++created;
        fonts[nextHandle] = request;
        return nextHandle++;
    }
    void DeleteFont(FontHandle font) override {
        ++deleted;
        fonts.erase(font);
    }
    void SelectFont(FontHandle font) override {
        ++selections;
        selected = fonts.at(font);
    }
    DeviceTextMetrics GetTextMetrics() override { return {selected.height, Width()}; }
    TextExtent GetTextExtent(std::string_view text) override {
        int width = 0;
        for (const char c : text) {
            width += Advance(static_cast<unsigned char>(c));
        }
        return {width, selected.height};
    }
    InkBounds GetInkBounds(std::string_view text) override {
        const int margin = selected.height / 10;
        return {0, margin, GetTextExtent(text).width, selected.height - margin};
    }
    void SetTextColor(Rgb color) override { textColor = color; }
    void TextOut(int x, int y, std::string_view text) override {
        outputs.push_back({x, y, std::string(text), selected.kind, selected.height, textColor});
    }
    void DrawLine(int x1, int y1, int x2, int y2, Rgb color) override {
        lines.push_back({x1, y1, x2, y2, color});
    }
    void FillRect(int left, int top, int right, int bottom, Rgb color) override {
        fills.push_back({left, top, right, bottom, color});
    }

    int Advance(unsigned char c) const {
        const bool divisionSign = c == 0xB8 && selected.kind != kFontKindText;
        return divisionSign ? 3 * Width() : Width();
    }
    int Width() const {
        return selected.width > 0 ? selected.width : CharWidth(selected.kind, selected.height);
    }

    std::map<FontHandle, FontRequest> fonts;
    FontRequest selected;
    FontHandle nextHandle = 1;
    int created = 0;
    int deleted = 0;
    int selections = 0;
    Rgb textColor = 0;
    std::vector<Output> outputs;
    std::vector<Line> lines;
    std::vector<Fill> fills;
};
