// Time of writing a solution of about 40 records in each text format of the export layer: the
// solution is solved once and written out again and again, as a copy or a save does.

#include "export/CommentTexts.h"
#include "export/SolutionExport.h"
#include "markup/LinearNotation.h"
#include "solver/SolveProblem.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

// An equation with fractions: the domain conditions, their check and the steps of the common
// denominator give a solution of 46 records, 24 of them formulas.
const COutputList& FortyRecordSolution() {
    static const std::unique_ptr<COutputList> solution = [] {
        auto list = std::make_unique<COutputList>();
        SolveProblem(ProblemKind::Equation, ReadLinearNotation("x/(x-1) + 1/(x+1) = 2").markup, list.get());
        return list;
    }();
    return *solution;
}

const CommentTexts& Texts() {
    static const CommentTexts texts =
        CommentTexts::Load(kEnglishLanguage, std::filesystem::canonical("/proc/self/exe").parent_path());
    return texts;
}

void ExportOnce(benchmark::State& state, ExportFormat format) {
    const COutputList& solution = FortyRecordSolution();
    ExportOptions options;
    options.format = format;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string document = ExportSolution(solution, Texts(), options);
        bytes = document.size();
        benchmark::DoNotOptimize(document.data());
    }
    state.counters["records"] = static_cast<double>(solution.Size());
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportText(benchmark::State& state) {
    ExportOnce(state, ExportFormat::Text);
}
void BM_ExportMarkdown(benchmark::State& state) {
    ExportOnce(state, ExportFormat::Markdown);
}
void BM_ExportLatex(benchmark::State& state) {
    ExportOnce(state, ExportFormat::Latex);
}
void BM_ExportHtml(benchmark::State& state) {
    ExportOnce(state, ExportFormat::Html);
}

} // namespace

BENCHMARK(BM_ExportText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExportMarkdown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExportLatex)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMicrosecond);
