#pragma once

// Writes a solution to a file: a PNG image or an SVG drawing of the solution view as it stands when
// everything is shown, or a PDF of the printed pages.

#include "display/ViewLines.h"

#include <string>

class QImage;
class QPagedPaintDevice;
class QPaintDevice;

struct RenderOptions {
    int language = 1;
    bool textComments = true;
    // The width the bands reach at least, as a window would show them.
    int screenWidth = 640;
    // The most pages PrintSolutionPages paints; 0 for no bound. A PDF file is bounded like an image.
    int maxPages = 0;
    // A PNG's pixels per pixel of the screen: 2 draws it twice as wide and high, sharp on a slide.
    double scale = 1.0;
};

// The scales a PNG may be drawn at: a quarter of the screen's size up to eight times it.
inline constexpr double kMinRenderScale = 0.25;
inline constexpr double kMaxRenderScale = 8.0;

enum class RenderFormat { Png, Svg, Pdf, Unknown };

// The format named by the file's extension (case does not matter).
RenderFormat RenderFormatOf(const std::string& path);

// Makes sure a GUI application object exists for fonts and painting; without a display it runs on the
// off-screen platform. Call it first thing in a program that has none of its own.
void EnsureGuiApplication();

// Lets only Qt's critical messages through to standard error: its notes about the environment (no
// runtime folder, ...) are not for the user of a command line.
void KeepQtNotesQuiet();

// The solution drawn as the view shows it when complete, at options.scale, as a picture in memory (for
// the clipboard). A null image, with problem saying why, when it is too large to draw.
QImage RenderSolutionImage(const COutputList& solution, const CommentTextFunction& commentText,
                           const RenderOptions& options, std::string& problem);

// What became of a rendering: nothing went wrong (an empty message), the solution cannot be drawn
// (too large), or the file cannot be written (a missing folder, no permission, a full disk). Every
// write of the file is checked, its close too, and its size on disk against what was written.
struct RenderOutcome {
    std::string message;
    bool fileUnwritable = false;
};
RenderOutcome RenderSolutionInto(const COutputList& solution, const CommentTextFunction& commentText,
                                 const std::string& path, const RenderOptions& options);

// Renders the solution into path. Returns an empty string on success, otherwise what went wrong.
std::string RenderSolution(const COutputList& solution, const CommentTextFunction& commentText,
                           const std::string& path, const RenderOptions& options);

// How many device units of a printer or PDF page stand for one pixel of the screen: fonts and lines
// are scaled by it.
double PrintScale(QPaintDevice& device);

// Prints the solution's pages on a paged device (a PDF writer, a printer): each line fitted to the
// page width, the pages numbered at their foot. Returns the number of pages, -1 when the device
// cannot be painted on, or kTooManyPages (nothing painted) when there are more than options.maxPages.
inline constexpr int kTooManyPages = -2;
int PrintSolutionPages(QPagedPaintDevice& device, const COutputList& solution,
                       const CommentTextFunction& commentText, const RenderOptions& options);
