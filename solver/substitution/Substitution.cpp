#include "solver/substitution/Substitution.h"

#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/CORoot.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"
#include "solver/Methods.h"

#include <algorithm>
#include <limits>

char NewLetterFor(char unknown) {
    return unknown == 't' ? 'z' : 't';
}

char FirstPairLetterFor(char unknown) {
    return unknown == 'A' || unknown == 'B' ? 'X' : 'A';
}

char SecondPairLetterFor(char unknown) {
    return unknown == 'A' || unknown == 'B' ? 'Y' : 'B';
}

namespace {

std::int64_t AbsoluteValueBounded(const CNumber& value) {
    constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
    CNumber magnitude = value;
    if (magnitude.Sign() < 0) {
        magnitude.Negate();
    }
    if (magnitude.GreaterEqual(kTop)) {
        return kTop;
    }
    magnitude.TruncateToInteger();
    return magnitude.ToInt();
}

// Iterative walk over every node: deep trees must not exhaust the stack.
std::int64_t LargestNumberLeaf(const COperation& root) {
    std::int64_t largest = 0;
    std::vector<const COperation*> pending{&root};
    while (!pending.empty()) {
        const COperation* node = pending.back();
        pending.pop_back();
        if (const COperationList* list = node->AsList()) {
            for (const ListCell& cell : list->GetCells()) {
                pending.push_back(cell.child.get());
            }
        } else if (node->GetFamily() == NodeFamily::Number) {
            largest = std::max(largest, AbsoluteValueBounded(NodeAs<CONumber>(*node).Value()));
        } else if (node->GetFamily() == NodeFamily::Power) {
            const auto& power = NodeAs<COPower>(*node);
            pending.push_back(power.Base());
            pending.push_back(power.Exponent());
        } else if (node->GetFamily() == NodeFamily::Root) {
            pending.push_back(NodeAs<CORoot>(*node).Radicand());
        } else if (node->GetFamily() == NodeFamily::Relation) {
            const auto& relation = NodeAs<CORelation>(*node);
            pending.push_back(relation.Left());
            pending.push_back(relation.Right());
        }
    }
    return largest;
}

} // namespace

std::int64_t SubstitutionSize(const COperation& node) {
    return LargestNumberLeaf(node) + CountOperations(node);
}
