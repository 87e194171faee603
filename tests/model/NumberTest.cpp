// Exact numbers: reading, writing, normal forms and the documented edge cases of each operation.

#include "model/CNumber.h"
#include "tests/support/NumberTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using numtest::Num;

std::string Text(const CNumber& number) {
    return number.ToText();
}

std::string Text(const std::optional<CNumber>& number) {
    return number ? number->ToText() : "none";
}

struct BinaryCase {
    const char* a;
    const char* b;
    const char* expected;
};

} // namespace

TEST(NumberReading, KeepsWrittenFormAndNormalizesDecimals) {
    struct Case {
        const char* text;
        const char* written;
        CNumber::Kind kind;
    };
    const Case cases[] = {
        {"0,50", "0,5", CNumber::kDecimal},    {"3,0", "3", CNumber::kDecimal},
        {"2/4", "2/4", CNumber::kFraction},    {"2@{1/3}", "2@{1/3}", CNumber::kMixed},
        {"2@1/3", "2@{1/3}", CNumber::kMixed}, {"007", "7", CNumber::kInteger},
        {"0", "0", CNumber::kInteger},         {"12,034", "12,034", CNumber::kDecimal},
        {"0,001", "0,001", CNumber::kDecimal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CNumber number = Num(c.text);
        EXPECT_EQ(Text(number), c.written);
        EXPECT_EQ(number.GetKind(), c.kind);
        EXPECT_TRUE(number.IsComplete());
    }
}

TEST(NumberReading, StopsAtFollowersAndReportsErrors) {
    struct Case {
        const char* text;
        int error;
        std::size_t stop; // position after the number when it succeeded
        const char* written;
    };
    const Case cases[] = {
        {"2@{1/3", CNumber::kParseMixedUnclosed, 0, ""},
        {"2@3", CNumber::kParseMixedNoSlash, 0, ""},
        {"1,x", CNumber::kParseBadFollower, 0, ""},
        {"5<", CNumber::kParseBadFollower, 0, ""},
        {"1,", CNumber::kParseBadFollower, 0, ""},
        {"3/x", 0, 1, "3"},     // "/" without a digit is the fraction operator
        {"3/4+x", 0, 3, "3/4"}, // the fraction ends at a follower
        {"12x", 0, 2, "12"},    // a letter may follow
        {"2,5*y", 0, 3, "2,5"}, // a decimal ends at a follower
        {"1@{2/3}^2", 0, 7, "1@{2/3}"},
        {"7 ", CNumber::kParseBadFollower, 0, ""},
        {"2/3@", CNumber::kParseBadFollower, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CNumber number;
        std::size_t position = 0;
        EXPECT_EQ(number.ParseText(c.text, position), c.error);
        if (c.error == 0) {
            EXPECT_EQ(position, c.stop);
            EXPECT_EQ(Text(number), c.written);
        } else {
            EXPECT_FALSE(number.IsComplete());
        }
    }
}

TEST(NumberReading, ReadsFromTheMiddleOfAFormula) {
    const std::string formula = "x+25,5-y";
    std::size_t position = 2;
    CNumber number;
    ASSERT_EQ(number.ParseText(formula, position), 0);
    EXPECT_EQ(position, 6u);
    EXPECT_EQ(Text(number), "25,5");
}

TEST(NumberArithmetic, NormalizesResults) {
    const BinaryCase sums[] = {
        {"2/4", "0", "0,5"},     {"1/3", "1/6", "0,5"}, {"1/3", "1/3", "2/3"}, {"0,1", "1/3", "13/30"},
        {"2@{1/2}", "1", "3,5"}, {"0,5", "0,5", "1"},   {"1/4", "3/4", "1"},   {"1,25", "2", "3,25"},
        {"1/3", "2/3", "1"},     {"0,3", "0,7", "1"},
    };
    for (const BinaryCase& c : sums) {
        SCOPED_TRACE(std::string(c.a) + " + " + c.b);
        EXPECT_EQ(Text(Num(c.a).Sum(Num(c.b))), c.expected);
    }
    const BinaryCase products[] = {
        {"1/2", "2", "1"},   {"0,5", "0,5", "0,25"}, {"2/3", "3/4", "0,5"},
        {"1,5", "2/3", "1"}, {"4", "0,25", "1"},
    };
    for (const BinaryCase& c : products) {
        SCOPED_TRACE(std::string(c.a) + " * " + c.b);
        EXPECT_EQ(Text(Num(c.a).Product(Num(c.b))), c.expected);
    }
    const BinaryCase quotients[] = {
        {"7", "2", "3,5"},   {"1", "3", "1/3"},     {"6", "3", "2"},      {"0,5", "0,25", "2"},
        {"1", "8", "0,125"}, {"2/3", "4/9", "1,5"}, {"1", "0,3", "10/3"},
    };
    for (const BinaryCase& c : quotients) {
        SCOPED_TRACE(std::string(c.a) + " : " + c.b);
        EXPECT_EQ(Text(Num(c.a).Quotient(Num(c.b))), c.expected);
    }
}

TEST(NumberArithmetic, KeepsTheSignOnTheNumerator) {
    CNumber minusOne(-1);
    EXPECT_EQ(Text(minusOne.Quotient(CNumber(3))), "-1/3");
    EXPECT_EQ(Text(CNumber(1).Quotient(CNumber(-3))), "-1/3");
    EXPECT_EQ(Text(CNumber(-1).Quotient(CNumber(-3))), "1/3");
    EXPECT_EQ(Text(CNumber(3).Difference(Num("3,5"))), "-0,5");
    EXPECT_EQ(Text(CNumber(1).Difference(Num("4/3"))), "-1/3");
    // Zero never carries a sign.
    EXPECT_EQ(Text(CNumber(-5).Product(CNumber(0))), "0");
    EXPECT_EQ(Text(Num("0,5").Product(CNumber(0)).Product(CNumber(-1))), "0");
}

TEST(NumberArithmetic, InPlaceWithMachineIntegers) {
    CNumber value = Num("1/3");
    value.AddInPlace(1);
    EXPECT_EQ(Text(value), "4/3");
    value.MultiplyInPlace(3);
    EXPECT_EQ(Text(value), "4");
    value.SubtractInPlace(6);
    EXPECT_EQ(Text(value), "-2");
    value.DivideInPlace(8);
    EXPECT_EQ(Text(value), "-0,25");
    ASSERT_TRUE(value.PowerInPlace(-1));
    EXPECT_EQ(Text(value), "-4");
}

TEST(NumberArithmetic, DivisionByZeroLeavesZero) {
    CNumber value(5);
    value.DivideInPlace(CNumber(0));
    EXPECT_TRUE(value.IsZero());
    EXPECT_TRUE(Num("2/3").Quotient(Num("0,0")).IsZero());
}

TEST(NumberPower, CoversEveryKind) {
    struct Case {
        const char* base;
        int exponent;
        const char* expected;
    };
    const Case cases[] = {
        {"2/3", 2, "4/9"},
        {"2", -2, "0,25"},
        {"0,5", 2, "0,25"},
        {"2@{1/2}", 2, "6,25"},
        {"5", 0, "1"},
        {"0", 0, "1"},
        {"0", 3, "0"},
        {"1,5", -1, "2/3"},
        {"10", 20, "100000000000000000000"},
        {"2/4", 1, "0,5"},
        {"3", 1, "3"},
        {"1,1", 2, "1,21"},
        {"3", -2, "1/9"},
        {"2", 64, "18446744073709551616"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " ^ " + std::to_string(c.exponent));
        EXPECT_EQ(Text(Num(c.base).PowerOf(c.exponent)), c.expected);
    }
    EXPECT_EQ(Text(CNumber(-2).PowerOf(3)), "-8");
    EXPECT_EQ(Text(CNumber(-2).PowerOf(-3)), "-0,125");
    EXPECT_EQ(Text(CNumber(-1).PowerOf(Num("1000000000000000000000001"))), "-1");
}

TEST(NumberPower, RefusesWhatHasNoValue) {
    EXPECT_FALSE(CNumber(0).PowerOf(-1).has_value());
    EXPECT_FALSE(CNumber(2).PowerOf(Num("1/2")).has_value());
    // A whole exponent of another kind is accepted.
    EXPECT_EQ(Text(CNumber(2).PowerOf(Num("4/2"))), "4");
    CNumber unchanged(7);
    EXPECT_FALSE(unchanged.PowerInPlace(Num("0,5")));
    EXPECT_EQ(Text(unchanged), "7");
}

TEST(NumberRoot, ExactRootsAndTheirAbsence) {
    struct Case {
        const char* radicand;
        int degree;
        const char* expected;
    };
    const Case cases[] = {
        {"9", 2, "3"},
        {"2", 2, "none"},
        {"9/16", 2, "0,75"},
        {"0,25", 2, "0,5"},
        {"-8", 3, "-2"},
        {"-4", 2, "none"},
        {"5", 0, "1"},
        {"-5", 0, "1"},
        {"0", 0, "none"},
        {"0", 3, "0"},
        {"1", 7, "1"},
        {"17", 1, "17"},
        {"8", -3, "none"},
        {"1024", 10, "2"},
        {"1025", 10, "none"},
        {"2/8", 2, "0,5"},
        {"8/27", 3, "2/3"},
        {"2@{1/4}", 2, "1,5"},
        {"1/2", 2, "none"},
        {"-1", 5, "-1"},
        {"1000000000000000000000000000000", 3, "10000000000"},
        {"999999999999999999999999999999", 3, "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.radicand) + " root " + std::to_string(c.degree));
        CNumber radicand = c.radicand[0] == '-' ? Num(c.radicand + 1).Product(CNumber(-1)) : Num(c.radicand);
        EXPECT_EQ(Text(radicand.ExactRoot(c.degree)), c.expected);
    }
    EXPECT_FALSE(CNumber(4).ExactRoot(Num("1/2")).has_value());
    EXPECT_FALSE(CNumber(4).ExactRoot(Num("100000000000000000000000")).has_value());
    EXPECT_EQ(Text(CNumber(-1).ExactRoot(Num("100000000000000000000001"))), "-1");
}

TEST(NumberTheory, GcdLcmCeilSqrtPrime) {
    EXPECT_EQ(Text(CNumber::GcdOf(CNumber(12), CNumber(18))), "6");
    EXPECT_EQ(Text(CNumber::GcdOf(CNumber(0), CNumber(5))), "5");
    EXPECT_EQ(Text(CNumber::GcdOf(CNumber(-12), CNumber(-18))), "6");
    EXPECT_EQ(Text(CNumber::GcdOf(Num("1/2"), CNumber(4))), "1");
    EXPECT_EQ(Text(CNumber::LcmOf(CNumber(4), CNumber(6))), "12");
    EXPECT_EQ(Text(CNumber::LcmOf(CNumber(-4), CNumber(6))), "12");
    EXPECT_EQ(Text(CNumber::LcmOf(CNumber(0), CNumber(6))), "none");
    EXPECT_EQ(Text(CNumber::LcmOf(Num("1/2"), CNumber(6))), "3");

    EXPECT_EQ(Text(CNumber(10).CeilSqrt()), "4");
    EXPECT_EQ(Text(CNumber(16).CeilSqrt()), "4");
    EXPECT_EQ(Text(CNumber(0).CeilSqrt()), "0");
    EXPECT_EQ(Text(CNumber(1).CeilSqrt()), "1");
    EXPECT_EQ(Text(CNumber(-4).CeilSqrt()), "none");
    EXPECT_EQ(Text(Num("2,5").CeilSqrt()), "none");

    EXPECT_FALSE(CNumber(1).IsPrime());
    EXPECT_FALSE(CNumber(0).IsPrime());
    EXPECT_TRUE(CNumber(2).IsPrime());
    EXPECT_TRUE(CNumber(-7).IsPrime());
    EXPECT_FALSE(CNumber(91).IsPrime());
    EXPECT_TRUE(Num("1000000007").IsPrime());
    EXPECT_TRUE(Num("2305843009213693951").IsPrime());  // 2^61 - 1
    EXPECT_FALSE(Num("3825123056546413051").IsPrime()); // strong pseudoprime to bases up to 23
    EXPECT_TRUE(Num("170141183460469231731687303715884105727").IsPrime()); // 2^127 - 1
    EXPECT_FALSE(Num("170141183460469231731687303715884105729").IsPrime());
    EXPECT_FALSE(Num("7/1").IsPrime());

    EXPECT_TRUE(CNumber::Divides(CNumber(12), CNumber(4)));
    EXPECT_FALSE(CNumber::Divides(CNumber(12), CNumber(5)));
    EXPECT_TRUE(CNumber::Divides(Num("1/2"), CNumber(5)));
    EXPECT_FALSE(CNumber::Divides(CNumber(3), CNumber(0)));
}

TEST(NumberConversion, ToIntClampsAndOtherKindsGiveZero) {
    EXPECT_EQ(CNumber(100000).ToInt(), 32767);
    EXPECT_EQ(CNumber(-100000).ToInt(), -32767);
    EXPECT_EQ(CNumber(32767).ToInt(), 32767);
    EXPECT_EQ(CNumber(-32768).ToInt(), -32767);
    EXPECT_EQ(CNumber(-12).ToInt(), -12);
    EXPECT_EQ(Num("100000000000000000000000").ToInt(), 32767);
    EXPECT_EQ(Num("2,5").ToInt(), 0);
}

TEST(NumberConversion, KindChanges) {
    CNumber fraction = CNumber(3);
    fraction.ToFraction();
    EXPECT_EQ(Text(fraction), "3/1");
    CNumber decimal = Num("3,25");
    decimal.ToFraction();
    EXPECT_EQ(Text(decimal), "325/100");
    CNumber mixed = Num("2@{1/3}");
    mixed.ToFraction();
    EXPECT_EQ(Text(mixed), "7/3");

    CNumber whole = Num("6/3");
    EXPECT_TRUE(whole.ToInteger());
    EXPECT_EQ(Text(whole), "2");
    CNumber third = Num("1/3");
    EXPECT_FALSE(third.ToInteger());
    EXPECT_FALSE(third.ToDecimal());
    EXPECT_EQ(Text(third), "1/3");
    CNumber eighth = Num("2/16");
    EXPECT_TRUE(eighth.ToDecimal());
    EXPECT_EQ(Text(eighth), "0,125");

    struct Case {
        const char* text;
        const char* truncated;
        const char* negatedTruncated;
    };
    const Case truncations[] = {
        {"3,75", "3", "-3"}, {"7/2", "3", "-3"}, {"2@{3/2}", "3", "-3"}, {"0,5", "0", "0"}};
    for (const Case& c : truncations) {
        SCOPED_TRACE(c.text);
        CNumber value = Num(c.text);
        value.TruncateToInteger();
        EXPECT_EQ(Text(value), c.truncated);
        value = Num(c.text);
        value.Negate();
        value.TruncateToInteger();
        EXPECT_EQ(Text(value), c.negatedTruncated);
    }
}

TEST(NumberConversion, ReciprocalSignAndDenominator) {
    CNumber value(-4);
    value.Reciprocal();
    EXPECT_EQ(Text(value), "-1/4");
    value.Normalize();
    EXPECT_EQ(Text(value), "-0,25");
    value.Reciprocal();
    EXPECT_EQ(Text(value), "-100/25");

    CNumber negative = Num("2/3");
    negative.Negate();
    EXPECT_EQ(negative.TakeSign(), -1);
    EXPECT_EQ(Text(negative), "2/3");
    EXPECT_EQ(negative.TakeSign(), 1);
    CNumber zero;
    EXPECT_EQ(zero.TakeSign(), 1);

    EXPECT_EQ(CNumber(5).Denominator().ToText(), "1");
    EXPECT_EQ(Num("3,25").Denominator().ToText(), "100");
    EXPECT_EQ(Num("4/6").Denominator().ToText(), "3");
    EXPECT_EQ(Num("1@{2/4}").Denominator().ToText(), "2");
}

TEST(NumberComparison, ComparesValuesAcrossKinds) {
    EXPECT_TRUE(Num("0,5").Equal(Num("1/2")));
    EXPECT_TRUE(Num("2@{1/2}").Equal(Num("5/2")));
    EXPECT_TRUE(Num("2/4").Equal(Num("0,5")));
    EXPECT_TRUE(Num("3,0").Equal(CNumber(3)));
    EXPECT_TRUE(Num("1/3").Less(Num("0,34")));
    EXPECT_TRUE(Num("0,33").Less(Num("1/3")));
    EXPECT_TRUE(CNumber(-1).Less(Num("1/1000")));
    EXPECT_TRUE(Num("7/2").GreaterEqual(Num("3,5")));
    EXPECT_TRUE(Num("7/2").Greater(3));
    EXPECT_TRUE(Num("7/2").Less(4));
    EXPECT_TRUE(Num("7/2").LessEqual(4));
    EXPECT_TRUE(Num("7/2").NotEqual(Num("3,4")));
    EXPECT_TRUE(Num("100000000000000000000").Greater(Num("99999999999999999999,5")));
}

TEST(NumberTests, ZeroOneSignWhole) {
    EXPECT_TRUE(Num("0,0").IsZero());
    EXPECT_TRUE(Num("0/5").IsZero());
    EXPECT_TRUE(Num("3/3").IsOne());
    EXPECT_TRUE(Num("1,00").IsOne());
    EXPECT_FALSE(Num("1@{1/2}").IsOne());
    EXPECT_EQ(Num("2@{1/3}").Sign(), 1);
    EXPECT_EQ(CNumber(-3).Sign(), -1);
    EXPECT_EQ(CNumber(0).Sign(), 0);
    EXPECT_TRUE(Num("4/2").IsWhole());
    EXPECT_TRUE(Num("4/2").IsEvenInteger());
    EXPECT_FALSE(Num("3/2").IsWhole());
    EXPECT_TRUE(Num("1@{2/2}").IsWhole());
    EXPECT_FALSE(CNumber(3).IsEvenInteger());
    EXPECT_TRUE(CNumber(-4).IsEvenInteger());
}
