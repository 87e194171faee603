#include "display/SolutionRenderer.h"

#include "display/PrintPages.h"
#include "display/QtLayoutDevice.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kPdfResolution = 600;
// The most pages of a PDF file: a solution within the engine's bounds takes far fewer.
constexpr int kMaxPdfPages = 500;
// The largest image drawn: a side the raster painter can address, and a bound on the memory taken.
constexpr int kMaxImageSide = 32'767;
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

bool ImageTooLarge(const QSize& size) {
    return size.width() > kMaxImageSide || size.height() > kMaxImageSide ||
           static_cast<long long>(size.width()) * size.height() > kMaxImagePixels;
}

std::string TooLargeMessage(const QSize& size) {
    return "the solution is too large to draw as an image (" + std::to_string(size.width()) + " x " +
           std::to_string(size.height()) + " pixels); a PDF fits it to the page width";
}

// The screen the layout of the view is measured for: an image at the usual 96 dots per inch.
QImage ScreenImage() {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

// Room to the right of the widest line for the overhang of its last italic letter.
constexpr int kRightMargin = 16;

// Lays the view out for a window as wide as the widest line (with a margin) or the screen width,
// whichever is larger; the bands reach across it.
QSize PrepareView(CViewList& view, const COutputList& solution, const CommentTextFunction& commentText,
                  const RenderOptions& options, QPaintDevice* measureOn) {
    CQtLayoutDevice device(measureOn);
    CGraphics graphics(device);
    view.Build(solution, options.textComments, commentText, graphics, options.screenWidth);
    const int width = std::max({view.ScrollWidth() + kRightMargin, options.screenWidth, 1});
    for (LineStruct& line : view.Lines()) {
        line.band.right = std::max(line.band.right, width);
    }
    return {width, std::max(view.ScrollHeight(), 1)};
}

// Paints the view with fonts measured on the same device they were laid out for.
void PaintView(CViewList& view, QPaintDevice* device, QPainter& painter, int language) {
    CQtLayoutDevice qtDevice(device, &painter);
    CGraphics graphics(qtDevice);
    view.PaintAll(graphics, language);
}

RenderOutcome CannotWrite(const std::string& path, const QFile* file = nullptr) {
    std::string message = "cannot write " + path;
    if (file != nullptr && file->error() != QFileDevice::NoError) {
        message += ": " + file->errorString().toStdString();
    }
    return {message, true};
}

// Ends a drawing written through file: no write failed on the way, every buffered byte written,
// the file closed without an error, and as long on disk as what was written (a full disk cuts a
// file short without every writer noticing). A write that failed before the last flush is asked
// for before the close, which forgets it when that flush succeeds (the SVG writer's document
// overflows the buffer and was once reported as written, cut short).
RenderOutcome FinishFile(QFile& file, const std::string& path) {
    const bool flushed = file.error() == QFileDevice::NoError && file.flush();
    const qint64 written = file.pos();
    file.close();
    if (!flushed || file.error() != QFileDevice::NoError || written <= 0 ||
        QFileInfo(file.fileName()).size() != written) {
        return CannotWrite(path, &file);
    }
    return {};
}

RenderOutcome RenderImage(const COutputList& solution, const CommentTextFunction& commentText,
                          const std::string& path, const RenderOptions& options) {
    std::string problem;
    const QImage image = RenderSolutionImage(solution, commentText, options, problem);
    if (image.isNull()) {
        return {problem};
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG")) {
        return CannotWrite(path, &file);
    }
    return FinishFile(file, path);
}

RenderOutcome RenderSvg(const COutputList& solution, const CommentTextFunction& commentText,
                        const std::string& path, const RenderOptions& options) {
    QImage screen = ScreenImage();
    CViewList view;
    const QSize size = PrepareView(view, solution, commentText, options, &screen);
    if (ImageTooLarge(size)) {
        return {TooLargeMessage(size)};
    }
    // The drawing is made in memory and written whole: the SVG writer writes its document in one
    // piece, and a write cut short by a full disk reports the bytes it took, not an error.
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&drawing);
    generator.setResolution(96);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("Solution"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return CannotWrite(path);
    }
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    // The view is laid out for the screen; the drawing keeps the screen's fonts and units.
    PaintView(view, &screen, painter, options.language);
    painter.end();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(drawing.data()) != drawing.data().size()) {
        return CannotWrite(path, &file);
    }
    return FinishFile(file, path);
}

