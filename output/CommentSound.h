#pragma once

// One comment of the language file: its number (the comment identifier that output blocks carry),
// the text shown in a solution and the name of its voice clip (a file name without folder or
// extension; the voice commentary forms the path).

#include <cstdint>
#include <string>

struct CommentSound {
    std::int32_t number = 0;
    std::string text;
    std::string soundName;
};
