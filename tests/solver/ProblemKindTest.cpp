#include "solver/ProblemKind.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Every kind's name and number lead back to it: the settings, the JSON output and the page's
// choices all go through these two conversions.
TEST(ProblemKind, NamesAndNumbersLeadBackToTheKind) {
    int expectedNumber = 0;
    for (const ProblemKind kind : kProblemKinds) {
        SCOPED_TRACE(std::string(KindName(kind)));
        EXPECT_EQ(ToNumber(kind), expectedNumber++);
        EXPECT_EQ(ParseKindName(KindName(kind)), kind);
        EXPECT_EQ(ParseKindName(std::to_string(ToNumber(kind))), kind);
        EXPECT_EQ(ProblemKindOfNumber(ToNumber(kind)), kind);
    }
    EXPECT_EQ(KindName(ProblemKind::FactoriseCompletely), "factor-full");
}

TEST(ProblemKind, NumbersOutsideTheFourAreRefused) {
    for (const std::int32_t number : {-1, 4, 1000}) {
        SCOPED_TRACE(number);
        EXPECT_FALSE(ProblemKindOfNumber(number));
        EXPECT_EQ(KindName(static_cast<ProblemKind>(number)), "");
    }
    // A wider number is not cut to its low bits.
    EXPECT_FALSE(ProblemKindOfNumber(std::int64_t{1} << 32));
}

} // namespace
