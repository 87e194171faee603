#pragma once

// A sum of rational monomials worked on one visible step at a time: the terms without denominator
// stand first, the terms with a denominator after them, and each part has its own stage.

#include "model/COAddition.h"

class COLevelAddition : public COAddition {
public:
    // The stages of the part without denominators, in the order the stepping goes through them
    // (solver/simplify/LevelAdditionSteps.cpp). The first four multiply each term out.
    enum class PlainStage {
        ExpandPowers,         // single-term factors joined, powers written out by their formulas
        MultiplyHigherPowers, // a factor with exponent above 1 multiplied once into a neighbour
        MultiplyFirstTwo,     // the first two factors of every term multiplied
        NormalizeProducts,    // raw products normalized
        AddTerms,             // the terms added into one polynomial
        NormalizeSum,         // that polynomial normalized
        Finished,             // the part is empty or done
    };
    // The stages of the part with denominators.
    enum class FractionStage {
        SplitMonomialFactors,      // monomial factors split, equal factors merged
        SplitSharedDenominators,   // denominators sharing a common factor split
        MergeSplitFactors,         // the equal factors of the split merged
        ExtendToCommonDenominator, // every term brought to the common denominator
        JoinOverCommonDenominator, // one fraction over the common denominator
        // The numerator multiplied out in the four steps that multiply out the plain part.
        ExpandNumeratorPowers,
        MultiplyNumeratorHigherPowers,
        MultiplyNumeratorFirstTwo,
        NormalizeNumeratorProducts,
        AddNumerator,       // the numerator terms added, one rational monomial left
        NormalizeNumerator, // its polynomials normalized
        Finished,           // the part is empty or done
    };

    COLevelAddition() = default;
    ~COLevelAddition() override;

    NodeType GetType() const override { return NodeType::LevelAddition; }
    // Copies the counts and stages, not the common denominator.
    NodePtr Clone() const override { return std::make_unique<COLevelAddition>(*this); }
    void DetachChildren(std::vector<NodePtr>& out) override;

    std::int32_t plainTermCount = 0;    // terms without denominator
    std::int32_t fractionTermCount = 0; // terms with a denominator
    PlainStage plainStage = PlainStage::ExpandPowers;
    FractionStage fractionStage = FractionStage::SplitMonomialFactors;
    // The common denominator (a hyper-monomial) while the terms with a denominator are being
    // brought to it; otherwise null. Freed with the node.
    NodePtr commonDenominator;

    // A deep copy, as Clone makes it (comments are not copied).
    COLevelAddition(const COLevelAddition& other);

    // The two counts are not negative and add up to the number of terms.
    bool CountsMatchTerms() const {
        return plainTermCount >= 0 && fractionTermCount >= 0 &&
               plainTermCount + fractionTermCount == GetCount();
    }

    // A plain sum of more than one term, every term a hyper-monomial.
    static bool Qualifies(const COperation& node);
    // Builds the level sum in place: the terms without denominator keep their order at the front,
    // the terms with a denominator follow in theirs; the counts are set, each part's stage is its
    // first or, when the part is empty, Finished; CommentID::TermsReordered when a term without
    // denominator stood after one with a denominator. Returns the new node.
    static COLevelAddition* Build(NodeHandle handle);
};
