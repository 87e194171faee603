#include "model/CLongInteger.h"

#include "model/EngineLimits.h"
#include "model/PowersOfTen.h"
#include "model/WorkBudget.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

using Limbs = std::vector<uint32_t>;

constexpr uint32_t kBase = 1'000'000'000;
constexpr int kLimbDigits = 9;
constexpr int64_t kSmallBound = 1'000'000'000'000'000'000; // 10^18, exclusive
constexpr int kMaxDigits = static_cast<int>(EngineLimits::kMaxNumberDigits);

thread_local bool tLimitExceeded = false;

int DigitsOf(uint64_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

uint64_t MagnitudeOf(int64_t value) {
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

void Trim(Limbs& a) {
    while (!a.empty() && a.back() == 0) {
        a.pop_back();
    }
}

Limbs LimbsOf(uint64_t value) {
    Limbs limbs;
    while (value != 0) {
        limbs.push_back(static_cast<uint32_t>(value % kBase));
        value /= kBase;
    }
    return limbs;
}

int CompareMag(const Limbs& a, const Limbs& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    for (size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

Limbs AddMag(const Limbs& a, const Limbs& b) {
    const Limbs& longer = a.size() >= b.size() ? a : b;
    const Limbs& shorter = a.size() >= b.size() ? b : a;
    Limbs result(longer.size() + 1, 0);
    uint32_t carry = 0;
    for (size_t i = 0; i < longer.size(); ++i) {
        uint32_t sum = longer[i] + carry + (i < shorter.size() ? shorter[i] : 0);
        carry = sum >= kBase ? 1 : 0;
        result[i] = sum - carry * kBase;
    }
    result[longer.size()] = carry;
    Trim(result);
    return result;
}

// a - b for a >= b.
Limbs SubMag(const Limbs& a, const Limbs& b) {
    Limbs result(a.size(), 0);
    int64_t borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        int64_t diff = static_cast<int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
        borrow = diff < 0 ? 1 : 0;
        result[i] = static_cast<uint32_t>(diff + borrow * kBase);
    }
    Trim(result);
    return result;
}

// Carries the column sums from column `from` on, leaving each below kBase.
void CarryColumns(std::vector<uint64_t>& columns, size_t from) {
    uint64_t carry = 0;
    for (size_t k = from; k < columns.size(); ++k) {
        const uint64_t sum = columns[k] + carry;
        columns[k] = sum % kBase;
        carry = sum / kBase;
    }
}

Limbs MulMag(const Limbs& a, const Limbs& b) {
    if (a.empty() || b.empty()) {
        return {};
    }
    WorkBudget::Charge(static_cast<std::int64_t>(a.size() * b.size()) + WorkBudget::kUnitsPerLongNumberCall);
    // The column sums are kept in 64 bits and carried only every kRowsPerCarry rows, not after
    // every limb product (a division each): a limb product is below 10^18, so kRowsPerCarry of them
    // added to a carried column stay below 2^64. A row adds to the columns from its own index on,
    // so the carry starts at the first row since the last one.
    constexpr size_t kRowsPerCarry = 17;
    std::vector<uint64_t> columns(a.size() + b.size(), 0);
    size_t uncarried = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const uint64_t ai = a[i];
        uint64_t* row = columns.data() + i;
        for (size_t j = 0; j < b.size(); ++j) {
            row[j] += ai * b[j];
        }
        if ((i + 1 - uncarried) == kRowsPerCarry || i + 1 == a.size()) {
            CarryColumns(columns, uncarried);
            uncarried = i + 1;
        }
    }
    Limbs result(columns.begin(), columns.end());
    Trim(result);
    return result;
}

Limbs MulSmall(const Limbs& a, uint32_t factor) {
    Limbs result(a.size() + 1, 0);
    uint64_t carry = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t cur = static_cast<uint64_t>(a[i]) * factor + carry;
        result[i] = static_cast<uint32_t>(cur % kBase);
        carry = cur / kBase;
    }
    result[a.size()] = static_cast<uint32_t>(carry);
    Trim(result);
    return result;
}

// Divides by a single limb; returns the remainder.
uint32_t DivSmallInPlace(Limbs& a, uint32_t divisor) {
    uint64_t rem = 0;
    for (size_t i = a.size(); i-- > 0;) {
        uint64_t cur = rem * kBase + a[i];
        a[i] = static_cast<uint32_t>(cur / divisor);
        rem = cur % divisor;
    }
    Trim(a);
    return static_cast<uint32_t>(rem);
}

// Long division of magnitudes (divisor non-empty): quotient and remainder.
std::pair<Limbs, Limbs> DivModMag(const Limbs& a, const Limbs& b) {
    if (CompareMag(a, b) < 0) {
        return {Limbs{}, a};
    }
    if (b.size() == 1) {
        Limbs q = a;
        uint32_t r = DivSmallInPlace(q, b[0]);
        return {q, r == 0 ? Limbs{} : Limbs{r}};
    }
    // Scale both so that the divisor's top limb is at least half the base; the quotient digit
    // estimate from the top two limbs is then off by at most a small amount, and the add-back
    // loop below corrects any remaining excess.
    const uint32_t scale = static_cast<uint32_t>(kBase / (static_cast<uint64_t>(b.back()) + 1));
    Limbs u = MulSmall(a, scale);
    Limbs v = MulSmall(b, scale);
    const size_t n = v.size();
    u.resize(std::max(u.size(), a.size()) + 1, 0);
    const size_t m = u.size() - n - 1;
    WorkBudget::Charge(static_cast<std::int64_t>((m + 1) * n) + WorkBudget::kUnitsPerLongNumberCall);
    Limbs q(m + 1, 0);
    const uint64_t vTop = v[n - 1];
    const uint64_t vNext = v[n - 2];
    for (size_t j = m + 1; j-- > 0;) {
        uint64_t numerator = static_cast<uint64_t>(u[j + n]) * kBase + u[j + n - 1];
        uint64_t qhat = numerator / vTop;
        uint64_t rhat = numerator % vTop;
        while (qhat >= kBase || qhat * vNext > rhat * kBase + u[j + n - 2]) {
            --qhat;
            rhat += vTop;
            if (rhat >= kBase) {
                break;
            }
        }
        // u[j .. j+n] -= qhat * v
        int64_t borrow = 0;
        uint64_t carry = 0;
        for (size_t i = 0; i < n; ++i) {
            uint64_t product = qhat * v[i] + carry;
            carry = product / kBase;
            int64_t diff = static_cast<int64_t>(u[i + j]) - static_cast<int64_t>(product % kBase) - borrow;
            borrow = diff < 0 ? 1 : 0;
            u[i + j] = static_cast<uint32_t>(diff + borrow * kBase);
        }
        int64_t top = static_cast<int64_t>(u[j + n]) - static_cast<int64_t>(carry) - borrow;
        while (top < 0) {
            // The estimate was too large: add the divisor back.
            --qhat;
            uint32_t addCarry = 0;
            for (size_t i = 0; i < n; ++i) {
                uint32_t sum = u[i + j] + v[i] + addCarry;
                addCarry = sum >= kBase ? 1 : 0;
                u[i + j] = sum - addCarry * kBase;
            }
            top += addCarry;
        }
        u[j + n] = static_cast<uint32_t>(top);
        q[j] = static_cast<uint32_t>(qhat);
    }
    Trim(q);
    u.resize(n);
    Trim(u);
    DivSmallInPlace(u, scale);
    return {q, u};
}

// |p·a + q·b| for machine factors p and q. Lehmer's gcd step combines its two values this way, and
// the result is never longer than the longer of a and b, so it is computed on the magnitudes where
// no intermediate product can meet the digit limit (which would replace it by a placeholder).
Limbs CombineMag(const Limbs& a, int64_t p, const Limbs& b, int64_t q) {
    const Limbs pa = MulMag(a, LimbsOf(MagnitudeOf(p)));
    const Limbs qb = MulMag(b, LimbsOf(MagnitudeOf(q)));
    if ((p < 0) == (q < 0)) {
        return AddMag(pa, qb);
    }
    return CompareMag(pa, qb) >= 0 ? SubMag(pa, qb) : SubMag(qb, pa);
}

int DigitCountMag(const Limbs& a) {
    if (a.empty()) {
        return 1;
    }
    return static_cast<int>(a.size() - 1) * kLimbDigits + DigitsOf(a.back());
}

} // namespace

