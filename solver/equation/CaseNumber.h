#pragma once

// The heading of a numbered sub-equation (a case of a split, a value taken back).

class CExEquation;

// "1.2" from the sub-equation's condition text: one record with CommentID::SubProblemHeading, then the parts
// of the label as formulas with CommentID::SubProblemLabelSeparator between them, and CommentID::AnswerJoint
// after them when `colon` is set.
void WriteCaseNumber(CExEquation& child, bool colon = false);
