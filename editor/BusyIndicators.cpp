#include "editor/BusyIndicators.h"

#include <QPainter>
#include <QPixmap>
#include <QtMath>

namespace {

constexpr int kCursorFrames = 12;
constexpr int kCursorSize = 32;
constexpr int kCursorFrameMilliseconds = 80;
constexpr int kAnimationFrames = 36;
constexpr int kAnimationFrameMilliseconds = 70;

// A ring of dots, the brightest at step, fading behind it.
QPixmap CursorFrame(int step) {
    QPixmap pixmap(kCursorSize, kCursorSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kCursorSize / 2.0, kCursorSize / 2.0);
    for (int dot = 0; dot < kCursorFrames; ++dot) {
        const double angle = 2 * M_PI * dot / kCursorFrames;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * (kCursorSize / 2.0 - 5);
        const int age = (step - dot + kCursorFrames) % kCursorFrames;
        QColor colour(0, 0, 160);
        colour.setAlpha(255 - age * 255 / kCursorFrames);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(colour);
        painter.drawEllipse(at, 3.5, 3.5);
    }
    return pixmap;
}

} // namespace

CBusyCursor::CBusyCursor(QWidget* widget) : QObject(widget), m_widget(widget) {
    m_frames.reserve(kCursorFrames);
    for (int step = 0; step < kCursorFrames; ++step) {
        m_frames.emplace_back(CursorFrame(step));
    }
    m_timer.setInterval(kCursorFrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &CBusyCursor::NextFrame);
}

void CBusyCursor::Start() {
    m_frame = 0;
    m_widget->setCursor(m_frames[m_frame]);
    m_timer.start();
}

void CBusyCursor::Stop() {
    m_timer.stop();
    m_widget->unsetCursor();
}

void CBusyCursor::NextFrame() {
    m_frame = (m_frame + 1) % m_frames.size();
    m_widget->setCursor(m_frames[m_frame]);
}

CCornerAnimation::CCornerAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSize, kSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer.setInterval(kAnimationFrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kAnimationFrames;
        update();
    });
}

void CCornerAnimation::Play() {
    show();
    m_timer.start();
}

void CCornerAnimation::Stop() {
    m_timer.stop();
}

void CCornerAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kSize / 2.0, kSize / 2.0);
    // The orbit is tilted: an ellipse, the body passes behind the centre on its upper half.
    const double angle = 2 * M_PI * m_frame / kAnimationFrames;
    const QPointF body = centre + QPointF(std::cos(angle) * 19, std::sin(angle) * 8);
    const bool behind = std::sin(angle) < 0;
    painter.setPen(QPen(QColor(120, 140, 200), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 19, 8);
    const auto drawBody = [&] {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(220, 60, 40));
        painter.drawEllipse(body, 4, 4);
    };
    if (behind) {
        drawBody();
    }
    QRadialGradient glow(centre - QPointF(3, 3), 12);
    glow.setColorAt(0, QColor(255, 240, 160));
    glow.setColorAt(1, QColor(230, 150, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 9, 9);
    if (!behind) {
        drawBody();
    }
}
