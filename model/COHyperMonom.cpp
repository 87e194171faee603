#include "model/COHyperMonom.h"

#include "model/COperationListOps.h"

void COHyperMonom::WriteBody(std::string& text, TextContext context) const {
    WriteFractionList(*this, text, context, true);
}
