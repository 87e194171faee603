// Time of whole solves through the dispatcher, one problem of each kind and a few error paths.

#include "output/COutputList.h"
#include "solver/SolveProblem.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void SolveOnce(benchmark::State& state, ProblemKind kind, const std::string& problem) {
    for (auto _ : state) {
        COutputList solution;
        SolveProblem(kind, problem, &solution);
        benchmark::DoNotOptimize(solution.Size());
    }
}

void BM_SolveEquation(benchmark::State& state) {
    SolveOnce(state, ProblemKind::Equation, "x^2-5*x+6=0");
}
void BM_Factorise(benchmark::State& state) {
    SolveOnce(state, ProblemKind::Factorise, "x^4-4*x^3+6*x^2-4*x+1");
}
void BM_FactoriseCompletely(benchmark::State& state) {
    SolveOnce(state, ProblemKind::FactoriseCompletely, "a^2*x-b^2*x+a^2*y-b^2*y");
}
void BM_Simplify(benchmark::State& state) {
    SolveOnce(state, ProblemKind::Simplify, "{x+1}/{x^2-1}+{2*x}/{x-1}-3:(x+1)*{1/2}");
}
void BM_SimplifyLong(benchmark::State& state) {
    std::string problem = "1";
    for (int i = 1; i < 60; ++i) {
        problem.append("+")
            .append(std::to_string(i))
            .append("*x^")
            .append(std::to_string(i % 7))
            .append("*y");
    }
    SolveOnce(state, ProblemKind::Simplify, problem);
}
void BM_RejectMalformed(benchmark::State& state) {
    SolveOnce(state, ProblemKind::Simplify, "(x+1)*(x-#)");
}
void BM_RejectTwoLetters(benchmark::State& state) {
    SolveOnce(state, ProblemKind::Equation, "x+y=1");
}

} // namespace

BENCHMARK(BM_SolveEquation);
BENCHMARK(BM_Factorise);
BENCHMARK(BM_FactoriseCompletely);
BENCHMARK(BM_Simplify);
BENCHMARK(BM_SimplifyLong);
BENCHMARK(BM_RejectMalformed);
BENCHMARK(BM_RejectTwoLetters);
