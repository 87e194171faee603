#include "WorkspaceTranscript.h"

#include "model/CNumber.h"
#include "model/EngineLimits.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines Solve(ProblemKind kind, const std::string& text) {
    COutputList solution;
    SolveProblem(kind, text, &solution);
    return Transcript(solution);
}

// --- nothing to solve -----------------------------------------------------------------------------

TEST(SolveProblem, AnEmptyTextYieldsAnEmptySolutionForEveryKind) {
    for (const ProblemKind kind : kProblemKinds) {
        SCOPED_TRACE(std::string(KindName(kind)));
        EXPECT_TRUE(Solve(kind, "").empty());
    }
}

TEST(SolveProblem, AnUnknownKindDoesNothing) {
    for (const int number : {-1, 4, 1000}) {
        SCOPED_TRACE(number);
        const auto kind = static_cast<ProblemKind>(number);
        EXPECT_TRUE(Solve(kind, "x+1").empty());
        EXPECT_TRUE(Solve(kind, "x+#").empty());
    }
}

// --- every error code, as a whole transcript ------------------------------------------------------

struct ErrorCase {
    const char* text;
    CommentID comment;
};

// An error found before the problem is recorded is the whole solution: one comment record, always
// shown, not spoken, outside every line block.
void ExpectErrorOnly(ProblemKind kind, const ErrorCase& c) {
    SCOPED_TRACE(std::string(KindName(kind)) + ": " + c.text);
    EXPECT_EQ(Solve(kind, c.text), Lines({"[] " + CommentName(c.comment) + "/10"}));
}

TEST(SolveProblem, ExpressionErrorsEndTheSolveWithTheirComment) {
    const ErrorCase cases[] = {
        {"x+#", CommentID::ErrorInvalidCharacter},     // invalid character
        {"0,x", CommentID::ErrorInvalidCharacter},     // a comma without digits
        {"x+", CommentID::ErrorMissingOperand},        // missing operand
        {"x^-1", CommentID::ErrorMissingOperand},      // an exponent must be grouped
        {"2@{1}", CommentID::ErrorMissingOperand},     // a mixed number without "/"
        {"(x+1", CommentID::ErrorWrongClosingBracket}, // the final ";" is read as the closer
        {"(a+b}", CommentID::ErrorWrongClosingBracket},
        {"x:0", CommentID::ErrorIncompleteExpression},   // division by zero
        {"1/0+x", CommentID::ErrorIncompleteExpression}, // a number literal over zero
        {"x^{1/2}", CommentID::ErrorExponentNotInteger}, // exponent not an integer
        {"x^y", CommentID::ErrorExponentNotInteger},
        {"a/b/c", CommentID::ErrorCharactersLeftOver}, // characters left over
        {"x^2^3", CommentID::ErrorCharactersLeftOver},
        {"x=1", CommentID::ErrorCharactersLeftOver}, // a relation is no expression
        {"x+1;;", CommentID::ErrorCharactersLeftOver},
    };
    for (const ProblemKind kind :
         {ProblemKind::Factorise, ProblemKind::FactoriseCompletely, ProblemKind::Simplify}) {
        for (const ErrorCase& c : cases) {
            ExpectErrorOnly(kind, c);
        }
    }
}

TEST(SolveProblem, EquationErrorsEndTheSolveWithTheirComment) {
    const ErrorCase cases[] = {
        {"x+#=1", CommentID::ErrorInvalidCharacter},
        {"x+=1", CommentID::ErrorMissingOperand},
        {"(x+1=0", CommentID::ErrorWrongClosingBracket},
        {"x:0=1", CommentID::ErrorIncompleteExpression},
        {"x=1:0", CommentID::ErrorIncompleteExpression},
        {"x^{1/2}=1", CommentID::ErrorExponentNotInteger},
        {"x=1=2", CommentID::ErrorCharactersLeftOver},
        {"x+1", CommentID::ErrorCharactersLeftOver},
        {"x/x/x=1", CommentID::ErrorCharactersLeftOver},
        {"x+y=1", CommentID::ErrorCharactersLeftOver}, // two letters: refused before any parse
        {"a+b=a", CommentID::ErrorCharactersLeftOver},
    };
    for (const ErrorCase& c : cases) {
        ExpectErrorOnly(ProblemKind::Equation, c);
    }
}

