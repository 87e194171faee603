#include "model/ModularGcd.h"

#include "model/CLongInteger.h"
#include "model/ModularImage.h"
#include "model/WorkBudget.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace MI = ModularImage;

namespace {

constexpr std::size_t kMaxLetters = 4;
// Primes tried before giving up; each carries about nine more digits of every coefficient.
constexpr std::size_t kMaxPrimes = 40;
// Points of one letter allowed beyond those the interpolation needs (leading coefficients that
// vanish, unlucky points).
constexpr std::uint64_t kSparePoints = 40;

// The exponents of a term packed into one word, 16 bits a letter, letter 0 highest: the order of
// the words is the lexicographic order of the monomials.
using Key = std::uint64_t;

int Shift(std::size_t letter) {
    return 16 * (3 - static_cast<int>(letter));
}

std::uint64_t ExponentIn(Key key, std::size_t letter) {
    return (key >> Shift(letter)) & 0xFFFFU;
}

Key WithoutLetter(Key key, std::size_t letter) {
    return key & ~(Key{0xFFFFU} << Shift(letter));
}

// A polynomial modulo a prime: non-zero residues by packed exponents, greatest monomial first.
using Sparse = std::map<Key, std::uint64_t, std::greater<>>;
// A polynomial in one letter modulo a prime: residues by exponent, no zero at the top.
using Dense = std::vector<std::uint64_t>;
// A polynomial seen in its last letter: the coefficient of every monomial of the other letters.
using Split = std::map<Key, Dense, std::greater<>>;

struct Field {
    std::uint64_t p;

