// The factorisation and complete factorisation solves of every problem of the school suite, one
// benchmark per problem and kind.

#include "output/COutputList.h"
#include "solver/SolveProblem.h"
#include "tests/support/FactorisationSuite.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void FactorProblem(benchmark::State& state, ProblemKind kind, const char* problem) {
    for (auto _ : state) {
        COutputList solution;
        SolveProblem(kind, problem, &solution);
        benchmark::DoNotOptimize(solution.Size());
    }
}

const int kRegistered = [] {
    for (const FactorisationProblem& item : kFactorisationSuite) {
        benchmark::RegisterBenchmark((std::string("Factor/") + item.problem).c_str(), FactorProblem,
                                     ProblemKind::Factorise, item.problem);
        benchmark::RegisterBenchmark((std::string("FactorFully/") + item.problem).c_str(), FactorProblem,
                                     ProblemKind::FactoriseCompletely, item.problem);
    }
    return 0;
}();

} // namespace