// --- limit flag -------------------------------------------------------------------------------

bool CLongInteger::LimitExceeded() {
    return tLimitExceeded;
}
void CLongInteger::ResetLimitExceeded() {
    tLimitExceeded = false;
}
void CLongInteger::ReportLimitExceeded() {
    tLimitExceeded = true;
}

// --- construction -----------------------------------------------------------------------------

CLongInteger::CLongInteger(int32_t value, int minCapacity) : m_small(value) {
    (void)minCapacity;
}

CLongInteger::CLongInteger(std::string_view digits) {
    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative) {
        digits.remove_prefix(1);
    }
    ReadDigits(digits);
    if (negative) {
        Negate();
    }
}

void CLongInteger::ReadDigits(std::string_view digits) {
    size_t first = 0;
    while (first < digits.size() && digits[first] == '0') {
        ++first;
    }
    digits.remove_prefix(first);
    if (digits.size() > static_cast<size_t>(kMaxDigits)) {
        ReportLimitExceeded();
        m_small = 1;
        return;
    }
    if (digits.size() < 19) {
        int64_t value = 0;
        for (char c : digits) {
            value = value * 10 + (c - '0');
        }
        m_small = value;
        return;
    }
    Limbs limbs;
    for (size_t end = digits.size(); end > 0;) {
        size_t begin = end >= static_cast<size_t>(kLimbDigits) ? end - kLimbDigits : 0;
        uint32_t limb = 0;
        for (size_t i = begin; i < end; ++i) {
            limb = limb * 10 + static_cast<uint32_t>(digits[i] - '0');
        }
        limbs.push_back(limb);
        end = begin;
    }
    AssignMagnitude(false, std::move(limbs));
}

