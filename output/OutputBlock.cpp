#include "output/OutputBlock.h"

const OutputBlockFormula* OutputBlock::AsFormula() const {
    return IsFormula() ? static_cast<const OutputBlockFormula*>(this) : nullptr;
}

const OutputBlockComment* OutputBlock::AsComment() const {
    return IsComment() ? static_cast<const OutputBlockComment*>(this) : nullptr;
}

OutputBlockFormula* OutputBlock::AsFormula() {
    return IsFormula() ? static_cast<OutputBlockFormula*>(this) : nullptr;
}

OutputBlockComment* OutputBlock::AsComment() {
    return IsComment() ? static_cast<OutputBlockComment*>(this) : nullptr;
}

std::unique_ptr<OutputBlock> OutputBlockFormula::Clone() const {
    return std::make_unique<OutputBlockFormula>(text, spoken);
}

std::unique_ptr<OutputBlock> OutputBlockComment::Clone() const {
    return std::make_unique<OutputBlockComment>(id, alwaysShown, spoken);
}
