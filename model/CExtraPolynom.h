#pragma once

// A polynomial seen as a polynomial in one chosen letter: a list of records, each a coefficient
// polynomial free of that letter and the exponent of the letter. Terms of the source with the same
// exponent are gathered into one record; records keep the order in which their exponents first
// appear. x^2*y + 3*x*y^2 - x^2 in x is (y - 1)*x^2 + (3*y^2)*x.

#include "model/CNumber.h"
#include "model/COPolynom.h"
#include "model/CPolynomValue.h"

#include <list>
#include <memory>

struct CExtraMonom {
    std::unique_ptr<COPolynom> coefficient; // free of the chosen letter
    CNumber exponent;                       // of the chosen letter
};

class CExtraPolynom {
public:
    // For each term of the source: the exponent of the letter is read, the term is cloned without
    // that letter and appended (with its sign) to the record of that exponent, or to a new record.
    CExtraPolynom(const COPolynom& source, char letter);
    CExtraPolynom(const CExtraPolynom& other);
    CExtraPolynom(CExtraPolynom&&) = default;
    CExtraPolynom& operator=(CExtraPolynom&&) = default;

    char Letter() const { return m_letter; }
    const std::list<CExtraMonom>& Records() const { return m_records; }
    std::list<CExtraMonom>& Records() { return m_records; }

    // The record with the highest exponent (null when there is none).
    const CExtraMonom* HighestRecord() const;
    // Back to a polynomial: every term of every coefficient gets letter^exponent multiplied in.
    std::unique_ptr<COPolynom> ToPolynom() const;
    // The greatest common divisor of all coefficients, divided out of each of them and returned;
    // with a single record the whole coefficient is taken out and replaced by 1.
    std::unique_ptr<COPolynom> TakeOutCommonFactor();
    CExtraPolynom Product(const CExtraPolynom& other) const;
    CExtraPolynom Difference(const CExtraPolynom& other) const;

private:
    CExtraPolynom(const CPolynomValue& value, char letter);
    CPolynomValue Value() const;

    std::list<CExtraMonom> m_records;
    char m_letter;
};