CLongInteger CLongInteger::FromInt64(int64_t value) {
    CLongInteger result;
    if (value > -kSmallBound && value < kSmallBound) {
        result.m_small = value;
    } else {
        result.AssignMagnitude(value < 0, LimbsOf(MagnitudeOf(value)));
    }
    return result;
}

CLongInteger::Limbs CLongInteger::Magnitude() const {
    if (!m_limbs.empty()) {
        return m_limbs;
    }
    return LimbsOf(MagnitudeOf(m_small));
}

void CLongInteger::AssignMagnitude(bool negative, Limbs&& magnitude) {
    Trim(magnitude);
    if (magnitude.size() <= 2) {
        int64_t value = magnitude.empty() ? 0 : magnitude[0];
        if (magnitude.size() == 2) {
            value += static_cast<int64_t>(magnitude[1]) * kBase;
        }
        m_small = negative ? -value : value;
        m_limbs.clear();
        m_negative = false;
        return;
    }
    if (DigitCountMag(magnitude) > kMaxDigits) {
        ReportLimitExceeded();
        m_small = 1;
        m_limbs.clear();
        m_negative = false;
        return;
    }
    m_small = 0;
    m_limbs = std::move(magnitude);
    m_negative = negative;
}

CLongInteger CLongInteger::FromMagnitude(bool negative, Limbs&& magnitude) {
    CLongInteger result;
    result.AssignMagnitude(negative, std::move(magnitude));
    return result;
}

// --- arithmetic -------------------------------------------------------------------------------

void CLongInteger::AddInPlace(const CLongInteger& other) {
    if (m_limbs.empty() && other.m_limbs.empty()) {
        int64_t sum = m_small + other.m_small; // both below 10^18 in magnitude: no overflow
        if (sum > -kSmallBound && sum < kSmallBound) {
            m_small = sum;
            return;
        }
        AssignMagnitude(sum < 0, LimbsOf(MagnitudeOf(sum)));
        return;
    }
    const bool negA = IsNegative();
    const bool negB = other.IsNegative();
    Limbs a = Magnitude();
    Limbs b = other.Magnitude();
    if (negA == negB) {
        AssignMagnitude(negA, AddMag(a, b));
        return;
    }
    const int cmp = CompareMag(a, b);
    if (cmp == 0) {
        SetZero();
    } else if (cmp > 0) {
        AssignMagnitude(negA, SubMag(a, b));
    } else {
        AssignMagnitude(negB, SubMag(b, a));
    }
}

void CLongInteger::SubtractInPlace(const CLongInteger& other) {
    if (m_limbs.empty() && other.m_limbs.empty()) {
        int64_t diff = m_small - other.m_small;
        if (diff > -kSmallBound && diff < kSmallBound) {
            m_small = diff;
            return;
        }
        AssignMagnitude(diff < 0, LimbsOf(MagnitudeOf(diff)));
        return;
    }
    CLongInteger negated = other;
    negated.Negate();
    AddInPlace(negated);
}

void CLongInteger::MultiplyInPlace(const CLongInteger& other) {
    if (m_limbs.empty() && other.m_limbs.empty()) {
        int64_t product = 0;
        if (!__builtin_mul_overflow(m_small, other.m_small, &product) && product > -kSmallBound &&
            product < kSmallBound) {
            m_small = product;
            return;
        }
    }
    if (IsZero() || other.IsZero()) {
        SetZero();
        return;
    }
    const bool negative = IsNegative() != other.IsNegative();
    AssignMagnitude(negative, MulMag(Magnitude(), other.Magnitude()));
}

