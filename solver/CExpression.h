#pragma once

// The problem workspace: the operation tree of one problem while it is being solved, and
// everything that turns its changes into a written solution. Every solver works on a workspace
// and drives the solution only through the operations here:
//
//   - the tree: the whole formula (root) and the slot of the part being worked on (RootSlot);
//   - the error code (output/ProblemError.h): None until something fails, then the code for
//     ever; IsValid tests the workspace without changing it, Validate also sets the code that
//     says why it failed;
//   - the comment queue: comments waiting to precede the next recorded formula;
//   - the line-block stack, copied into every record made;
//   - the step recorder: RecordStep writes the tree as compact markup and appends the pending
//     comments and the formula to the solution, unless nothing changed;
//   - one pending record assembled block by block (answer lines).
//
// A workspace lives for one solve (or one part of it) on the stack of its maker. It is neither
// copied nor moved: RootSlot may point at its own root.

#include "model/COperation.h"
#include "output/COutputList.h"
#include "output/COutputRecord.h"
#include "output/LineBlockInfo.h"
#include "output/ProblemError.h"

#include <memory>
#include <optional>
#include <string>

class CExpression {
public:
    // An empty workspace: no tree, no solution list.
    CExpression();

    // Parses text (prepared, ending with ";") as a sum into root, then applies the end test. A text
    // longer than the engine's limit is not parsed and gets the "too large" error. The workspace
    // records into solution when it is not null.
    CExpression(const std::string& text, COutputList* solution);

    // A workspace over an existing tree (no parse): root takes tree (which may be null); RootSlot
    // is slot when given, else the slot of root. Over a slot of a tree that the workspace does not
    // own (tree null), the formula written is the one at the slot, and the slot is left alone when
    // the workspace ends. Without a solution list nothing is recorded: the solvers use this to work
    // on a part of a tree silently.
    CExpression(COutputList* solution, NodePtr tree, NodeHandle slot = nullptr);

    virtual ~CExpression();

    CExpression(const CExpression&) = delete;
    CExpression& operator=(const CExpression&) = delete;

    // --- the tree -------------------------------------------------------------------------------

    // The slot that holds the tree being worked on; the solvers read and replace the tree through
    // it. Never null.
    NodeHandle RootSlot() const { return m_rootSlot; }
    // The tree in that slot (null when there is none).
    COperation* Root() const { return m_rootSlot->get(); }
    // Points the working slot at handle (null: back at root), e.g. to simplify one part of the
    // whole formula while every step still writes the whole formula.
    void SetRootSlot(NodeHandle handle);
    // The whole formula that every step writes: root, or the tree at the slot when root is empty.
    const COperation* WrittenTree() const;

    // --- errors ---------------------------------------------------------------------------------

    // True when no error code is set, no exact number has grown past its limit, and the tree
    // exists, is complete (IsDefined) and divides by no zero number (neither as a divisor nor as
    // the denominator of a number literal such as 1/0). Changes nothing.
    bool IsValid() const;
    // IsValid, and when it fails, sets the error code that says why (unless one is set already):
    // "too large" for a number past its limit, else "incomplete expression" when the tree exists
    // and "no expression" when it does not. The solvers call it where they stop on a failure, so
    // that the solve ends with the record of that code.
    bool Validate();
    ProblemError ErrorCode() const { return m_errorCode; }
    // Sets the error code unless one is set already: a code never changes once set.
    void SetError(ProblemError code);
    // Sets the "too large" error when an exact number has grown past its limit since the solve
    // began. Returns true when an error code is set.
    bool CheckLimits();
    // True once the record of the current error code has been appended to the solution.
    bool ErrorRecorded() const { return m_errorRecorded; }
    // A part of the solve that ended with an error ends its maker too: the error code (unless one
    // is set already) and whether its record was written are taken over.
    void TakeErrorFrom(const CExpression& part);

    // --- the comment queue and the recorded steps --------------------------------------------------

    // Merges id into the pending comments by the merge rules of the comment lists.
    void QueueComment(CommentIDType id);
    const CommentList& PendingComments() const { return m_pendingComments; }
    // Empties the pending comments and removes every comment from every node of the tree.
    void DiscardComments();

