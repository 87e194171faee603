#pragma once

// The page's style sheet and script, compiled into the program from web/assets/ so that the server
// needs no files beside itself and the page loads nothing from anywhere else.

#include <string_view>

std::string_view PageStyle();
std::string_view PageScript();
