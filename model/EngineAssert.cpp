#include "model/EngineAssert.h"

#include <cstdio>
#include <cstdlib>

void EngineAssertionFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: engine invariant failed: %s\n", file, line, condition);
    std::abort();
}
