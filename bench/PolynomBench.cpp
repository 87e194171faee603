// Speed of the polynomial forms: normalizing, multiplying, greatest common divisors.

#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/CPolynomValue.h"
#include "model/NodeCast.h"
#include "model/PolynomialGcd.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

CNumber SmallCoefficient(std::mt19937& generator) {
    std::uniform_int_distribution<int> value(1, 9);
    return CNumber(value(generator));
}

// A polynomial in x and y of `count` terms in random order: small coefficients, exponents up to 3,
// so that normalizing has to sort and to combine some like terms.
std::unique_ptr<COPolynom> RandomPolynom(int count, std::mt19937& generator) {
    std::uniform_int_distribution<int> exponent(0, 3);
    std::uniform_int_distribution<int> sign(0, 1);
    auto polynom = std::make_unique<COPolynom>();
    for (int i = 0; i < count; ++i) {
        LetterPowers powers;
        const std::int64_t ex = exponent(generator);
        const std::int64_t ey = exponent(generator);
        if (ex > 0) {
            powers.push_back({'x', ex});
        }
        if (ey > 0) {
            powers.push_back({'y', ey});
        }
        std::int32_t unused = 1;
        polynom->AddTail(COMonom::FromTerm({SmallCoefficient(generator), powers}, unused),
                         sign(generator) ? 1 : -1);
    }
    return polynom;
}

void BM_NormalizeTwentyTermsInTwoLetters(benchmark::State& state) {
    std::mt19937 generator(1);
    const std::unique_ptr<COPolynom> source = RandomPolynom(20, generator);
    for (auto _ : state) {
        state.PauseTiming();
        NodePtr copy = source->Clone();
        state.ResumeTiming();
        NodeAs<COPolynom>(*copy).Normalize(true);
        benchmark::DoNotOptimize(copy);
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NormalizeTwentyTermsInTwoLetters);

void BM_MultiplyTenByTenTerms(benchmark::State& state) {
    std::mt19937 generator(2);
    // Two 10-term polynomials in normal form (random terms until ten distinct ones are there).
    auto tenTerms = [&] {
        int count = 10;
        std::unique_ptr<COPolynom> p;
        do {
            p = COPolynom::FromValue(RandomPolynom(count++, generator)->Value());
        } while (p->GetCount() < 10);
        return p;
    };
    const std::unique_ptr<COPolynom> a = tenTerms();
    const std::unique_ptr<COPolynom> b = tenTerms();
    state.counters["terms"] = a->GetCount() * 1000 + b->GetCount();
    for (auto _ : state) {
        std::unique_ptr<COPolynom> product = a->NormalizedProduct(*b, true);
        benchmark::DoNotOptimize(product);
    }
}
BENCHMARK(BM_MultiplyTenByTenTerms);

// The same product term by term as nodes, normalized afterwards.
void BM_MultiplyTenByTenTermsAsNodes(benchmark::State& state) {
    std::mt19937 generator(2);
    auto tenTerms = [&] {
        int count = 10;
        std::unique_ptr<COPolynom> p;
        do {
            p = COPolynom::FromValue(RandomPolynom(count++, generator)->Value());
        } while (p->GetCount() < 10);
        return p;
    };
    const std::unique_ptr<COPolynom> a = tenTerms();
    const std::unique_ptr<COPolynom> b = tenTerms();
    for (auto _ : state) {
        std::unique_ptr<COPolynom> product = a->Product(*b);
        product->Normalize(true);
        benchmark::DoNotOptimize(product);
    }
}
BENCHMARK(BM_MultiplyTenByTenTermsAsNodes);

void BM_GcdOfDegreeSixInOneLetter(benchmark::State& state) {
    // (x^2 + 3x - 1)(2x^4 - x^3 + 5x - 7) and (x^2 + 3x - 1)(x^4 + 4x^2 + x + 2)
    auto factor = [](std::initializer_list<int> coefficients) {
        CPolynomValue p;
        std::int64_t exponent = static_cast<std::int64_t>(coefficients.size()) - 1;
        for (int c : coefficients) {
            p.Append({CNumber(c), exponent > 0 ? LetterPowers{{'x', exponent}} : LetterPowers{}});
            --exponent;
        }
        p.Normalize();
        return p;
    };
    const CPolynomValue common = factor({1, 3, -1});
    auto a = COPolynom::FromValue(common.Product(factor({2, -1, 0, 5, -7})));
    auto b = COPolynom::FromValue(common.Product(factor({1, 0, 4, 1, 2})));
    for (auto _ : state) {
        std::unique_ptr<COPolynom> gcd = PolynomialGcd(*a, *b);
        benchmark::DoNotOptimize(gcd);
    }
}
BENCHMARK(BM_GcdOfDegreeSixInOneLetter);

} // namespace
