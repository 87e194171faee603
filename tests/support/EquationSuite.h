#pragma once

// School equations of the kinds textbooks set, in compact markup, with their real roots worked
// out by hand: linear equations with brackets, fractions, decimals and mixed numbers; identities
// and contradictions; quadratics in every branch of their solving; a·x^n = k; products and powers
// equal to zero; rational equations with and without rejected roots; negative exponents; other
// letters. Used by the whole-solution tests and by the benchmark.

#include <string>
#include <vector>

enum class Expect {
    Roots,       // exactly the listed roots
    None,        // the answer "no roots"
    Every,       // the answer "every number"
    EveryExcept, // every number except the listed values, which denominators exclude
    Unsolved,    // no answer
};

struct EquationCase {
    const char* problem;
    char letter;
    Expect expect;
    std::vector<std::string> roots; // in markup the tests can evaluate, any order
};

inline const std::vector<EquationCase>& EquationSuiteCases() {
    static const std::vector<EquationCase> cases = {
        // linear, with brackets, fractions, decimals, mixed numbers
        {"2*x+3=7", 'x', Expect::Roots, {"2"}},
        {"3*(x-2)=2*(x+1)", 'x', Expect::Roots, {"8"}},
        {"5*x-7=3*x+1", 'x', Expect::Roots, {"4"}},
        {"-2*x=6", 'x', Expect::Roots, {"-3"}},
        {"x/2+x/3=5", 'x', Expect::Roots, {"6"}},
        {"(x+1)/2=(x-1)/3", 'x', Expect::Roots, {"-5"}},
        {"0,5*x+1,5=2", 'x', Expect::Roots, {"1"}},
        {"1,2*x-0,4=2*x", 'x', Expect::Roots, {"-1/2"}},
        {"4*(x-1)-2*(x+3)=0", 'x', Expect::Roots, {"5"}},
        {"7-(x+3)=2*(x-1)", 'x', Expect::Roots, {"2"}},
        {"x=0", 'x', Expect::Roots, {"0"}},
        {"3*x=0", 'x', Expect::Roots, {"0"}},
        {"-x+5=0", 'x', Expect::Roots, {"5"}},
        {"(2*x-1)/3-(x+2)/4=1", 'x', Expect::Roots, {"22/5"}},
        {"0,3*x=0,1", 'x', Expect::Roots, {"1/3"}},
        {"y+3=1", 'y', Expect::Roots, {"-2"}},
        {"2*(3*x-1)-3*(2*x+1)=x", 'x', Expect::Roots, {"-5"}},
        {"x-(2*x-(3*x-1))=5", 'x', Expect::Roots, {"3"}},
        // identities and contradictions
        {"x+x=2*x", 'x', Expect::Every, {}},
        {"2*(x+1)=2*x+2", 'x', Expect::Every, {}},
        {"2=2", 'x', Expect::Every, {}},
        {"x+1=x+2", 'x', Expect::None, {}},
        {"5=3", 'x', Expect::None, {}},
        {"3*(x-1)=3*x", 'x', Expect::None, {}},
        // quadratics: discriminant square, zero, negative, not a square (with and without reduction)
        {"x^2-5*x+6=0", 'x', Expect::Roots, {"2", "3"}},
        {"x^2-4*x+4=0", 'x', Expect::Roots, {"2"}},
        {"x^2+x+1=0", 'x', Expect::None, {}},
        {"x^2-2*x+3=0", 'x', Expect::None, {}},
        {"x^2-2*x-1=0", 'x', Expect::Roots, {"1-!sq2{2}", "1+!sq2{2}"}},
        {"x^2-6*x+4=0", 'x', Expect::Roots, {"3-!sq2{5}", "3+!sq2{5}"}},
        {"5*x^2-2*x-1=0", 'x', Expect::Roots, {"(1-!sq2{6})/5", "(1+!sq2{6})/5"}},
        {"x^2+2*x-1=0", 'x', Expect::Roots, {"-1-!sq2{2}", "-1+!sq2{2}"}},
        {"2*x^2+3*x-1=0", 'x', Expect::Roots, {"(-3-!sq2{17})/4", "(-3+!sq2{17})/4"}},
        {"6*x^2+5*x+1=0", 'x', Expect::Roots, {"-1/2", "-1/3"}},
        {"4*x^2-4*x+1=0", 'x', Expect::Roots, {"1/2"}},
        // negative leading coefficient, common numeric factor
        {"-x^2+5*x-6=0", 'x', Expect::Roots, {"2", "3"}},
        {"2*x^2-8*x+6=0", 'x', Expect::Roots, {"1", "3"}},
        {"-3*x^2+6*x+9=0", 'x', Expect::Roots, {"-1", "3"}},
        // incomplete forms
        {"x^2=9", 'x', Expect::Roots, {"-3", "3"}},
        {"x^2-16=0", 'x', Expect::Roots, {"-4", "4"}},
        {"3*x^2-12=0", 'x', Expect::Roots, {"-2", "2"}},
        {"-2*x^2+8=0", 'x', Expect::Roots, {"-2", "2"}},
        {"x^2+4=0", 'x', Expect::None, {}},
        {"2*x^2=3", 'x', Expect::Roots, {"-!sq2{3/2}", "!sq2{3/2}"}},
        {"x^2-3=0", 'x', Expect::Roots, {"-!sq2{3}", "!sq2{3}"}},
        {"x^2-5*x=0", 'x', Expect::Roots, {"0", "5"}},
        {"-x^2+4*x=0", 'x', Expect::Roots, {"0", "4"}},
        {"x^2=x", 'x', Expect::Roots, {"0", "1"}},
        {"x^2=0", 'x', Expect::Roots, {"0"}},
        {"3*x^2=0", 'x', Expect::Roots, {"0"}},
        // quadratics that need brackets opened or terms moved first
        {"(x-1)^2=4*(x+1)", 'x', Expect::Roots, {"3-2*!sq2{3}", "3+2*!sq2{3}"}},
        {"x*(x+3)=10", 'x', Expect::Roots, {"-5", "2"}},
        {"(x+2)^2=9", 'x', Expect::Roots, {"-5", "1"}},
        {"x^2+0,5*x-0,5=0", 'x', Expect::Roots, {"-1", "1/2"}},
        {"(2*x-1)*(x+3)=2*x^2", 'x', Expect::Roots, {"3/5"}},
        {"t^2-t-2=0", 't', Expect::Roots, {"-1", "2"}},
        {"z^2-9=0", 'z', Expect::Roots, {"-3", "3"}},
        // a·x^n = k
        {"2*x^3=16", 'x', Expect::Roots, {"2"}},
        {"x^3=-27", 'x', Expect::Roots, {"-3"}},
        {"x^4=16", 'x', Expect::Roots, {"-2", "2"}},
        {"x^4=5", 'x', Expect::Roots, {"-!sqn{4;5}", "!sqn{4;5}"}},
        {"x^5=-32", 'x', Expect::Roots, {"-2"}},
        {"3*x^6=192", 'x', Expect::Roots, {"-2", "2"}},
        {"x^3+8=0", 'x', Expect::Roots, {"-2"}},
        {"x^4+1=0", 'x', Expect::None, {}},
        {"x^3=2", 'x', Expect::Roots, {"!sqn{3;2}"}},
        {"-x^5=1", 'x', Expect::Roots, {"-1"}},
        {"x^6-1=0", 'x', Expect::Roots, {"-1", "1"}},
        // cubics and quartics that only factorisation solves
        {"x^3-6*x^2+11*x-6=0", 'x', Expect::Roots, {"1", "2", "3"}},
        {"x^3-x=0", 'x', Expect::Roots, {"-1", "0", "1"}},
        {"x^3+x^2-4*x-4=0", 'x', Expect::Roots, {"-2", "-1", "2"}},
        {"2*x^3-3*x^2-3*x+2=0", 'x', Expect::Roots, {"-1", "1/2", "2"}},
        {"x^3-3*x+2=0", 'x', Expect::Roots, {"-2", "1"}},
        {"x^3-1=0", 'x', Expect::Roots, {"1"}},
        {"x^3+3*x^2+3*x+1=0", 'x', Expect::Roots, {"-1"}},
        {"x^4-1=0", 'x', Expect::Roots, {"-1", "1"}},
        {"x^4-2*x^3-x^2+2*x=0", 'x', Expect::Roots, {"-1", "0", "1", "2"}},
        {"x^4-5*x^2+4=0", 'x', Expect::Roots, {"-2", "-1", "1", "2"}},
        {"x^5-x=0", 'x', Expect::Roots, {"-1", "0", "1"}},
        {"x^4+4=0", 'x', Expect::None, {}},
        {"x^3=x^2+x-1", 'x', Expect::Roots, {"-1", "1"}},
        {"(2-x)^3=8", 'x', Expect::Roots, {"0"}},
        {"(x^3-x)/(x-1)=0", 'x', Expect::Roots, {"-1", "0"}},
        // no roots by the signs of the terms
        {"x^4+x^2+1=0", 'x', Expect::None, {}},
        {"2*x^4+3*x^2+5=0", 'x', Expect::None, {}},
        {"(x-1)^2+1=0", 'x', Expect::None, {}},
        // products and powers equal to zero
        {"(x-1)*(x+2)=0", 'x', Expect::Roots, {"1", "-2"}},
        {"x*(x-3)*(x+4)=0", 'x', Expect::Roots, {"0", "3", "-4"}},
        {"(x-2)^2=0", 'x', Expect::Roots, {"2"}},
        {"(x^2+1)*(x-3)=0", 'x', Expect::Roots, {"3"}},
        {"(2*x-1)^3=0", 'x', Expect::Roots, {"1/2"}},
        {"(x^2-4)*(x^2-9)=0", 'x', Expect::Roots, {"-2", "2", "-3", "3"}},
        {"5*(x+1)=0", 'x', Expect::Roots, {"-1"}},
        {"-(x-4)*(x+1)=0", 'x', Expect::Roots, {"4", "-1"}},
        {"(x-1)*(x^2-5*x+6)=0", 'x', Expect::Roots, {"1", "2", "3"}},
        {"((x-1)*(x-2))^2=0", 'x', Expect::Roots, {"1", "2"}},
        {"a*(a-1)=0", 'a', Expect::Roots, {"0", "1"}},
        {"(x-x)*(x+1)=0", 'x', Expect::Every, {}},
        // rational equations
        {"1/(x-1)+1/(x+1)=2/(x^2-1)", 'x', Expect::None, {}},
        {"(x^2-1)/(x-1)=0", 'x', Expect::Roots, {"-1"}},
        {"1/x=2", 'x', Expect::Roots, {"1/2"}},
        {"x/(x-2)=2/(x-2)", 'x', Expect::None, {}},
        {"(x+3)/(x-1)=2", 'x', Expect::Roots, {"5"}},
        {"1/(x-2)+1/(x+2)=4/(x^2-4)", 'x', Expect::None, {}},
        {"x/(x+1)+1/(x+1)=1", 'x', Expect::EveryExcept, {"-1"}},
        {"(x^2-1)/(x-1)=x+1", 'x', Expect::EveryExcept, {"1"}},
        {"(x^2-4)/(x^2-3*x+2)=(x+2)/(x-1)", 'x', Expect::EveryExcept, {"1", "2"}},
        {"2/x+3/(2*x)=7/2", 'x', Expect::Roots, {"1"}},
        {"(x^2-2)/(x^2-2)+x^2-3=0", 'x', Expect::None, {}},
        {"x/(x-1)-1/(x+1)=2/(x^2-1)", 'x', Expect::None, {}},
        {"3/x=x/3", 'x', Expect::Roots, {"-3", "3"}},
        {"(x+1)/x+x/(x+1)=5/2", 'x', Expect::Roots, {"-2", "1"}},
        {"1/(x^2)+1=0", 'x', Expect::None, {}},
        {"(x-3)/(x^2+1)=0", 'x', Expect::Roots, {"3"}},
        // negative exponents
        {"x^{-1}=2", 'x', Expect::Roots, {"1/2"}},
        {"x^{-2}=4", 'x', Expect::Roots, {"-1/2", "1/2"}},
        {"x^{-1}+x^{-1}=1", 'x', Expect::Roots, {"2"}},
    };
    return cases;
}
