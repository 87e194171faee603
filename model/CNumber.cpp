#include "model/CNumber.h"

#include "model/EngineLimits.h"
#include "model/PowersOfTen.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <utility>

namespace {

constexpr int kMaxFractionDigits = static_cast<int>(EngineLimits::kMaxNumberDigits) - 1;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLatinLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A character that may stand right after a number; the end of the text counts as one too.
bool IsFollower(std::string_view text, std::size_t position) {
    if (position >= text.size()) {
        return true;
    }
    const char c = text[position];
    if (IsDigit(c) || IsLatinLetter(c)) {
        return true;
    }
    static constexpr std::string_view kSigns = "()*+-/:;=^{}";
    return kSigns.find(c) != std::string_view::npos;
}

bool DigitAt(std::string_view text, std::size_t position) {
    return position < text.size() && IsDigit(text[position]);
}

std::string_view ReadDigits(std::string_view text, std::size_t& position) {
    const std::size_t start = position;
    while (DigitAt(text, position)) {
        ++position;
    }
    return text.substr(start, position - start);
}

CLongInteger PowerOfTen(int count) {
    CLongInteger result(1);
    result.MultiplyByPowerOfTen(count);
    return result;
}

// The exact root of an integer, or none (see CNumber::ExactRoot).
std::optional<CLongInteger> IntegerRoot(const CLongInteger& n, const CLongInteger& degree) {
    if (degree.IsNegative()) {
        return std::nullopt;
    }
    if (n.IsZero()) {
        return degree.IsZero() ? std::nullopt : std::optional<CLongInteger>(CLongInteger());
    }
    if (degree.IsZero() || n.IsOne()) {
        return CLongInteger(1);
    }
    if (degree.IsOne()) {
        return n;
    }
    if (n.IsNegative() && degree.IsEven()) {
        return std::nullopt;
    }
    const CLongInteger magnitude = n.Abs();
    if (magnitude.IsOne()) {
        return n; // -1 with an odd degree
    }
    if (!degree.FitsInt64()) {
        return std::nullopt; // 1 < root < 2
    }
    const int64_t k = degree.SmallValue();
    CLongInteger root = magnitude.FloorRoot(k);
    if (root.IsOne() || !root.Power(k).Equal(magnitude)) {
        return std::nullopt;
    }
    if (n.IsNegative()) {
        root.Negate();
    }
    return root;
}

// The whole value of a number that IsWhole, as a long integer.
CLongInteger WholeValue(const CNumber& number) {
    CNumber copy = number;
    copy.TruncateToInteger();
    return copy.Numerator();
}

} // namespace

// --- construction -----------------------------------------------------------------------------

CNumber::CNumber(const CLongInteger& numerator, const CLongInteger& denominator)
    : m_kind(kFraction), m_numerator(numerator), m_denominator(denominator) {}

CNumber::CNumber(CLongInteger&& numerator, CLongInteger&& denominator)
    : m_kind(kFraction), m_numerator(std::move(numerator)), m_denominator(std::move(denominator)) {}

CNumber::CNumber(const CLongDecimal& decimal) : m_kind(kDecimal), m_decimal(decimal) {}

CNumber CNumber::Mixed(const CLongInteger& whole, const CLongInteger& numerator,
                       const CLongInteger& denominator) {
    CNumber mixed(numerator, denominator);
    mixed.m_kind = kMixed;
    mixed.m_whole = whole;
    return mixed;
}

void CNumber::SetInteger(int32_t value) {
    SetKind(kInteger);
    m_numerator = CLongInteger(value);
}

void CNumber::SetInteger(const CLongInteger& value) {
    SetKind(kInteger);
    m_numerator = value;
}

