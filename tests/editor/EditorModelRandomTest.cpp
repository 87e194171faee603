// Random editing never leaves the text in a state that the layout or the parser cannot take, and the
// caret always rests on a stop.

#include "EditorModelTestSupport.h"

#include "display/MyWord.h"
#include "editor/EditorText.h"
#include "markup/CFormulaParser.h"
#include "markup/EditorConversion.h"
#include "markup/ProblemText.h"

#include <random>

namespace {

enum class Operation { Type, Key, ShiftKey, Wrap, Template, Cut, Copy, Paste, Click, Drag };

std::string Describe(Operation operation, int detail) {
    static const char* const kNames[] = {"type", "key",  "shift-key", "wrap",  "template",
                                         "cut",  "copy", "paste",     "click", "drag"};
    return std::string(kNames[static_cast<int>(operation)]) + " " + std::to_string(detail);
}

} // namespace

TEST_F(EditorModelTest, RandomEditingKeepsTheTextWellFormed) {
    std::mt19937 random(6101);
    const std::string characters = "0123456789xy+-*:=,.()/^\b";
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    for (int run = 0; run < 500; ++run) {
        // A fresh model each run, so that the history below tells all (the clipboard included).
        CEditorModel model([this](const std::string& text) { return FormulaLaysOut(m_graphics, text); });
        model.SetLanguage(pick(2));
        std::string history;
        for (int step = 0; step < 40; ++step) {
            const auto operation = static_cast<Operation>(pick(10));
            int detail = 0;
            switch (operation) {
            case Operation::Type:
                detail = characters[pick(static_cast<int>(characters.size()))];
                model.TypeCharacter(static_cast<unsigned char>(detail));
                break;
            case Operation::Key:
            case Operation::ShiftKey:
                detail = pick(7);
                model.PressKey(static_cast<EditorKey>(detail), operation == Operation::ShiftKey);
                break;
            case Operation::Wrap:
                detail = pick(5);
                model.Wrap(static_cast<SelectionWrap>(detail));
                break;
            case Operation::Template:
                detail = pick(3);
                model.InsertTemplate(static_cast<EditorTemplate>(detail));
                break;
            case Operation::Cut:
                model.Cut();
                break;
            case Operation::Copy:
                model.Copy();
                break;
            case Operation::Paste:
                model.Paste();
                break;
            case Operation::Click:
                detail = pick(static_cast<int>(model.Text().size()) + 1);
                model.PlaceCaret(detail);
                break;
            case Operation::Drag:
                detail = pick(static_cast<int>(model.Text().size()) + 1);
                model.ExtendSelectionTo(detail);
                break;
            }
            history += Describe(operation, detail) + " [" + model.Text() + " @" +
                       std::to_string(model.Caret()) + " a" + std::to_string(model.Anchor()) +
                       (model.SelectionShown() ? "s" : "") + "]\n";
            const std::string& text = model.Text();
            SCOPED_TRACE(history + "-> \"" + text + "\"");
            ASSERT_TRUE(model.IsStop(model.Caret())) << "caret " << model.Caret();
            ASSERT_TRUE(FormulaLaysOut(m_graphics, model.DisplayText()));
            // One symbol for every character that draws one: the caret and the hit test count on it.
            MyWord word(model.DisplayText(), kFontKindFormula, kEditorFontHeight, kEditorColor);
            ASSERT_EQ(word.Symbols(m_graphics).size(), static_cast<std::size_t>(EditorText::SymbolCountBefore(
                                                         text, static_cast<int>(text.size()))));
            if (model.SelectionShown()) {
                std::string selection = "$";
                selection +=
                    text.substr(model.SelectionStart(), model.SelectionEnd() - model.SelectionStart());
                selection += '$';
                RemoveBlanks(selection);
                MarkMixedNumbers(selection);
                InsertProductDots(selection);
                ASSERT_TRUE(FormulaLaysOut(m_graphics, selection)) << "selection " << selection;
            }
            std::string problem = model.SolverText();
            PrepareProblemText(problem);
            ParseEquationText(problem);
            ParseExpressionText(problem);
        }
    }
}