    // Residues are below p, so one conditional subtraction reduces a sum.
    std::uint64_t Add(std::uint64_t a, std::uint64_t b) const {
        const std::uint64_t sum = a + b;
        return sum >= p ? sum - p : sum;
    }
    std::uint64_t Subtract(std::uint64_t a, std::uint64_t b) const { return a >= b ? a - b : a + p - b; }
    // Residues below 2^32 multiply within 64 bits.
    std::uint64_t Multiply(std::uint64_t a, std::uint64_t b) const { return a * b % p; }
    std::uint64_t Inverse(std::uint64_t a) const { return MI::InverseModulo(a, p); }
};

// --- one letter --------------------------------------------------------------------------------

void Trim(Dense& d) {
    while (!d.empty() && d.back() == 0) {
        d.pop_back();
    }
}

std::int64_t Degree(const Dense& d) {
    return static_cast<std::int64_t>(d.size()) - 1;
}

void MakeMonic(Dense& d, const Field& f) {
    if (d.empty() || d.back() == 1) {
        return;
    }
    const std::uint64_t inverse = f.Inverse(d.back());
    for (std::uint64_t& c : d) {
        c = f.Multiply(c, inverse);
    }
}

// a becomes a non-zero multiple of the remainder of its division by b (b not 0): each step takes
// lc(b) a - lc(a) x^k b, which needs no inverse, the dearest operation modulo the prime.
void ReduceInPlace(Dense& a, const Dense& b, const Field& f) {
    while (a.size() >= b.size()) {
        const std::uint64_t scaleA = b.back();
        const std::uint64_t scaleB = a.back();
        const std::size_t shift = a.size() - b.size();
        for (std::size_t i = 0; i < shift; ++i) {
            a[i] = f.Multiply(a[i], scaleA);
        }
        for (std::size_t i = 0; i < b.size(); ++i) {
            a[i + shift] = f.Subtract(f.Multiply(a[i + shift], scaleA), f.Multiply(b[i], scaleB));
        }
        Trim(a);
    }
}

// a becomes the remainder of its division by b (b not 0); the quotient is returned.
Dense DivideInPlace(Dense& a, const Dense& b, const Field& f) {
    Dense quotient(a.size() >= b.size() ? a.size() - b.size() + 1 : 0, 0);
    const std::uint64_t inverse = f.Inverse(b.back());
    while (a.size() >= b.size()) {
        const std::uint64_t scale = f.Multiply(a.back(), inverse);
        const std::size_t shift = a.size() - b.size();
        quotient[shift] = scale;
        for (std::size_t i = 0; i < b.size(); ++i) {
            a[i + shift] = f.Subtract(a[i + shift], f.Multiply(b[i], scale));
        }
        Trim(a);
    }
    return quotient;
}

// The monic gcd (empty when both are 0).
Dense Gcd(Dense a, Dense b, const Field& f) {
    while (!b.empty()) {
        WorkBudget::Charge(static_cast<std::int64_t>(a.size() + b.size()));
        ReduceInPlace(a, b, f);
        std::swap(a, b);
    }
    MakeMonic(a, f);
    return a;
}

std::uint64_t ValueAt(const Dense& d, std::uint64_t point, const Field& f) {
    std::uint64_t value = 0;
    for (auto c = d.rbegin(); c != d.rend(); ++c) {
        value = f.Add(f.Multiply(value, point), *c);
    }
    return value;
}

// --- several letters modulo a prime ----------------------------------------------------------

Split SplitByLast(const Sparse& s, std::size_t last) {
    Split split;
    for (const auto& [key, residue] : s) {
        Dense& d = split[WithoutLetter(key, last)];
        const std::uint64_t e = ExponentIn(key, last);
        if (d.size() <= e) {
            d.resize(e + 1, 0);
        }
        d[e] = residue;
    }
    return split;
}

Sparse Join(const Split& split, std::size_t last) {
    Sparse s;
    for (const auto& [key, d] : split) {
        for (std::size_t e = 0; e < d.size(); ++e) {
            if (d[e] != 0) {
                s[key | (static_cast<Key>(e) << Shift(last))] = d[e];
            }
        }
    }
    return s;
}

void MakeMonic(Sparse& s, const Field& f) {
    if (s.empty() || s.begin()->second == 1) {
        return;
    }
    const std::uint64_t inverse = f.Inverse(s.begin()->second);
    for (auto& entry : s) {
        entry.second = f.Multiply(entry.second, inverse);
    }
}

// The gcd of every coefficient of the split (a polynomial in the last letter).
Dense ContentOf(const Split& split, const Field& f) {
    Dense content;
    for (const auto& entry : split) {
        content = Gcd(std::move(content), entry.second, f);
        if (content.size() == 1) {
            break;
        }
    }
    return content;
}

void DivideEvery(Split& split, const Dense& divisor, const Field& f) {
    if (divisor.size() <= 1) {
        return;
    }
    for (auto& entry : split) {
        entry.second = DivideInPlace(entry.second, divisor, f);
    }
}

Sparse ValueAt(const Split& split, std::uint64_t point, const Field& f) {
    Sparse s;
    for (const auto& [key, d] : split) {
        if (const std::uint64_t value = ValueAt(d, point, f); value != 0) {
            s[key] = value;
        }
    }
    return s;
}

Dense Product(const Dense& a, const Dense& b, const Field& f) {
    Dense product(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            product[i + j] = f.Add(product[i + j], f.Multiply(a[i], b[j]));
        }
    }
    return product;
}

std::optional<Sparse> GcdModulo(const Sparse& a, const Sparse& b, std::size_t letters, const Field& f);

// The residues the other letters take in the images that bound degrees: fixed, so that every solve
// takes the same path, and far from the small points the interpolation uses.
std::uint64_t BoundPoint(std::size_t attempt, std::size_t letter, const Field& f) {
    std::uint64_t seed = 0x9E3779B97F4A7C15ULL * (attempt * kMaxLetters + letter + 1);
    seed ^= seed >> 29U;
    return 2 + seed % (f.p - 3);
}

std::int64_t DegreeIn(const Sparse& s, std::size_t letter) {
    std::int64_t degree = 0;
    for (const auto& entry : s) {
        degree = std::max(degree, static_cast<std::int64_t>(ExponentIn(entry.first, letter)));
    }
    return degree;
}

