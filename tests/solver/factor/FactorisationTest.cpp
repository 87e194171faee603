// Whole solutions of school factorisation problems, both kinds: every recorded formula keeps the
// problem's value at rational points, kind 1 ends with a product, and no factor of a kind-2 answer
// splits again. Then the comment sequences of the techniques, an independent check of complete
// factorisation on random one-letter products, and hostile input.

#include "solver/simplify/SimplificationTestSupport.h"
#include "tests/support/FactorisationSuite.h"

#include "markup/ProblemText.h"
#include "model/CNumber.h"
#include "model/COPolynom.h"
#include "output/COutputList.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <random>

namespace {

constexpr int kNothingFound = 35;

std::unique_ptr<COutputList> Solve(ProblemKind kind, const std::string& problem) {
    auto solution = std::make_unique<COutputList>();
    SolveProblem(kind, problem, solution.get());
    return solution;
}

bool HasComment(const COutputList& solution, int id) {
    const std::vector<int> ids = CommentIds(solution);
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The factors of a product text at bracket depth 0 (a leading minus dropped).
std::vector<std::string> TopLevelFactors(std::string text) {
    if (!text.empty() && text.front() == '-') {
        text.erase(0, 1);
        if (TopLevelFactors(text).size() == 1 && text.front() == '(' && text.back() == ')') {
            text = text.substr(1, text.size() - 2);
        }
    }
    std::vector<std::string> factors;
    int depth = 0;
    std::string current;
    for (const char c : text) {
        depth += (c == '(' || c == '{') ? 1 : (c == ')' || c == '}') ? -1 : 0;
        if (depth == 0 && (c == '.' || c == '*')) {
            factors.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    factors.push_back(current);
    return factors;
}

// A factor without its exponent and outer brackets: "(x-1)^2" -> "x-1".
std::string BaseOfFactor(std::string factor) {
    if (!factor.empty() && factor.front() == '(') {
        const std::size_t close = factor.rfind(')');
        factor = factor.substr(1, close - 1);
    } else if (const std::size_t power = factor.find('^'); power != std::string::npos) {
        factor = factor.substr(0, power);
    }
    return factor;
}

// The polynomial a text stands for, read by the parser and the polynomial building.
std::unique_ptr<COPolynom> ReadPolynom(std::string text) {
    PrepareProblemText(text);
    CExpression workspace(text, nullptr);
    if (!workspace.IsValid()) {
        return nullptr;
    }
    BuildMonoms(workspace.RootSlot());
    BuildPolynoms(workspace.RootSlot());
    if (workspace.Root() == nullptr || workspace.Root()->GetType() != NodeType::Polynom) {
        return nullptr;
    }
    return std::unique_ptr<COPolynom>(static_cast<COPolynom*>(workspace.RootSlot()->release()));
}

class FactorisationSuite : public ::testing::TestWithParam<FactorisationProblem> {};

// Kind 1 found something, kept the value in every step and ended with a product or a power.
void ExpectFactorisedKeepingTheValue(const std::string& problem) {
    const std::unique_ptr<COutputList> solution = Solve(ProblemKind::Factorise, problem);
    EXPECT_FALSE(HasComment(*solution, kNothingFound));
    const std::string answer = AnswerFormula(*solution);
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(CheckValues(problem, *solution), "");
    // Equal factors end as one power, maybe with the minus of an opposite factor: −(x − 3)².
    const std::string magnitude = answer.front() == '-' ? answer.substr(1) : answer;
    const bool power = magnitude.front() == '(' && magnitude.find(")^") == magnitude.rfind(')') &&
                       magnitude.find(")^") != std::string::npos;
    EXPECT_TRUE(TopLevelFactors(answer).size() >= 2 || power) << "not a product: " << answer;
}

// Kind 2 kept the value in every step and no factor of its answer is split again by one
// factorisation pass. Returns the answer.
std::string ExpectFactorisedCompletely(const std::string& problem) {
    const std::unique_ptr<COutputList> solution = Solve(ProblemKind::FactoriseCompletely, problem);
    EXPECT_FALSE(HasComment(*solution, kNothingFound));
    const std::string answer = AnswerFormula(*solution);
    EXPECT_FALSE(answer.empty());
    EXPECT_EQ(CheckValues(problem, *solution), "");
    for (const std::string& factor : TopLevelFactors(answer)) {
        const std::string base = BaseOfFactor(factor);
        const std::unique_ptr<COutputList> again = Solve(ProblemKind::Factorise, base);
        const std::unique_ptr<COPolynom> polynom = ReadPolynom(base);
        const bool constant = polynom && polynom->IsConstant();
        EXPECT_TRUE(constant || HasComment(*again, kNothingFound)) << "factor " << base << " of " << answer;
    }
    return answer;
}

TEST_P(FactorisationSuite, FactorisesCompletelyKeepingTheValue) {
    const FactorisationProblem& item = GetParam();
    SCOPED_TRACE(std::string(item.problem) + " (" + item.topic + ")");
    ExpectFactorisedCompletely(item.problem);
}

TEST_P(FactorisationSuite, FactorisesKeepingTheValue) {
    const FactorisationProblem& item = GetParam();
    SCOPED_TRACE(std::string(item.problem) + " (" + item.topic + ")");
    ExpectFactorisedKeepingTheValue(item.problem);
}

INSTANTIATE_TEST_SUITE_P(SchoolProblems, FactorisationSuite, ::testing::ValuesIn(kFactorisationSuite));

// --- the recorded steps of each technique -------------------------------------------------------

std::vector<int> Comments(ProblemKind kind, const std::string& problem) {
    return CommentIds(*Solve(kind, problem));
}

// The comments of the steps, without the answer line (3, 15).
std::vector<int> StepComments(const std::string& problem) {
    std::vector<int> ids = Comments(ProblemKind::Factorise, problem);
    if (ids.size() >= 2 && ids[ids.size() - 2] == 3) {
        ids.resize(ids.size() - 2);
    }
    return ids;
}

// The numbers of comments named by their identifiers.
std::vector<int> Ids(std::initializer_list<CommentID> comments) {
    std::vector<int> numbers;
    for (const CommentID comment : comments) {
        numbers.push_back(ToNumber(comment));
    }
    return numbers;
}

TEST(FactorisationSteps, TrinomialsDivisibleByTheCyclotomicQuadratic) {
    EXPECT_EQ(StepComments("x^5+x+1"), (std::vector<int>{1, 32, 45, 76, 74, 45, 59, 59}));
    EXPECT_EQ(StepComments("x^4+x^2+1"), (std::vector<int>{1, 32, 45, 76, 74, 45, 59, 59}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "x^5+x+1")), "(x^2+x+1).(x^3-x^2+1)");
}

TEST(FactorisationSteps, BinomialsByTheirFormulas) {
    EXPECT_EQ(StepComments("x^2-1"), (std::vector<int>{73}));
    EXPECT_EQ(StepComments("-25*x^2+64"), (std::vector<int>{10, 73}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "-25*x^2+64")), "(8-5.x).(8+5.x)");
    EXPECT_EQ(StepComments("64-25*x^2"), (std::vector<int>{73}));
    EXPECT_EQ(StepComments("x^6-1"), (std::vector<int>{73}));
    EXPECT_EQ(StepComments("x^3+8"), (std::vector<int>{75}));
    EXPECT_EQ(StepComments("x^3-8"), (std::vector<int>{74}));
    EXPECT_EQ(StepComments("x^5-32"), (std::vector<int>{76}));
    // Both terms negative: the minus goes in front first, without CommentID::TermsReordered.
    EXPECT_EQ(StepComments("-x^3-8"), (std::vector<int>{75}));
    // 8x^6 - 1 is no binomial case (8 is no square, 6 no prime): grouping finds the cubes.
    const std::vector<int> cubes = StepComments("8*x^6-1");
    EXPECT_NE(std::find(cubes.begin(), cubes.end(), 74), cubes.end());
}

// Like powers of two terms written as the product at once, the second bracket as the quotient.
TEST(FactorisationSteps, LikePowersOfTwoTermsInOneStep) {
    EXPECT_EQ(StepComments("8*x^6-1"), Ids({CommentID::DifferenceOfCubes}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "8*x^6-1")), "(2.x^2-1).(4.x^4+2.x^2+1)");
    EXPECT_EQ(StepComments("x^3+27*y^3"), Ids({CommentID::SumOfCubes}));
    EXPECT_EQ(StepFormulas(*Solve(ProblemKind::Factorise, "x^3+27*y^3")),
              (std::vector<std::string>{"x^3+27.y^3=", "=(x+3.y).(x^2-3.x.y+9.y^2)"}));
    EXPECT_EQ(StepComments("25*x^2-y^2"), Ids({CommentID::DifferenceOfSquares}));
}

// A found divisor of several letters: the problem's terms reordered into the expanded products
// (CommentID::TermsReordered) before they are grouped, read from the problem down.
TEST(FactorisationSteps, FoundDivisorInSeveralLettersShowsTheReordering) {
    using C = CommentID;
    EXPECT_EQ(StepComments("x*y+3*y+2*x+6"),
              Ids({C::TermsReordered, C::TermsGrouped, C::CommonFactorTakenOut, C::CommonFactorTakenOut}));
    const std::vector<std::string> steps = StepFormulas(*Solve(ProblemKind::Factorise, "x*y+3*y+2*x+6"));
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps[1], "=x.y+2.x+3.y+6=");
    EXPECT_EQ(StepComments("a*x-b*y+b*x-a*y"),
              Ids({C::TermsReordered, C::TermsGrouped, C::CommonFactorTakenOut, C::CommonFactorTakenOut}));
}

