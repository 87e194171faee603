#include "model/COperationList.h"

#include <iterator>
#include <utility>

COperationList::~COperationList() {
    // Children are freed one cell after another; each subtree frees itself without recursing
    // into its own lists.
    std::vector<NodePtr> pending;
    DetachCells(pending);
    DestroySubtrees(pending);
}

COperationList::Position COperationList::PositionAt(std::int32_t index) {
    if (index < 1 || index > GetCount()) {
        return cells.end();
    }
    return std::next(cells.begin(), index - 1);
}

COperationList::ConstPosition COperationList::PositionAt(std::int32_t index) const {
    if (index < 1 || index > GetCount()) {
        return cells.end();
    }
    return std::next(cells.begin(), index - 1);
}

void COperationList::NegateAt(std::int32_t index) {
    Position position = PositionAt(index);
    if (position != cells.end()) {
        position->sign = -position->sign;
    }
}

void COperationList::NegateAll() {
    for (ListCell& cell : cells) {
        cell.sign = -cell.sign;
    }
}

std::int32_t COperationList::AddTail(NodePtr child, std::int32_t sign) {
    cells.push_back(ListCell{std::move(child), sign});
    return GetCount();
}

void COperationList::AddHead(NodePtr child, std::int32_t sign) {
    cells.push_front(ListCell{std::move(child), sign});
}

bool COperationList::InsertAt(NodePtr& child, std::int32_t sign, std::int32_t index) {
    const std::int32_t count = GetCount();
    if (index < 0 || index > count + 1) {
        return false;
    }
    Position before = (index == 0 || index == count + 1) ? cells.end() : PositionAt(index);
    cells.insert(before, ListCell{std::move(child), sign});
    return true;
}

COperationList::Position COperationList::InsertBefore(Position position, NodePtr child, std::int32_t sign) {
    return cells.insert(position, ListCell{std::move(child), sign});
}

COperationList::Position COperationList::InsertAfter(Position position, NodePtr child, std::int32_t sign) {
    Position before = position == cells.end() ? cells.begin() : std::next(position);
    return cells.insert(before, ListCell{std::move(child), sign});
}

NodePtr COperationList::RemoveHead() {
    if (cells.empty()) {
        return nullptr;
    }
    NodePtr child = std::move(cells.front().child);
    cells.pop_front();
    return child;
}

NodePtr COperationList::RemoveAt(Position& position, std::int32_t direction) {
    if (position == cells.end()) {
        return nullptr;
    }
    NodePtr child = std::move(position->child);
    Position next;
    if (direction > 0) {
        next = std::next(position);
    } else {
        next = position == cells.begin() ? cells.end() : std::prev(position);
    }
    cells.erase(position);
    position = next;
    return child;
}

COperationList::Cells COperationList::RemoveAll() {
    Cells taken;
    taken.swap(cells);
    return taken;
}

void COperationList::DeleteAll() {
    std::vector<NodePtr> pending;
    DetachCells(pending);
    DestroySubtrees(pending);
}

COperation* COperationList::GetAt(std::int32_t index) {
    Position position = PositionAt(index);
    return position == cells.end() ? nullptr : position->child.get();
}

const COperation* COperationList::GetAt(std::int32_t index) const {
    ConstPosition position = PositionAt(index);
    return position == cells.end() ? nullptr : position->child.get();
}

std::int32_t COperationList::GetSignAt(std::int32_t index) const {
    ConstPosition position = PositionAt(index);
    return position == cells.end() ? 0 : position->sign;
}

COperationList::Position COperationList::GetCellAt(std::int32_t n, Position start) {
    Position position = start == cells.end() ? cells.begin() : start;
    for (std::int32_t step = 0; step < n && position != cells.end(); ++step) {
        ++position;
    }
    return position;
}

void COperationList::SwapCells(Position& a, Position& b) {
    if (a == b || a == cells.end() || b == cells.end()) {
        return;
    }
    if (std::next(a) == b) {
        cells.splice(a, cells, b); // b now stands before a
    } else if (std::next(b) == a) {
        cells.splice(b, cells, a);
    } else {
        Position afterA = std::next(a);
        cells.splice(b, cells, a);      // a into b's place
        cells.splice(afterA, cells, b); // b into a's old place
    }
    std::swap(a, b);
}

void COperationList::AppendList(COperationList& other, bool move) {
    if (&other == this) {
        if (!move) {
            // Clone the current elements once, not the ones being appended.
            std::int32_t count = GetCount();
            Position position = cells.begin();
            for (std::int32_t i = 0; i < count; ++i, ++position) {
                cells.push_back(
                    ListCell{position->child ? position->child->Clone() : nullptr, position->sign});
            }
        }
        return;
    }
    if (move) {
        cells.splice(cells.end(), other.cells);
    } else {
        CloneCellsFrom(other);
    }
}

std::int32_t COperationList::CountWithSign(std::int32_t sign) const {
    std::int32_t count = 0;
    for (const ListCell& cell : cells) {
        if (cell.sign == sign) {
            ++count;
        }
    }
    return count;
}

void COperationList::DetachCells(std::vector<NodePtr>& out) {
    for (ListCell& cell : cells) {
        if (cell.child) {
            out.push_back(std::move(cell.child));
        }
    }
    cells.clear();
}

void COperationList::CloneCellsFrom(const COperationList& other) {
    for (const ListCell& cell : other.cells) {
        cells.push_back(ListCell{cell.child ? cell.child->Clone() : nullptr, cell.sign});
    }
}
