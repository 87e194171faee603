#pragma once

// A solution: the output records in display order, owned by the list. The solvers append and
// insert records; the view, the printer and the voice only read them. A solver that tries a
// tentative branch (a sub-equation, a substitution) records it in a second list and appends that
// list when the branch is kept.

#include "output/COutputRecord.h"

#include <cstddef>
#include <list>
#include <memory>
#include <optional>
#include <string>

class COutputList {
public:
    using RecordList = std::list<std::unique_ptr<COutputRecord>>;
    // A position handle of a record; it stays valid until that record is removed. Functions that
    // insert "after a position" take an optional one: no position means the front of the list.
    using Position = RecordList::iterator;
    using ConstPosition = RecordList::const_iterator;

    COutputList() = default;
    COutputList(const COutputList&) = delete;
    COutputList& operator=(const COutputList&) = delete;

    // Make a one-block record (with a copy of lineBlocks when it is not null) and append it;
    // return its position.
    Position AddFormula(const LineBlockList* lineBlocks, std::string text, bool spoken);
    Position AddComment(const LineBlockList* lineBlocks, CommentIDType id, bool alwaysShown, bool spoken);
    // Append a record made elsewhere; a null record is not added and end() is returned.
    Position AddRecord(std::unique_ptr<COutputRecord> record);

    // Insert record after position, or at the front when there is no position; return the new
    // position. position must belong to this list. A null record is not added and end() is
    // returned.
    Position InsertAfter(std::optional<Position> position, std::unique_ptr<COutputRecord> record);
    Position InsertFormulaAfter(const LineBlockList* lineBlocks, std::optional<Position> position,
                                std::string text, bool spoken);
    Position InsertCommentAfter(const LineBlockList* lineBlocks, std::optional<Position> position,
                                CommentIDType id, bool alwaysShown, bool spoken);

    // Move: the records of other go to the end of this list in order and other is left empty.
    // Copy: a deep copy of every record of other is appended and other is unchanged. Appending a
    // list to itself moves nothing, and copies each record once.
    void AppendList(COutputList& other, ListTransfer transfer);

    // Delete every record and its blocks.
    void RemoveAll() { m_records.clear(); }

    std::size_t Size() const { return m_records.size(); }
    bool IsEmpty() const { return m_records.empty(); }
    const RecordList& Records() const { return m_records; }
    Position begin() { return m_records.begin(); }
    Position end() { return m_records.end(); }
    ConstPosition begin() const { return m_records.begin(); }
    ConstPosition end() const { return m_records.end(); }

private:
    RecordList m_records;
};
