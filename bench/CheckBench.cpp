// Checking a pupil's ten-line solution of each kind, as the desktop program and orbelin-solve
// --check do: every line read, compared exactly with the line before, and the end judged by the
// solver. The solutions are written in linear notation, as a pupil types them.

#include "checker/SolutionCheck.h"
#include "solver/SolveProblem.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// x(x + 4) − 5 = 0 to its roots, through the domain-free steps of a pupil.
const std::vector<std::string> kEquation = {"x(x + 4) - 5 = 0",
                                            "x^2 + 4x - 5 = 0",
                                            "x^2 + 4x = 5",
                                            "x^2 + 4x + 4 = 9",
                                            "(x + 2)^2 = 9",
                                            "(x + 2)^2 - 9 = 0",
                                            "(x + 2 - 3)(x + 2 + 3) = 0",
                                            "(x - 1)(x + 5) = 0",
                                            "x - 1 = 0 or x + 5 = 0",
                                            "x = 1 or x = -5"};

// An equation with a denominator and irrational roots.
const std::vector<std::string> kFractionEquation = {"x/(x - 1) = 2/x + 1",
                                                    "x/(x - 1) - 2/x - 1 = 0",
                                                    "(x^2 - 2(x - 1) - x(x - 1))/(x(x - 1)) = 0",
                                                    "(x^2 - 2x + 2 - x^2 + x)/(x(x - 1)) = 0",
                                                    "(2 - x)/(x(x - 1)) = 0",
                                                    "2 - x = 0",
                                                    "-x = -2",
                                                    "x = 2",
                                                    "x1 = 2",
                                                    "x = 2"};

const std::vector<std::string> kSimplification = {"(x^2 - 1)/(x + 1) + 2x - 1/(x - 1) + 1/(x - 1)",
                                                  "(x - 1)(x + 1)/(x + 1) + 2x",
                                                  "x - 1 + 2x",
                                                  "x + 2x - 1",
                                                  "3x - 1",
                                                  "3x - 1 + 0",
                                                  "3x - 1",
                                                  "(6x - 2)/2",
                                                  "3x - 1",
                                                  "3x - 1"};

const std::vector<std::string> kFactorisation = {"x^4 - 5x^2 + 4",
                                                 "x^4 - x^2 - 4x^2 + 4",
                                                 "x^2(x^2 - 1) - 4(x^2 - 1)",
                                                 "(x^2 - 1)(x^2 - 4)",
                                                 "(x - 1)(x + 1)(x^2 - 4)",
                                                 "(x - 1)(x + 1)(x - 2)(x + 2)",
                                                 "(x + 1)(x - 1)(x - 2)(x + 2)",
                                                 "(x - 2)(x - 1)(x + 1)(x + 2)",
                                                 "(x - 2)(x - 1)(x + 1)(x + 2)",
                                                 "(x - 2)(x - 1)(x + 1)(x + 2)"};

void CheckTenLines(benchmark::State& state, ProblemKind kind, const std::vector<std::string>* lines) {
    for (auto _ : state) {
        const SolutionCheck check = CheckSolution(kind, *lines, LineForm::Linear);
        benchmark::DoNotOptimize(check.finished);
    }
}

BENCHMARK_CAPTURE(CheckTenLines, Equation, ProblemKind::Equation, &kEquation);
BENCHMARK_CAPTURE(CheckTenLines, FractionEquation, ProblemKind::Equation, &kFractionEquation);
BENCHMARK_CAPTURE(CheckTenLines, Simplification, ProblemKind::Simplify, &kSimplification);
BENCHMARK_CAPTURE(CheckTenLines, CompleteFactorisation, ProblemKind::FactoriseCompletely, &kFactorisation);

} // namespace
