// The simplification solve of every problem of the school suite, one benchmark per problem.

#include "output/COutputList.h"
#include "solver/SolveProblem.h"
#include "tests/support/SimplificationSuite.h"

#include <benchmark/benchmark.h>

namespace {

void SimplifyProblem(benchmark::State& state, const char* problem) {
    for (auto _ : state) {
        COutputList solution;
        SolveProblem(ProblemKind::Simplify, problem, &solution);
        benchmark::DoNotOptimize(solution.Size());
    }
}

const int kRegistered = [] {
    for (const SimplificationProblem& item : kSimplificationSuite) {
        benchmark::RegisterBenchmark((std::string("Simplify/") + item.problem).c_str(), SimplifyProblem,
                                     item.problem);
    }
    return 0;
}();

} // namespace
