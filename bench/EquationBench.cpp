// The equation solve of every problem of the school suite, one benchmark per problem.

#include "output/COutputList.h"
#include "solver/SolveProblem.h"
#include "tests/support/EquationSuite.h"

#include <benchmark/benchmark.h>

namespace {

void SolveEquationProblem(benchmark::State& state, const char* problem) {
    for (auto _ : state) {
        COutputList solution;
        SolveProblem(ProblemKind::Equation, problem, &solution);
        benchmark::DoNotOptimize(solution.Size());
    }
}

const int kRegistered = [] {
    for (const EquationCase& item : EquationSuiteCases()) {
        benchmark::RegisterBenchmark((std::string("Equation/") + item.problem).c_str(), SolveEquationProblem,
                                     item.problem);
    }
    return 0;
}();

} // namespace
