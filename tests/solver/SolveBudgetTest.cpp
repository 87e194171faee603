// Every solve is bounded as a whole: by its work, by the number of its records and by the text
// they hold. Past any bound the solve ends with the "too large" error record.

#include "solver/simplify/SimplificationTestSupport.h"

#include "model/EngineLimits.h"
#include "model/WorkBudget.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <utility>

namespace {

// The sanitizers slow every operation several times over.
#ifdef __SANITIZE_ADDRESS__
constexpr std::int64_t kMillisecondLimit = 20'000;
#else
constexpr std::int64_t kMillisecondLimit = 2'000;
#endif

// Processor time, not wall time: the bound is on the work, whatever else runs on the machine.
std::int64_t MillisecondsSince(std::clock_t start) {
    return static_cast<std::int64_t>(1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
}

std::size_t FormulaBytes(const COutputList& solution) {
    std::size_t bytes = 0;
    for (const auto& record : solution.Records()) {
        bytes += record->FormulaTextSize();
    }
    return bytes;
}

// Ends with an answer line or with an error record.
bool EndsWithAnswerOrError(const COutputList& solution) {
    const std::vector<int> ids = CommentIds(solution);
    return !AnswerFormula(solution).empty() || (!ids.empty() && ids.back() >= 24 && ids.back() <= 31);
}

// Solves a simplification that must end with the "too large" error, within the time limit.
// The problems below are built by appends: chains of operator+ that start from a literal trip a false
// -Wrestrict warning of g++ 12 inside std::string.

// 1/(x+1)+1/(x+2)+…+1/(x+count).
std::string SumOfReciprocals(int count) {
    std::string sum;
    for (int i = 1; i <= count; ++i) {
        sum.append(i > 1 ? "+1/(x+" : "1/(x+").append(std::to_string(i)).append(")");
    }
    return sum;
}

// Appends the term n/(l+i*m) of a sum of fractions in three letters, n = "abc"[i % 3], l = "xyz"[letter],
// m = "abc"[factor].
void AppendThreeLetterFraction(std::string& sum, int i, int letter, int factor) {
    if (!sum.empty()) {
        sum += '+';
    }
    sum.append(1, "abc"[i % 3]).append("/(").append(1, "xyz"[letter]).append("+").append(std::to_string(i));
    sum.append("*").append(1, "abc"[factor]).append(")");
}

std::unique_ptr<COutputList> SolveAsTooLargeWithinTheLimit(const std::string& problem) {
    const std::clock_t start = std::clock();
    std::unique_ptr<COutputList> solution = SolveSimplification(problem);
    EXPECT_LT(MillisecondsSince(start), kMillisecondLimit);
    const std::vector<int> ids = CommentIds(*solution);
    EXPECT_FALSE(ids.empty());
    EXPECT_EQ(ids.empty() ? 0 : ids.back(), ToNumber(CommentID::ErrorProblemTooLarge));
    return solution;
}

} // namespace

// <5000 nines>/<4999 sevens> once made the long-number gcd loop for ever.
TEST(SolveBudget, FractionOfNumbersAtTheDigitLimitIsReduced) {
    const std::string problem = std::string(EngineLimits::kMaxNumberDigits, '9') + "/{" +
                                std::string(EngineLimits::kMaxNumberDigits - 1, '7') + "}";
    const std::clock_t start = std::clock();
    const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
    EXPECT_LT(MillisecondsSince(start), kMillisecondLimit);
    EXPECT_TRUE(EndsWithAnswerOrError(*solution));
}

// 1/(x+1)+1/(x+2)+…+1/(x+80): 700 bytes that once wrote 45 MB of steps.
TEST(SolveBudget, SolutionTextIsBounded) {
    const std::unique_ptr<COutputList> solution = SolveAsTooLargeWithinTheLimit(SumOfReciprocals(80));
    // The record that passed the bound is the last one kept, besides the error record.
    EXPECT_LE(FormulaBytes(*solution), 2 * EngineLimits::kMaxSolutionTextBytes);
    EXPECT_TRUE(WorkBudget::LastFinished().exhausted);
}

// A sum of the longest problem text: every term was compared with every other one, unbounded.
TEST(SolveBudget, LongestSumEndsWithinTheBound) {
    std::string problem = "x";
    while (problem.size() + 2 < EngineLimits::kMaxProblemTextLength) {
        problem += "+x";
    }
    const std::clock_t start = std::clock();
    const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
    EXPECT_LT(MillisecondsSince(start), kMillisecondLimit);
    EXPECT_TRUE(EndsWithAnswerOrError(*solution));
}

// Long equations and sums of fractions: the substitution searches once compared every run of the
// 120 fractions with the whole equation, for seconds, before the equation was simplified; 40
// fractions in three letters are solved in all their steps.
TEST(SolveBudget, LongFractionProblemsEndWithinTheBound) {
    std::string threeLetters;
    for (int i = 1; i <= 40; ++i) {
        AppendThreeLetterFraction(threeLetters, i, i % 3, (i / 3) % 3);
    }
    const std::pair<ProblemKind, std::string> problems[] = {
        {ProblemKind::Equation, SumOfReciprocals(120) + "=1"},
        {ProblemKind::Simplify, threeLetters},
        {ProblemKind::Factorise, threeLetters},
    };
    for (const auto& [kind, problem] : problems) {
        SCOPED_TRACE(problem.substr(0, 40));
        COutputList solution;
        const std::clock_t start = std::clock();
        SolveProblem(kind, problem, &solution);
        EXPECT_LT(MillisecondsSince(start), kMillisecondLimit);
        EXPECT_TRUE(EndsWithAnswerOrError(solution));
    }
}

// 400 fractions in three letters: every term shown over the common denominator made one step of
// 3 MB, built for a second before the text bound could stop it. It is not built now.
TEST(SolveBudget, CommonDenominatorPastTheTextBoundIsNotBuilt) {
    std::string problem;
    for (int i = 1; i <= 400; ++i) {
        AppendThreeLetterFraction(problem, i, (i / 3) % 3, (i / 9) % 3);
    }
    const std::unique_ptr<COutputList> solution = SolveAsTooLargeWithinTheLimit(problem);
    EXPECT_LE(FormulaBytes(*solution), EngineLimits::kMaxSolutionTextBytes);
}

// A formula whose text would carry the solution past its bound is not recorded: the solution
// ends as too large without it. One record of a long sum or of a power written out once held ten
// times the bound of a whole solution.
TEST(SolveBudget, NoRecordCarriesTheSolutionPastItsTextBound) {
    std::string sum;
    for (int i = 1; i <= 150; ++i) {
        sum.append(i > 1 ? "+1/(x+" : "1/(x+").append(std::to_string(i)).append(")");
    }
    const std::pair<ProblemKind, std::string> problems[] = {
        {ProblemKind::Simplify, sum},
        {ProblemKind::Factorise, sum},
        {ProblemKind::Equation, sum + "=0"},
        {ProblemKind::Simplify, "(123456789*x+987654321)^300-1"},
        {ProblemKind::FactoriseCompletely, "x^2000-2*x^1000*y^1000+y^2000"},
    };
    for (const auto& [kind, problem] : problems) {
        SCOPED_TRACE(problem.substr(0, 60));
        COutputList solution;
        const std::clock_t start = std::clock();
        SolveProblem(kind, problem, &solution);
        EXPECT_LT(MillisecondsSince(start), kMillisecondLimit);
        EXPECT_LE(FormulaBytes(solution), EngineLimits::kMaxSolutionTextBytes + 2 * solution.Size());
        EXPECT_TRUE(EndsWithAnswerOrError(solution));
    }
}

TEST(SolveBudget, SchoolProblemsStayFarBelowTheBudget) {
    const std::pair<ProblemKind, const char*> problems[] = {
        {ProblemKind::Simplify, "(a-b)/(a+b)+(a+b)/(a-b)"},
        {ProblemKind::Simplify, "(x+1)^5-(x-1)^5"},
        {ProblemKind::Factorise, "x^4-1"},
        {ProblemKind::FactoriseCompletely, "a^3+b^3"},
        {ProblemKind::Equation, "x^2-5.x+6=0"},
    };
    for (const auto& [kind, problem] : problems) {
        SCOPED_TRACE(problem);
        COutputList solution;
        SolveProblem(kind, problem, &solution);
        const WorkBudget::Usage usage = WorkBudget::LastFinished();
        EXPECT_FALSE(usage.exhausted);
        EXPECT_LT(usage.work, EngineLimits::kMaxSolveWork / 100);
        EXPECT_GE(usage.records, solution.Size());
    }
}
