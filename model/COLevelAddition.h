#pragma once

// A sum of rational monomials worked on one visible step at a time: the terms without denominator
// stand first, the terms with a denominator after them, and each part has its own stage.

#include "model/COAddition.h"

class COLevelAddition : public COAddition {
public:
    // Stage values at which a part is empty or finished.
    static constexpr std::int32_t kPlainPartFinished = 6;
    static constexpr std::int32_t kFractionPartFinished = 11;

    COLevelAddition() = default;
    ~COLevelAddition() override;

    NodeType GetType() const override { return NodeType::LevelAddition; }
    // Copies the counts and stages, not the common denominator.
    NodePtr Clone() const override { return std::make_unique<COLevelAddition>(*this); }
    void DetachChildren(std::vector<NodePtr>& out) override;

    std::int32_t plainTermCount = 0;    // terms without denominator
    std::int32_t fractionTermCount = 0; // terms with a denominator
    std::int32_t plainStage = 0;        // kPlainPartFinished when that part is empty or done
    std::int32_t fractionStage = 0;     // kFractionPartFinished when that part is empty or done
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
    // the terms with a denominator follow in theirs; the counts are set, each part's stage is 0 or
    // its finished value when the part is empty; comment 10 when a term without denominator stood
    // after one with a denominator. Returns the new node.
    static COLevelAddition* Build(NodeHandle handle);
};