void CNumber::SetKind(Kind kind) {
    m_kind = kind;
    m_complete = true;
    if (kind != kMixed) {
        m_whole.SetZero();
    }
    if (kind == kDecimal) {
        m_numerator.SetZero();
    }
    if (kind != kFraction && kind != kMixed) {
        m_denominator = CLongInteger(1);
    }
    if (kind != kDecimal) {
        m_decimal = CLongDecimal();
    }
}

// --- reading ----------------------------------------------------------------------------------

int CNumber::ParseText(std::string_view text, std::size_t& position) {
    SetInteger(0);
    const std::string_view digits = ReadDigits(text, position);
    const char next = position < text.size() ? text[position] : '\0';
    int error = kParseOk;
    if (digits.empty()) {
        error = kParseBadFollower;
    } else if (next == ',') {
        if (!DigitAt(text, position + 1)) {
            error = kParseBadFollower;
        } else {
            ++position;
            const std::string_view fraction = ReadDigits(text, position);
            std::string written(digits);
            written += ',';
            written += fraction;
            SetKind(kDecimal);
            m_decimal = CLongDecimal(std::string_view(written));
            m_decimal.Normalize();
        }
    } else if (next == '/' && DigitAt(text, position + 1)) {
        ++position;
        const std::string_view denominator = ReadDigits(text, position);
        SetKind(kFraction);
        m_numerator = CLongInteger(digits);
        m_denominator = CLongInteger(denominator);
    } else if (next == '@') {
        ++position;
        const bool brace = position < text.size() && text[position] == '{';
        if (brace) {
            ++position;
        }
        const std::string_view numerator = ReadDigits(text, position);
        if (numerator.empty() || position >= text.size() || text[position] != '/' ||
            !DigitAt(text, position + 1)) {
            error = kParseMixedNoSlash;
        } else {
            ++position;
            const std::string_view denominator = ReadDigits(text, position);
            SetKind(kMixed);
            m_whole = CLongInteger(digits);
            m_numerator = CLongInteger(numerator);
            m_denominator = CLongInteger(denominator);
            if (brace) {
                if (position < text.size() && text[position] == '}') {
                    ++position;
                } else {
                    error = kParseMixedUnclosed;
                }
            }
        }
    } else {
        m_numerator = CLongInteger(digits);
    }
    if (error == kParseOk && !IsFollower(text, position)) {
        error = kParseBadFollower;
    }
    m_complete = error == kParseOk;
    return error;
}

// --- fraction view and normal form ------------------------------------------------------------

void CNumber::FractionParts(CLongInteger& numerator, CLongInteger& denominator) const {
    switch (m_kind) {
    case kInteger:
        numerator = m_numerator;
        denominator = CLongInteger(1);
        return;
    case kDecimal: {
        auto parts = m_decimal.ToFraction();
        numerator = std::move(parts.first);
        denominator = std::move(parts.second);
        return;
    }
    case kFraction:
        numerator = m_numerator;
        denominator = m_denominator;
        return;
    case kMixed:
        numerator = m_whole.Multiply(m_denominator);
        numerator.AddInPlace(m_numerator);
        denominator = m_denominator;
        return;
    }
}

void CNumber::SetFromFraction(CLongInteger numerator, CLongInteger denominator) {
    if (denominator.IsZero()) {
        // Not a value; kept as it stands so that callers can still see the zero divisor.
        SetKind(kFraction);
        m_numerator = std::move(numerator);
        m_denominator = std::move(denominator);
        return;
    }
    if (denominator.IsNegative()) {
        numerator.Negate();
        denominator.Negate();
    }
    CLongInteger::ReduceByGcd(numerator, denominator);
    if (denominator.IsOne()) {
        SetKind(kInteger);
        m_numerator = std::move(numerator);
        return;
    }
    int twos = 0;
    int fives = 0;
    if (!denominator.OnlyFactorsTwoAndFive(&twos, &fives)) {
        SetKind(kFraction);
        m_numerator = std::move(numerator);
        m_denominator = std::move(denominator);
        return;
    }
    // numerator / (2^a 5^b) = numerator * 2^(k-a) * 5^(k-b) / 10^k with k = max(a, b)
    const int k = std::max(twos, fives);
    if (k > kMaxFractionDigits) {
        CLongInteger::ReportLimitExceeded();
        SetInteger(1);
        return;
    }
    if (k > twos) {
        numerator.MultiplyInPlace(CLongInteger(2).Power(k - twos));
    }
    if (k > fives) {
        numerator.MultiplyInPlace(CLongInteger(5).Power(k - fives));
    }
    SetKind(kDecimal);
    m_decimal = CLongDecimal(numerator, k);
    m_decimal.Normalize();
}

