// Random expressions of the shapes school problems take, simplified whole: every recorded formula
// must keep the value of the problem, and a finished solution must end in a reduced fraction.

#include "SimplificationTestSupport.h"

#include "model/COperation.h"

#include <gtest/gtest.h>
#include <random>

namespace {

class ExpressionMaker {
public:
    explicit ExpressionMaker(unsigned seed) : m_random(seed) {}

    // sum = term {("+"|"-") term}; term = factor {("*"|":"|"/") factor}; factor = operand ["^" n]
    std::string Sum(int depth) {
        std::string text = Term(depth);
        const int terms = Pick(0, depth > 1 ? 1 : 2);
        for (int i = 0; i < terms; ++i) {
            text += Pick(0, 1) ? "+" : "-";
            text += Term(depth);
        }
        return text;
    }

private:
    std::string Term(int depth) {
        std::string text = Factor(depth);
        const int factors = Pick(0, 1);
        for (int i = 0; i < factors; ++i) {
            static const char* signs[] = {"*", ":", "/"};
            text += signs[Pick(0, 2)];
            text += Factor(depth);
        }
        return text;
    }

    std::string Factor(int depth) {
        std::string text = Operand(depth);
        if (Pick(0, 5) != 0) {
            return text;
        }
        // Exponents stand in braces: x^0/6 would read 0/6 as one fraction literal.
        static const char* exponents[] = {"{2}", "{-1}", "{-1}", "{-2}", "{0}"};
        std::string power = "(";
        power += text;
        power += ")^";
        power += exponents[Pick(0, 4)];
        return power;
    }

    std::string Operand(int depth) {
        const int kind = Pick(0, depth > 0 ? 4 : 2);
        switch (kind) {
        case 0:
            return std::to_string(Pick(1, 6));
        case 1:
            return Pick(0, 2) ? "x" : "y";
        case 2:
            return Pick(0, 1) ? std::string("x") : std::to_string(Pick(2, 3)).append("*x");
        default: {
            std::string group = "(";
            group += Sum(depth - 1);
            group += ")";
            return group;
        }
        }
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937 m_random;
};

TEST(SimplifyRandomExpressions, EveryStepKeepsTheValue) {
    ExpressionMaker maker(20261207);
    int finished = 0;
    int undefined = 0;
    for (int i = 0; i < 250; ++i) {
        const std::string problem = maker.Sum(2);
        SCOPED_TRACE(problem);
        // A problem without a value must end with the division-by-zero error and claim no value on
        // the way; one with a value must be answered.
        bool isUndefined = false;
        EXPECT_EQ(JudgeSimplification(problem, isUndefined), "");
        (isUndefined ? undefined : finished) += 1;
    }
    EXPECT_GT(finished, 200);
}

} // namespace
