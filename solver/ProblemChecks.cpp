#include "solver/ProblemChecks.h"
#include "model/NodeCast.h"

#include "model/COAddition.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/Walkers.h"
#include "output/ProblemError.h"
#include "solver/CExpression.h"

namespace {

// Every class of the power family derives from COPower.
COPower* AsPower(COperation* node) {
    return node && node->GetFamily() == NodeFamily::Power ? &NodeAs<COPower>(*node) : nullptr;
}

// x^{-2} is parsed as a power whose exponent is the sum "-2" of one operand: the number 2 with
// sign -1. The sum goes and the number takes the sign.
void FoldExponentAt(NodeHandle handle) {
    COPower* power = AsPower(handle->get());
    if (!power || !power->Exponent() || power->Exponent()->GetFamily() != NodeFamily::Addition) {
        return;
    }
    COperationList* sum = power->Exponent()->AsList();
    if (sum->GetCount() != 1 || !AsNumber(sum->GetAt(1))) {
        return;
    }
    const std::int32_t sign = sum->GetSignAt(1);
    NodePtr number = sum->RemoveHead();
    if (sign < 0) {
        AsNumber(number.get())->Value().Negate();
    }
    power->ExponentSlot() = std::move(number);
}

void TestExponentAt(NodeHandle handle, std::int32_t* flag) {
    const COPower* power = AsPower(handle->get());
    if (!power) {
        return;
    }
    const CONumber* exponent = AsNumber(power->Exponent());
    if (!exponent || !exponent->Value().IsInteger()) {
        *flag = 1;
    }
}

} // namespace

void FoldNegativeExponents(CExpression& workspace) {
    if (!workspace.Root()) {
        return;
    }
    CSimpleMethod method(FoldExponentAt);
    WalkPlain(workspace.RootSlot(), method);
}

void CheckExponents(CExpression& workspace) {
    if (!workspace.Root()) {
        return;
    }
    CTestMethod method(TestExponentAt, 0);
    WalkPlain(workspace.RootSlot(), method);
    if (method.Flag() != 0) {
        workspace.SetError(ProblemError::ExponentNotInteger);
    }
}