CLongInteger CLongInteger::Add(const CLongInteger& other) const {
    CLongInteger result = *this;
    result.AddInPlace(other);
    return result;
}

CLongInteger CLongInteger::Subtract(const CLongInteger& other) const {
    CLongInteger result = *this;
    result.SubtractInPlace(other);
    return result;
}

CLongInteger CLongInteger::Multiply(const CLongInteger& other) const {
    CLongInteger result = *this;
    result.MultiplyInPlace(other);
    return result;
}

CLongInteger CLongInteger::Square() const {
    return Multiply(*this);
}

CLongInteger CLongInteger::Power(int64_t exponent) const {
    if (exponent <= 0) {
        return CLongInteger(1);
    }
    if (IsZero() || IsOne() || exponent == 1) {
        return *this;
    }
    if (m_limbs.empty() && m_small == -1) {
        return CLongInteger(exponent % 2 == 0 ? 1 : -1);
    }
    // Check the size of the result before computing it: |x|^n has at least n * log10|x| digits.
    const double estimated = Log10() * static_cast<double>(exponent);
    if (estimated > static_cast<double>(kMaxDigits) + 1.0) {
        ReportLimitExceeded();
        return CLongInteger(1);
    }
    // Repeated squaring from the most significant bit of the exponent down.
    int topBit = 63 - __builtin_clzll(static_cast<uint64_t>(exponent));
    CLongInteger result = *this;
    for (int bit = topBit - 1; bit >= 0; --bit) {
        result = result.Square();
        if ((exponent >> bit) & 1) {
            result.MultiplyInPlace(*this);
        }
        if (tLimitExceeded && result.IsOne()) {
            return result;
        }
    }
    return result;
}

CLongInteger CLongInteger::Power(const CLongInteger& exponent) const {
    if (exponent.IsNegative() || exponent.IsZero()) {
        return CLongInteger(1);
    }
    if (!exponent.FitsInt64()) {
        // Such an exponent is far beyond any representable result unless the base is 0 or +-1.
        if (IsZero() || IsOne()) {
            return *this;
        }
        if (m_limbs.empty() && m_small == -1) {
            return CLongInteger(exponent.IsEven() ? 1 : -1);
        }
        ReportLimitExceeded();
        return CLongInteger(1);
    }
    return Power(exponent.SmallValue());
}

void CLongInteger::PowerInPlace(const CLongInteger& exponent) {
    *this = Power(exponent);
}

std::optional<std::pair<CLongInteger, CLongInteger>> CLongInteger::DivMod(const CLongInteger& divisor) const {
    if (divisor.IsZero()) {
        return std::nullopt;
    }
    CLongInteger q;
    CLongInteger r;
    const bool negA = IsNegative();
    const bool negD = divisor.IsNegative();
    if (m_limbs.empty() && divisor.m_limbs.empty()) {
        const int64_t a = m_small;
        const int64_t d = divisor.m_small;
        int64_t qv = a / d;
        int64_t rv = a % d;
        if (rv < 0) {
            // C++ truncates toward zero; move to the non-negative remainder.
            rv += d < 0 ? -d : d;
            qv += d < 0 ? 1 : -1;
        }
        return std::make_pair(FromInt64(qv), FromInt64(rv));
    }
    auto [qMag, rMag] = DivModMag(Magnitude(), divisor.Magnitude());
    q = FromMagnitude(negA != negD, std::move(qMag));
    r = FromMagnitude(false, std::move(rMag));
    if (negA && !r.IsZero()) {
        // a = -(|q||d| + r)  =>  q' = q -+ 1, r' = |d| - r
        q.AddInPlace(CLongInteger(negD ? 1 : -1));
        r = divisor.Abs().Subtract(r);
    }
    return std::make_pair(std::move(q), std::move(r));
}

std::optional<CLongInteger> CLongInteger::DivideTruncated(const CLongInteger& divisor) const {
    if (divisor.IsZero()) {
        return std::nullopt;
    }
    if (m_limbs.empty() && divisor.m_limbs.empty()) {
        return FromInt64(m_small / divisor.m_small);
    }
    auto [qMag, rMag] = DivModMag(Magnitude(), divisor.Magnitude());
    return FromMagnitude(IsNegative() != divisor.IsNegative(), std::move(qMag));
}

