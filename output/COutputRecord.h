#pragma once

// One band of a solution: a short run of formula and comment blocks in display order, owned by the
// record, and the record's own copy of the workspace's line-block stack.

#include "output/LineBlockInfo.h"
#include "output/OutputBlock.h"

#include <cstddef>
#include <list>
#include <memory>
#include <string>

// How records and blocks pass from one owner to another: copied (the source keeps its own) or
// moved (the source is left without them).
enum class ListTransfer {
    Copy,
    Move,
};

class COutputRecord {
public:
    using BlockList = std::list<std::unique_ptr<OutputBlock>>;
    // A position handle of a block; it stays valid until that block is removed.
    using Position = BlockList::iterator;
    using ConstPosition = BlockList::const_iterator;

    // No line blocks (indent level 0) and no blocks.
    COutputRecord() = default;
    // A copy of lineBlocks (none when it is null) and no blocks.
    explicit COutputRecord(const LineBlockList* lineBlocks);
    // The same with block as the only block (none when it is null).
    COutputRecord(const LineBlockList* lineBlocks, std::unique_ptr<OutputBlock> block);
    // A copy of the line blocks of other; its blocks cloned (Copy) or taken out of other in order
    // (Move, other keeps its line blocks and is left without blocks).
    COutputRecord(COutputRecord& other, ListTransfer transfer);

    COutputRecord(const COutputRecord&) = delete;
    COutputRecord& operator=(const COutputRecord&) = delete;

    // A deep copy: line blocks copied, blocks cloned.
    std::unique_ptr<COutputRecord> Clone() const;

    // Append a block; return its position.
    Position AddFormula(std::string text, bool spoken);
    Position AddComment(CommentIDType id, bool alwaysShown, bool spoken);
    // Takes ownership of block; a null block is not added and the end position is returned.
    Position AddBlock(std::unique_ptr<OutputBlock> block);

    // True when the record holds exactly one block and that block is a formula.
    bool IsFormulaOnly() const;

    // Bytes of formula text in all the record's formula blocks.
    std::size_t FormulaTextSize() const;

    // The nesting depth the view indents by: entries of the line-block stack minus one, and 0 for
    // an empty stack.
    std::size_t IndentLevel() const;

    const BlockList& Blocks() const { return m_blocks; }
    std::size_t BlockCount() const { return m_blocks.size(); }
    ConstPosition begin() const { return m_blocks.begin(); }
    ConstPosition end() const { return m_blocks.end(); }

    LineBlockList lineBlocks;

private:
    BlockList m_blocks;
};
