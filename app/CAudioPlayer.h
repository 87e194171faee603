#pragma once

// Plays WAV clips: the comment clips and spoken fragments of a solution, the start-up and the
// finish sounds. A clip that cannot be heard (no audio output device, a missing file, a file that is
// not a readable WAV clip) counts as not played, and the caller goes on at once, as it does for a
// missing clip. A clip that is played lasts at most its own length plus a small margin, so a backend
// that never reports the end of a clip cannot hold anybody up.

#include <QString>

#include <functional>

class CAudioPlayer {
public:
    virtual ~CAudioPlayer() = default;

    // Starts the clip in the file and returns at once. False when the clip is not played; then
    // finished is never called. Otherwise finished (when given) is called exactly once, from the
    // event loop, when the clip ends, runs out of its time bound, is stopped or is replaced by the
    // next clip; it is not called when the player is destroyed first. A clip already playing is
    // stopped first.
    virtual bool Start(const QString& fileName, std::function<void()> finished = {}) = 0;

    // Plays the clip in the file and returns when it has ended (within its time bound). User input
    // is held back meanwhile; painting and timers go on. False, at once, when the clip is not played.
    virtual bool PlayToEnd(const QString& fileName) = 0;

    // Stops the clip that is playing, if any.
    virtual void Stop() = 0;

    virtual bool IsPlaying() const = 0;
};