void CLongInteger::DivideExactInPlace(const CLongInteger& divisor) {
    if (auto q = DivideTruncated(divisor)) {
        *this = std::move(*q);
    }
}

CLongInteger CLongInteger::Abs() const {
    CLongInteger result = *this;
    if (result.IsNegative()) {
        result.Negate();
    }
    return result;
}

void CLongInteger::Negate() {
    if (m_limbs.empty()) {
        m_small = -m_small;
    } else {
        m_negative = !m_negative;
    }
}

void CLongInteger::SetZero() {
    m_small = 0;
    m_limbs.clear();
    m_negative = false;
}

void CLongInteger::Increment() {
    AddInPlace(CLongInteger(1));
}

void CLongInteger::MultiplyByPowerOfTen(int count) {
    if (count <= 0 || IsZero()) {
        return;
    }
    if (count > kMaxDigits) {
        ReportLimitExceeded();
        *this = CLongInteger(1);
        return;
    }
    if (m_limbs.empty() && count <= 18) {
        int64_t product = 0;
        if (!__builtin_mul_overflow(m_small, kPowersOfTen[count], &product) && product > -kSmallBound &&
            product < kSmallBound) {
            m_small = product;
            return;
        }
    }
    const bool negative = IsNegative();
    Limbs magnitude = Magnitude();
    magnitude = MulSmall(magnitude, static_cast<uint32_t>(kPowersOfTen[count % kLimbDigits]));
    magnitude.insert(magnitude.begin(), static_cast<size_t>(count / kLimbDigits), 0u);
    AssignMagnitude(negative, std::move(magnitude));
}

int CLongInteger::RemoveTrailingZeros(int limit) {
    if (IsZero() || limit <= 0) {
        return 0;
    }
    if (m_limbs.empty()) {
        int removed = 0;
        while (removed < limit && m_small % 10 == 0) {
            m_small /= 10;
            ++removed;
        }
        return removed;
    }
    int zeros = 0;
    for (uint32_t limb : m_limbs) {
        if (limb == 0) {
            zeros += kLimbDigits;
            continue;
        }
        while (limb % 10 == 0) {
            limb /= 10;
            ++zeros;
        }
        break;
    }
    const int removed = std::min(zeros, limit);
    if (removed == 0) {
        return 0;
    }
    const bool negative = m_negative;
    Limbs magnitude = m_limbs;
    magnitude.erase(magnitude.begin(), magnitude.begin() + removed / kLimbDigits);
    if (removed % kLimbDigits != 0) {
        DivSmallInPlace(magnitude, static_cast<uint32_t>(kPowersOfTen[removed % kLimbDigits]));
    }
    AssignMagnitude(negative, std::move(magnitude));
    return removed;
}

// --- number theory ----------------------------------------------------------------------------

CLongInteger CLongInteger::Gcd(const CLongInteger& a, const CLongInteger& b) {
    if (a.m_limbs.empty() && b.m_limbs.empty()) {
        return FromInt64(static_cast<int64_t>(std::gcd(MagnitudeOf(a.m_small), MagnitudeOf(b.m_small))));
    }
    // Lehmer's algorithm: run Euclid's steps on the leading 18 digits alone while their quotients
    // are certain to be those of the full values, then apply the collected steps to the full values
    // at once. Each round removes about nine digits for the price of a few long multiplications.
    // Every step keeps both values within the digit limit; should the work budget of the solve run
    // out on the way, the gcd stops at once with the placeholder 1, as every operation past a
    // limit does.
    const bool limitAlreadyReported = tLimitExceeded;
    CLongInteger x = a.Abs();
    CLongInteger y = b.Abs();
    for (;;) {
        if (tLimitExceeded && !limitAlreadyReported) {
            return CLongInteger(1);
        }
        if (Compare(x, y) < 0) {
            std::swap(x, y);
        }
        if (y.IsZero()) {
            return x;
        }
        if (x.m_limbs.empty()) {
            return Gcd(x, y);
        }
        const size_t n = x.m_limbs.size();
        // A round copies both values and combines them limb by limb into two new ones.
        WorkBudget::Charge(static_cast<std::int64_t>(6 * n) + 4 * WorkBudget::kUnitsPerLongNumberCall);
        const Limbs yLimbs = y.Magnitude();
        if (yLimbs.size() + 1 < n) {
            // Very different sizes: one ordinary division step.
            Limbs r = DivModMag(x.m_limbs, yLimbs).second;
            x = std::move(y);
            y = FromMagnitude(false, std::move(r));
            continue;
        }
        int64_t xh = static_cast<int64_t>(x.m_limbs[n - 1]) * kBase + x.m_limbs[n - 2];
        int64_t yh = static_cast<int64_t>(yLimbs.size() >= n ? yLimbs[n - 1] : 0) * kBase + yLimbs[n - 2];
        int64_t A = 1;
        int64_t B = 0;
        int64_t C = 0;
        int64_t D = 1;
        while (yh + C != 0 && yh + D != 0) {
            const int64_t q = (xh + A) / (yh + C);
            if (q != (xh + B) / (yh + D)) {
                break;
            }
            int64_t t = A - q * C;
            A = C;
            C = t;
            t = B - q * D;
            B = D;
            D = t;
            t = xh - q * yh;
            xh = yh;
            yh = t;
        }
        if (B == 0) {
            Limbs r = DivModMag(x.m_limbs, yLimbs).second;
            x = std::move(y);
            y = FromMagnitude(false, std::move(r));
            continue;
        }
        const Limbs xLimbs = x.m_limbs;
        x = FromMagnitude(false, CombineMag(xLimbs, A, yLimbs, B));
        y = FromMagnitude(false, CombineMag(xLimbs, C, yLimbs, D));
    }
}

