#pragma once

// Generated simplification problems of school size, the same for every run with the same seed:
// sums of up to six fractions in up to three letters, powers of sums up to the fifth, and nested
// fractions. Written in compact markup with explicit "*", ready for the simplification entry.

#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Pieces joined by appending (g++ 12 warns falsely about some chains of string operator+).
inline std::string Cat(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

class SchoolProblemMaker {
public:
    explicit SchoolProblemMaker(unsigned seed) : m_random(seed) {}

    std::string Next() {
        switch (Pick(0, 5)) {
        case 0:
        case 1:
            return SumOfFractions(Pick(2, 6));
        case 2:
            return PowerOfSum();
        case 3:
            return Cat({"(", SumOfFractions(2), ")/(", SumOfFractions(2), ")"});
        case 4:
            return Cat({Fraction(), "*(", SumOfFractions(Pick(2, 3)), ")"});
        default:
            return Cat({"(", Fraction(), ")/(", Fraction(), ")-", Fraction()});
        }
    }

    std::vector<std::string> Make(int count) {
        std::vector<std::string> problems;
        for (int i = 0; i < count; ++i) {
            problems.push_back(Next());
        }
        return problems;
    }

private:
    std::string Letter() {
        static const char* letters[] = {"x", "y", "z"};
        return letters[Pick(0, m_letterCount - 1)];
    }

    std::string Number(int low, int high) { return std::to_string(Pick(low, high)); }

    // a*x+b, x-y, x, 2*x-3*y, ...
    std::string Linear() {
        std::string text = Pick(0, 2) == 0 ? Cat({Number(2, 4), "*", Letter()}) : Letter();
        switch (Pick(0, 3)) {
        case 0:
            return text;
        case 1:
            if (m_letterCount > 1) {
                return Cat({text, Pick(0, 1) ? "+" : "-", Letter()});
            }
            [[fallthrough]];
        default:
            return Cat({text, Pick(0, 1) ? "+" : "-", Number(1, 5)});
        }
    }

    std::string Numerator() {
        switch (Pick(0, 3)) {
        case 0:
            return Number(1, 6);
        case 1:
            return Linear();
        case 2:
            return Cat({Letter(), "^2", Pick(0, 1) ? "+" : "-", Number(1, 9)});
        default:
            return Cat({Letter(), "*", Letter(), Pick(0, 1) ? "+" : "-", Linear()});
        }
    }

    std::string Denominator() {
        switch (Pick(0, 4)) {
        case 0:
            return Letter();
        case 1:
            return Cat({"(", Linear(), ")"});
        case 2:
            return Cat({"(", Linear(), ")*(", Linear(), ")"});
        case 3:
            return Cat({"(", Linear(), ")^2"});
        default:
            return Cat({"(", Letter(), "^2-", m_letterCount > 1 ? Letter() : Number(1, 3), "^2)"});
        }
    }

    std::string Fraction() { return Cat({"(", Numerator(), ")/(", Denominator(), ")"}); }

    std::string SumOfFractions(int count) {
        m_letterCount = Pick(1, 3);
        std::string text = Fraction();
        for (int i = 1; i < count; ++i) {
            text += Pick(0, 1) ? "+" : "-";
            text += Fraction();
        }
        return text;
    }

    std::string PowerOfSum() {
        m_letterCount = Pick(1, 3);
        const std::string power = Cat({"(", Linear(), ")^", Number(2, 5)});
        switch (Pick(0, 2)) {
        case 0:
            return Cat({power, "-(", Linear(), ")^", Number(2, 5)});
        case 1:
            return Cat({power, "/(", Linear(), ")"});
        default:
            return Cat({power, "*(", Numerator(), ")"});
        }
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937 m_random;
    int m_letterCount = 1;
};
