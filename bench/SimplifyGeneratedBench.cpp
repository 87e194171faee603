// The simplification solve over a generated set of school-sized problems (sums of up to six
// fractions in up to three letters, powers of sums up to the fifth, nested fractions). Each
// iteration solves the whole set; the counters give the median, the 99th percentile and the
// slowest single solve in milliseconds of processor time, and the label names the slowest problem.

#include "output/COutputList.h"
#include "solver/SolveProblem.h"
#include "tests/support/SchoolProblemMaker.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

constexpr int kProblems = 1000;

// The processor time of this thread: on a machine shared with other work, wall time would count
// the waiting too.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void BM_SimplifyGeneratedSchoolSet(benchmark::State& state) {
    const std::vector<std::string> problems = SchoolProblemMaker(20261207).Make(kProblems);
    std::vector<double> times(problems.size(), 0.0);
    for (auto _ : state) {
        for (std::size_t i = 0; i < problems.size(); ++i) {
            const double start = ThreadMilliseconds();
            COutputList solution;
            SolveProblem(ProblemKind::Simplify, problems[i], &solution);
            benchmark::DoNotOptimize(solution.Size());
            const double elapsed = ThreadMilliseconds() - start;
            // Per problem the fastest of the iterations: the least disturbed by other work.
            times[i] = times[i] == 0.0 ? elapsed : std::min(times[i], elapsed);
        }
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    state.counters["median_ms"] = sorted[sorted.size() / 2];
    state.counters["p99_ms"] = sorted[sorted.size() * 99 / 100];
    state.counters["max_ms"] = sorted.back();
    const auto worst = std::max_element(times.begin(), times.end()) - times.begin();
    std::string label = "slowest: ";
    label.append(problems[static_cast<std::size_t>(worst)]);
    state.SetLabel(label);
}
BENCHMARK(BM_SimplifyGeneratedSchoolSet)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
