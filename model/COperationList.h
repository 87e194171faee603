#pragma once

// The child list of every n-ary node (products, fractions, sums and their specialised forms), also
// used alone as a temporary list. Each cell holds a child and its sign, +1 or -1, whose meaning
// depends on the owner's family: a sum adds (+1) or subtracts (-1) the term, a product multiplies
// (+1) or divides (-1, written ":"), a fraction puts the factor in the numerator (+1) or the
// denominator (-1).
//
// Positions are list iterators; End() plays the part of "no cell". A handle into a cell
// (&cell.child) stays valid while the cell lives, whatever else happens to the list.
// Indexes are 1-based.

#include "model/COperation.h"

#include <cstdint>
#include <list>
#include <vector>

struct ListCell {
    NodePtr child;
    std::int32_t sign = 1;
};

class COperationList {
public:
    using Cells = std::list<ListCell>;
    using Position = Cells::iterator;
    using ConstPosition = Cells::const_iterator;

    COperationList() = default;
    COperationList(const COperationList&) = delete;
    COperationList& operator=(const COperationList&) = delete;
    // Temporary lists may be handed on; the cells move with their children.
    COperationList(COperationList&& other) noexcept = default;
    virtual ~COperationList();

    // Flips the sign of the element at a 1-based index; nothing when there is none.
    virtual void NegateAt(std::int32_t index);
    virtual void NegateAll();

    // Every cell holds a child and a sign of +1 or -1 (checked in builds with engine assertions).
    // Appends a cell and returns the new count.
    std::int32_t AddTail(NodePtr child, std::int32_t sign);
    void AddHead(NodePtr child, std::int32_t sign);
    // Index 0 or count+1 appends; otherwise the child becomes the element at that 1-based index.
    // A larger (or negative) index inserts nothing and leaves `child` with the caller; on success
    // `child` is emptied. Returns whether it was inserted.
    bool InsertAt(NodePtr& child, std::int32_t sign, std::int32_t index);
    // End() as position appends (before) or prepends (after). Both return the new cell.
    Position InsertBefore(Position position, NodePtr child, std::int32_t sign);
    Position InsertAfter(Position position, NodePtr child, std::int32_t sign);

    // Takes the first child out (its cell is dropped); null on an empty list.
    NodePtr RemoveHead();
    // Takes the child at `position` out and drops its cell. The position moves to the next cell
    // when direction is positive, otherwise to the previous cell (End() when there is none).
    NodePtr RemoveAt(Position& position, std::int32_t direction);
    // Takes every cell out, children included; the list is left empty.
    [[nodiscard]] Cells RemoveAll();
    // Frees every child's subtree and drops all cells.
    void DeleteAll();

    COperation* GetAt(std::int32_t index);
    const COperation* GetAt(std::int32_t index) const;
    // Sign at a 1-based index, 0 when there is no such element.
    std::int32_t GetSignAt(std::int32_t index) const;
    // The cell n steps after `start` (End() as start = the head); End() past the end.
    Position GetCellAt(std::int32_t n, Position start);

    // Exchanges the places of two cells of this list. Afterwards each position variable denotes
    // the cell now standing at its old place; handles into the cells move with the cells.
    void SwapCells(Position& a, Position& b);

    // move = true: takes every cell of `other` in order (other is left empty); move = false:
    // appends clones of the other's children with their signs.
    void AppendList(COperationList& other, bool move);

    std::int32_t GetCount() const { return static_cast<std::int32_t>(m_cells.size()); }
    bool IsEmpty() const { return m_cells.empty(); }
    Position Head() { return m_cells.begin(); }
    Position Tail() { return m_cells.empty() ? m_cells.end() : std::prev(m_cells.end()); }
    Position End() { return m_cells.end(); }
    ConstPosition Head() const { return m_cells.begin(); }
    ConstPosition End() const { return m_cells.end(); }
    // Moves a position on and returns the old one (the classic "get next" step).
    static Position GetNext(Position& position) { return position++; }
    Position GetPrev(Position& position) {
        Position old = position;
        position = position == m_cells.begin() ? m_cells.end() : std::prev(position);
        return old;
    }

    // Number of elements with sign +1 and with sign -1.
    std::int32_t CountWithSign(std::int32_t sign) const;

    Cells& GetCells() { return m_cells; }
    const Cells& GetCells() const { return m_cells; }
    Cells::iterator begin() { return m_cells.begin(); }
    Cells::iterator end() { return m_cells.end(); }
    Cells::const_iterator begin() const { return m_cells.begin(); }
    Cells::const_iterator end() const { return m_cells.end(); }

protected:
    // Moves every child out into `out` and drops the cells.
    void DetachCells(std::vector<NodePtr>& out);
    // Appends clones of the other list's children with their signs.
    void CloneCellsFrom(const COperationList& other);

private:
    Position PositionAt(std::int32_t index);
    ConstPosition PositionAt(std::int32_t index) const;

    Cells m_cells;
};