// Grouping with a common factor of the groups collects the bracket in a step without a comment.
TEST(FactorisationSteps, GroupsWithACommonFactorCollectWithoutAComment) {
    using C = CommentID;
    const std::string problem = "x^3-x^2*y-x*y^2+y^3";
    EXPECT_EQ(StepComments(problem),
              Ids({C::TermsReordered, C::TermsGrouped, C::CommonFactorTakenOut, C::TermsReordered}));
    const std::vector<std::string> steps = StepFormulas(*Solve(ProblemKind::Factorise, problem));
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.back(), "=(x^2-2.x.y+y^2).(x+y)");
    EXPECT_EQ(CheckValues(problem, *Solve(ProblemKind::Factorise, problem)), "");
}

// A monomial left in a group when the common bracket is taken out stands first, without brackets:
// 3x(x + 1), 2xy(x + 2), as a pupil writes it; a polynomial left follows the bracket.
TEST(FactorisationSteps, MonomialCofactorOfAGroupStandsFirst) {
    for (const auto& [problem, line] : std::vector<std::pair<std::string, std::string>>{
             {"x^3+3*x^2+3*x+1", "=3.x.(x+1)+(x+1).(x^2-x+1)="},
             {"2*x^2*y+4*x*y+3*x+6", "=2.x.y.(x+2)+3.(x+2)="}}) {
        SCOPED_TRACE(problem);
        const auto solution = Solve(ProblemKind::Factorise, problem);
        const std::vector<std::string> steps = StepFormulas(*solution);
        ASSERT_GE(steps.size(), 3u);
        EXPECT_EQ(steps[2], line);
        EXPECT_EQ(CheckValues(problem, *solution), "");
    }
}

