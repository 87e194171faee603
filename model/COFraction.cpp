#include "model/COFraction.h"

#include "model/COperationListOps.h"

COFraction::COFraction(NodePtr first, std::int32_t sign) {
    AddTail(std::move(first), sign);
}

COFraction::~COFraction() {
    DeleteChildren();
}

COFraction::COFraction(const COFraction& other) : COperation(other), COperationList() {
    CloneCellsFrom(other);
}

NodePtr COFraction::Clone() const {
    return std::make_unique<COFraction>(*this);
}

bool COFraction::IsEqual(const COperation& other) const {
    return IsEqualProductList(*this, other);
}

bool COFraction::HasZeroDivisor() const {
    return ProductListHasZeroDivisor(*this);
}

bool COFraction::IsDefined() const {
    return ListIsDefined(*this);
}

void COFraction::WriteBody(std::string& text, TextContext context) const {
    WriteFractionList(*this, text, context, false);
}
