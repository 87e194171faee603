#pragma once

// Writing a solution out as JSON (one object); the plain text of the terminal is written by the
// export layer (export/PlainText.h).

#include "export/CommentTexts.h"
#include "export/PlainText.h"
#include "output/COutputList.h"
#include "solver/ProblemKind.h"

#include <cstdint>
#include <string>
#include <string_view>

// {"kind":K,"problem":"…","micros":T,"records":[{"lineBlocks":[[kind,number],…],
//  "blocks":[{"formula":"…","spoken":0},{"comment":N,"alwaysShown":1,"spoken":0,"text":"…"}]}]}
// on one line, without a line end. Formula and problem bytes of 0x80 and above are written as the
// escapes \u0080 to \u00ff; comment texts are UTF-8.
std::string SolutionAsJson(ProblemKind kind, std::string_view problem, std::int64_t micros,
                           const COutputList& solution, const CommentTexts& texts);
