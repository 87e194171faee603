#include "model/COVariable.h"

bool COVariable::IsEqual(const COperation& other) const {
    return other.GetType() == NodeType::Variable && static_cast<const COVariable&>(other).letter == letter;
}