// The image of s in `letter`, every other letter replaced by its residue in `point`.
Dense ImageIn(const Sparse& s, std::size_t letter, const std::array<std::uint64_t, kMaxLetters>& point,
              std::size_t letters, const Field& f) {
    Dense image;
    for (const auto& [key, residue] : s) {
        std::uint64_t value = residue;
        for (std::size_t other = 0; other < letters; ++other) {
            if (other != letter) {
                value = f.Multiply(value, MI::PowerModulo(point[other], ExponentIn(key, other), f.p));
            }
        }
        const std::uint64_t e = ExponentIn(key, letter);
        if (image.size() <= e) {
            image.resize(e + 1, 0);
        }
        image[e] = f.Add(image[e], value);
    }
    WorkBudget::Charge(static_cast<std::int64_t>(s.size() * letters));
    Trim(image);
    return image;
}

// An upper bound of the degree in `letter` of the gcd of a and b modulo the prime: the degree of
// the gcd of one image in that letter that keeps the degrees of a and b (the gcd's leading
// coefficient in the letter divides theirs, so it does not vanish there either). The smaller
// degree of the two when no such image is found in a few tries.
std::int64_t DegreeBound(const Sparse& a, const Sparse& b, std::size_t letter, std::size_t letters,
                         const Field& f) {
    const std::int64_t degreeA = DegreeIn(a, letter);
    const std::int64_t degreeB = DegreeIn(b, letter);
    constexpr std::size_t kAttempts = 3;
    for (std::size_t attempt = 0; attempt < kAttempts; ++attempt) {
        std::array<std::uint64_t, kMaxLetters> point{};
        for (std::size_t other = 0; other < letters; ++other) {
            point[other] = BoundPoint(attempt, other, f);
        }
        const Dense imageA = ImageIn(a, letter, point, letters, f);
        const Dense imageB = ImageIn(b, letter, point, letters, f);
        if (Degree(imageA) == degreeA && Degree(imageB) == degreeB) {
            return Degree(Gcd(imageA, imageB, f));
        }
    }
    return std::min(degreeA, degreeB);
}

// An image at a lucky point is the image of the gcd, so it cannot pass the gcd's degree in any
// letter: one that does was taken at an unlucky point.
bool WithinBounds(const Sparse& image, const std::array<std::int64_t, kMaxLetters>& bounds,
                  std::size_t letters) {
    for (std::size_t letter = 0; letter < letters; ++letter) {
        if (DegreeIn(image, letter) > bounds[letter]) {
            return false;
        }
    }
    return true;
}

// Newton interpolation of the images' gcds at points of the last letter: `known` holds the
// coefficients interpolated so far, `vanishing` the product of (x - point) over their points.
struct Interpolation {
    Split known;
    Dense vanishing{1};
    Key leading = 0;
    std::int64_t points = 0;

    void Start(const Sparse& image, Key lead, std::uint64_t point, const Field& f) {
        known.clear();
        for (const auto& [key, residue] : image) {
            known[key] = Dense{residue};
        }
        vanishing = Dense{f.Subtract(0, point), 1};
        leading = lead;
        points = 1;
    }

    void Add(const Sparse& image, std::uint64_t point, const Field& f) {
        const std::uint64_t scale = f.Inverse(ValueAt(vanishing, point, f));
        for (const auto& entry : image) {
            known.try_emplace(entry.first);
        }
        for (auto& [key, d] : known) {
            const auto at = image.find(key);
            const std::uint64_t wanted = at == image.end() ? 0 : at->second;
            const std::uint64_t step = f.Multiply(f.Subtract(wanted, ValueAt(d, point, f)), scale);
            if (step == 0) {
                continue;
            }
            if (d.size() < vanishing.size()) {
                d.resize(vanishing.size(), 0);
            }
            for (std::size_t i = 0; i < vanishing.size(); ++i) {
                d[i] = f.Add(d[i], f.Multiply(step, vanishing[i]));
            }
            Trim(d);
        }
        vanishing = Product(vanishing, Dense{f.Subtract(0, point), 1}, f);
        ++points;
    }
};

