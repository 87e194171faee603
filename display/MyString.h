#pragma once

// A row of laid-out words; it owns them.

#include "display/MyWord.h"

#include <memory>
#include <vector>

struct MyString {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<std::unique_ptr<MyWord>> words;

    int Count() const { return static_cast<int>(words.size()); }
};
