#include "model/COLevelAddition.h"

COLevelAddition::~COLevelAddition() {
    DeleteChildren();
}

COLevelAddition::COLevelAddition(const COLevelAddition& other)
    : COAddition(other), plainTermCount(other.plainTermCount), fractionTermCount(other.fractionTermCount),
      plainStage(other.plainStage), fractionStage(other.fractionStage) {}

void COLevelAddition::DetachChildren(std::vector<NodePtr>& out) {
    if (commonDenominator) {
        out.push_back(std::move(commonDenominator));
    }
    COAddition::DetachChildren(out);
}
