#pragma once

// The texts the checker puts into its messages, in UTF-8 and in the same notation in every
// language: numbers as integers or fractions ("−7/2"), polynomials with superscript exponents
// ("x² − 2x + 1"), surds ("1 + √2", "(−3 + √5)/2") and points ("x = 2", "a = 1/2, b = 3").

#include "checker/QuadraticSurd.h"
#include "model/CNumber.h"
#include "model/CPolynomValue.h"

#include <string>
#include <utility>
#include <vector>

std::string NumberText(const CNumber& number);
std::string PolynomialText(const CPolynomValue& polynom);
std::string SurdText(const CQuadraticSurd& surd);
std::string PointText(const std::vector<std::pair<unsigned char, CNumber>>& point);
// "x = " followed by the surd.
std::string RootText(unsigned char letter, const CQuadraticSurd& root);
