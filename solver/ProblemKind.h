#pragma once

// The four kinds of problem the dispatcher solves, and their names. The numbers 0 to 3 are stored
// in the desktop program's settings and written in the command line's JSON output, so they must not
// change; the names are those of the command line, the batch files, the web page and its API.

#include <cstdint>
#include <optional>
#include <string_view>

enum class ProblemKind : std::int32_t {
    Equation = 0,
    Factorise = 1,
    FactoriseCompletely = 2,
    Simplify = 3,
};

inline constexpr int kProblemKindCount = 4;

// The kinds in the order of their numbers, as menus and choices list them.
inline constexpr ProblemKind kProblemKinds[kProblemKindCount] = {
    ProblemKind::Equation, ProblemKind::Factorise, ProblemKind::FactoriseCompletely, ProblemKind::Simplify};

// The kind's stored number (settings, JSON, the index of a menu or a table of the four kinds).
constexpr std::int32_t ToNumber(ProblemKind kind) {
    return static_cast<std::int32_t>(kind);
}

// The kind whose stored number is number; nullopt outside 0 to 3.
std::optional<ProblemKind> ProblemKindOfNumber(std::int64_t number);

// The kind named by text ("equation", "factor", "factor-full", "simplify" or a digit 0 to 3).
std::optional<ProblemKind> ParseKindName(std::string_view text);

// The kind's name ("equation", "factor", "factor-full" or "simplify"), which ParseKindName reads back.
std::string_view KindName(ProblemKind kind);
