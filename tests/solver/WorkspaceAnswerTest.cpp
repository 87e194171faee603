#include "WorkspaceTranscript.h"

#include "model/CONumber.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "solver/CExEquation.h"
#include "solver/equation/EquationAnswer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The answer of an equation workspace in the answer block, with the given state and roots.
Lines Answer(std::int32_t heading, std::int32_t state, const std::vector<NodePtr*>& roots,
             bool every = false) {
    COutputList solution;
    CExEquation workspace(heading, nullptr, &solution, 'y');
    workspace.PushLineBlock(LineBlockKind::Answer, 2);
    workspace.resultState = state;
    if (!every) {
        workspace.roots.SetComplementFlag(0);
    }
    for (NodePtr* root : roots) {
        workspace.roots.AddTail(std::move(*root), 1);
    }
    WriteAnswer(workspace);
    return Transcript(solution);
}

TEST(WriteAnswer, AnUnsolvedEquationSaysSoInTwoRecords) {
    EXPECT_EQ(Answer(0, 0, {}), Lines({"[2.2] AnswerHeadingOther/11", "[2.2] AnswerWithoutRoots/11"}));
    EXPECT_EQ(Answer(0, 2, {}), Lines({"[2.2] AnswerHeadingOther/11", "[2.2] AnswerWithoutRoots/11"}));
    EXPECT_EQ(Answer(2, 3, {}),
              Lines({"[2.2] AnswerHeadingUnsolvedNewLetter/11", "[2.2] AnswerWithoutRoots/11"}));
}

TEST(WriteAnswer, HeadsTheRootsByTheKindOfEquation) {
    const struct {
        std::int32_t heading;
        CommentID comment;
    } cases[] = {{0, CommentID::AnswerHeadingEquation0},
                 {1, CommentID::AnswerHeadingEquation1},
                 {2, CommentID::AnswerHeadingEquation2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        NodePtr two = std::make_unique<CONumber>(2);
        EXPECT_EQ(Answer(c.heading, 1, {&two}),
                  Lines({"[2.2] " + CommentName(c.comment) + "/11 AnswerJoint/10 F(y=2)s"}));
    }
}

// The roots are listed in ascending order as a pupil writes them, with the join between them.
TEST(WriteAnswer, ListsEveryRootInAscendingOrderWithTheJoinBetweenThem) {
    NodePtr minusThird = std::make_unique<CONumber>(CNumber(CLongInteger(-1), CLongInteger(3)));
    NodePtr three = std::make_unique<CONumber>(3);
    NodePtr letterless = std::make_unique<CONumber>(CNumber(0));
    EXPECT_EQ(Answer(0, 1, {&three, &minusThird, &letterless}),
              Lines({"[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(y=-1/3)s BetweenRoots/11 F(y=0)s "
                     "BetweenRoots/11 F(y=3)s"}));
}

// A root without a value (a letter left in it) keeps every root in the order found.
TEST(WriteAnswer, RootsWithoutAValueKeepTheOrderFound) {
    NodePtr three = std::make_unique<CONumber>(3);
    NodePtr letter = std::make_unique<COVariable>('a');
    NodePtr one = std::make_unique<CONumber>(1);
    EXPECT_EQ(Answer(0, 1, {&three, &letter, &one}),
              Lines({"[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(y=3)s BetweenRoots/11 F(y=a)s "
                     "BetweenRoots/11 F(y=1)s"}));
}

TEST(WriteAnswer, NamesNoRootsAndEveryNumber) {
    EXPECT_EQ(Answer(0, 1, {}), Lines({"[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 NoRoots/11"}));
    EXPECT_EQ(
        Answer(1, 1, {}, true),
        Lines(
            {"[2.2] AnswerHeadingEquation1/11 AnswerJoint/10 F(y)s AnswerEveryNumber/11 AnyValueIsRoot/11"}));
}

} // namespace
