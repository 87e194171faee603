#pragma once

// Messages of orbelin-solve on standard error. A message may quote the problem or a file name as
// the user typed it; a byte that does not print (a control byte such as the escape that starts a
// terminal's colour sequence) is shown as its escape (\x1b), so that the message cannot drive the
// terminal it is shown on.

#include <iosfwd>
#include <string>
#include <string_view>

// The text with every control byte (0x00 to 0x1f, 0x7f), every C1 control character of UTF-8
// (U+0080 to U+009F) and every byte that is not part of well-formed UTF-8 written as \xNN escapes
// of its bytes; a backslash stays as it is.
std::string PrintableMessage(std::string_view text);

// Writes "orbelin-solve: MESSAGE" and a line end, the message made printable.
void WriteMessage(std::ostream& err, std::string_view message);
