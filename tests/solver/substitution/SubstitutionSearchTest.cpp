#include "solver/substitution/SubstitutionSearch.h"
#include "SubstitutionTestSupport.h"
#include "solver/substitution/TreePolynomial.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

struct FoundCase {
    const char* left;
    char unknown;
    const char* expression; // the chosen expression, as written by the tree
    char letter;
};

TEST(FindRepeatedSubstitution, ChoosesTheLargestFaithfulExpression) {
    const FoundCase cases[] = {
        // generator 1: a repeated run of a sum
        {"(x^2-16*x)^2-2*(x^2-16*x)-63", 'x', "x^2-16*x", 't'},
        // generator 1 with q = 3: t stands for the cube, not for x - 2
        {"(x-2)^6-26*(x-2)^3-27", 'x', "(x-2)^3", 't'},
        {"(x+1)^6+20-9*(x+1)^3", 'x', "(x+1)^3", 't'},
        {"(y^2+3*y)^2+(y^2+3*y)*2-8", 'y', "y^2+3*y", 't'},
        // the unknown t takes the letter z
        {"(t^2+t)^2-8*(t^2+t)+12", 't', "t^2+t", 'z'},
        // a run found inside a longer sum, in another order
        {"(x^2+x)^2-5*x-5*x^2+6", 'x', "x^2+x", 't'},
        // generator 2: the pair -2x^2 + 32x is -2(x^2 - 16x)
        {"(x^2-16*x)^2-2*x^2+32*x-63", 'x', "x^2-16*x", 't'},
        // the shared run x^2 + x, not the sums that differ by 1
        {"(x^2+x+1)*(x^2+x+2)-12", 'x', "x^2+x", 't'},
        // large against the equation, but occurring twice
        {"(x^2-5*x)^3+(x^2-5*x)^2-2", 'x', "x^2-5*x", 't'},
        // generator 4: a fraction and its reciprocal
        {"x/(x+1)+(x+1)/x-5/2", 'x', "x/(x+1)", 't'},
    };
    for (const FoundCase& c : cases) {
        SCOPED_TRACE(c.left);
        NodePtr left = LeftSideOf(std::string(c.left) + "=0");
        ASSERT_NE(left, nullptr);
        std::unique_ptr<Substitution> found = FindRepeatedSubstitution(*left, c.unknown);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->letter, c.letter);
        EXPECT_EQ(found->secondExpression, nullptr);
        // The expression is compared through its polynomial or text, not its build form.
        NodePtr wanted = LeftSideOf(std::string(c.expression) + "=0");
        std::optional<CPolynomValue> wantedValue = PolynomialOf(*wanted);
        std::optional<CPolynomValue> foundValue = PolynomialOf(*found->expression);
        if (wantedValue && foundValue) {
            EXPECT_TRUE(*wantedValue == *foundValue) << found->expression->ToText();
        } else {
            EXPECT_EQ(found->expression->ToText(), wanted->ToText());
        }
        EXPECT_EQ(SubstitutionMismatch(c.left, *found, c.unknown), "");
    }
}

TEST(FindRepeatedSubstitution, RefusesWhatASubstitutionDoesNotReduce) {
    const char* const lefts[] = {
        "x^4-5*x^2+4",         // only the letter itself repeats: left to the biquadratic test
        "(x+1)^2-3*(x+1)+2",   // t = x + 1 does not lower the degree
        "x^3+x+1",             // nothing repeats
        "(x^2+1)^2-x",         // the unknown stays beside the letter
        "(x^2+x)*3+(x^2+x)*2", // degree 1 in the letter
        "x/(x+1)+3",           // the letter would occur once
    };
    for (const char* text : lefts) {
        SCOPED_TRACE(text);
        NodePtr left = LeftSideOf(std::string(text) + "=0");
        ASSERT_NE(left, nullptr);
        EXPECT_EQ(FindRepeatedSubstitution(*left, 'x'), nullptr);
    }
}

TEST(FindSubstitutionCandidates, EveryCandidateIsFaithful) {
    const char* const lefts[] = {"(x-2)^6-26*(x-2)^3-27", "(x^2-5*x)^3+(x^2-5*x)^2-2",
                                 "(2*x+1)^4-10*(2*x+1)^2+9", "(x^2+x+1)*(x^2+x+2)-12"};
    for (const char* text : lefts) {
        SCOPED_TRACE(text);
        NodePtr left = LeftSideOf(std::string(text) + "=0");
        ReplacementList candidates = FindSubstitutionCandidates(*left, 'x');
        EXPECT_FALSE(candidates.empty());
        for (const ReplacementStruct& candidate : candidates) {
            EXPECT_EQ(SubstitutionMismatch(text, *candidate.substitution, 'x'), "");
        }
    }
}

