#include "app/CQtAudioPlayer.h"

#include "app/WavLength.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <utility>

namespace {

bool QtListsAnOutputDevice() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

// A sound effect may still be inside one of its own signals when its clip ends, so it is deleted
// from the event loop.
void DeleteLater(QSoundEffect* effect) {
    if (effect != nullptr) {
        effect->disconnect();
        effect->stop();
        effect->deleteLater();
    }
}

} // namespace

CQtAudioPlayer::CQtAudioPlayer() : m_hasOutputDevice(QtListsAnOutputDevice), m_effect(nullptr, DeleteLater) {
    m_timeBound.setSingleShot(true);
    QObject::connect(&m_timeBound, &QTimer::timeout, [this] { EndClip(); });
}

CQtAudioPlayer::~CQtAudioPlayer() {
    m_finished = nullptr;
    m_effect.reset();
}

void CQtAudioPlayer::SetDeviceProbe(std::function<bool()> hasOutputDevice) {
    m_hasOutputDevice = std::move(hasOutputDevice);
}

bool CQtAudioPlayer::Start(const QString& fileName, std::function<void()> finished) {
    Stop();
    if (!m_hasOutputDevice()) {
        return false;
    }
    const auto length = WavLength(fileName.toStdString());
    if (!length) {
        return false;
    }
    m_effect.reset(new QSoundEffect);
    m_finished = std::move(finished);
    QSoundEffect* effect = m_effect.get();
    QObject::connect(effect, &QSoundEffect::playingChanged, [this, effect] {
        if (!effect->isPlaying() && effect->status() == QSoundEffect::Ready) {
            EndClip();
        }
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, [this, effect] {
        if (effect->status() == QSoundEffect::Error) {
            EndClip();
        }
    });
    effect->setSource(QUrl::fromLocalFile(fileName));
    effect->play();
    if (IsPlaying()) {
        m_timeBound.start(*length + kClipMargin);
    }
    return true;
}

bool CQtAudioPlayer::PlayToEnd(const QString& fileName) {
    QEventLoop loop;
    bool ended = false;
    const bool started = Start(fileName, [&] {
        ended = true;
        loop.quit();
    });
    if (started && !ended) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return started;
}

void CQtAudioPlayer::Stop() {
    if (IsPlaying()) {
        EndClip();
    }
}

void CQtAudioPlayer::EndClip() {
    m_timeBound.stop();
    m_effect.reset();
    if (auto finished = std::exchange(m_finished, nullptr)) {
        finished();
    }
}