    // Records the current formula with the comments pending:
    //   1. the comments attached to nodes under RootSlot are taken off and merged, in tree order,
    //      behind the comments queued;
    //   2. the whole formula is written (WriteMarkup);
    //   3. without a solution list the comments are dropped and nothing is recorded;
    //   4. when the formula equals the last one recorded, no comment is pending and forced is
    //      false, nothing is recorded;
    //   5. otherwise every pending comment becomes a record (alwaysShown 0, spoken 1), then the
    //      formula (spoken 0), each with a copy of the line-block stack.
    // A workspace that is no longer valid records nothing: a number grown past its limit ends the
    // solve with the "too large" error, a formula that divides by zero with error 4, and once an
    // error is set no further step is written.
    void RecordStep(bool forced);
    // RecordStep, then whether the solve may go on: false once an error is set, a limit reached
    // while the formula was written included. RecordStep has just validated the tree, so this is
    // Validate after RecordStep without a second pass over the unchanged tree.
    bool RecordStepAndCheck(bool forced);
    // The same, but the records are inserted right after position (at the front when there is
    // none): the pending comments in queue order, then the formula when it changed.
    void RecordStepAfter(std::optional<COutputList::Position> position);

    // The tree was rewritten in a way that is no step of its own (a product merged into the
    // product around it, keeping its value): the last recorded formula is written anew from the
    // tree when it is the last record and no comment waits; otherwise a step is recorded.
    void RewriteLastStep();

    const std::string& LastText() const { return m_lastText; }
    // Sub-problems that continue a parent's written solution take over its last formula.
    void SetLastText(std::string text) { m_lastText = std::move(text); }
    // Writes the tree into the last text without recording anything, so that the next
    // RecordStep compares against the current formula.
    void RefreshLastText();
    // Writes the whole formula in compact markup, with dots for the products shown to the reader.
    void WriteMarkup(std::string& text) const;

    // --- records ----------------------------------------------------------------------------------

    COutputList* Solution() const { return m_solution; }
    // Appends a record with one formula block.
    void AddFormulaRecord(std::string text, bool spoken);
    // Appends a record with one comment block; nothing when id is none.
    void AddCommentRecord(std::optional<CommentIDType> id, bool alwaysShown, bool spoken);
    // Appends the record of the current error code, once.
    void AddErrorRecord();

    // One record of several blocks: the first block added creates it with a copy of the line-block
    // stack; Flush appends it to the solution (or drops it without one); Clear drops what was
    // assembled so far.
    void ClearPendingRecord();
    void AddPendingFormula(std::string text, bool spoken);
    void AddPendingComment(CommentIDType id, bool alwaysShown, bool spoken);
    void FlushPendingRecord();

    // --- the line-block stack --------------------------------------------------------------------

    void PushLineBlock(LineBlockKind kind, std::int32_t number);
    // Removes the top entry and returns its number; -1 when the stack is empty.
    std::int32_t PopLineBlock();
    // Adds 1 to the number of the top entry; nothing when the stack is empty.
    void NextLineBlock();
    // The kind of the top entry (none when the stack is empty), and its change (nothing when empty).
    std::optional<LineBlockKind> TopKind() const;
    void SetTopKind(LineBlockKind kind);
    const LineBlockList& LineBlocks() const { return m_lineBlocks; }
    // Sub-problems continue with a copy of their parent's stack.
    void SetLineBlocks(LineBlockList blocks) { m_lineBlocks = std::move(blocks); }

protected:
    // For the equation workspace: parse text with the relation parser instead of the sum parser.
    enum class ParseLevel { Sum, Relation };
    CExpression(const std::string& text, COutputList* solution, ParseLevel level);

private:
    void Parse(const std::string& text, ParseLevel level);
    // The tree written exists, is complete and divides by no zero number.
    bool HasValidTree() const;
    // Steps 1 to 3 of RecordStep; false when nothing is to be recorded.
    bool PrepareStep(std::string& text);
    // Whether a formula of textBytes may be recorded: one that would carry the solution past the
    // text bound of a solve is not; its text is charged instead, which spends the budget, and the
    // solve ends as too large without it.
    static bool AdmitFormulaText(std::size_t textBytes);
    COutputRecord& PendingRecord();

    NodePtr m_root;
    NodeHandle m_rootSlot;
    std::string m_lastText;
    CommentList m_pendingComments;
    COutputList* m_solution = nullptr;
    std::unique_ptr<COutputRecord> m_pendingRecord;
    LineBlockList m_lineBlocks;
    ProblemError m_errorCode = ProblemError::None;
    bool m_errorRecorded = false;
};