void CNumber::Normalize() {
    switch (m_kind) {
    case kInteger:
        return;
    case kDecimal:
        m_decimal.Normalize();
        if (m_decimal.FractionDigits() == 0) {
            CLongInteger value = m_decimal.Mantissa();
            SetInteger(value);
        }
        return;
    case kFraction:
    case kMixed: {
        CLongInteger numerator;
        CLongInteger denominator;
        FractionParts(numerator, denominator);
        SetFromFraction(std::move(numerator), std::move(denominator));
        return;
    }
    }
}

void CNumber::NormalizeSign() {
    if (m_kind == kMixed) {
        CLongInteger numerator;
        CLongInteger denominator;
        FractionParts(numerator, denominator);
        SetKind(kFraction);
        m_numerator = std::move(numerator);
        m_denominator = std::move(denominator);
    }
    if (m_kind == kFraction && m_denominator.IsNegative()) {
        m_numerator.Negate();
        m_denominator.Negate();
    }
}

// --- arithmetic -------------------------------------------------------------------------------

bool CNumber::SmallFraction(int64_t& numerator, int64_t& denominator) const {
    switch (m_kind) {
    case kInteger:
        numerator = m_numerator.SmallValue();
        denominator = 1;
        return m_numerator.FitsInt64();
    case kDecimal:
        if (!m_decimal.Mantissa().FitsInt64() || m_decimal.FractionDigits() > 18) {
            return false;
        }
        numerator = m_decimal.Mantissa().SmallValue();
        denominator = kPowersOfTen[m_decimal.FractionDigits()];
        return true;
    case kFraction:
        numerator = m_numerator.SmallValue();
        denominator = m_denominator.SmallValue();
        return m_numerator.FitsInt64() && m_denominator.FitsInt64() && denominator != 0;
    case kMixed: {
        if (!m_whole.FitsInt64() || !m_numerator.FitsInt64() || !m_denominator.FitsInt64()) {
            return false;
        }
        denominator = m_denominator.SmallValue();
        int64_t scaled = 0;
        return denominator != 0 && !__builtin_mul_overflow(m_whole.SmallValue(), denominator, &scaled) &&
               !__builtin_add_overflow(scaled, m_numerator.SmallValue(), &numerator);
    }
    }
    return false;
}

void CNumber::SetFromSmallFraction(int64_t numerator, int64_t denominator) {
    if (denominator < 0) {
        if (__builtin_sub_overflow(0, numerator, &numerator) ||
            __builtin_sub_overflow(0, denominator, &denominator)) {
            SetFromFraction(CLongInteger::FromInt64(numerator), CLongInteger::FromInt64(denominator));
            return;
        }
    }
    if (numerator == INT64_MIN) {
        SetFromFraction(CLongInteger::FromInt64(numerator), CLongInteger::FromInt64(denominator));
        return;
    }
    const int64_t g = std::gcd(numerator, denominator);
    numerator /= g;
    denominator /= g;
    if (denominator == 1) {
        SetKind(kInteger);
        m_numerator = CLongInteger::FromInt64(numerator);
        return;
    }
    const int twos = __builtin_ctzll(static_cast<uint64_t>(denominator));
    int64_t rest = denominator >> twos;
    int fives = 0;
    while (rest % 5 == 0) {
        rest /= 5;
        ++fives;
    }
    if (rest != 1) {
        SetKind(kFraction);
        m_numerator = CLongInteger::FromInt64(numerator);
        m_denominator = CLongInteger::FromInt64(denominator);
        return;
    }
    const int k = std::max(twos, fives);
    int64_t mantissa = 0;
    if (k > 18 || __builtin_mul_overflow(numerator, kPowersOfTen[k] / denominator, &mantissa)) {
        SetFromFraction(CLongInteger::FromInt64(numerator), CLongInteger::FromInt64(denominator));
        return;
    }
    SetKind(kDecimal);
    m_decimal = CLongDecimal(CLongInteger::FromInt64(mantissa), k);
}

