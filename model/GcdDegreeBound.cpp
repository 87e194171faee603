#include "model/GcdDegreeBound.h"

#include "model/ModularImage.h"
#include "model/WorkBudget.h"

#include <algorithm>

namespace MI = ModularImage;

namespace {

// Images tried per letter; each gives a bound, the smallest is kept.
constexpr int kTries = 2;

bool AllIntegers(const CPolynomValue& p) {
    return std::all_of(p.Terms().begin(), p.Terms().end(),
                       [](const PolynomTerm& term) { return term.coefficient.IsInteger(); });
}

} // namespace

std::int64_t GcdDegreeBound(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter) {
    const std::int64_t degreeA = a.DegreeIn(letter);
    const std::int64_t degreeB = b.DegreeIn(letter);
    std::int64_t bound = std::min(degreeA, degreeB);
    if (bound == 0 || a.IsZero() || b.IsZero() || !AllIntegers(a) || !AllIntegers(b)) {
        return bound;
    }
    std::string letters = a.Letters() + b.Letters();
    // A fixed sequence of points keeps every solve repeatable.
    std::uint64_t seed = 0x9E3779B97F4A7C15ULL ^ letter;
    for (int attempt = 0; attempt < kTries && bound > 0 && !WorkBudget::Exhausted(); ++attempt) {
        MI::LetterResidues point{};
        for (char other : letters) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            point[static_cast<unsigned char>(other)] = 2 + (seed >> 33U) % (MI::kPrime - 3);
        }
        std::optional<MI::Residues> imageA = MI::Image(a, letter, point);
        std::optional<MI::Residues> imageB = MI::Image(b, letter, point);
        if (!imageA || !imageB || imageA->back() == 0 || imageB->back() == 0) {
            continue; // a leading coefficient vanishes here: the image may lose the gcd's degree
        }
        bound = std::min(bound, MI::GcdDegree(std::move(*imageA), std::move(*imageB)));
    }
    return bound;
}
