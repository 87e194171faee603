#pragma once

// Reading the body of an API request: one flat JSON object whose values are strings, numbers,
// true, false or null, such as {"kind":"simplify","lang":"en","problem":"2x+3x"}. Nested objects
// and arrays are refused: no request field needs them. String escapes, \u escapes with surrogate
// pairs among them, are turned into UTF-8; a text that is not valid UTF-8 is refused.

#include <map>
#include <optional>
#include <string>
#include <string_view>

struct JsonObjectReading {
    // Each member's value as text: a string's characters, a number as written, "true", "false",
    // or "" for null. A name given twice keeps its last value.
    std::map<std::string, std::string, std::less<>> members;
    // Why the body was refused; empty when it was read.
    std::string error;

    bool Refused() const { return !error.empty(); }
    // The value of a member, or nothing when the object has no such member.
    std::optional<std::string_view> Member(std::string_view name) const;
};

JsonObjectReading ReadJsonObject(std::string_view text);
