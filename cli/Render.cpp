#include "cli/Render.h"

#ifdef ORBELIN_WITH_RENDER

#include "cli/ExitStatus.h"
#include "cli/MessageText.h"
#include "display/SolutionRenderer.h"
#include "output/LanguageTables.h"

#include <ostream>
#include <system_error>

std::optional<std::string> CheckRenderPath(const std::string& path) {
    if (RenderFormatOf(path) == RenderFormat::Unknown) {
        return "--render needs a file name ending in .png, .svg or .pdf, not \"" + path + "\"";
    }
    return std::nullopt;
}

bool IsPngPath(const std::string& path) {
    return RenderFormatOf(path) == RenderFormat::Png;
}

namespace {

// The file is drawn under this name beside its place and renamed when it is complete, so that a
// drawing that fails never leaves a cut file behind. It keeps the extension that names the format.
std::filesystem::path PartialName(const std::filesystem::path& path) {
    // Appended piece by piece: '"." + string' trips a false -Wrestrict warning of g++ 12.
    std::string name = ".";
    name.append(path.filename().string()).append(".partial").append(path.extension().string());
    return path.parent_path() / name;
}

// Why the drawn file cannot be put in place; empty when it is there.
std::string PutInPlace(const std::filesystem::path& partial, const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(partial, error) ||
        std::filesystem::file_size(partial, error) == 0 || error) {
        return "cannot write " + path.string();
    }
    std::filesystem::rename(partial, path, error);
    return error ? "cannot write " + path.string() + ": " + error.message() : "";
}

} // namespace

int RenderSolutionFile(const COutputList& solution, int language, const std::filesystem::path& baseFolder,
                       const std::string& path, std::ostream& err, double scale) {
    // The drawing takes the language file's texts as they are, in Windows-1251.
    CLanguageTables tables;
    tables.LoadLanguage((baseFolder / "").string(), language, nullptr);
    RenderOptions options;
    options.language = language;
    options.scale = scale;
    const std::filesystem::path partial = PartialName(path);
    RenderOutcome outcome = RenderSolutionInto(
        solution, [&tables](CommentIDType id) { return tables.CommentText(id); }, partial.string(), options);
    if (outcome.message.empty()) {
        outcome = {PutInPlace(partial, path), true};
    }
    if (!outcome.message.empty()) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        WriteMessage(err, outcome.message);
        // A file that cannot be written is output that fails; a solution too large to draw is a
        // problem this command line cannot use.
        return outcome.fileUnwritable ? kExitOutputFailed : kExitCommandLineUnusable;
    }
    return kExitSolved;
}

#endif