TEST(FactorisationSteps, CompletedSquareIsShownFromThePolynomialToTheProduct) {
    EXPECT_EQ(StepComments("x^4+4"), (std::vector<int>{1, 10, 32, 71, 73}));
    const std::vector<std::string> steps = StepFormulas(*Solve(ProblemKind::Factorise, "x^4+4"));
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps[1], "=x^4+4.x^2-4.x^2+4=");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "x^4+4")), "(x^2+2.x+2).(x^2-2.x+2)");
}

TEST(FactorisationSteps, FoundDivisorIsCheckedByMultiplyingOutBackwards) {
    // Read from the top: terms split into like terms (84), grouped products (32), D times each term
    // (45), D*Q (45).
    EXPECT_EQ(StepComments("x^3-6*x^2+11*x-6"),
              (std::vector<int>{ToNumber(CommentID::TermSplitIntoLikeTerms), 32, 45, 45}));
    const std::vector<std::string> steps = StepFormulas(*Solve(ProblemKind::Factorise, "x^3-6*x^2+11*x-6"));
    EXPECT_EQ(steps.back(), "=(x-1).(x^2-5.x+6)");
}

TEST(FactorisationSteps, GroupingWithAMovedTerm) {
    // x^4 - x^2 + 2x - 1: the first term moves behind the others, their group is -(x - 1)^2.
    EXPECT_EQ(StepComments("x^4-x^2+2*x-1"), (std::vector<int>{10, 32, 11, 76, 10, 73}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "x^4-x^2+2*x-1")), "(x^2-x+1).(x^2+x-1)");
}

TEST(FactorisationSteps, SumsOfProductsByACommonBracketOrByGroups) {
    // A common bracket; the rest collected into one polynomial.
    EXPECT_EQ(StepComments("(x+1)*(x+2)+(x+1)*(x+3)"), (std::vector<int>{45, 59}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "(x+1)*(x+2)+(x+1)*(x+3)")), "(x+1).(2.x+5)");
    // The first brackets split by their gcd (a step without comment), then the common factor.
    EXPECT_EQ(StepComments("(x^2-1)*a+(x+1)*b"), (std::vector<int>{45}));
    // Two groups that are like powers, and two groups with a common factor.
    EXPECT_EQ(StepComments("(x+1)^2-1"), (std::vector<int>{76, 73}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "(x+1)^2-1")), "x.(x+2)");
    EXPECT_EQ(StepComments("a*(x+y)+b*(x+y)+a*(x-y)+b*(x-y)"), (std::vector<int>{32, 32, 45, 59}));
}

