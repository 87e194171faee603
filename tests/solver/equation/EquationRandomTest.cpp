// Random equations built from small sums, products, quotients and powers: every solve must end
// with its answer block or with an error record, and every root it answers must satisfy the
// problem, checked by the test's own evaluation.

#include "EquationTestSupport.h"
#include "solver/simplify/SimplificationTestSupport.h"

#include "output/COutputRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RandomEquations {
public:
    explicit RandomEquations(unsigned seed) : m_state(seed) {}

    std::string Equation() { return Join({Expression(2), "=", Expression(2)}); }

private:
    int Next(int count) {
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<int>((m_state >> 16) % static_cast<unsigned>(count));
    }

    // Built by appending only: g++ 12 warns falsely (-Wrestrict) about some chains of operator+.
    static std::string Join(std::initializer_list<std::string> parts) {
        std::string text;
        for (const std::string& part : parts) {
            text.append(part);
        }
        return text;
    }

    std::string Leaf() {
        switch (Next(4)) {
        case 0:
            return std::to_string(1 + Next(9));
        case 1:
            return "x";
        default:
            return Join({"(x", Next(2) ? "+" : "-", std::to_string(1 + Next(5)), ")"});
        }
    }

    std::string Expression(int depth) {
        if (depth == 0) {
            return Leaf();
        }
        switch (Next(6)) {
        case 0:
            return Join({Expression(depth - 1), "+", Expression(depth - 1)});
        case 1:
            return Join({Expression(depth - 1), "-", Expression(depth - 1)});
        case 2:
            return Join({Expression(depth - 1), "*", Expression(depth - 1)});
        case 3:
            return Join({"(", Expression(depth - 1), ")/(", Expression(depth - 1), ")"});
        case 4:
            return Join({"(", Expression(depth - 1), ")^", "2"});
        default:
            return Leaf();
        }
    }

    unsigned m_state;
};

// The last record is the answer (line block kind 2) or an error comment (no line blocks, or the
// record of an error met while solving).
bool EndsProperly(const COutputList& solution) {
    if (solution.IsEmpty()) {
        return false;
    }
    const COutputRecord& last = *solution.Records().back();
    if (!last.lineBlocks.empty() && last.lineBlocks.back().kind == LineBlockKind::Answer) {
        return true;
    }
    const OutputBlockComment* comment = last.Blocks().front()->AsComment();
    return comment && ToNumber(comment->id) >= 24 && ToNumber(comment->id) <= 31;
}

TEST(EquationRandom, EverySolveEndsAndEveryRootSatisfiesTheProblem) {
    RandomEquations generator(2026);
    int answered = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const std::string problem = generator.Equation();
        SCOPED_TRACE(problem);
        const auto solution = SolveEquationText(problem);
        ASSERT_TRUE(EndsProperly(*solution));
        const EquationAnswer answer = ReadAnswer(*solution, 'x');
        answered += answer.unsolved ? 0 : 1;
        const auto sides = SplitRelation(problem);
        for (const std::string& root : answer.roots) {
            const std::optional<Quad> value = QuadValue(root, 0, 0);
            ASSERT_TRUE(value.has_value()) << root;
            const std::optional<Quad> left = QuadValue(sides->first, 'x', *value);
            const std::optional<Quad> right = QuadValue(sides->second, 'x', *value);
            ASSERT_TRUE(left && right) << "root " << root << " is outside the domain";
            EXPECT_TRUE(NearlyEqual(*left, *right, static_cast<Quad>(1e-20L))) << "root " << root;
        }
    }
    // Most of them get an answer (roots, no roots or every number); the rest end unsolved or with
    // an error record, which EndsProperly has checked.
    EXPECT_GT(answered, 200) << answered;
}

} // namespace
