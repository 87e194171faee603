#pragma once

// The solution view: the document's solution as a column of coloured bands in a scrolling area,
// written out progressively at a chosen pace (one glyph per 100 ms at the slowest), records wrapped at
// the window's width, zoomed for a projector, optionally pausing after each band
// until a character key is pressed, and optionally waiting for the voice. Before the first solution
// it shows the splash picture.
//
// Output states: running (timer on), paused at a band's end (line-by-line output), waiting for the
// voice, complete. Show all and the end of the last band make it complete; a double click on a shown
// band replays the solution from there.

#include "app/SplashPicture.h"
#include "display/Graphics.h"
#include "display/QtLayoutDevice.h"
#include "display/ViewLines.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <functional>
#include <vector>

class CCorvaneDoc;
class CLanguageTables;
class CVoice;

// How quickly the solution is written out: the glyph-per-100-ms pace, two quicker ones and all at once.
enum class OutputPace { Slow = 0, Normal = 1, Fast = 2, AtOnce = 3 };

class CCorvaneView final : public QAbstractScrollArea {
public:
    static constexpr int kOutputIntervalMs = 100;
    static constexpr int kSplashFrameMs = 40;
    // How far an arrow key scrolls.
    static constexpr int kLineStep = 20;
    // The zoom of the solution, in percent of the usual size, and how far one step changes it.
    static constexpr int kNormalZoom = 100;
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 400;
    static constexpr int kZoomStep = 10;
    // Room kept to the right of a wrapped record's words.
    static constexpr int kWrapMargin = 8;

    CCorvaneView(const CCorvaneDoc& document, const CLanguageTables& texts, QWidget* parent = nullptr);
    ~CCorvaneView() override;

    // The output settings. Changing the language or the text comments takes effect at the next layout.
    void SetLanguage(int language) { m_language = language; }
    void SetTextComments(bool on) { m_textComments = on; }
    void SetSoundComments(bool on) { m_soundComments = on; }
    // Turning line-by-line output off goes on with the output.
    void SetLineByLine(bool on);
    void SetVoice(CVoice* voice) { m_voice = voice; }
    // The pace of the output: how often the timer ticks and how many steps each tick takes.
    void SetPace(OutputPace pace);
    OutputPace Pace() const { return m_pace; }
    int OutputInterval() const { return m_timer.interval(); }
    int StepsPerTick() const;

    // The size of the solution for a projector or a far seat: every band laid out again at once,
    // clamped to kMinZoom..kMaxZoom; the listener hears each change (Ctrl + the wheel among them).
    void SetZoom(int percent);
    int Zoom() const { return m_zoom; }
    void SetZoomListener(std::function<void(int)> listener) { m_zoomListener = std::move(listener); }
    // Whether the document's solution may be read (not while a solve writes it): a resize lays the
    // bands out again for the new width only then.
    void SetSolutionReadable(std::function<bool()> readable) { m_solutionReadable = std::move(readable); }

    // Lays a new solution out: the first band is current and nothing is shown.
    void LayOutNewSolution();
    // Lays the solution out again (another language or text comments) without losing the current band:
    // every band up to it is shown whole, and the scroll position stays.
    void LayOutAgain();

    // Starts the output timer when the solution has bands; without bands the output is complete.
    void StartOutput();
    // One tick of the output timer.
    void AdvanceOutput();
    void ShowAll();
    // Replays the solution from the first shown band that contains the point (in viewport
    // coordinates); returns false, doing nothing, when no shown band contains it.
    bool ReplayAt(QPoint point);
    void Replay(int line);

    // Whether everything is shown; the main window also sets it while the editor is shown.
    bool IsComplete() const { return m_complete; }
    void SetComplete(bool complete);
    // Called whenever the output becomes complete or starts again.
    void SetOutputStateListener(std::function<void()> listener) {
        m_outputStateListener = std::move(listener);
    }
    bool IsRunning() const { return m_timer.isActive(); }
    int CurrentLine() const { return m_currentLine; }
    const CViewList& Lines() const { return m_lines; }
    // The scrollable size reached so far.
    QSize ScrollSize() const { return m_scrollSize; }
    // The band of a line in viewport coordinates.
    QRect BandArea(int line) const;

    // The splash picture: loaded from a file, revealed the first time the view is painted, and turned
    // off for good when the editor or a solution is first shown.
    bool LoadSplash(const QString& path);
    void SplashOff();
    bool SplashOn() const { return m_splash.IsLoaded(); }
    void RevealSplashAtOnce();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Build();
    void PaintSplash(QPainter& painter);
    void PaintBands(QPainter& painter, const QRect& area);
    void PaintItem(TypeStruct& item, const QRect& area, bool withStrikes);
    bool ShowNextSymbol(TypeStruct& item);
    void SpeakFormula(TypeStruct& item);
    void RevealLine(int line);
    void RevealStrikes(int line);
    void ShowLineWhole(int line);
    void ShowLinesWholeUpTo(int last);
    void FinishOutput();
    void ResumeOutput();
    void StopVoice();
    bool VoicePlaying() const;
    void UpdateScrollBars();
    void GlideToEnd();
    ViewGeometry Geometry() const;
    QPoint ScrollOffset() const;
    int LineCount() const { return static_cast<int>(m_lines.Lines().size()); }

    const CCorvaneDoc& m_document;
    const CLanguageTables& m_texts;
    CQtLayoutDevice m_device;
    CGraphics m_graphics;
    CViewList m_lines;
    // Per line: whether the strike lines of its crossed-out parts are drawn yet.
    std::vector<bool> m_strikesShown;
    QTimer m_timer;
    QTimer m_splashTimer;
    CSplashPicture m_splash;
    CVoice* m_voice = nullptr;
    std::function<void()> m_outputStateListener;
    std::function<void(int)> m_zoomListener;
    std::function<bool()> m_solutionReadable;
    int m_zoom = kNormalZoom;
    // The width the bands were last wrapped at.
    int m_wrapWidth = 0;
    QSize m_scrollSize;
    int m_currentLine = -1;
    std::size_t m_currentItem = 0;
    int m_language = 0;
    bool m_textComments = false;
    bool m_soundComments = false;
    bool m_lineByLine = false;
    bool m_complete = true;
    OutputPace m_pace = OutputPace::Slow;
    // The view was scrolled to its end (by the output or End) and stays there as its area changes.
    bool m_followingEnd = false;
};
