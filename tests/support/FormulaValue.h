#pragma once

// The value of a formula in compact markup at a point, read by a reader of the tests' own that knows
// nothing of the engine's parser or tree, only its exact numbers. One grammar, two arithmetics:
// exact rational values (EvaluateFormula) and quadruple precision (QuadValue, for formulas that hold
// square and higher roots, about 33 significant digits).
//
//   sum      = ["+"|"-"] term {("+"|"-") term}
//   term     = fraction {("*"|"."|":") fraction}
//   fraction = power ["/" power]
//   power    = operand ["^" operand]
//   operand  = number | letter | "(" sum ")" | "{" sum "}" | "!cross{" k ";" sum "}"
//            | "!sq2{" sum "}" | "!sqn{" n ";" sum "}"
//
// Crossed-out parts count as written; "=" at either end is ignored; numbers are read as the engine
// writes them ("12", "0,25", "3/4" in a fraction, "2@{1/3}"). None when the text cannot be read or
// the value is not defined at the point: a division by zero, a power of 0 with a negative exponent,
// an exponent that is not whole, an even root of a negative number, a letter without a value. Exact
// values have no roots: a root makes the exact value none.

#include "model/CNumber.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>

using Point = std::map<char, CNumber>;
using Quad = __float128;

// The formula without the "=" that chained steps carry at either end.
inline std::string TrimChainEquals(std::string text) {
    while (!text.empty() && text.front() == '=') {
        text.erase(text.begin());
    }
    while (!text.empty() && text.back() == '=') {
        text.pop_back();
    }
    return text;
}

namespace formulavalue {

// Exact rational arithmetic, letters valued by a point.
class ExactArithmetic {
public:
    using Value = CNumber;

    explicit ExactArithmetic(const Point& point) : m_point(point) {}

    std::optional<Value> Letter(char letter) const {
        const auto found = m_point.find(letter);
        return found == m_point.end() ? std::nullopt : std::optional<Value>(found->second);
    }
    static Value FromNumber(const CNumber& number) { return number; }
    static bool IsZero(const Value& value) { return value.IsZero(); }
    static void Add(Value& total, const Value& term, int sign) {
        if (sign < 0) {
            total.SubtractInPlace(term);
        } else {
            total.AddInPlace(term);
        }
    }
    static void Multiply(Value& value, const Value& factor) { value.MultiplyInPlace(factor); }
    // The divisor is not 0 (the reader checks).
    static void Divide(Value& value, const Value& divisor) { value.DivideInPlace(divisor); }
    static std::optional<Value> Power(const Value& base, const Value& exponent) {
        return exponent.IsWhole() ? base.PowerOf(exponent) : std::nullopt;
    }
    static std::optional<Value> Root(const Value&, int) { return std::nullopt; }

private:
    const Point& m_point;
};

inline Quad Magnitude(Quad value) {
    return value < 0 ? -value : value;
}

// Newton's method from a long double start: enough for 33 digits in a few steps.
inline Quad NthRoot(Quad radicand, int degree) {
    if (radicand == 0) {
        return 0;
    }
    const Quad a = Magnitude(radicand);
    Quad x = static_cast<Quad>(std::pow(static_cast<long double>(a), 1.0L / degree));
    for (int i = 0; i < 12; ++i) {
        Quad power = 1;
        for (int k = 0; k < degree - 1; ++k) {
            power *= x;
        }
        x -= (power * x - a) / (degree * power);
    }
    return radicand < 0 ? -x : x;
}

inline Quad IntegerPower(Quad base, long exponent) {
    unsigned long e = static_cast<unsigned long>(exponent < 0 ? -exponent : exponent);
    Quad result = 1;
    while (e > 0) {
        if (e & 1) {
            result *= base;
        }
        base *= base;
        e >>= 1;
    }
    return exponent < 0 ? 1 / result : result;
}

inline Quad QuadOfInteger(const CLongInteger& integer) {
    const std::string digits = integer.ToText();
    Quad value = 0;
    for (const char c : digits) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
        }
    }
    return !digits.empty() && digits[0] == '-' ? -value : value;
}