// Two products that already are the like powers: no step repeats them, the formula writes the product,
// and brackets of one term each are multiplied into one term. Powers still to be written keep their
// step (CommentID::OtherPowerFormula).
TEST(FactorisationSteps, LikePowersOfTwoProductsWrittenAsTheyStand) {
    using C = CommentID;
    const std::string squares = "(a+b)^2-(a-b)^2";
    EXPECT_EQ(StepComments(squares), Ids({C::DifferenceOfSquares, C::BracketsOpened}));
    EXPECT_EQ(StepFormulas(*Solve(ProblemKind::Factorise, squares)),
              (std::vector<std::string>{"(a+b)^2-(a-b)^2=", "=(2.b).(2.a)=", "=4.a.b"}));
    const std::string cubes = "(a+b)^3+(a-b)^3";
    EXPECT_EQ(StepComments(cubes), Ids({C::SumOfCubes, C::BracketsOpened}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, cubes)), "(2.a).(a^2+3.b^2)");
    const std::string scaled = "4*(x+1)^2-9*(x-1)^2";
    EXPECT_EQ(StepComments(scaled), Ids({C::OtherPowerFormula, C::DifferenceOfSquares}));
    for (const std::string& problem : {squares, cubes, scaled, std::string("(x+y)^3-(x-y)^3")}) {
        EXPECT_EQ(CheckValues(problem, *Solve(ProblemKind::Factorise, problem)), "") << problem;
    }
}

// A bracket left as the sum it is written as needs no step of its own.
TEST(FactorisationSteps, CommonBracketWithARestAlreadySummed) {
    EXPECT_EQ(StepComments("x^2*(x+1)-4*(x+1)"), Ids({CommentID::CommonFactorTakenOut}));
    EXPECT_EQ(StepFormulas(*Solve(ProblemKind::Factorise, "x^2*(x+1)-4*(x+1)")),
              (std::vector<std::string>{"x^2.(x+1)-4.(x+1)=", "=(x+1).(x^2-4)"}));
}

TEST(FactorisationSteps, CommonFactorOfProductsTakesTheCommonNumberWithTheBrackets) {
    // The number and the bracket come out at once; the rests are collected into one polynomial.
    EXPECT_EQ(StepComments("2*(x+1)*(x+2)+4*(x+1)*(x+3)"), (std::vector<int>{45, 59}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "2*(x+1)*(x+2)+4*(x+1)*(x+3)")),
              "2.(x+1).(3.x+8)");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "6*(a+b)^2-9*(a+b)")), "3.(a+b).(2.a+2.b-3)");
    // A number alone is a common factor too; a rest with a power of a bracket stays as it is.
    EXPECT_EQ(StepComments("2*(x+1)^2-4*(x-1)^2"), (std::vector<int>{45}));
    // Numbers without a common divisor leave the bracket alone.
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "2*(x+1)+3*(x+1)^2")), "(x+1).(3.x+5)");
    // A power split into equal factors by its gcd with the other first factors: the bracket is
    // taken out once, with its smallest exponent.
    // A letter common to all terms comes out with the bracket, in both kinds.
    for (const ProblemKind kind : {ProblemKind::Factorise, ProblemKind::FactoriseCompletely}) {
        EXPECT_EQ(AnswerFormula(*Solve(kind, "x^2*(y+1)+x*(y+1)^2")), "x.(y+1).(x+y+1)");
    }
    for (const std::string problem : {"x^2*(y+1)+x*(y+1)^2", "6*x^2*y*(x+1)+4*x*y^2*(x+1)", "x^2*(x+1)+x*(x+1)"}) {
        EXPECT_EQ(CheckValues(problem, *Solve(ProblemKind::Factorise, problem)), "") << problem;
    }
}

TEST(FactorisationSteps, NumericContentFirstThenTheBracket) {
    EXPECT_EQ(StepComments("2*x^2-2"), (std::vector<int>{45, 73}));
    // The product of the formula is merged into the product of the number within its own step.
    EXPECT_EQ(StepFormulas(*Solve(ProblemKind::Factorise, "2*x^2-8")),
              (std::vector<std::string>{"2.x^2-8=", "=2.(x^2-4)=", "=2.(x-2).(x+2)"}));
    EXPECT_EQ(StepFormulas(*Solve(ProblemKind::FactoriseCompletely, "x^8-1")),
              (std::vector<std::string>{"x^8-1=", "=(x^4-1).(x^4+1)=", "=(x^2-1).(x^2+1).(x^4+1)=",
                                        "=(x-1).(x+1).(x^2+1).(x^4+1)"}));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "2*x^2-2")), "2.(x-1).(x+1)");
}

