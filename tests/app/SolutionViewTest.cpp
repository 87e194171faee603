// The solution view on its own: bands of a hand-made solution, the output's waiting for the voice,
// and the splash picture.

#include "FakeAudioPlayer.h"
#include "app/CCorvaneDoc.h"
#include "app/CCorvaneView.h"
#include "app/CVoice.h"
#include "output/LanguageTables.h"
#include "tests/support/SampleSolution.h"

#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

namespace {

struct ViewSetup {
    CCorvaneDoc document;
    CLanguageTables texts;
    CCorvaneView view{document, texts};

    ViewSetup() {
        texts.LoadFile(ORBELIN_SOURCE_DIR "/res/English.ini", nullptr);
        view.SetLanguage(kEnglishLanguage);
        view.resize(640, 480);
    }

    void Start() {
        view.LayOutNewSolution();
        view.StartOutput();
    }

    // Shows the view at a size on the screen; false when it is not exposed.
    bool ShowAt(int width, int height) {
        view.resize(width, height);
        view.show();
        return QTest::qWaitForWindowExposed(&view);
    }

    // A shown view with the sample solution repeated, every band of it shown.
    bool ShowSampleWhole(int width, int height, int repeats) {
        AddSampleSolution(document.solution, repeats);
        if (!ShowAt(width, height)) {
            return false;
        }
        Start();
        view.ShowAll();
        return true;
    }

    // Ticks until the output is complete or stops; the number of ticks.
    int RunWhileRunning(int maxTicks = 100'000) {
        int ticks = 0;
        while (view.IsRunning() && ticks < maxTicks) {
            view.AdvanceOutput();
            ++ticks;
        }
        return ticks;
    }
};

// The view with spoken comments on, through a voice whose player plays every clip until told to end.
struct VoicedViewSetup : ViewSetup {
    CFakeAudioPlayer player;
    CVoice voice{player, texts};

    VoicedViewSetup() {
        player.plays = [](const QString&) { return true; };
        voice.SetVoiceFolder("/voice/", kEnglishLanguage);
        view.SetVoice(&voice);
        view.SetSoundComments(true);
    }
};

// The position of the output: the current line and how many symbols are shown in all.
std::pair<int, int> OutputPosition(const CCorvaneView& view) {
    int shown = 0;
    for (const LineStruct& line : view.Lines().Lines()) {
        for (const TypeStruct& item : line.items) {
            shown += item.lastShown + 1;
        }
    }
    return {view.CurrentLine(), shown};
}

} // namespace

class SolutionViewTest : public QObject {
    Q_OBJECT

private slots:
    void oneRecordIsOneYellowBand();
    void emptySolutionIsCompleteAtOnce();
    void bandWithoutHeightIsPassedOverInTheSameTick();
    void alwaysShownCommentsStandWithTextCommentsOff();
    void outputScrollsToTheBandsItReaches();
    void lastBandStaysWhollyVisibleWhenTheScrollBarsAppear();
    void newBandGlidesInOnePixelAtATime();
    void longCommentsWrapAtTheViewsWidth();
    void controlWheelZoomsTheSolution();
    void scrollBarThumbStandsOutFromItsGroove();
    void soundCueWaitsForThePlayingClip();
    void spokenFormulaIsReadAndShownWhole();
    void splashIsRevealedInBlocksThenWhole();
};

void SolutionViewTest::oneRecordIsOneYellowBand() {
    ViewSetup setup;
    setup.document.solution.AddFormula(nullptr, "x=1", false);
    setup.Start();
    setup.RunWhileRunning();
    QVERIFY(setup.view.IsComplete());
    QCOMPARE(setup.view.Lines().Lines().size(), std::size_t{1});
    QImage image(setup.view.viewport()->size(), QImage::Format_RGB32);
    setup.view.viewport()->render(&image);
    const QRect band = setup.view.BandArea(0);
    QVERIFY(band.height() > 10);
    QCOMPARE(image.pixelColor(image.width() - 2, band.top() + 1), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(image.width() - 2, band.bottom() + 2), QColor(Qt::white));
}

void SolutionViewTest::emptySolutionIsCompleteAtOnce() {
    ViewSetup setup;
    setup.Start();
    QVERIFY(setup.view.IsComplete());
    QVERIFY(!setup.view.IsRunning());
    setup.view.ShowAll();
    QCOMPARE(setup.view.CurrentLine(), -1);
}

