// Costs of the operations every recorded step pays for: cloning, writing as text, comparing and
// freeing a tree, and the numeric folding pass.

#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/FoldNumbers.h"

#include <benchmark/benchmark.h>

namespace {

// A sum of `terms` terms of the shape 3*x^2:(2+5)/y, alternating in sign.
NodePtr WideSum(int terms) {
    auto sum = std::make_unique<COAddition>();
    for (int i = 0; i < terms; ++i) {
        auto product = std::make_unique<COMultiplication>(std::make_unique<CONumber>(3 + i % 7), 1);
        product->AddTail(
            std::make_unique<COPower>(std::make_unique<COVariable>('x'), std::make_unique<CONumber>(2)), 1);
        auto divisor = std::make_unique<COAddition>(std::make_unique<CONumber>(2), 1);
        divisor->AddTail(std::make_unique<CONumber>(5), 1);
        product->AddTail(std::move(divisor), -1);
        auto fraction = std::make_unique<COFraction>(std::move(product), 1);
        fraction->AddTail(std::make_unique<COVariable>('y'), -1);
        sum->AddTail(std::move(fraction), i % 2 == 0 ? 1 : -1);
    }
    return sum;
}

void CloneAndFree(benchmark::State& state) {
    NodePtr tree = WideSum(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        NodePtr copy = tree->Clone();
        benchmark::DoNotOptimize(copy.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(CloneAndFree)->Arg(100)->Arg(10000);

void WriteText(benchmark::State& state) {
    NodePtr tree = WideSum(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string text;
        tree->WriteText(text, TextContext::Free);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(WriteText)->Arg(100)->Arg(10000);

void EqualityOfReorderedSums(benchmark::State& state) {
    NodePtr tree = WideSum(static_cast<int>(state.range(0)));
    NodePtr reversed = std::make_unique<COAddition>();
    for (const ListCell& cell : *tree->AsList()) {
        reversed->AsList()->AddHead(cell.child->Clone(), cell.sign);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsEqualNodes(*tree, *reversed));
    }
}
BENCHMARK(EqualityOfReorderedSums)->Arg(10)->Arg(300);

void EqualityOfCopies(benchmark::State& state) {
    NodePtr tree = WideSum(static_cast<int>(state.range(0)));
    NodePtr copy = tree->Clone();
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsEqualNodes(*tree, *copy));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(EqualityOfCopies)->Arg(300)->Arg(10000);

void FoldNumbersPass(benchmark::State& state) {
    NodePtr tree = WideSum(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        NodePtr copy = tree->Clone();
        state.ResumeTiming();
        benchmark::DoNotOptimize(FoldNumbers(&copy));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FoldNumbersPass)->Arg(100)->Arg(10000);

} // namespace
