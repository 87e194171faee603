// The substitution suite solved through the dispatcher: each answer checked against the problem by
// the test support's own evaluation (every answered root satisfies the equation to about 30
// digits; every sign change of left - right on a fine grid lies next to an answered root or a
// pole), and the substitution made or not made as the suite says.

#include "tests/support/SubstitutionSuite.h"
#include "output/COutputRecord.h"
#include "output/OutputBlock.h"
#include "solver/equation/EquationTestSupport.h"

#include <gtest/gtest.h>

namespace {

char UnknownOf(const std::string& problem) {
    for (char c : problem) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            return c;
        }
    }
    return 'x';
}

// Some record defines the new letter: CommentID::NewLetterDefinition followed by the formula "letter=...".
bool DefinesLetter(const COutputList& solution, char letter) {
    for (const auto& record : solution.Records()) {
        bool definition = false;
        for (const auto& block : record->Blocks()) {
            if (block->IsComment() && block->AsComment()->id == CommentID::NewLetterDefinition) {
                definition = true;
            }
            const std::string text = block->IsFormula() ? block->AsFormula()->text : "";
            if (definition && text.size() > 1 && text[0] == letter && text[1] == '=') {
                return true;
            }
        }
    }
    return false;
}

TEST(SubstitutionSuite, AnswersAreTheRealSolutions) {
    EXPECT_GE(SubstitutionSuite().size(), 50u);
    for (const SubstitutionSuiteCase& c : SubstitutionSuite()) {
        SCOPED_TRACE(c.problem);
        const char letter = UnknownOf(c.problem);
        std::unique_ptr<COutputList> solution = SolveEquationText(c.problem);
        const EquationAnswer answer = ReadAnswer(*solution, letter);
        ASSERT_FALSE(answer.unsolved);
        ASSERT_FALSE(answer.every);
        const auto sides = SplitRelation(c.problem);
        ASSERT_TRUE(sides.has_value());
        std::vector<Quad> roots;
        for (const std::string& root : answer.roots) {
            std::optional<Quad> value = QuadValue(root, letter, 0);
            ASSERT_TRUE(value.has_value()) << root;
            std::optional<Quad> difference = RelationDifference(*sides, letter, *value);
            ASSERT_TRUE(difference.has_value()) << root;
            std::optional<Quad> scale = QuadValue(sides->first, letter, *value);
            EXPECT_TRUE(NearlyEqual(*difference + (scale ? *scale : 0), scale ? *scale : 0)) << root;
            roots.push_back(*value);
        }
        // Every sign change on the grid has an answered root or a pole in its interval.
        for (Quad x : UnansweredRoots(*sides, letter, roots)) {
            ADD_FAILURE() << "a sign change near " << static_cast<double>(x) << " has no root";
        }
        if (c.newLetter != 0) {
            EXPECT_TRUE(DefinesLetter(*solution, c.newLetter)) << "no substitution with " << c.newLetter;
        } else {
            EXPECT_FALSE(DefinesLetter(*solution, 't'));
        }
    }
}

} // namespace
