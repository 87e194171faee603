#pragma once

// Helpers for laying markup out against the fake device.

#include "FakeDevice.h"

#include "display/FormulaLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct LaidOut {
    int code = 0;
    LayoutBox box;

    std::vector<MySymbol> Glyphs(unsigned char character) const {
        std::vector<MySymbol> found;
        for (const MySymbol& symbol : box.symbols) {
            if (symbol.type == kSymbolGlyph && symbol.character == character) {
                found.push_back(symbol);
            }
        }
        return found;
    }
    MySymbol Glyph(unsigned char character) const {
        const std::vector<MySymbol> found = Glyphs(character);
        EXPECT_EQ(found.size(), 1u) << "glyph '" << character << "'";
        return found.empty() ? MySymbol{} : found.front();
    }
    std::vector<MySymbol> Lines() const {
        std::vector<MySymbol> found;
        for (const MySymbol& symbol : box.symbols) {
            if (symbol.type != kSymbolGlyph) {
                found.push_back(symbol);
            }
        }
        return found;
    }
};

class LayoutTest : public ::testing::Test {
protected:
    LaidOut Layout(const std::string& markup, int height = 20, int kind = kFontKindFormula) {
        LayoutContext context;
        context.graphics = &m_graphics;
        context.fontKind = kind;
        context.fontHeight = height;
        context.color = MakeRgb(0, 0, 255);
        LaidOut result;
        result.code = LayoutMarkup(markup, context, result.box);
        return result;
    }

    CFakeDevice m_device;
    CGraphics m_graphics{m_device};
};

#define EXPECT_AT(symbol, expectedX, expectedY)                                                              \
    do {                                                                                                     \
        EXPECT_EQ((symbol).x, expectedX);                                                                    \
        EXPECT_EQ((symbol).y, expectedY);                                                                    \
    } while (false)

#define EXPECT_BOX(box, expectedWidth, expectedHeight, expectedAxis)                                         \
    do {                                                                                                     \
        EXPECT_EQ((box).width, expectedWidth);                                                               \
        EXPECT_EQ((box).height, expectedHeight);                                                             \
        EXPECT_EQ((box).axis, expectedAxis);                                                                 \
    } while (false)

#define EXPECT_LINE(line, ex1, ey1, ex2, ey2)                                                                \
    do {                                                                                                     \
        EXPECT_EQ((line).x, ex1);                                                                            \
        EXPECT_EQ((line).y, ey1);                                                                            \
        EXPECT_EQ((line).x2, ex2);                                                                           \
        EXPECT_EQ((line).y2, ey2);                                                                           \
    } while (false)
