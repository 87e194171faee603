// The voice: every fragment the reading rules can name exists in the generated voice folders, comment
// clips by their sound names, and formulas read piece by piece, each piece drawn before it is heard.

#include "FakeAudioPlayer.h"

#include "app/CCorvaneDoc.h"
#include "app/CCorvaneView.h"
#include "app/CQtAudioPlayer.h"
#include "app/CVoice.h"
#include "display/QtLayoutDevice.h"
#include "display/SpokenPieces.h"
#include "output/LanguageTables.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QtTest>

#include <random>
#include <string>
#include <vector>

namespace {

const std::string kBaseFolder = ORBELIN_BASE_FOLDER;

std::string RandomDigits(std::mt19937& random, std::size_t count) {
    std::string digits;
    for (std::size_t i = 0; i < count; ++i) {
        digits += static_cast<char>('0' + random() % 10);
    }
    return digits;
}

// A number with more zeros than chance gives, so that empty groups and round numbers come up.
std::string RandomNumber(std::mt19937& random) {
    std::string digits = RandomDigits(random, 1 + random() % kMaxNumberWordDigits);
    for (char& digit : digits) {
        if (random() % 3 == 0) {
            digit = '0';
        }
    }
    return digits;
}

std::vector<std::string> MissingFiles(const std::vector<std::string>& fragments, int language) {
    std::vector<std::string> missing;
    for (const std::string& fragment : fragments) {
        const std::string file = kBaseFolder + VoiceFolderOf(language) + fragment + ".wav";
        if (!QFileInfo::exists(QString::fromStdString(file))) {
            missing.push_back(file);
        }
    }
    return missing;
}

CLanguageTables LoadTables(int language) {
    CLanguageTables tables;
    tables.LoadFile(std::string(ORBELIN_SOURCE_DIR) + "/res/" + (language == 1 ? "English" : "Russian") +
                        ".ini",
                    nullptr);
    return tables;
}

MyGolos Piece(PieceKind kind, std::string text = {}, std::string text2 = {}) {
    MyGolos piece;
    piece.kind = kind;
    piece.text = std::move(text);
    piece.text2 = std::move(text2);
    return piece;
}

} // namespace

class VoiceTest : public QObject {
    Q_OBJECT

private slots:
    void EveryNamedFragmentIsGenerated() {
        std::mt19937 random(17);
        for (const int language : {0, 1}) {
            const VoiceMode mode = VoiceModeOf(language);
            std::vector<std::string> fragments;
            auto add = [&](const std::vector<std::string>& more) {
                fragments.insert(fragments.end(), more.begin(), more.end());
            };
            for (int i = 0; i < 3000; ++i) {
                const std::string number = RandomNumber(random);
                add(CardinalWords(number, mode));
                add(WholePartWords(number, mode));
                add(NumberWords(number + "," + RandomDigits(random, 1 + random() % 8), mode));
                add(QuantityWords(number, std::to_string(2 + random() % 99), mode));
                add(PieceFragments(Piece(PieceKind::Power, std::to_string(random() % 30)), mode));
            }
            for (const char* power : {"10", "100", "1000", "10000", "100000", "1000000"}) {
                add(QuantityWords("1", power, mode));
                add(QuantityWords("2", power, mode));
            }
            for (char letter = 'a'; letter <= 'z'; ++letter) {
                add(PieceFragments(Piece(PieceKind::Letter, std::string(1, letter)), mode));
            }
            for (const char* sign :
                 {"+", "-", "*", ":", "=", "<", ">", "\xB1", "\xB9", "\xBB", "\xB3", "\xA3"}) {
                add(PieceFragments(Piece(PieceKind::Sign, sign), mode));
            }
            for (const PieceKind kind : {PieceKind::Fraction, PieceKind::Numerator, PieceKind::Denominator,
                                         PieceKind::ClosingBracket, PieceKind::SquareRoot, PieceKind::Root,
                                         PieceKind::Of, PieceKind::Power}) {
                add(PieceFragments(Piece(kind), mode));
            }
            add(PieceFragments(Piece(PieceKind::OpeningBracket, "("), mode));
            add(PieceFragments(Piece(PieceKind::OpeningBracket, "{"), mode));
            const std::vector<std::string> missing = MissingFiles(fragments, language);
            QVERIFY2(missing.empty(), missing.empty() ? "" : missing.front().c_str());
        }
    }

    void EveryCommentWithWordsHasItsClip() {
        for (const int language : {0, 1}) {
            const CLanguageTables tables = LoadTables(language);
            QVERIFY(tables.Comments().size() > 80);
            std::vector<std::string> clips;
            for (const CommentSound& comment : tables.Comments()) {
                const bool hasWords = std::any_of(comment.text.begin(), comment.text.end(), [](char c) {
                    return std::isalpha(static_cast<unsigned char>(c)) ||
                           static_cast<unsigned char>(c) >= 0xC0;
                });
                if (hasWords) {
                    clips.push_back(CommentClipName(comment.soundName));
                }
            }
            const std::vector<std::string> missing = MissingFiles(clips, language);
            QVERIFY2(missing.empty(), missing.empty() ? "" : missing.front().c_str());
        }
    }

