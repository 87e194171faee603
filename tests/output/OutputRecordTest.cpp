// Solution records and the solution list: ownership, copying against moving, positions.

#include "output/COutputList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const LineBlockList kNested{{LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 2}};

// The formula texts and comment numbers of a list, one string per record, e.g. "F:x=1|C:15".
std::vector<std::string> Transcript(const COutputList& list) {
    std::vector<std::string> lines;
    for (const auto& record : list) {
        std::string line;
        for (const auto& block : *record) {
            if (!line.empty()) {
                line += '|';
            }
            if (const auto* formula = block->AsFormula()) {
                line += "F:" + formula->text;
            } else {
                line += "C:" + std::to_string(ToNumber(block->AsComment()->id));
            }
        }
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(OutputBlock, CloneIsEqualAndIndependent) {
    OutputBlockFormula formula("x^2=1", true);
    auto formulaCopy = formula.Clone();
    formula.text = "changed";
    ASSERT_TRUE(formulaCopy->IsFormula());
    EXPECT_EQ(formulaCopy->AsFormula()->text, "x^2=1");
    EXPECT_TRUE(formulaCopy->AsFormula()->spoken);
    EXPECT_EQ(formulaCopy->AsComment(), nullptr);

    OutputBlockComment comment(CommentID::AnswerJoint, true, false);
    auto commentCopy = comment.Clone();
    ASSERT_EQ(commentCopy->BlockType(), OutputBlockType::Comment);
    EXPECT_EQ(commentCopy->AsComment()->id, CommentID::AnswerJoint);
    EXPECT_TRUE(commentCopy->AsComment()->alwaysShown);
    EXPECT_FALSE(commentCopy->AsComment()->spoken);
    EXPECT_EQ(commentCopy->AsFormula(), nullptr);
}

TEST(COutputRecord, WithoutLineBlocksHasIndentZero) {
    COutputRecord record(nullptr, std::make_unique<OutputBlockFormula>("x", false));
    EXPECT_TRUE(record.lineBlocks.empty());
    EXPECT_EQ(record.IndentLevel(), 0u);

    COutputRecord nested(&kNested);
    EXPECT_EQ(nested.lineBlocks, kNested);
    EXPECT_EQ(nested.IndentLevel(), 1u);
    EXPECT_EQ(nested.BlockCount(), 0u);
}

TEST(COutputRecord, IsFormulaOnly) {
    COutputRecord empty;
    EXPECT_FALSE(empty.IsFormulaOnly());

    COutputRecord formula;
    formula.AddFormula("x=1", false);
    EXPECT_TRUE(formula.IsFormulaOnly());

    COutputRecord comment;
    comment.AddComment(CommentID::TermsReordered, false, true);
    EXPECT_FALSE(comment.IsFormulaOnly());

    // An answer record: heading, joint and formula.
    COutputRecord answer(&kNested);
    answer.AddComment(CommentID::AnswerHeadingExpression, true, true);
    answer.AddComment(CommentID::AnswerJoint, true, false);
    answer.AddFormula("2x", true);
    EXPECT_FALSE(answer.IsFormulaOnly());
    EXPECT_EQ(answer.BlockCount(), 3u);
}

TEST(COutputRecord, CopyClonesBlocksAndLeavesSourceAlone) {
    COutputRecord source(&kNested);
    auto formulaPos = source.AddFormula("a+b", false);
    source.AddComment(CommentID::BracketsOpened, false, true);

    COutputRecord copy(source, ListTransfer::Copy);
    (*formulaPos)->AsFormula()->text = "changed";
    source.lineBlocks.push_back({LineBlockKind::Domain, 9});
    source.AddFormula("extra", false);

    EXPECT_EQ(copy.lineBlocks, kNested);
    ASSERT_EQ(copy.BlockCount(), 2u);
    EXPECT_EQ(copy.Blocks().front()->AsFormula()->text, "a+b");
    EXPECT_NE(copy.Blocks().front().get(), source.Blocks().front().get());
    EXPECT_EQ(source.BlockCount(), 3u);
}

TEST(COutputRecord, MoveTakesBlocksInOrderAndKeepsSourceLineBlocks) {
    COutputRecord source(&kNested);
    source.AddFormula("first", false);
    source.AddFormula("second", false);
    const OutputBlock* firstBlock = source.Blocks().front().get();

    COutputRecord moved(source, ListTransfer::Move);
    EXPECT_EQ(moved.lineBlocks, kNested);
    EXPECT_EQ(source.lineBlocks, kNested);
    EXPECT_EQ(source.BlockCount(), 0u);
    ASSERT_EQ(moved.BlockCount(), 2u);
    EXPECT_EQ(moved.Blocks().front().get(), firstBlock);
    EXPECT_EQ(moved.Blocks().back()->AsFormula()->text, "second");
}

TEST(COutputRecord, NullBlockIsNotAdded) {
    COutputRecord record(nullptr, nullptr);
    EXPECT_EQ(record.BlockCount(), 0u);
    EXPECT_EQ(record.AddBlock(nullptr), record.Blocks().end());
    EXPECT_EQ(record.BlockCount(), 0u);
}

TEST(COutputList, AddMakesOneBlockRecordsWithTheirOwnLineBlocks) {
    COutputList list;
    LineBlockList stack{{LineBlockKind::Steps, 0}};
    auto formulaPos = list.AddFormula(&stack, "x+1=0", false);
    stack.push_back({LineBlockKind::CaseSolving, 1});
    auto commentPos = list.AddComment(&stack, CommentID::ErrorInvalidCharacter, true, false);
    stack.clear();

    EXPECT_EQ(Transcript(list), (Lines{"F:x+1=0", "C:30"}));
    EXPECT_EQ((*formulaPos)->lineBlocks, (LineBlockList{{LineBlockKind::Steps, 0}}));
    EXPECT_EQ((*commentPos)->lineBlocks,
              (LineBlockList{{LineBlockKind::Steps, 0}, {LineBlockKind::CaseSolving, 1}}));
    const auto* comment = (*commentPos)->Blocks().front()->AsComment();
    EXPECT_TRUE(comment->alwaysShown);
    EXPECT_FALSE(comment->spoken);
    EXPECT_TRUE(list.AddFormula(nullptr, "y", true) != list.end());
    EXPECT_TRUE(list.Records().back()->lineBlocks.empty());
}

TEST(COutputList, InsertAfterPositionOrAtFront) {
    COutputList list;
    auto first = list.AddFormula(nullptr, "a", false);
    list.AddFormula(nullptr, "c", false);

    auto inserted = list.InsertFormulaAfter(nullptr, first, "b", false);
    EXPECT_EQ(Transcript(list), (Lines{"F:a", "F:b", "F:c"}));
    EXPECT_EQ((*inserted)->Blocks().front()->AsFormula()->text, "b");

    auto front =
        list.InsertCommentAfter(&kNested, std::nullopt, CommentID::AnswerHeadingExpression, true, true);
    EXPECT_EQ(front, list.begin());
    EXPECT_EQ((*front)->lineBlocks, kNested);
    EXPECT_EQ(Transcript(list), (Lines{"C:3", "F:a", "F:b", "F:c"}));

    auto last = std::prev(list.end());
    list.InsertAfter(last,
                     std::make_unique<COutputRecord>(nullptr, std::make_unique<OutputBlockFormula>("d")));
    EXPECT_EQ(Transcript(list), (Lines{"C:3", "F:a", "F:b", "F:c", "F:d"}));

    // Positions stay valid across insertions elsewhere.
    EXPECT_EQ((*first)->Blocks().front()->AsFormula()->text, "a");
    EXPECT_EQ(list.InsertAfter(first, nullptr), list.end());
    EXPECT_EQ(list.Size(), 5u);
}

TEST(COutputList, InsertAtFrontOfEmptyList) {
    COutputList list;
    auto pos = list.InsertFormulaAfter(nullptr, std::nullopt, "x", false);
    EXPECT_EQ(pos, list.begin());
    EXPECT_EQ(Transcript(list), (Lines{"F:x"}));
}

TEST(COutputList, AppendMovedListEmptiesSourceAndKeepsOrder) {
    COutputList list;
    list.AddFormula(nullptr, "a", false);
    COutputList branch;
    auto b = branch.AddFormula(&kNested, "b", false);
    branch.AddComment(nullptr, CommentID::SubstitutionIntroduced, false, true);
    branch.AddFormula(nullptr, "c", false);
    const COutputRecord* recordB = b->get();

    list.AppendList(branch, ListTransfer::Move);
    EXPECT_TRUE(branch.IsEmpty());
    EXPECT_EQ(Transcript(list), (Lines{"F:a", "F:b", "C:34", "F:c"}));
    // Moving hands over the same records; their position handles stay usable.
    EXPECT_EQ(b->get(), recordB);
    EXPECT_EQ(std::next(list.begin())->get(), recordB);
}

TEST(COutputList, AppendCopiedListLeavesSourceUnchanged) {
    COutputList list;
    COutputList branch;
    auto b = branch.AddFormula(&kNested, "b", false);
    branch.AddComment(nullptr, CommentID::NoRoots, true, true);

    list.AppendList(branch, ListTransfer::Copy);
    (*b)->lineBlocks.clear();
    (*b)->AddFormula("later", false);

    EXPECT_EQ(Transcript(branch), (Lines{"F:b|F:later", "C:56"}));
    EXPECT_EQ(Transcript(list), (Lines{"F:b", "C:56"}));
    EXPECT_EQ(list.Records().front()->lineBlocks, kNested);
    EXPECT_NE(list.Records().front().get(), branch.Records().front().get());
}

TEST(COutputList, AppendToItself) {
    COutputList list;
    list.AddFormula(nullptr, "a", false);
    list.AddFormula(nullptr, "b", false);

    list.AppendList(list, ListTransfer::Move);
    EXPECT_EQ(Transcript(list), (Lines{"F:a", "F:b"}));

    list.AppendList(list, ListTransfer::Copy);
    EXPECT_EQ(Transcript(list), (Lines{"F:a", "F:b", "F:a", "F:b"}));
}

TEST(COutputList, RemoveAllEmptiesTheList) {
    COutputList list;
    for (int i = 0; i < 100; ++i) {
        list.AddComment(&kNested, CommentID::TermsGrouped, false, true);
    }
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.begin(), list.end());
    list.AddFormula(nullptr, "x", false);
    EXPECT_EQ(list.Size(), 1u);
}

} // namespace
