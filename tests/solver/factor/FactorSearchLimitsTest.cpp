// The factor search and the factorisation solves at the engine's limits: the shape every technique
// (and every test of the search) looks for, with exponents about the degree limit and coefficients
// about the digit limit. Whatever the search finds divides the polynomial; a polynomial past a
// limit finds nothing and raises the "too large" flag; every solve ends within its time bound, with
// an answer whose every step has the problem's value, or with the "too large" error, or with the
// comment that nothing was found.

#include "solver/simplify/SimplificationTestSupport.h"
#include "tests/support/SchoolProblemMaker.h"

#include "model/CNumber.h"
#include "model/COPolynom.h"
#include "model/EngineLimits.h"
#include "model/WorkBudget.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/SolveProblem.h"
#include "solver/factor/Factorisation.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr double kCpuSecondsLimit = 20.0;
#else
constexpr double kCpuSecondsLimit = 1.0;
#endif

constexpr std::int64_t kDegreeLimit = EngineLimits::kMaxPolynomialDegree;
constexpr std::size_t kDigitLimit = EngineLimits::kMaxNumberDigits;

std::string Power(const char* letter, std::int64_t exponent) {
    return Cat({letter, "^", std::to_string(exponent)});
}

// One shape a technique of the search looks for, written with the exponent e (about the degree
// limit) and the coefficient c (about the digit limit, or 1).
struct Shape {
    const char* name;
    std::function<std::string(std::int64_t e, const std::string& c)> text;
};

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        {"common monomial",
         [](auto e, auto& c) {
             return Cat({c, "*", Power("x", e), "+", c, "*x"});
         }},
        {"common monomial of two letters",
         [](auto e, auto&) {
             return Cat({Power("x", e), "*y+y"});
         }},
        {"difference of squares",
         [](auto e, auto& c) {
             return Cat({c, "*", Power("x", e - e % 2), "-1"});
         }},
        {"sum of like odd powers",
         [](auto e, auto&) {
             return Cat({Power("x", e - 1 + e % 2), "+1"});
         }},
        {"like powers of two letters",
         [](auto e, auto&) {
             return Cat({Power("x", e), "-", Power("y", e)});
         }},
        {"completed square",
         [](auto e, auto&) {
             return Cat({Power("x", e - e % 4), "+4"});
         }},
        {"trinomial with the square",
         [](auto e, auto&) {
             return Cat({Power("x", e - (e + 2) % 3), "+x^2+1"});
         }},
        {"trinomial with the letter",
         [](auto e, auto&) {
             return Cat({Power("x", e - (e + 1) % 3), "+x+1"});
         }},
        {"equal blocks",
         [](auto e, auto& c) {
             return Cat({Power("x", e), "+", Power("x", e - 1), "+", c, "*x+", c});
         }},
        {"grouping",
         [](auto e, auto&) {
             const auto h = e / 2;
             return Cat({Power("x", 2 * h), "+", Power("x", h), "*y+", Power("x", h), "+y"});
         }},
        {"repeated factor",
         [](auto e, auto&) {
             return Cat({Power("x", e - e % 2), "+2*", Power("x", e / 2), "+1"});
         }},
        {"rational root",
         [](auto e, auto& c) {
             return Cat({Power("x", e), "-", c, "*x+", c, "-1"});
         }},
        {"bounded divisor search",
         [](auto e, auto&) {
             return Cat({Power("x", e), "+x+3"});
         }},
        {"square of a difference in two letters",
         [](auto e, auto&) {
             const auto h = e / 2;
             return Cat(
                 {Power("x", 2 * h), "-2*", Power("x", h), "*", Power("y", h), "+", Power("y", 2 * h)});
         }},
        {"like powers of products",
         [](auto e, auto&) {
             return Cat({Power("x", e), "*", Power("y", e), "+1"});
         }},
        {"digits in a quadratic",
         [](auto, auto& c) {
             return Cat({"1+", c, "*x^2"});
         }},
        {"digits in a middle term",
         [](auto, auto& c) {
             return Cat({"x^2+", c, "*x+1"});
         }},
        {"digits in two letters",
         [](auto, auto& c) {
             return Cat({c, "*x^2*y^2-1"});
         }},
    };
    return shapes;
}

// Coefficients at the digit limit: the largest number allowed, one digit less, and a square.
std::vector<std::string> Coefficients() {
    return {"1", std::string(kDigitLimit, '9'), std::string(kDigitLimit - 1, '9'),
            Cat({"1", std::string(kDigitLimit - 2, '0')})};
}

bool PassesADegreeLimit(const std::string& problem) {
    for (std::size_t at = problem.find('^'); at != std::string::npos; at = problem.find('^', at + 1)) {
        if (std::stoll(problem.substr(at + 1)) > kDegreeLimit) {
            return true;
        }
    }
    return false;
}

// Points at which the values of a problem with long coefficients and high powers stay within the
// digit limit; a solution that writes long polynomials (thousands of terms of high powers) is
// checked at the points of ones alone, where its values are cheap to compute.
std::vector<Point> LimitPoints(bool longFormulas) {
    std::vector<Point> points;
    for (const auto& [x, y] : {std::pair{1, -1}, {-1, 1}, {2, 3}, {-3, 2}}) {
        if (!longFormulas || (x * x == 1 && y * y == 1)) {
            points.push_back(Point{{'x', CNumber(x)}, {'y', CNumber(y)}});
        }
    }
    if (!longFormulas) {
        Point half{{'x', CNumber(CLongInteger(1), CLongInteger(2))},
                   {'y', CNumber(CLongInteger(-2), CLongInteger(3))}};
        half['x'].Normalize();
        half['y'].Normalize();
        points.push_back(half);
    }
    return points;
}

