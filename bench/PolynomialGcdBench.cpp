// The polynomial gcd on school-sized and larger inputs: up to four letters, degree up to 8 in each
// letter, coefficients up to a million; pairs with a planted common factor and coprime pairs.

#include "model/CPolynomValue.h"
#include "model/PolynomialGcd.h"
#include "tests/support/PolynomTestSupport.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct GcdPair {
    CPolynomValue a;
    CPolynomValue b;
};

// Pairs a*c, b*c whose factors have degree up to 4 in each letter, so the products reach 8; a and
// b have `terms` terms, c half as many.
std::vector<GcdPair> Pairs(int letters, bool planted, int largest, int terms = 3) {
    std::mt19937 generator(static_cast<unsigned>(letters * 100 + (planted ? 1 : 0)));
    std::vector<GcdPair> pairs;
    for (int i = 0; i < 20; ++i) {
        const CPolynomValue a = polytest::RandomIntegerPoly(generator, letters, terms, 4, largest);
        const CPolynomValue b = polytest::RandomIntegerPoly(generator, letters, terms, 4, largest);
        if (planted) {
            const CPolynomValue c =
                polytest::RandomIntegerPoly(generator, letters, (terms + 1) / 2, 4, largest);
            pairs.push_back({a.Product(c), b.Product(c)});
        } else {
            const CPolynomValue c = polytest::RandomIntegerPoly(generator, letters, 3, 4, largest);
            pairs.push_back(
                {a.Product(c), b.Product(polytest::RandomIntegerPoly(generator, letters, 2, 4, largest))});
        }
    }
    return pairs;
}

void RunPairs(benchmark::State& state, bool planted, int terms = 3) {
    const int letters = static_cast<int>(state.range(0));
    const int largest = static_cast<int>(state.range(1));
    const std::vector<GcdPair> pairs = Pairs(letters, planted, largest, terms);
    std::size_t next = 0;
    for (auto _ : state) {
        CNumber::ResetLimitExceeded();
        const GcdPair& pair = pairs[next++ % pairs.size()];
        benchmark::DoNotOptimize(PolynomialGcd(pair.a, pair.b));
    }
    state.counters["gave_up"] = CNumber::LimitExceeded() ? 1 : 0;
}

void BM_GcdWithPlantedFactor(benchmark::State& state) {
    RunPairs(state, true);
}
void BM_GcdOfCoprimePolynomials(benchmark::State& state) {
    RunPairs(state, false);
}

// Denser factors (six terms), on which the heuristic gcd used to give up.
void BM_GcdWithPlantedFactorOfSixTerms(benchmark::State& state) {
    RunPairs(state, true, 6);
}

BENCHMARK(BM_GcdWithPlantedFactorOfSixTerms)
    ->ArgsProduct({{2, 3, 4}, {1000000}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GcdWithPlantedFactor)
    ->ArgsProduct({{1, 2, 3, 4}, {1000, 1000000}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GcdOfCoprimePolynomials)
    ->ArgsProduct({{1, 2, 3, 4}, {1000, 1000000}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