bool CNumber::CombineSmall(const CNumber& other, Operation operation) {
    int64_t n1 = 0;
    int64_t d1 = 1;
    int64_t n2 = 0;
    int64_t d2 = 1;
    if (!SmallFraction(n1, d1) || !other.SmallFraction(n2, d2)) {
        return false;
    }
    int64_t numerator = 0;
    int64_t denominator = 0;
    bool overflow = false;
    switch (operation) {
    case Operation::kAdd:
    case Operation::kSubtract: {
        int64_t left = 0;
        int64_t right = 0;
        overflow = __builtin_mul_overflow(n1, d2, &left) || __builtin_mul_overflow(n2, d1, &right) ||
                   __builtin_mul_overflow(d1, d2, &denominator);
        if (!overflow) {
            overflow = operation == Operation::kAdd ? __builtin_add_overflow(left, right, &numerator)
                                                    : __builtin_sub_overflow(left, right, &numerator);
        }
        break;
    }
    case Operation::kMultiply:
        overflow = __builtin_mul_overflow(n1, n2, &numerator) || __builtin_mul_overflow(d1, d2, &denominator);
        break;
    case Operation::kDivide:
        overflow = __builtin_mul_overflow(n1, d2, &numerator) || __builtin_mul_overflow(d1, n2, &denominator);
        break;
    }
    if (overflow || denominator == 0) {
        return false;
    }
    SetFromSmallFraction(numerator, denominator);
    return true;
}

// The result of one arithmetic operation, in the cheapest form that holds it exactly:
//   1. a division by zero gives 0 (callers test the divisor first; this keeps the value defined);
//   2. two integers: long-integer arithmetic, a quotient as a fraction;
//   3. two values whose fractions fit machine words: checked 64-bit arithmetic on the fractions;
//   4. longer integers and decimals, except a quotient: long decimal arithmetic;
//   5. anything else: as fractions, a/b +- c/d = (ad +- cb)/bd, reduced.
void CNumber::Combine(const CNumber& other, Operation operation) {
    // 1.
    if (operation == Operation::kDivide && other.IsZero()) {
        SetInteger(0);
        return;
    }
    // 2.
    if (m_kind == kInteger && other.m_kind == kInteger) {
        switch (operation) {
        case Operation::kAdd:
            m_numerator.AddInPlace(other.m_numerator);
            return;
        case Operation::kSubtract:
            m_numerator.SubtractInPlace(other.m_numerator);
            return;
        case Operation::kMultiply:
            m_numerator.MultiplyInPlace(other.m_numerator);
            return;
        case Operation::kDivide:
            if (m_numerator.FitsInt64() && other.m_numerator.FitsInt64()) {
                SetFromSmallFraction(m_numerator.SmallValue(), other.m_numerator.SmallValue());
            } else {
                SetFromFraction(m_numerator, other.m_numerator);
            }
            return;
        }
    }
    // 3.
    if (CombineSmall(other, operation)) {
        return;
    }
    // 4.
    const bool decimalPair =
        (m_kind == kInteger || m_kind == kDecimal) && (other.m_kind == kInteger || other.m_kind == kDecimal);
    if (decimalPair && operation != Operation::kDivide) {
        CLongDecimal a = m_kind == kDecimal ? m_decimal : CLongDecimal(m_numerator);
        const CLongDecimal b = other.m_kind == kDecimal ? other.m_decimal : CLongDecimal(other.m_numerator);
        switch (operation) {
        case Operation::kAdd:
            a.AddInPlace(b);
            break;
        case Operation::kSubtract:
            a.SubtractInPlace(b);
            break;
        default:
            a.MultiplyInPlace(b);
            break;
        }
        SetKind(kDecimal);
        m_decimal = std::move(a);
        Normalize();
        return;
    }
    // 5.
    CLongInteger n1;
    CLongInteger d1;
    CLongInteger n2;
    CLongInteger d2;
    FractionParts(n1, d1);
    other.FractionParts(n2, d2);
    switch (operation) {
    case Operation::kAdd:
    case Operation::kSubtract: {
        // a/b +- c/d = (ad +- cb) / bd
        CLongInteger cross = n2.Multiply(d1);
        n1.MultiplyInPlace(d2);
        if (operation == Operation::kAdd) {
            n1.AddInPlace(cross);
        } else {
            n1.SubtractInPlace(cross);
        }
        d1.MultiplyInPlace(d2);
        break;
    }
    case Operation::kMultiply:
        n1.MultiplyInPlace(n2);
        d1.MultiplyInPlace(d2);
        break;
    case Operation::kDivide:
        // a/b : c/d = ad / bc
        n1.MultiplyInPlace(d2);
        d1.MultiplyInPlace(n2);
        break;
    }
    SetFromFraction(std::move(n1), std::move(d1));
}

