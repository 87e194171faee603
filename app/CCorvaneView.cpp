#include "app/CCorvaneView.h"

#include "app/CCorvaneDoc.h"
#include "app/CVoice.h"
#include "output/LanguageTables.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace {

// The area a symbol covers, relative to its word's origin; lines are two units wide.
QRect SymbolRect(const MySymbol& symbol, int originX, int originY) {
    if (symbol.type == kSymbolGlyph) {
        return QRect(originX + symbol.x, originY + symbol.y, symbol.width + 2, symbol.height + 1);
    }
    const QRect line = QRect(QPoint(originX + symbol.x, originY + symbol.y),
                             QPoint(originX + symbol.x2, originY + symbol.y2))
                           .normalized();
    return line.adjusted(-2, -2, 2, 2);
}

// A dark thumb on a light groove, without arrow buttons (%1 the orientation, %2 the length, %3 the
// thickness).
constexpr char kScrollBarStyle[] =
    "QScrollBar:%1 { background: #e6e6e6; border: none; margin: 0; %3: 16px; }"
    "QScrollBar::handle:%1 { background: #7f7f7f; border-radius: 4px; margin: 2px; min-%2: 32px; }"
    "QScrollBar::handle:%1:hover { background: #5f5f5f; }"
    "QScrollBar::add-line:%1, QScrollBar::sub-line:%1 { %2: 0; border: none; }"
    "QScrollBar::add-page:%1, QScrollBar::sub-page:%1 { background: none; }";

int ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().width() : 0;
}

} // namespace

CCorvaneView::CCorvaneView(const CCorvaneDoc& document, const CLanguageTables& texts, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document), m_texts(texts), m_device(viewport()),
      m_graphics(m_device) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    // The thumbs stand out from their grooves: the style's light grey on grey is hardly seen.
    verticalScrollBar()->setStyleSheet(
        QString::fromLatin1(kScrollBarStyle)
            .arg(QStringLiteral("vertical"), QStringLiteral("height"), QStringLiteral("width")));
    horizontalScrollBar()->setStyleSheet(
        QString::fromLatin1(kScrollBarStyle)
            .arg(QStringLiteral("horizontal"), QStringLiteral("width"), QStringLiteral("height")));
    m_timer.setInterval(kOutputIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
        // A step may stop the timer (a band's end with line-by-line output, the voice): no more then.
        for (int step = StepsPerTick(); step > 0 && m_timer.isActive(); --step) {
            AdvanceOutput();
        }
    });
    QObject::connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        m_followingEnd = value > 0 && value == verticalScrollBar()->maximum();
    });
    m_splashTimer.setInterval(kSplashFrameMs);
    QObject::connect(&m_splashTimer, &QTimer::timeout, this, [this] {
        if (!m_splash.RevealNextFrame()) {
            m_splashTimer.stop();
        }
        viewport()->update();
    });
}

CCorvaneView::~CCorvaneView() = default;

namespace {

struct PaceTiming {
    int intervalMs;
    int stepsPerTick;
};

// Slow is one glyph every 100 ms; at once writes everything in the first tick (still stopping at a
// band's end with line-by-line output, and for the voice).
constexpr PaceTiming kPaceTimings[] = {{100, 1}, {30, 1}, {10, 3}, {0, 1'000'000}};

} // namespace

void CCorvaneView::SetPace(OutputPace pace) {
    m_pace = pace;
    m_timer.setInterval(kPaceTimings[static_cast<int>(pace)].intervalMs);
}

int CCorvaneView::StepsPerTick() const {
    return kPaceTimings[static_cast<int>(m_pace)].stepsPerTick;
}

void CCorvaneView::SetLineByLine(bool on) {
    m_lineByLine = on;
    if (!on) {
        ResumeOutput();
    }
}

void CCorvaneView::SetComplete(bool complete) {
    const bool changed = complete != m_complete;
    m_complete = complete;
    if (changed && m_outputStateListener) {
        m_outputStateListener();
    }
}

// --- layout ----------------------------------------------------------------------------------------

ViewGeometry CCorvaneView::Geometry() const {
    ViewGeometry geometry;
    geometry.fontHeight = kViewFontHeight * m_zoom / kNormalZoom;
    // The width within the frame less a vertical scroll bar, whether it is shown yet or not: the bar
    // that appears as the output goes down does not lay the records out again.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    geometry.wrapWidth = std::max(contentsRect().width() - scrollBar - kWrapMargin, 1);
    return geometry;
}

void CCorvaneView::Build() {
    const CLanguageTables& texts = m_texts;
    const ViewGeometry geometry = Geometry();
    m_wrapWidth = geometry.wrapWidth;
    m_device.SetLineWidth(CQtLayoutDevice::kScreenLineWidth * m_zoom / kNormalZoom);
    m_lines.Build(
        m_document.solution, m_textComments, [&texts](CommentIDType id) { return texts.CommentText(id); },
        m_graphics, ScreenWidth(), geometry);
    m_strikesShown.assign(m_lines.Lines().size(), false);
}

