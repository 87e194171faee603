#include "editor/MathRedactor.h"

#include "editor/BusyIndicators.h"
#include "editor/CSolveRunner.h"
#include "editor/EditorText.h"
#include "editor/LastProblemFile.h"
#include "editor/ProblemFault.h"
#include "markup/MarkupCharacters.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <optional>

namespace {

// The hit test reaches this far down for glyphs whose band is the whole formula.
constexpr int kWholeFormulaBandBottom = 760;
constexpr int kElapsedTimeFontHeight = 32;
constexpr int kElapsedTimeRightGap = 3;
constexpr int kSecondMilliseconds = 1000;
constexpr char kFinishSound[] = "Res/siren4.wav";
constexpr unsigned char kBackspace = 8;
constexpr char16_t kDivisionSignCharacter = 0x00F7;

std::optional<EditorKey> EditorKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Home:
        return EditorKey::Home;
    case Qt::Key_End:
        return EditorKey::End;
    case Qt::Key_Left:
        return EditorKey::Left;
    case Qt::Key_Right:
        return EditorKey::Right;
    case Qt::Key_Up:
        return EditorKey::Up;
    case Qt::Key_Down:
        return EditorKey::Down;
    case Qt::Key_Delete:
        return EditorKey::Delete;
    default:
        return std::nullopt;
    }
}

// The byte a typed character stands for; 0 for one the editor does not take.
unsigned char TypedByte(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace) {
        return kBackspace;
    }
    const QString text = event.text();
    if (text.size() != 1) {
        return 0;
    }
    const char16_t code = text.front().unicode();
    if (code == kDivisionSignCharacter) {
        return MarkupBytes::kDivisionSign;
    }
    return code < 0x80 ? static_cast<unsigned char>(code) : 0;
}

QRect ToQRect(const FormulaRect& box, QPoint origin) {
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1)).translated(origin);
}

} // namespace

