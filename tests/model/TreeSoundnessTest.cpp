// The one-walk validity check of a step against the three separate walks it replaces: on random
// trees of every node class, with missing parts, empty lists, unfinished numbers, numbers over zero
// and zero divisors in every written form, it answers exactly their conjunction.

#include "TreeTestHelpers.h"

#include "model/COHyperMonom.h"
#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/TreeQueries.h"
#include "model/Walkers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace treetest;

CNumber BrokenNumber() {
    CNumber broken;
    std::size_t position = 0;
    broken.ParseText("2@3;", position);
    return broken;
}

class FaultyTreeMaker {
public:
    explicit FaultyTreeMaker(unsigned seed) : m_random(seed) {}

    NodePtr Tree(int depth) {
        if (Chance(40)) {
            return nullptr;
        }
        if (depth <= 0 || Chance(4)) {
            return Leaf();
        }
        switch (Below(8)) {
        case 0:
            return Pow(Tree(depth - 1), Exponent(depth - 1));
        case 1:
            return std::make_unique<CORoot>(Tree(depth - 1),
                                            Chance(30) ? BrokenNumber() : CNumber(2 + Below(2)));
        case 2:
            return Rel(RelationCode::Equal, Tree(depth - 1), Tree(depth - 1));
        case 3:
            return MakeList<COAddition>(depth);
        case 4:
            return MakeList<COMultiplication>(depth);
        case 5:
            return MakeList<COFraction>(depth);
        case 6:
            return Chance(2) ? MakeList<COMonom>(depth) : MakeList<COPolynom>(depth);
        default:
            return MakeList<COHyperMonom>(depth);
        }
    }

private:
    NodePtr Leaf() {
        switch (Below(9)) {
        case 0:
        case 1:
            return Num(Below(3));
        case 2:
            return NumText(Chance(2) ? "1/0" : "2@{1/0}");
        case 3:
            return std::make_unique<CONumber>(BrokenNumber());
        case 4:
            return NumText("3/4");
        default:
            return Var(static_cast<char>('a' + Below(3)));
        }
    }

    // Often a negative number, so that a zero base divides by zero.
    NodePtr Exponent(int depth) {
        if (Chance(2)) {
            return Num(Below(5) - 2);
        }
        return Tree(depth);
    }

    // Elements of either sign; sometimes none at all, and the polynomial forms' zeros {0} and 0^2.
    template <class ListNode> NodePtr MakeList(int depth) {
        auto node = std::make_unique<ListNode>();
        const int count = Chance(15) ? 0 : 1 + Below(3);
        for (int i = 0; i < count; ++i) {
            NodePtr element = Chance(6) ? Zero() : Tree(depth - 1);
            const std::int32_t sign = Chance(3) ? -1 : 1;
            if (element) {
                node->AddTail(std::move(element), sign);
            } else {
                // A cell without its child, as a corrupted tree holds one: the list's own insertions
                // refuse it.
                node->GetCells().push_back(ListCell{nullptr, sign});
            }
        }
        return node;
    }

    NodePtr Zero() {
        switch (Below(3)) {
        case 0:
            return Nary<COPolynom>(Num(0));
        case 1:
            return Pow(Num(0), Num(2));
        default:
            return Nary<COHyperMonom>(Num(0), Den(Var('x')));
        }
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

    std::mt19937 m_random;
};

std::size_t CountNodes(const COperation& node) {
    std::size_t count = 1;
    VisitChildSlots(const_cast<COperation&>(node), false, [&](NodeHandle child) {
        if (*child) {
            count += CountNodes(**child);
        }
    });
    return count;
}

bool SeparateChecks(const COperation& tree) {
    return tree.IsDefined() && !tree.HasZeroDivisor() && !HasZeroDenominatorNumber(tree);
}

} // namespace

TEST(TreeSoundness, OneWalkAnswersAsTheThreeSeparateChecks) {
    FaultyTreeMaker maker(20261207);
    int undefined = 0;
    int zeroDivisor = 0;
    int zeroDenominator = 0;
    int sound = 0;
    for (int i = 0; i < 20000; ++i) {
        NodePtr tree = maker.Tree(1 + i % 6);
        if (!tree) {
            continue;
        }
        SCOPED_TRACE(i);
        std::int64_t visited = 0;
        const bool answer = IsSoundTree(*tree, visited);
        ASSERT_EQ(answer, SeparateChecks(*tree)) << Structure(*tree);
        ASSERT_GE(visited, 1);
        ASSERT_LE(visited, static_cast<std::int64_t>(CountNodes(*tree)));
        if (answer) {
            // A sound tree is looked at whole.
            ASSERT_EQ(visited, static_cast<std::int64_t>(CountNodes(*tree)));
        }
        undefined += tree->IsDefined() ? 0 : 1;
        zeroDivisor += tree->IsDefined() && tree->HasZeroDivisor() ? 1 : 0;
        zeroDenominator += tree->IsDefined() && HasZeroDenominatorNumber(*tree) ? 1 : 0;
        sound += answer ? 1 : 0;
    }
    // Every fault, and sound trees, are met often enough to matter.
    EXPECT_GT(undefined, 1000);
    EXPECT_GT(zeroDivisor, 1000);
    EXPECT_GT(zeroDenominator, 1000);
    EXPECT_GT(sound, 1000);
}

TEST(TreeSoundness, EachFaultAloneMakesATreeUnsound) {
    struct Case {
        const char* name;
        NodePtr node;
        bool sound;
    };
    Case cases[] = {
        {"x+1/2", Sum(Var('x'), NumText("1/2")), true},
        {"empty product in a sum", Sum(Var('a'), std::make_unique<COMultiplication>()), false},
        {"x^(missing)", std::make_unique<COPower>(Var('x'), nullptr), false},
        {"root of broken degree", std::make_unique<CORoot>(Var('x'), BrokenNumber()), false},
        {"a/{0}", Frac(Var('a'), Den(Nary<COPolynom>(Num(0)))), false},
        {"a:0^2", Prod(Var('a'), Div(Pow(Num(0), Num(2)))), false},
        {"0^{-2}+x", Sum(Pow(Num(0), Num(-2)), Var('x')), false},
        {"0^2 as a term", Sum(Pow(Num(0), Num(2)), Var('x')), true},
        {"x=2@{1/0}", Rel(RelationCode::Equal, Var('x'), NumText("2@{1/0}")), false},
        {"0/a", Frac(Num(0), Den(Var('a'))), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int64_t visited = 0;
        EXPECT_EQ(IsSoundTree(*c.node, visited), c.sound);
        EXPECT_EQ(SeparateChecks(*c.node), c.sound);
    }
}