TEST(FindSubstitutionCandidates, BoundedOnLargeEquations) {
    std::string text = "x";
    for (int i = 0; i < 300; ++i) {
        text += "+(x^2+" + std::to_string(i) + ")^2";
    }
    NodePtr left = LeftSideOf(text + "=0");
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(FindSubstitutionCandidates(*left, 'x').size() <= SubstitutionLimits::kMaxCandidates);
}

// Just under the size bound, a sum of 120 fractions has 7,000 runs to try, each against the whole
// equation; the work bound of the search stops it after a small part of them.
TEST(FindSubstitutionCandidates, WorkOnALongSumIsBounded) {
    std::string text = "1/(x+1)";
    for (int i = 2; i <= 120; ++i) {
        text += "+1/(x+" + std::to_string(i) + ")";
    }
    NodePtr left = LeftSideOf(text + "-1=0");
    ASSERT_NE(left, nullptr);
    const std::clock_t start = std::clock();
    EXPECT_TRUE(FindSubstitutionCandidates(*left, 'x').empty());
    EXPECT_EQ(FindTwoLetterCandidate(*left, 'x'), nullptr);
    const double milliseconds = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
#ifdef __SANITIZE_ADDRESS__
    EXPECT_LT(milliseconds, 3'000.0);
#else
    EXPECT_LT(milliseconds, 300.0);
#endif
}

TEST(SubstitutionSize, LargestNumberPlusOperations) {
    EXPECT_EQ(SubstitutionSize(*LeftSideOf("(x-2)^3=0")), 3 + 2);
    EXPECT_EQ(SubstitutionSize(*LeftSideOf("x^2-16*x+7=0")), 16 + 1 + 2 + 1);
    EXPECT_EQ(SubstitutionSize(*LeftSideOf("x=0")), 0);
}

TEST(NewLetters, AvoidTheUnknown) {
    EXPECT_EQ(NewLetterFor('x'), 't');
    EXPECT_EQ(NewLetterFor('t'), 'z');
    EXPECT_EQ(FirstPairLetterFor('x'), 'A');
    EXPECT_EQ(SecondPairLetterFor('x'), 'B');
    EXPECT_EQ(FirstPairLetterFor('B'), 'X');
    EXPECT_EQ(SecondPairLetterFor('A'), 'Y');
}

} // namespace

namespace {

TEST(FindTwoLetterCandidate, HomogeneousInTwoOccurringExpressions) {
    struct Case {
        const char* left;
        char unknown;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"(x^2+1)^2-5*x*(x^2+1)+6*x^2", 'x', "x^2+1", "x"},
        {"2*(x-1)^4-5*(x-1)^2*(x+1)^2+2*(x+1)^4", 'x', "x-1", "x+1"},
        {"(A^2+A+1)^2-3*A^2", 'A', "A^2+A+1", "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        NodePtr left = LeftSideOf(std::string(c.left) + "=0");
        std::unique_ptr<Substitution> found = FindTwoLetterCandidate(*left, c.unknown);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->expression->ToText(), c.first);
        EXPECT_EQ(found->secondExpression->ToText(), c.second);
        EXPECT_EQ(found->letter, FirstPairLetterFor(c.unknown));
        EXPECT_EQ(found->secondLetter, SecondPairLetterFor(c.unknown));
        // The rewritten equation at A = first(x), B = second(x) is the left side.
        for (const Point& point : SamplePoints(std::string(1, c.unknown), 3)) {
            std::optional<CNumber> a = EvaluateFormula(c.first, point);
            std::optional<CNumber> b = EvaluateFormula(c.second, point);
            std::optional<CNumber> expected = EvaluateFormula(c.left, point);
            std::optional<CNumber> actual = EvaluateFormula(
                found->equation->ToText(), Point{{found->letter, *a}, {found->secondLetter, *b}});
            ASSERT_TRUE(actual && expected);
            EXPECT_TRUE(actual->Equal(*expected));
        }
    }
    const char* const refused[] = {"(x^2+1)^2-5*x*(x^2+1)+6*x", "x^4+x^2+1", "(x+1)^2-4*(x+1)"};
    for (const char* text : refused) {
        EXPECT_EQ(FindTwoLetterCandidate(*LeftSideOf(std::string(text) + "=0"), 'x'), nullptr) << text;
    }
}

} // namespace