MathRedactor::MathRedactor(QWidget* parent)
    : QWidget(parent), m_model([this](const std::string& text) { return FormulaLaysOut(m_graphics, text); }),
      m_device(this), m_graphics(m_device), m_word(" ~", kFontKindFormula, kEditorFontHeight, kEditorColor),
      m_runner(new CSolveRunner(this)), m_busyCursor(new CBusyCursor(this)),
      m_animation(new CCornerAnimation(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    m_caretTimer.setInterval(kCaretBlinkMilliseconds);
    connect(&m_caretTimer, &QTimer::timeout, this, &MathRedactor::BlinkCaret);
    m_elapsedTimer.setInterval(kSecondMilliseconds);
    connect(&m_elapsedTimer, &QTimer::timeout, this, [this] { update(ElapsedRect()); });
    connect(m_runner, &CSolveRunner::Finished, this, &MathRedactor::FinishSolve);
    CreateActions();
    ApplyLanguageTexts();
    Refresh();
    m_animation->Play();
}

MathRedactor::~MathRedactor() {
    // The worker may still be writing the solution list: wait for it before the list goes.
    delete m_runner;
    m_runner = nullptr;
}

void MathRedactor::SetPendingExample(std::string text) {
    m_pendingExample = std::move(text);
}

void MathRedactor::LoadProblem() {
    m_model.Load(m_pendingExample);
    m_history.Clear();
    m_problemMessage.clear();
    Refresh();
    StartCaret();
}

void MathRedactor::SetLanguage(int language) {
    m_model.SetLanguage(language);
    ApplyLanguageTexts();
    update();
}

void MathRedactor::PlayAnimation() {
    m_animation->Play();
}

bool MathRedactor::IsSolving() const {
    return m_runner != nullptr && m_runner->IsRunning();
}

bool MathRedactor::AnimationPlaying() const {
    return m_animation->IsPlaying() && m_animation->isVisible();
}

bool MathRedactor::BusyCursorShown() const {
    return m_busyCursor->IsRunning();
}

QSize MathRedactor::sizeHint() const {
    return {640, 200};
}

// --- editing ----------------------------------------------------------------------------------------

void MathRedactor::Edit(const std::function<void()>& edit) {
    // The problem stays as it was handed to the solver until the solve ends.
    if (IsSolving()) {
        return;
    }
    EditorState before{m_model.Text(), m_model.Caret()};
    edit();
    if (m_model.Text() != before.text) {
        m_history.Record(std::move(before));
        m_problemMessage.clear();
        Refresh();
        emit TextChanged();
    } else {
        Refresh();
    }
}

void MathRedactor::Refresh() {
    m_word.SetText(m_model.DisplayText());
    m_word.Measure(m_graphics);
    m_caretShown = m_caretTimer.isActive();
    KeepCaretVisible();
    UpdateActions();
    update();
}

// --- scrolling ----------------------------------------------------------------------------------------

QRect MathRedactor::FormulaArea() const {
    // The corner animation keeps a column of its own on the right, so it never covers the formula.
    return QRect(0, 0, std::max(width() - CCornerAnimation::kSize - kMargin, 2 * kMargin + 1), height());
}

QPoint MathRedactor::FormulaOrigin() const {
    return QPoint(kMargin, kMargin) - m_scroll;
}

// Scrolls the formula just far enough that the caret, with a margin around it, lies in the formula's
// area; at the start of a line or of the formula the scroll goes back to zero.
void MathRedactor::KeepCaretVisible() {
    const CaretLine caret = CaretLineAt(m_model.Text(), m_model.Caret(), Symbols(), kEditorFontHeight);
    const QRect area = FormulaArea();
    const auto keepWithin = [](int scroll, int low, int high, int extent) {
        if (high - scroll > extent - kMargin) {
            scroll = high - (extent - kMargin);
        }
        if (low - scroll < 0) {
            scroll = low;
        }
        return std::max(scroll, 0);
    };
    const int x = caret.x + kMargin;
    m_scroll.setX(keepWithin(m_scroll.x(), x - kMargin, x + 1, area.width()));
    const int top = caret.top + kMargin;
    m_scroll.setY(keepWithin(m_scroll.y(), top - kMargin, top + caret.height, area.height()));
}

const std::vector<MySymbol>& MathRedactor::Symbols() {
    return m_word.Symbols(m_graphics);
}

CaretLine MathRedactor::Caret() {
    CaretLine line = CaretLineAt(m_model.Text(), m_model.Caret(), Symbols(), kEditorFontHeight);
    line.x += FormulaOrigin().x();
    line.top += FormulaOrigin().y();
    return line;
}

QRect MathRedactor::SelectionRect() {
    if (!m_model.SelectionShown()) {
        return {};
    }
    const FormulaRect box =
        SymbolsBox(m_model.Text(), m_model.SelectionStart(), m_model.SelectionEnd(), Symbols());
    return box.IsEmpty() ? QRect() : ToQRect(box, FormulaOrigin());
}

void MathRedactor::keyPressEvent(QKeyEvent* event) {
    if (HandleShortcut(*event)) {
        return;
    }
    if (const std::optional<EditorKey> key = EditorKeyOf(event->key())) {
        const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
        Edit([&] { m_model.PressKey(*key, shift); });
        return;
    }
    const unsigned char byte = TypedByte(*event);
    bool accepted = false;
    if (byte != 0) {
        Edit([&] { accepted = m_model.TypeCharacter(byte); });
    }
    if (!accepted) {
        QWidget::keyPressEvent(event);
    }
}

int MathRedactor::CaretUnderMouse(const QPoint& point) {
    const int bandBottom = std::max(kWholeFormulaBandBottom, height() + m_scroll.y());
    const QPoint inFormula = point - FormulaOrigin();
    return CaretUnderPoint(m_model.Text(), Symbols(), inFormula.x(), inFormula.y(), bandBottom);
}

void MathRedactor::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int position = CaretUnderMouse(event->position().toPoint());
    if (position != EditorText::kNone) {
        Edit([&] { m_model.PlaceCaret(position); });
    }
}

void MathRedactor::mouseMoveEvent(QMouseEvent* event) {
    if (!event->buttons().testFlag(Qt::LeftButton)) {
        return;
    }
    const int position = CaretUnderMouse(event->position().toPoint());
    if (position != EditorText::kNone && position != m_model.Caret()) {
        Edit([&] { m_model.ExtendSelectionTo(position); });
    }
}

// --- caret --------------------------------------------------------------------------------------------

