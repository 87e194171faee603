// Exact arithmetic checked against an independent computation: 128-bit integers and fractions of
// them reduced with std::gcd, over many thousands of random operations, plus identities on values
// far beyond 128 bits.

#include "model/CLongInteger.h"
#include "model/CNumber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

std::string ToString(Int128 value) {
    if (value == 0) {
        return "0";
    }
    const bool negative = value < 0;
    UInt128 magnitude = negative ? -static_cast<UInt128>(value) : static_cast<UInt128>(value);
    std::string digits;
    while (magnitude != 0) {
        digits += static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    }
    if (negative) {
        digits += '-';
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

CLongInteger Long(Int128 value) {
    const std::string text = ToString(value < 0 ? -value : value);
    CLongInteger result{std::string_view(text)};
    if (value < 0) {
        result.Negate();
    }
    return result;
}

CNumber Number(Int128 value) {
    return CNumber(Long(value));
}

Int128 Gcd(Int128 a, Int128 b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        Int128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// The normal form of p/q written as text, computed without the number classes.
std::string NormalText(Int128 p, Int128 q) {
    if (q < 0) {
        p = -p;
        q = -q;
    }
    const Int128 g = Gcd(p, q);
    if (g > 1) {
        p /= g;
        q /= g;
    }
    if (q == 1) {
        return ToString(p);
    }
    Int128 rest = q;
    int twos = 0;
    int fives = 0;
    while (rest % 2 == 0) {
        rest /= 2;
        ++twos;
    }
    while (rest % 5 == 0) {
        rest /= 5;
        ++fives;
    }
    if (rest != 1) {
        return ToString(p) + "/" + ToString(q);
    }
    // p / (2^a 5^b) = p * 2^(k-a) * 5^(k-b) / 10^k; an empty text when that overflows 128 bits.
    const int k = std::max(twos, fives);
    Int128 mantissa = p;
    for (int i = 0; i < k - twos; ++i) {
        if (__builtin_mul_overflow(mantissa, 2, &mantissa)) {
            return "";
        }
    }
    for (int i = 0; i < k - fives; ++i) {
        if (__builtin_mul_overflow(mantissa, 5, &mantissa)) {
            return "";
        }
    }
    std::string digits = ToString(mantissa < 0 ? -mantissa : mantissa);
    if (static_cast<int>(digits.size()) <= k) {
        digits.insert(0, static_cast<size_t>(k + 1) - digits.size(), '0');
    }
    std::string text = mantissa < 0 ? "-" : "";
    text += digits.substr(0, digits.size() - static_cast<size_t>(k));
    text += ',';
    text += digits.substr(digits.size() - static_cast<size_t>(k));
    return text;
}

// A random number of one of the four kinds together with its value p/q.
struct Sample {
    CNumber number;
    Int128 p;
    Int128 q;
};

class Generator {
public:
    explicit Generator(unsigned seed) : m_engine(seed) {}

    int64_t Uniform(int64_t lo, int64_t hi) {
        return std::uniform_int_distribution<int64_t>(lo, hi)(m_engine);
    }

    // Integer of up to `digits` decimal digits, random sign.
    Int128 Integer(int digits) {
        const int length = static_cast<int>(Uniform(1, digits));
        Int128 value = 0;
        for (int i = 0; i < length; ++i) {
            value = value * 10 + Uniform(0, 9);
        }
        return Uniform(0, 1) == 0 ? value : -value;
    }

    Sample Any() {
        Sample s;
        switch (Uniform(0, 3)) {
        case 0:
            s.p = Integer(6);
            s.q = 1;
            s.number = Number(s.p);
            break;
        case 1: {
            const int k = static_cast<int>(Uniform(1, 4));
            Int128 m = Integer(6);
            s.p = m;
            s.q = 1;
            for (int i = 0; i < k; ++i) {
                s.q *= 10;
            }
            s.number = CNumber(CLongDecimal(Long(m), k));
            break;
        }
        case 2: {
            s.p = Integer(5);
            s.q = Uniform(1, 99999);
            s.number = CNumber(Long(s.p), Long(s.q));
            break;
        }
        default: {
            // A non-negative mixed number read from text.
            const int64_t whole = Uniform(0, 999);
            const int64_t numerator = Uniform(1, 999);
            const int64_t denominator = Uniform(1, 999);
            const std::string text = std::to_string(whole) + "@{" + std::to_string(numerator) + "/" +
                                     std::to_string(denominator) + "}";
            std::size_t position = 0;
            EXPECT_EQ(s.number.ParseText(text, position), 0);
            s.p = static_cast<Int128>(whole) * denominator + numerator;
            s.q = denominator;
            break;
        }
        }
        return s;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace

TEST(LongIntegerRandom, MatchesWideIntegers) {
    Generator gen(20261207);
    for (int i = 0; i < 20000; ++i) {
        const Int128 a = gen.Integer(18);
        const Int128 b = gen.Integer(18);
        const Int128 big = gen.Integer(37);
        SCOPED_TRACE(ToString(a) + " , " + ToString(b) + " , " + ToString(big));
        EXPECT_EQ(Long(a).Add(Long(b)).ToText(), ToString(a + b));
        EXPECT_EQ(Long(big).Add(Long(b)).ToText(), ToString(big + b));
        EXPECT_EQ(Long(big).Subtract(Long(a)).ToText(), ToString(big - a));
        EXPECT_EQ(Long(a).Multiply(Long(b)).ToText(), ToString(a * b));
        EXPECT_EQ(CLongInteger::Compare(Long(big), Long(a)), big < a ? -1 : (big > a ? 1 : 0));
        // Division: the remainder is non-negative and below |d|.
        const Int128 d = gen.Uniform(0, 2) == 0 ? b : gen.Integer(static_cast<int>(gen.Uniform(1, 30)));
        if (d != 0) {
            auto result = Long(big).DivMod(Long(d));
            ASSERT_TRUE(result.has_value());
            Int128 q = big / d;
            Int128 r = big % d;
            if (r < 0) {
                r += d < 0 ? -d : d;
                q += d < 0 ? 1 : -1;
            }
            EXPECT_EQ(result->first.ToText(), ToString(q)) << "divisor " << ToString(d);
            EXPECT_EQ(result->second.ToText(), ToString(r)) << "divisor " << ToString(d);
        }
        EXPECT_EQ(CLongInteger::Gcd(Long(big), Long(b)).ToText(), ToString(Gcd(big, b)));
    }
}

TEST(LongIntegerRandom, PowersAndRootsMatchWideIntegers) {
    Generator gen(7);
    for (int i = 0; i < 5000; ++i) {
        const Int128 base = gen.Integer(4);
        const int exponent = static_cast<int>(gen.Uniform(0, 9));
        Int128 expected = 1;
        for (int k = 0; k < exponent; ++k) {
            expected *= base;
        }
        SCOPED_TRACE(ToString(base) + " ^ " + std::to_string(exponent));
        EXPECT_EQ(Long(base).Power(exponent).ToText(), ToString(expected));
        if (base > 1 && exponent >= 2) {
            EXPECT_EQ(Long(expected).FloorRoot(exponent).ToText(), ToString(base));
            EXPECT_EQ(Long(expected - 1).FloorRoot(exponent).ToText(), ToString(base - 1));
        }
    }
    for (int i = 0; i < 5000; ++i) {
        const Int128 n = gen.Integer(30);
        if (n < 0) {
            continue;
        }
        Int128 lo = 0;
        Int128 hi = 1'000'000'000'000'000LL; // above the root of any 30-digit value
        while (hi - lo > 1) {
            const Int128 mid = (lo + hi) / 2;
            (mid * mid >= n ? hi : lo) = mid;
        }
        const Int128 expected = n == 0 ? 0 : hi;
        SCOPED_TRACE(ToString(n));
        EXPECT_EQ(Long(n).CeilSqrt()->ToText(), ToString(expected));
    }
}

TEST(LongIntegerRandom, IdentitiesBeyondWideIntegers) {
    std::mt19937_64 engine(99);
    auto randomDigits = [&](int count) {
        std::string text(static_cast<size_t>(count), '0');
        for (char& c : text) {
            c = static_cast<char>('0' + engine() % 10);
        }
        text[0] = static_cast<char>('1' + engine() % 9);
        return CLongInteger(std::string_view(text));
    };
    for (int i = 0; i < 300; ++i) {
        const CLongInteger a = randomDigits(static_cast<int>(1 + engine() % 300));
        CLongInteger b = randomDigits(static_cast<int>(1 + engine() % 200));
        if (engine() % 4 == 0) {
            b = CLongInteger(std::string_view(std::string(1 + engine() % 60, '9'))); // all-nines divisors
        }
        SCOPED_TRACE(a.ToText() + " , " + b.ToText());
        const CLongInteger product = a.Multiply(b);
        auto exact = product.DivMod(b);
        ASSERT_TRUE(exact.has_value());
        EXPECT_EQ(exact->first, a);
        EXPECT_TRUE(exact->second.IsZero());
        // (a b + r) div b = a with remainder r, for 0 <= r < b
        const CLongInteger r = a.DivMod(b)->second;
        auto shifted = product.Add(r).DivMod(b);
        EXPECT_EQ(shifted->first, a);
        EXPECT_EQ(shifted->second, r);
        EXPECT_EQ(product.Subtract(a).Add(a), product);
        const CLongInteger g = randomDigits(static_cast<int>(1 + engine() % 40));
        const CLongInteger gcd = CLongInteger::Gcd(a, b);
        EXPECT_EQ(CLongInteger::Gcd(a.Multiply(g), b.Multiply(g)), gcd.Multiply(g));
        const int degree = static_cast<int>(2 + engine() % 6);
        const CLongInteger power = g.Power(degree);
        EXPECT_EQ(power.FloorRoot(degree), g);
        EXPECT_EQ(power.Subtract(CLongInteger(1)).FloorRoot(degree), g.Subtract(CLongInteger(1)));
        // Text round trip.
        EXPECT_EQ(CLongInteger(std::string_view(product.ToText())), product);
    }
}

// Numbers of nines make every limb product the largest there is, so the column sums of a long
// product come closest to overflowing between their carries: (10^n - 1)(10^m - 1) =
// 10^(n+m) - 10^n - 10^m + 1, made by addition alone, for lengths up to the digit limit (a
// power of ten has one digit more than its exponent).
TEST(LongIntegerRandom, ProductsOfNinesUpToTheDigitLimit) {
    auto nines = [](int count) {
        return CLongInteger(std::string_view(std::string(static_cast<size_t>(count), '9')));
    };
    auto powerOfTen = [](int exponent) {
        return CLongInteger(std::string_view("1" + std::string(static_cast<size_t>(exponent), '0')));
    };
    for (const int n : {9, 10, 152, 153, 161, 2'490, 4'990}) {
        for (const int m : {1, 9, 18, 153, 154, 2'500}) {
            if (n + m >= 5'000) {
                continue;
            }
            SCOPED_TRACE(std::to_string(n) + " nines times " + std::to_string(m));
            const CLongInteger expected =
                powerOfTen(n + m).Subtract(powerOfTen(n)).Subtract(powerOfTen(m)).Add(CLongInteger(1));
            EXPECT_EQ(nines(n).Multiply(nines(m)), expected);
            EXPECT_EQ(nines(m).Multiply(nines(n)), expected);
        }
    }
}

TEST(NumberRandom, FourOperationsMatchReducedFractions) {
    Generator gen(31337);
    for (int i = 0; i < 20000; ++i) {
        const Sample a = gen.Any();
        const Sample b = gen.Any();
        SCOPED_TRACE(a.number.ToText() + " , " + b.number.ToText());
        EXPECT_EQ(a.number.Sum(b.number).ToText(), NormalText(a.p * b.q + b.p * a.q, a.q * b.q));
        EXPECT_EQ(a.number.Difference(b.number).ToText(), NormalText(a.p * b.q - b.p * a.q, a.q * b.q));
        EXPECT_EQ(a.number.Product(b.number).ToText(), NormalText(a.p * b.p, a.q * b.q));
        if (b.p != 0) {
            EXPECT_EQ(a.number.Quotient(b.number).ToText(), NormalText(a.p * b.q, a.q * b.p));
        }
        const Int128 left = a.p * b.q;
        const Int128 right = b.p * a.q;
        EXPECT_EQ(CNumber::Compare(a.number, b.number), left < right ? -1 : (left > right ? 1 : 0));
        EXPECT_EQ(a.number.Sign(), a.p < 0 ? -1 : (a.p > 0 ? 1 : 0));
        EXPECT_EQ(a.number.IsWhole(), a.p % a.q == 0);
    }
}

TEST(NumberRandom, PowersRootsAndGcdMatchReducedFractions) {
    Generator gen(4242);
    for (int i = 0; i < 10000; ++i) {
        const Int128 p = gen.Integer(3);
        const Int128 q = gen.Uniform(1, 999);
        const int exponent = static_cast<int>(gen.Uniform(-5, 5));
        const CNumber base(Long(p), Long(q));
        SCOPED_TRACE(base.ToText() + " ^ " + std::to_string(exponent));
        Int128 num = 1;
        Int128 den = 1;
        for (int k = 0; k < (exponent < 0 ? -exponent : exponent); ++k) {
            num *= p;
            den *= q;
        }
        std::optional<CNumber> power = base.PowerOf(exponent);
        if (exponent < 0 && p == 0) {
            EXPECT_FALSE(power.has_value());
            continue;
        }
        ASSERT_TRUE(power.has_value());
        const std::string expected = exponent < 0 ? NormalText(den, num) : NormalText(num, den);
        if (!expected.empty()) {
            EXPECT_EQ(power->ToText(), expected);
        }
        // The root of the power gives the base back (up to sign for even degrees).
        if (exponent >= 2) {
            std::optional<CNumber> root = power->ExactRoot(exponent);
            ASSERT_TRUE(root.has_value());
            const bool flips = exponent % 2 == 0 && p < 0;
            EXPECT_EQ(root->ToText(), NormalText(flips ? -p : p, q));
            // One more in the numerator has no rational root unless it is itself a power.
            if (p > 1 && q == 1) {
                EXPECT_FALSE(CNumber(Long(num + 1)).ExactRoot(exponent).has_value());
            }
        }
    }
    for (int i = 0; i < 10000; ++i) {
        const Int128 a = gen.Integer(18);
        const Int128 b = gen.Integer(18);
        SCOPED_TRACE(ToString(a) + " , " + ToString(b));
        EXPECT_EQ(CNumber::GcdOf(Number(a), Number(b)).ToText(), ToString(Gcd(a, b)));
        if (a != 0 && b != 0) {
            const Int128 lcm = (a < 0 ? -a : a) / Gcd(a, b) * (b < 0 ? -b : b);
            EXPECT_EQ(CNumber::LcmOf(Number(a), Number(b))->ToText(), ToString(lcm));
            EXPECT_EQ(CNumber::Divides(Number(a), Number(b)), a % b == 0);
        }
        const int64_t small = gen.Uniform(-100000, 100000);
        bool prime = small != 0 && small != 1 && small != -1;
        for (int64_t d = 2; prime && d * d <= (small < 0 ? -small : small); ++d) {
            prime = (small % d) != 0;
        }
        EXPECT_EQ(CNumber(static_cast<int32_t>(small)).IsPrime(), prime) << small;
    }
}

TEST(NumberRandom, TextRoundTrips) {
    Generator gen(555);
    for (int i = 0; i < 10000; ++i) {
        const Sample s = gen.Any();
        // Arithmetic results are in normal form; their text reads back to an equal number.
        CNumber value = s.number.Sum(CNumber(0));
        const std::string text = value.ToText();
        SCOPED_TRACE(text);
        const bool negative = !text.empty() && text[0] == '-';
        CNumber back;
        std::size_t position = negative ? 1 : 0;
        ASSERT_EQ(back.ParseText(text, position), 0);
        EXPECT_EQ(position, text.size());
        if (negative) {
            back.Negate();
        }
        EXPECT_TRUE(back.Equal(value));
        EXPECT_EQ(back.Sum(CNumber(0)).ToText(), text);
        // Written forms that were read stay as written.
        if (s.number.IsMixed()) {
            CNumber mixed;
            std::size_t start = 0;
            const std::string written = s.number.ToText();
            ASSERT_EQ(mixed.ParseText(written, start), 0);
            EXPECT_EQ(mixed.ToText(), written);
        }
    }
}

TEST(NumberRandom, LongAndWordPathsAgree) {
    // The same values written with long parts (a fraction scaled by a 25-digit factor, a decimal
    // with 25 extra trailing zeros) must give exactly the results of the word-sized forms.
    Generator gen(8080);
    const CLongInteger scale{std::string_view("1000000000000000000000000000007")};
    auto widen = [&](const Sample& s) {
        if (s.number.IsDecimal()) {
            CLongInteger mantissa = s.number.Decimal().Mantissa();
            mantissa.MultiplyByPowerOfTen(25);
            return CNumber(CLongDecimal(mantissa, s.number.Decimal().FractionDigits() + 25));
        }
        return CNumber(Long(s.p).Multiply(scale), Long(s.q).Multiply(scale));
    };
    for (int i = 0; i < 5000; ++i) {
        const Sample a = gen.Any();
        const Sample b = gen.Any();
        const CNumber wideA = widen(a);
        const CNumber wideB = widen(b);
        SCOPED_TRACE(a.number.ToText() + " , " + b.number.ToText());
        EXPECT_EQ(wideA.Sum(wideB).ToText(), a.number.Sum(b.number).ToText());
        EXPECT_EQ(wideA.Difference(b.number).ToText(), a.number.Difference(b.number).ToText());
        EXPECT_EQ(wideA.Product(wideB).ToText(), a.number.Product(b.number).ToText());
        if (b.p != 0) {
            EXPECT_EQ(a.number.Quotient(wideB).ToText(), a.number.Quotient(b.number).ToText());
        }
        EXPECT_EQ(CNumber::Compare(wideA, wideB), CNumber::Compare(a.number, b.number));
        EXPECT_EQ(wideA.PowerOf(3)->ToText(), a.number.PowerOf(3)->ToText());
        EXPECT_EQ(wideA.IsWhole(), a.number.IsWhole());
        CNumber truncatedWide = wideA;
        CNumber truncated = a.number;
        truncatedWide.TruncateToInteger();
        truncated.TruncateToInteger();
        EXPECT_EQ(truncatedWide.ToText(), truncated.ToText());
    }
}
