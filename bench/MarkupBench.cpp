// Speed of the formula text pieces: editor conversion, parsing a problem of about 200 characters,
// and the round trip of parsing and writing the tree back as display text.

#include "markup/CFormulaParser.h"
#include "markup/EditorConversion.h"
#include "markup/ProblemText.h"
#include "model/COperation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A problem of 198 characters mixing every construct of the grammar.
const std::string kProblem = "3*x^4-2*x^3/{x+1}+(2@{1/3}*y-0,25)^2-{x^2-2*x+2}/(7*x:y)+5/8*(x-4)*(x-2)*(x-1)*"
                             "(x+1)-{a+b}/{c-d}+12345678901234567890*z^{n+1}-(x^2+2*x*y+y^2)/(x+y)+1/x+"
                             "(a-b)^3:(a+b)-7,125*x+9*a*b*c-(x-y)^{2}:z+w/v;";

const std::string kEditorProblem =
    "{{ 1 }/{ {{ x }^{ 2 }} - 2 x + 2 }} + ( x - 4 ) ( x - 2 ) ( x - 1 ) ( x + 1 ) + "
    "2 {{ 1 }/{ 3 }} x - {{ b }^{ - 1 }} + 1 0 8 y = 0";

void ParseProblem(benchmark::State& state) {
    for (auto _ : state) {
        ParseResult result = ParseExpressionText(kProblem);
        benchmark::DoNotOptimize(result.tree);
    }
    state.counters["chars"] = static_cast<double>(kProblem.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kProblem.size()));
}
BENCHMARK(ParseProblem);

void ParseAndWriteBack(benchmark::State& state) {
    for (auto _ : state) {
        ParseResult result = ParseExpressionText(kProblem);
        std::string text;
        result.tree->WriteText(text, TextContext::Free);
        DotProducts(text);
        benchmark::DoNotOptimize(text);
    }
    state.counters["chars"] = static_cast<double>(kProblem.size());
}
BENCHMARK(ParseAndWriteBack);

void PrepareAndParseEquation(benchmark::State& state) {
    const std::string problem = "(x-4).(x-2).(x-1).(x+1)+8=0";
    for (auto _ : state) {
        std::string text = problem;
        PrepareProblemText(text);
        char letter = 'x';
        benchmark::DoNotOptimize(FindUnknown(text, letter));
        ParseResult result = ParseEquationText(text);
        benchmark::DoNotOptimize(result.tree);
    }
}
BENCHMARK(PrepareAndParseEquation);

void ConvertEditorProblem(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = kEditorProblem;
        ConvertEditorText(text);
        benchmark::DoNotOptimize(text);
    }
    state.counters["chars"] = static_cast<double>(kEditorProblem.size());
}
BENCHMARK(ConvertEditorProblem);

void ParseDeepestNesting(benchmark::State& state) {
    const std::size_t depth = static_cast<std::size_t>(state.range(0));
    const std::string text = std::string(depth, '(') + "x" + std::string(depth, ')') + ";";
    for (auto _ : state) {
        ParseResult result = ParseExpressionText(text);
        benchmark::DoNotOptimize(result.tree);
    }
}
BENCHMARK(ParseDeepestNesting)->Arg(200)->Arg(201);

} // namespace