std::optional<CLongInteger> CLongInteger::Lcm(const CLongInteger& a, const CLongInteger& b) {
    if (a.IsZero() || b.IsZero()) {
        return std::nullopt;
    }
    CLongInteger g = Gcd(a, b);
    CLongInteger result = a.Abs();
    result.DivideExactInPlace(g);
    result.MultiplyInPlace(b.Abs());
    return result;
}

bool CLongInteger::ReduceByGcd(CLongInteger& a, CLongInteger& b) {
    CLongInteger g = Gcd(a, b);
    if (g.IsZero() || g.IsOne()) {
        return true;
    }
    a.DivideExactInPlace(g);
    b.DivideExactInPlace(g);
    return false;
}

CLongInteger CLongInteger::FloorRoot(int64_t degree) const {
    if (IsNegative() || degree < 1) {
        return CLongInteger();
    }
    if (degree == 1 || IsZero() || IsOne()) {
        return *this;
    }
    // 2^degree > value once degree exceeds the bit length: the root is 1.
    const double log10Value = Log10();
    if (static_cast<double>(degree) * std::log10(2.0) > log10Value + 1.0) {
        return CLongInteger(1);
    }
    // Start from a slight overestimate taken from floating point, then Newton steps downward:
    // x' = ((k - 1) x + n / x^(k-1)) / k decreases monotonically to the floor of the root.
    const double log10Root = log10Value / static_cast<double>(degree);
    CLongInteger x;
    if (log10Root < 15.0) {
        x = FromInt64(static_cast<int64_t>(std::pow(10.0, log10Root) * (1.0 + 1e-9)) + 2);
    } else {
        const int shift = static_cast<int>(log10Root) - 15;
        x = FromInt64(static_cast<int64_t>(std::pow(10.0, log10Root - shift) * (1.0 + 1e-9)) + 2);
        x.MultiplyByPowerOfTen(shift);
    }
    const CLongInteger k = FromInt64(degree);
    const CLongInteger kMinusOne = FromInt64(degree - 1);
    // candidate^degree > value, decided without a product past the value (a value at the digit
    // limit would turn it into the "too large" placeholder): acc * candidate > value exactly when
    // acc > floor(value / candidate), for positive integers.
    auto powerExceeds = [&](const CLongInteger& candidate) {
        if (candidate.IsZero()) {
            return false;
        }
        const CLongInteger bound = *DivideTruncated(candidate);
        CLongInteger acc(1);
        for (int64_t i = 0; i < degree; ++i) {
            if (Compare(acc, bound) > 0) {
                return true;
            }
            acc.MultiplyInPlace(candidate);
        }
        return false;
    };
    // Make sure x is an overestimate (x^k > value); the float estimate nearly always is, and
    // doubling reaches one in a few steps when it is not.
    while (!powerExceeds(x)) {
        x.AddInPlace(x);
    }
    for (int guard = 0; guard < 10'000; ++guard) {
        CLongInteger xPow = x.Power(degree - 1);
        CLongInteger next = x.Multiply(kMinusOne);
        next.AddInPlace(*DivideTruncated(xPow));
        next = *next.DivideTruncated(k);
        if (Compare(next, x) >= 0) {
            break;
        }
        x = std::move(next);
    }
    // Settle the last step exactly.
    while (powerExceeds(x)) {
        x.SubtractInPlace(CLongInteger(1));
    }
    CLongInteger up = x.Add(CLongInteger(1));
    while (!powerExceeds(up)) {
        x = up;
        up.Increment();
    }
    return x;
}

