#pragma once

// Checking a pupil's own solution line by line. The input is a problem of one of the four kinds
// and the pupil's lines after it; every line is compared with the last line before it that could
// be checked, exactly:
//   - expressions (simplification, factorisation): equal as quotients of polynomials; a
//     factorisation must also stay a polynomial;
//   - equations: the same set of real solutions within the domain of the problem, decided with
//     gcds and Sturm sequences on squarefree parts (checker/EquationRootSet.h).
// A wrong line is told why, with a witness that distinguishes it from the line before. When every
// line is right, the solution is finished when its last line has the form of the solver's answer;
// otherwise the solver's own next step from that line is given.
//
// The check runs under one work budget of a solve (model/WorkBudget.h) and reads at most
// EngineLimits::kMaxCheckedLines lines: past either, the remaining lines are not checked and the
// check is marked too large. Nothing is thrown.

#include "checker/CheckMessage.h"
#include "checker/PupilLine.h"
#include "checker/QuadraticSurd.h"
#include "output/CommentID.h"
#include "solver/ProblemKind.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class LineVerdict { Right, Wrong, NotChecked, Unreadable };

using WitnessPoint = std::vector<std::pair<unsigned char, CNumber>>;

struct CheckedLine {
    // The line's number in the input: the problem is line 1, the pupil's lines start at 2.
    std::size_t number = 0;
    std::string text;
    LineVerdict verdict = LineVerdict::NotChecked;
    CheckMessage message;
    // The witness of a wrong line: the point where two expressions differ, or the root lost or
    // gained (exact when known, otherwise only approximated).
    WitnessPoint point;
    std::optional<CQuadraticSurd> root;
    std::optional<long double> approximateRoot;
};

// The solver's next step from the last line: the comments before its first new formula, and the
// formula in compact markup.
struct NextStep {
    std::vector<CommentIDType> comments;
    std::string formula;
};

struct SolutionCheck {
    ProblemKind kind = ProblemKind::Equation;
    // Set when the problem itself cannot be read (Unreadable, with the reader's message) or
    // checked (ProblemNotChecked); then no line is checked.
    std::optional<CheckMessage> problemError;
    std::vector<CheckedLine> lines;
    // Every line right and the last in the form of the answer.
    bool finished = false;
    // When every line is right but the solution is not finished.
    std::optional<NextStep> next;
    // The budget or the line limit ended the check early.
    bool tooLarge = false;

    // Every pupil line checked and right.
    bool AllRight() const;
    bool AnyUnreadable() const;
};

// lines[0] is the problem, the rest the pupil's lines.
SolutionCheck CheckSolution(ProblemKind kind, const std::vector<std::string>& lines, LineForm form);
