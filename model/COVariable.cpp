#include "model/COVariable.h"
#include "model/NodeCast.h"

bool COVariable::IsEqual(const COperation& other) const {
    return other.GetType() == NodeType::Variable && NodeAs<COVariable>(other).m_letter == m_letter;
}