void CNumber::AddInPlace(const CNumber& other) {
    Combine(other, Operation::kAdd);
}
void CNumber::SubtractInPlace(const CNumber& other) {
    Combine(other, Operation::kSubtract);
}
void CNumber::MultiplyInPlace(const CNumber& other) {
    Combine(other, Operation::kMultiply);
}
void CNumber::DivideInPlace(const CNumber& other) {
    Combine(other, Operation::kDivide);
}

void CNumber::AddInPlace(int32_t value) {
    if (m_kind == kInteger) {
        m_numerator.AddInPlace(CLongInteger(value));
        return;
    }
    Combine(CNumber(value), Operation::kAdd);
}

void CNumber::SubtractInPlace(int32_t value) {
    if (m_kind == kInteger) {
        m_numerator.SubtractInPlace(CLongInteger(value));
        return;
    }
    Combine(CNumber(value), Operation::kSubtract);
}

void CNumber::MultiplyInPlace(int32_t value) {
    Combine(CNumber(value), Operation::kMultiply);
}
void CNumber::DivideInPlace(int32_t value) {
    Combine(CNumber(value), Operation::kDivide);
}

CNumber CNumber::Sum(const CNumber& other) const {
    CNumber result = *this;
    result.AddInPlace(other);
    return result;
}

CNumber CNumber::Difference(const CNumber& other) const {
    CNumber result = *this;
    result.SubtractInPlace(other);
    return result;
}

CNumber CNumber::Product(const CNumber& other) const {
    CNumber result = *this;
    result.MultiplyInPlace(other);
    return result;
}

CNumber CNumber::Quotient(const CNumber& other) const {
    CNumber result = *this;
    result.DivideInPlace(other);
    return result;
}

