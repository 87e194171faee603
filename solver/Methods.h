#pragma once

// The library of tree walks the solvers are built from. Each walk is one function, one visitor
// (CSimpleMethod, CTestMethod or CVariableMethod) and one of the generic walkers:
//
//   BuildMonoms          WalkPlainBase  a qualifying number, variable, power or product -> COMonom
//   BuildPolynoms        WalkPlainBase  a monomial, or a sum of monomials -> COPolynom
//   OrderPolynoms        WalkPlainBase  every COPolynom's terms in canonical order, like terms not yet
//                                       combined (CommentID::TermsReordered)
//   NormalizePolynoms    WalkPlainBase  every COPolynom normalized (CommentID::TermsReordered,
//                                       CommentID::LikeTermsCombined)
//   BuildHyperMonoms     WalkPlainBase  a qualifying polynomial, power, product or fraction -> COHyperMonom
//   TidyPolynoms         WalkPlainBase  every COPolynom gets non-negative coefficients (signs to cells)
//   BuildLevelAdditions, BuildLevelMultiplications, BuildLevelPowers
//                        WalkPlainBase  sums, products/fractions and powers of hyper-monomials -> level nodes
//   UnbuildHyperMonoms   WalkPlainPost  COHyperMonom -> its only added element, a fraction or a product
//   UnbuildPolynoms      WalkPlainPost  COPolynom -> its only added term, or a plain sum
//   UnbuildMonoms        WalkPlainPost  COMonom -> a number, a power, a letter or a plain product
//   FlattenLists         WalkPlainPost  a product in a product, a sum in a sum merged into the parent
//   FoldFractionSigns    WalkPlain      every COHyperMonom's factors get positive leading signs
//   CollectLetters       WalkAll        the letters of the tree in ascending byte order
//   CountOperations      WalkAllPost    1 per power, k - 1 per list of k > 1 elements
//
// Because the plain walks visit a specialised node without entering it, a build pass converts the
// highest qualifying node as a whole and leaves its inside alone.

#include "model/COperation.h"

#include <cstdint>
#include <string>

void BuildMonoms(NodeHandle handle);
void BuildPolynoms(NodeHandle handle);
void OrderPolynoms(NodeHandle handle);
void NormalizePolynoms(NodeHandle handle);
void BuildHyperMonoms(NodeHandle handle);
void TidyPolynoms(NodeHandle handle);
void BuildLevelAdditions(NodeHandle handle);
void BuildLevelMultiplications(NodeHandle handle);
void BuildLevelPowers(NodeHandle handle);

void UnbuildHyperMonoms(NodeHandle handle);
void UnbuildPolynoms(NodeHandle handle);
void UnbuildMonoms(NodeHandle handle);

// Merges every plain product standing as an element of a plain product, and every plain sum
// standing as a term of a plain sum, into its parent at its place, the signs multiplied; inside a
// fraction an element that is a product without divisors is merged too. The comments of a merged
// child move to the parent, and CommentID::BracketsOpened goes to the parent when the last child merged into
// it had more than one element (not for the merge inside a fraction). True when anything was merged.
bool FlattenLists(NodeHandle handle);

// Every hyper-monomial makes the leading signs of its factor polynomials positive; one whose sign
// came out negative is wrapped into a one-term sum with sign -1; a changed one gets
// CommentID::SignMovedOutOfFraction. True when anything changed.
bool FoldFractionSigns(NodeHandle handle);

// Inserts every letter of the tree that is not yet in `letters` before the first letter with a
// greater byte, so an ascending array stays ascending.
void CollectLetters(NodeHandle handle, std::string& letters);
// The letters of a tree in ascending byte order (the tree is not changed).
std::string CollectLetters(const COperation& node);

// 1 for every power and k - 1 for every sum, product or fraction of k > 1 elements.
std::int32_t CountOperations(NodeHandle handle);
std::int32_t CountOperations(const COperation& node);
