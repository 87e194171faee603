#include "app/CVoice.h"

#include "display/SpokenPieces.h"
#include "output/LanguageTables.h"

#include <QEventLoop>

CVoice::CVoice(CAudioPlayer& player, const CLanguageTables& tables) : m_player(player), m_tables(tables) {}

void CVoice::SetVoiceFolder(const std::string& baseFolder, int language) {
    m_voiceFolder = QString::fromStdString(baseFolder + VoiceFolderOf(language));
    m_mode = VoiceModeOf(language);
}

QString CVoice::FileOf(const std::string& fragment) const {
    return m_voiceFolder + QString::fromStdString(fragment) + ".wav";
}

bool CVoice::PlayCommentClip(CommentIDType comment) {
    const std::string clip = CommentClipName(m_tables.CommentSoundName(comment));
    if (clip.empty()) {
        return false;
    }
    StopCommentClip();
    m_commentPlaying = m_player.Start(FileOf(clip), [this] { m_commentPlaying = false; });
    return m_commentPlaying;
}

void CVoice::StopCommentClip() {
    if (m_commentPlaying) {
        m_player.Stop();
        m_commentPlaying = false;
    }
}

void CVoice::WaitForCommentClip() {
    QEventLoop loop;
    while (m_commentPlaying && m_player.IsPlaying()) {
        loop.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    m_commentPlaying = false;
}

std::vector<MyGolos> CVoice::SpeakFormula(MyWord& word, CGraphics& graphics,
                                          const std::function<void(const MyGolos&)>& drawPiece) {
    std::vector<MyGolos> pieces = BuildSpokenPieces(word, graphics);
    WaitForCommentClip();
    for (const MyGolos& piece : pieces) {
        if (drawPiece) {
            drawPiece(piece);
        }
        for (const std::string& fragment : PieceFragments(piece, m_mode)) {
            m_player.PlayToEnd(FileOf(fragment));
        }
    }
    return pieces;
}