void SolutionViewTest::bandWithoutHeightIsPassedOverInTheSameTick() {
    ViewSetup setup;
    const LineBlockList steps = {{LineBlockKind::Steps, 0}};
    setup.document.solution.AddFormula(nullptr, "x", false);
    // Text comments are off and the comment is neither always shown nor spoken: an empty band.
    setup.document.solution.AddComment(&steps, CommentID::Cancellation, false, false);
    setup.document.solution.AddFormula(nullptr, "y", false);
    setup.Start();
    const auto& lines = setup.view.Lines().Lines();
    QCOMPARE(lines[1].band.top, lines[1].band.bottom);
    while (setup.view.CurrentLine() == 0) {
        setup.view.AdvanceOutput();
    }
    QCOMPARE(setup.view.CurrentLine(), 2);
    QCOMPARE(lines[2].items.front().lastShown, 0);
}

void SolutionViewTest::alwaysShownCommentsStandWithTextCommentsOff() {
    ViewSetup setup;
    auto record =
        setup.document.solution.AddComment(nullptr, CommentID::AnswerHeadingExpression, true, false);
    (*record)->AddComment(CommentID::Cancellation, false, false);
    (*record)->AddFormula("x", false);
    setup.Start();
    const std::string& text = setup.view.Lines().Lines()[0].paragraph.Text();
    QVERIFY(text.find(setup.texts.CommentText(CommentID::AnswerHeadingExpression)) != std::string::npos);
    QVERIFY(text.find(setup.texts.CommentText(CommentID::Cancellation)) == std::string::npos);

    setup.view.SetTextComments(true);
    setup.view.LayOutAgain();
    QVERIFY(setup.view.Lines().Lines()[0].paragraph.Text().find(
                setup.texts.CommentText(CommentID::Cancellation)) != std::string::npos);
}

void SolutionViewTest::outputScrollsToTheBandsItReaches() {
    ViewSetup setup;
    setup.view.SetTextComments(true);
    QVERIFY(setup.ShowAt(300, 200));
    AddSampleSolution(setup.document.solution, 2);
    // Comments wrap at the view's width; a formula wider than it still widens the scroll area.
    setup.document.solution.AddFormula(nullptr, "x^8+x^7+x^6+x^5+x^4+x^3+x^2+x+1=0", false);
    setup.Start();
    QCOMPARE(setup.view.ScrollSize(), QSize());
    const auto& lines = setup.view.Lines().Lines();
    QScrollBar* vertical = setup.view.verticalScrollBar();
    int lastReached = 0;
    while (setup.view.IsRunning()) {
        setup.view.AdvanceOutput();
        const LineStruct& current = lines[setup.view.CurrentLine()];
        if (current.shown && setup.view.CurrentLine() != lastReached) {
            lastReached = setup.view.CurrentLine();
            // A reached band lies within the visible area.
            QVERIFY(current.band.bottom <= vertical->value() + setup.view.viewport()->height());
        }
    }
    QCOMPARE(setup.view.ScrollSize().height(), lines.back().band.bottom);
    QVERIFY(vertical->maximum() > 0);
    QCOMPARE(vertical->value(), vertical->maximum());
    // The widest band went beyond the width: the scroll width reached it.
    QVERIFY(setup.view.ScrollSize().width() > setup.view.viewport()->width());
    QVERIFY(setup.view.horizontalScrollBar()->maximum() > 0);
}

// The bottom of the last band lies within the visible area of a shown view, after the output ends and
// after End; a horizontal scroll bar that appears on the way must not cover it.
void SolutionViewTest::lastBandStaysWhollyVisibleWhenTheScrollBarsAppear() {
    ViewSetup setup;
    setup.view.SetTextComments(true);
    setup.view.resize(300, 200);
    setup.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&setup.view));
    AddSampleSolution(setup.document.solution, 3);
    setup.Start();
    while (setup.view.IsRunning()) {
        setup.view.AdvanceOutput();
        QCoreApplication::processEvents();
    }
    QVERIFY(setup.view.horizontalScrollBar()->isVisible());
    QScrollBar* vertical = setup.view.verticalScrollBar();
    const int lastBottom = setup.view.Lines().Lines().back().band.bottom;
    QCOMPARE(lastBottom - vertical->value(), setup.view.viewport()->height());

    QTest::keyClick(&setup.view, Qt::Key_Home);
    QTest::keyClick(&setup.view, Qt::Key_End);
    QCoreApplication::processEvents();
    QCOMPARE(lastBottom - vertical->value(), setup.view.viewport()->height());
}

