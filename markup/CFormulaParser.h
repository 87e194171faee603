#pragma once

// Recursive-descent parser of the compact formula markup.
//
// Grammar, loosest binding first (one character of look-ahead, no blanks; "." has been turned into
// "*" by PrepareProblemText):
//
//   relation := sum "=" sum
//   sum      := ["+" | "-"] term { ("+" | "-") term }
//   term     := fraction { ("*" | ":") fraction }
//   fraction := power ["/" power]
//   power    := operand ["^" operand]
//   operand  := number | letter | "{" sum "}" | "(" sum ")"
//
// So a*b/c*d is a product of a, b/c and d; only one "/" and one "^" are read at their level, which
// leaves the second one of a/b/c and x^2^3 unread (characters left over); an exponent that is not a
// single operand must be grouped: x^{-1}, x^{n+1}.
//
// Trees built (nodes of the operation tree):
//   - a sum node only when there is a leading "-" or a second term; each term carries +1 or -1;
//   - a product node only when there is a second factor; "*" gives +1, ":" gives -1;
//   - a fraction node: numerator +1, denominator -1; a power node (base, exponent);
//   - a relation node of code "=" (left, right);
//   - brackets and braces make no node of their own;
//   - a number leaf read by CNumber::ParseText: 108, 0,01 (decimal), 3/4 (a fraction literal: digits,
//     "/", digits), 2@{1/3} or 2@1/3 (mixed number); 3/{4} is a fraction node of two integer leaves.
//
// Failure: every level that fails releases what it built and returns no tree; the first error code
// stays (see output/ProblemError.h). A level that gets no tree from below while the code is still None
// sets "missing operand". The parser never reads outside the text: the end of the text counts as
// a character that cannot start an operand and does not close a bracket, like the final ";".
//
// Limits (model/EngineLimits.h), each reported as ProblemError::ProblemTooLarge: a text longer than
// kMaxProblemTextLength, brackets nested deeper than kMaxNestingDepth, and a run of digits in a
// number literal longer than kMaxNumberDigits. Time and memory are linear in the length of the text;
// the recursion is at most a few frames per bracket level.
//
// How the problem workspace uses it:
//   std::string text = problem;          // its own copy
//   PrepareProblemText(text);            // markup/ProblemText.h
//   ParseResult parsed = ParseExpressionText(text);   // or ParseEquationText(text)
//   // parsed.errorCode is None and parsed.tree holds the tree, or the code says why there is none.
// ParseExpressionText and ParseEquationText are ParseSum and ParseRelation at position 0 followed by
// the end test: the parse must stop exactly at the final ";" (otherwise characters are left over).

#include "model/COperation.h"
#include "output/ProblemError.h"

#include <cstddef>
#include <string>

// The levels of the grammar over one text. Each Parse function reads from `position`, moves it past
// what it read and returns the owned tree, or no tree with `errorCode` set. `errorCode` must be None
// on entry to a parse.
class CFormulaParser {
public:
    CFormulaParser(const std::string& text, std::size_t& position, ProblemError& errorCode)
        : m_text(text), m_position(position), m_errorCode(errorCode) {}

    // relation := sum "=" sum
    NodePtr ParseRelation();
    // sum := ["+" | "-"] term { ("+" | "-") term }
    NodePtr ParseSum();
    // term := fraction { ("*" | ":") fraction }
    NodePtr ParseTerm();
    // fraction := power ["/" power]
    NodePtr ParseFraction();
    // power := operand ["^" operand]
    NodePtr ParsePower();
    // operand := number | letter | "{" sum "}" | "(" sum ")"
    NodePtr ParseOperand();

private:
    // The character at the position; '\0' past the end (AtEnd tells the two apart).
    char Peek() const { return m_position < m_text.size() ? m_text[m_position] : '\0'; }
    bool AtEnd() const { return m_position >= m_text.size(); }
    // Sets the code unless an earlier one stands, and returns no tree.
    NodePtr Fail(ProblemError code);
    // number: digits, with "," digits, "/" digits or "@" ["{"] digits "/" digits after them
    NodePtr ParseNumber();
    // "{" sum "}" | "(" sum ")"
    NodePtr ParseGroup(char closer);
    // True when every run of digits of the number literal at the position is within the limit.
    bool NumberWithinLimit() const;

    const std::string& m_text;
    std::size_t& m_position;
    ProblemError& m_errorCode;
    int m_nesting = 0;
};

// The levels as functions over a text, for callers that keep their own position and code. Each
// refuses a text longer than EngineLimits::kMaxProblemTextLength with ProblemError::ProblemTooLarge.
NodePtr ParseRelation(const std::string& text, std::size_t& position, ProblemError& errorCode);
NodePtr ParseSum(const std::string& text, std::size_t& position, ProblemError& errorCode);
NodePtr ParseTerm(const std::string& text, std::size_t& position, ProblemError& errorCode);
NodePtr ParseFraction(const std::string& text, std::size_t& position, ProblemError& errorCode);
NodePtr ParsePower(const std::string& text, std::size_t& position, ProblemError& errorCode);
NodePtr ParseOperand(const std::string& text, std::size_t& position, ProblemError& errorCode);

// A whole problem parsed: the tree (empty when errorCode is not None), the error code, and the position
// where the parse stopped.
struct ParseResult {
    NodePtr tree;
    ProblemError errorCode = ProblemError::None;
    std::size_t position = 0;
};

// An expression problem: a sum from position 0 that must end exactly at the final ";" of the text.
ParseResult ParseExpressionText(const std::string& text);
// An equation problem: a relation from position 0 that must end exactly at the final ";".
ParseResult ParseEquationText(const std::string& text);
