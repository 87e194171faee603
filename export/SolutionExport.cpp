#include "export/SolutionExport.h"

#include "export/DocumentWriters.h"
#include "export/PlainText.h"

#include <array>
#include <utility>

namespace {

struct FormatNames {
    ExportFormat format;
    std::string_view name;
    std::string_view extension;
};

constexpr std::array<FormatNames, 6> kFormats{{
    {ExportFormat::Text, "text", "txt"},
    {ExportFormat::Markdown, "markdown", "md"},
    {ExportFormat::Latex, "latex", "tex"},
    {ExportFormat::LatexFragment, "latex-fragment", "tex"},
    {ExportFormat::Html, "html", "html"},
    {ExportFormat::HtmlFragment, "html-fragment", "html"},
}};

const FormatNames& NamesOf(ExportFormat format) {
    for (const FormatNames& names : kFormats) {
        if (names.format == format) {
            return names;
        }
    }
    return kFormats.front();
}

} // namespace

std::string ExportSolution(const COutputList& solution, const CommentTexts& texts,
                           const ExportOptions& options) {
    if (options.format == ExportFormat::Text) {
        TextOptions text;
        text.textComments = options.textComments;
        text.style.decimalSeparator = options.language == kRussianLanguage ? ',' : '.';
        return SolutionAsText(solution, texts, text);
    }
    const std::vector<ShownBand> bands = ShownBands(solution, texts, options.textComments);
    switch (options.format) {
    case ExportFormat::Markdown:
        return MarkdownDocument(bands, options.language);
    case ExportFormat::Latex:
    case ExportFormat::LatexFragment:
        return LatexDocument(bands, options.language, options.format == ExportFormat::LatexFragment);
    case ExportFormat::Html:
    case ExportFormat::HtmlFragment:
        return HtmlDocument(bands, options.language, options.format == ExportFormat::HtmlFragment);
    case ExportFormat::Text:
        break;
    }
    return {};
}

std::string_view ExportFormatName(ExportFormat format) {
    return NamesOf(format).name;
}

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    for (const FormatNames& names : kFormats) {
        if (names.name == name) {
            return names.format;
        }
    }
    return std::nullopt;
}

std::string_view ExportFileExtension(ExportFormat format) {
    return NamesOf(format).extension;
}