void MathRedactor::StartCaret() {
    m_caretShown = true;
    m_caretTimer.start();
    update();
}

void MathRedactor::StopCaret() {
    m_caretTimer.stop();
    m_caretShown = false;
    update();
}

void MathRedactor::BlinkCaret() {
    m_caretShown = !m_caretShown;
    const CaretLine caret = Caret();
    update(QRect(caret.x - 1, caret.top - 1, 3, caret.height + 2));
}

void MathRedactor::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (!IsSolving() && !m_caretTimer.isActive()) {
        StartCaret();
    }
}

// --- painting -----------------------------------------------------------------------------------------

void MathRedactor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintFormula(painter);
    PaintSelectionAndCaret(painter);
    PaintElapsedTime(painter);
    PaintProblemMessage(painter);
}

void MathRedactor::PaintFormula(QPainter& painter) {
    painter.save();
    painter.setClipRect(FormulaArea());
    m_device.SetPainter(&painter);
    m_graphics.Fonts().ResetSelection();
    const QPoint origin = FormulaOrigin();
    for (MySymbol& symbol : m_word.Symbols(m_graphics)) {
        if (symbol.type != kSymbolStrikeLine) {
            PaintSymbol(m_graphics, symbol, m_model.Language(), origin.x(), origin.y());
        }
    }
    m_device.SetPainter(nullptr);
    m_graphics.Fonts().ResetSelection();
    painter.restore();
}

void MathRedactor::PaintSelectionAndCaret(QPainter& painter) {
    // Both invert what is under them, as an XOR would.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    if (const QRect selection = SelectionRect(); !selection.isEmpty()) {
        painter.fillRect(selection, Qt::white);
    }
    if (m_caretShown) {
        const CaretLine caret = Caret();
        painter.fillRect(QRect(caret.x, caret.top, 1, std::max(caret.height, 1)), Qt::white);
    }
    painter.restore();
}

// --- solving ------------------------------------------------------------------------------------------

void MathRedactor::Solve() {
    if (IsSolving()) {
        return;
    }
    // A problem with a fault the editor can place stays here, with the fault selected and named.
    if (ShowFault(FindProblemFault(m_model.Text(), m_model.SolverText(), m_kind))) {
        return;
    }
    StopCaret();
    WriteLastProblem(m_userFolder.empty() ? m_baseFolder : m_userFolder, m_kind, m_model.Text());
    m_busyCursor->Start();
    m_solvedProblem = m_model.Text();
    m_solveClock.start();
    m_elapsedTimer.start();
    Solution().RemoveAll();
    m_runner->Start(m_kind, m_model.SolverText(), &Solution());
    UpdateActions();
    update();
}

void MathRedactor::FinishSolve() {
    m_elapsedTimer.stop();
    // The solution is laid out first; the finish sound follows, then the view is shown.
    emit SolutionWritten();
    m_busyCursor->Stop();
    if (m_soundPlayer) {
        m_soundPlayer(m_baseFolder + kFinishSound);
    }
    m_animation->Stop();
    m_animation->hide();
    update();
    emit SolutionReady();
}

QString MathRedactor::ElapsedText() const {
    if (!m_elapsedTimer.isActive()) {
        return {};
    }
    const qint64 seconds = m_solveClock.elapsed() / kSecondMilliseconds;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QRect MathRedactor::ElapsedRect() const {
    const int height = kElapsedTimeFontHeight + 8;
    const int width = 160;
    return QRect(rect().right() - width, rect().bottom() - height, width + 1, height + 1);
}

void MathRedactor::PaintElapsedTime(QPainter& painter) {
    const QString text = ElapsedText();
    if (text.isEmpty()) {
        return;
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kElapsedTimeFontHeight);
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect area = ElapsedRect().adjusted(0, 0, -kElapsedTimeRightGap, 0);
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, text);
}

void MathRedactor::Speak() {
    if (m_speaker && m_word.Measure(m_graphics) == 0) {
        m_speaker(m_word, m_graphics);
    }
}

// --- frame --------------------------------------------------------------------------------------------

void MathRedactor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_animation->move(width() - CCornerAnimation::kSize, 0);
    KeepCaretVisible();
}

void MathRedactor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_animation->move(width() - CCornerAnimation::kSize, 0);
}
