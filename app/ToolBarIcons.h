#pragma once

// The icons of the toolbar buttons, drawn by us as SVG and compiled into the program. The keypad's
// division and decimal-separator keys differ by language: ":" and "," for Russian, the division sign
// and "." for English.

#include <QString>

// The resource path of a button's icon; empty for a command without one.
QString ToolBarIconPath(int command, int language);
