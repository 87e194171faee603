#include "model/COAddition.h"

#include "model/COperationListOps.h"

COAddition::COAddition(NodePtr first, std::int32_t sign) {
    AddTail(std::move(first), sign);
}

COAddition::~COAddition() {
    DeleteChildren();
}

COAddition::COAddition(const COAddition& other) : COperation(other), COperationList() {
    CloneCellsFrom(other);
}

NodePtr COAddition::Clone() const {
    return std::make_unique<COAddition>(*this);
}

bool COAddition::IsEqual(const COperation& other) const {
    return IsEqualSumList(*this, other);
}

bool COAddition::HasZeroDivisor() const {
    return SumListHasZeroDivisor(*this);
}

bool COAddition::IsDefined() const {
    return ListIsDefined(*this);
}

void COAddition::WriteBody(std::string& text, TextContext context) const {
    WriteSumList(*this, text, context);
}