std::optional<CNumber> CNumber::PowerOf(const CNumber& exponent) const {
    if (!exponent.IsWhole()) {
        return std::nullopt;
    }
    CLongInteger n = exponent.m_kind == kInteger ? exponent.m_numerator : WholeValue(exponent);
    const bool negative = n.IsNegative();
    if (negative && IsZero()) {
        return std::nullopt;
    }
    if (negative) {
        n.Negate();
    }
    CNumber result;
    switch (m_kind) {
    case kInteger:
        result.m_numerator = m_numerator.Power(n);
        break;
    case kDecimal:
        result.SetKind(kDecimal);
        result.m_decimal = m_decimal.Power(n);
        break;
    case kFraction:
    case kMixed: {
        CLongInteger numerator;
        CLongInteger denominator;
        FractionParts(numerator, denominator);
        CLongInteger::ReduceByGcd(numerator, denominator); // 2/2 to a huge power is 1, not too large
        result = CNumber(numerator.Power(n), denominator.Power(n));
        break;
    }
    }
    if (negative) {
        result.Reciprocal();
    }
    result.Normalize();
    return result;
}

std::optional<CNumber> CNumber::PowerOf(int32_t exponent) const {
    return PowerOf(CNumber(exponent));
}

bool CNumber::PowerInPlace(const CNumber& exponent) {
    std::optional<CNumber> result = PowerOf(exponent);
    if (!result) {
        return false;
    }
    *this = std::move(*result);
    return true;
}

bool CNumber::PowerInPlace(int32_t exponent) {
    return PowerInPlace(CNumber(exponent));
}

std::optional<CNumber> CNumber::ExactRoot(const CNumber& degree) const {
    if (!degree.IsWhole()) {
        return std::nullopt;
    }
    const CLongInteger k = degree.m_kind == kInteger ? degree.m_numerator : WholeValue(degree);
    if (m_kind == kInteger) {
        std::optional<CLongInteger> root = IntegerRoot(m_numerator, k);
        if (!root) {
            return std::nullopt;
        }
        return CNumber(std::move(*root));
    }
    CLongInteger numerator;
    CLongInteger denominator;
    FractionParts(numerator, denominator);
    if (denominator.IsZero()) {
        return std::nullopt;
    }
    if (denominator.IsNegative()) {
        numerator.Negate();
        denominator.Negate();
    }
    CLongInteger::ReduceByGcd(numerator, denominator);
    std::optional<CLongInteger> top = IntegerRoot(numerator, k);
    std::optional<CLongInteger> bottom = IntegerRoot(denominator, k);
    if (!top || !bottom) {
        return std::nullopt;
    }
    CNumber result;
    result.SetFromFraction(std::move(*top), std::move(*bottom));
    return result;
}

std::optional<CNumber> CNumber::ExactRoot(int32_t degree) const {
    return ExactRoot(CNumber(degree));
}

// --- comparisons and tests --------------------------------------------------------------------

int CNumber::Compare(const CNumber& a, const CNumber& b) {
    if (a.m_kind == kInteger && b.m_kind == kInteger) {
        return CLongInteger::Compare(a.m_numerator, b.m_numerator);
    }
    int64_t sn1 = 0;
    int64_t sd1 = 1;
    int64_t sn2 = 0;
    int64_t sd2 = 1;
    if (a.SmallFraction(sn1, sd1) && b.SmallFraction(sn2, sd2)) {
        // Cross products of two words always fit 128 bits.
        __extension__ typedef __int128 Int128;
        Int128 left = static_cast<Int128>(sn1) * sd2;
        Int128 right = static_cast<Int128>(sn2) * sd1;
        if ((sd1 < 0) != (sd2 < 0)) {
            std::swap(left, right);
        }
        return left < right ? -1 : (left > right ? 1 : 0);
    }
    const bool decimalPair =
        (a.m_kind == kInteger || a.m_kind == kDecimal) && (b.m_kind == kInteger || b.m_kind == kDecimal);
    if (decimalPair) {
        const CLongDecimal x = a.m_kind == kDecimal ? a.m_decimal : CLongDecimal(a.m_numerator);
        const CLongDecimal y = b.m_kind == kDecimal ? b.m_decimal : CLongDecimal(b.m_numerator);
        return CLongDecimal::Compare(x, y);
    }
    CLongInteger n1;
    CLongInteger d1;
    CLongInteger n2;
    CLongInteger d2;
    a.FractionParts(n1, d1);
    b.FractionParts(n2, d2);
    if (d1.IsNegative()) {
        n1.Negate();
        d1.Negate();
    }
    if (d2.IsNegative()) {
        n2.Negate();
        d2.Negate();
    }
    return CLongInteger::CompareProducts(n1, d2, n2, d1);
}

