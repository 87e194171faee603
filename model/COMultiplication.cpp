#include "model/COMultiplication.h"

#include "model/COperationListOps.h"

COMultiplication::COMultiplication(NodePtr first, std::int32_t sign) {
    AddTail(std::move(first), sign);
}

COMultiplication::~COMultiplication() {
    DeleteChildren();
}

COMultiplication::COMultiplication(const COMultiplication& other) : COperation(other), COperationList() {
    CloneCellsFrom(other);
}

NodePtr COMultiplication::Clone() const {
    return std::make_unique<COMultiplication>(*this);
}

bool COMultiplication::IsEqual(const COperation& other) const {
    return IsEqualProductList(*this, other);
}

bool COMultiplication::HasZeroDivisor() const {
    return ProductListHasZeroDivisor(*this);
}

bool COMultiplication::IsDefined() const {
    return ListIsDefined(*this);
}

void COMultiplication::WriteBody(std::string& text, TextContext context) const {
    WriteProductList(*this, text, context);
}
