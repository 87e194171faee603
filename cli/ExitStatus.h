#pragma once

// The exit statuses of orbelin-solve.

inline constexpr int kExitSolved = 0;
inline constexpr int kExitBatchLinesUnusable = 1;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitCommandLineUnusable = 2;
