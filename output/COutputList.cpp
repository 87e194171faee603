#include "output/COutputList.h"

#include <iterator>

namespace {

std::unique_ptr<COutputRecord> MakeFormulaRecord(const LineBlockList* lineBlocks, std::string text,
                                                 bool spoken) {
    return std::make_unique<COutputRecord>(lineBlocks,
                                           std::make_unique<OutputBlockFormula>(std::move(text), spoken));
}

std::unique_ptr<COutputRecord> MakeCommentRecord(const LineBlockList* lineBlocks, CommentIDType id,
                                                 bool alwaysShown, bool spoken) {
    return std::make_unique<COutputRecord>(lineBlocks,
                                           std::make_unique<OutputBlockComment>(id, alwaysShown, spoken));
}

} // namespace

COutputList::Position COutputList::AddFormula(const LineBlockList* lineBlocks, std::string text,
                                              bool spoken) {
    return AddRecord(MakeFormulaRecord(lineBlocks, std::move(text), spoken));
}

COutputList::Position COutputList::AddComment(const LineBlockList* lineBlocks, CommentIDType id,
                                              bool alwaysShown, bool spoken) {
    return AddRecord(MakeCommentRecord(lineBlocks, id, alwaysShown, spoken));
}

COutputList::Position COutputList::AddRecord(std::unique_ptr<COutputRecord> record) {
    if (!record) {
        return m_records.end();
    }
    m_records.push_back(std::move(record));
    return std::prev(m_records.end());
}

COutputList::Position COutputList::InsertAfter(std::optional<Position> position,
                                               std::unique_ptr<COutputRecord> record) {
    if (!record) {
        return m_records.end();
    }
    const Position before = position ? std::next(*position) : m_records.begin();
    return m_records.insert(before, std::move(record));
}

COutputList::Position COutputList::InsertFormulaAfter(const LineBlockList* lineBlocks,
                                                      std::optional<Position> position, std::string text,
                                                      bool spoken) {
    return InsertAfter(position, MakeFormulaRecord(lineBlocks, std::move(text), spoken));
}

COutputList::Position COutputList::InsertCommentAfter(const LineBlockList* lineBlocks,
                                                      std::optional<Position> position, CommentIDType id,
                                                      bool alwaysShown, bool spoken) {
    return InsertAfter(position, MakeCommentRecord(lineBlocks, id, alwaysShown, spoken));
}

void COutputList::AppendList(COutputList& other, ListTransfer transfer) {
    if (transfer == ListTransfer::Move) {
        if (&other != this) {
            m_records.splice(m_records.end(), other.m_records);
        }
        return;
    }
    // Count first, so that appending a list to itself stops at the records it had.
    std::size_t count = other.m_records.size();
    for (auto it = other.m_records.begin(); count > 0; ++it, --count) {
        m_records.push_back((*it)->Clone());
    }
}