void CCorvaneView::SetZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_zoom) {
        return;
    }
    m_zoom = percent;
    if (LineCount() > 0 && (!m_solutionReadable || m_solutionReadable())) {
        LayOutAgain();
    }
    if (m_zoomListener) {
        m_zoomListener(m_zoom);
    }
}

void CCorvaneView::LayOutNewSolution() {
    Build();
    m_currentLine = LineCount() > 0 ? 0 : -1;
    m_currentItem = 0;
    m_scrollSize = QSize();
    UpdateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void CCorvaneView::LayOutAgain() {
    const int keep = m_currentLine;
    Build();
    ShowLinesWholeUpTo(LineCount() > 0 ? std::clamp(keep, 0, LineCount() - 1) : -1);
}

// Shows lines 0 to last whole, makes the last of them current with nothing left to write in it, and lets
// the scroll area cover them (-1: no line).
void CCorvaneView::ShowLinesWholeUpTo(int last) {
    int width = 0;
    for (int line = 0; line <= last; ++line) {
        ShowLineWhole(line);
        width = std::max(width, m_lines.Lines()[line].textRight);
    }
    m_currentLine = last;
    m_currentItem = last >= 0 ? m_lines.Lines()[last].items.size() : 0;
    m_scrollSize = last >= 0 ? QSize(width, m_lines.Lines()[last].band.bottom) : QSize();
    UpdateScrollBars();
    viewport()->update();
}

void CCorvaneView::ShowLineWhole(int line) {
    LineStruct& viewLine = m_lines.Lines()[line];
    viewLine.shown = true;
    for (TypeStruct& item : viewLine.items) {
        if (item.kind == TypeStruct::Kind::Word && item.word != nullptr) {
            item.lastShown = static_cast<int>(item.word->Symbols(m_graphics).size()) - 1;
        }
    }
    m_strikesShown[line] = true;
}

// --- output ----------------------------------------------------------------------------------------

void CCorvaneView::StartOutput() {
    if (m_currentLine < 0) {
        SetComplete(true);
        return;
    }
    SetComplete(false);
    m_timer.start();
}

void CCorvaneView::AdvanceOutput() {
    std::vector<LineStruct>& lines = m_lines.Lines();
    for (;;) {
        if (m_currentLine < 0 || m_currentLine >= LineCount()) {
            FinishOutput();
            return;
        }
        LineStruct& line = lines[m_currentLine];
        if (!line.shown) {
            RevealLine(m_currentLine);
        }
        if (m_currentItem >= line.items.size()) {
            if (VoicePlaying()) {
                return;
            }
            if (m_currentLine + 1 >= LineCount()) {
                FinishOutput();
                return;
            }
            ++m_currentLine;
            m_currentItem = 0;
            if (m_lineByLine) {
                m_timer.stop();
                return;
            }
            continue;
        }
        TypeStruct& item = line.items[m_currentItem];
        if (item.kind == TypeStruct::Kind::SoundCue) {
            if (m_soundComments && m_voice != nullptr) {
                if (m_voice->IsCommentClipPlaying()) {
                    return;
                }
                m_voice->PlayCommentClip(item.comment);
            }
            if (item.repaintsPrevious && m_currentLine > 0) {
                RevealStrikes(m_currentLine - 1);
            }
            ++m_currentItem;
            continue;
        }
        if (ShowNextSymbol(item)) {
            return;
        }
        ++m_currentItem;
    }
}

bool CCorvaneView::ShowNextSymbol(TypeStruct& item) {
    if (item.word == nullptr) {
        return false;
    }
    std::vector<MySymbol>& symbols = item.word->Symbols(m_graphics);
    const int count = static_cast<int>(symbols.size());
    if (item.spoken && m_soundComments && m_voice != nullptr && item.lastShown < count - 1) {
        SpeakFormula(item);
        return true;
    }
    const QPoint offset = ScrollOffset();
    const int visibleLeft = offset.x();
    const int visibleRight = offset.x() + viewport()->width();
    while (item.lastShown + 1 < count) {
        const MySymbol& symbol = symbols[++item.lastShown];
        const QRect area = SymbolRect(symbol, item.x, item.y);
        if (area.right() < visibleLeft || area.left() > visibleRight) {
            continue;
        }
        if (symbol.type != kSymbolStrikeLine) {
            viewport()->update(area.translated(-offset));
        }
        return true;
    }
    return false;
}

// A formula read aloud: each spoken piece is drawn, then heard; the output waits meanwhile.
void CCorvaneView::SpeakFormula(TypeStruct& item) {
    m_timer.stop();
    const int count = static_cast<int>(item.word->Symbols(m_graphics).size());
    m_voice->SpeakFormula(*item.word, m_graphics, [this, &item, count](const MyGolos& piece) {
        item.lastShown = std::clamp(static_cast<int>(piece.last), item.lastShown, count - 1);
        viewport()->repaint();
    });
    item.lastShown = count - 1;
    viewport()->update();
    m_timer.start();
}

void CCorvaneView::RevealLine(int line) {
    LineStruct& viewLine = m_lines.Lines()[line];
    const QPoint offset = ScrollOffset();
    const bool below = viewLine.band.bottom > offset.y() + viewport()->height();
    const bool wider = viewLine.textRight > offset.x() + viewport()->width();
    if (below) {
        m_scrollSize.setHeight(std::max(m_scrollSize.height(), viewLine.band.bottom));
    }
    if (wider) {
        m_scrollSize.setWidth(std::max(m_scrollSize.width(), viewLine.textRight));
    }
    if (below || wider) {
        // The view glides to the new end below instead of jumping there with the scroll range.
        m_followingEnd = m_followingEnd && !below;
        UpdateScrollBars();
    }
    if (below) {
        GlideToEnd();
    }
    viewLine.shown = true;
    viewport()->update(BandArea(line));
}

// A band that appears below the visible area is scrolled in one pixel at a time, each step drawn, so
// that the eye follows the solution down; all at once, and a view not on screen, jump to the end.
void CCorvaneView::GlideToEnd() {
    QScrollBar* bar = verticalScrollBar();
    if (m_pace == OutputPace::AtOnce || !viewport()->isVisible()) {
        bar->setValue(bar->maximum());
        return;
    }
    while (bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + 1);
        viewport()->repaint(0, viewport()->height() - 1, viewport()->width(), 1);
    }
}

