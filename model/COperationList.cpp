#include "model/COperationList.h"

#include "model/EngineAssert.h"

#include <iterator>
#include <utility>

namespace {

// The rule of every cell: it holds a child, and its sign is +1 or -1 (a sum's "+" or "-", a
// product's factor or divisor).
ListCell CheckedCell(NodePtr child, std::int32_t sign) {
    ORBELIN_ASSERT(child != nullptr);
    ORBELIN_ASSERT(sign == 1 || sign == -1);
    return ListCell{std::move(child), sign};
}

} // namespace

COperationList::~COperationList() {
    // Children are freed one cell after another; each subtree frees itself without recursing
    // into its own lists.
    std::vector<NodePtr> pending;
    DetachCells(pending);
    DestroySubtrees(pending);
}

COperationList::Position COperationList::PositionAt(std::int32_t index) {
    if (index < 1 || index > GetCount()) {
        return m_cells.end();
    }
    return std::next(m_cells.begin(), index - 1);
}

COperationList::ConstPosition COperationList::PositionAt(std::int32_t index) const {
    if (index < 1 || index > GetCount()) {
        return m_cells.end();
    }
    return std::next(m_cells.begin(), index - 1);
}

void COperationList::NegateAt(std::int32_t index) {
    Position position = PositionAt(index);
    if (position != m_cells.end()) {
        position->sign = -position->sign;
    }
}

void COperationList::NegateAll() {
    for (ListCell& cell : m_cells) {
        cell.sign = -cell.sign;
    }
}

std::int32_t COperationList::AddTail(NodePtr child, std::int32_t sign) {
    m_cells.push_back(CheckedCell(std::move(child), sign));
    return GetCount();
}

void COperationList::AddHead(NodePtr child, std::int32_t sign) {
    m_cells.push_front(CheckedCell(std::move(child), sign));
}

bool COperationList::InsertAt(NodePtr& child, std::int32_t sign, std::int32_t index) {
    const std::int32_t count = GetCount();
    if (index < 0 || index > count + 1) {
        return false;
    }
    Position before = (index == 0 || index == count + 1) ? m_cells.end() : PositionAt(index);
    m_cells.insert(before, CheckedCell(std::move(child), sign));
    return true;
}

COperationList::Position COperationList::InsertBefore(Position position, NodePtr child, std::int32_t sign) {
    return m_cells.insert(position, CheckedCell(std::move(child), sign));
}

COperationList::Position COperationList::InsertAfter(Position position, NodePtr child, std::int32_t sign) {
    Position before = position == m_cells.end() ? m_cells.begin() : std::next(position);
    return m_cells.insert(before, CheckedCell(std::move(child), sign));
}

NodePtr COperationList::RemoveHead() {
    if (m_cells.empty()) {
        return nullptr;
    }
    NodePtr child = std::move(m_cells.front().child);
    m_cells.pop_front();
    return child;
}

NodePtr COperationList::RemoveAt(Position& position, std::int32_t direction) {
    if (position == m_cells.end()) {
        return nullptr;
    }
    NodePtr child = std::move(position->child);
    Position next;
    if (direction > 0) {
        next = std::next(position);
    } else {
        next = position == m_cells.begin() ? m_cells.end() : std::prev(position);
    }
    m_cells.erase(position);
    position = next;
    return child;
}

COperationList::Cells COperationList::RemoveAll() {
    Cells taken;
    taken.swap(m_cells);
    return taken;
}

void COperationList::DeleteAll() {
    std::vector<NodePtr> pending;
    DetachCells(pending);
    DestroySubtrees(pending);
}

COperation* COperationList::GetAt(std::int32_t index) {
    Position position = PositionAt(index);
    return position == m_cells.end() ? nullptr : position->child.get();
}

const COperation* COperationList::GetAt(std::int32_t index) const {
    ConstPosition position = PositionAt(index);
    return position == m_cells.end() ? nullptr : position->child.get();
}

std::int32_t COperationList::GetSignAt(std::int32_t index) const {
    ConstPosition position = PositionAt(index);
    return position == m_cells.end() ? 0 : position->sign;
}

COperationList::Position COperationList::GetCellAt(std::int32_t n, Position start) {
    Position position = start == m_cells.end() ? m_cells.begin() : start;
    for (std::int32_t step = 0; step < n && position != m_cells.end(); ++step) {
        ++position;
    }
    return position;
}

void COperationList::SwapCells(Position& a, Position& b) {
    if (a == b || a == m_cells.end() || b == m_cells.end()) {
        return;
    }
    if (std::next(a) == b) {
        m_cells.splice(a, m_cells, b); // b now stands before a
    } else if (std::next(b) == a) {
        m_cells.splice(b, m_cells, a);
    } else {
        Position afterA = std::next(a);
        m_cells.splice(b, m_cells, a);      // a into b's place
        m_cells.splice(afterA, m_cells, b); // b into a's old place
    }
    std::swap(a, b);
}

void COperationList::AppendList(COperationList& other, bool move) {
    if (&other == this) {
        if (!move) {
            // Clone the current elements once, not the ones being appended.
            std::int32_t count = GetCount();
            Position position = m_cells.begin();
            for (std::int32_t i = 0; i < count; ++i, ++position) {
                m_cells.push_back(
                    ListCell{position->child ? position->child->Clone() : nullptr, position->sign});
            }
        }
        return;
    }
    if (move) {
        m_cells.splice(m_cells.end(), other.m_cells);
    } else {
        CloneCellsFrom(other);
    }
}

std::int32_t COperationList::CountWithSign(std::int32_t sign) const {
    std::int32_t count = 0;
    for (const ListCell& cell : m_cells) {
        if (cell.sign == sign) {
            ++count;
        }
    }
    return count;
}

void COperationList::DetachCells(std::vector<NodePtr>& out) {
    for (ListCell& cell : m_cells) {
        if (cell.child) {
            out.push_back(std::move(cell.child));
        }
    }
    m_cells.clear();
}

void COperationList::CloneCellsFrom(const COperationList& other) {
    for (const ListCell& cell : other.m_cells) {
        m_cells.push_back(ListCell{cell.child ? cell.child->Clone() : nullptr, cell.sign});
    }
}
