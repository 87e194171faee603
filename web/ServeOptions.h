#pragma once

// The command line of orbelin-serve:
//
//   orbelin-serve [--listen ADDRESS:PORT] [--solvers N] [--queue N] [--request-deadline SECONDS]
//
// The default address is 127.0.0.1:8080; port 0 lets the system choose a free one (the address
// printed at start names it).

#include "web/OrbelinServer.h"

#include <optional>
#include <string>
#include <vector>

struct ServeOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    ServerLimits limits = DefaultServerLimits();
    bool helpRequested = false;
};

struct ServeOptionsResult {
    std::optional<ServeOptions> options;
    std::string error;
};

ServeOptionsResult ParseServeOptions(const std::vector<std::string>& words);

std::string ServeUsageText();
