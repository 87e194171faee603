// Speed of exact number arithmetic: small values (the common case in school problems) must stay
// far below 100 ns per operation; long values show how the digit arithmetic scales.

#include "model/CNumber.h"
#include "tests/support/NumberTestSupport.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using numtest::Num;

void SmallIntegerAdd(benchmark::State& state) {
    CNumber a(12345);
    const CNumber b(678);
    for (auto _ : state) {
        a.AddInPlace(b);
        a.SubtractInPlace(b);
        benchmark::DoNotOptimize(a);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(SmallIntegerAdd);

void SmallIntegerSum(benchmark::State& state) {
    const CNumber a(12345);
    const CNumber b(678);
    for (auto _ : state) {
        CNumber c = a.Sum(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(SmallIntegerSum);

void SmallIntegerProduct(benchmark::State& state) {
    const CNumber a(12345);
    const CNumber b(-678);
    for (auto _ : state) {
        CNumber c = a.Product(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(SmallIntegerProduct);

void SmallFractionSum(benchmark::State& state) {
    const CNumber a = Num("2/3");
    const CNumber b = Num("5/7");
    for (auto _ : state) {
        CNumber c = a.Sum(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(SmallFractionSum);

void SmallFractionProduct(benchmark::State& state) {
    const CNumber a = Num("2/3");
    const CNumber b = Num("9/14");
    for (auto _ : state) {
        CNumber c = a.Product(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(SmallFractionProduct);

void SmallDecimalSum(benchmark::State& state) {
    const CNumber a = Num("3,25");
    const CNumber b = Num("0,5");
    for (auto _ : state) {
        CNumber c = a.Sum(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(SmallDecimalSum);

void SmallQuotient(benchmark::State& state) {
    const CNumber a(7);
    const CNumber b(2);
    for (auto _ : state) {
        CNumber c = a.Quotient(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(SmallQuotient);

void SmallCompare(benchmark::State& state) {
    const CNumber a = Num("1/3");
    const CNumber b = Num("0,33");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CNumber::Compare(a, b));
    }
}
BENCHMARK(SmallCompare);

void WriteSmall(benchmark::State& state) {
    const CNumber a = Num("2@{1/3}");
    for (auto _ : state) {
        std::string text;
        a.WriteText(text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(WriteSmall);

void LongProduct(benchmark::State& state) {
    const CNumber a = Num(std::string(static_cast<size_t>(state.range(0)), '7'));
    const CNumber b = Num(std::string(static_cast<size_t>(state.range(0)), '3'));
    for (auto _ : state) {
        CNumber c = a.Product(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(LongProduct)->Arg(20)->Arg(100)->Arg(1000);

void LongQuotientReduce(benchmark::State& state) {
    const CNumber a = Num(std::string(static_cast<size_t>(state.range(0)), '7'));
    const CNumber b = Num(std::string(static_cast<size_t>(state.range(0)) / 2, '3'));
    for (auto _ : state) {
        CNumber c = a.Quotient(b);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(LongQuotientReduce)->Arg(40)->Arg(400)->Arg(2000);

void IntegerPower(benchmark::State& state) {
    const CNumber a(3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.PowerOf(static_cast<int32_t>(state.range(0))));
    }
}
BENCHMARK(IntegerPower)->Arg(5)->Arg(100)->Arg(4000);

void ExactSquareRoot(benchmark::State& state) {
    const CNumber square = Num(std::string(static_cast<size_t>(state.range(0)), '3')).PowerOf(2).value();
    for (auto _ : state) {
        benchmark::DoNotOptimize(square.ExactRoot(2));
    }
}
BENCHMARK(ExactSquareRoot)->Arg(2)->Arg(50)->Arg(1000);

} // namespace

namespace {

void LongGcd(benchmark::State& state) {
    // Consecutive Fibonacci-like pairs are the slowest case for Euclid's algorithm.
    CLongInteger a(1);
    CLongInteger b(1);
    while (b.DigitCount() < state.range(0)) {
        CLongInteger next = a.Add(b);
        a = b;
        b = next;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLongInteger::Gcd(b, a));
    }
}
BENCHMARK(LongGcd)->Arg(50)->Arg(500)->Arg(4000)->Unit(benchmark::kMicrosecond);

void PrimeTest(benchmark::State& state) {
    // 2^k - 1 style numbers near the given digit count, odd and free of small factors or not.
    CNumber candidate = CNumber(10).PowerOf(static_cast<int32_t>(state.range(0))).value();
    candidate.AddInPlace(CNumber(7));
    for (auto _ : state) {
        benchmark::DoNotOptimize(candidate.IsPrime());
    }
}
BENCHMARK(PrimeTest)->Arg(15)->Arg(40)->Arg(290)->Unit(benchmark::kMicrosecond);

} // namespace
