// Laying out and painting a whole solution of 41 records in the solution view, and laying it out
// again for another width or zoom.

#include "app/CCorvaneDoc.h"
#include "app/CCorvaneView.h"
#include "bench/QtBenchmarkMain.h"
#include "output/LanguageTables.h"
#include "tests/support/SampleSolution.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

// Three repeats of the sample make 38 records; two more steps make 40.
constexpr int kSampleRepeats = 3;

void AddFortyRecords(COutputList& solution) {
    AddSampleSolution(solution, kSampleRepeats);
    const LineBlockList steps = {{LineBlockKind::Steps, 0}};
    solution.AddFormula(&steps, "{x^2-1}/{x+1}=x-1", false);
    solution.AddFormula(&steps, "x-1+2,5.x:4=0", false);
}

struct ViewFixture {
    CCorvaneDoc document;
    CLanguageTables texts;
    CCorvaneView view{document, texts};

    ViewFixture() {
        texts.LoadFile(ORBELIN_SOURCE_DIR "/res/English.ini", nullptr);
        AddFortyRecords(document.solution);
        view.SetLanguage(kEnglishLanguage);
        view.SetTextComments(true);
        // Tall enough to show every band at once, so that the whole solution is painted.
        view.resize(1280, 2400);
    }
};

void LayOutAndPaintSolution(benchmark::State& state) {
    ViewFixture fixture;
    QImage target(fixture.view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        fixture.view.LayOutNewSolution();
        fixture.view.ShowAll();
        fixture.view.viewport()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["records"] = static_cast<double>(fixture.document.solution.Size());
}
BENCHMARK(LayOutAndPaintSolution)->Unit(benchmark::kMillisecond);

void PaintShownSolution(benchmark::State& state) {
    ViewFixture fixture;
    fixture.view.LayOutNewSolution();
    fixture.view.ShowAll();
    QImage target(fixture.view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        fixture.view.viewport()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(PaintShownSolution)->Unit(benchmark::kMillisecond);

void WriteOutGlyphByGlyph(benchmark::State& state) {
    ViewFixture fixture;
    for (auto _ : state) {
        fixture.view.LayOutNewSolution();
        fixture.view.StartOutput();
        while (!fixture.view.IsComplete()) {
            fixture.view.AdvanceOutput();
        }
    }
}
BENCHMARK(WriteOutGlyphByGlyph)->Unit(benchmark::kMillisecond);

// What a resize or a zoom step costs: every record laid out again, the long ones wrapped at a narrow
// window's width, at twice the usual size.
void LayOutAgainWrappedAndZoomed(benchmark::State& state) {
    ViewFixture fixture;
    fixture.view.resize(480, 2400);
    fixture.view.LayOutNewSolution();
    fixture.view.ShowAll();
    int zoom = 2 * CCorvaneView::kNormalZoom;
    for (auto _ : state) {
        fixture.view.SetZoom(zoom);
        zoom = zoom == 2 * CCorvaneView::kNormalZoom ? zoom + CCorvaneView::kZoomStep
                                                     : zoom - CCorvaneView::kZoomStep;
    }
}
BENCHMARK(LayOutAgainWrappedAndZoomed)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
