#pragma once

// Behaviour shared by the n-ary node classes, over their child list: equality as multisets,
// zero-divisor and completeness tests, and the three ways of writing a list as text.

#include "model/COperationList.h"

#include <string>

// Sums: a one-term sum with sign +1 equals what its term equals. Otherwise `other` must be a sum, and
// both are compared as multisets of signed terms (nested sums opened, zero terms dropped).
bool IsEqualSumList(const COperationList& list, const COperation& other);
// Products and fractions: the same with factors (nested products and fractions opened, factors
// equal to 1 dropped), so a/b equals a:b.
bool IsEqualProductList(const COperationList& list, const COperation& other);

bool SumListHasZeroDivisor(const COperationList& list);
// Some divisor is the number zero, or some element divides by zero.
bool ProductListHasZeroDivisor(const COperationList& list);
// At least one element, and every element defined.
bool ListIsDefined(const COperationList& list);

// "a+b-c"; brackets by context.
void WriteSumList(const COperationList& list, std::string& text, TextContext context);
// "a*b:c"; "1:a" when the first factor divides.
void WriteProductList(const COperationList& list, std::string& text, TextContext context);
// "{a*b}/c"; "1/b" with an empty numerator; "x^2/{3}" where digits would meet at the bar (see the
// implementation). With `unitExponentAsBase`, a factor that is a power with
// exponent the number 1 is written as its base alone.
void WriteFractionList(const COperationList& list, std::string& text, TextContext context,
                       bool unitExponentAsBase);

// Writes one factor, as its base alone when it is a power whose exponent is the number 1 (the
// power's cross-out mark is kept around the base).
void WriteFactorOmittingUnitExponent(const COperation& factor, std::string& text, TextContext context);
