#pragma once

// The two small animations of the editor, both drawn by the program: the animated busy cursor shown
// while a solve runs, and the corner animation that plays while the editor is idle.

#include <QCursor>
#include <QTimer>
#include <QWidget>

#include <vector>

// Cycles the cursor of a widget through frames of a turning ring while it runs.
class CBusyCursor final : public QObject {
public:
    explicit CBusyCursor(QWidget* widget);

    void Start();
    // Gives the widget its own cursor back.
    void Stop();
    bool IsRunning() const { return m_timer.isActive(); }

private:
    void NextFrame();

    QWidget* m_widget = nullptr;
    std::vector<QCursor> m_frames;
    std::size_t m_frame = 0;
    QTimer m_timer;
};

// A 50 x 50 animation of a small body on its orbit, for the editor's top right corner.
class CCornerAnimation final : public QWidget {
public:
    static constexpr int kSize = 50;

    explicit CCornerAnimation(QWidget* parent);

    void Play();
    void Stop();
    bool IsPlaying() const { return m_timer.isActive(); }
    int Frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};
