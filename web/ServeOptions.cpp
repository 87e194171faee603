#include "web/ServeOptions.h"

#include <charconv>

namespace {

// A whole number from minimum to maximum, written with nothing else.
std::optional<long> NumberIn(const std::string& text, long minimum, long maximum) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

// ADDRESS:PORT; an IPv6 address in brackets: [::1]:8080.
std::optional<std::string> ApplyListen(ServeOptions& options, const std::string& value) {
    const std::size_t colon = value.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return "--listen needs ADDRESS:PORT, such as 127.0.0.1:8080";
    }
    std::string host = value.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    const std::optional<long> port = NumberIn(value.substr(colon + 1), 0, 65535);
    if (!port || host.empty()) {
        return "--listen needs ADDRESS:PORT with a port from 0 to 65535, not \"" + value + "\"";
    }
    options.host = std::move(host);
    options.port = static_cast<int>(*port);
    return std::nullopt;
}

std::optional<std::string> ApplyCount(std::size_t& target, const std::string& name, const std::string& value,
                                      long minimum) {
    const std::optional<long> count = NumberIn(value, minimum, 10'000);
    if (!count) {
        return name + " needs a whole number from " + std::to_string(minimum) + " to 10000, not \"" + value +
               "\"";
    }
    target = static_cast<std::size_t>(*count);
    return std::nullopt;
}

std::optional<std::string> ApplySeconds(std::chrono::milliseconds& target, const std::string& name,
                                        const std::string& value) {
    const std::optional<long> seconds = NumberIn(value, 1, 3'600);
    if (!seconds) {
        return name + " needs a whole number of seconds from 1 to 3600, not \"" + value + "\"";
    }
    target = std::chrono::seconds(*seconds);
    return std::nullopt;
}

} // namespace

ServeOptionsResult ParseServeOptions(const std::vector<std::string>& words) {
    ServeOptions options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string name = words[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" || name == "-h") {
            options.helpRequested = true;
            continue;
        }
        if (name != "--listen" && name != "--solvers" && name != "--queue" && name != "--request-deadline") {
            return {std::nullopt, "unknown option \"" + words[i] + "\""};
        }
        if (!value) {
            if (i + 1 == words.size()) {
                return {std::nullopt, name + " needs a value"};
            }
            value = words[++i];
        }
        std::optional<std::string> error;
        if (name == "--listen") {
            error = ApplyListen(options, *value);
        } else if (name == "--request-deadline") {
            error = ApplySeconds(options.limits.requestDeadline, name, *value);
        } else if (name == "--solvers") {
            error = ApplyCount(options.limits.solveSlots, name, *value, 1);
        } else {
            error = ApplyCount(options.limits.solveQueue, name, *value, 0);
        }
        if (error) {
            return {std::nullopt, *error};
        }
    }
    return {options, {}};
}

std::string ServeUsageText() {
    return "usage: orbelin-serve [--listen ADDRESS:PORT] [--solvers N] [--queue N] [--request-deadline S]\n"
           "\n"
           "Serves the Orbelin page and its API over HTTP.\n"
           "  --listen ADDRESS:PORT  where to listen (default 127.0.0.1:8080; port 0: any free port)\n"
           "  --solvers N            solves at once (default: one per core)\n"
           "  --queue N              solves that may wait for a free solver before the server\n"
           "                         answers 503 (default 64)\n"
           "  --request-deadline S   seconds a request's headers and body may take to arrive\n"
           "                         before the server answers 408 and closes (default 10)\n"
           "\n"
           "  GET  /                 the page; /?kind=KIND&lang=en|ru&problem=TEXT with the solution\n"
           "  POST /api/solve        {\"kind\",\"lang\",\"problem\",\"format\"}: json or text\n"
           "  POST /api/read         {\"problem\"}: the problem as the reader understood it\n"
           "  GET  /health           {\"status\":\"ok\",...}\n";
}
