// The work budget of a solve, and the number operations that must stop at a limit instead of
// computing on with a placeholder.

#include "model/WorkBudget.h"
#include "model/CLongInteger.h"
#include "model/CNumber.h"
#include "model/EngineLimits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class WorkBudgetTest : public ::testing::Test {
protected:
    void SetUp() override { CNumber::ResetLimitExceeded(); }
    void TearDown() override { CNumber::ResetLimitExceeded(); }
};

} // namespace

TEST_F(WorkBudgetTest, OutsideASolveNothingIsCounted) {
    EXPECT_TRUE(WorkBudget::Charge(EngineLimits::kMaxSolveWork * 10));
    EXPECT_FALSE(WorkBudget::Exhausted());
    EXPECT_EQ(WorkBudget::Current().work, 0);
    EXPECT_FALSE(CNumber::LimitExceeded());
}

TEST_F(WorkBudgetTest, SpentWorkReportsTheLimitFlagAndStaysSpent) {
    const WorkBudget::Scope budget(WorkBudget::Limits{100, 10, 1000});
    EXPECT_TRUE(WorkBudget::Charge(60));
    EXPECT_TRUE(WorkBudget::Charge(40));
    EXPECT_FALSE(CNumber::LimitExceeded());
    EXPECT_FALSE(WorkBudget::Charge(1));
    EXPECT_TRUE(WorkBudget::Exhausted());
    EXPECT_TRUE(CNumber::LimitExceeded());
    // Even a charge of nothing fails now: a spent budget never recovers within its solve.
    EXPECT_FALSE(WorkBudget::Charge(0));
}

TEST_F(WorkBudgetTest, AWorkLumpThatDoesNotFitIsRefusedUncounted) {
    const WorkBudget::Scope budget(WorkBudget::Limits{100, 10, 1000});
    EXPECT_TRUE(WorkBudget::ChargeAhead(70));
    EXPECT_FALSE(WorkBudget::ChargeAhead(EngineLimits::kMaxSolveWork));
    EXPECT_EQ(WorkBudget::Current().work, 70);
    EXPECT_TRUE(WorkBudget::Exhausted());
    EXPECT_TRUE(CNumber::LimitExceeded());
    EXPECT_FALSE(WorkBudget::ChargeAhead(0));
}

TEST_F(WorkBudgetTest, RecordsAndTheirTextAreBoundedSeparately) {
    {
        const WorkBudget::Scope budget(WorkBudget::Limits{1000, 2, 1000});
        EXPECT_TRUE(WorkBudget::ChargeRecord(10));
        EXPECT_TRUE(WorkBudget::ChargeRecord(0));
        EXPECT_FALSE(WorkBudget::ChargeRecord(0));
    }
    CNumber::ResetLimitExceeded();
    const WorkBudget::Scope budget(WorkBudget::Limits{1000, 100, 50});
    EXPECT_TRUE(WorkBudget::ChargeRecord(50));
    EXPECT_FALSE(WorkBudget::ChargeRecord(1));
    EXPECT_EQ(WorkBudget::Current().recordTextBytes, 51u);
}

TEST_F(WorkBudgetTest, ScopesNestAndReportWhatTheyCounted) {
    const WorkBudget::Scope outer(WorkBudget::Limits{1000, 10, 1000});
    WorkBudget::Charge(7);
    {
        const WorkBudget::Scope inner(WorkBudget::Limits{5, 10, 1000});
        EXPECT_FALSE(WorkBudget::Charge(6));
    }
    EXPECT_EQ(WorkBudget::LastFinished().work, 6);
    EXPECT_TRUE(WorkBudget::LastFinished().exhausted);
    EXPECT_EQ(WorkBudget::Current().work, 7);
    EXPECT_FALSE(WorkBudget::Exhausted());
}

TEST_F(WorkBudgetTest, LongArithmeticIsCharged) {
    const WorkBudget::Scope budget;
    const CLongInteger a(std::string(1000, '9'));
    const CLongInteger product = a.Multiply(a);
    // 112 limbs by 112 limbs.
    EXPECT_GE(WorkBudget::Current().work, 112 * 112);
    EXPECT_EQ(product.DigitCount(), 2000);
}

// The gcd of numbers near the digit limit: Lehmer's combined steps multiply a value of the full
// length by an 18-digit factor, which once passed the limit, was replaced by the placeholder 1 and
// gave a wrong gcd (2) or no progress at all (a hang). Expected values by Python's math.gcd.
TEST_F(WorkBudgetTest, GcdAtTheDigitLimitIsExact) {
    const std::size_t limit = EngineLimits::kMaxNumberDigits;
    const CLongInteger nines(std::string(limit, '9'));
    EXPECT_EQ(CLongInteger::Gcd(nines, CLongInteger(std::string(limit - 2, '7'))).ToText(), "33");
    EXPECT_EQ(CLongInteger::Gcd(nines, CLongInteger(std::string(limit - 1, '7'))).ToText(), "1");
    EXPECT_EQ(CLongInteger::Gcd(nines, CLongInteger(std::string(limit - 4, '9'))).ToText(), "9999");
    EXPECT_FALSE(CNumber::LimitExceeded());
}

TEST_F(WorkBudgetTest, GcdStopsAtOnceWhenTheBudgetRunsOut) {
    const std::size_t limit = EngineLimits::kMaxNumberDigits;
    const WorkBudget::Scope budget(WorkBudget::Limits{1000, 10, 1000});
    const CLongInteger gcd =
        CLongInteger::Gcd(CLongInteger(std::string(limit, '9')), CLongInteger(std::string(limit - 2, '7')));
    EXPECT_TRUE(CNumber::LimitExceeded());
    EXPECT_EQ(gcd.ToText(), "1");
    EXPECT_LT(WorkBudget::Current().work, 1'000'000);
}
