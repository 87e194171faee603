// The polynomial gcd on school-sized and larger inputs: up to four letters, degree up to 8 in each
// letter, coefficients up to a million; pairs with a planted common factor and coprime pairs.

#include "model/CPolynomValue.h"
#include "model/PolynomialGcd.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A sparse random polynomial in the first `letters` of w, x, y, z with `terms` terms, exponents up
// to `maxExponent` in each letter and coefficients up to `largest` in size.
CPolynomValue RandomPolynomial(std::mt19937& generator, int letters, int terms, int maxExponent,
                               int largest) {
    static const unsigned char names[] = {'w', 'x', 'y', 'z'};
    std::uniform_int_distribution<int> coefficient(1, largest);
    std::uniform_int_distribution<int> sign(0, 1);
    std::uniform_int_distribution<int> exponent(0, maxExponent);
    CPolynomValue result;
    for (int t = 0; t < terms; ++t) {
        LetterPowers powers;
        for (int l = 0; l < letters; ++l) {
            if (const int e = exponent(generator); e > 0) {
                powers.push_back({names[l], e});
            }
        }
        result.Append({CNumber(sign(generator) ? coefficient(generator) : -coefficient(generator)), powers});
    }
    result.Normalize();
    return result;
}

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
        const CPolynomValue a = RandomPolynomial(generator, letters, terms, 4, largest);
        const CPolynomValue b = RandomPolynomial(generator, letters, terms, 4, largest);
        if (planted) {
            const CPolynomValue c = RandomPolynomial(generator, letters, (terms + 1) / 2, 4, largest);
            pairs.push_back({a.Product(c), b.Product(c)});
        } else {
            const CPolynomValue c = RandomPolynomial(generator, letters, 3, 4, largest);
            pairs.push_back({a.Product(c), b.Product(RandomPolynomial(generator, letters, 2, 4, largest))});
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
