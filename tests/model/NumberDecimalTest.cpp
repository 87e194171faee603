// Long decimals and the long-integer operations that the number classes build on.

#include "model/CLongDecimal.h"
#include "model/CLongInteger.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

CLongDecimal Dec(const char* text) {
    return CLongDecimal(std::string_view(text));
}

CLongInteger Int(const char* text) {
    const bool negative = text[0] == '-';
    CLongInteger value{std::string_view(negative ? text + 1 : text)};
    if (negative) {
        value.Negate();
    }
    return value;
}

} // namespace

TEST(LongDecimal, ReadsWritesAndNormalizes) {
    struct Case {
        const char* text;
        const char* written;
        const char* normalized;
    };
    const Case cases[] = {
        {"3,50", "3,50", "3,5"}, {"2,0", "2,0", "2"},     {"0,050", "0,050", "0,05"},
        {"007,5", "7,5", "7,5"}, {"0,000", "0,000", "0"}, {"12", "12", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CLongDecimal value = Dec(c.text);
        EXPECT_EQ(value.ToText(), c.written);
        value.Normalize();
        EXPECT_EQ(value.ToText(), c.normalized);
    }
    CLongDecimal negative = Dec("0,05");
    negative.Negate();
    EXPECT_EQ(negative.ToText(), "-0,05");
}

TEST(LongDecimal, Arithmetic) {
    EXPECT_EQ(Dec("0,1").Add(Dec("0,2")).ToText(), "0,3");
    EXPECT_EQ(Dec("0,75").Add(Dec("0,25")).ToText(), "1");
    EXPECT_EQ(Dec("1").Subtract(Dec("1,001")).ToText(), "-0,001");
    EXPECT_EQ(Dec("1,5").Multiply(Dec("0,4")).ToText(), "0,6");
    EXPECT_EQ(Dec("0,25").Multiply(CLongInteger(4)).ToText(), "1");
    EXPECT_EQ(Dec("0,5").Power(CLongInteger(3)).ToText(), "0,125");
    EXPECT_EQ(Dec("10,0").Power(CLongInteger(3)).ToText(), "1000");
    EXPECT_EQ(Dec("7").Power(CLongInteger(0)).ToText(), "1");
    EXPECT_EQ(Dec("1").Divide(Dec("8"))->ToText(), "0,125");
    EXPECT_EQ(Dec("0,3").Divide(Dec("0,03"))->ToText(), "10");
    EXPECT_EQ(Dec("-1,5").Divide(Dec("0,4"))->ToText(), "-3,75");
    EXPECT_EQ(Dec("1,5").Divide(Dec("-0,004"))->ToText(), "-375");
    EXPECT_FALSE(Dec("1").Divide(Dec("3")).has_value());
    EXPECT_FALSE(Dec("1").Divide(Dec("0,0")).has_value());
}

TEST(LongDecimal, ComparesAndConverts) {
    EXPECT_TRUE(Dec("0,5").Equal(Dec("0,50")));
    EXPECT_TRUE(Dec("0,49").Less(Dec("0,5")));
    EXPECT_TRUE(Dec("-0,5").Less(Dec("0,01")));
    EXPECT_TRUE(Dec("-0,5").Less(Dec("-0,49")));
    EXPECT_TRUE(Dec("2").LessEqual(Dec("2,00")));
    EXPECT_TRUE(Dec("1,000").IsOne());
    EXPECT_FALSE(Dec("1,001").IsOne());
    EXPECT_TRUE(Dec("0,00").IsZero());
    EXPECT_EQ(Dec("12,75").IntegerPart().ToText(), "12");
    CLongDecimal negative = Dec("12,75");
    negative.Negate();
    EXPECT_EQ(negative.IntegerPart().ToText(), "-12");
    auto [numerator, denominator] = Dec("3,25").ToFraction();
    EXPECT_EQ(numerator.ToText(), "325");
    EXPECT_EQ(denominator.ToText(), "100");
}

TEST(LongInteger, DivModSettlesSigns) {
    struct Case {
        const char* a;
        const char* d;
        const char* q;
        const char* r;
    };
    const Case cases[] = {
        {"-7", "2", "-4", "1"},
        {"7", "-2", "-3", "1"},
        {"-7", "-2", "4", "1"},
        {"7", "2", "3", "1"},
        {"-6", "2", "-3", "0"},
        {"6", "-2", "-3", "0"},
        {"0", "-5", "0", "0"},
        {"-1000000000000000000000000000007", "2", "-500000000000000000000000000004", "1"},
        {"-1000000000000000000000000000007", "-1000000000000000000000", "1000000001",
         "999999999999999999993"},
        {"1000000000000000000000000000007", "-1000000000000000000000", "-1000000000", "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " divmod " + c.d);
        auto result = Int(c.a).DivMod(Int(c.d));
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->first.ToText(), c.q);
        EXPECT_EQ(result->second.ToText(), c.r);
    }
    EXPECT_FALSE(Int("5").DivMod(CLongInteger()).has_value());
}

TEST(LongInteger, LongDivisionCorrectsItsDigitEstimates) {
    // Divisors whose leading limb is small or large, and dividends of nines, push the quotient
    // digit estimate to its corrections.
    const char* dividends[] = {"999999999999999999999999999999999999999999999",
                               "1000000000000000000000000000000000000000000000000000",
                               "123456789012345678901234567890123456789012345678901234567890"};
    const char* divisors[] = {"1000000000000000000001", "999999999999999999999",
                              "500000000000000000000000000001", "1000000001000000001",
                              "4294967296000000000123"};
    for (const char* a : dividends) {
        for (const char* d : divisors) {
            SCOPED_TRACE(std::string(a) + " / " + d);
            auto result = Int(a).DivMod(Int(d));
            ASSERT_TRUE(result.has_value());
            EXPECT_TRUE(result->second.Less(Int(d)));
            EXPECT_FALSE(result->second.IsNegative());
            EXPECT_EQ(result->first.Multiply(Int(d)).Add(result->second), Int(a));
        }
    }
}

TEST(LongInteger, SmallHelpers) {
    CLongInteger a(12);
    CLongInteger b(18);
    EXPECT_FALSE(CLongInteger::ReduceByGcd(a, b));
    EXPECT_EQ(a.ToText(), "2");
    EXPECT_EQ(b.ToText(), "3");
    EXPECT_TRUE(CLongInteger::ReduceByGcd(a, b));

    int twos = -1;
    int fives = -1;
    EXPECT_TRUE(CLongInteger(400).OnlyFactorsTwoAndFive(&twos, &fives));
    EXPECT_EQ(twos, 4);
    EXPECT_EQ(fives, 2);
    EXPECT_FALSE(CLongInteger(30).OnlyFactorsTwoAndFive());
    EXPECT_FALSE(CLongInteger(0).OnlyFactorsTwoAndFive());
    EXPECT_TRUE(CLongInteger(-1).OnlyFactorsTwoAndFive());
    EXPECT_TRUE(Int("1267650600228229401496703205376").OnlyFactorsTwoAndFive(&twos, &fives)); // 2^100
    EXPECT_EQ(twos, 100);
    EXPECT_EQ(fives, 0);

    uint32_t power = 0;
    EXPECT_EQ(Int("1234567890123").LowDigitsValue(power), 567890123u);
    EXPECT_EQ(power, 1000000000u);
    EXPECT_EQ(CLongInteger(-42).LowDigitsValue(power), 42u);
    EXPECT_EQ(power, 100u);

    CLongInteger counter(999'999'999);
    counter.Increment();
    EXPECT_EQ(counter.ToText(), "1000000000");
    CLongInteger big = Int("999999999999999999");
    big.Increment();
    EXPECT_EQ(big.ToText(), "1000000000000000000");
    big.SubtractInPlace(CLongInteger(1));
    EXPECT_EQ(big.ToText(), "999999999999999999");
    EXPECT_TRUE(CLongInteger(-0).Equal(CLongInteger()));
    EXPECT_TRUE(Int("-1000000000000000000000").Less(Int("-999999999999999999999")));
    EXPECT_TRUE(Int("-1000000000000000000000").Less(3));
    EXPECT_TRUE(Int("1000000000000000000000").IsEven());
    EXPECT_EQ(Int("20000000000000000000000").Square().ToText(),
              "400000000000000000000000000000000000000000000");
    EXPECT_FALSE(CLongInteger::Lcm(CLongInteger(0), CLongInteger(3)).has_value());
    EXPECT_EQ(CLongInteger::Lcm(CLongInteger(-4), CLongInteger(6))->ToText(), "12");
    EXPECT_EQ(CLongInteger(-2).Power(Int("1000000000000000000000000")).ToText(), "1");
}

TEST(LongInteger, GcdOfLongValuesMatchesPlainEuclid) {
    // gcd(F(m), F(n)) = F(gcd(m, n)) for Fibonacci numbers, the slowest inputs for Euclid.
    std::vector<CLongInteger> fibonacci{CLongInteger(0), CLongInteger(1)};
    while (fibonacci.size() < 3000) {
        fibonacci.push_back(fibonacci[fibonacci.size() - 1].Add(fibonacci[fibonacci.size() - 2]));
    }
    const std::pair<int, int> pairs[] = {{2999, 2998}, {2400, 1800}, {2997, 999}, {1024, 768}, {2310, 2100}};
    for (auto [m, n] : pairs) {
        SCOPED_TRACE(std::to_string(m) + ", " + std::to_string(n));
        EXPECT_EQ(CLongInteger::Gcd(fibonacci[static_cast<size_t>(m)], fibonacci[static_cast<size_t>(n)]),
                  fibonacci[static_cast<size_t>(std::gcd(m, n))]);
    }
    // Against Euclid's algorithm written with DivMod, on values sharing a long common factor.
    std::mt19937_64 engine(5);
    auto randomValue = [&engine](int digits) {
        std::string text(static_cast<size_t>(digits), '0');
        for (char& c : text) {
            c = static_cast<char>('0' + engine() % 10);
        }
        text[0] = '1';
        return CLongInteger(std::string_view(text));
    };
    for (int i = 0; i < 200; ++i) {
        const CLongInteger common = randomValue(1 + static_cast<int>(engine() % 80));
        CLongInteger a = randomValue(1 + static_cast<int>(engine() % 200)).Multiply(common);
        CLongInteger b = randomValue(1 + static_cast<int>(engine() % 200)).Multiply(common);
        if (engine() % 3 == 0) {
            a.Negate();
        }
        CLongInteger x = a.Abs();
        CLongInteger y = b.Abs();
        while (!y.IsZero()) {
            CLongInteger r = x.DivMod(y)->second;
            x = y;
            y = r;
        }
        SCOPED_TRACE(a.ToText() + " , " + b.ToText());
        EXPECT_EQ(CLongInteger::Gcd(a, b), x);
    }
}
