#include "cli/MessageText.h"

#include <ostream>

namespace {

void AppendEscape(std::string& out, unsigned char byte) {
    static const char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xf];
}

// The length of the well-formed UTF-8 sequence at text[i] of a printing character: 0 for a byte
// that starts none (a stray byte of another encoding) and for a C1 control character (U+0080 to
// U+009F, which a terminal may obey as it obeys the escape byte).
std::size_t PrintingSequenceAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) {
            return 0;
        }
    }
    const bool c1Control = lead == 0xc2 && static_cast<unsigned char>(text[i + 1]) <= 0x9f;
    return c1Control ? 0 : length;
}

} // namespace

std::string PrintableMessage(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7f) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        const std::size_t length = byte >= 0x80 ? PrintingSequenceAt(text, i) : 0;
        if (length == 0) {
            AppendEscape(out, byte);
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

void WriteMessage(std::ostream& err, std::string_view message) {
    err << "orbelin-solve: " << PrintableMessage(message) << '\n';
}