std::optional<CLongInteger> CLongInteger::CeilSqrt() const {
    if (IsNegative()) {
        return std::nullopt;
    }
    if (IsZero() || IsOne()) {
        return *this;
    }
    CLongInteger root = FloorRoot(2);
    if (!root.Square().Equal(*this)) {
        root.Increment();
    }
    return root;
}

bool CLongInteger::OnlyFactorsTwoAndFive(int* twos, int* fives) const {
    int countTwo = 0;
    int countFive = 0;
    bool result = false;
    if (!IsZero()) {
        CLongInteger rest = Abs();
        const CLongInteger two(2);
        const CLongInteger five(5);
        if (rest.m_limbs.empty()) {
            uint64_t v = static_cast<uint64_t>(rest.m_small);
            while (v % 2 == 0) {
                v /= 2;
                ++countTwo;
            }
            while (v % 5 == 0) {
                v /= 5;
                ++countFive;
            }
            result = v == 1;
        } else {
            Limbs mag = rest.m_limbs;
            for (;;) {
                Limbs copy = mag;
                if (DivSmallInPlace(copy, 2) != 0) {
                    break;
                }
                mag = std::move(copy);
                ++countTwo;
            }
            for (;;) {
                Limbs copy = mag;
                if (DivSmallInPlace(copy, 5) != 0) {
                    break;
                }
                mag = std::move(copy);
                ++countFive;
            }
            result = mag.size() == 1 && mag[0] == 1;
        }
    }
    if (twos != nullptr) {
        *twos = countTwo;
    }
    if (fives != nullptr) {
        *fives = countFive;
    }
    return result;
}