void SolutionViewTest::soundCueWaitsForThePlayingClip() {
    VoicedViewSetup setup;
    CFakeAudioPlayer& player = setup.player;
    AddSampleSolution(setup.document.solution, 1);
    setup.Start();

    while (!player.IsPlaying() && setup.view.IsRunning()) {
        setup.view.AdvanceOutput();
    }
    QVERIFY(player.IsPlaying());
    QVERIFY(player.requested.front().startsWith(QStringLiteral("/voice/English/Sounds/")));
    const auto waiting = OutputPosition(setup.view);
    for (int tick = 0; tick < 5; ++tick) {
        setup.view.AdvanceOutput();
    }
    QCOMPARE(OutputPosition(setup.view), waiting);
    player.EndClip();
    setup.view.AdvanceOutput();
    QVERIFY(OutputPosition(setup.view) != waiting);

    // Show all stops a playing clip.
    while (!player.IsPlaying() && setup.view.IsRunning()) {
        setup.view.AdvanceOutput();
    }
    setup.view.ShowAll();
    QVERIFY(!player.IsPlaying());
}

void SolutionViewTest::spokenFormulaIsReadAndShownWhole() {
    VoicedViewSetup setup;
    CFakeAudioPlayer& player = setup.player;
    setup.document.solution.AddFormula(nullptr, "x=1", true);
    setup.Start();
    setup.view.AdvanceOutput();
    const TypeStruct& item = setup.view.Lines().Lines()[0].items.front();
    QVERIFY(item.lastShown > 0);
    QVERIFY(player.played.contains(QStringLiteral("/voice/English/Bukvi/x.wav")));
    QVERIFY(setup.view.IsRunning());
    setup.RunWhileRunning();
    QVERIFY(setup.view.IsComplete());

    // Without spoken comments the same formula is written glyph by glyph and nothing is heard.
    player.played.clear();
    setup.view.SetSoundComments(false);
    setup.Start();
    setup.view.AdvanceOutput();
    QCOMPARE(setup.view.Lines().Lines()[0].items.front().lastShown, 0);
    QVERIFY(player.played.isEmpty());
}

void SolutionViewTest::splashIsRevealedInBlocksThenWhole() {
    QTemporaryDir folder;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 200));
    const QString path = folder.filePath(QStringLiteral("splash.bmp"));
    QVERIFY(picture.save(path, "BMP"));

    CSplashPicture splash;
    QVERIFY(!splash.Load(folder.filePath(QStringLiteral("missing.bmp"))));
    QVERIFY(splash.Load(path));
    QVERIFY(splash.RevealNextFrame());
    int revealed = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            revealed += splash.Shown().pixelColor(x, y).alpha() == 255 ? 1 : 0;
        }
    }
    // Blocks of 4 x 4 at multiples of 4: the revealed count is a multiple of 16, and not everything.
    QVERIFY(revealed > 0 && revealed % 16 == 0);
    while (splash.RevealNextFrame()) {
    }
    QVERIFY(splash.IsRevealed());
    QCOMPARE(splash.Shown().pixelColor(0, 0), QColor(10, 20, 200));
    QCOMPARE(splash.Shown().pixelColor(63, 47), QColor(10, 20, 200));

    ViewSetup setup;
    QVERIFY(setup.view.LoadSplash(path));
    setup.view.RevealSplashAtOnce();
    QImage image(setup.view.viewport()->size(), QImage::Format_RGB32);
    setup.view.viewport()->render(&image);
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(10, 20, 200));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    setup.view.SplashOff();
    QVERIFY(!setup.view.SplashOn());
}

QTEST_MAIN(SolutionViewTest)
// A band reached below the visible area comes in one pixel at a time, each step a scroll position of
// its own, up to the end; all at once jumps there in one step.
void SolutionViewTest::newBandGlidesInOnePixelAtATime() {
    for (const OutputPace pace : {OutputPace::Fast, OutputPace::AtOnce}) {
        ViewSetup setup;
        setup.view.SetPace(pace);
        QVERIFY(setup.ShowAt(400, 150));
        AddSampleSolution(setup.document.solution, 1);
        setup.Start();
        std::vector<int> positions;
        QObject::connect(setup.view.verticalScrollBar(), &QScrollBar::valueChanged,
                         [&positions](int value) { positions.push_back(value); });
        setup.RunWhileRunning();
        QScrollBar* vertical = setup.view.verticalScrollBar();
        QVERIFY(vertical->maximum() > 0);
        QCOMPARE(vertical->value(), vertical->maximum());
        if (pace == OutputPace::AtOnce) {
            QVERIFY(positions.size() < 20);
            continue;
        }
        QCOMPARE(static_cast<int>(positions.size()), vertical->maximum());
        for (std::size_t i = 0; i < positions.size(); ++i) {
            QCOMPARE(positions[i], static_cast<int>(i) + 1);
        }
    }
}

