#include "WorkspaceTranscript.h"
#include "model/NodeCast.h"

#include "markup/ProblemText.h"
#include "model/CNumber.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "output/ProblemError.h"
#include "solver/CExEquation.h"
#include "solver/CExpression.h"
#include "solver/ProblemChecks.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string Prepared(std::string text) {
    PrepareProblemText(text);
    return text;
}

// --- recording steps ----------------------------------------------------------------------------

TEST(RecordStep, RecordsTheFirstStepThenOnlyChanges) {
    COutputList solution;
    CExpression workspace(Prepared("2*x+1"), &solution);
    ASSERT_TRUE(workspace.IsValid());
    workspace.PushLineBlock(LineBlockKind::Problem, 0);
    workspace.RecordStep(false);
    workspace.RecordStep(false);
    EXPECT_EQ(Transcript(solution), Lines({"[0.0] F(2.x+1)"}));
    workspace.RecordStep(true);
    EXPECT_EQ(Transcript(solution), Lines({"[0.0] F(2.x+1)", "[0.0] F(2.x+1)"}));
    EXPECT_EQ(workspace.LastText(), "2.x+1");
}

TEST(RecordStep, CommentsRepeatAnUnchangedFormula) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.RecordStep(false);
    workspace.QueueComment(CommentID::TermsReordered);
    workspace.RecordStep(false);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(x)", "[] TermsReordered/01", "[] F(x)"}));
}

TEST(RecordStep, MergesPartialCommentsOfOneStep) {
    const struct {
        std::vector<CommentID> queued;
        Lines comments;
    } cases[] = {
        {{CommentID::SplitOffNumerator, CommentID::SplitOffDenominator},
         {"[] SplitOffNumeratorAndDenominator/01"}},
        {{CommentID::CommonFactorTakenOut, CommentID::CommonFactorTakenOut}, {"[] CommonFactorsTakenOut/01"}},
        {{CommentID::TermsReordered, CommentID::TermsReordered}, {"[] TermsReordered/01"}},
        {{CommentID::TermsReordered, CommentID::BracketsOpened},
         {"[] TermsReordered/01", "[] BracketsOpened/01"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comments.front());
        COutputList solution;
        CExpression workspace(Prepared("a"), &solution);
        workspace.RefreshLastText();
        for (const CommentID id : c.queued) {
            workspace.QueueComment(id);
        }
        workspace.RecordStep(false);
        Lines expected = c.comments;
        expected.push_back("[] F(a)");
        EXPECT_EQ(Transcript(solution), expected);
    }
}

TEST(RecordStep, TakesNodeCommentsInTreeOrderBehindQueuedOnes) {
    COutputList solution;
    CExpression workspace(Prepared("a+b*c"), &solution);
    workspace.RefreshLastText();
    COperation* sum = workspace.Root();
    sum->AsList()->GetAt(2)->AddComment(CommentID::BracketsOpened);
    sum->AddComment(CommentID::TermsReordered);
    workspace.QueueComment(CommentID::LikeTermsCollected);
    workspace.RecordStep(false);
    EXPECT_EQ(Transcript(solution), Lines({"[] LikeTermsCollected/01", "[] TermsReordered/01",
                                           "[] BracketsOpened/01", "[] F(a+b.c)"}));
    EXPECT_EQ(sum->CommentCount(), 0);
    EXPECT_EQ(sum->AsList()->GetAt(2)->CommentCount(), 0);
}

TEST(RecordStep, WithoutASolutionListDropsTheComments) {
    CExpression workspace(Prepared("x+1"), nullptr);
    workspace.Root()->AddComment(CommentID::TermsReordered);
    workspace.QueueComment(CommentID::BracketsOpened);
    workspace.RecordStep(true);
    EXPECT_TRUE(workspace.PendingComments().empty());
    EXPECT_EQ(workspace.Root()->CommentCount(), 0);
    EXPECT_EQ(workspace.LastText(), "");
}

TEST(RecordStep, AfterRefreshNothingUnchangedIsRecorded) {
    COutputList solution;
    CExpression workspace(Prepared("x*(x+1)"), &solution);
    workspace.RefreshLastText();
    EXPECT_EQ(workspace.LastText(), "x.(x+1)");
    workspace.RecordStep(false);
    EXPECT_TRUE(solution.IsEmpty());
}

TEST(RecordStep, ANumberPastItsLimitEndsTheSolveInsteadOfRecording) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    CNumber::ResetLimitExceeded();
    workspace.QueueComment(CommentID::PowersJoined);
    EXPECT_FALSE(CNumber(9).PowerOf(CNumber(99999999)) && !CNumber::LimitExceeded());
    ASSERT_TRUE(CNumber::LimitExceeded());
    workspace.RecordStep(true);
    CNumber::ResetLimitExceeded();
    EXPECT_TRUE(solution.IsEmpty());
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::ProblemTooLarge);
    EXPECT_FALSE(workspace.IsValid());
}

