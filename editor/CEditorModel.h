#pragma once

// The editing model of the formula editor, without any user-interface code: the problem in editor
// form, the caret, the selection, the internal clipboard, and every editing rule (insertions,
// templates, wrapping a selection, caret moves, deletions and the fix-up after them).
//
// The text: every token is preceded by one blank and an empty slot holds "~"; an empty problem is
// " ~". The caret is an index into the text that rests on a blank (the blank before a token) or at
// the end of the text (unless the text ends with a placeholder). Typing inserts a blank and the
// character before the caret's blank, and a placeholder right after the caret is replaced:
//   " ~"  --2-->  " 2"  --x-->  " 2 x"
//   " ~"  --/-->  " {{ ~}/{ ~}}" (caret before the numerator's "~")  --1-->  " {{ 1 }/{ ~}}"
// A selection runs from an anchor to the caret; it is shown only when the text between them lays out
// as a formula, so a selection never cuts a template in half.

#include <functional>
#include <string>
#include <string_view>

enum class CaretDirection { Left, Right };

enum class EditorTemplate { Fraction, Brackets, Power };

// What a selection becomes when it is wrapped; without a selection each inserts its template.
enum class SelectionWrap { Brackets, PowerBase, PowerExponent, Numerator, Denominator };

// The keys the editor handles on key-down (characters arrive through TypeCharacter).
enum class EditorKey { Home, End, Left, Right, Up, Down, Delete };

class CEditorModel {
public:
    // Whether a formula in display form ("$...$", compact) lays out without error.
    using LayoutCheck = std::function<bool(const std::string& displayText)>;

    explicit CEditorModel(LayoutCheck laysOut);

    // Takes a problem text (" ~" when it holds nothing); caret at 0, no selection. Line breaks and
    // other control characters become blanks, and a missing leading blank is added.
    void Load(std::string_view text);

    const std::string& Text() const { return m_text; }
    int Caret() const { return m_caret; }
    int Anchor() const { return m_anchor; }
    bool SelectionShown() const { return m_selectionShown; }
    int SelectionStart() const;
    int SelectionEnd() const;
    // The text strictly between the ends of the selection (without the blank the lower end rests on).
    std::string SelectedText() const;
    const std::string& Clipboard() const { return m_clipboard; }
    // What the next Paste inserts: a piece of editor text (its leading blank is added by Paste).
    void SetClipboard(std::string text) { m_clipboard = std::move(text); }

    // Language (0 Russian, 1 English); either of "," and "." types the decimal comma in both.
    void SetLanguage(int language) { m_language = language; }
    int Language() const { return m_language; }

    // The formula as the layout draws it: "$" + text + "$" without blanks, mixed numbers marked and
    // product dots inserted.
    std::string DisplayText() const;
    // The compact text handed to the solver: the display text without "$", redundant braces removed.
    std::string SolverText() const;

    // A typed character; returns false when it is not one the editor accepts (and nothing changed).
    bool TypeCharacter(unsigned char character);
    // A key-down; shift extends the selection with the arrow keys and Home and End.
    void PressKey(EditorKey key, bool shift);

    // A blank and the character, caret after it (digits, signs, letters).
    void InsertToken(char character);
    void InsertTemplate(EditorTemplate kind);
    // With a shown selection, wraps it; otherwise inserts the matching template.
    void Wrap(SelectionWrap wrap);

    // One token in a direction; false when the caret could not move.
    bool MoveCaret(CaretDirection direction);
    // Extends the selection one token at a time until it lays out; when the start or end of the
    // text comes first, nothing changes and false is returned.
    bool ExtendSelection(CaretDirection direction);
    // Mouse press: the caret goes to position (moved to the nearest stop), the selection is dropped.
    void PlaceCaret(int position);
    // Mouse drag: extends the selection from the anchor (the caret when there is none) to position,
    // and on until it lays out.
    bool ExtendSelectionTo(int position);
    void ClearSelection();
    // Selects [start, end) (positions on stops), the caret at end, whether or not it lays out on its own.
    void SelectRange(int start, int end);

    void Backspace();
    void DeleteForward();
    void Cut();
    void Copy();
    void Paste();

    // The caret stop after or before position: a blank, or the end of the text unless the text ends
    // with a placeholder. kNone (-1) when there is none.
    int NextStop(int position) const;
    int PreviousStop(int position) const;
    bool IsStop(int position) const;

private:
    // Inserts piece at the caret (after removing a shown selection and a placeholder right after the
    // caret) and moves the caret advance characters on.
    void Insert(std::string_view piece, int advance);
    void RemovePlaceholderAtCaret();
    void RemoveShownSelection();
    // Erases count characters at position and keeps the caret on the same character.
    void EraseAround(int position, int count);
    // Deletes a bracket pair, its blanks, and a placeholder that was alone in it.
    void DeleteBracketPair(int open, int close);
    void DeleteBraceGroup(int open, int close);
    void DeleteTokenBefore();
    void DeleteTokenAfter(int start);
    // After every deletion: an empty problem becomes " ~"; an emptied group gets its placeholder.
    void FixUp();
    bool SelectionLaysOut() const;

    // Natural typing: what a sign does at the end of a template's slot, and the operand that "/" and
    // "^" take.
    enum class OperandReach { LastFactor, WholeProduct };
    // The exponent or denominator that the caret ends.
    struct EndedSlot {
        int exit = -1; // the caret's place after the template; -1: the caret ends no slot
        bool complete = false;
    };
    EndedSlot SlotEndedByCaret() const;
    void LeaveCompleteSlots();
    int OperandStart(OperandReach reach) const;
    int PreviousBlankOrStart(int position) const;
    void WrapOperandBefore(SelectionWrap wrap, OperandReach reach);
    // Steps the caret towards target (or on in direction when there is none) until the selection
    // lays out; see ExtendSelection.
    bool ExtendTowards(CaretDirection direction, int target);

    LayoutCheck m_laysOut;
    std::string m_text{" ~"};
    int m_caret = 0;
    int m_anchor = -1;
    bool m_selectionShown = false;
    std::string m_clipboard;
    int m_language = 1;
};
