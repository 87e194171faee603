#pragma once

// The work budget of one solve. Every costly operation of the engine charges what it does, in the
// engine's own units of work (about one multiplication of two nine-digit limbs each, so that a
// result never depends on the speed of the machine), to the one budget of the solve that runs on
// the thread. The solution records are counted too: their number and the bytes of their texts.
//
// When any of the three is spent, the budget reports the number limit flag
// (CLongInteger::ReportLimitExceeded): every loop of the engine that tests that flag stops, no
// number computed afterwards is trusted, and the solve ends with the "too large" error (code 8,
// CommentID::ErrorProblemTooLarge), exactly as for a number past its digit limit.
//
// Outside a solve (no Scope on the thread) nothing is counted and every charge succeeds.
//
//   {
//       WorkBudget::Scope budget;              // the solve's budget, limits of EngineLimits
//       ...                                    // operations call WorkBudget::Charge(units)
//   }                                          // the thread is unbounded again

#include <cstddef>
#include <cstdint>

namespace WorkBudget {

// Units a polynomial gcd step is worth: a coefficient operation of an elimination costs about as
// much as a few dozen limb multiplications.
inline constexpr std::int64_t kUnitsPerGcdStep = 30;

// Units a comparison of two subtrees is worth (a search for equal or opposite terms).
inline constexpr std::int64_t kUnitsPerNodeComparison = 8;

// Units a byte of a step's formula text is worth: a step walks, compares and copies the nodes
// of its formula, about in proportion to its text, besides writing it.
inline constexpr std::int64_t kUnitsPerStepTextByte = 256;

// Units a call on long numbers is worth besides its limb operations: making its result.
inline constexpr std::int64_t kUnitsPerLongNumberCall = 16;

// Units a node visited by a walk that only looks at it is worth (the validity check of a step).
inline constexpr std::int64_t kUnitsPerNodeVisit = kUnitsPerNodeComparison / 4;

struct Limits {
    std::int64_t work;
    std::size_t records;
    std::size_t recordTextBytes;
};

// The limits of one solve, from model/EngineLimits.h.
Limits SolveLimits();

// Charges units of work. False once the work (or any other part of the budget) is spent.
bool Charge(std::int64_t units);

// Charges units of work that is about to be done, as one lump. When the lump does not fit in what
// is left, the caller must not do the work: the budget is spent without counting the lump, so that
// what a solve has counted stays the work it did.
bool ChargeAhead(std::int64_t units);

// Charges one solution record holding textBytes bytes of formula text. False once spent.
bool ChargeRecord(std::size_t textBytes);

// True when a record of textBytes more bytes of formula text keeps the solution within its text
// bound (always outside a solve): a formula that would pass it is not recorded at all.
bool RecordTextFits(std::size_t textBytes);

// What a budget has counted.
struct Usage {
    std::int64_t work = 0;
    std::size_t records = 0;
    std::size_t recordTextBytes = 0;
    bool exhausted = false;
};

// True when a budget runs on this thread and some part of it is spent.
bool Exhausted();

// What the budget running on this thread has counted so far (nothing outside a solve).
Usage Current();

// What the last budget that ended on this thread counted, for checks after a solve.
Usage LastFinished();

// Runs a budget on this thread for its lifetime; the budget of an enclosing scope (if any) is
// restored at its end.
class Scope {
public:
    Scope();
    explicit Scope(const Limits& limits);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    bool m_savedActive;
    Limits m_savedLimits;
    Usage m_savedUsage;
};

} // namespace WorkBudget
