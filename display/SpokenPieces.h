#pragma once

// Cuts a laid-out formula into the pieces it is read aloud by, in reading order. The markup is walked
// exactly as the layout splits it, so that each piece's symbol range holds exactly the glyphs and
// lines the layout made for it: drawing the pieces one by one draws the whole formula once.
//
// Reading order: numbers, letters and drawn signs as they stand; a bracket, its content, the closing
// bracket; a plain fraction (digits or letters over digits or letters) as one quantity, any other as
// "fraction", "numerator", its pieces, "denominator", its pieces; a power's base, then the power with
// its exponent; a square root before its radicand; a root, its degree, "of", its radicand; a
// function's name letter by letter; a crossed-out part, then its strike line (silent); a system's
// brace (silent), then its lines.

#include "display/MyWord.h"
#include "output/VoiceFragments.h"

#include <vector>

// The pieces of a formula word; none when it is not a formula or does not lay out.
std::vector<MyGolos> BuildSpokenPieces(MyWord& word, CGraphics& graphics);