// The value of a formula, or none when it is undefined or its arithmetic passed the digit limit.
std::optional<CNumber> ValueWithinLimits(const std::string& formula, const Point& point) {
    CNumber::ResetLimitExceeded();
    std::optional<CNumber> value = EvaluateFormula(formula, point);
    const bool passed = CNumber::LimitExceeded();
    CNumber::ResetLimitExceeded();
    return passed ? std::nullopt : value;
}

// Every step and the answer against the problem, at the points where both can be computed; the
// number of comparisons made.
int CheckStepsByValue(const std::string& problem, const COutputList& solution) {
    std::vector<std::string> formulas = StepFormulas(solution);
    formulas.push_back(AnswerFormula(solution));
    std::size_t textBytes = 0;
    for (const std::string& formula : formulas) {
        textBytes += formula.size();
    }
    int compared = 0;
    for (const Point& point : LimitPoints(textBytes > 20'000)) {
        const std::optional<CNumber> expected = ValueWithinLimits(problem, point);
        if (!expected) {
            continue;
        }
        for (const std::string& formula : formulas) {
            if (const std::optional<CNumber> value = ValueWithinLimits(formula, point)) {
                EXPECT_TRUE(value->Equal(*expected)) << "step " << formula.substr(0, 200);
                ++compared;
            }
        }
    }
    return compared;
}

void CheckSolve(ProblemKind kind, const std::string& problem) {
    SCOPED_TRACE(
        Cat({problem.substr(0, 120), kind == ProblemKind::Factorise ? " (factor)" : " (factor fully)"}));
    COutputList solution;
    const std::clock_t start = std::clock();
    SolveProblem(kind, problem, &solution);
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, kCpuSecondsLimit);
    const std::vector<int> ids = CommentIds(solution);
    const int last = ids.empty() ? 0 : ids.back();
    if (PassesADegreeLimit(problem)) {
        EXPECT_EQ(last, ToNumber(CommentID::ErrorProblemTooLarge));
    } else if (!AnswerFormula(solution).empty()) {
        EXPECT_GT(CheckStepsByValue(problem, solution), 0);
    } else {
        EXPECT_TRUE(last == ToNumber(CommentID::ErrorProblemTooLarge) ||
                    last == ToNumber(CommentID::NothingToFactorise))
            << "ends with comment " << last;
    }
}

// The search alone, under the work budget of a solve: a finding divides the polynomial (like
// powers of groups add up to it); past the degree limit nothing is found and the limit flag is up.
void CheckSearch(const std::string& problem) {
    SCOPED_TRACE(problem.substr(0, 120));
    CNumber::ResetLimitExceeded();
    const WorkBudget::Scope budget;
    CExpression workspace(problem + ";", nullptr);
    BuildMonoms(workspace.RootSlot());
    BuildPolynoms(workspace.RootSlot());
    const auto* polynom = dynamic_cast<const COPolynom*>(workspace.Root());
    ASSERT_NE(polynom, nullptr);
    FactorFinding finding;
    const bool found = FindFactorisation(*polynom, finding);
    if (PassesADegreeLimit(problem)) {
        EXPECT_FALSE(found);
        EXPECT_TRUE(CNumber::LimitExceeded());
    } else if (found && !CNumber::LimitExceeded()) {
        const CPolynomValue value = polynom->Value();
        const CPolynomValue first = finding.first->Value();
        if (finding.technique == FactorTechnique::GroupingLikePowers) {
            const std::int64_t m = finding.detail->exponent.ToInt();
            CPolynomValue sum = first.Power(m).Scaled(CNumber(finding.detail->firstSign));
            sum.AddInPlace(finding.second->Value().Power(m).Scaled(CNumber(finding.detail->secondSign)));
            EXPECT_TRUE(sum == value);
        } else if (finding.technique == FactorTechnique::CommonMonomial) {
            EXPECT_TRUE(first.Product(finding.second->Value()) == value);
        } else {
            EXPECT_FALSE(first.IsConstant());
            EXPECT_TRUE(value.DivideExact(first).has_value());
        }
    }
    CNumber::ResetLimitExceeded();
}

class FactorSearchAtTheLimits : public testing::TestWithParam<std::size_t> {};

// Each shape with an exponent just below, at and just past the degree limit (coefficient 1), and
// with a low exponent and every long coefficient.
TEST_P(FactorSearchAtTheLimits, FindsOnlyTrueFactorsAndEndsEverySolve) {
    const Shape& shape = Shapes()[GetParam()];
    SCOPED_TRACE(shape.name);
    std::vector<std::string> problems;
    for (const std::int64_t e : {kDegreeLimit - 1, kDegreeLimit, kDegreeLimit + 1}) {
        problems.push_back(shape.text(e, "1"));
    }
    for (const std::string& c : Coefficients()) {
        problems.push_back(shape.text(4, c));
    }
    for (const std::string& problem : problems) {
        CheckSearch(problem);
        CheckSolve(ProblemKind::Factorise, problem);
        CheckSolve(ProblemKind::FactoriseCompletely, problem);
    }
}

std::string ShapeName(const testing::TestParamInfo<std::size_t>& info) {
    std::string name = Shapes()[info.param].name;
    for (char& c : name) {
        c = c == ' ' ? '_' : c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryTechnique, FactorSearchAtTheLimits,
                         testing::Range<std::size_t>(0, Shapes().size()), ShapeName);

} // namespace
