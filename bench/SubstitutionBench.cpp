// Time of the equations that a substitution reduces: the whole solve of every equation of the
// substitution suite through the dispatcher, and the substitution search alone on its left side.

#include "markup/CFormulaParser.h"
#include "markup/ProblemText.h"
#include "model/CORelation.h"
#include "model/NodeCast.h"
#include "output/COutputList.h"
#include "solver/SolveProblem.h"
#include "solver/substitution/SubstitutionSearch.h"
#include "tests/support/SubstitutionSuite.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_SolveSubstitutionSuite(benchmark::State& state) {
    const std::string problem = SubstitutionSuite()[static_cast<std::size_t>(state.range(0))].problem;
    state.SetLabel(problem);
    for (auto _ : state) {
        COutputList solution;
        SolveProblem(ProblemKind::Equation, problem, &solution);
        benchmark::DoNotOptimize(solution.Size());
    }
}

void BM_SubstitutionSearch(benchmark::State& state) {
    std::string text = SubstitutionSuite()[static_cast<std::size_t>(state.range(0))].problem;
    state.SetLabel(text);
    PrepareProblemText(text);
    char unknown = 'x';
    FindUnknown(text, unknown);
    ParseResult parsed = ParseEquationText(text);
    if (!parsed.tree) {
        state.SkipWithError("the problem does not parse");
        return;
    }
    const CORelation& relation = NodeAs<CORelation>(*parsed.tree);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindRepeatedSubstitution(*relation.Left(), unknown));
    }
}

void SuiteIndices(benchmark::internal::Benchmark* benchmark) {
    for (std::size_t i = 0; i < SubstitutionSuite().size(); ++i) {
        benchmark->Arg(static_cast<std::int64_t>(i));
    }
}

} // namespace

BENCHMARK(BM_SolveSubstitutionSuite)->Apply(SuiteIndices)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubstitutionSearch)->Apply(SuiteIndices)->Unit(benchmark::kMicrosecond);