TEST(FactorisationSteps, NothingToSplit) {
    for (const char* problem : {"x^2+x+1", "x^2+y^2", "x^3", "x+1", "{1}/{x}+1", "x^4+1"}) {
        SCOPED_TRACE(problem);
        const std::unique_ptr<COutputList> solution = Solve(ProblemKind::Factorise, problem);
        EXPECT_TRUE(HasComment(*solution, kNothingFound));
        EXPECT_EQ(CheckValues(problem, *solution), "");
    }
    // A constant, also one that the collecting makes, is its own answer.
    EXPECT_FALSE(HasComment(*Solve(ProblemKind::Factorise, "5"), kNothingFound));
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::FactoriseCompletely, "x^2-x^2")), "0");
}

// A number past its limit in one group: the common factor the search found no longer divides the
// groups, and the factoriser once went on with a quotient that did not exist.
TEST(FactorisationSteps, GroupsPastTheNumberLimitEndAsTooLarge) {
    for (const ProblemKind kind : {ProblemKind::Factorise, ProblemKind::FactoriseCompletely}) {
        const std::vector<int> ids = Comments(kind, "2*x*Z-2^{99999}*c*t*x^2*X");
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.back(), ToNumber(CommentID::ErrorProblemTooLarge));
    }
}

TEST(FactorisationSteps, CompleteFactorisationRepeatsRounds) {
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::FactoriseCompletely, "x^4-1")), "(x-1).(x+1).(x^2+1)");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::FactoriseCompletely, "x^3-3*x+2")), "(x-1)^2.(x+2)");
}

// Complete factorisation of products and powers: each factor (the base of a power) is split again,
// signs taken out of bases under odd exponents go in front, equal bases are merged, and a zero
// factor makes the whole 0. One factorisation pass leaves a product alone (CommentID::NothingToFactorise).
TEST(CompleteFactorisation, SplitsTheFactorsOfProductsAndPowers) {
    const std::pair<const char*, const char*> cases[] = {
        {"(x^2-1)*(x^2-4)", "(x-1).(x+1).(x-2).(x+2)"},
        {"(x^2-1)^2", "(x-1)^2.(x+1)^2"},
        {"x*(x^4-1)", "x.(x-1).(x+1).(x^2+1)"},
        {"(x^2-2*x+1)*(x-1)", "(x-1)^3"},
    };
    for (const auto& [problem, answer] : cases) {
        SCOPED_TRACE(problem);
        const std::unique_ptr<COutputList> solution = Solve(ProblemKind::FactoriseCompletely, problem);
        EXPECT_EQ(AnswerFormula(*solution), answer);
        EXPECT_EQ(CheckValues(problem, *solution), "");
        EXPECT_TRUE(HasComment(*Solve(ProblemKind::Factorise, problem), kNothingFound));
    }
    for (const char* problem : {"(1-x^2)^3", "-(x^2-1)*(4-x^2)", "(x-x)*(x+1)", "(2-2*x)*(x^2-1)"}) {
        SCOPED_TRACE(problem);
        const std::unique_ptr<COutputList> solution = Solve(ProblemKind::FactoriseCompletely, problem);
        EXPECT_FALSE(AnswerFormula(*solution).empty());
        EXPECT_EQ(CheckValues(problem, *solution), "");
    }
}

// --- complete factorisation against an independent test ----------------------------------------

