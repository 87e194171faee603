#pragma once

// Helpers for the simplifier's tests: checks of a solution's steps by their values at rational points
// (through the tests' own formula evaluator, tests/support/FormulaValue.h), and a runner that
// simplifies a problem in a workspace the way the simplification entry does and keeps the final tree.

#include "model/CNumber.h"
#include "output/COutputList.h"
#include "output/ProblemError.h"
#include "tests/support/FormulaValue.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A few points with different non-integer rational values for each letter of the text.
std::vector<Point> SamplePoints(const std::string& text, int count);

// The formula texts of the records that hold exactly one formula (the steps), in order.
std::vector<std::string> StepFormulas(const COutputList& solution);
// The formula of the answer record, or "" when there is none.
std::string AnswerFormula(const COutputList& solution);
// The comment identifiers of all comment blocks, in order.
std::vector<int> CommentIds(const COutputList& solution);

// Checks that every step formula and the answer have the problem's value at the sample points;
// returns a description of the first difference, or "" when all agree.
std::string CheckValues(const std::string& problem, const COutputList& solution);

// Checks the solution of a problem that has no value: it must end with the record of the error of
// a division by zero, hold no answer, and no step formula may have a value at a sample point where
// the problem has none. Returns a description of the first fault, or "" when there is none.
std::string CheckEndsUndefined(const std::string& problem, const COutputList& solution);

// The whole simplification of a problem judged from outside: a problem without a value must end
// as CheckEndsUndefined says (then `undefined` is set); any other must be answered, keep its value
// in every step (CheckValues) and end in a reduced fraction (CheckAnswerForm). Returns a
// description of the first fault, or "" when there is none.
std::string JudgeSimplification(const std::string& problem, bool& undefined);

class COperation;

// A problem simplified in a workspace exactly as the simplification entry prepares it, keeping the
// final tree and the error code for inspection.
struct SimplifyRun {
    std::unique_ptr<COutputList> solution;
    std::unique_ptr<COperation> tree;
    ProblemError errorCode = ProblemError::None;
};
SimplifyRun RunSimplifier(const std::string& problem);

// The whole solution of the simplification entry (records, chained steps, answer line).
std::unique_ptr<COutputList> SolveSimplification(const std::string& problem);

// "" when the tree is a polynomial, one fraction of polynomials in lowest terms (numerator and
// denominator without a common polynomial factor or common number, nothing left crossed out) or a
// number whose common fraction is in lowest terms; otherwise what is wrong.
std::string CheckAnswerForm(const COperation& tree);
