// Solution sets: exact lists of values and their complements.

#include "model/CNumberSet.h"
#include "model/CONumber.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

NodePtr Leaf(int value) {
    return std::make_unique<CONumber>(value);
}

NodePtr Leaf(const char* text) {
    CNumber number;
    std::size_t position = 0;
    EXPECT_EQ(number.ParseText(text, position), 0);
    return std::make_unique<CONumber>(number);
}

// A plain set (flag 0) of the given values.
CNumberSet Plain(const std::vector<int>& values) {
    CNumberSet set;
    set.SetComplementFlag(0);
    for (int value : values) {
        set.AddTail(Leaf(value), 1);
    }
    return set;
}

// "{1, 2}" for a plain set, "all but {1, 2}" for a complement.
std::string Describe(const CNumberSet& set) {
    std::string text = set.GetComplementFlag() != 0 ? "all but {" : "{";
    bool first = true;
    for (const ListCell& cell : set.GetCells()) {
        const CONumber* number = AsNumber(cell.child.get());
        text += first ? "" : ", ";
        text += number != nullptr ? number->Value().ToText() : "?";
        first = false;
    }
    return text + "}";
}

} // namespace

TEST(NumberSet, NewSetIsAllNumbers) {
    CNumberSet set;
    EXPECT_TRUE(set.IsAll());
    EXPECT_FALSE(set.IsEmpty());
    set.Complement();
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_FALSE(set.IsAll());
    set.Complement();
    set.Exclude(Leaf(3));
    EXPECT_FALSE(set.IsAll());
    set.SetAll();
    EXPECT_TRUE(set.IsAll());
    EXPECT_EQ(set.GetCount(), 0);
}

TEST(NumberSet, ExcludeRemovesOneValue) {
    CNumberSet plain = Plain({2});
    plain.Exclude(Leaf(2));
    EXPECT_TRUE(plain.IsEmpty());

    CNumberSet several = Plain({1, 2, 2, 3});
    several.Exclude(Leaf("4/2")); // equal by value: only the first 2 goes
    EXPECT_EQ(Describe(several), "{1, 2, 3}");
    several.Exclude(Leaf(7)); // not listed: nothing changes
    EXPECT_EQ(Describe(several), "{1, 2, 3}");

    CNumberSet all;
    all.Exclude(Leaf(2));
    all.Exclude(Leaf("2,0")); // already excluded
    all.Exclude(Leaf("1/2"));
    EXPECT_EQ(Describe(all), "all but {2, 1/2}");
    all.Exclude(nullptr);
    EXPECT_EQ(all.GetCount(), 2);
}

TEST(NumberSet, IntersectionByFlags) {
    {
        SCOPED_TRACE("all but 2, with {1, 2, 3}");
        CNumberSet set;
        set.Exclude(Leaf(2));
        set.IntersectWith(Plain({1, 2, 3}));
        EXPECT_EQ(Describe(set), "{1, 3}");
    }
    {
        SCOPED_TRACE("two plain sets");
        CNumberSet set = Plain({1, 2, 3, 4});
        set.IntersectWith(Plain({4, 2, 9}));
        EXPECT_EQ(Describe(set), "{2, 4}");
    }
    {
        SCOPED_TRACE("plain with a complement");
        CNumberSet set = Plain({1, 2, 3});
        CNumberSet other;
        other.Exclude(Leaf(1));
        other.Exclude(Leaf(5));
        set.IntersectWith(other);
        EXPECT_EQ(Describe(set), "{2, 3}");
    }
    {
        SCOPED_TRACE("two complements");
        CNumberSet set;
        set.Exclude(Leaf(1));
        set.Exclude(Leaf(2));
        CNumberSet other;
        other.Exclude(Leaf(2));
        other.Exclude(Leaf(3));
        set.IntersectWith(other);
        EXPECT_EQ(Describe(set), "all but {1, 2, 3}");
    }
    {
        SCOPED_TRACE("with itself");
        CNumberSet set = Plain({1, 2});
        set.IntersectWith(set);
        EXPECT_EQ(Describe(set), "{1, 2}");
    }
    {
        SCOPED_TRACE("with the empty set");
        CNumberSet set;
        CNumberSet empty;
        empty.Complement();
        set.IntersectWith(empty);
        EXPECT_TRUE(set.IsEmpty());
    }
}

TEST(NumberSet, CopyClonesElements) {
    CNumberSet set = Plain({1, 2});
    CNumberSet copy(set);
    set.Exclude(Leaf(1));
    EXPECT_EQ(Describe(set), "{2}");
    EXPECT_EQ(Describe(copy), "{1, 2}");
    EXPECT_EQ(copy.GetComplementFlag(), 0);
}
