#include "cli/Render.h"

#ifdef ORBELIN_WITH_RENDER

#include "cli/CliRunner.h"
#include "display/SolutionRenderer.h"
#include "output/LanguageTables.h"

#include <ostream>

std::optional<std::string> CheckRenderPath(const std::string& path) {
    if (RenderFormatOf(path) == RenderFormat::Unknown) {
        return "--render needs a file name ending in .png, .svg or .pdf, not \"" + path + "\"";
    }
    return std::nullopt;
}

int RenderSolutionFile(const COutputList& solution, int language, const std::filesystem::path& baseFolder,
                       const std::string& path, std::ostream& err) {
    // The drawing takes the language file's texts as they are, in Windows-1251.
    CLanguageTables tables;
    tables.LoadLanguage((baseFolder / "").string(), language, nullptr);
    RenderOptions options;
    options.language = language;
    const std::string problem = RenderSolution(
        solution, [&tables](CommentIDType id) { return tables.CommentText(id); }, path, options);
    if (!problem.empty()) {
        err << "orbelin-solve: " << problem << '\n';
        return kExitCommandLineUnusable;
    }
    return kExitSolved;
}

int SolveAndRender(const CommandLine& commandLine, const std::filesystem::path& baseFolder,
                   std::ostream& err) {
    const ProblemReading problem = ReadProblem(*commandLine.problem, commandLine.form);
    if (!problem.error.empty()) {
        err << "orbelin-solve: " << problem.error << '\n';
        return kExitCommandLineUnusable;
    }
    COutputList solution;
    SolveTimed(commandLine.kind, problem.text, solution);
    return RenderSolutionFile(solution, commandLine.language, baseFolder, *commandLine.renderPath, err);
}

#endif
