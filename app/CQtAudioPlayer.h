#pragma once

// The audio player over Qt Multimedia (QSoundEffect). Before every clip it checks that an audio
// output device exists: with none, Qt's sound effect would report nothing and stay "playing" for
// ever, so the clip counts as not played instead. Every clip is bounded by its WAV length plus
// kClipMargin.

#include "app/CAudioPlayer.h"

#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

class QSoundEffect;

class CQtAudioPlayer : public CAudioPlayer {
public:
    static constexpr std::chrono::milliseconds kClipMargin{300};

    CQtAudioPlayer();
    ~CQtAudioPlayer() override;

    // Replaces the test for an audio output device (by default: Qt lists at least one).
    void SetDeviceProbe(std::function<bool()> hasOutputDevice);

    bool Start(const QString& fileName, std::function<void()> finished = {}) override;
    bool PlayToEnd(const QString& fileName) override;
    void Stop() override;
    bool IsPlaying() const override { return m_effect != nullptr; }

private:
    // Ends the current clip and calls its finished function.
    void EndClip();

    std::function<bool()> m_hasOutputDevice;
    std::unique_ptr<QSoundEffect, void (*)(QSoundEffect*)> m_effect;
    std::function<void()> m_finished;
    QTimer m_timeBound;
};
