#pragma once

// What the solution view asks of the voice while it writes a solution out: the clip of a spoken
// comment, a formula read aloud, and whether something still plays. The view waits for a playing
// clip before it goes on; with no voice nothing plays and the output never waits.

#include "output/CommentID.h"

#include <string>

class CSolutionVoice {
public:
    virtual ~CSolutionVoice() = default;

    virtual bool IsPlaying() const = 0;
    // Starts the clip of a comment and returns at once; a comment without a clip plays nothing.
    virtual void PlayComment(CommentIDType id) = 0;
    // Starts reading a formula (its markup text, without the "$" delimiters) aloud.
    virtual void ReadFormula(const std::string& formula) = 0;
    virtual void Stop() = 0;
};
