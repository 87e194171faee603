// The editor's clipboard commands, its undo history and the message about the problem.

#include "editor/MathRedactor.h"

#include "markup/EditorConversion.h"
#include "markup/EditorFormWriter.h"
#include "markup/LinearNotation.h"
#include "output/Windows1251.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

namespace {

QString FromSingleByte(const std::string& text) {
    return QString::fromStdString(Windows1251ToUtf8(text));
}

// The formula of a piece of editor text as plain text another program can take (and linear notation
// reads back).
QString PlainTextOf(const std::string& editorText) {
    std::string text = editorText;
    ConvertEditorText(text);
    return FromSingleByte(text);
}

} // namespace

void MathRedactor::CopyToClipboard() {
    if (!m_model.SelectionShown()) {
        return;
    }
    m_model.Copy();
    auto* data = new QMimeData;
    data->setData(QLatin1String(kClipboardFormat), QByteArray::fromStdString(m_model.Clipboard()));
    data->setText(PlainTextOf(m_model.Clipboard()));
    QGuiApplication::clipboard()->setMimeData(data);
}

void MathRedactor::CutToClipboard() {
    if (!m_model.SelectionShown() || IsSolving()) {
        return;
    }
    CopyToClipboard();
    Edit([&] { m_model.Cut(); });
}

// The editor's own text is pasted as it was copied; plain text is read as linear notation and
// pasted as the formula it means. Text that cannot be read changes nothing and says why.
void MathRedactor::PasteFromClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || IsSolving()) {
        return;
    }
    std::string piece;
    if (data->hasFormat(QLatin1String(kClipboardFormat))) {
        piece = data->data(QLatin1String(kClipboardFormat)).toStdString();
    } else if (data->hasText()) {
        const QByteArray text = data->text().trimmed().toUtf8();
        if (text.isEmpty()) {
            return;
        }
        const LinearReading reading = ReadLinearNotation(std::string_view(text.constData(), text.size()));
        const std::optional<std::string> editorForm =
            reading.Refused() || !reading.tree ? std::nullopt : WriteEditorForm(*reading.tree);
        if (!editorForm) {
            ShowProblemMessage(reading.Refused()
                                   ? tr("The pasted text cannot be read: column %1: %2")
                                         .arg(reading.column)
                                         .arg(QString::fromStdString(reading.error))
                                   : tr("The pasted text is not a problem this program solves."));
            return;
        }
        piece = editorForm->substr(1);
    }
    if (piece.empty()) {
        return;
    }
    m_model.SetClipboard(std::move(piece));
    Edit([&] { m_model.Paste(); });
}

// --- undo -----------------------------------------------------------------------------------------

void MathRedactor::RestoreState(const EditorState& state) {
    m_model.Load(state.text);
    m_model.PlaceCaret(state.caret);
    m_problemMessage.clear();
    Refresh();
    emit TextChanged();
}

void MathRedactor::Undo() {
    if (IsSolving()) {
        return;
    }
    if (const std::optional<EditorState> state = m_history.Undo({m_model.Text(), m_model.Caret()})) {
        RestoreState(*state);
    }
}

void MathRedactor::Redo() {
    if (IsSolving()) {
        return;
    }
    if (const std::optional<EditorState> state = m_history.Redo({m_model.Text(), m_model.Caret()})) {
        RestoreState(*state);
    }
}

// The usual keys of the clipboard and the history, and Enter to solve.
bool MathRedactor::HandleShortcut(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers == Qt::ControlModifier;
    const bool controlShift = modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        Solve();
    } else if (event.matches(QKeySequence::Cut)) {
        CutToClipboard();
    } else if (event.matches(QKeySequence::Copy)) {
        CopyToClipboard();
    } else if (event.matches(QKeySequence::Paste)) {
        PasteFromClipboard();
    } else if (control && event.key() == Qt::Key_Z) {
        Undo();
    } else if ((controlShift && event.key() == Qt::Key_Z) || (control && event.key() == Qt::Key_Y)) {
        Redo();
    } else {
        return false;
    }
    return true;
}

// --- the message about the problem ----------------------------------------------------------------

void MathRedactor::ShowProblemMessage(const QString& message) {
    m_problemMessage = message;
    update();
}

void MathRedactor::PaintProblemMessage(QPainter& painter) {
    if (m_problemMessage.isEmpty()) {
        return;
    }
    QFont font = this->font();
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(QColor(180, 0, 0));
    // Right under the formula, where the eye is.
    const int top = std::max(FormulaOrigin().y() + m_word.Height(m_graphics), 0) + 2 * kMargin;
    const QRect area = FormulaArea().adjusted(kMargin, top, -kMargin, -kMargin);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_problemMessage);
}