// A record longer than the view is broken into rows that end within the view's width; widening the
// view lays the records out again on fewer rows.
void SolutionViewTest::longCommentsWrapAtTheViewsWidth() {
    ViewSetup setup;
    setup.view.SetTextComments(true);
    QVERIFY(setup.ShowAt(320, 400));
    auto record = setup.document.solution.AddComment(nullptr, CommentID::DomainConditions, false, false);
    for (const CommentIDType id : {CommentID::DifferenceOfSquares, CommentID::Cancellation,
                                   CommentID::RootMakesDenominatorZero, CommentID::RootExcludedByCondition}) {
        (*record)->AddComment(id, true, false);
    }
    setup.Start();
    setup.view.ShowAll();
    const LineStruct& narrow = setup.view.Lines().Lines()[0];
    const int narrowHeight = narrow.band.bottom - narrow.band.top;
    QVERIFY(narrow.textRight <= setup.view.viewport()->width());
    QCOMPARE(setup.view.horizontalScrollBar()->maximum(), 0);
    // More than one row: some words start again at the left edge below the first.
    int rowStarts = 0;
    for (const TypeStruct& item : narrow.items) {
        rowStarts += item.kind == TypeStruct::Kind::Word && item.x == narrow.textLeft ? 1 : 0;
    }
    QVERIFY(rowStarts >= 3);

    setup.view.resize(3000, 400);
    const LineStruct& wide = setup.view.Lines().Lines()[0];
    QVERIFY(wide.band.bottom - wide.band.top < narrowHeight / 2);
    // The shown record was shown whole again after the new layout.
    QVERIFY(wide.shown);
    QVERIFY(wide.items.back().lastShown >= 0);
}

// Ctrl and the wheel, or Ctrl and plus or minus through the main window, zoom: the bands are laid out
// again larger, within the bounds; the wheel alone scrolls.
void SolutionViewTest::controlWheelZoomsTheSolution() {
    ViewSetup setup;
    QVERIFY(setup.ShowSampleWhole(640, 300, 2));
    std::vector<int> heard;
    setup.view.SetZoomListener([&heard](int zoom) { heard.push_back(zoom); });
    const int usualHeight = setup.view.ScrollSize().height();
    const QPoint middle = setup.view.viewport()->rect().center();
    auto wheel = [&](int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(middle, setup.view.viewport()->mapToGlobal(middle), QPoint(),
                          QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(setup.view.viewport(), &event);
    };
    wheel(5, Qt::ControlModifier);
    QCOMPARE(setup.view.Zoom(), 150);
    QCOMPARE(heard, std::vector<int>{150});
    const int zoomedHeight = setup.view.ScrollSize().height();
    QVERIFY(zoomedHeight > usualHeight * 13 / 10);
    QVERIFY(setup.view.Lines().Lines().back().shown);

    wheel(100, Qt::ControlModifier);
    QCOMPARE(setup.view.Zoom(), CCorvaneView::kMaxZoom);
    wheel(-100, Qt::ControlModifier);
    QCOMPARE(setup.view.Zoom(), CCorvaneView::kMinZoom);
    QVERIFY(setup.view.ScrollSize().height() < usualHeight);

    setup.view.SetZoom(CCorvaneView::kNormalZoom);
    QCOMPARE(setup.view.ScrollSize().height(), usualHeight);
    setup.view.verticalScrollBar()->setValue(0);
    wheel(-1, Qt::NoModifier);
    QCOMPARE(setup.view.Zoom(), CCorvaneView::kNormalZoom);
    QVERIFY(setup.view.verticalScrollBar()->value() > 0);
}

void SolutionViewTest::scrollBarThumbStandsOutFromItsGroove() {
    ViewSetup setup;
    QVERIFY(setup.ShowSampleWhole(400, 200, 3));
    setup.view.verticalScrollBar()->setValue(0);
    QScrollBar* bar = setup.view.verticalScrollBar();
    QTRY_VERIFY(bar->isVisible());
    QVERIFY(bar->width() >= 12);
    const QImage image = bar->grab().toImage();
    // The thumb stands at the top of a long solution; the groove shows at the bottom.
    const int thumb = image.pixelColor(image.width() / 2, 8).lightness();
    const int groove = image.pixelColor(image.width() / 2, image.height() - 4).lightness();
    QVERIFY2(groove - thumb > 60, qPrintable(QStringLiteral("%1 %2").arg(thumb).arg(groove)));
}

#include "SolutionViewTest.moc"
