#pragma once

// Helpers for the equation solver's tests. The answer of a solve is read back from its records and
// checked against the problem by the tests' own formula evaluator (tests/support/FormulaValue.h):
// exact rational values, and values to about 33 significant digits (__float128) for roots written
// with square and higher roots. Nothing here uses the engine's parser or solver.

#include "output/COutputList.h"
#include "tests/support/FormulaValue.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The solution's answer, read from its answer record.
struct EquationAnswer {
    bool unsolved =
        false; // CommentID::AnswerHeadingOther or CommentID::AnswerHeadingUnsolvedNewLetter: no answer
    bool every = false;                // every number
    bool none = false;                 // no roots
    std::vector<std::string> roots;    // the texts after "x=", in order
    std::vector<std::string> excluded; // every number except these values, in order
};
EquationAnswer ReadAnswer(const COutputList& solution, char letter);

// A relation text split at its one "=" (leading and trailing "=" of chained steps removed); none
// when it has no "=" or more than one.
std::optional<std::pair<std::string, std::string>> SplitRelation(const std::string& text);

// left - right of a relation split by SplitRelation, at letter = x; none where a side is not
// defined.
std::optional<Quad> RelationDifference(const std::pair<std::string, std::string>& sides, char letter, Quad x);

// The places on [-40, 40] (steps of 1/32) where left - right changes sign or is 0 with neither one
// of `roots` nor a pole in the step: roots that an answer misses.
std::vector<Quad> UnansweredRoots(const std::pair<std::string, std::string>& sides, char letter,
                                  const std::vector<Quad>& roots);

// Magnitude test in quadruple precision: |a - b| small against their size.
bool NearlyEqual(Quad a, Quad b, Quad relative = static_cast<Quad>(1e-28L));

// The formulas of the main chain: records holding one formula at nesting level 0 or 1 with the
// steps block kind (1) on top.
std::vector<std::string> MainChain(const COutputList& solution);

// Solves an equation problem through the dispatcher.
std::unique_ptr<COutputList> SolveEquationText(const std::string& problem);
