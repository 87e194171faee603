#include "model/COLevelMultiplication.h"

#include "model/COperationListOps.h"

void COLevelMultiplication::WriteBody(std::string& text, TextContext context) const {
    if (replacedType == NodeType::Multiplication) {
        WriteProductList(*this, text, context);
    } else {
        WriteFractionList(*this, text, context, false);
    }
}
