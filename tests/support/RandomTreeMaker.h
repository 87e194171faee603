#pragma once

// Random plain formula trees for the property tests of the model: sums, products, fractions and
// powers over number leaves and, when asked, letters and number literals. No roots, relations,
// cross-outs or negative number leaves (those have no form of their own in the text the parser
// reads). A list of one element always has the sign -1: with +1 it is written as that element alone
// and read back without the list.

#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "tests/support/NumberTestSupport.h"

#include <cstdint>
#include <memory>
#include <random>
#include <utility>

struct RandomTreeShape {
    // Letters a to d among the leaves, and exponents that are trees themselves; otherwise the
    // leaves are the whole numbers 0 to 9 and the exponents whole numbers of the range below.
    bool letters = false;
    int lowestExponent = 0;
    int highestExponent = 3;
    int longestList = 3;
};

class RandomTreeMaker {
public:
    RandomTreeMaker(unsigned seed, RandomTreeShape shape) : m_random(seed), m_shape(shape) {}

    NodePtr Make(int depth) {
        switch (Pick(depth <= 0 ? 0 : 4)) {
        case 1:
            return List(std::make_unique<COAddition>(), depth);
        case 2:
            return List(std::make_unique<COMultiplication>(), depth);
        case 3:
            return Fraction(depth);
        case 4:
            return Power(depth);
        default:
            return Leaf();
        }
    }

private:
    int Pick(int upTo) { return std::uniform_int_distribution<int>(0, upTo)(m_random); }

    NodePtr Leaf() {
        if (!m_shape.letters) {
            return std::make_unique<CONumber>(Pick(9));
        }
        switch (Pick(7)) {
        case 0:
            return std::make_unique<CONumber>(numtest::Num("0,5"));
        case 1:
            return std::make_unique<CONumber>(numtest::Num("3/4"));
        case 2:
        case 3:
            return std::make_unique<COVariable>(static_cast<char>('a' + Pick(3)));
        default:
            return std::make_unique<CONumber>(Pick(12));
        }
    }

    NodePtr Power(int depth) {
        NodePtr base = Make(depth - 1);
        NodePtr exponent =
            m_shape.letters
                ? Make(depth - 1)
                : std::make_unique<CONumber>(m_shape.lowestExponent +
                                             Pick(m_shape.highestExponent - m_shape.lowestExponent));
        return std::make_unique<COPower>(std::move(base), std::move(exponent));
    }

    NodePtr List(NodePtr node, int depth) {
        const int count = 1 + Pick(m_shape.longestList - 1);
        for (int i = 0; i < count; ++i) {
            node->AsList()->AddTail(Make(depth - 1), count == 1 || Pick(2) == 0 ? -1 : 1);
        }
        return node;
    }

    // With letters, a denominator is never an integer leaf: an integer over an integer is written
    // as the number literal it then reads back as.
    NodePtr Fraction(int depth) {
        auto fraction = std::make_unique<COFraction>();
        const int above = Pick(2);
        const int below = 1 + Pick(1);
        for (int i = 0; i < above; ++i) {
            fraction->AddTail(Make(depth - 1), 1);
        }
        for (int i = 0; i < below; ++i) {
            NodePtr denominator = Make(depth - 1);
            const CONumber* number = AsNumber(denominator.get());
            if (m_shape.letters && number != nullptr && number->Value().IsInteger()) {
                denominator = std::make_unique<COVariable>('z');
            }
            fraction->AddTail(std::move(denominator), -1);
        }
        return fraction;
    }

    std::mt19937 m_random;
    RandomTreeShape m_shape;
};
