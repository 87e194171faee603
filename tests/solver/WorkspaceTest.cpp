#include "WorkspaceTranscript.h"
#include "model/NodeCast.h"

#include "markup/ProblemText.h"
#include "model/CNumber.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "solver/CExEquation.h"
#include "solver/CExpression.h"
#include "solver/ProblemChecks.h"
#include "solver/ProblemError.h"
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
    workspace.PushLineBlock(0, 0);
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
    EXPECT_EQ(Transcript(solution), Lines({"[] F(x)", "[] C10/01", "[] F(x)"}));
}

TEST(RecordStep, MergesPartialCommentsOfOneStep) {
    const struct {
        std::vector<CommentID> queued;
        Lines comments;
    } cases[] = {
        {{CommentID::SplitOffNumerator, CommentID::SplitOffDenominator}, {"[] C38/01"}},
        {{CommentID::CommonFactorTakenOut, CommentID::CommonFactorTakenOut}, {"[] C46/01"}},
        {{CommentID::TermsReordered, CommentID::TermsReordered}, {"[] C10/01"}},
        {{CommentID::TermsReordered, CommentID::BracketsOpened}, {"[] C10/01", "[] C59/01"}},
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
    EXPECT_EQ(Transcript(solution), Lines({"[] C39/01", "[] C10/01", "[] C59/01", "[] F(a+b.c)"}));
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
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::kProblemTooLarge);
    EXPECT_FALSE(workspace.IsValid());
}

// The check after a recorded step answers as IsValid would: true for a valid formula, false once a
// limit was reached or the formula divides by zero, and false for ever after.
TEST(RecordStep, AndCheckAnswersAsIsValid) {
    COutputList solution;
    CExpression valid(Prepared("x+1"), &solution);
    CNumber::ResetLimitExceeded();
    EXPECT_TRUE(valid.RecordStepAndCheck(false));
    EXPECT_EQ(valid.ErrorCode(), 0);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(x+1)"}));
    EXPECT_FALSE(CNumber(9).PowerOf(CNumber(99999999)) && !CNumber::LimitExceeded());
    EXPECT_FALSE(valid.RecordStepAndCheck(true));
    CNumber::ResetLimitExceeded();
    EXPECT_EQ(valid.ErrorCode(), ProblemError::kProblemTooLarge);
    EXPECT_FALSE(valid.RecordStepAndCheck(true));

    COutputList other;
    CExpression zeroDivisor(Prepared("x/0"), &other);
    EXPECT_FALSE(zeroDivisor.RecordStepAndCheck(true));
    EXPECT_NE(zeroDivisor.ErrorCode(), 0);
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
    EXPECT_EQ(Transcript(solution), Lines({"[] F(x)", "[] C10/01", "[] C32/01", "[] F(y)", "[] C15/10"}));

    // Unchanged formula: only the comments, here at the front.
    workspace.QueueComment(CommentID::BracketsOpened);
    workspace.RecordStepAfter(std::nullopt);
    EXPECT_EQ(Transcript(solution).front(), "[] C59/01");
    EXPECT_EQ(solution.Size(), 6u);
}

// --- records and the line-block stack ------------------------------------------------------------

TEST(PendingRecord, KeepsTheStackOfItsFirstBlockAndFlushesOnce) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.PushLineBlock(2, 5);
    workspace.AddPendingComment(CommentID::AnswerHeadingExpression, true, true);
    workspace.PushLineBlock(3, 0);
    workspace.AddPendingFormula("x", true);
    workspace.FlushPendingRecord();
    workspace.FlushPendingRecord();
    EXPECT_EQ(Transcript(solution), Lines({"[2.5] C3/11 F(x)s"}));
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
    EXPECT_EQ(workspace.TopKind(), -1);
    workspace.NextLineBlock();
    workspace.SetTopKind(5);
    EXPECT_TRUE(workspace.LineBlocks().empty());

    workspace.PushLineBlock(0, 0);
    workspace.PushLineBlock(9, 3);
    workspace.NextLineBlock();
    workspace.SetTopKind(10);
    EXPECT_EQ(workspace.TopKind(), 10);
    EXPECT_EQ(workspace.PopLineBlock(), 4);
    EXPECT_EQ(workspace.TopKind(), 0);
    EXPECT_EQ(workspace.PopLineBlock(), 0);
    EXPECT_EQ(workspace.PopLineBlock(), -1);
}