void CCorvaneView::RevealStrikes(int line) {
    m_strikesShown[line] = true;
    viewport()->update(BandArea(line));
}

void CCorvaneView::FinishOutput() {
    m_timer.stop();
    SetComplete(true);
    m_currentLine = LineCount() - 1;
    std::fill(m_strikesShown.begin(), m_strikesShown.end(), true);
    viewport()->update();
}

void CCorvaneView::ResumeOutput() {
    if (!m_complete && m_currentLine >= 0 && !m_timer.isActive()) {
        m_timer.start();
    }
}

void CCorvaneView::ShowAll() {
    m_timer.stop();
    StopVoice();
    ShowLinesWholeUpTo(LineCount() - 1);
    SetComplete(true);
}

bool CCorvaneView::ReplayAt(QPoint point) {
    const QPoint content = point + ScrollOffset();
    const std::vector<LineStruct>& lines = m_lines.Lines();
    for (int line = 0; line < LineCount(); ++line) {
        const ::BandRect& band = lines[line].band;
        if (lines[line].shown && content.y() >= band.top && content.y() < band.bottom &&
            content.x() >= band.left &&
            content.x() < std::max(band.right, ScrollOffset().x() + viewport()->width())) {
            Replay(line);
            return true;
        }
    }
    return false;
}

void CCorvaneView::Replay(int line) {
    if (line < 0 || line >= LineCount()) {
        return;
    }
    m_timer.stop();
    StopVoice();
    m_currentLine = line;
    m_currentItem = 0;
    for (int later = line; later < LineCount(); ++later) {
        LineStruct& viewLine = m_lines.Lines()[later];
        viewLine.shown = false;
        for (TypeStruct& item : viewLine.items) {
            item.lastShown = -1;
        }
        m_strikesShown[later] = false;
    }
    SetComplete(false);
    viewport()->update();
    m_timer.start();
}

void CCorvaneView::StopVoice() {
    if (m_voice != nullptr) {
        m_voice->StopCommentClip();
    }
}

bool CCorvaneView::VoicePlaying() const {
    return m_soundComments && m_voice != nullptr && m_voice->IsCommentClipPlaying();
}

// --- splash ----------------------------------------------------------------------------------------

bool CCorvaneView::LoadSplash(const QString& path) {
    const bool loaded = m_splash.Load(path);
    viewport()->update();
    return loaded;
}

void CCorvaneView::SplashOff() {
    m_splashTimer.stop();
    m_splash.Unload();
    viewport()->update();
}

void CCorvaneView::RevealSplashAtOnce() {
    m_splashTimer.stop();
    m_splash.RevealAll();
    viewport()->update();
}

void CCorvaneView::PaintSplash(QPainter& painter) {
    if (!m_splash.IsRevealed() && !m_splashTimer.isActive()) {
        m_splashTimer.start();
    }
    const QImage& shown = m_splash.Shown();
    const QPoint topLeft((viewport()->width() - shown.width()) / 2,
                         (viewport()->height() - shown.height()) / 2);
    painter.drawImage(topLeft, shown);
}

