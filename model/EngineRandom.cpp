#include "model/EngineRandom.h"

#include <chrono>
#include <random>

namespace EngineRandom {
namespace {

std::minstd_rand& Generator() {
    thread_local std::minstd_rand generator(1u);
    return generator;
}

} // namespace

void Seed(std::uint32_t seed) {
    // minstd_rand refuses the seed 0 (it would be stuck at 0); map it to 1 like the C library does.
    Generator().seed(seed == 0 ? 1u : seed);
}

void SeedFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Seed(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
}

int Next() {
    // The high bits of a linear congruential generator are the good ones.
    return static_cast<int>((Generator()() >> 8) % (static_cast<unsigned>(kMax) + 1u));
}

int DrawPosition(int count) {
    if (count <= 1) {
        return 0;
    }
    return static_cast<int>(static_cast<std::int64_t>(count - 1) * Next() / kMax);
}

} // namespace EngineRandom