TEST(SolveProblem, LimitsEndTheSolveWithTheTooLargeComment) {
    const std::string tooLong(EngineLimits::kMaxProblemTextLength + 1, '1');
    const std::string deep = std::string(EngineLimits::kMaxNestingDepth + 50, '(') + "x" +
                             std::string(EngineLimits::kMaxNestingDepth + 50, ')');
    const std::string manyDigits(EngineLimits::kMaxNumberDigits + 1, '7');
    for (const ProblemKind kind : kProblemKinds) {
        for (const std::string* text : {&tooLong, &deep}) {
            SCOPED_TRACE(std::string(KindName(kind)) + ": " + text->substr(0, 20));
            EXPECT_EQ(Solve(kind, *text), Lines({"[] ErrorProblemTooLarge/10"}));
        }
        SCOPED_TRACE(std::string(KindName(kind)));
        const std::string problem = kind == ProblemKind::Equation ? "x=" + manyDigits : manyDigits + "+x";
        EXPECT_EQ(Solve(kind, problem), Lines({"[] ErrorProblemTooLarge/10"}));
    }
}

TEST(SolveProblem, NestingWithinTheLimitIsSolved) {
    const int depth = EngineLimits::kMaxNestingDepth - 10;
    const std::string text = std::string(depth, '(') + "x" + std::string(depth, ')') + "+1";
    const Lines lines = Solve(ProblemKind::Simplify, text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().substr(0, 6), "[0.0] ");
}

TEST(SolveProblem, AStaleLimitFlagDoesNotSpillIntoTheNextSolve) {
    (void)CNumber(9).PowerOf(CNumber(99999999));
    ASSERT_TRUE(CNumber::LimitExceeded());
    const Lines lines = Solve(ProblemKind::Simplify, "x+1");
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front(), "[] ErrorProblemTooLarge/10");
    CNumber::ResetLimitExceeded();
}

// --- whole transcripts of solves --------------------------------------------------------------------

TEST(SolveProblem, SimplificationRecordsTheProblemAndClosesWithTheAnswer) {
    // Nothing to simplify: the problem stands as written, with the comment that says so.
    EXPECT_EQ(Solve(ProblemKind::Simplify, "2*x+1"),
              Lines({"[0.0] F(2.x+1)", "[1.1] AlreadySimplest/01",
                     "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(2.x+1)s"}));
    // A negative number exponent is accepted; the simplifier turns it into a denominator.
    EXPECT_EQ(Solve(ProblemKind::Simplify, "x^{-2}"),
              Lines({"[0.0] F(x^{-2}=)", "[1.1] NegativeExponentAsDenominator/01", "[1.1] F(=1/x^2)",
                     "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(1/x^2)s"}));
}

TEST(SolveProblem, FactorisationThatFindsNothingClosesWithItsComment) {
    for (const ProblemKind kind : {ProblemKind::Factorise, ProblemKind::FactoriseCompletely}) {
        SCOPED_TRACE(std::string(KindName(kind)));
        EXPECT_EQ(Solve(kind, "x^2+y^2"), Lines({"[0.0] F(x^2+y^2)", "[2.2] NothingToFactorise/11"}));
    }
}

TEST(SolveProblem, AnEquationLeftUnsolvedClosesWithTheOtherHeading) {
    // No technique solves a quintic without rational roots.
    EXPECT_EQ(Solve(ProblemKind::Equation, "x^5+x+3=0"),
              Lines({"[0.0] F(x^5+x+3=0)", "[2.2] AnswerHeadingOther/11", "[2.2] AnswerWithoutRoots/11"}));
    // Without a letter the equation is still solved (for x).
    EXPECT_EQ(Solve(ProblemKind::Equation, "2=2").front(), "[0.0] F(2=2)");
}

