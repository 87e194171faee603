// The built-in samples: the line format, and every sample solved with each kind of its group without
// an error, a "could not be solved" answer or "nothing to factorise".

#include "app/SampleList.h"
#include "markup/EditorConversion.h"
#include "output/COutputList.h"
#include "solver/SolveProblem.h"

#include <QtTest>

#include <set>
#include <string>
#include <vector>

namespace {

// Comments that say a sample was not solved.
const std::set<CommentID> kFailureComments = {
    CommentID::ErrorWrongClosingBracket, CommentID::ErrorIncompleteExpression,
    CommentID::ErrorCharactersLeftOver,  CommentID::ErrorExponentNotInteger,
    CommentID::ErrorMissingOperand,      CommentID::ErrorNoExpression,
    CommentID::ErrorInvalidCharacter,    CommentID::ErrorProblemTooLarge,
    CommentID::AnswerWithoutRoots,       CommentID::AnswerHeadingUnsolvedNewLetter,
    CommentID::AnswerHeadingOther,       CommentID::NothingToFactorise};

// Empty when the problem is solved, otherwise the first comment that says it is not.
std::string SolveFailure(ProblemKind kind, const std::string& editorText) {
    std::string text = editorText;
    ConvertEditorText(text);
    COutputList solution;
    SolveProblem(kind, text, &solution);
    if (solution.IsEmpty()) {
        return "no solution";
    }
    for (const auto& record : solution.Records()) {
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockComment* comment = block->AsComment();
                comment && kFailureComments.count(comment->id)) {
                return "comment " + std::to_string(ToNumber(comment->id));
            }
        }
    }
    return {};
}

void SolveAll(int resource, const std::vector<ProblemKind>& kinds) {
    const std::vector<SampleEntry> samples = ParseSamples(SampleResourceText(resource));
    QVERIFY(samples.size() >= 60);
    QStringList failures;
    for (const ProblemKind kind : kinds) {
        for (const SampleEntry& sample : samples) {
            const std::string failure = SolveFailure(kind, sample.problemText);
            if (!failure.empty()) {
                failures << QString("kind %1: %2 -> %3")
                                .arg(ToNumber(kind))
                                .arg(QString::fromStdString(sample.problemText),
                                     QString::fromStdString(failure));
            }
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
}

} // namespace

class SampleProblemsTest : public QObject {
    Q_OBJECT

private slots:
    void ParsesTheLineFormat() {
        const std::vector<SampleEntry> samples =
            ParseSamples("x + 1 = 2;A&first note\r\n2 x;&\r\n{{ x }^{ 2 }};B&\nno problem here\r\n3;&");
        QCOMPARE(samples.size(), 3u);
        QCOMPARE(samples[0].problemText, std::string("x + 1 = 2"));
        QCOMPARE(samples[0].code, std::string("A"));
        QCOMPARE(samples[0].note, std::string("first note"));
        QCOMPARE(samples[1].problemText, std::string("2 x"));
        QVERIFY(samples[1].code.empty() && samples[1].note.empty());
        QCOMPARE(samples[2].code, std::string("B"));
        QCOMPARE(EditorDisplayText("2 {{ 1 }/{ 3 }} + 2 x"), std::string("$2@{{1}/{3}}+2.x$"));
    }

    void BuiltInSetsHoldEnoughPlainSamples() {
        for (const int resource : {157, 158, 159}) {
            const std::vector<SampleEntry> samples = ParseSamples(SampleResourceText(resource));
            QVERIFY2(samples.size() >= 60, qPrintable(QString::number(resource)));
            for (const SampleEntry& sample : samples) {
                QVERIFY(sample.code.empty() && sample.note.empty());
            }
        }
        QVERIFY(SampleResourceText(160).empty());
        // The check sees a failed solve.
        QCOMPARE(SolveFailure(ProblemKind::Simplify, "x +"), std::string("comment 28"));
    }

    void EveryEquationIsSolved() { SolveAll(157, {ProblemKind::Equation}); }
    void EveryFactorisationIsSolved() {
        SolveAll(158, {ProblemKind::Factorise, ProblemKind::FactoriseCompletely});
    }
    void EverySimplificationIsSolved() { SolveAll(159, {ProblemKind::Simplify}); }
};

QTEST_MAIN(SampleProblemsTest)
#include "SampleProblemsTest.moc"