// The monic gcd of a and b modulo the prime, in the letters 0 .. letters-1: images at points of the
// last letter, down to Euclid's algorithm in letter 0.
std::optional<Sparse> GcdOfSeveral(const Sparse& a, const Sparse& b, std::size_t letters, const Field& f) {
    const std::size_t last = letters - 1;
    Split splitA = SplitByLast(a, last);
    Split splitB = SplitByLast(b, last);
    const Dense contentA = ContentOf(splitA, f);
    const Dense contentB = ContentOf(splitB, f);
    const Dense content = Gcd(contentA, contentB, f);
    DivideEvery(splitA, contentA, f);
    DivideEvery(splitB, contentB, f);
    // The gcd's leading coefficient divides both leading coefficients: the interpolated images carry
    // their gcd, so that every image is scaled alike.
    const Dense& leadingA = splitA.begin()->second;
    const Dense& leadingB = splitB.begin()->second;
    const Dense leading = Gcd(leadingA, leadingB, f);
    std::array<std::int64_t, kMaxLetters> bounds{};
    for (std::size_t letter = 0; letter < letters; ++letter) {
        bounds[letter] = DegreeBound(a, b, letter, letters, f);
    }
    // The interpolated images are the gcd of the parts without content times a factor of `leading`.
    const std::int64_t needed = bounds[last] + Degree(leading) + 1;
    Interpolation interpolation;
    const std::uint64_t lastPoint = std::min<std::uint64_t>(f.p - 1, needed + kSparePoints);
    for (std::uint64_t point = 1; point <= lastPoint; ++point) {
        if (WorkBudget::Exhausted()) {
            return std::nullopt;
        }
        if (ValueAt(leadingA, point, f) == 0 || ValueAt(leadingB, point, f) == 0) {
            continue;
        }
        std::optional<Sparse> image =
            GcdModulo(ValueAt(splitA, point, f), ValueAt(splitB, point, f), last, f);
        if (!image) {
            return std::nullopt;
        }
        const Key lead = image->begin()->first;
        if (lead == 0) {
            // Coprime apart from the contents.
            Split result;
            result[0] = content;
            return Join(result, last);
        }
        if (!WithinBounds(*image, bounds, last)) {
            continue;
        }
        const std::uint64_t scale = ValueAt(leading, point, f);
        for (auto& entry : *image) {
            entry.second = f.Multiply(entry.second, scale);
        }
        if (interpolation.points == 0 || lead < interpolation.leading) {
            interpolation.Start(*image, lead, point, f); // the earlier points were unlucky
        } else if (lead == interpolation.leading) {
            interpolation.Add(*image, point, f);
        }
        if (interpolation.points >= needed) {
            Split result = std::move(interpolation.known);
            std::erase_if(result, [](const auto& entry) { return entry.second.empty(); });
            DivideEvery(result, ContentOf(result, f), f);
            for (auto& entry : result) {
                entry.second = Product(entry.second, content, f);
            }
            Sparse joined = Join(result, last);
            MakeMonic(joined, f);
            return joined;
        }
    }
    return std::nullopt;
}

std::optional<Sparse> GcdModulo(const Sparse& a, const Sparse& b, std::size_t letters, const Field& f) {
    WorkBudget::Charge(static_cast<std::int64_t>(a.size() + b.size()));
    if (a.empty() || b.empty()) {
        Sparse other = a.empty() ? b : a;
        MakeMonic(other, f);
        return other;
    }
    if (letters == 1) {
        const Dense gcd = Gcd(SplitByLast(a, 0).begin()->second, SplitByLast(b, 0).begin()->second, f);
        Split result;
        result[0] = gcd;
        return Join(result, 0);
    }
    return GcdOfSeveral(a, b, letters, f);
}

// --- integers ----------------------------------------------------------------------------------

struct IntegerTerm {
    Key key;
    CLongInteger coefficient;
};