// --- painting and scrolling ------------------------------------------------------------------------

QPoint CCorvaneView::ScrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QRect CCorvaneView::BandArea(int line) const {
    const LineStruct& viewLine = m_lines.Lines()[line];
    const QPoint offset = ScrollOffset();
    const int right = std::max(viewLine.band.right, offset.x() + viewport()->width());
    return QRect(QPoint(viewLine.band.left, viewLine.band.top), QPoint(right, viewLine.band.bottom - 1))
        .translated(-offset);
}

void CCorvaneView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    if (m_splash.IsLoaded()) {
        PaintSplash(painter);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPoint offset = ScrollOffset();
    painter.translate(-offset);
    PaintBands(painter, event->rect().translated(offset));
}

void CCorvaneView::PaintBands(QPainter& painter, const QRect& area) {
    m_device.SetPainter(&painter);
    m_graphics.Fonts().ResetSelection();
    const int visibleRight = ScrollOffset().x() + viewport()->width();
    std::vector<LineStruct>& lines = m_lines.Lines();
    for (int line = 0; line < LineCount(); ++line) {
        LineStruct& viewLine = lines[line];
        if (viewLine.band.bottom <= area.top() || viewLine.band.top > area.bottom()) {
            continue;
        }
        if (viewLine.shown) {
            PaintBand(m_device, viewLine, visibleRight);
        }
        for (TypeStruct& item : viewLine.items) {
            PaintItem(item, area, m_strikesShown[line]);
        }
    }
    m_device.SetPainter(nullptr);
}

void CCorvaneView::PaintItem(TypeStruct& item, const QRect& area, bool withStrikes) {
    if (item.kind != TypeStruct::Kind::Word || item.word == nullptr || item.lastShown < 0) {
        return;
    }
    std::vector<MySymbol>& symbols = item.word->Symbols(m_graphics);
    const int last = std::min(item.lastShown, static_cast<int>(symbols.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        MySymbol& symbol = symbols[i];
        if (symbol.type == kSymbolStrikeLine && !withStrikes) {
            continue;
        }
        const QRect symbolArea = SymbolRect(symbol, item.x, item.y);
        if (symbolArea.right() < area.left() || symbolArea.left() > area.right()) {
            continue;
        }
        PaintSymbol(m_graphics, symbol, m_language, item.x, item.y);
    }
}

void CCorvaneView::UpdateScrollBars() {
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_scrollSize.width() - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(kLineStep);
    // A view that showed the end goes on showing it when the visible area shrinks (a scroll bar that
    // appears takes its height), so the last band is never cut.
    const bool followEnd = m_followingEnd;
    verticalScrollBar()->setRange(0, std::max(0, m_scrollSize.height() - page.height()));
    if (followEnd) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(kLineStep);
}

void CCorvaneView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // Records wrap at the window's width: another width lays them out again.
    const bool rewrap = LineCount() > 0 && Geometry().wrapWidth != m_wrapWidth &&
                        (!m_solutionReadable || m_solutionReadable());
    if (rewrap) {
        LayOutAgain();
    }
    UpdateScrollBars();
}

// Only the strip a scroll uncovers is painted anew; the rest of the picture moves.
void CCorvaneView::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy);
}

void CCorvaneView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        SetZoom(m_zoom + notches * kZoomStep);
    }
    event->accept();
}

namespace {

// How a key scrolls: Page Up, Page Down, Home and End move vertically (horizontally with Shift) by a
// page or to an end; the arrows move by a line in their own direction.
struct KeyScroll {
    int key;
    QAbstractSlider::SliderAction action;
    bool followsShift;
    bool horizontal;
};

constexpr KeyScroll kKeyScrolls[] = {
    {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub, true, false},
    {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd, true, false},
    {Qt::Key_Home, QAbstractSlider::SliderToMinimum, true, false},
    {Qt::Key_End, QAbstractSlider::SliderToMaximum, true, false},
    {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub, false, false},
    {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd, false, false},
    {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub, false, true},
    {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd, false, true},
};

} // namespace

void CCorvaneView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    for (const KeyScroll& scroll : kKeyScrolls) {
        if (scroll.key == event->key()) {
            const bool horizontal = scroll.horizontal || (scroll.followsShift && shift);
            (horizontal ? horizontalScrollBar() : verticalScrollBar())->triggerAction(scroll.action);
            return;
        }
    }
    if (!event->text().isEmpty() && event->text().front().isPrint()) {
        if (m_lineByLine) {
            ResumeOutput();
        }
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CCorvaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    ReplayAt(event->position().toPoint());
}
