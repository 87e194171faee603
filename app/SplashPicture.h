#pragma once

// The picture the solution view shows before the first solution. The first time it is shown it is
// revealed in random 4 x 4 blocks (at positions that are multiples of 4) before the whole picture
// appears; the reveal runs over a few frames so that it can be seen.

#include <QImage>

#include <random>

class CSplashPicture {
public:
    static constexpr int kBlockSide = 4;
    static constexpr int kRevealBlocks = 30'000;
    static constexpr int kRevealFrames = 10;

    // Loads the picture; false (and no picture) when the file cannot be read.
    bool Load(const QString& path);
    bool IsLoaded() const { return !m_picture.isNull(); }
    void Unload();

    // Copies the next frame's blocks onto what is shown; after the last frame the whole picture.
    // Returns whether more frames follow.
    bool RevealNextFrame();
    void RevealAll();
    bool IsRevealed() const { return m_framesLeft == 0; }

    // What is shown so far (transparent where nothing is revealed yet).
    const QImage& Shown() const { return m_shown; }
    const QImage& Picture() const { return m_picture; }

private:
    QImage m_picture;
    QImage m_shown;
    int m_framesLeft = 0;
    std::mt19937 m_random{std::random_device{}()};
};
