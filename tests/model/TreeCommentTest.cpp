#include "TreeTestHelpers.h"
#include "model/NodeCast.h"

#include "model/CommentMerge.h"
#include "output/CommentID.h"

#include <gtest/gtest.h>
#include <vector>

using namespace treetest;

namespace {

CommentList Merged(const std::vector<std::int32_t>& ids) {
    CommentList list;
    for (std::int32_t id : ids) {
        MergeComment(list, static_cast<CommentIDType>(id));
    }
    return list;
}

std::vector<std::int32_t> Numbers(const CommentList& list) {
    std::vector<std::int32_t> numbers;
    for (CommentIDType id : list) {
        numbers.push_back(ToNumber(id));
    }
    return numbers;
}

} // namespace

TEST(TreeComments, MergeRulesCombinePartialsAndDropRepeats) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> merged;
        std::vector<std::int32_t> expected;
    };
    const std::vector<Case> cases = {
        {"36 then 37 give 38", {36, 37}, {38}},
        {"37 then 36 give 38", {37, 36}, {38}},
        {"38 into 36 and 5", {36, 5, 38}, {5, 38}},
        {"5 twice", {5, 5}, {5}},
        // An identifier past the known comments.
        {"an unknown number into a non-empty list", {5, kCommentIDCount}, {5}},
        {"an unknown number into an empty list", {kCommentIDCount}, {kCommentIDCount}},
        {"-1 into a non-empty list", {5, -1}, {5}},
        {"45 twice gives 46", {45, 45}, {46}},
        {"45 three times: the third is covered by 46", {45, 45, 45}, {46}},
        {"61 and 63 give 62", {10, 61, 63}, {10, 62}},
        {"36 twice stays one 36", {36, 36}, {36}},
        {"36 after 38 is covered", {38, 36}, {38}},
        {"37 and 45 do not pair", {37, 45}, {37, 45}},
        {"62 removes 61 and 63 alike", {61, 5, 62}, {5, 62}},
        {"46 removes only 45", {36, 45, 46}, {36, 46}},
        {"38 twice", {38, 38}, {38}},
        {"83 is a single comment", {0, 83, 83}, {0, 83}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Numbers(Merged(c.merged)), c.expected);
    }
}

TEST(TreeComments, NodeCommentListTakesInOrder) {
    COVariable x('x');
    EXPECT_EQ(x.CommentCount(), 0);
    EXPECT_FALSE(x.TakeComment().has_value());
    x.AddComment(CommentID::TermsReordered);
    x.AddComment(CommentID::BracketsOpened);
    COVariable y('y');
    y.AddComment(CommentID::PowersJoined);
    y.TakeCommentsFrom(x);
    EXPECT_EQ(x.CommentCount(), 0);
    EXPECT_EQ(y.CommentCount(), 3);
    EXPECT_EQ(y.TakeComment(), CommentID::PowersJoined);
    EXPECT_EQ(y.TakeComment(), CommentID::TermsReordered);
    y.RemoveAllComments();
    EXPECT_EQ(y.CommentCount(), 0);
}

TEST(TreeComments, CollectingWalksTheTreeAndEmptiesIt) {
    // root (5) -> power (36) with base sum (10) and exponent (37) ; a root whose radicand has 59.
    NodePtr radicand = Var('z');
    radicand->AddComment(CommentID::BracketsOpened);
    NodePtr power = Pow(Sum(Var('a'), Var('b')), Num(2));
    power->AddComment(CommentID::SplitOffNumerator);
    NodeAs<COPower>(*power).Base()->AddComment(CommentID::TermsReordered);
    NodeAs<COPower>(*power).Exponent()->AddComment(CommentID::SplitOffDenominator);
    NodePtr root = Rel(RelationCode::Equal, Prod(std::move(power), Var('c')), Root(std::move(radicand), 2));
    root->AddComment(CommentID::AllTermsMovedLeft);

    CommentList target;
    CollectComments(*root, target);
    EXPECT_EQ(Numbers(target), (std::vector<std::int32_t>{44, 10, 38}));
    EXPECT_EQ(root->CommentCount(), 0);
    // Roots end the descent: the radicand keeps its comment.
    auto& rootSide = NodeAs<CORoot>(*NodeAs<CORelation>(*root).Right());
    EXPECT_EQ(rootSide.Radicand()->CommentCount(), 1);
}