// Miller-Rabin with the bases 2, 7 and 61, which decide every number below 4.7e9.
bool IsPrime(std::uint64_t n) {
    if (n < 2 || n % 2 == 0) {
        return n == 2;
    }
    std::uint64_t odd = n - 1;
    int twos = 0;
    while (odd % 2 == 0) {
        odd /= 2;
        ++twos;
    }
    for (const std::uint64_t base : {2U, 7U, 61U}) {
        if (base % n == 0) {
            continue;
        }
        std::uint64_t x = MI::PowerModulo(base, odd, n);
        bool composite = x != 1 && x != n - 1;
        for (int i = 1; i < twos && composite; ++i) {
            x = MI::MultiplyModulo(x, x, n);
            composite = x != n - 1;
        }
        if (composite) {
            return false;
        }
    }
    return true;
}

// The largest primes below 2^31, from the largest down.
const std::vector<std::uint64_t>& Primes() {
    static const std::vector<std::uint64_t> primes = [] {
        std::vector<std::uint64_t> found;
        for (std::uint64_t candidate = MI::kPrime; found.size() < kMaxPrimes; candidate -= 2) {
            if (IsPrime(candidate)) {
                found.push_back(candidate);
            }
        }
        return found;
    }();
    return primes;
}

std::optional<std::vector<IntegerTerm>> Packed(const CPolynomValue& p, const std::string& letters) {
    std::vector<IntegerTerm> terms;
    for (const PolynomTerm& term : p.Terms()) {
        if (!term.coefficient.IsInteger()) {
            return std::nullopt;
        }
        Key key = 0;
        for (const LetterPower& power : term.powers) {
            if (power.exponent >= 0xFFFF) {
                return std::nullopt;
            }
            const std::size_t letter = letters.find(static_cast<char>(power.letter));
            key |= static_cast<Key>(power.exponent) << Shift(letter);
        }
        terms.push_back({key, term.coefficient.Numerator()});
    }
    std::sort(terms.begin(), terms.end(),
              [](const IntegerTerm& x, const IntegerTerm& y) { return x.key > y.key; });
    return terms;
}

Sparse Residues(const std::vector<IntegerTerm>& terms, std::uint64_t p) {
    Sparse s;
    for (const IntegerTerm& term : terms) {
        if (const std::uint64_t residue = MI::IntegerResidue(term.coefficient, p); residue != 0) {
            s[term.key] = residue;
        }
    }
    return s;
}

// The Chinese remainder of the coefficients found so far (in [0, modulus)) and of one more image.
struct Remainders {
    std::map<Key, CLongInteger, std::greater<>> coefficients;
    CLongInteger modulus{0};
    Key leading = 0;

    void Start(const Sparse& image, std::uint64_t p) {
        coefficients.clear();
        for (const auto& [key, residue] : image) {
            coefficients[key] = CLongInteger::FromInt64(static_cast<std::int64_t>(residue));
        }
        modulus = CLongInteger::FromInt64(static_cast<std::int64_t>(p));
        leading = image.begin()->first;
    }

    // True when the image changed some coefficient. A coefficient stands for the integer between
    // -modulus/2 and modulus/2 with its residues: a negative one is stored as modulus minus its
    // size, a number that every further prime moves even when the coefficient is already found.
    bool Add(const Sparse& image, std::uint64_t p) {
        const Field f{p};
        const std::uint64_t modulusResidue = MI::IntegerResidue(modulus, p);
        const std::uint64_t inverse = f.Inverse(modulusResidue);
        const auto half = modulus.DivMod(CLongInteger(2));
        CLongInteger next = modulus.Multiply(CLongInteger::FromInt64(static_cast<std::int64_t>(p)));
        for (const auto& entry : image) {
            coefficients.try_emplace(entry.first, CLongInteger(0));
        }
        bool changed = false;
        for (auto& [key, value] : coefficients) {
            const auto at = image.find(key);
            const std::uint64_t wanted = at == image.end() ? 0 : at->second;
            const bool negative = half && half->first.Less(value);
            std::uint64_t residue = MI::IntegerResidue(value, p);
            if (negative) {
                residue = f.Subtract(residue, modulusResidue);
                value.SubtractInPlace(modulus);
            }
            const std::uint64_t step = f.Multiply(f.Subtract(wanted, residue), inverse);
            if (step != 0) {
                value.AddInPlace(modulus.Multiply(CLongInteger::FromInt64(static_cast<std::int64_t>(step))));
                changed = true;
            }
            if (value.IsNegative()) {
                value.AddInPlace(next);
            }
        }
        modulus = std::move(next);
        WorkBudget::Charge(static_cast<std::int64_t>(coefficients.size()) * modulus.DigitCount());
        return changed;
    }

