#include "output/COutputRecord.h"

COutputRecord::COutputRecord(const LineBlockList* lineBlocks) {
    if (lineBlocks != nullptr) {
        this->lineBlocks = *lineBlocks;
    }
}

COutputRecord::COutputRecord(const LineBlockList* lineBlocks, std::unique_ptr<OutputBlock> block)
    : COutputRecord(lineBlocks) {
    if (block) {
        m_blocks.push_back(std::move(block));
    }
}

COutputRecord::COutputRecord(COutputRecord& other, ListTransfer transfer) : lineBlocks(other.lineBlocks) {
    if (transfer == ListTransfer::Move) {
        m_blocks.splice(m_blocks.end(), other.m_blocks);
        return;
    }
    for (const auto& block : other.m_blocks) {
        m_blocks.push_back(block->Clone());
    }
}

std::unique_ptr<COutputRecord> COutputRecord::Clone() const {
    auto copy = std::make_unique<COutputRecord>(&lineBlocks);
    for (const auto& block : m_blocks) {
        copy->m_blocks.push_back(block->Clone());
    }
    return copy;
}

COutputRecord::Position COutputRecord::AddFormula(std::string text, bool spoken) {
    return AddBlock(std::make_unique<OutputBlockFormula>(std::move(text), spoken));
}

COutputRecord::Position COutputRecord::AddComment(CommentIDType id, bool alwaysShown, bool spoken) {
    return AddBlock(std::make_unique<OutputBlockComment>(id, alwaysShown, spoken));
}

COutputRecord::Position COutputRecord::AddBlock(std::unique_ptr<OutputBlock> block) {
    if (!block) {
        return m_blocks.end();
    }
    m_blocks.push_back(std::move(block));
    return std::prev(m_blocks.end());
}

bool COutputRecord::IsFormulaOnly() const {
    return m_blocks.size() == 1 && m_blocks.front()->IsFormula();
}

std::size_t COutputRecord::IndentLevel() const {
    return lineBlocks.empty() ? 0 : lineBlocks.size() - 1;
}

std::size_t COutputRecord::FormulaTextSize() const {
    std::size_t size = 0;
    for (const auto& block : m_blocks) {
        if (const OutputBlockFormula* formula = block->AsFormula()) {
            size += formula->text.size();
        }
    }
    return size;
}