// The check after a recorded step answers as IsValid would: true for a valid formula, false once a
// limit was reached or the formula divides by zero, and false for ever after.
TEST(RecordStep, AndCheckAnswersAsIsValid) {
    COutputList solution;
    CExpression valid(Prepared("x+1"), &solution);
    CNumber::ResetLimitExceeded();
    EXPECT_TRUE(valid.RecordStepAndCheck(false));
    EXPECT_EQ(valid.ErrorCode(), ProblemError::None);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(x+1)"}));
    EXPECT_FALSE(CNumber(9).PowerOf(CNumber(99999999)) && !CNumber::LimitExceeded());
    EXPECT_FALSE(valid.RecordStepAndCheck(true));
    CNumber::ResetLimitExceeded();
    EXPECT_EQ(valid.ErrorCode(), ProblemError::ProblemTooLarge);
    EXPECT_FALSE(valid.RecordStepAndCheck(true));

    COutputList other;
    CExpression zeroDivisor(Prepared("x/0"), &other);
    EXPECT_FALSE(zeroDivisor.RecordStepAndCheck(true));
    EXPECT_NE(zeroDivisor.ErrorCode(), ProblemError::None);
    EXPECT_TRUE(other.IsEmpty());
}

TEST(RecordStepAfter, InsertsCommentsInQueueOrderThenTheFormula) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.RecordStep(false);
    const COutputList::Position first = solution.begin();
    workspace.AddCommentRecord(CommentID::AnswerJoint, true, false);
    *workspace.RootSlot() = std::make_unique<COVariable>('y');
    workspace.QueueComment(CommentID::TermsReordered);
    workspace.QueueComment(CommentID::TermsGrouped);
    workspace.RecordStepAfter(first);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(x)", "[] TermsReordered/01", "[] TermsGrouped/01", "[] F(y)",
                                           "[] AnswerJoint/10"}));

    // Unchanged formula: only the comments, here at the front.
    workspace.QueueComment(CommentID::BracketsOpened);
    workspace.RecordStepAfter(std::nullopt);
    EXPECT_EQ(Transcript(solution).front(), "[] BracketsOpened/01");
    EXPECT_EQ(solution.Size(), 6u);
}

// --- records and the line-block stack ------------------------------------------------------------

TEST(PendingRecord, KeepsTheStackOfItsFirstBlockAndFlushesOnce) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.PushLineBlock(LineBlockKind::Answer, 5);
    workspace.AddPendingComment(CommentID::AnswerHeadingExpression, true, true);
    workspace.PushLineBlock(LineBlockKind::CaseNumber, 0);
    workspace.AddPendingFormula("x", true);
    workspace.FlushPendingRecord();
    workspace.FlushPendingRecord();
    EXPECT_EQ(Transcript(solution), Lines({"[2.5] AnswerHeadingExpression/11 F(x)s"}));
}