    // The coefficients between -modulus/2 and modulus/2, primitive with a positive leading sign.
    CPolynomValue Candidate(const std::string& letters) const {
        const auto half = modulus.DivMod(CLongInteger(2));
        CPolynomValue candidate;
        for (const auto& [key, value] : coefficients) {
            if (value.IsZero()) {
                continue;
            }
            CLongInteger symmetric = value;
            if (half && half->first.Less(symmetric)) {
                symmetric.SubtractInPlace(modulus);
            }
            LetterPowers powers;
            for (std::size_t l = 0; l < letters.size(); ++l) {
                if (const std::uint64_t e = ExponentIn(key, l); e > 0) {
                    powers.push_back({static_cast<unsigned char>(letters[l]), static_cast<std::int64_t>(e)});
                }
            }
            candidate.Append({CNumber(symmetric), std::move(powers)});
        }
        candidate.Normalize();
        candidate.RemoveIntegerContent();
        candidate.MakeLeadingSignPositive();
        return candidate;
    }
};

std::string UnionOfLetters(const CPolynomValue& a, const CPolynomValue& b) {
    std::string letters = a.Letters() + b.Letters();
    std::sort(letters.begin(), letters.end(),
              [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
    return letters;
}

} // namespace

std::optional<CPolynomValue> ModularGcd(const CPolynomValue& a, const CPolynomValue& b) {
    const std::string letters = UnionOfLetters(a, b);
    if (a.IsZero() || b.IsZero() || letters.empty() || letters.size() > kMaxLetters) {
        return std::nullopt;
    }
    const std::optional<std::vector<IntegerTerm>> termsA = Packed(a, letters);
    const std::optional<std::vector<IntegerTerm>> termsB = Packed(b, letters);
    if (!termsA || !termsB) {
        return std::nullopt;
    }
    // The gcd's leading coefficient divides both leading coefficients: every image is scaled to
    // their gcd, so that the images of all primes agree.
    const CLongInteger& leadingA = termsA->front().coefficient;
    const CLongInteger& leadingB = termsB->front().coefficient;
    const CLongInteger leading = CLongInteger::Gcd(leadingA, leadingB).Abs();
    Remainders remainders;
    for (const std::uint64_t p : Primes()) {
        if (WorkBudget::Exhausted() || CLongInteger::LimitExceeded()) {
            return std::nullopt;
        }
        if (MI::IntegerResidue(leadingA, p) == 0 || MI::IntegerResidue(leadingB, p) == 0) {
            continue;
        }
        const Field f{p};
        std::optional<Sparse> image =
            GcdModulo(Residues(*termsA, p), Residues(*termsB, p), letters.size(), f);
        if (!image) {
            return std::nullopt;
        }
        if (image->begin()->first == 0) {
            return CPolynomValue(1);
        }
        const std::uint64_t scale = MI::IntegerResidue(leading, p);
        for (auto& entry : *image) {
            entry.second = f.Multiply(entry.second, scale);
        }
        bool settled = true;
        if (remainders.modulus.IsZero() || image->begin()->first < remainders.leading) {
            remainders.Start(*image, p); // the earlier primes were unlucky
        } else if (image->begin()->first == remainders.leading) {
            settled = !remainders.Add(*image, p);
        } else {
            continue; // this prime is unlucky
        }
        if (settled) {
            // Only a common divisor divides both; one of the gcd's degree is the gcd.
            CPolynomValue candidate = remainders.Candidate(letters);
            if (a.DivideExact(candidate) && b.DivideExact(candidate)) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}
