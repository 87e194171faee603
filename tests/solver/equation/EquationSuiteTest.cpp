// A suite of school equations, each solved through the dispatcher and checked by computations of
// the test's own: the answer must be exactly the expected set of real roots, every answered root
// must satisfy the problem (exactly when rational, to 28 digits when written with roots), and every
// line of the main chain must keep the problem's solutions at the roots and at rational points.

#include "tests/support/EquationSuite.h"
#include "EquationTestSupport.h"
#include "solver/simplify/SimplificationTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

std::string QuadText(Quad value) {
    return std::to_string(static_cast<long double>(value));
}

// The letters of a formula, commands ("!sq2", "!cross", ...) left out.
std::set<char> Letters(const std::string& text) {
    std::set<char> letters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '!') {
            while (i + 1 < text.size() && std::isalnum(static_cast<unsigned char>(text[i + 1]))) {
                ++i;
            }
        } else if (std::isalpha(static_cast<unsigned char>(text[i]))) {
            letters.insert(text[i]);
        }
    }
    return letters;
}

// The value of a root text: exact when it is a rational number.
struct RootValue {
    std::optional<CNumber> exact;
    Quad approximate = 0;
};

RootValue ReadRoot(const std::string& text) {
    RootValue root;
    root.exact = EvaluateFormula(text, Point{});
    const std::optional<Quad> value = QuadValue(text, 0, 0);
    EXPECT_TRUE(value.has_value()) << "root text " << text;
    root.approximate = value.value_or(0);
    return root;
}

// The relation holds at the root: exactly for a rational root; otherwise to 28 digits. None when
// a side is not defined there.
std::optional<bool> HoldsAt(const std::string& relation, char letter, const RootValue& root) {
    const auto sides = SplitRelation(relation);
    if (!sides) {
        return std::nullopt;
    }
    if (root.exact) {
        const Point point{{letter, *root.exact}};
        const std::optional<CNumber> left = EvaluateFormula(sides->first, point);
        const std::optional<CNumber> right = EvaluateFormula(sides->second, point);
        if (!left || !right) {
            return std::nullopt;
        }
        return left->Equal(*right);
    }
    const std::optional<Quad> left = QuadValue(sides->first, letter, root.approximate);
    const std::optional<Quad> right = QuadValue(sides->second, letter, root.approximate);
    if (!left || !right) {
        return std::nullopt;
    }
    return NearlyEqual(*left, *right);
}

std::optional<bool> HoldsAtPoint(const std::string& relation, const Point& point) {
    const auto sides = SplitRelation(relation);
    const std::optional<CNumber> left = EvaluateFormula(sides->first, point);
    const std::optional<CNumber> right = EvaluateFormula(sides->second, point);
    if (!left || !right) {
        return std::nullopt;
    }
    return left->Equal(*right);
}

// The values answered are the expected ones, in ascending order.
void ExpectValues(const std::vector<std::string>& answered, const std::vector<std::string>& expectedValues) {
    ASSERT_EQ(answered.size(), expectedValues.size());
    std::vector<bool> matched(expectedValues.size(), false);
    Quad previous = 0;
    for (const std::string& text : answered) {
        const Quad value = ReadRoot(text).approximate;
        EXPECT_TRUE(&text == &answered.front() || previous < value) << "not ascending at " << text;
        previous = value;
        bool found = false;
        for (std::size_t i = 0; i < expectedValues.size() && !found; ++i) {
            const std::optional<Quad> expected = QuadValue(expectedValues[i], 0, 0);
            if (!matched[i] && expected && NearlyEqual(value, *expected)) {
                matched[i] = found = true;
            }
        }
        EXPECT_TRUE(found) << "unexpected value " << text << " = " << QuadText(value);
    }
}

// Every number except the answered values: the problem is undefined at each of them and holds at
// every rational point where it is defined.
void ExpectEveryNumberExcept(const EquationCase& c, const EquationAnswer& answer) {
    for (const std::string& text : answer.excluded) {
        EXPECT_FALSE(HoldsAt(c.problem, c.letter, ReadRoot(text)).has_value()) << "excluded " << text;
    }
    int defined = 0;
    for (const Point& point : SamplePoints(std::string(1, c.letter), 12)) {
        if (const std::optional<bool> holds = HoldsAtPoint(c.problem, point)) {
            EXPECT_TRUE(*holds) << "at " << point.begin()->second.ToText();
            ++defined;
        }
    }
    EXPECT_GT(defined, 0);
}

void ExpectAnswer(const EquationCase& c, const EquationAnswer& answer) {
    EXPECT_EQ(answer.unsolved, c.expect == Expect::Unsolved);
    EXPECT_EQ(answer.every, c.expect == Expect::Every || c.expect == Expect::EveryExcept);
    EXPECT_EQ(answer.none, c.expect == Expect::None);
    if (c.expect == Expect::EveryExcept) {
        ExpectValues(answer.excluded, c.roots);
        ExpectEveryNumberExcept(c, answer);
    } else {
        EXPECT_TRUE(answer.excluded.empty());
    }
    if (c.expect != Expect::Roots) {
        EXPECT_TRUE(answer.roots.empty());
        return;
    }
    ExpectValues(answer.roots, c.roots);
}

