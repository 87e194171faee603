#include "solver/ProblemKind.h"

namespace {

constexpr std::string_view kKindNames[kProblemKindCount] = {"equation", "factor", "factor-full", "simplify"};

} // namespace

std::optional<ProblemKind> ProblemKindOfNumber(std::int64_t number) {
    if (number < 0 || number >= kProblemKindCount) {
        return std::nullopt;
    }
    return static_cast<ProblemKind>(number);
}

std::optional<ProblemKind> ParseKindName(std::string_view text) {
    for (int number = 0; number < kProblemKindCount; ++number) {
        if (text == kKindNames[number] || (text.size() == 1 && text[0] == '0' + number)) {
            return static_cast<ProblemKind>(number);
        }
    }
    return std::nullopt;
}

std::string_view KindName(ProblemKind kind) {
    // A value outside the four can only come from an unchecked cast: it has no name.
    const std::int32_t number = ToNumber(kind);
    return number >= 0 && number < kProblemKindCount ? kKindNames[number] : std::string_view();
}
