#pragma once

// Gathering the comments of a subtree into one list before a step is recorded. Some comments are
// partial: two of them in one step combine into one text ("split off the numerator" and "split off
// the denominator" become "split off numerator and denominator"; a common factor taken out twice
// becomes "common factors taken out").

#include "model/COperation.h"

// Merges one identifier into `target`:
// - into an empty list it is appended;
// - a single comment is appended unless already present;
// - a partial comment does nothing when its combined comment is present; when its partner is
//   present, the partner is removed and the combined comment appended; otherwise it is appended
//   unless already present;
// - a combined comment does nothing when present; otherwise the partials it combines are removed
//   and it is appended;
// - an unknown identifier is dropped.
void MergeComment(CommentList& target, CommentIDType id);

// Takes the comments of the subtree out (each node's own comments first to last, then a power's
// base and exponent, list elements in order, a relation's left and right side; roots, numbers and
// variables end the descent) and merges each into `target`.
void CollectComments(COperation& node, CommentList& target);