TEST(PendingRecord, ClearDropsWhatWasAssembled) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.AddPendingFormula("dropped", false);
    workspace.ClearPendingRecord();
    workspace.AddPendingFormula("kept", false);
    workspace.FlushPendingRecord();
    EXPECT_EQ(Transcript(solution), Lines({"[] F(kept)"}));

    CExpression silent(Prepared("x"), nullptr);
    silent.AddPendingComment(CommentID::AnswerJoint, true, false);
    silent.FlushPendingRecord(); // discarded without a list; must not crash
}

TEST(LineBlocks, BehaveAsAStackAndSurviveUnderflow) {
    CExpression workspace;
    EXPECT_EQ(workspace.PopLineBlock(), -1);
    EXPECT_EQ(workspace.TopKind(), std::nullopt);
    workspace.NextLineBlock();
    workspace.SetTopKind(LineBlockKind::CaseAnswer);
    EXPECT_TRUE(workspace.LineBlocks().empty());

    workspace.PushLineBlock(LineBlockKind::Problem, 0);
    workspace.PushLineBlock(LineBlockKind::Domain, 3);
    workspace.NextLineBlock();
    workspace.SetTopKind(LineBlockKind::Check);
    EXPECT_EQ(workspace.TopKind(), LineBlockKind::Check);
    EXPECT_EQ(workspace.PopLineBlock(), 4);
    EXPECT_EQ(workspace.TopKind(), LineBlockKind::Problem);
    EXPECT_EQ(workspace.PopLineBlock(), 0);
    EXPECT_EQ(workspace.PopLineBlock(), -1);
}

TEST(AddRecords, CopyTheStackAndSkipAMissingComment) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.PushLineBlock(LineBlockKind::Steps, 2);
    workspace.AddFormulaRecord("D=b^2-4.a.c=", false);
    workspace.AddCommentRecord(std::nullopt, true, false);
    workspace.AddCommentRecord(ErrorComment(ProblemError::None), true, false);
    workspace.AddCommentRecord(CommentID::NoRoots, true, true);
    EXPECT_EQ(Transcript(solution), Lines({"[1.2] F(D=b^2-4.a.c=)", "[1.2] NoRoots/11"}));
}

TEST(DiscardComments, EmptiesTheQueueAndEveryNode) {
    COutputList solution;
    CExpression workspace(Prepared("a+b"), &solution);
    workspace.RefreshLastText();
    workspace.Root()->AsList()->GetAt(1)->AddComment(CommentID::TermsReordered);
    workspace.QueueComment(CommentID::TermsGrouped);
    workspace.DiscardComments();
    workspace.RecordStep(false);
    EXPECT_TRUE(solution.IsEmpty());
}

// --- validity and errors ------------------------------------------------------------------------

