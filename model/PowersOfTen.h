#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// 10^0 to 10^18: every power of ten that fits a signed 64-bit word, for the word-sized fast paths
// of the exact numbers.
inline constexpr std::array<int64_t, 19> kPowersOfTen = [] {
    std::array<int64_t, 19> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 10;
    }
    return powers;
}();
