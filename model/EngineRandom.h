#pragma once

// The engine's one source of randomness. Its only consumer is the pivot choice of the quicksorts
// that put the terms of a polynomial (and the operands of a sum or product) into canonical order,
// so a different seed changes at most the order of elements that compare equal, never a result.
//
// The solve entries seed it with the current time at the start of every expression solve (not an
// equation solve); tests seed it with a fixed value to make a run repeatable. Each thread has its
// own generator, so two solves on two threads never disturb each other.

#include <cstdint>

namespace EngineRandom {

// The largest value Next() returns, as the C library's RAND_MAX on the original platform.
inline constexpr int kMax = 32767;

// Restarts the generator of the calling thread from a seed.
void Seed(std::uint32_t seed);

// Seeds the generator of the calling thread from the current time.
void SeedFromClock();

// The next value of the calling thread's generator, uniform in 0 .. kMax.
int Next();

// A position drawn in 0 .. count - 1 the way the term sorts draw their pivot candidates:
// (count - 1) * Next() / kMax. count must be at least 1.
int DrawPosition(int count);

} // namespace EngineRandom