RenderOutcome RenderPdf(const COutputList& solution, const CommentTextFunction& commentText,
                        const std::string& path, const RenderOptions& options) {
    // The pages fit every line to their width, so a wide line is no reason to refuse; but laying
    // out a solution whose screen area is too large for an image takes seconds: it is refused
    // before the pages are laid out.
    QImage screen = ScreenImage();
    CViewList view;
    const QSize screenSize = PrepareView(view, solution, commentText, options, &screen);
    if (static_cast<long long>(screenSize.width()) * screenSize.height() > kMaxImagePixels) {
        return {"the solution is too large to draw (" + std::to_string(screenSize.width()) + " x " +
                std::to_string(screenSize.height()) + " pixels on the screen)"};
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return CannotWrite(path, &file);
    }
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Solution"));
    writer.setCreator(QStringLiteral("Orbelin"));
    RenderOptions bounded = options;
    bounded.maxPages = kMaxPdfPages;
    const int pages = PrintSolutionPages(writer, solution, commentText, bounded);
    if (pages == kTooManyPages) {
        return {"the solution is too large to draw as a PDF (more than " + std::to_string(kMaxPdfPages) +
                " pages)"};
    }
    if (pages < 0) {
        return CannotWrite(path, &file);
    }
    return FinishFile(file, path);
}

} // namespace

QImage RenderSolutionImage(const COutputList& solution, const CommentTextFunction& commentText,
                           const RenderOptions& options, std::string& problem) {
    EnsureGuiApplication();
    QImage screen = ScreenImage();
    CViewList view;
    const QSize viewSize = PrepareView(view, solution, commentText, options, &screen);
    const double scale =
        std::clamp(options.scale > 0 ? options.scale : 1.0, kMinRenderScale, kMaxRenderScale);
    const QSize size(static_cast<int>(viewSize.width() * scale), static_cast<int>(viewSize.height() * scale));
    if (ImageTooLarge(size) || size.isEmpty()) {
        problem = TooLargeMessage(size);
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        problem = TooLargeMessage(size);
        return {};
    }
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    // Fonts are measured on the screen the view was laid out for; the painter scales the drawing.
    PaintView(view, &screen, painter, options.language);
    painter.end();
    return image;
}

RenderFormat RenderFormatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return RenderFormat::Unknown;
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "png") {
        return RenderFormat::Png;
    }
    if (extension == "svg") {
        return RenderFormat::Svg;
    }
    if (extension == "pdf") {
        return RenderFormat::Pdf;
    }
    return RenderFormat::Unknown;
}

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt's notes about its environment (no runtime folder, ...) are not for the user of a command line;
// only its critical messages pass.
QtMessageHandler previousHandler = nullptr;

void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

} // namespace

void KeepQtNotesQuiet() {
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(QuietMessageHandler);
        return true;
    }();
    (void)installed;
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    KeepQtNotesQuiet();
    // The application lives until the program ends; Qt keeps pointers to its arguments.
    static int argc = 1;
    static char name[] = "orbelin";
    static char* argv[] = {name, nullptr};
    // Deliberately never destroyed: Qt's own clean-up at exit must find it alive.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

double PrintScale(QPaintDevice& device) {
    // The height of one and the same font on the device and on the screen.
    QImage screen = ScreenImage();
    const QFont standard = QGuiApplication::font();
    const double screenHeight = QFontMetricsF(standard, &screen).height();
    const double deviceHeight = QFontMetricsF(standard, &device).height();
    return screenHeight > 0 ? deviceHeight / screenHeight : 1.0;
}

int PrintSolutionPages(QPagedPaintDevice& device, const COutputList& solution,
                       const CommentTextFunction& commentText, const RenderOptions& options) {
    const double scale = PrintScale(device);
    CQtLayoutDevice layoutDevice(&device);
    // Lines as wide against the letters as on the screen: hairlines on a fine printer otherwise.
    layoutDevice.SetLineWidth(CQtLayoutDevice::kScreenLineWidth * scale);
    CGraphics graphics(layoutDevice);
    CPrintPages pages;
    pages.Build(solution, options.textComments, commentText, graphics, scale, device.width(),
                device.height());
    if (options.maxPages > 0 && pages.PageCount() > options.maxPages) {
        return kTooManyPages;
    }

    QPainter painter;
    if (!painter.begin(&device)) {
        return -1;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    layoutDevice.SetPainter(&painter);
    for (int page = 1; page <= pages.PageCount(); ++page) {
        if (page > 1) {
            device.newPage();
        }
        graphics.Fonts().ResetSelection();
        pages.PaintPage(page, graphics, options.language);
    }
    painter.end();
    return pages.PageCount();
}

std::string RenderSolution(const COutputList& solution, const CommentTextFunction& commentText,
                           const std::string& path, const RenderOptions& options) {
    return RenderSolutionInto(solution, commentText, path, options).message;
}

RenderOutcome RenderSolutionInto(const COutputList& solution, const CommentTextFunction& commentText,
                                 const std::string& path, const RenderOptions& options) {
    EnsureGuiApplication();
    switch (RenderFormatOf(path)) {
    case RenderFormat::Png:
        return RenderImage(solution, commentText, path, options);
    case RenderFormat::Svg:
        return RenderSvg(solution, commentText, path, options);
    case RenderFormat::Pdf:
        return RenderPdf(solution, commentText, path, options);
    case RenderFormat::Unknown:
        break;
    }
    return {"the output file must end in .png, .svg or .pdf: " + path};
}