// Random products of linear factors q*x - r and quadratics without rational roots, degree up to 6
// and coefficients up to 100: the answer's factors are linear or quadratic, no quadratic one has a
// rational root (its discriminant is no square), and they multiply back to the problem.
TEST(CompleteFactorisation, ReachesTheIrreducibleFactorsOfRandomProducts) {
    std::mt19937 random(12);
    int checked = 0;
    for (int attempt = 0; attempt < 400 && checked < 60; ++attempt) {
        std::vector<std::string> factors;
        CPolynomValue product(1);
        const auto x = static_cast<unsigned char>('x');
        int degree = 0;
        int used = 0;
        const int count = 2 + static_cast<int>(random() % 3);
        for (int i = 0; i < count && degree < 6; ++i) {
            CPolynomValue factor;
            if (random() % 2 == 0) {
                const int q = 1 + static_cast<int>(random() % 3);
                const int r = static_cast<int>(random() % 7) - 3;
                factor = CPolynomValue::Letter(x).Scaled(CNumber(q)).Sum(CPolynomValue(-r));
                degree += 1;
            } else {
                const int b = static_cast<int>(random() % 7) - 3;
                const int c = 1 + static_cast<int>(random() % 6);
                if (b * b - 4 * c >= 0) {
                    continue;
                }
                factor = CPolynomValue::Letter(x, 2)
                             .Sum(CPolynomValue::Letter(x).Scaled(CNumber(b)))
                             .Sum(CPolynomValue(c));
                degree += 2;
            }
            product = product.Product(factor);
            ++used;
        }
        bool small = used >= 2 && product.DegreeIn(x) >= 2 && product.DegreeIn(x) <= 6;
        for (const PolynomTerm& term : product.Terms()) {
            small = small && term.coefficient.LessEqual(100) && term.coefficient.GreaterEqual(-100);
        }
        if (!small) {
            continue;
        }
        ++checked;
        const std::string problem = COPolynom::FromValue(product)->ToText();
        SCOPED_TRACE(problem);
        const std::unique_ptr<COutputList> solution = Solve(ProblemKind::FactoriseCompletely, problem);
        const std::string answer = AnswerFormula(*solution);
        ASSERT_FALSE(answer.empty());
        EXPECT_EQ(CheckValues(problem, *solution), "");
        for (const std::string& factor : TopLevelFactors(answer)) {
            const std::unique_ptr<COPolynom> polynom = ReadPolynom(BaseOfFactor(factor));
            ASSERT_NE(polynom, nullptr) << factor << " of " << answer;
            const CPolynomValue value = polynom->Value();
            const std::int64_t d = value.DegreeIn(x);
            EXPECT_LE(d, 2) << "factor " << factor << " of " << answer;
            if (d == 2) {
                const CNumber a = value.ValueAt(x, CNumber(0));
                const CNumber plusOne = value.ValueAt(x, CNumber(1));
                const CNumber minusOne = value.ValueAt(x, CNumber(-1));
                // p = A x^2 + B x + C from three values; B^2 - 4AC must not be a square.
                const CNumber leading =
                    plusOne.Sum(minusOne).Difference(a.Product(CNumber(2))).Quotient(CNumber(2));
                const CNumber middle = plusOne.Difference(minusOne).Quotient(CNumber(2));
                const CNumber discriminant =
                    middle.Product(middle).Difference(leading.Product(a).Product(CNumber(4)));
                EXPECT_FALSE(discriminant.ExactRoot(2).has_value()) << "factor " << factor << " splits";
            }
        }
    }
    EXPECT_GE(checked, 40);
}

// --- sums of products of brackets ----------------------------------------------------------------

// Whole solutions of sums whose terms are products of powers of brackets: common brackets with and
// without numbers, powers of a common bracket, brackets split by their gcd first, opposite brackets,
// groups that are like powers or share a bracket.
TEST(SumsOfProducts, WholeSolutionsOfBothKindsKeepTheValue) {
    for (const FactorisationProblem& item : kSumsOfProductsSuite) {
        const char* problem = item.problem;
        SCOPED_TRACE(problem);
        ExpectFactorisedKeepingTheValue(problem);
        ExpectFactorisedCompletely(problem);
    }
}

// --- every technique on problems times a number ------------------------------------------------------

// The terms of a text at bracket depth 0, each with its sign: "x*(a-b)-2*y" -> (+, "x*(a-b)"),
// (-, "2*y").
std::vector<std::pair<int, std::string>> TopLevelTerms(const std::string& text) {
    std::vector<std::pair<int, std::string>> terms;
    int depth = 0;
    int sign = 1;
    std::string current;
    for (const char c : text) {
        depth += (c == '(' || c == '{') ? 1 : (c == ')' || c == '}') ? -1 : 0;
        const bool previousIsOperator = !current.empty() && (current.back() == '^' || current.back() == '*');
        if (depth == 0 && (c == '+' || c == '-') && !previousIsOperator) {
            if (!current.empty()) {
                terms.emplace_back(sign, current);
            }
            sign = c == '-' ? -1 : 1;
            current.clear();
        } else {
            current += c;
        }
    }
    terms.emplace_back(sign, current);
    return terms;
}