int CNumber::CompareInt(int32_t value) const {
    if (m_kind == kInteger) {
        return CLongInteger::Compare(m_numerator, CLongInteger(value));
    }
    return Compare(*this, CNumber(value));
}

bool CNumber::IsZero() const {
    switch (m_kind) {
    case kInteger:
    case kFraction:
        return m_numerator.IsZero();
    case kDecimal:
        return m_decimal.IsZero();
    case kMixed:
        return Sign() == 0;
    }
    return false;
}

bool CNumber::IsOne() const {
    if (m_kind == kInteger) {
        return m_numerator.IsOne();
    }
    return CompareInt(1) == 0;
}

int CNumber::Sign() const {
    switch (m_kind) {
    case kInteger:
        return m_numerator.Sign();
    case kDecimal:
        return m_decimal.Sign();
    case kFraction:
    case kMixed: {
        CLongInteger numerator;
        CLongInteger denominator;
        FractionParts(numerator, denominator);
        return numerator.Sign() * (denominator.IsNegative() ? -1 : 1);
    }
    }
    return 0;
}

bool CNumber::IsWhole() const {
    switch (m_kind) {
    case kInteger:
        return true;
    case kDecimal: {
        CLongDecimal copy = m_decimal;
        copy.Normalize();
        return copy.FractionDigits() == 0;
    }
    case kFraction:
    case kMixed: {
        if (m_denominator.IsZero()) {
            return false;
        }
        auto division = m_numerator.DivMod(m_denominator);
        return division && division->second.IsZero();
    }
    }
    return false;
}

bool CNumber::IsEvenInteger() const {
    return IsWhole() && WholeValue(*this).IsEven();
}

bool CNumber::IsPrime() const {
    return m_kind == kInteger && m_numerator.IsPrime();
}

bool CNumber::Divides(const CNumber& a, const CNumber& b) {
    if (a.m_kind != kInteger || b.m_kind != kInteger) {
        return true;
    }
    if (b.m_numerator.IsZero()) {
        return a.m_numerator.IsZero();
    }
    return a.m_numerator.DivMod(b.m_numerator)->second.IsZero();
}

// --- conversions ------------------------------------------------------------------------------

void CNumber::ToFraction() {
    if (m_kind == kFraction) {
        return;
    }
    CLongInteger numerator;
    CLongInteger denominator;
    FractionParts(numerator, denominator);
    SetKind(kFraction);
    m_numerator = std::move(numerator);
    m_denominator = std::move(denominator);
}

bool CNumber::ToInteger() {
    if (!IsWhole()) {
        return false;
    }
    TruncateToInteger();
    return true;
}

bool CNumber::ToDecimal() {
    CLongInteger numerator;
    CLongInteger denominator;
    FractionParts(numerator, denominator);
    if (denominator.IsZero()) {
        return false;
    }
    if (denominator.IsNegative()) {
        numerator.Negate();
        denominator.Negate();
    }
    CLongInteger::ReduceByGcd(numerator, denominator);
    if (!denominator.OnlyFactorsTwoAndFive()) {
        return false;
    }
    if (denominator.IsOne()) {
        SetKind(kDecimal);
        m_decimal = CLongDecimal(numerator);
        return true;
    }
    SetFromFraction(std::move(numerator), std::move(denominator));
    return m_kind == kDecimal;
}