TEST(ErrorComment, NamesTheCommentOfEveryCodeAndTheCodesKeepTheirNumbers) {
    const struct {
        ProblemError code;
        std::int32_t number;
        std::optional<CommentIDType> comment;
    } cases[] = {
        {ProblemError::None, 0, std::nullopt},
        {ProblemError::InvalidCharacter, 1, CommentID::ErrorInvalidCharacter},
        {ProblemError::MissingOperand, 2, CommentID::ErrorMissingOperand},
        {ProblemError::WrongClosingBracket, 3, CommentID::ErrorWrongClosingBracket},
        {ProblemError::IncompleteExpression, 4, CommentID::ErrorIncompleteExpression},
        {ProblemError::ExponentNotInteger, 5, CommentID::ErrorExponentNotInteger},
        {ProblemError::CharactersLeftOver, 6, CommentID::ErrorCharactersLeftOver},
        {ProblemError::NoExpression, 7, CommentID::ErrorNoExpression},
        {ProblemError::ProblemTooLarge, 8, CommentID::ErrorProblemTooLarge},
        {static_cast<ProblemError>(9), 9, std::nullopt},
        {static_cast<ProblemError>(-1), -1, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(ToNumber(c.code), c.number);
        EXPECT_EQ(ErrorComment(c.code), c.comment);
    }
}

TEST(Validate, SetsTheCodeOfAZeroDivisorOrAMissingTreeWhereIsValidOnlyAnswers) {
    const struct {
        const char* text;
        bool equation;
        bool valid;
        ProblemError code;
    } cases[] = {
        {"x:0", false, false, ProblemError::IncompleteExpression},
        {"x/0", false, false, ProblemError::IncompleteExpression},
        {"x/(2*0)", false, true, ProblemError::None},
        {"0/x", false, true, ProblemError::None},
        {"x:(1-1)", false, true, ProblemError::None},
        {"x=1:0", true, false, ProblemError::IncompleteExpression},
        {"1:0=x", true, false, ProblemError::IncompleteExpression},
        {"x^{1/0}", false, false, ProblemError::IncompleteExpression},
        {"x+1", false, true, ProblemError::None},
        // a number literal over zero divides by zero just as a fraction node does
        {"1/0+x", false, false, ProblemError::IncompleteExpression},
        {"x=2@{1/0}", true, false, ProblemError::IncompleteExpression},
        {"0/1+x", false, true, ProblemError::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<CExpression> workspace;
        if (c.equation) {
            workspace = std::make_unique<CExEquation>(Prepared(c.text), nullptr, 'x');
        } else {
            workspace = std::make_unique<CExpression>(Prepared(c.text), nullptr);
        }
        EXPECT_EQ(workspace->IsValid(), c.valid);
        EXPECT_EQ(workspace->ErrorCode(), ProblemError::None);
        EXPECT_EQ(workspace->Validate(), c.valid);
        EXPECT_EQ(workspace->ErrorCode(), c.code);
        EXPECT_EQ(workspace->IsValid(), c.valid);
    }
    CExpression empty(static_cast<COutputList*>(nullptr), NodePtr());
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.ErrorCode(), ProblemError::None);
    EXPECT_FALSE(empty.Validate());
    EXPECT_EQ(empty.ErrorCode(), ProblemError::NoExpression);
}

TEST(Validate, ANumberPastItsLimitSetsTheTooLargeCode) {
    CExpression workspace(Prepared("x+1"), nullptr);
    CNumber::ResetLimitExceeded();
    EXPECT_FALSE(CNumber(9).PowerOf(CNumber(99999999)) && !CNumber::LimitExceeded());
    ASSERT_TRUE(CNumber::LimitExceeded());
    EXPECT_FALSE(workspace.IsValid());
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::None);
    EXPECT_FALSE(workspace.Validate());
    CNumber::ResetLimitExceeded();
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::ProblemTooLarge);
    EXPECT_FALSE(workspace.IsValid());
}

TEST(Validate, AnErrorCodeNeverChanges) {
    CExpression workspace(Prepared("x+"), nullptr);
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::MissingOperand);
    workspace.SetError(ProblemError::ExponentNotInteger);
    EXPECT_FALSE(workspace.IsValid());
    EXPECT_FALSE(workspace.Validate());
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::MissingOperand);
}

TEST(WorkspaceOverASlot, WritesTheWholeTreeAndLeavesAForeignSlotAlone) {
    NodePtr foreign = std::make_unique<COVariable>('z');
    {
        CExpression workspace(static_cast<COutputList*>(nullptr), NodePtr(), &foreign);
        EXPECT_TRUE(workspace.IsValid());
        std::string text;
        workspace.WriteMarkup(text);
        EXPECT_EQ(text, "z");
        *workspace.RootSlot() = std::make_unique<COVariable>('w');
    }
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->ToText(), "w");
}

TEST(WorkspaceOverASlot, StepsWriteTheWholeFormulaWhileOnePartIsWorkedOn) {
    COutputList solution;
    CExpression workspace(Prepared("a+b"), &solution);
    COperationList* sum = workspace.Root()->AsList();
    workspace.SetRootSlot(&sum->Head()->child);
    *workspace.RootSlot() = std::make_unique<COVariable>('c');
    workspace.RecordStep(false);
    workspace.SetRootSlot(nullptr);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(c+b)"}));
}

// --- the checks of a new problem ------------------------------------------------------------------

