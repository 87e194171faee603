#include "app/SolutionExporter.h"

#include "export/OutputFile.h"
#include "display/SolutionRenderer.h"
#include "export/CommentTexts.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>

#include <array>

namespace {

// The language file's entries of the export texts.
enum ExportText : std::size_t {
    kCopySolutionText = 0,
    kCopyLatexText = 1,
    kSaveText = 2,
    kSaveCaption = 3,
    kFirstFileType = 4, // the file types follow in the order of SaveFormat
    kScaleQuestion = 11,
    kCannotWrite = 12,
};

struct SaveFormatInfo {
    SaveFormat format;
    const char* extension;
};

constexpr std::array<SaveFormatInfo, 7> kSaveFormats{{
    {SaveFormat::Text, "txt"},
    {SaveFormat::Markdown, "md"},
    {SaveFormat::Latex, "tex"},
    {SaveFormat::Html, "html"},
    {SaveFormat::Pdf, "pdf"},
    {SaveFormat::Svg, "svg"},
    {SaveFormat::Png, "png"},
}};

std::optional<ExportFormat> DocumentFormat(SaveFormat format) {
    switch (format) {
    case SaveFormat::Text:
        return ExportFormat::Text;
    case SaveFormat::Markdown:
        return ExportFormat::Markdown;
    case SaveFormat::Latex:
        return ExportFormat::Latex;
    case SaveFormat::Html:
        return ExportFormat::Html;
    case SaveFormat::Pdf:
    case SaveFormat::Svg:
    case SaveFormat::Png:
        break;
    }
    return std::nullopt;
}

// A PNG pasted from the clipboard is drawn at twice the screen's size, sharp where it lands.
constexpr double kClipboardImageScale = 2.0;
constexpr double kDefaultPngScale = 2.0;

} // namespace

std::optional<SaveFormat> SaveFormatOfPath(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const SaveFormatInfo& info : kSaveFormats) {
        if (extension == QLatin1String(info.extension)) {
            return info.format;
        }
    }
    return std::nullopt;
}

CSolutionExporter::CSolutionExporter(std::function<const COutputList*()> solution,
                                     const CLanguageTables& texts, const ProgramSettings& settings,
                                     QWidget* dialogParent)
    : QObject(dialogParent), m_solution(std::move(solution)), m_texts(texts), m_settings(settings),
      m_dialogParent(dialogParent) {
    m_copy = new QAction(this);
    m_copyLatex = new QAction(this);
    m_save = new QAction(this);
    m_save->setShortcut(QKeySequence::SaveAs);
    connect(m_copy, &QAction::triggered, this, &CSolutionExporter::CopySolution);
    connect(m_copyLatex, &QAction::triggered, this, &CSolutionExporter::CopyLatex);
    connect(m_save, &QAction::triggered, this, &CSolutionExporter::SaveWithDialog);
    askScale = [this]() -> std::optional<double> {
        bool accepted = false;
        const double scale =
            QInputDialog::getDouble(m_dialogParent, Text(kSaveCaption), Text(kScaleQuestion),
                                    kDefaultPngScale, kMinRenderScale, kMaxRenderScale, 2, &accepted);
        return accepted ? std::optional<double>(scale) : std::nullopt;
    };
    askFile = [this](const QString& caption, const QString& filters, QString* chosenFilter) {
        return QFileDialog::getSaveFileName(m_dialogParent, caption, SuggestedSavePath(), filters,
                                            chosenFilter);
    };
    UpdateStates();
}

CSolutionExporter::~CSolutionExporter() = default;

QString CSolutionExporter::SuggestedSavePath() const {
    QString folder = m_saveFolder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(QStringLiteral("solution"));
}

QString CSolutionExporter::Text(std::size_t i) const {
    return QString::fromStdString(Windows1251ToUtf8(m_texts.ExportText(i)));
}

void CSolutionExporter::ApplyTexts() {
    m_copy->setText(Text(kCopySolutionText));
    m_copyLatex->setText(Text(kCopyLatexText));
    m_save->setText(Text(kSaveText));
}

void CSolutionExporter::UpdateStates() {
    const COutputList* solution = m_solution();
    const bool available = solution != nullptr && !solution->IsEmpty();
    for (QAction* action : {m_copy, m_copyLatex, m_save}) {
        action->setEnabled(available);
    }
}

