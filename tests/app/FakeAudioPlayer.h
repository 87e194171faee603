#pragma once

// An audio player for tests: it remembers every clip asked for, plays the clips its predicate allows
// (by default those whose file exists) and ends a started clip only when the test says so.

#include "app/CAudioPlayer.h"

#include <QFileInfo>
#include <QStringList>

#include <functional>
#include <utility>

class CFakeAudioPlayer : public CAudioPlayer {
public:
    // Every file passed to Start or PlayToEnd, in order.
    QStringList requested;
    // The files that were played (to the end, for PlayToEnd).
    QStringList played;
    std::function<bool(const QString&)> plays = [](const QString& file) { return QFileInfo::exists(file); };

    bool Start(const QString& fileName, std::function<void()> finished = {}) override {
        Stop();
        requested << fileName;
        if (!plays(fileName)) {
            return false;
        }
        played << fileName;
        m_playing = true;
        m_finished = std::move(finished);
        return true;
    }

    bool PlayToEnd(const QString& fileName) override {
        Stop();
        requested << fileName;
        if (!plays(fileName)) {
            return false;
        }
        played << fileName;
        return true;
    }

    void Stop() override {
        if (m_playing) {
            EndClip();
        }
    }

    bool IsPlaying() const override { return m_playing; }

    // The started clip ends by itself.
    void EndClip() {
        m_playing = false;
        if (auto finished = std::exchange(m_finished, nullptr)) {
            finished();
        }
    }

private:
    bool m_playing = false;
    std::function<void()> m_finished;
};