// The nearest quadruple value of an exact number: its integer numerator over its denominator.
inline Quad QuadOf(const CNumber& number) {
    const CLongInteger denominator = number.Denominator();
    CNumber numerator = number;
    numerator.MultiplyInPlace(CNumber(denominator));
    return QuadOfInteger(numerator.Numerator()) / QuadOfInteger(denominator);
}

// Quadruple precision, one letter valued.
class QuadArithmetic {
public:
    using Value = Quad;

    QuadArithmetic(char letter, Quad value) : m_letter(letter), m_value(value) {}

    std::optional<Value> Letter(char letter) const {
        return letter == m_letter ? std::optional<Value>(m_value) : std::nullopt;
    }
    static Value FromNumber(const CNumber& number) { return QuadOf(number); }
    static bool IsZero(Value value) { return value == 0; }
    static void Add(Value& total, Value term, int sign) { total += sign * term; }
    static void Multiply(Value& value, Value factor) { value *= factor; }
    static void Divide(Value& value, Value divisor) { value /= divisor; }
    static std::optional<Value> Power(Value base, Value exponent) {
        const auto whole = static_cast<long>(exponent);
        if (exponent != static_cast<Quad>(whole) || (base == 0 && whole < 0)) {
            return std::nullopt;
        }
        return IntegerPower(base, whole);
    }
    static std::optional<Value> Root(Value radicand, int degree) {
        if (degree < 1 || (radicand < 0 && degree % 2 == 0)) {
            return std::nullopt;
        }
        return NthRoot(radicand, degree);
    }

private:
    char m_letter;
    Quad m_value;
};

