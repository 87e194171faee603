#pragma once

// Helpers that let polynomial tests read as maths: Poly("3x^2y - 1/2x + 4") builds a value,
// Text(p) writes it back, RandomPoly draws small random polynomials, Evaluate computes a value
// independently of the code under test.

#include "model/CNumber.h"
#include "model/CPolynomValue.h"
#include "tests/support/NumberTestSupport.h"

#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace polytest {

using Point = std::vector<std::pair<unsigned char, CNumber>>;

using numtest::Num;

// Grammar: poly := [sign] term {sign term}; term := [integer ["/" integer]] ["*"] {letter ["^" integer]
// ["*"]}.
inline CPolynomValue Poly(const std::string& text) {
    CPolynomValue result;
    std::size_t at = 0;
    auto skip = [&] {
        while (at < text.size() && text[at] == ' ') {
            ++at;
        }
    };
    auto integer = [&] {
        std::int64_t value = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
            value = value * 10 + (text[at++] - '0');
        }
        return value;
    };
    while (true) {
        skip();
        if (at >= text.size()) {
            break;
        }
        int sign = 1;
        if (text[at] == '+' || text[at] == '-') {
            sign = text[at] == '-' ? -1 : 1;
            ++at;
            skip();
        }
        PolynomTerm term{CNumber(sign), {}};
        if (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
            std::int64_t numerator = integer();
            std::int64_t denominator = 1;
            if (at < text.size() && text[at] == '/') {
                ++at;
                denominator = integer();
            }
            term.coefficient =
                Num(static_cast<std::int32_t>(sign * numerator), static_cast<std::int32_t>(denominator));
        }
        std::vector<LetterPower> powers;
        while (at < text.size() && (std::isalpha(static_cast<unsigned char>(text[at])) || text[at] == '*')) {
            if (text[at] == '*') {
                ++at;
                continue;
            }
            const auto letter = static_cast<unsigned char>(text[at++]);
            std::int64_t exponent = 1;
            if (at < text.size() && text[at] == '^') {
                ++at;
                exponent = integer();
            }
            PolynomTerm factor{CNumber(1), exponent > 0 ? LetterPowers{{letter, exponent}} : LetterPowers{}};
            term.powers = MultiplyPowers(term.powers, factor.powers);
        }
        result.Append(std::move(term));
    }
    result.Normalize();
    return result;
}

inline std::string Text(const CPolynomValue& p) {
    if (p.IsZero()) {
        return "0";
    }
    std::string text;
    for (const PolynomTerm& term : p.Terms()) {
        std::string coefficient = term.coefficient.ToText();
        if (!text.empty() && coefficient[0] != '-') {
            text += "+";
        }
        if (!term.powers.empty() && (term.coefficient.Equal(1) || term.coefficient.Equal(-1))) {
            text += term.coefficient.Sign() < 0 ? "-" : "";
        } else {
            text += coefficient;
        }
        for (const LetterPower& power : term.powers) {
            text += static_cast<char>(power.letter);
            if (power.exponent != 1) {
                text += '^';
                text += std::to_string(power.exponent);
            }
        }
    }
    return text;
}

// Value at a point, computed term by term with the number type alone.
inline CNumber Evaluate(const CPolynomValue& p, const Point& point) {
    CNumber total(0);
    for (const PolynomTerm& term : p.Terms()) {
        CNumber value(term.coefficient);
        for (const LetterPower& power : term.powers) {
            CNumber base(0);
            for (const auto& entry : point) {
                if (entry.first == power.letter) {
                    base = entry.second;
                }
            }
            for (std::int64_t i = 0; i < power.exponent; ++i) {
                value.MultiplyInPlace(base);
            }
        }
        total.AddInPlace(value);
    }
    return total;
}

// A small random polynomial in up to `letters` of the letters x, y, z: 1 to `maxTerms` terms,
// exponents up to `maxExponent`, coefficients small integers or (one time in four) small fractions.
inline CPolynomValue RandomPoly(std::mt19937& generator, int letters, bool fractions = true, int maxTerms = 5,
                                int maxExponent = 3) {
    std::uniform_int_distribution<int> termCount(1, maxTerms);
    std::uniform_int_distribution<int> exponent(0, maxExponent);
    std::uniform_int_distribution<int> coefficient(-6, 6);
    std::uniform_int_distribution<int> denominator(2, 5);
    std::uniform_int_distribution<int> quarter(0, 3);
    CPolynomValue result;
    const int count = termCount(generator);
    for (int t = 0; t < count; ++t) {
        int c = coefficient(generator);
        if (c == 0) {
            c = 1;
        }
        PolynomTerm term{fractions && quarter(generator) == 0 ? Num(c, denominator(generator)) : Num(c), {}};
        for (int l = 0; l < letters; ++l) {
            const int e = exponent(generator);
            if (e > 0) {
                term.powers.push_back({static_cast<unsigned char>("xyz"[l]), e});
            }
        }
        result.Append(std::move(term));
    }
    result.Normalize();
    return result;
}

// A sparse random polynomial in the first `letters` of w, x, y, z with `terms` terms, exponents up
// to `maxExponent` in each letter and integer coefficients up to `largest` in size.
inline CPolynomValue RandomIntegerPoly(std::mt19937& generator, int letters, int terms, int maxExponent,
                                       int largest) {
    static const unsigned char names[] = {'w', 'x', 'y', 'z'};
    std::uniform_int_distribution<int> coefficient(1, largest);
    std::uniform_int_distribution<int> sign(0, 1);
    std::uniform_int_distribution<int> exponent(0, maxExponent);
    CPolynomValue result;
    for (int t = 0; t < terms; ++t) {
        LetterPowers powers;
        for (int l = 0; l < letters; ++l) {
            if (const int e = exponent(generator); e > 0) {
                powers.push_back({names[l], e});
            }
        }
        result.Append({CNumber(sign(generator) ? coefficient(generator) : -coefficient(generator)), powers});
    }
    result.Normalize();
    return result;
}

inline Point RandomPoint(std::mt19937& generator) {
    std::uniform_int_distribution<int> numerator(-9, 9);
    std::uniform_int_distribution<int> denominator(1, 4);
    return {{'x', Num(numerator(generator), denominator(generator))},
            {'y', Num(numerator(generator), denominator(generator))},
            {'z', Num(numerator(generator), denominator(generator))}};
}

// "name = text, name = text, ..." for the traces of random tests.
inline std::string Describe(std::initializer_list<std::pair<const char*, const CPolynomValue*>> items) {
    std::string text;
    for (const auto& [name, value] : items) {
        if (!text.empty()) {
            text += ", ";
        }
        text += name;
        text += " = ";
        text += Text(*value);
    }
    return text;
}

} // namespace polytest