namespace {

__extension__ typedef unsigned __int128 UInt128;

uint64_t MulMod(uint64_t a, uint64_t b, uint64_t m) {
    return static_cast<uint64_t>(static_cast<UInt128>(a) * b % m);
}

uint64_t PowMod(uint64_t base, uint64_t exp, uint64_t m) {
    uint64_t result = 1 % m;
    base %= m;
    while (exp != 0) {
        if (exp & 1) {
            result = MulMod(result, base, m);
        }
        base = MulMod(base, base, m);
        exp >>= 1;
    }
    return result;
}

// Deterministic for every 64-bit value with these bases.
bool IsPrime64(uint64_t n) {
    if (n < 2) {
        return false;
    }
    static constexpr uint64_t kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (uint64_t p : kBases) {
        if (n % p == 0) {
            return n == p;
        }
    }
    uint64_t d = n - 1;
    int s = 0;
    while (d % 2 == 0) {
        d /= 2;
        ++s;
    }
    for (uint64_t a : kBases) {
        uint64_t x = PowMod(a, d, n);
        if (x == 1 || x == n - 1) {
            continue;
        }
        bool composite = true;
        for (int i = 1; i < s; ++i) {
            x = MulMod(x, x, n);
            if (x == n - 1) {
                composite = false;
                break;
            }
        }
        if (composite) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CLongInteger::IsPrime() const {
    if (m_limbs.empty()) {
        return IsPrime64(MagnitudeOf(m_small));
    }
    // Beyond one machine word: trial division by small numbers, then strong probable-prime tests.
    const Limbs n = m_limbs;
    for (uint32_t p = 2; p < 10'000; ++p) {
        Limbs copy = n;
        if (DivSmallInPlace(copy, p) == 0) {
            return false;
        }
    }
    if (DigitCountMag(n) > 300) {
        // A full test of such a number would stall the solve.
        ReportLimitExceeded();
        return false;
    }
    Limbs nMinusOne = SubMag(n, Limbs{1});
    Limbs d = nMinusOne;
    int s = 0;
    for (;;) {
        Limbs copy = d;
        if (DivSmallInPlace(copy, 2) != 0) {
            break;
        }
        d = std::move(copy);
        ++s;
    }
    auto mulMod = [&](const Limbs& a, const Limbs& b) { return DivModMag(MulMag(a, b), n).second; };
    // Bits of d, most significant first.
    std::vector<int> bits;
    for (Limbs e = d; !e.empty();) {
        bits.push_back(static_cast<int>(DivSmallInPlace(e, 2)));
    }
    static constexpr uint32_t kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (uint32_t base : kBases) {
        Limbs x{1};
        for (size_t i = bits.size(); i-- > 0;) {
            x = mulMod(x, x);
            if (bits[i] != 0) {
                x = mulMod(x, Limbs{base});
            }
        }
        if ((x.size() == 1 && x[0] == 1) || CompareMag(x, nMinusOne) == 0) {
            continue;
        }
        bool composite = true;
        for (int i = 1; i < s; ++i) {
            x = mulMod(x, x);
            if (CompareMag(x, nMinusOne) == 0) {
                composite = false;
                break;
            }
        }
        if (composite) {
            return false;
        }
    }
    return true;
}

// --- tests and comparisons --------------------------------------------------------------------

bool CLongInteger::IsEven() const {
    return m_limbs.empty() ? m_small % 2 == 0 : m_limbs[0] % 2 == 0;
}

int CLongInteger::Sign() const {
    if (IsZero()) {
        return 0;
    }
    return IsNegative() ? -1 : 1;
}

int CLongInteger::Compare(const CLongInteger& a, const CLongInteger& b) {
    if (a.m_limbs.empty() && b.m_limbs.empty()) {
        return a.m_small < b.m_small ? -1 : (a.m_small > b.m_small ? 1 : 0);
    }
    const int signA = a.Sign();
    const int signB = b.Sign();
    if (signA != signB) {
        return signA < signB ? -1 : 1;
    }
    // Same sign, at least one of them long: compare magnitudes (a word value is always shorter).
    int magnitudeOrder = 0;
    if (a.m_limbs.empty()) {
        magnitudeOrder = -1;
    } else if (b.m_limbs.empty()) {
        magnitudeOrder = 1;
    } else {
        magnitudeOrder = CompareMag(a.m_limbs, b.m_limbs);
    }
    return signA < 0 ? -magnitudeOrder : magnitudeOrder;
}

int CLongInteger::CompareProducts(const CLongInteger& a, const CLongInteger& b, const CLongInteger& c,
                                  const CLongInteger& d) {
    const int left = a.Sign() * b.Sign();
    const int right = c.Sign() * d.Sign();
    if (left != right) {
        return left < right ? -1 : 1;
    }
    if (left == 0) {
        return 0;
    }
    const int order = CompareMag(MulMag(a.Magnitude(), b.Magnitude()), MulMag(c.Magnitude(), d.Magnitude()));
    return left < 0 ? -order : order;
}

// --- text and machine values ------------------------------------------------------------------

void CLongInteger::WriteText(std::string& text) const {
    if (m_limbs.empty()) {
        text += std::to_string(m_small);
        return;
    }
    if (m_negative) {
        text += '-';
    }
    text += std::to_string(m_limbs.back());
    char buffer[kLimbDigits];
    for (size_t i = m_limbs.size() - 1; i-- > 0;) {
        uint32_t limb = m_limbs[i];
        for (int k = kLimbDigits - 1; k >= 0; --k) {
            buffer[k] = static_cast<char>('0' + limb % 10);
            limb /= 10;
        }
        text.append(buffer, kLimbDigits);
    }
}

std::string CLongInteger::ToText() const {
    std::string text;
    WriteText(text);
    return text;
}

uint32_t CLongInteger::LowDigitsValue(uint32_t& power) const {
    const int digits = std::min(DigitCount(), kLimbDigits);
    power = static_cast<uint32_t>(kPowersOfTen[digits]);
    if (m_limbs.empty()) {
        return static_cast<uint32_t>(MagnitudeOf(m_small) % power);
    }
    return m_limbs[0] % power;
}

int CLongInteger::DigitCount() const {
    return m_limbs.empty() ? DigitsOf(MagnitudeOf(m_small)) : DigitCountMag(m_limbs);
}

int64_t CLongInteger::ToInt64Clamped() const {
    if (m_limbs.empty()) {
        return m_small;
    }
    return m_negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
}

double CLongInteger::Log10() const {
    if (IsZero()) {
        return -std::numeric_limits<double>::infinity();
    }
    if (m_limbs.empty()) {
        return std::log10(static_cast<double>(MagnitudeOf(m_small)));
    }
    const size_t n = m_limbs.size();
    const double top = static_cast<double>(m_limbs[n - 1]) * 1e18 +
                       static_cast<double>(m_limbs[n - 2]) * 1e9 + static_cast<double>(m_limbs[n - 3]);
    return std::log10(top) + static_cast<double>((n - 3) * kLimbDigits);
}