    void CommentClipsPlayByTheirSoundNames() {
        const CLanguageTables tables = LoadTables(1);
        CFakeAudioPlayer player;
        CVoice voice(player, tables);
        voice.SetVoiceFolder(kBaseFolder, 1);
        QVERIFY(voice.PlayCommentClip(CommentID::ProductIsZeroWhenFactorIs));
        QCOMPARE(player.requested,
                 QStringList{QString::fromStdString(kBaseFolder) + "English/Sounds/Comm07.wav"});
        QVERIFY(voice.IsCommentClipPlaying());
        player.EndClip();
        QVERIFY(!voice.IsCommentClipPlaying());

        QVERIFY(voice.PlayCommentClip(CommentID::ProductIsZeroWhenFactorIs));
        voice.StopCommentClip();
        QVERIFY(!voice.IsCommentClipPlaying());
        QVERIFY(!player.IsPlaying());

        // A number without a comment record has no sound name: nothing is asked for.
        player.requested.clear();
        QVERIFY(!voice.PlayCommentClip(static_cast<CommentIDType>(100000)));
        QVERIFY(player.requested.isEmpty());

        // A missing clip is not played and nothing waits for it.
        voice.SetVoiceFolder("/nonexistent/", 1);
        QVERIFY(!voice.PlayCommentClip(CommentID::ProductIsZeroWhenFactorIs));
        QVERIFY(!voice.IsCommentClipPlaying());
    }

    void FormulasAreDrawnPieceByPieceThenHeard() {
        const CLanguageTables tables = LoadTables(0);
        CFakeAudioPlayer player;
        CVoice voice(player, tables);
        voice.SetVoiceFolder(kBaseFolder, 0);
        QImage image(16, 16, QImage::Format_ARGB32);
        CQtLayoutDevice device(&image);
        CGraphics graphics(device);
        MyWord word("$x^2-21=0$", kFontKindFormula, 26, 0);
        // How many fragments had been heard when each piece was drawn.
        std::vector<qsizetype> heardBeforeDrawing;
        const QString folder = QString::fromStdString(kBaseFolder) + "Russian/";
        const std::vector<MyGolos> pieces = voice.SpeakFormula(
            word, graphics, [&](const MyGolos&) { heardBeforeDrawing.push_back(player.played.size()); });
        QCOMPARE(pieces.size(), 6u);
        QStringList heard;
        for (const QString& file : player.played) {
            heard << file.mid(folder.size());
        }
        QCOMPARE(heard, (QStringList{"Bukvi/x.wav", "M_EXP/2.wav", "Znaki/mi.wav", "M_MN_C/020_1_b.wav",
                                     "M_MN_C/001_1_p.wav", "Znaki/equal.wav", "M_MN_C/000_1_p.wav"}));
        QCOMPARE(heardBeforeDrawing, (std::vector<qsizetype>{0, 1, 2, 3, 5, 6}));
    }

    void ASolutionFormulaIsReadWithoutADeviceAtOnce() {
        const CLanguageTables tables = LoadTables(1);
        CQtAudioPlayer player;
        player.SetDeviceProbe([] { return false; });
        CVoice voice(player, tables);
        voice.SetVoiceFolder(kBaseFolder, 1);
        QImage image(16, 16, QImage::Format_ARGB32);
        CQtLayoutDevice device(&image);
        CGraphics graphics(device);
        MyWord word("$x_{1\xB5"
                    "2}={-b\xB1!sq2{D}}/{2.a}=1@{2/3}$",
                    kFontKindFormula, 26, 0);
        QElapsedTimer timer;
        timer.start();
        int drawn = 0;
        QVERIFY(!voice.PlayCommentClip(CommentID::ProductIsZeroWhenFactorIs));
        const std::vector<MyGolos> pieces =
            voice.SpeakFormula(word, graphics, [&](const MyGolos&) { ++drawn; });
        QVERIFY(!pieces.empty());
        QCOMPARE(drawn, static_cast<int>(pieces.size()));
        QVERIFY(timer.elapsed() < 1000);
    }

    // With sound on and no audio device, a solution with spoken comments and formulas is written out
    // to its end without waiting for any clip.
    void TheViewCompletesWithoutADevice() {
        const CLanguageTables tables = LoadTables(0);
        CCorvaneDoc document;
        document.solution.AddComment(nullptr, CommentID::ProductIsZeroWhenFactorIs, true, true);
        document.solution.AddFormula(nullptr, "x^2-21=0", true);
        document.solution.AddComment(nullptr, CommentID::ReturnToFirstUnknown, true, true);
        document.solution.AddFormula(nullptr, "x=!sq2{21}", true);
        CQtAudioPlayer silent;
        silent.SetDeviceProbe([] { return false; });
        CVoice voice(silent, tables);
        voice.SetVoiceFolder(kBaseFolder, 0);
        CCorvaneView view(document, tables);
        view.resize(600, 400);
        view.SetVoice(&voice);
        view.SetSoundComments(true);
        view.LayOutNewSolution();
        view.StartOutput();
        QTRY_VERIFY_WITH_TIMEOUT(view.IsComplete(), 10000);
        QVERIFY(!voice.IsCommentClipPlaying());
    }
};

QTEST_MAIN(VoiceTest)
#include "VoiceTest.moc"
