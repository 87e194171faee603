#pragma once

// The domain of an equation: the denominators that contain the unknown, each of which must not be
// zero, written as conditions before the solving, and the check of the roots against them after.

#include "model/COperation.h"

#include <vector>

class CExEquation;

// The denominators containing the letter, in tree order, each once, as plain trees (the polynomial
// forms unbuilt). The base of a power with a negative number exponent counts as a denominator.
using DomainList = std::vector<NodePtr>;
DomainList CollectDomain(const COperation& relation, char letter);

// CommentID::DomainConditions, then one formula: "d1≠0 (1)" for one condition, "!sys{d1≠0 (1);d2≠0 (2)}" for
// more.
void WriteDomain(CExEquation& workspace, const DomainList& domain);

// When the root set is every number, the state becomes "every number but excluded values" and
// nothing is written. Otherwise, when there are roots: CommentID::CheckRootsAgainstConditions, then a record
// per root, the formula "x=root" followed by CommentID::RootPassesCheck when every condition holds there, or
// by CommentID::RootMakesDenominatorZero, the formula "!brssil{0;i}" naming the first condition i that fails
// and CommentID::RootExcludedByCondition, the root then being removed. A root written as an expression (a
// square root form) is checked too, by its value to within rounding.
void CheckRoots(CExEquation& workspace, const DomainList& domain);

// WriteDomain and CheckRoots inside a line block of their own kind.
void WriteDomainBlock(CExEquation& workspace, const DomainList& domain);
void CheckRootsBlock(CExEquation& workspace, const DomainList& domain);