TEST(FoldNegativeExponents, TurnsAOneNumberSumIntoASignedNumber) {
    CExpression workspace(Prepared("x^{-2}+y^{-1/2}+z^{-t}"), nullptr);
    ASSERT_TRUE(workspace.IsValid());
    FoldNegativeExponents(workspace);
    const COperationList* sum = workspace.Root()->AsList();
    const auto* x = &NodeAs<COPower>(*sum->GetAt(1));
    ASSERT_TRUE(AsNumber(x->Exponent()));
    EXPECT_TRUE(AsNumber(x->Exponent())->Value().Equal(CNumber(-2)));
    const auto* y = &NodeAs<COPower>(*sum->GetAt(2));
    ASSERT_TRUE(AsNumber(y->Exponent()));
    EXPECT_EQ(AsNumber(y->Exponent())->Value().Sign(), -1);
    const auto* z = &NodeAs<COPower>(*sum->GetAt(3));
    EXPECT_EQ(z->Exponent()->GetFamily(), NodeFamily::Addition);
    std::string text;
    workspace.WriteMarkup(text);
    EXPECT_EQ(text, "x^{-2}+y^{-1/2}+z^{-t}");
}

TEST(CheckExponents, AcceptsOnlyIntegerNumberExponents) {
    const struct {
        const char* text;
        ProblemError code;
    } cases[] = {
        {"x^2", ProblemError::None},
        {"x^{-2}", ProblemError::None},
        {"(x^2)^3", ProblemError::None},
        {"x^{+3}", ProblemError::None},
        {"x^0", ProblemError::None},
        {"x^{1/2}", ProblemError::ExponentNotInteger},
        {"x^{2,5}", ProblemError::ExponentNotInteger},
        {"x^{-0,5}", ProblemError::ExponentNotInteger},
        {"x^y", ProblemError::ExponentNotInteger},
        {"x^{2+1}", ProblemError::ExponentNotInteger},
        {"2^{x^2}", ProblemError::ExponentNotInteger},
        {"(x+1)^{-y}", ProblemError::ExponentNotInteger},
        {"x^{2@{1/2}}", ProblemError::ExponentNotInteger},
        {"2*x+3", ProblemError::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CExpression workspace(Prepared(c.text), nullptr);
        ASSERT_TRUE(workspace.IsValid()) << ToNumber(workspace.ErrorCode());
        FoldNegativeExponents(workspace);
        CheckExponents(workspace);
        EXPECT_EQ(workspace.ErrorCode(), c.code);
    }
}

// --- chaining the steps -----------------------------------------------------------------------

TEST(ChainEqualities, JoinsTheFormulaRecordsIntoOneChain) {
    COutputList solution;
    solution.AddComment(nullptr, CommentID::TermsReordered, false, true);
    solution.AddFormula(nullptr, "A", false);
    solution.AddComment(nullptr, CommentID::TermsGrouped, false, true);
    solution.AddFormula(nullptr, "B", false);
    solution.AddFormula(nullptr, "C", false);
    auto answer = std::make_unique<COutputRecord>(nullptr);
    answer->AddFormula("C", true);
    answer->AddFormula("D", true);
    solution.AddRecord(std::move(answer));
    ChainEqualities(&solution);
    EXPECT_EQ(Transcript(solution), Lines({"[] TermsReordered/01", "[] F(A=)", "[] TermsGrouped/01",
                                           "[] F(=B=)", "[] F(=C)", "[] F(C)s F(D)s"}));
}

// A single formula is no chain: a line starting with "=" with nothing before it would read as a fault.
TEST(ChainEqualities, ASingleFormulaStandsAsWritten) {
    COutputList solution;
    solution.AddFormula(nullptr, "A", false);
    ChainEqualities(&solution);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(A)"}));

    COutputList none;
    none.AddComment(nullptr, CommentID::NothingToFactorise, true, true);
    ChainEqualities(&none);
    ChainEqualities(nullptr);
    EXPECT_EQ(Transcript(none), Lines({"[] NothingToFactorise/11"}));
}

} // namespace
