// A key press in the formula editor on a problem of about 200 characters: the text changes, the
// formula is converted and laid out again, and the widget repaints at once.

#include "bench/QtBenchmarkMain.h"
#include "editor/MathRedactor.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

// Repeats a term with a fraction, a power and brackets until the problem is 200 characters long.
std::string ProblemOf200Characters() {
    const std::string term = " {{ x }^{ 2 }} - 3 x + {{ 1 }/{ ( x + 1 ) }} +";
    std::string problem;
    while (problem.size() + 4 < 200) {
        problem += term;
    }
    problem += " 1 2";
    return problem;
}

// Counts the paint events of a widget, to make sure every repaint paints.
class CPaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

void Press(MathRedactor& editor, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &press);
}

// Each iteration is one key press: typing a digit and deleting it by backspace take turns. With
// repaint 0 the widget only lays the formula out again (the paint waits for the event loop).
void KeyPress(benchmark::State& state) {
    const bool repaint = state.range(0) != 0;
    MathRedactor editor;
    editor.resize(1400, 300);
    editor.show();
    QApplication::processEvents();
    CPaintCounter counter;
    editor.installEventFilter(&counter);
    const std::string problem = ProblemOf200Characters();
    editor.SetPendingExample(problem);
    editor.LoadProblem();
    Press(editor, Qt::Key_End, {});
    bool typeDigit = true;
    for (auto _ : state) {
        if (typeDigit) {
            Press(editor, Qt::Key_7, QStringLiteral("7"));
        } else {
            Press(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        }
        if (repaint) {
            editor.repaint();
        }
        typeDigit = !typeDigit;
    }
    if (editor.Model().Text().size() < 200 || editor.Symbols().empty()) {
        state.SkipWithError("the problem did not lay out");
    }
    if (repaint && counter.paints < state.iterations()) {
        state.SkipWithError("a repaint did not paint");
    }
    state.counters["characters"] = static_cast<double>(problem.size());
}
BENCHMARK(KeyPress)->ArgName("repaint")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