// The reader of the grammar above, computing with Arithmetic as it reads.
template <class Arithmetic> class FormulaReader {
public:
    using Value = typename Arithmetic::Value;

    // "." multiplies like "*"; it is made "*" first, since the number reader would take "3." for the
    // start of a decimal.
    FormulaReader(const std::string& formula, Arithmetic arithmetic)
        : m_text(TrimChainEquals(formula)), m_arithmetic(std::move(arithmetic)) {
        std::replace(m_text.begin(), m_text.end(), '.', '*');
    }

    std::optional<Value> Read() {
        std::optional<Value> value = Sum();
        if (m_failed || m_position != m_text.size()) {
            return std::nullopt;
        }
        return value;
    }

private:
    char Peek() const { return m_position < m_text.size() ? m_text[m_position] : '\0'; }
    bool Starts(const char* prefix) const {
        return m_text.compare(m_position, std::strlen(prefix), prefix) == 0;
    }
    std::optional<Value> Fail() {
        m_failed = true;
        return std::nullopt;
    }

    std::optional<Value> Sum() {
        Value total = Arithmetic::FromNumber(CNumber(0));
        bool first = true;
        while (true) {
            int sign = 1;
            if (Peek() == '+' || Peek() == '-') {
                sign = Peek() == '-' ? -1 : 1;
                ++m_position;
            } else if (!first) {
                break;
            }
            const std::optional<Value> term = Term();
            if (!term) {
                return Fail();
            }
            Arithmetic::Add(total, *term, sign);
            first = false;
        }
        return total;
    }

    std::optional<Value> Term() {
        std::optional<Value> value = Fraction();
        while (value && (Peek() == '*' || Peek() == ':')) {
            const bool divide = Peek() == ':';
            ++m_position;
            const std::optional<Value> factor = Fraction();
            if (!factor || (divide && Arithmetic::IsZero(*factor))) {
                return Fail();
            }
            if (divide) {
                Arithmetic::Divide(*value, *factor);
            } else {
                Arithmetic::Multiply(*value, *factor);
            }
        }
        return value;
    }

    std::optional<Value> Fraction() {
        std::optional<Value> value = Power();
        if (value && Peek() == '/') {
            ++m_position;
            const std::optional<Value> denominator = Power();
            if (!denominator || Arithmetic::IsZero(*denominator)) {
                return Fail();
            }
            Arithmetic::Divide(*value, *denominator);
        }
        return value;
    }

    std::optional<Value> Power() {
        std::optional<Value> value = Operand();
        if (value && Peek() == '^') {
            ++m_position;
            const std::optional<Value> exponent = Operand();
            value = exponent ? Arithmetic::Power(*value, *exponent) : std::nullopt;
            if (!value) {
                return Fail();
            }
        }
        return value;
    }

    // A fraction such as "3/0" is read as one number: its zero denominator is a division by zero.
    std::optional<CNumber> Number() {
        CNumber number;
        const bool read = number.ParseText(m_text, m_position) == CNumber::kParseOk;
        const bool fraction = number.GetKind() == CNumber::kFraction || number.GetKind() == CNumber::kMixed;
        if (!read || (fraction && number.DenominatorPart().IsZero())) {
            m_failed = true;
            return std::nullopt;
        }
        return number;
    }

    // The sum that ends at closer.
    std::optional<Value> Group(char closer) {
        const std::optional<Value> value = Sum();
        if (!value || Peek() != closer) {
            return Fail();
        }
        ++m_position;
        return value;
    }

    // "!cross{k;" or "!sqn{n;": the number before ";", then the group up to "}".
    std::optional<std::pair<CNumber, Value>> NumberedGroup() {
        m_position = m_text.find('{', m_position) + 1;
        const std::optional<CNumber> number = Number();
        if (!number || Peek() != ';') {
            m_failed = true;
            return std::nullopt;
        }
        ++m_position;
        const std::optional<Value> inner = Group('}');
        return inner ? std::optional<std::pair<CNumber, Value>>({*number, *inner}) : std::nullopt;
    }

    std::optional<Value> Root(const std::optional<Value>& radicand, int degree) {
        const std::optional<Value> root = radicand ? Arithmetic::Root(*radicand, degree) : std::nullopt;
        return root ? root : Fail();
    }

    std::optional<Value> Operand() {
        if (Starts("!sq2{")) {
            m_position += 5;
            return Root(Group('}'), 2);
        }
        if (Starts("!sqn{") || Starts("!cross{")) {
            const bool root = Starts("!sqn{");
            const auto numbered = NumberedGroup();
            if (!numbered || !root) {
                return numbered ? std::optional<Value>(numbered->second) : Fail();
            }
            return numbered->first.IsWhole() ? Root(numbered->second, numbered->first.ToInt()) : Fail();
        }
        const char c = Peek();
        if (c >= '0' && c <= '9') {
            const std::optional<CNumber> number = Number();
            return number ? std::optional<Value>(Arithmetic::FromNumber(*number)) : std::nullopt;
        }
        if (c == '(' || c == '{') {
            ++m_position;
            return Group(c == '(' ? ')' : '}');
        }
        if (c != '\0') {
            ++m_position;
            const std::optional<Value> letter = m_arithmetic.Letter(c);
            return letter ? letter : Fail();
        }
        return Fail();
    }

    std::string m_text;
    Arithmetic m_arithmetic;
    std::size_t m_position = 0;
    bool m_failed = false;
};

} // namespace formulavalue

// The exact value of formula at point.
inline std::optional<CNumber> EvaluateFormula(const std::string& formula, const Point& point) {
    return formulavalue::FormulaReader(formula, formulavalue::ExactArithmetic(point)).Read();
}

// The value of formula at letter = value, in quadruple precision.
inline std::optional<Quad> QuadValue(const std::string& formula, char letter, Quad value) {
    return formulavalue::FormulaReader(formula, formulavalue::QuadArithmetic(letter, value)).Read();
}
