#include "TreeTestHelpers.h"

#include <gtest/gtest.h>
#include <vector>

using namespace treetest;

namespace {

// The list as letters with their signs: "+a-b+c".
std::string Describe(const COperationList& list) {
    std::string text;
    for (const ListCell& cell : list) {
        text += cell.sign == 1 ? '+' : '-';
        text += cell.child ? Text(*cell.child) : std::string("?");
    }
    return text;
}

COperationList Letters(const char* letters) {
    COperationList list;
    for (const char* p = letters; *p != '\0'; ++p) {
        list.AddTail(Var(*p), 1);
    }
    return list;
}

} // namespace

TEST(TreeList, AddingAndInsertingByIndex) {
    COperationList list;
    EXPECT_EQ(list.AddTail(Var('b'), 1), 1);
    EXPECT_EQ(list.AddTail(Var('c'), -1), 2);
    list.AddHead(Var('a'), 1);
    EXPECT_EQ(Describe(list), "+a+b-c");

    struct Case {
        std::int32_t index;
        bool inserted;
        const char* after;
    };
    const Case cases[] = {
        {0, true, "+a+b-c+x"},        // 0 appends
        {5, true, "+a+b-c+x+x"},      // count+1 appends
        {1, true, "+x+a+b-c+x+x"},    // becomes the first
        {3, true, "+x+a+x+b-c+x+x"},  // becomes the third
        {9, false, "+x+a+x+b-c+x+x"}, // past count+1: nothing, the caller keeps it
        {-1, false, "+x+a+x+b-c+x+x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        NodePtr x = Var('x');
        EXPECT_EQ(list.InsertAt(x, 1, c.index), c.inserted);
        EXPECT_EQ(x == nullptr, c.inserted);
        EXPECT_EQ(Describe(list), c.after);
    }
}

TEST(TreeList, IndexedAccessOutOfRangeGivesNothing) {
    COperationList list = Letters("ab");
    list.NegateAt(2);
    EXPECT_EQ(list.GetSignAt(2), -1);
    EXPECT_EQ(list.GetSignAt(3), 0);
    EXPECT_EQ(list.GetSignAt(0), 0);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(0), nullptr);
    ASSERT_NE(list.GetAt(1), nullptr);
    EXPECT_EQ(Text(*list.GetAt(1)), "a");
    list.NegateAt(7); // nothing
    list.NegateAt(0);
    EXPECT_EQ(Describe(list), "+a-b");
    list.NegateAll();
    EXPECT_EQ(Describe(list), "-a+b");
}

TEST(TreeList, InsertBeforeAndAfterWithNoPosition) {
    COperationList list = Letters("b");
    list.InsertBefore(list.End(), Var('c'), 1); // appends
    list.InsertAfter(list.End(), Var('a'), 1);  // prepends
    EXPECT_EQ(Describe(list), "+a+b+c");
    auto b = list.GetCellAt(1, list.End());
    auto inserted = list.InsertAfter(b, Var('x'), -1);
    EXPECT_EQ(Text(*inserted->child), "x");
    list.InsertBefore(b, Var('y'), 1);
    EXPECT_EQ(Describe(list), "+a+y+b-x+c");
    EXPECT_EQ(list.GetCellAt(9, list.End()), list.End());
    EXPECT_EQ(Text(*list.GetCellAt(2, b)->child), "c");
}