// Every answered root satisfies the problem and every line of the main chain.
void ExpectRootsSatisfy(const EquationCase& c, const EquationAnswer& answer,
                        const std::vector<std::string>& chain) {
    for (const std::string& text : answer.roots) {
        const RootValue root = ReadRoot(text);
        EXPECT_EQ(HoldsAt(c.problem, c.letter, root), std::optional<bool>(true)) << "root " << text;
        for (const std::string& line : chain) {
            if (!SplitRelation(line) || Letters(line) != std::set<char>{c.letter}) {
                continue;
            }
            const std::optional<bool> holds = HoldsAt(line, c.letter, root);
            EXPECT_NE(holds, std::optional<bool>(false)) << "root " << text << " fails the line " << line;
        }
    }
}

// At rational points, every line of the main chain holds exactly where the problem holds.
void ExpectChainKeepsSolutions(const EquationCase& c, const std::vector<std::string>& chain) {
    for (const Point& point : SamplePoints(std::string(1, c.letter), 6)) {
        const std::optional<bool> problem = HoldsAtPoint(c.problem, point);
        if (!problem) {
            continue;
        }
        for (const std::string& line : chain) {
            const std::set<char> letters = Letters(line);
            if (!SplitRelation(line) || letters.size() > 1 ||
                (letters.size() == 1 && *letters.begin() != c.letter)) {
                continue;
            }
            const std::optional<bool> holds = HoldsAtPoint(line, point);
            if (holds) {
                EXPECT_EQ(*holds, *problem) << "line " << line << " at " << point.begin()->second.ToText();
            }
        }
    }
}

TEST(EquationSuite, EveryEquationHasExactlyItsRealRoots) {
    for (const EquationCase& c : EquationSuiteCases()) {
        SCOPED_TRACE(c.problem);
        const auto solution = SolveEquationText(c.problem);
        const EquationAnswer answer = ReadAnswer(*solution, c.letter);
        ExpectAnswer(c, answer);
        const std::vector<std::string> chain = MainChain(*solution);
        ExpectRootsSatisfy(c, answer, chain);
        ExpectChainKeepsSolutions(c, chain);
    }
}

} // namespace

namespace {

// "c_n*x^n+...+c_0" for integer coefficients, highest power first, zero terms left out.
std::string PolynomialText(const std::vector<long>& coefficients) {
    std::string text;
    const std::size_t degree = coefficients.size() - 1;
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        const long c = coefficients[i];
        const std::size_t power = degree - i;
        if (c == 0) {
            continue;
        }
        text += c < 0 ? "-" : (text.empty() ? "" : "+");
        const long magnitude = c < 0 ? -c : c;
        if (magnitude != 1 || power == 0) {
            text += std::to_string(magnitude) + (power > 0 ? "*" : "");
        }
        if (power > 0) {
            text += power == 1 ? "x" : "x^" + std::to_string(power);
        }
    }
    return text.empty() ? "0" : text;
}

// k·(x - r1)·...·(x - rn) multiplied out.
std::vector<long> FromRoots(long k, const std::vector<long>& roots) {
    std::vector<long> coefficients{k};
    for (long r : roots) {
        std::vector<long> next(coefficients.size() + 1, 0);
        for (std::size_t i = 0; i < coefficients.size(); ++i) {
            next[i] += coefficients[i];
            next[i + 1] -= r * coefficients[i];
        }
        coefficients = next;
    }
    return coefficients;
}

// Polynomials with random integer roots (some repeated), multiplied out by the test: the solver
// must find exactly the distinct roots, whatever technique it takes.
TEST(EquationSuite, MultipliedOutPolynomialsGiveBackTheirRoots) {
    unsigned state = 12345;
    auto next = [&state](int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<long>((state >> 16) % static_cast<unsigned>(2 * range + 1)) - range;
    };
    for (int trial = 0; trial < 60; ++trial) {
        const int degree = 1 + trial % 3;
        std::vector<long> roots;
        for (int i = 0; i < degree; ++i) {
            roots.push_back(next(6));
        }
        long k = next(3);
        if (k == 0) {
            k = 2;
        }
        const std::string problem = PolynomialText(FromRoots(k, roots)) + "=0";
        SCOPED_TRACE(problem);
        const EquationAnswer answer = ReadAnswer(*SolveEquationText(problem), 'x');
        std::set<long> expected(roots.begin(), roots.end());
        std::set<long> found;
        for (const std::string& text : answer.roots) {
            const std::optional<CNumber> value = EvaluateFormula(text, Point{});
            ASSERT_TRUE(value && value->IsWhole()) << text;
            found.insert(std::stol(value->ToText()));
        }
        EXPECT_EQ(found, expected);
        EXPECT_EQ(answer.roots.size(), expected.size());
    }
}

} // namespace
