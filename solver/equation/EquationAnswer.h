#pragma once

// The closing record of an equation.

#include <string>

class CExEquation;
class COperation;

// The formula "letter=root" as the answer and the check of roots write it.
std::string RootFormula(char unknown, const COperation& root);

// When the result state is not 1: a record with CommentID::AnswerHeadingUnsolvedNewLetter (state 3, an
// equation in a new letter that could not be solved) or CommentID::AnswerHeadingOther (any other state), then
// a record with CommentID::AnswerWithoutRoots. Otherwise one record: the heading 6, 5 or 4 for answer heading
// 0, 1 or 2, the joint 15, and then
//   - every number: the unknown letter as a formula, CommentID::AnswerEveryNumber and
//   CommentID::AnyValueIsRoot;
//   - every number but listed values (an identity whose domain excludes them): the unknown letter,
//     CommentID::AnswerEveryNumber, CommentID::AnswerExcept and each excluded value, with
//     CommentID::BetweenRoots between two values;
//   - no root: CommentID::NoRoots;
//   - otherwise each root as the formula "letter=root", with CommentID::BetweenRoots between two roots.
// Roots and excluded values are listed in ascending order when every one of them has a value.
void WriteAnswer(CExEquation& workspace);
