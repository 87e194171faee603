// Laying a 40-record solution out and painting it into an image, as the solution view and the
// command line's rendering do.

#include "display/QtLayoutDevice.h"
#include "display/SolutionRenderer.h"
#include "display/ViewLines.h"
#include "tests/support/SampleSolution.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {

void FortyRecords(COutputList& solution) {
    AddSampleSolution(solution, 3);
    while (solution.Size() < 40) {
        solution.AddFormula(nullptr, "x^2+3.x-4=0", false);
    }
}

std::string Text(CommentIDType id) {
    return "Comment number " + std::to_string(static_cast<int>(id)) + ".";
}

// Fresh fonts and a fresh layout every time: nothing is cached between iterations.
void BM_LayOutAndPaintFortyRecords(benchmark::State& state) {
    EnsureGuiApplication();
    COutputList solution;
    FortyRecords(solution);
    QImage image(800, 1800, QImage::Format_RGB32);
    for (auto _ : state) {
        CViewList view;
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        CQtLayoutDevice device(&image, &painter);
        CGraphics graphics(device);
        view.Build(solution, true, Text, graphics, 800);
        view.PaintAll(graphics, kEnglishLanguage);
        benchmark::DoNotOptimize(view.ScrollHeight());
    }
    state.counters["records"] = static_cast<double>(solution.Size());
}
BENCHMARK(BM_LayOutAndPaintFortyRecords)->Unit(benchmark::kMillisecond);

void BM_LayOutFortyRecords(benchmark::State& state) {
    EnsureGuiApplication();
    COutputList solution;
    FortyRecords(solution);
    QImage image(1, 1, QImage::Format_RGB32);
    CQtLayoutDevice device(&image);
    CGraphics graphics(device);
    for (auto _ : state) {
        CViewList view;
        view.Build(solution, true, Text, graphics, 800);
        benchmark::DoNotOptimize(view.ScrollHeight());
    }
}
BENCHMARK(BM_LayOutFortyRecords)->Unit(benchmark::kMillisecond);

// The whole command-line path: layout, painting and PNG encoding into a file.
void BM_RenderFortyRecordsToPng(benchmark::State& state) {
    EnsureGuiApplication();
    COutputList solution;
    FortyRecords(solution);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            RenderSolution(solution, Text, "/tmp/orbelin-render-bench.png", RenderOptions{}));
    }
}
BENCHMARK(BM_RenderFortyRecordsToPng)->Unit(benchmark::kMillisecond);

} // namespace