// --- properties that hold for every valid problem ------------------------------------------------

std::string WithoutChainSigns(std::string text) {
    if (!text.empty() && text.front() == '=') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '=') {
        text.pop_back();
    }
    return text;
}

void ExpectWellFormedExpressionSolution(ProblemKind kind, const std::string& text,
                                        const std::string& written) {
    SCOPED_TRACE(std::string(KindName(kind)) + ": " + text);
    COutputList solution;
    SolveProblem(kind, text, &solution);
    ASSERT_GE(solution.Size(), 2u);
    const COutputRecord& problem = *solution.Records().front();
    ASSERT_TRUE(problem.IsFormulaOnly());
    EXPECT_EQ(problem.lineBlocks, LineBlockList({{LineBlockKind::Problem, 0}}));
    EXPECT_EQ(WithoutChainSigns(problem.Blocks().front()->AsFormula()->text), written);

    const COutputRecord& last = *solution.Records().back();
    EXPECT_EQ(last.lineBlocks, LineBlockList({{LineBlockKind::Answer, 2}}));
    const std::string lastLine = DescribeRecord(last);
    if (kind != ProblemKind::Simplify && lastLine == "[2.2] NothingToFactorise/11") {
        return;
    }
    ASSERT_EQ(last.BlockCount(), 3u) << lastLine;
    EXPECT_EQ(lastLine.rfind("[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(", 0), 0u) << lastLine;
    // The answer repeats the last recorded formula.
    std::string lastFormula;
    for (const auto& record : solution.Records()) {
        if (record->IsFormulaOnly()) {
            lastFormula = WithoutChainSigns(record->Blocks().front()->AsFormula()->text);
        }
    }
    EXPECT_EQ((*std::next(last.Blocks().begin(), 2))->AsFormula()->text, lastFormula);
}

TEST(SolveProblem, ExpressionSolutionsOpenWithTheProblemAndCloseWithTheAnswer) {
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"x", "x"},
        {"2*x+1", "2.x+1"},
        {"x^2-1", "x^2-1"},
        {"(a+b)*(a-b)", "(a+b).(a-b)"},
        {"1/x+1/y", "1/x+1/y"},
        {"-{x+1}", "-(x+1)"},
        {"2@{1/3}+0,5", "2@{1/3}+0,5"},
        {"6", "6"},
    };
    for (const ProblemKind kind :
         {ProblemKind::Factorise, ProblemKind::FactoriseCompletely, ProblemKind::Simplify}) {
        for (const auto& c : cases) {
            ExpectWellFormedExpressionSolution(kind, c.text, c.written);
        }
    }
}

TEST(SolveProblem, EquationSolutionsOpenWithTheProblemAndCloseInTheAnswerBlock) {
    for (const char* text : {"x=1", "x^2-5*x+6=0", "1/x+5=0", "2*x=4", "0=0"}) {
        SCOPED_TRACE(text);
        COutputList solution;
        SolveProblem(ProblemKind::Equation, text, &solution);
        ASSERT_GE(solution.Size(), 2u);
        EXPECT_EQ(solution.Records().front()->lineBlocks, LineBlockList({{LineBlockKind::Problem, 0}}));
        EXPECT_TRUE(solution.Records().front()->IsFormulaOnly());
        EXPECT_EQ(solution.Records().back()->lineBlocks, LineBlockList({{LineBlockKind::Answer, 2}}));
    }
}

// --- hostile input ----------------------------------------------------------------------------------

bool IsErrorComment(int id) {
    return id >= 24 && id <= 31;
}

