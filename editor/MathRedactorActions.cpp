// The editor's commands as actions, for the main window's toolbars and menus.

#include "editor/EditorCommand.h"
#include "editor/MathRedactor.h"

#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <QAction>

using namespace EditorCommand;

QAction* MathRedactor::AddAction(int command, const QString& text, std::function<void()> run) {
    auto* action = new QAction(text, this);
    action->setData(command);
    action->setObjectName(QStringLiteral("editor-command-%1").arg(command));
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        run();
        setFocus(Qt::OtherFocusReason);
    });
    m_actions[command] = action;
    return action;
}

void MathRedactor::CreateActions() {
    for (int digit = 0; digit <= 9; ++digit) {
        const char character = static_cast<char>('0' + digit);
        AddAction(kDigit0 + digit, QString(QChar(character)),
                  [this, character] { Edit([&] { m_model.InsertToken(character); }); });
    }
    const struct {
        int command;
        char character;
    } signs[] = {{kPlus, '+'}, {kMinus, '-'}, {kTimes, '*'}, {kDivide, ':'}, {kEquals, '='}, {kComma, ','}};
    for (const auto& sign : signs) {
        const char character = sign.character;
        AddAction(sign.command, QString(QChar(character)),
                  [this, character] { Edit([&] { m_model.InsertToken(character); }); });
    }
    const struct {
        int command;
        const char* text;
        EditorTemplate kind;
    } templates[] = {{kFraction, "\u25a1/\u25a1", EditorTemplate::Fraction},
                     {kBrackets, "(\u25a1)", EditorTemplate::Brackets},
                     {kPower, "\u25a1^\u25a1", EditorTemplate::Power}};
    for (const auto& entry : templates) {
        const EditorTemplate kind = entry.kind;
        AddAction(entry.command, QString::fromUtf8(entry.text),
                  [this, kind] { Edit([&] { m_model.InsertTemplate(kind); }); });
    }
    const struct {
        int command;
        const char* text;
        SelectionWrap wrap;
    } wraps[] = {{kWrapBrackets, "(\u25a0)", SelectionWrap::Brackets},
                 {kWrapPowerBase, "\u25a0^\u25a1", SelectionWrap::PowerBase},
                 {kWrapPowerExponent, "\u25a1^\u25a0", SelectionWrap::PowerExponent},
                 {kWrapNumerator, "\u25a0/\u25a1", SelectionWrap::Numerator},
                 {kWrapDenominator, "\u25a1/\u25a0", SelectionWrap::Denominator}};
    for (const auto& entry : wraps) {
        const SelectionWrap wrap = entry.wrap;
        AddAction(entry.command, QString::fromUtf8(entry.text),
                  [this, wrap] { Edit([&] { m_model.Wrap(wrap); }); });
    }
    AddAction(kCaretRight, QStringLiteral("\u2192"),
              [this] { Edit([&] { m_model.MoveCaret(CaretDirection::Right); }); });
    AddAction(kCaretLeft, QStringLiteral("\u2190"),
              [this] { Edit([&] { m_model.MoveCaret(CaretDirection::Left); }); });
    AddAction(kCut, {}, [this] { CutToClipboard(); });
    AddAction(kCopy, {}, [this] { CopyToClipboard(); });
    AddAction(kPaste, {}, [this] { PasteFromClipboard(); });
    AddAction(kSpeak, QStringLiteral("\u266a"), [this] { Speak(); });
    AddAction(kSolve, {}, [this] { Solve(); });
}

QAction* MathRedactor::Action(int command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void MathRedactor::UpdateActions() {
    const bool selection = m_model.SelectionShown();
    Action(kCut)->setEnabled(selection);
    Action(kCopy)->setEnabled(selection);
}

void MathRedactor::ApplyLanguageTexts() {
    // The commands that have names: their texts and tool tips come with the language. (The main
    // window may give the menu items the texts of the language file instead.)
    for (const int command : {kCut, kCopy, kPaste, kSolve}) {
        const QString text =
            QString::fromStdString(Windows1251ToUtf8(BuiltInToolTipText(command, m_model.Language())));
        Action(command)->setText(text);
        Action(command)->setToolTip(text);
    }
}