TEST(TreeList, RemovingMovesThePositionAndKeepsTheChild) {
    COperationList list = Letters("abcd");
    auto position = list.GetCellAt(1, list.End()); // b
    NodePtr b = list.RemoveAt(position, 1);
    EXPECT_EQ(Text(*b), "b");
    EXPECT_EQ(Text(*position->child), "c");
    NodePtr c = list.RemoveAt(position, -1);
    EXPECT_EQ(Text(*c), "c");
    EXPECT_EQ(Text(*position->child), "a");
    NodePtr a = list.RemoveAt(position, -1);
    EXPECT_EQ(position, list.End()); // nothing before the head
    EXPECT_EQ(Describe(list), "+d");
    EXPECT_EQ(Text(*list.RemoveHead()), "d");
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(TreeList, SwapCellsExchangesPlacesAndPositionsFollowThePlaces) {
    struct Case {
        std::int32_t first;
        std::int32_t second;
        const char* after;
    };
    const Case cases[] = {
        {0, 1, "+b+a+c+d"},                     // adjacent
        {1, 0, "+b+a+c+d"},                     // adjacent, given in reverse
        {0, 3, "+d+b+c+a"},                     // apart
        {3, 1, "+a+d+c+b"}, {2, 2, "+a+b+c+d"}, // the same cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        COperationList list = Letters("abcd");
        auto a = list.GetCellAt(c.first, list.End());
        auto b = list.GetCellAt(c.second, list.End());
        NodeHandle handleIntoA = &a->child;
        COperation* nodeA = a->child.get();
        list.SwapCells(a, b);
        EXPECT_EQ(Describe(list), c.after);
        EXPECT_EQ(a, list.GetCellAt(c.first, list.End()));
        EXPECT_EQ(b, list.GetCellAt(c.second, list.End()));
        EXPECT_EQ(handleIntoA->get(), nodeA); // a handle follows its cell
    }
}

TEST(TreeList, AppendListMovesOrClones) {
    COperationList target = Letters("a");
    COperationList source = Letters("bc");
    source.NegateAt(2);
    target.AppendList(source, false);
    EXPECT_EQ(Describe(target), "+a+b-c");
    EXPECT_EQ(Describe(source), "+b-c");
    EXPECT_NE(target.GetAt(2), source.GetAt(1));
    target.AppendList(source, true);
    EXPECT_EQ(Describe(target), "+a+b-c+b-c");
    EXPECT_EQ(source.GetCount(), 0);
    target.AppendList(target, false); // cloning itself doubles it once
    EXPECT_EQ(Describe(target), "+a+b-c+b-c+a+b-c+b-c");
}

TEST(TreeList, RemoveAllHandsTheChildrenBackAndDeleteAllFreesThem) {
    COperationList list = Letters("ab");
    COperationList::Cells cells = list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(Text(*cells.front().child), "a");
    list.AddTail(Var('c'), 1);
    list.DeleteAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(TreeList, NodesReachTheirListAndDeleteChildrenEmptiesThem) {
    NodePtr sum = Sum(Var('a'), Minus(Prod(Num(2), Var('b'))));
    ASSERT_NE(sum->AsList(), nullptr);
    EXPECT_EQ(sum->AsList()->GetCount(), 2);
    sum->DeleteChildren();
    EXPECT_EQ(sum->AsList()->GetCount(), 0);

    auto power = std::make_unique<COPower>(Var('x'), Num(2));
    power->DeleteChildren();
    EXPECT_EQ(power->Base(), nullptr);
    EXPECT_EQ(power->Exponent(), nullptr);
}

TEST(TreeDeepTrees, LongListsAndDeepNestingAreWalkedAndFreedWithoutOverflow) {
    // A sum of 200000 terms: lists are handled in loops.
    auto sum = std::make_unique<COAddition>();
    for (int i = 0; i < 200000; ++i) {
        sum->AddTail(Var('x'), i % 2 == 0 ? 1 : -1);
    }
    NodePtr copy = sum->Clone();
    EXPECT_EQ(copy->AsList()->GetCount(), 200000);
    EXPECT_EQ(Text(*copy).size(), 400000u - 1u);

    // A chain of one million nested one-term sums and powers is freed without recursion.
    NodePtr chain = Var('x');
    for (int i = 0; i < 1000000; ++i) {
        chain = (i % 2 == 0) ? Sum(std::move(chain)) : Pow(std::move(chain), Num(1));
    }
    chain.reset();
    SUCCEED();
}