TEST(AddRecords, CopyTheStackAndSkipAMissingComment) {
    COutputList solution;
    CExpression workspace(Prepared("x"), &solution);
    workspace.PushLineBlock(1, 2);
    workspace.AddFormulaRecord("D=b^2-4.a.c=", false);
    workspace.AddCommentRecord(std::nullopt, true, false);
    workspace.AddCommentRecord(ErrorComment(42), true, false);
    workspace.AddCommentRecord(CommentID::NoRoots, true, true);
    EXPECT_EQ(Transcript(solution), Lines({"[1.2] F(D=b^2-4.a.c=)", "[1.2] C56/11"}));
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

TEST(ErrorComment, NamesTheCommentOfEveryCode) {
    const struct {
        int code;
        std::optional<CommentIDType> comment;
    } cases[] = {
        {0, std::nullopt},
        {1, CommentID::ErrorInvalidCharacter},
        {2, CommentID::ErrorMissingOperand},
        {3, CommentID::ErrorWrongClosingBracket},
        {4, CommentID::ErrorIncompleteExpression},
        {5, CommentID::ErrorExponentNotInteger},
        {6, CommentID::ErrorCharactersLeftOver},
        {7, CommentID::ErrorNoExpression},
        {8, CommentID::ErrorProblemTooLarge},
        {9, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ErrorComment(c.code), c.comment);
    }
}

TEST(Validate, SetsCodeFourForZeroDivisorsAndSevenWithoutATreeWhereIsValidOnlyAnswers) {
    const struct {
        const char* text;
        bool equation;
        bool valid;
        int code;
    } cases[] = {
        {"x:0", false, false, 4},
        {"x/0", false, false, 4},
        {"x/(2*0)", false, true, 0},
        {"0/x", false, true, 0},
        {"x:(1-1)", false, true, 0},
        {"x=1:0", true, false, 4},
        {"1:0=x", true, false, 4},
        {"x^{1/0}", false, false, 4},
        {"x+1", false, true, 0},
        // a number literal over zero divides by zero just as a fraction node does
        {"1/0+x", false, false, 4},
        {"x=2@{1/0}", true, false, 4},
        {"0/1+x", false, true, 0},
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
        EXPECT_EQ(workspace->ErrorCode(), 0);
        EXPECT_EQ(workspace->Validate(), c.valid);
        EXPECT_EQ(workspace->ErrorCode(), c.code);
        EXPECT_EQ(workspace->IsValid(), c.valid);
    }
    CExpression empty(static_cast<COutputList*>(nullptr), NodePtr());
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.ErrorCode(), 0);
    EXPECT_FALSE(empty.Validate());
    EXPECT_EQ(empty.ErrorCode(), ProblemError::kNoExpression);
}

TEST(Validate, ANumberPastItsLimitSetsTheTooLargeCode) {
    CExpression workspace(Prepared("x+1"), nullptr);
    CNumber::ResetLimitExceeded();
    EXPECT_FALSE(CNumber(9).PowerOf(CNumber(99999999)) && !CNumber::LimitExceeded());
    ASSERT_TRUE(CNumber::LimitExceeded());
    EXPECT_FALSE(workspace.IsValid());
    EXPECT_EQ(workspace.ErrorCode(), 0);
    EXPECT_FALSE(workspace.Validate());
    CNumber::ResetLimitExceeded();
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::kProblemTooLarge);
    EXPECT_FALSE(workspace.IsValid());
}

TEST(Validate, AnErrorCodeNeverChanges) {
    CExpression workspace(Prepared("x+"), nullptr);
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::kMissingOperand);
    workspace.SetError(ProblemError::kExponentNotInteger);
    EXPECT_FALSE(workspace.IsValid());
    EXPECT_FALSE(workspace.Validate());
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::kMissingOperand);
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
        int code;
    } cases[] = {
        {"x^2", 0},     {"x^{-2}", 0},     {"(x^2)^3", 0},     {"x^{+3}", 0}, {"x^0", 0},
        {"x^{1/2}", 5}, {"x^{2,5}", 5},    {"x^{-0,5}", 5},    {"x^y", 5},    {"x^{2+1}", 5},
        {"2^{x^2}", 5}, {"(x+1)^{-y}", 5}, {"x^{2@{1/2}}", 5}, {"2*x+3", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CExpression workspace(Prepared(c.text), nullptr);
        ASSERT_TRUE(workspace.IsValid()) << workspace.ErrorCode();
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
    EXPECT_EQ(Transcript(solution),
              Lines({"[] C10/01", "[] F(A=)", "[] C32/01", "[] F(=B=)", "[] F(=C)", "[] F(C)s F(D)s"}));
}

TEST(ChainEqualities, ASingleFormulaGetsOnlyTheLeadingSign) {
    COutputList solution;
    solution.AddFormula(nullptr, "A", false);
    ChainEqualities(&solution);
    EXPECT_EQ(Transcript(solution), Lines({"[] F(=A)"}));

    COutputList none;
    none.AddComment(nullptr, CommentID::NothingToFactorise, true, true);
    ChainEqualities(&none);
    ChainEqualities(nullptr);
    EXPECT_EQ(Transcript(none), Lines({"[] C35/11"}));
}

} // namespace
