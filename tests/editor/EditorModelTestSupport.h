#pragma once

// The editing model over the real formula layout, measured on the fake device of the layout tests
// (the layout's result codes do not depend on the metrics).

#include "display/FakeDevice.h"

#include "display/Graphics.h"
#include "editor/CEditorModel.h"
#include "editor/FormulaGeometry.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

// A text with its caret, and what a deletion leaves.
struct DeletionCase {
    const char* text;
    int caret;
    const char* expectedText;
    int expectedCaret;
};

class EditorModelTest : public ::testing::Test {
protected:
    // Types every character of keys; "\b" is backspace.
    void Type(const std::string& keys) {
        for (const char c : keys) {
            m_model.TypeCharacter(static_cast<unsigned char>(c));
        }
    }
    void Press(EditorKey key, int times = 1, bool shift = false) {
        for (int i = 0; i < times; ++i) {
            m_model.PressKey(key, shift);
        }
    }
    void Load(const std::string& text, int caret) {
        m_model.Load(text);
        m_model.PlaceCaret(caret);
        ASSERT_EQ(m_model.Caret(), caret) << text;
    }

    template <std::size_t N>
    void CheckDeletions(const DeletionCase (&cases)[N], const std::function<void()>& deletion) {
        for (const DeletionCase& c : cases) {
            SCOPED_TRACE(c.text);
            Load(c.text, c.caret);
            deletion();
            EXPECT_EQ(m_model.Text(), c.expectedText);
            EXPECT_EQ(m_model.Caret(), c.expectedCaret);
        }
    }

    CFakeDevice m_device;
    CGraphics m_graphics{m_device};
    CEditorModel m_model{[this](const std::string& text) { return FormulaLaysOut(m_graphics, text); }};
};

#define EXPECT_EDITOR(expectedText, expectedCaret)                                                           \
    do {                                                                                                     \
        EXPECT_EQ(m_model.Text(), expectedText);                                                               \
        EXPECT_EQ(m_model.Caret(), expectedCaret) << "text \"" << m_model.Text() << "\"";                        \
    } while (false)