std::unique_ptr<QMimeData> CSolutionExporter::SolutionMimeData() const {
    const COutputList* solution = m_solution();
    if (solution == nullptr) {
        return nullptr;
    }
    const CommentTexts texts = CommentTexts::FromTables(m_texts);
    ExportOptions options;
    options.language = m_settings.language;
    options.textComments = m_settings.commentText;
    auto data = std::make_unique<QMimeData>();
    options.format = ExportFormat::Text;
    data->setText(QString::fromStdString(ExportSolution(*solution, texts, options)));
    options.format = ExportFormat::Html;
    data->setHtml(QString::fromStdString(ExportSolution(*solution, texts, options)));
    RenderOptions render;
    render.language = m_settings.language;
    render.textComments = m_settings.commentText;
    render.scale = kClipboardImageScale;
    const CLanguageTables& tables = m_texts;
    std::string problem;
    const QImage image = RenderSolutionImage(
        *solution, [&tables](CommentIDType id) { return tables.CommentText(id); }, render, problem);
    // A solution too large for a picture still goes out as text and HTML.
    if (!image.isNull()) {
        data->setImageData(image);
    }
    return data;
}

void CSolutionExporter::CopySolution() {
    if (std::unique_ptr<QMimeData> data = SolutionMimeData()) {
        QGuiApplication::clipboard()->setMimeData(data.release());
    }
}

void CSolutionExporter::CopyLatex() {
    const COutputList* solution = m_solution();
    if (solution == nullptr) {
        return;
    }
    ExportOptions options;
    options.format = ExportFormat::LatexFragment;
    options.language = m_settings.language;
    options.textComments = m_settings.commentText;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ExportSolution(*solution, CommentTexts::FromTables(m_texts), options)));
}

QString CSolutionExporter::SaveTo(const QString& path, SaveFormat format, double scale) const {
    const COutputList* solution = m_solution();
    if (solution == nullptr) {
        return Text(kCannotWrite) + QLatin1Char(' ') + path;
    }
    std::string problem;
    if (const std::optional<ExportFormat> document = DocumentFormat(format)) {
        ExportOptions options;
        options.format = *document;
        options.language = m_settings.language;
        options.textComments = m_settings.commentText;
        problem = WriteOutputFile(path.toStdString(),
                                  ExportSolution(*solution, CommentTexts::FromTables(m_texts), options));
    } else {
        RenderOptions render;
        render.language = m_settings.language;
        render.textComments = m_settings.commentText;
        render.scale = scale;
        const CLanguageTables& tables = m_texts;
        problem = RenderSolution(
            *solution, [&tables](CommentIDType id) { return tables.CommentText(id); }, path.toStdString(),
            render);
    }
    return problem.empty() ? QString()
                           : Text(kCannotWrite) + QLatin1Char(' ') + QString::fromStdString(problem);
}

void CSolutionExporter::SaveWithDialog() {
    if (m_solution() == nullptr) {
        return;
    }
    QStringList filters;
    for (std::size_t i = 0; i < kSaveFormats.size(); ++i) {
        filters << Text(kFirstFileType + i);
    }
    QString chosenFilter = filters.front();
    QString path = askFile(Text(kSaveCaption), filters.join(QStringLiteral(";;")), &chosenFilter);
    if (path.isEmpty()) {
        return;
    }
    m_saveFolder = QFileInfo(path).absolutePath();
    // The file type chosen decides the format; a name without that type's extension gets it.
    const qsizetype chosen = std::max<qsizetype>(filters.indexOf(chosenFilter), 0);
    const SaveFormatInfo& info = kSaveFormats[static_cast<std::size_t>(chosen)];
    if (SaveFormatOfPath(path) != info.format) {
        path += QLatin1Char('.') + QLatin1String(info.extension);
    }
    double scale = 1.0;
    if (info.format == SaveFormat::Png) {
        const std::optional<double> asked = askScale();
        if (!asked) {
            return;
        }
        scale = *asked;
    }
    if (const QString problem = SaveTo(path, info.format, scale); !problem.isEmpty()) {
        QMessageBox::warning(m_dialogParent, Text(kSaveCaption), problem);
    }
}
