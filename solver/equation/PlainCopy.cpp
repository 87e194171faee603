#include "solver/equation/PlainCopy.h"

#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "model/Walkers.h"
#include "solver/Methods.h"
#include "solver/simplify/LevelSteps.h"

namespace {

void DropFirstPower(NodeHandle handle) {
    if ((*handle)->GetType() != NodeType::Power) {
        return;
    }
    auto& power = NodeAs<COPower>(**handle);
    const CONumber* exponent = AsNumber(power.Exponent());
    if (exponent && exponent->Value().IsOne() && power.Base()) {
        NodePtr base = std::move(power.BaseSlot());
        *handle = std::move(base);
    }
}

} // namespace

void MakePlain(NodeHandle handle) {
    UnbuildLevelSums(handle);
    UnbuildHyperMonoms(handle);
    UnbuildPolynoms(handle);
    UnbuildMonoms(handle);
    CSimpleMethod method(DropFirstPower);
    WalkPlainPost(handle, method);
}

NodePtr PlainCopy(const COperation& node) {
    NodePtr copy = node.Clone();
    MakePlain(&copy);
    return copy;
}
