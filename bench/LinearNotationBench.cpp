// Reading problems typed in linear notation.

#include "markup/LinearNotation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A 200-character problem with every kind of construct people type.
std::string TwoHundredCharacters() {
    std::string text = "(x^2 - 5x + 6)/(x - 2) + 3/4x - 2 1/3(x + 1)^2 = 0.5x**3 - x^-1 + (a - b)(a + b)";
    while (text.size() < 200) {
        text += " + 2x(y - 1)/3";
    }
    return text.substr(0, text.rfind('+', 199) - 1);
}

void ReadTwoHundredCharacters(benchmark::State& state) {
    const std::string text = TwoHundredCharacters();
    for (auto _ : state) {
        LinearReading reading = ReadLinearNotation(text);
        benchmark::DoNotOptimize(reading);
    }
    state.SetLabel(std::to_string(text.size()) + " characters");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadTwoHundredCharacters);

void RefuseAFunctionAtTheEnd(benchmark::State& state) {
    const std::string text = TwoHundredCharacters() + " + sin(x)";
    for (auto _ : state) {
        LinearReading reading = ReadLinearNotation(text);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(RefuseAFunctionAtTheEnd);

} // namespace
