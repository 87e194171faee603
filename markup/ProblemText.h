#pragma once

// Preparation of a problem text for the solver, the unknown of an equation, and the display form
// of a written tree.

#include <string>

// Every "." becomes "*", and the text gets a closing ";" unless it already ends with one. The
// parser's end test relies on that ";".
// e.g. "2.x" -> "2*x;", "x;" -> "x;", "" -> ";"
void PrepareProblemText(std::string& text);

// Walks the text from the start. Returns true at the first letter that differs from the first
// letter met (two unknowns). Otherwise returns false, with `letter` set to the only letter met, or
// left unchanged when the text holds no letter. Only "A" to "Z" and "a" to "z" are letters.
// e.g. "x^2-x=0" -> false, letter 'x'; "x+y=1" -> true; "2=2" -> false, letter unchanged
bool FindUnknown(const std::string& text, char& letter);

// Turns text written from a tree into display text: every "*" that is neither the first nor the
// last character and is followed by "(" or a letter becomes ".", except a "*" between a number and a
// bracketed number, which stays visible like the one between two numbers.
// e.g. "2*x+2*3" -> "2.x+2*3", "3*(x+1)" -> "3.(x+1)", "4*1*(-2)" -> "4*1*(-2)"
void DotProducts(std::string& text);
