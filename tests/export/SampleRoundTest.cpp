// Every built-in sample problem of all four kinds solved and written in every format: each document
// well-formed, each formula read back with the value of its record.

#include "ExportTestSupport.h"
#include "export/SolutionBands.h"
#include "export/SolutionExport.h"
#include "markup/EditorConversion.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The problems of a sample file: one a line, in the editor's form, up to the ";".
std::vector<std::string> SampleProblems(const std::string& name) {
    std::ifstream file(std::string(ORBELIN_SOURCE_DIR) + "/res/samples/" + name, std::ios::binary);
    std::vector<std::string> problems;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t end = line.find(';');
        if (end != std::string::npos) {
            problems.push_back(line.substr(0, end));
        }
    }
    return problems;
}

// The editor's text as its Solve hands it to the solver.
std::string ForSolver(const std::string& typed) {
    std::string text = "$" + typed + "$";
    RemoveBlanks(text);
    MarkMixedNumbers(text);
    InsertProductDots(text);
    text = text.substr(1, text.size() - 2);
    RemoveRedundantBraces(text);
    return text;
}

std::vector<std::string> FormulaMarkups(const std::vector<ShownBand>& bands) {
    std::vector<std::string> formulas;
    for (const ShownBand& band : bands) {
        for (const ShownBlock& block : band.blocks) {
            if (block.formula) {
                formulas.push_back(block.text);
            }
        }
    }
    return formulas;
}

// The first line of a text export that shows the same as the line before it at the same depth,
// its chaining "=" aside; empty when there is none. A repeated line tells the pupil nothing (a case
// and the case around it may close with the same roots: their depths differ).
std::string FirstRepeatedLine(const std::string& text) {
    const auto bare = [](const std::string& line) {
        const std::size_t indent = line.find_first_not_of(' ');
        const std::size_t first = line.find_first_not_of(" =");
        const std::size_t last = line.find_last_not_of(" =");
        return first == std::string::npos ? std::string()
                                          : line.substr(0, indent) + line.substr(first, last - first + 1);
    };
    std::istringstream lines(text);
    std::string previous;
    std::string line;
    while (std::getline(lines, line)) {
        const std::string shown = bare(line);
        if (!shown.empty() && shown == previous) {
            return line;
        }
        previous = shown;
    }
    return "";
}

TEST(SampleRound, EverySampleOfEveryKindExportsInEveryFormat) {
    const std::filesystem::path programFolder = std::filesystem::canonical("/proc/self/exe").parent_path();
    const CommentTexts texts[] = {CommentTexts::Load(kRussianLanguage, programFolder),
                                  CommentTexts::Load(kEnglishLanguage, programFolder)};
    const std::pair<const char*, std::vector<ProblemKind>> sets[] = {
        {"Equations.txt", {ProblemKind::Equation}},
        {"Factorisation.txt", {ProblemKind::Factorise, ProblemKind::FactoriseCompletely}},
        {"Simplification.txt", {ProblemKind::Simplify}},
    };
    std::mt19937 random(2026);
    int solutions = 0;
    int formulasChecked = 0;
    for (const auto& [file, kinds] : sets) {
        const std::vector<std::string> problems = SampleProblems(file);
        ASSERT_GT(problems.size(), 50u) << file;
        for (const ProblemKind kind : kinds) {
            for (std::size_t i = 0; i < problems.size(); ++i) {
                const std::string problem = ForSolver(problems[i]);
                SCOPED_TRACE(std::string(file) + " kind " + std::to_string(ToNumber(kind)) + ": " + problem);
                COutputList solution;
                SolveProblem(kind, problem, &solution);
                ++solutions;
                // The languages take turns, so both are exported.
                const int language = static_cast<int>(i % 2);
                const std::vector<std::string> formulas =
                    FormulaMarkups(ShownBands(solution, texts[language], true));
                ExportOptions options;
                options.language = language;

                options.format = ExportFormat::Text;
                const std::string text = ExportSolution(solution, texts[language], options);
                EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')),
                          ShownBands(solution, texts[language], true).size());
                EXPECT_EQ(FirstRepeatedLine(text), "") << text;

                options.format = ExportFormat::Html;
                const XmlReading html = ReadXml(ExportSolution(solution, texts[language], options));
                ASSERT_EQ(html.error, "");
                std::vector<const XmlElement*> maths;
                html.root.FindAll("math", maths);
                ASSERT_EQ(maths.size(), formulas.size());

                options.format = ExportFormat::Latex;
                const std::vector<std::string> latex =
                    LatexDocumentMaths(ExportSolution(solution, texts[language], options));
                ASSERT_EQ(latex.size(), formulas.size());

                options.format = ExportFormat::Markdown;
                const std::vector<std::string> markdown =
                    MarkdownMaths(ExportSolution(solution, texts[language], options));
                ASSERT_EQ(markdown.size(), formulas.size());

                for (std::size_t f = 0; f < formulas.size(); ++f) {
                    SCOPED_TRACE(formulas[f]);
                    ASSERT_EQ(CompareMathML(formulas[f], *maths[f], random, 1), "");
                    ASSERT_EQ(CompareLatex(formulas[f], latex[f], random, 1), "") << latex[f];
                    ASSERT_EQ(markdown[f], latex[f]);
                    ++formulasChecked;
                }
            }
        }
    }
    EXPECT_GT(solutions, 250);
    EXPECT_GT(formulasChecked, 1000);
}

} // namespace
