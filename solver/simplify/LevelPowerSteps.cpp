// The stage machine of a level power: (a/b)^n -> a^n/b^n, one visible step at a time.
//
//   DistributeExponent  ({x+1}/x)^3   -> (x+1)^3/x^3   every factor P^e becomes P^(e*n), written as
//                                                      a product of the two numbers when e is not 1
//   FoldExponents       (x+1)^{2*3}   -> (x+1)^6       products of exponents folded, constants raised
//   ReplaceByBase       the level power is replaced by its base

#include "model/CNumber.h"
#include "model/COHyperMonom.h"
#include "model/COLevelPower.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/NodeCast.h"
#include "solver/SimplifySupport.h"
#include "solver/simplify/HyperMonomSteps.h"
#include "solver/simplify/LevelSteps.h"

namespace {

void DistributeExponent(COLevelPower& power) {
    auto& base = NodeAs<COHyperMonom>(*power.Base());
    const CNumber exponent = AsNumber(power.Exponent())->Value();
    for (ListCell& cell : base) {
        auto& factor = NodeAs<COPower>(*cell.child);
        if (IsNumberValue(factor.Exponent(), 1)) {
            factor.ExponentSlot() = MakeNumber(exponent);
        } else {
            auto product = std::make_unique<COMultiplication>(std::move(factor.ExponentSlot()), 1);
            product->AddTail(MakeNumber(exponent), 1);
            factor.ExponentSlot() = std::move(product);
        }
    }
    power.ExponentSlot() = MakeNumber(1);
    if (base.GetCount() > 1) {
        power.AddComment(CommentID::PowersJoined);
    }
}

void FoldExponents(COLevelPower& power) {
    auto& base = NodeAs<COHyperMonom>(*power.Base());
    for (ListCell& cell : base) {
        auto& factor = NodeAs<COPower>(*cell.child);
        if (factor.Exponent()->GetType() == NodeType::Multiplication) {
            CNumber value(1);
            for (const ListCell& part : *factor.Exponent()->AsList()) {
                value.MultiplyInPlace(AsNumber(part.child.get())->Value());
            }
            factor.ExponentSlot() = MakeNumber(value);
        }
        const CNumber exponent = AsNumber(factor.Exponent())->Value();
        auto& polynom = NodeAs<COPolynom>(*factor.Base());
        if (polynom.IsConstant() && !exponent.IsOne()) {
            const CNumber raised = polynom.Value().ConstantValue().PowerOf(exponent).value_or(CNumber(1));
            cell.child = MakeConstantFactor(raised, CNumber(1));
        }
    }
}

} // namespace

bool StepLevelPower(NodeHandle handle) {
    auto& power = NodeAs<COLevelPower>(**handle);
    switch (power.stage) {
    case COLevelPower::Stage::DistributeExponent:
        DistributeExponent(power);
        power.stage = COLevelPower::Stage::FoldExponents;
        return true;
    case COLevelPower::Stage::FoldExponents:
        FoldExponents(power);
        power.stage = COLevelPower::Stage::ReplaceByBase;
        return true;
    case COLevelPower::Stage::ReplaceByBase: {
        NodePtr base = std::move(power.BaseSlot());
        ReplaceNode(handle, std::move(base));
        return true;
    }
    }
    return true;
}
