// Property tests of the exact real-root machinery on random polynomials with known roots, and of
// the root-set comparison against the solver's own root sets: the solver's answer of a random
// equation must check as right and finished, and the answer without one of its roots as wrong,
// with that root named as lost.

#include "SolverSolutionLines.h"
#include "checker/RealRoots.h"
#include "checker/SolutionCheck.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr unsigned char kX = 'x';

struct KnownRoots {
    CPolynomValue polynom{1};
    std::vector<CNumber> rational; // distinct
    int irrationalPairs = 0;       // factors x² − p with p not a square
};

CNumber RandomRational(std::mt19937& random) {
    std::uniform_int_distribution<int> numerator(-6, 6);
    std::uniform_int_distribution<int> denominator(1, 3);
    CNumber value{CLongInteger(numerator(random)), CLongInteger(denominator(random))};
    value.Normalize();
    return value;
}

// (x − r₁)^m₁ ⋯ (x − r_k)^m_k, times maybe x² − p (two irrational roots) and x² + c (none).
KnownRoots RandomPolynomial(std::mt19937& random) {
    KnownRoots known;
    std::uniform_int_distribution<int> count(0, 3);
    std::uniform_int_distribution<int> multiplicity(1, 2);
    std::uniform_int_distribution<int> coin(0, 1);
    for (int i = count(random); i > 0; --i) {
        const CNumber root = RandomRational(random);
        CPolynomValue factor = CPolynomValue::Letter(kX).Difference(CPolynomValue(root));
        known.polynom.MultiplyInPlace(factor.Power(multiplicity(random)));
        if (std::none_of(known.rational.begin(), known.rational.end(),
                         [&](const CNumber& r) { return r.Equal(root); })) {
            known.rational.push_back(root);
        }
    }
    static const int kNonSquares[] = {2, 3, 5, 6, 7};
    if (coin(random) == 1) {
        known.polynom.MultiplyInPlace(
            CPolynomValue::Letter(kX, 2).Difference(CPolynomValue(kNonSquares[random() % 5])));
        known.irrationalPairs = 1;
    }
    if (coin(random) == 1) {
        known.polynom.MultiplyInPlace(
            CPolynomValue::Letter(kX, 2).Sum(CPolynomValue(1 + static_cast<int>(random() % 4))));
    }
    known.polynom.Scale(CNumber(1 + static_cast<int>(random() % 3)));
    return known;
}

TEST(RealRoots, CountFindAndSquarefreePartAgreeWithKnownRoots) {
    std::mt19937 random(29);
    for (int trial = 0; trial < 300; ++trial) {
        const KnownRoots known = RandomPolynomial(random);
        if (known.polynom.IsConstant()) {
            continue;
        }
        SCOPED_TRACE("trial " + std::to_string(trial));
        const CPolynomValue squarefree = SquarefreePart(known.polynom, kX);
        EXPECT_EQ(CountRealRoots(squarefree, kX),
                  static_cast<int>(known.rational.size()) + 2 * known.irrationalPairs);
        // The squarefree part has every root once: no common factor with its derivative.
        EXPECT_TRUE(WithoutRootsOf(squarefree, squarefree.Derivative(kX)) == squarefree);
        const std::optional<RealRoot> root = FindRealRoot(squarefree, kX);
        EXPECT_EQ(root.has_value(), !known.rational.empty() || known.irrationalPairs > 0);
        if (root && root->exact) {
            EXPECT_TRUE(PolynomialValueAt(known.polynom, *root->exact).IsZero());
        } else if (root) {
            EXPECT_NEAR(static_cast<double>(root->approximate * root->approximate),
                        std::round(static_cast<double>(root->approximate * root->approximate)), 1e-4);
        }
        // Removing the known rational roots leaves only the irrational ones.
        CPolynomValue rationalPart(1);
        for (const CNumber& r : known.rational) {
            rationalPart.MultiplyInPlace(CPolynomValue::Letter(kX).Difference(CPolynomValue(r)));
        }
        EXPECT_EQ(CountRealRoots(WithoutRootsOf(squarefree, rationalPart), kX), 2 * known.irrationalPairs);
    }
}

// The polynomial written as compact markup: "2.x^3-x+1/2".
std::string Markup(const CPolynomValue& polynom) {
    std::string text;
    for (const PolynomTerm& term : polynom.Terms()) {
        CNumber magnitude = term.coefficient;
        const bool negative = magnitude.TakeSign() < 0;
        text += negative ? "-" : (text.empty() ? "" : "+");
        const std::int64_t degree = term.ExponentOf(kX);
        if (!magnitude.IsOne() || degree == 0) {
            std::string number;
            magnitude.WriteText(number);
            text += degree == 0 || magnitude.IsWhole() ? number : "{" + number + "}";
            text += degree > 0 ? "." : "";
        }
        if (degree > 0) {
            text += degree == 1 ? "x" : "x^" + std::to_string(degree);
        }
    }
    return text;
}

// The ";" that ends the first root of an answer, outside braces (!sqn{4;9} holds one); npos when
// the answer has one root.
std::size_t SeparatorAfterFirstRoot(const std::string& answer) {
    int depth = 0;
    for (std::size_t i = 0; i < answer.size(); ++i) {
        depth += answer[i] == '{' ? 1 : answer[i] == '}' ? -1 : 0;
        if (answer[i] == ';' && depth == 0) {
            return i;
        }
    }
    return std::string::npos;
}

TEST(RootSetComparison, AgreesWithTheSolversOwnRootSets) {
    std::mt19937 random(2026);
    int compared = 0;
    for (int trial = 0; trial < 120; ++trial) {
        const KnownRoots known = RandomPolynomial(random);
        if (known.polynom.IsConstant()) {
            continue;
        }
        const std::string problem = Markup(known.polynom) + "=0";
        const std::vector<std::string> solution = SolverSolutionLines(ProblemKind::Equation, problem);
        const std::string& answer = solution.back();
        if (solution.size() < 2 || answer.rfind("x=", 0) != 0) {
            continue; // the solver found no answer for this one
        }
        SCOPED_TRACE(problem + " -> " + answer);
        ++compared;
        const SolutionCheck right = CheckSolution(ProblemKind::Equation, {problem, answer}, LineForm::Markup);
        EXPECT_TRUE(right.AllRight() && right.finished);
        // Without its first root the answer loses exactly that root.
        const std::size_t separator = SeparatorAfterFirstRoot(answer);
        if (separator == std::string::npos) {
            continue;
        }
        const SolutionCheck lost =
            CheckSolution(ProblemKind::Equation, {problem, answer.substr(separator + 1)}, LineForm::Markup);
        ASSERT_EQ(lost.lines.size(), 1U);
        EXPECT_EQ(lost.lines.front().message.id, CheckMessageID::RootLost);
        ASSERT_TRUE(lost.lines.front().root.has_value());
        EXPECT_TRUE(PolynomialValueAt(known.polynom, *lost.lines.front().root).IsZero());
        const SolutionCheck kept =
            CheckSolution(ProblemKind::Equation, {problem, answer.substr(0, separator)}, LineForm::Markup);
        EXPECT_FALSE(kept.AllRight());
    }
    EXPECT_GT(compared, 60);
}

} // namespace
