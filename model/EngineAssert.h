#pragma once

// ORBELIN_ASSERT(condition) checks an invariant the engine relies on: a normal form, a counter, a
// node class. It is active in builds without NDEBUG (the sanitizer build, which runs every engine
// test) and compiled out in Release, where it costs nothing; the condition is then not evaluated,
// so it must have no side effect. A failed check names the condition and its place on standard
// error and aborts: it marks a fault in the engine, never a fault of the input, which the engine
// reports by error codes.

#ifdef NDEBUG
#define ORBELIN_ASSERT(condition) static_cast<void>(sizeof(!(condition)))
#else
#define ORBELIN_ASSERT(condition)                                                                            \
    ((condition) ? static_cast<void>(0) : EngineAssertionFailed(#condition, __FILE__, __LINE__))
#endif

// Reports a failed ORBELIN_ASSERT and aborts.
[[noreturn]] void EngineAssertionFailed(const char* condition, const char* file, int line);