void CNumber::TruncateToInteger() {
    switch (m_kind) {
    case kInteger:
        return;
    case kDecimal: {
        CLongInteger value = m_decimal.IntegerPart();
        SetInteger(value);
        return;
    }
    case kFraction:
    case kMixed: {
        CLongInteger value =
            m_denominator.IsZero() ? CLongInteger() : *m_numerator.DivideTruncated(m_denominator);
        if (m_kind == kMixed) {
            value.AddInPlace(m_whole);
        }
        SetInteger(value);
        return;
    }
    }
}

void CNumber::Reciprocal() {
    CLongInteger numerator;
    CLongInteger denominator;
    FractionParts(numerator, denominator);
    if (numerator.IsZero()) {
        SetInteger(0);
        return;
    }
    if (numerator.IsNegative()) {
        numerator.Negate();
        denominator.Negate();
    }
    SetKind(kFraction);
    m_numerator = std::move(denominator);
    m_denominator = std::move(numerator);
}

void CNumber::Negate() {
    switch (m_kind) {
    case kInteger:
    case kFraction:
        m_numerator.Negate();
        return;
    case kDecimal:
        m_decimal.Negate();
        return;
    case kMixed:
        m_whole.Negate();
        m_numerator.Negate();
        return;
    }
}

int CNumber::TakeSign() {
    if (Sign() < 0) {
        Negate();
        return -1;
    }
    return 1;
}

CLongInteger CNumber::Denominator() const {
    switch (m_kind) {
    case kInteger:
        return CLongInteger(1);
    case kDecimal:
        return PowerOfTen(m_decimal.FractionDigits());
    case kFraction:
    case kMixed: {
        CLongInteger numerator = m_numerator;
        CLongInteger denominator = m_denominator;
        CLongInteger::ReduceByGcd(numerator, denominator);
        return denominator.Abs();
    }
    }
    return CLongInteger(1);
}

int32_t CNumber::ToInt() const {
    if (m_kind != kInteger) {
        return 0;
    }
    const int64_t value = m_numerator.ToInt64Clamped();
    return static_cast<int32_t>(std::clamp<int64_t>(value, -32767, 32767));
}

void CNumber::Reduce() {
    if (m_kind == kFraction || m_kind == kMixed) {
        CLongInteger::ReduceByGcd(m_numerator, m_denominator);
    }
}

// --- number theory ----------------------------------------------------------------------------

CNumber CNumber::GcdOf(const CNumber& a, const CNumber& b) {
    if (a.m_kind != kInteger || b.m_kind != kInteger) {
        return CNumber(1);
    }
    return CNumber(CLongInteger::Gcd(a.m_numerator, b.m_numerator));
}

std::optional<CNumber> CNumber::LcmOf(const CNumber& a, const CNumber& b) {
    if (a.m_kind != kInteger || b.m_kind != kInteger) {
        return a.Product(b);
    }
    std::optional<CLongInteger> lcm = CLongInteger::Lcm(a.m_numerator, b.m_numerator);
    if (!lcm) {
        return std::nullopt;
    }
    return CNumber(std::move(*lcm));
}

std::optional<CNumber> CNumber::CeilSqrt() const {
    if (m_kind != kInteger) {
        return std::nullopt;
    }
    std::optional<CLongInteger> root = m_numerator.CeilSqrt();
    if (!root) {
        return std::nullopt;
    }
    return CNumber(std::move(*root));
}

// --- text -------------------------------------------------------------------------------------

void CNumber::WriteText(std::string& text) const {
    switch (m_kind) {
    case kInteger:
        m_numerator.WriteText(text);
        return;
    case kDecimal:
        m_decimal.WriteText(text);
        return;
    case kFraction:
        m_numerator.WriteText(text);
        text += '/';
        m_denominator.WriteText(text);
        return;
    case kMixed:
        m_whole.WriteText(text);
        text += "@{";
        m_numerator.WriteText(text);
        text += '/';
        m_denominator.WriteText(text);
        text += '}';
        return;
    }
}

std::string CNumber::ToText() const {
    std::string text;
    WriteText(text);
    return text;
}
