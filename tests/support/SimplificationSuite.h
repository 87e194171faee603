#pragma once

// School simplification problems of the kinds textbooks set, in compact markup: sums and
// differences of fractions (factorable and opposite denominators, squares), products and quotients
// of fractions, powers of sums, nested fractions, negative exponents, decimals and mixed numbers,
// several letters. Used by the whole-solution tests and by the benchmark.

struct SimplificationProblem {
    const char* problem;
    const char* topic;
};

// Problems of the kinds textbooks set, in compact markup.
inline constexpr SimplificationProblem kSimplificationSuite[] = {
    // sums and differences of fractions with factorable denominators
    {"1/(x-1)-1/(x+1)", "difference of two fractions"},
    {"1/(x-1)+1/(x+1)", "sum of two fractions"},
    {"x/(x-2)-2/(x-2)", "equal denominators"},
    {"1/(x^2-1)+1/(x+1)", "difference of squares below"},
    {"x/(x^2-4)-1/(x-2)", "difference of squares below"},
    {"2/(x^2-9)+1/(x+3)", "difference of squares below"},
    {"1/(x^2+2*x+1)-1/(x+1)", "square below"},
    {"3/(2*x)+5/(3*x)", "numbers below"},
    {"1/(x-1)+1/(x+1)+2/(x^2-1)", "three fractions"},
    {"1/(a+b)+1/(a-b)+2*a/(a^2-b^2)", "three fractions, two letters"},
    {"x/(x+1)+1/(x+1)", "sum equal to 1"},
    {"(x+1)/(x-1)-(x-1)/(x+1)", "difference of two fractions"},
    {"2/(x+1)-1/x", "difference of two fractions"},
    {"1/(x*(x+1))+1/(x+1)", "product below"},
    {"1-1/(x+1)", "number minus a fraction"},
    {"x+1/x", "letter plus a fraction"},
    {"1/(x^2-x)-1/(x^2+x)", "factorable by a common letter"},
    {"(x+3)/(x^2-9)-1/(x-3)", "sum to zero"},
    // opposite denominators
    {"a/(a-b)+b/(b-a)", "opposite denominators"},
    {"1/(a-b)-1/(b-a)", "opposite denominators"},
    {"x/(x-y)-y/(x-y)", "equal denominators, two letters"},
    {"x^2/(x-1)+1/(1-x)", "opposite denominators, a square above"},
    // reducing fractions
    {"(x^2-4)/(x+2)", "difference of squares above"},
    {"(x^2-1)/(x^2+2*x+1)", "squares above and below"},
    {"(a^2-b^2)/(a-b)", "two letters"},
    {"(x^2+5*x+6)/(x+2)", "quadratic above"},
    {"(2*x+4)/(x^2-4)", "number factor above"},
    {"(3*x-3)/(x^2-1)", "number factor above"},
    {"(x^3-1)/(x-1)", "difference of cubes"},
    {"(x^3+8)/(x+2)", "sum of cubes"},
    {"(x^2+x)/x", "common letter"},
    {"4*x^2/(2*x)", "monomials"},
    {"(6*x+9)/3", "number below"},
    {"(a^2*b)/(a*b^2)", "monomials of two letters"},
    {"a/(a*b+a)", "common letter below"},
    {"(x*y+x)/(x*y-x)", "common letter above and below"},
    {"(a^2-2*a*b+b^2)/(a-b)", "square of a difference"},
    // products and quotients of fractions
    {"x/(x+1)*(x+1)/x^2", "product of fractions"},
    {"(x^2-1)/x*x/(x+1)", "product of fractions"},
    {"(a+b)/a:((a^2-b^2)/a^2)", "quotient of fractions"},
    {"a:(b/c)", "division by a fraction"},
    {"(x/y):(x^2/y^2)", "quotient of fractions"},
    {"(2*a)/(3*b)*(9*b^2)/(4*a^2)", "product with numbers"},
    {"(x^2-4)/(x+3)*(x+3)/(x-2)", "product to a polynomial"},
    {"(p^2-q^2)/(p*q)*q/(p+q)", "product, two letters"},
    // powers of sums and products of brackets
    {"(x+1)^2", "square of a sum"},
    {"(a-b)^2", "square of a difference"},
    {"(x+1)^3", "cube of a sum"},
    {"(a+b+c)^2", "square of a trinomial"},
    {"(x+y)^2-(x-y)^2", "difference of squares of sums"},
    {"(x+1)^2-(x-1)^2", "difference of squares of sums"},
    {"(2*x-3)^2-4*x^2", "square minus a monomial"},
    {"(x+2)*(x-2)-x^2", "product of brackets"},
    {"(a+b)*(a-b)+b^2", "product of brackets"},
    {"(x+1)*(x+2)*(x+3)", "three brackets"},
    {"(x-1)*(x^2+x+1)", "product to a difference of cubes"},
    {"3*(x+2)-2*(x+3)", "brackets opened"},
    {"x*(x+1)-x^2", "brackets opened"},
    {"(x^2+x+1)^2", "square of a trinomial"},
    // nested fractions
    {"(1/x+1)/(1/x-1)", "nested fraction"},
    {"(1+1/x)/(1-1/x^2)", "nested fraction"},
    {"1/(1+1/x)", "nested fraction"},
    {"(a/b+1)/(a/b-1)", "nested fraction, two letters"},
    {"(x-1/x)/(x+1)", "nested fraction"},
    // negative exponents
    {"x^{-1}+x^{-2}", "negative exponents"},
    {"2*x^{-1}", "negative exponent in a product"},
    {"(a^{-1}+b^{-1})^{-1}", "negative exponent of a sum"},
    {"x^{-2}*x^3", "negative and positive exponents"},
    {"(x/y)^{-2}", "negative exponent of a fraction"},
    // decimals and mixed numbers
    {"0,5*x+1,5*x", "decimals"},
    {"x/2+x/3", "fractions of a letter"},
    {"0,2*x-1/5*x", "decimal and fraction cancel"},
    {"1@{1/2}*x-x/2", "mixed number"},
    {"2@{1/3}*a+a/3", "mixed number"},
    {"0,25*(4*x+8)", "decimal times a bracket"},
    {"x/(0,5*x+1)", "decimal below"},
    // several letters and miscellany
    {"m/(m-n)-n/(m+n)", "two letters"},
    {"2*x+3*x", "like terms"},
    {"(a^2)^3", "power of a power"},
    {"(-x)^2+(-x)^3", "signs of powers"},
    {"x^0+x^1", "exponents 0 and 1"},
};
