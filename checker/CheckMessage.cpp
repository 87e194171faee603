#include "checker/CheckMessage.h"

#include "markup/ReaderMessage.h"

std::string FormatCheckMessage(std::string_view pattern, const std::vector<std::string>& arguments) {
    return FillMessagePattern(pattern, arguments);
}
