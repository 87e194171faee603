#pragma once

// Conversion of a formula from the editor form to the compact form.
//
// The editor form separates tokens by single blanks, writes the digits of a number apart
// ("1 0 8"), builds fractions and powers from templates ("{{ 1 }/{ 4 }}", "{{ x }^{ 2 }}") and
// writes implicit multiplication as juxtaposition ("2 x"). The compact form has no blanks, an
// explicit dot between juxtaposed operands and no redundant braces; it is what the parser reads.
// The four steps run in the order below, each in place. The formula editor applies the first three
// to its "$"-delimited formula whenever it changes and the fourth to the text it hands to the
// solver; ConvertEditorText applies all four.
//
// Every step runs in time linear in the length of the text, whatever bytes it holds.

#include <string>
#include <string_view>

// Deletes every blank.
// e.g. "1 0 8 + x" -> "108+x"
void RemoveBlanks(std::string& text);

// A whole number written in front of a fraction template becomes a mixed number: for every "/",
// the innermost "{" left of it that is not closed before it is the opening brace of the template;
// when a digit stands right before that brace, "@" is inserted before the brace.
// e.g. "2{{1}/{3}}" -> "2@{{1}/{3}}"
void MarkMixedNumbers(std::string& text);

// Makes implicit multiplication explicit with ".". A dot goes after ")", a letter or "}" unless
// the next character is a sign, a closing bracket or "@"; and before "(", a letter or "{" unless
// the previous character is a sign, an opening bracket or "@".
// e.g. "2x(x+1)" -> "2.x.(x+1)", while "12" and "x^{2}" stay as they are
// The first character of the text is tested like every other one, so "x2" becomes "x.2" just as
// "$x2$" becomes "$x.2$" inside formula delimiters.
void InsertProductDots(std::string& text);

// Removes braces that group nothing the parser needs grouped, in three passes:
//   1. braces around a single run of letters and digits: "{x}" -> "x", "{12}" -> "12";
//   2. braces directly around a bracketed group: "{(a+b)}" -> "(a+b)";
//   3. a brace pair that stands where a whole term or factor may stand (at the start, or after a
//      relation sign, "+", "-", "*", ".", ":", the plus-or-minus sign or an opening bracket, and
//      closed at the end or before one of those signs or a closing bracket): "{x^2}+1" -> "x^2+1".
// e.g. "{{1}/{{{x}^{2}}-2.x+2}}" -> "1/{x^2-2.x+2}", and "{{1}/{4}}" -> "1/4" (a fraction literal)
// A pair goes only when the text without it reads the same: its content must bind at least as
// tightly as its neighbours need ("x-{a+b}" and "{a+b}*c" stay), and digits must not run into a
// neighbouring number literal ("x^{2}/3" stays, as x^2/3 reads 2/3 as the exponent; "{1},5"
// stays). The only change of reading allowed is a fraction of two whole numbers becoming the
// fraction literal of the same value.
void RemoveRedundantBraces(std::string& text);

// The editor text as the editor and the example library draw it: between the formula delimiters
// "$...$", a typed division sign (MarkupBytes::kDivisionSign) written as the markup's ":", then the
// first three steps. The delimiters keep the first and the last character from a product dot.
// e.g. " 2 x ( x + 1 )" -> "$2.x.(x+1)$"
std::string EditorDisplayText(std::string_view editorText);

// The editor text of a problem becomes the compact text for the solver: EditorDisplayText without
// its delimiters, then the fourth step. The editor's Solve, the example library, the main window
// and the command line's editor form all convert through this one function.
// e.g. "( x - 4 ) ( x - 2 ) + 8 = 0" -> "(x-4).(x-2)+8=0"
void ConvertEditorText(std::string& text);