// Whatever the text, a solve ends: empty (empty text), with one error record, or in the answer
// block with no error left unreported.
void ExpectSolutionEnds(ProblemKind kind, const std::string& text) {
    COutputList solution;
    SolveProblem(kind, text, &solution);
    if (text.empty()) {
        EXPECT_TRUE(solution.IsEmpty());
        return;
    }
    ASSERT_FALSE(solution.IsEmpty());
    const COutputRecord& last = *solution.Records().back();
    ASSERT_FALSE(last.Blocks().empty());
    const OutputBlock& block = *last.Blocks().front();
    if (solution.Size() == 1) {
        ASSERT_TRUE(block.IsComment()) << DescribeRecord(last);
        EXPECT_TRUE(IsErrorComment(ToNumber(block.AsComment()->id))) << DescribeRecord(last);
        EXPECT_TRUE(last.lineBlocks.empty());
    } else {
        EXPECT_FALSE(last.lineBlocks.empty()) << DescribeRecord(last);
    }
}

TEST(SolveProblem, RandomBytesAlwaysEndInASolution) {
    std::mt19937 random(20261207);
    const std::string markup = "0123456789xyab+-*:/^.=(){},;@~ !$_<>[]";
    for (int round = 0; round < 4000; ++round) {
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        std::string text;
        for (int i = 0; i < length; ++i) {
            if (random() % 4 == 0) {
                text += static_cast<char>(random() % 256);
            } else {
                text += markup[random() % markup.size()];
            }
        }
        const ProblemKind kind = kProblemKinds[round % kProblemKindCount];
        SCOPED_TRACE(std::string(KindName(kind)) + ": " + text);
        ExpectSolutionEnds(kind, text);
    }
}

// Random well-formed expressions: they must pass the checks and reach the answer block.
std::string RandomExpression(std::mt19937& random, int depth) {
    const int pick = static_cast<int>(random() % (depth > 3 ? 3 : 8));
    switch (pick) {
    case 0:
        return std::to_string(random() % 100);
    case 1:
        return std::string(1, "xyz"[random() % 3]);
    case 2:
        return std::to_string(random() % 9 + 1) + "," + std::to_string(random() % 10 + 1);
    case 3:
        return RandomExpression(random, depth + 1) + "+" + RandomExpression(random, depth + 1);
    case 4:
        return RandomExpression(random, depth + 1) + "-" + RandomExpression(random, depth + 1);
    case 5:
        return "(" + RandomExpression(random, depth + 1) + ")*(" + RandomExpression(random, depth + 1) + ")";
    case 6:
        return "{" + RandomExpression(random, depth + 1) + "}/{" + RandomExpression(random, depth + 1) +
               "+1}";
    default:
        return "(" + RandomExpression(random, depth + 1) + ")^" + std::to_string(random() % 4);
    }
}

TEST(SolveProblem, RandomExpressionsReachTheAnswerBlock) {
    std::mt19937 random(7);
    for (int round = 0; round < 600; ++round) {
        const std::string text = RandomExpression(random, 0);
        for (const ProblemKind kind : {ProblemKind::Factorise, ProblemKind::Simplify}) {
            SCOPED_TRACE(std::string(KindName(kind)) + ": " + text);
            COutputList solution;
            SolveProblem(kind, text, &solution);
            ASSERT_FALSE(solution.IsEmpty());
            const COutputRecord& last = *solution.Records().back();
            const OutputBlock& block = *last.Blocks().front();
            // Either the answer block, or an error (a division by zero the random text happened to
            // hold, or a number past its limit).
            if (last.BlockCount() == 1 && block.IsComment() &&
                IsErrorComment(ToNumber(block.AsComment()->id))) {
                continue;
            }
            ASSERT_FALSE(last.lineBlocks.empty()) << DescribeRecord(last);
            EXPECT_EQ(last.lineBlocks.back().kind, LineBlockKind::Answer) << DescribeRecord(last);
        }
    }
}

TEST(SolveProblem, AMegabyteOfTextEndsWithOneRecord) {
    std::string text(1'000'000, 'x');
    for (std::size_t i = 1; i < text.size(); i += 2) {
        text[i] = '+';
    }
    for (const ProblemKind kind : kProblemKinds) {
        SCOPED_TRACE(std::string(KindName(kind)));
        EXPECT_EQ(Solve(kind, text).size(), 1u);
    }
}

} // namespace