// The problem times the number numerator/denominator: a polynomial as the polynomial with its
// coefficients scaled, a sum of products of brackets term by term ("-3*x*(x+1)-3*2*(x+1)").
std::string ScaledProblem(const std::string& problem, int numerator, int denominator) {
    CNumber factor{CLongInteger(numerator), CLongInteger(denominator)};
    factor.Normalize();
    if (const std::unique_ptr<COPolynom> polynom = ReadPolynom(problem);
        polynom && problem.find('(') == std::string::npos) {
        return COPolynom::FromValue(polynom->Value().Scaled(factor))->ToText();
    }
    std::string magnitude = std::to_string(std::abs(numerator));
    if (denominator != 1) {
        magnitude += "/" + std::to_string(denominator);
    }
    std::string scaled;
    for (const auto& [sign, term] : TopLevelTerms(problem)) {
        scaled += sign * numerator < 0 ? "-" : (scaled.empty() ? "" : "+");
        scaled += magnitude == "1" ? term : magnitude + "*" + term;
    }
    return scaled;
}

// The number of factors of a kind-2 answer that are no constants, each counted with its exponent.
int VariableFactorCount(const std::string& answer) {
    int count = 0;
    for (const std::string& factor : TopLevelFactors(answer)) {
        const std::unique_ptr<COPolynom> polynom = ReadPolynom(BaseOfFactor(factor));
        if (!polynom || !polynom->IsConstant()) {
            count += factor.find(")^") == std::string::npos ? 1 : 2;
        }
    }
    return count;
}

class ScaledFactorisation : public ::testing::TestWithParam<FactorisationProblem> {};

// Every problem of every technique times -1, -3, 2 and 1/2: both kinds keep the value in every
// recorded line and no factor of a kind-2 answer splits again. Kind 1 still ends with a product,
// unless the problem's only factor besides a number was that number (2x + 4 times 1/2 is x + 2):
// then it ends with nothing found, every line still keeping the value.
TEST_P(ScaledFactorisation, KeepsTheValueOfEveryLine) {
    const std::string original = GetParam().problem;
    const bool oneFactor =
        VariableFactorCount(AnswerFormula(*Solve(ProblemKind::FactoriseCompletely, original))) <= 1;
    const std::pair<int, int> factors[] = {{-1, 1}, {-3, 1}, {2, 1}, {1, 2}};
    for (const auto& [numerator, denominator] : factors) {
        const std::string problem = ScaledProblem(original, numerator, denominator);
        SCOPED_TRACE(problem + " (" + GetParam().topic + ")");
        const std::unique_ptr<COutputList> once = Solve(ProblemKind::Factorise, problem);
        const std::unique_ptr<COutputList> fully = Solve(ProblemKind::FactoriseCompletely, problem);
        if (oneFactor && HasComment(*once, kNothingFound)) {
            EXPECT_EQ(CheckValues(problem, *once), "");
            EXPECT_EQ(CheckValues(problem, *fully), "");
            EXPECT_TRUE(HasComment(*fully, kNothingFound));
            continue;
        }
        ExpectFactorisedKeepingTheValue(problem);
        ExpectFactorisedCompletely(problem);
    }
}

INSTANTIATE_TEST_SUITE_P(SchoolProblems, ScaledFactorisation, ::testing::ValuesIn(kFactorisationSuite));
INSTANTIATE_TEST_SUITE_P(SumsOfProducts, ScaledFactorisation, ::testing::ValuesIn(kSumsOfProductsSuite));

// Two negative terms completed to a difference of squares: the minus goes in front first, so every
// line keeps the value; a negated product inside a product of numbers or brackets goes in front of
// the whole, so complete factorisation still reaches its factors.
TEST(ScaledFactorisation, NegatedProblemsKeepTheirSignsAndSplits) {
    using C = CommentID;
    EXPECT_EQ(StepComments("-x^4-4"), Ids({C::OppositeLikeTermsInserted, C::TermsReordered, C::TermsGrouped,
                                           C::SquareOfSum, C::DifferenceOfSquares}));
    EXPECT_EQ(StepFormulas(*Solve(ProblemKind::Factorise, "-x^4-4"))[1], "=-(x^4+4)=");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "-x^4-4")), "-(x^2+2.x+2).(x^2-2.x+2)");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "-8*y^4-2")), "-2.(2.y^2+2.y+1).(2.y^2-2.y+1)");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::FactoriseCompletely, "-3*x^6-81")),
              "-3.(x^2+3).(x^2-3.x+3).(x^2+3.x+3)");
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::FactoriseCompletely, "-3*x^5-x^4-12*x-4")),
              "-(3.x+1).(x^2+2.x+2).(x^2-2.x+2)");
    // A product of a number and a fraction's numerator: the number in front, as a fraction.
    EXPECT_EQ(AnswerFormula(*Solve(ProblemKind::Factorise, "1/2*(x+1)^2-1/2")), "{1/2}.x.(x+2)");
}

