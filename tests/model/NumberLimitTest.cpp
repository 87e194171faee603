// The size limit on numbers: results that would be too long are never computed; a sticky flag
// reports them instead.

#include "model/CNumber.h"
#include "model/EngineLimits.h"
#include "tests/support/NumberTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

using numtest::Num;

constexpr int kLimit = static_cast<int>(EngineLimits::kMaxNumberDigits);

class NumberLimit : public ::testing::Test {
protected:
    void SetUp() override { CNumber::ResetLimitExceeded(); }
    void TearDown() override { CNumber::ResetLimitExceeded(); }
};

} // namespace

TEST_F(NumberLimit, HugePowerIsRefusedWithoutComputing) {
    const auto start = std::chrono::steady_clock::now();
    std::optional<CNumber> power = CNumber(9).PowerOf(Num("99999999"));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(CNumber::LimitExceeded());
    ASSERT_TRUE(power.has_value());
    EXPECT_LT(power->ToText().size(), 10u);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 100);
}

TEST_F(NumberLimit, FlagIsStickyUntilReset) {
    (void)CNumber(2).PowerOf(Num("1000000"));
    ASSERT_TRUE(CNumber::LimitExceeded());
    CNumber small = CNumber(2).Sum(CNumber(3));
    EXPECT_EQ(small.ToText(), "5");
    EXPECT_TRUE(CNumber::LimitExceeded());
    CNumber::ResetLimitExceeded();
    EXPECT_FALSE(CNumber::LimitExceeded());
}

TEST_F(NumberLimit, ResultsWithinTheLimitAreExact) {
    std::optional<CNumber> power = CNumber(2).PowerOf(10000);
    ASSERT_TRUE(power.has_value());
    EXPECT_FALSE(CNumber::LimitExceeded());
    EXPECT_EQ(power->ToText().size(), 3011u);
    EXPECT_EQ(power->ToText().substr(0, 10), "1995063116");
    // Powers of 1, -1 and 0 never grow, whatever the exponent.
    EXPECT_EQ(CNumber(-1).PowerOf(Num("99999999999999999999999"))->ToText(), "-1");
    EXPECT_EQ(CNumber(0).PowerOf(Num("99999999999999999999999"))->ToText(), "0");
    EXPECT_EQ(Num("1,0").PowerOf(Num("99999999999999999999999"))->ToText(), "1");
    EXPECT_EQ(Num("2/2").PowerOf(Num("99999999999999999999999"))->ToText(), "1");
    EXPECT_EQ(Num("0@{3/3}").PowerOf(Num("99999999999999999999999"))->ToText(), "1");
    EXPECT_FALSE(CNumber::LimitExceeded());
}

TEST_F(NumberLimit, EveryWayOfGrowingPastTheLimitIsReported) {
    const std::string longDigits(static_cast<size_t>(kLimit / 2 + 10), '7');
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"product", [&] { (void)Num(longDigits).Product(Num(longDigits)); }},
        {"decimal power", [&] { (void)Num("0,5").PowerOf(Num("100000")); }},
        {"negative power", [&] { (void)CNumber(3).PowerOf(-100000); }},
        {"fraction power", [&] { (void)Num("2/3").PowerOf(12000); }},
        {"text", [&] { (void)Num(std::string(static_cast<size_t>(kLimit + 1), '1')); }},
        {"decimal text", [&] { (void)Num("0," + std::string(static_cast<size_t>(kLimit + 1), '1')); }},
        {"decimal quotient",
         [&] {
             CNumber tiny = CNumber(1);
             for (int i = 0; i < 9 && !CNumber::LimitExceeded(); ++i) {
                 tiny.DivideInPlace(CNumber(2).PowerOf(1000).value());
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNumber::ResetLimitExceeded();
        c.run();
        EXPECT_TRUE(CNumber::LimitExceeded());
    }
}

TEST_F(NumberLimit, RootsAndPrimesOfLongNumbersStayFast) {
    const auto start = std::chrono::steady_clock::now();
    const CNumber base = Num(std::string(1000, '3'));
    std::optional<CNumber> square = base.PowerOf(2);
    ASSERT_TRUE(square.has_value());
    std::optional<CNumber> root = square->ExactRoot(2);
    ASSERT_TRUE(root.has_value());
    EXPECT_TRUE(root->Equal(base));
    EXPECT_FALSE(square->Sum(CNumber(1)).ExactRoot(2).has_value());
    EXPECT_FALSE(square->ExactRoot(3).has_value());
    EXPECT_FALSE(square->ExactRoot(Num("1000000000")).has_value());
    EXPECT_TRUE(square->CeilSqrt()->Equal(base));
    EXPECT_FALSE(square->IsPrime());
    EXPECT_FALSE(CNumber::LimitExceeded());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

TEST_F(NumberLimit, ComparisonsOfLongValuesNeverReport) {
    const std::string digits(static_cast<size_t>(kLimit - 10), '8');
    const CNumber bigFraction = Num(digits + "/" + digits.substr(1) + "7");
    const CNumber otherFraction = Num(digits.substr(1) + "9/" + digits);
    const CNumber bigDecimal = Num(digits + ",5");
    const CNumber tinyDecimal = Num("0," + std::string(static_cast<size_t>(kLimit - 10), '0') + "1");
    EXPECT_TRUE(bigFraction.Greater(otherFraction));
    EXPECT_TRUE(tinyDecimal.Less(bigDecimal));
    EXPECT_TRUE(tinyDecimal.Greater(0));
    EXPECT_TRUE(bigDecimal.Greater(bigFraction));
    EXPECT_FALSE(CNumber::LimitExceeded());
}
