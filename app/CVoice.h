#pragma once

// The voice of a solution: the recorded clip of a spoken comment, and formulas read aloud piece by
// piece from short recorded fragments. All files lie in the voice folder of the language under the
// base folder ("English/" or "Russian/"); a missing file is skipped, and with no audio device nothing
// plays and nothing waits (see CAudioPlayer).

#include "app/CAudioPlayer.h"
#include "output/CommentID.h"
#include "output/VoiceFragments.h"

#include <QString>

#include <functional>
#include <string>

class CGraphics;
class CLanguageTables;
class MyWord;

class CVoice {
public:
    // The player and the tables must outlive the voice.
    CVoice(CAudioPlayer& player, const CLanguageTables& tables);

    // The base folder ends in "/" (or is empty for the current folder); the language picks the voice
    // folder and the reading rules.
    void SetVoiceFolder(const std::string& baseFolder, int language);
    const QString& VoiceFolder() const { return m_voiceFolder; }

    // Starts the clip of a comment (by its sound name in the language tables) and returns at once.
    // False when nothing plays: no sound name, no file, no device.
    bool PlayCommentClip(CommentIDType comment);
    // Stops a playing comment clip.
    void StopCommentClip();
    bool IsCommentClipPlaying() const { return m_commentPlaying; }

    // Reads a formula word aloud: for each spoken piece in order, drawPiece (when given) is called,
    // then each of the piece's fragments is played to its end. A comment clip still playing is waited
    // for first. Returns the pieces read (none for a word that does not lay out).
    std::vector<MyGolos> SpeakFormula(MyWord& word, CGraphics& graphics,
                                      const std::function<void(const MyGolos&)>& drawPiece = {});

    // The full name of a fragment or clip named relative to the voice folder ("Znaki/pl").
    QString FileOf(const std::string& fragment) const;

private:
    void WaitForCommentClip();

    CAudioPlayer& m_player;
    const CLanguageTables& m_tables;
    QString m_voiceFolder;
    VoiceMode m_mode = VoiceMode::Russian;
    bool m_commentPlaying = false;
};
