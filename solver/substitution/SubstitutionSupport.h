#pragma once

// What the substitution solvers share: the stages of their line blocks, the relations they build,
// the opening of the part written in new letters, and the hand-over of a finished part.

#include "model/COperation.h"
#include "solver/substitution/Substitution.h"

#include <cstdint>
#include <memory>
#include <string>

class CExEquation;
class COutputList;

namespace SubstitutionLimits {
// Levels of sub-equations one substitution opens around the equations it solves: the trial of a
// recogniser, the part in the new letter, a case, a value taken back.
inline constexpr std::int32_t kSubstitutionLevels = 4;
} // namespace SubstitutionLimits

// Whether a substitution opened in the workspace, below `levelsBefore` levels that its caller opens
// first, stays within the nesting limit of sub-equations. Past it the reductions do not apply, so
// that substitutions inside substitutions end in factorisation instead of the "too large" error.
bool HasRoomForSubstitution(const CExEquation& workspace, std::int32_t levelsBefore = 0);

// left = right.
NodePtr EquationOf(NodePtr left, NodePtr right);
// A side that is the number zero (in any form).
bool IsZeroSide(const COperation* side);
// The node as a formula line shows it (products with a dot).
std::string ShownText(const COperation& node);

// The part in new letters: a sub-equation (answer heading 2) of the workspace over
// "substitution's equation = 0" in its own list, unknown `unknown`, with a substitution line block,
// CommentID::SubstitutionIntroduced, the record of the letters' definitions (CommentID::NewLetterDefinition,
// "t=..."; with a second letter CommentID::BetweenRoots and "B=..."), CommentID::EquationInNewLetter and the
// equation as a forced step (with two letters CommentID::NewLettersIntroduced and
// CommentID::EquationInNewLetters instead); the top kind then says "solving". Past the nesting limits the workspace takes
// the error and the result is null.
std::unique_ptr<CExEquation> OpenNewLetterPart(CExEquation& workspace, const Substitution& substitution,
                                               COutputList& list, char unknown);

// A numbered case of the workspace over `relation`, writing into the workspace's list: its number
// "label" under the workspace's (CommentID::SubProblemHeading, then CommentID::AnswerJoint when `colon` is set) and its condition
// as a spoken formula, with the top kinds "case number" and then "case solving". Past the nesting
// limits the case holds the error.
std::unique_ptr<CExEquation> OpenNumberedCase(CExEquation& parent, const char* label, NodePtr relation,
                                              const std::string& condition, bool colon = false);

// A part that ended: an error is taken over (true); unsolved, the state "new letter unsolved" is
// passed on and the list dropped (false); solved, the list, the roots and the state reach the
// workspace (true).
bool TakeOverPart(CExEquation& workspace, CExEquation& part, COutputList& list, bool solved);
