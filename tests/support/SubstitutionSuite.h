#pragma once

// Equations that a substitution reduces, in the shapes a school course sets, and equations that
// look like them but must be solved otherwise. Shared by the suite test and the benchmark.

#include <vector>

struct SubstitutionSuiteCase {
    const char* problem;
    // The letter the reduction introduces, or 0 when no substitution may be made.
    char newLetter;
};

inline const std::vector<SubstitutionSuiteCase>& SubstitutionSuite() {
    static const std::vector<SubstitutionSuiteCase> suite = {
        // a repeated sub-expression
        {"(x^2-16*x)^2-2*(x^2-16*x)-63=0", 't'},
        {"(x-2)^6-26*(x-2)^3=27", 't'},
        {"(x+1)^6+20=9*(x+1)^3", 't'},
        {"(x^2+x)^2-8*(x^2+x)+12=0", 't'},
        {"(x^2-3*x)^2-2*(x^2-3*x)=8", 't'},
        {"(t^2+t)^2-8*(t^2+t)+12=0", 'z'},
        {"(y^2+3*y)^2+2*(y^2+3*y)-8=0", 't'},
        {"(2*x+1)^4-10*(2*x+1)^2+9=0", 't'},
        {"(x^2+1)^2-7*(x^2+1)+10=0", 't'},
        {"(x^2-5*x)^3+(x^2-5*x)^2-2=0", 't'},
        {"(x+3)^4-13*(x+3)^2+36=0", 't'},
        {"(x^2+2*x)^2-2*(x^2+2*x)-3=0", 't'},
        {"(x^2-x)^2-14*(x^2-x)+24=0", 't'},
        {"(x-1)^4-5*(x-1)^2+4=0", 't'},
        {"(x^2+x+1)*(x^2+x+2)=12", 't'},
        {"(x^2-16*x)^2-2*x^2+32*x-63=0", 't'},
        {"(x^3+1)^2-3*(x^3+1)+2=0", 't'},
        {"x/(x+1)+(x+1)/x=5/2", 't'},
        {"(a^2-4*a)^2+7*(a^2-4*a)+12=0", 't'},
        {"2*(x^2+3*x)^2-7*(x^2+3*x)=4", 't'},
        {"(x^2-6*x)^2+2*(x^2-6*x)=63", 't'},
        // factors that pair into products sharing all terms but the constant
        {"(x-4)*(x-5)*(x-6)*(x-7)=1680", 't'},
        {"(x^2-5*x)*(x+3)*(x-8)+108=0", 't'},
        {"x*(x+1)*(x+2)*(x+3)=24", 't'},
        {"(x+1)*(x+2)*(x+3)*(x+4)=3", 't'},
        {"(x-1)*(x-3)*(x+5)*(x+7)=297", 't'},
        {"(t+1)*(t+2)*(t+3)*(t+4)=120", 'z'},
        {"(x^2-9*x+20)*(x^2-13*x+42)=1680", 't'},
        {"(x^2-1)*(x^2+4*x+3)=21", 't'},
        // reciprocal equations
        {"x^4-5*x^3+8*x^2-5*x+1=0", 't'},
        {"2*x^4+3*x^3-16*x^2+3*x+2=0", 't'},
        {"x^4-x^3-2*x^2-2*x+4=0", 't'},
        {"x^4+2*x^3-6*x^2+2*x+1=0", 't'},
        {"6*x^4-5*x^3-38*x^2-5*x+6=0", 't'},
        {"x^4+x^3-4*x^2+x+1=0", 't'},
        // biquadratic equations with a square discriminant
        {"x^4-5*x^2+4=0", 't'},
        {"x^4-13*x^2+36=0", 't'},
        {"4*x^4-37*x^2+9=0", 't'},
        {"-x^4+10*x^2-9=0", 't'},
        {"x^4+3*x^2-4=0", 't'},
        {"y^4-29*y^2+100=0", 't'},
        {"2*x^4-x^2-1=0", 't'},
        {"t^4-10*t^2+9=0", 'z'},
        // shifted cubes
        {"8*x^3-12*x^2+6*x-1=0", 't'},
        {"x^3+3*x^2+3*x-7=0", 't'},
        {"x^3-6*x^2+12*x-9=0", 't'},
        {"27*x^3+27*x^2+9*x+2=0", 't'},
        {"x^3-3*x^2+3*x+7=0", 't'},
        {"4*x^3-6*x^2+3*x-2=0", 't'},
        {"-x^3-6*x^2-12*x-7=0", 't'},
        // homogeneous in x^2 and x + c
        {"x^4-5*x^3+x^2+12*x+6=0", 'A'},
        {"2*x^4+x^3-5*x^2+12*x-12=0", 'A'},
        {"x^4-3*x^3-4*x^2+8*x+8=0", 'A'},
        // look-alikes solved without a substitution
        {"x^4-3*x^2+1=0", 0},
        {"x^3-6*x^2+11*x-6=0", 0},
        {"(x+1)^2-3*(x+1)+2=0", 0},
        {"x^4-1=0", 0},
        {"x^4+x^3-x-1=0", 0},
        {"x^4-5*x^3+8*x^2-4*x=0", 0},
    };
    return suite;
}