TEST(ScaledFactorisation, ScalesPolynomialsAndSumsOfProducts) {
    EXPECT_EQ(ScaledProblem("x^4+4", -1, 1), "-x^4-4");
    EXPECT_EQ(ScaledProblem("x*(a-b)+y*(b-a)", -3, 1), "-3*x*(a-b)-3*y*(b-a)");
    EXPECT_EQ(ScaledProblem("-(x+1)*(x-1)-(x+1)*(x+3)", 1, 2), "-1/2*(x+1)*(x-1)-1/2*(x+1)*(x+3)");
}

// --- complete factorisation in two letters -------------------------------------------------------

// Random products of two linear factors a*x + b*y + c, or of three a*x + b*y: the complete factorisation
// keeps the value, reaches factors of total degree at most 1, and as many of them (with their exponents) as
// the product was built from.
TEST(CompleteFactorisation, SplitsRandomProductsOfLinearFactorsInTwoLetters) {
    std::mt19937 random(7);
    const auto x = static_cast<unsigned char>('x');
    const auto y = static_cast<unsigned char>('y');
    for (int round = 0; round < 40; ++round) {
        CPolynomValue product(1);
        // Three factors only without constant terms: the homogeneous cubics of school books.
        const bool homogeneous = random() % 2 == 0;
        const int count = homogeneous ? 2 + static_cast<int>(random() % 2) : 2;
        for (int i = 0; i < count; ++i) {
            const int a = 1 + static_cast<int>(random() % 3);
            const int b = static_cast<int>(random() % 7) - 3;
            const int c = homogeneous ? 0 : static_cast<int>(random() % 7) - 3;
            const CPolynomValue factor = CPolynomValue::Letter(x)
                                             .Scaled(CNumber(a))
                                             .Sum(CPolynomValue::Letter(y).Scaled(CNumber(b == 0 ? 1 : b)))
                                             .Sum(CPolynomValue(c));
            product = product.Product(factor);
        }
        const std::string problem = COPolynom::FromValue(product)->ToText();
        SCOPED_TRACE(problem);
        const std::string answer = ExpectFactorisedCompletely(problem);
        std::int64_t degrees = 0;
        for (const std::string& factor : TopLevelFactors(answer)) {
            const std::unique_ptr<COPolynom> polynom = ReadPolynom(BaseOfFactor(factor));
            ASSERT_NE(polynom, nullptr) << factor << " of " << answer;
            const std::int64_t degree = polynom->Value().TotalDegree();
            EXPECT_LE(degree, 1) << "factor " << factor << " of " << answer;
            const std::size_t caret = factor.rfind(")^");
            degrees += degree * (caret == std::string::npos ? 1 : std::stoll(factor.substr(caret + 2)));
        }
        EXPECT_EQ(degrees, count) << answer;
    }
}

// --- limits ------------------------------------------------------------------------------------

TEST(FactorisationLimits, DegreeTwelveWithLargeCoefficientsEndsQuicklyWithNothingFound) {
    const std::string problem = "x^12+982451653*x^7-7919*x^5+104729*x^2-1000000007*x+999999937";
    for (const ProblemKind kind : {ProblemKind::Factorise, ProblemKind::FactoriseCompletely}) {
        // Processor time of this thread, so that a busy machine does not fail the test.
        const std::clock_t start = std::clock();
        const std::unique_ptr<COutputList> solution = Solve(kind, problem);
        const double milliseconds = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        EXPECT_TRUE(HasComment(*solution, kNothingFound));
        EXPECT_LT(milliseconds, 100.0);
    }
}

TEST(FactorisationLimits, NonPolynomialInputEndsWithAnAnswerOrNothingFound) {
    for (const char* problem : {"{x+1}/{x-1}+1", "x:(x+1)-1", "(x+1)^2-1", "x^{-2}+1", "x^{100}-1", "2^x"}) {
        for (const ProblemKind kind : {ProblemKind::Factorise, ProblemKind::FactoriseCompletely}) {
            SCOPED_TRACE(problem);
            const std::unique_ptr<COutputList> solution = Solve(kind, problem);
            ASSERT_FALSE(solution->IsEmpty());
            const bool answered = !AnswerFormula(*solution).empty();
            const std::vector<int> ids = CommentIds(*solution);
            EXPECT_TRUE(answered || HasComment(*solution, kNothingFound) || ids.back() == 27);
        }
    }
}

} // namespace
