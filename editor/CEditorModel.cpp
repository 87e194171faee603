#include "editor/CEditorModel.h"

#include "display/Graphics.h"
#include "editor/EditorText.h"
#include "markup/EditorConversion.h"
#include "markup/MarkupCharacters.h"

#include <algorithm>
#include <utility>

using namespace EditorText;

namespace {

constexpr std::string_view kFractionTemplate = " {{ ~}/{ ~}}";
constexpr std::string_view kPowerTemplate = " {{ ~}^{ ~}}";
constexpr std::string_view kBracketTemplate = " ( ~)";
// The caret lands on the blank before the first placeholder of a template.
constexpr int kBraceTemplateAdvance = 3;
constexpr int kBracketTemplateAdvance = 2;
constexpr int kTokenAdvance = 2;
constexpr unsigned char kBackspace = 8;

// The pieces that wrap a selection: closing is inserted at the higher end, opening at the lower.
struct WrapPieces {
    std::string_view opening;
    std::string_view closing;
};

WrapPieces PiecesOf(SelectionWrap wrap) {
    switch (wrap) {
    case SelectionWrap::Brackets:
        return {" (", " )"};
    case SelectionWrap::PowerBase:
        return {" {{", " }^{ ~}}"};
    case SelectionWrap::Numerator:
        return {" {{", " }/{ ~}}"};
    case SelectionWrap::PowerExponent:
        return {" {{ ~}^{", " }}"};
    case SelectionWrap::Denominator:
        return {" {{ ~}/{", " }}"};
    }
    return {};
}

EditorTemplate TemplateOf(SelectionWrap wrap) {
    switch (wrap) {
    case SelectionWrap::Brackets:
        return EditorTemplate::Brackets;
    case SelectionWrap::PowerBase:
    case SelectionWrap::PowerExponent:
        return EditorTemplate::Power;
    case SelectionWrap::Numerator:
    case SelectionWrap::Denominator:
        return EditorTemplate::Fraction;
    }
    return EditorTemplate::Brackets;
}

bool IsAcceptedToken(unsigned char character) {
    return (character >= '(' && character <= ':') || character == '=' ||
           (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

} // namespace

CEditorModel::CEditorModel(LayoutCheck laysOut) : m_laysOut(std::move(laysOut)) {}

void CEditorModel::Load(std::string_view text) {
    m_text.assign(text);
    for (char& c : m_text) {
        if (static_cast<unsigned char>(c) < ' ') {
            c = kBlank;
        }
    }
    if (IsBlank(m_text)) {
        m_text = kEmptyProblem;
    } else if (m_text.front() != kBlank) {
        m_text.insert(m_text.begin(), kBlank);
    }
    m_caret = 0;
    ClearSelection();
}

int CEditorModel::SelectionStart() const {
    return m_anchor < 0 ? m_caret : std::min(m_anchor, m_caret);
}

int CEditorModel::SelectionEnd() const {
    return m_anchor < 0 ? m_caret : std::max(m_anchor, m_caret);
}

std::string CEditorModel::SelectedText() const {
    const int start = SelectionStart();
    const int end = SelectionEnd();
    if (end - start < 2) {
        return {};
    }
    return m_text.substr(start + 1, end - start - 1);
}

std::string CEditorModel::DisplayText() const {
    return EditorDisplayText(m_text);
}

std::string CEditorModel::SolverText() const {
    // An empty problem gives the empty solution, not a stray placeholder.
    if (m_text == kEmptyProblem) {
        return {};
    }
    std::string text = m_text;
    ConvertEditorText(text);
    return text;
}

// --- stops and moves ----------------------------------------------------------------------------

bool CEditorModel::IsStop(int position) const {
    const int length = static_cast<int>(m_text.size());
    if (position == length) {
        return length > 0 && m_text.back() != kPlaceholder;
    }
    return position >= 0 && position < length && m_text[position] == kBlank;
}

int CEditorModel::NextStop(int position) const {
    const int length = static_cast<int>(m_text.size());
    for (int i = std::max(position + 1, 0); i <= length; ++i) {
        if (IsStop(i)) {
            return i;
        }
    }
    return kNone;
}

int CEditorModel::PreviousStop(int position) const {
    for (int i = std::min(position - 1, static_cast<int>(m_text.size())); i >= 0; --i) {
        if (IsStop(i)) {
            return i;
        }
    }
    return kNone;
}

bool CEditorModel::MoveCaret(CaretDirection direction) {
    const int next = direction == CaretDirection::Right ? NextStop(m_caret) : PreviousStop(m_caret);
    if (next == kNone) {
        return false;
    }
    m_caret = next;
    return true;
}

void CEditorModel::PressKey(EditorKey key, bool shift) {
    switch (key) {
    case EditorKey::Home:
        if (shift) {
            ExtendSelectionTo(0);
        } else {
            m_caret = 0;
        }
        break;
    case EditorKey::End: {
        const int end = IsStop(static_cast<int>(m_text.size()))
                            ? static_cast<int>(m_text.size())
                            : PreviousStop(static_cast<int>(m_text.size()));
        if (end == kNone) {
            break;
        }
        if (shift) {
            ExtendSelectionTo(end);
        } else {
            m_caret = end;
        }
        break;
    }
    case EditorKey::Left:
    case EditorKey::Right:
    case EditorKey::Up:
    case EditorKey::Down: {
        // Up moves like Left, Down like Right.
        const bool left = key == EditorKey::Left || key == EditorKey::Up;
        const CaretDirection direction = left ? CaretDirection::Left : CaretDirection::Right;
        if (shift) {
            ExtendSelection(direction);
        } else if (!m_selectionShown) {
            MoveCaret(direction);
        }
        break;
    }
    case EditorKey::Delete:
        DeleteForward();
        break;
    }
    if (!shift) {
        ClearSelection();
    }
}

// --- selection ----------------------------------------------------------------------------------

void CEditorModel::ClearSelection() {
    m_anchor = kNone;
    m_selectionShown = false;
}

void CEditorModel::SelectRange(int start, int end) {
    const int length = static_cast<int>(m_text.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    m_anchor = start;
    m_caret = end;
    m_selectionShown = end > start;
}

bool CEditorModel::SelectionLaysOut() const {
    const int start = SelectionStart();
    const int end = SelectionEnd();
    return end > start && m_laysOut &&
           m_laysOut(EditorDisplayText(std::string_view(m_text).substr(start, end - start)));
}

bool CEditorModel::ExtendSelection(CaretDirection direction) {
    return ExtendTowards(direction, kNone);
}

bool CEditorModel::ExtendSelectionTo(int position) {
    if (position == m_caret) {
        return false;
    }
    return ExtendTowards(position > m_caret ? CaretDirection::Right : CaretDirection::Left, position);
}

bool CEditorModel::ExtendTowards(CaretDirection direction, int target) {
    const int savedCaret = m_caret;
    const bool savedShown = m_selectionShown;
    const bool newAnchor = m_anchor < 0;
    if (newAnchor) {
        m_anchor = m_caret;
    }
    const auto beforeTarget = [&] {
        return target != kNone && (direction == CaretDirection::Right ? m_caret < target : m_caret > target);
    };
    while (MoveCaret(direction)) {
        const bool pastTarget = target != kNone && !beforeTarget() && m_caret != target;
        if (m_caret == m_anchor) {
            // Past the mouse's target and back at the anchor: what was selected stays selected.
            if (pastTarget) {
                break;
            }
            if (!beforeTarget()) {
                // Back at the anchor: the selection is empty again.
                m_selectionShown = false;
                return true;
            }
            continue;
        }
        if (!beforeTarget() && SelectionLaysOut()) {
            m_selectionShown = true;
            return true;
        }
    }
    m_caret = savedCaret;
    m_selectionShown = savedShown;
    if (newAnchor) {
        m_anchor = kNone;
    }
    return false;
}

void CEditorModel::PlaceCaret(int position) {
    ClearSelection();
    if (IsStop(position)) {
        m_caret = position;
        return;
    }
    const int before = PreviousStop(position);
    m_caret = before != kNone ? before : std::max(NextStop(position), 0);
}

// --- insertion ----------------------------------------------------------------------------------

void CEditorModel::RemovePlaceholderAtCaret() {
    const int length = static_cast<int>(m_text.size());
    if (m_caret + 1 >= length || m_text[m_caret] != kBlank || m_text[m_caret + 1] != kPlaceholder) {
        return;
    }
    m_text.erase(m_caret + 1, 1);
    // A placeholder that ended the text takes its blank along: the new piece brings its own.
    if (m_caret + 1 == static_cast<int>(m_text.size())) {
        m_text.erase(m_caret, 1);
    }
}

void CEditorModel::Insert(std::string_view piece, int advance) {
    RemoveShownSelection();
    RemovePlaceholderAtCaret();
    m_caret = std::clamp(m_caret, 0, static_cast<int>(m_text.size()));
    m_text.insert(m_caret, piece);
    m_caret += advance;
}

void CEditorModel::InsertToken(char character) {
    const char piece[2] = {kBlank, character};
    Insert({piece, 2}, kTokenAdvance);
}

void CEditorModel::InsertTemplate(EditorTemplate kind) {
    switch (kind) {
    case EditorTemplate::Fraction:
        Insert(kFractionTemplate, kBraceTemplateAdvance);
        break;
    case EditorTemplate::Power:
        Insert(kPowerTemplate, kBraceTemplateAdvance);
        break;
    case EditorTemplate::Brackets:
        Insert(kBracketTemplate, kBracketTemplateAdvance);
        break;
    }
}

void CEditorModel::Wrap(SelectionWrap wrap) {
    if (!m_selectionShown) {
        InsertTemplate(TemplateOf(wrap));
        return;
    }
    const int start = SelectionStart();
    const int end = SelectionEnd();
    const WrapPieces pieces = PiecesOf(wrap);
    m_text.insert(end, pieces.closing);
    m_text.insert(start, pieces.opening);
    const int opening = static_cast<int>(pieces.opening.size());
    switch (wrap) {
    case SelectionWrap::Brackets:
        m_caret += opening;
        break;
    case SelectionWrap::PowerBase:
    case SelectionWrap::Numerator:
        // On the blank before the placeholder of the exponent or the denominator.
        m_caret = end + opening + 4;
        break;
    case SelectionWrap::PowerExponent:
    case SelectionWrap::Denominator:
        // On the blank before the placeholder of the base or the numerator.
        m_caret = start + 3;
        break;
    }
    ClearSelection();
}

bool CEditorModel::TypeCharacter(unsigned char character) {
    switch (character) {
    case kBackspace:
        Backspace();
        return true;
    case '(':
        LeaveCompleteSlots();
        InsertTemplate(EditorTemplate::Brackets);
        return true;
    case ')':
        // A closing bracket typed before the one the template put there steps over it.
        if (const int next = NextNonBlank(m_text, m_caret);
            !m_selectionShown && next != kNone && m_text[next] == ')') {
            m_caret = next + 1;
        } else {
            InsertTemplate(EditorTemplate::Brackets);
        }
        return true;
    case '/':
        WrapOperandBefore(SelectionWrap::Numerator, OperandReach::WholeProduct);
        return true;
    case '^':
        WrapOperandBefore(SelectionWrap::PowerBase, OperandReach::LastFactor);
        return true;
    case '+':
    case '-':
    case '*':
    case ':':
    case '=':
        LeaveCompleteSlots();
        InsertToken(static_cast<char>(character));
        return true;
    case ',':
    case '.':
        // The text always holds a decimal comma; either key types it, whatever the language, so that
        // nothing typed is dropped (a dropped point would turn 0.5 into 05).
        InsertToken(',');
        return true;
    case MarkupBytes::kDivisionSign:
        // Kept as typed, and drawn as typed; the solver gets ":" (SolverText).
        LeaveCompleteSlots();
        InsertToken(static_cast<char>(MarkupBytes::kDivisionSign));
        return true;
    default:
        if (!IsAcceptedToken(character)) {
            return false;
        }
        InsertToken(static_cast<char>(character));
        return true;
    }
}

// --- natural typing -------------------------------------------------------------------------------

// The slot of a template that the caret ends: the caret is followed (after blanks) by the slot's
// closing "}" and the template's own "}" after it. kNone when the caret ends no slot.
CEditorModel::EndedSlot CEditorModel::SlotEndedByCaret() const {
    const int close = NextNonBlank(m_text, m_caret);
    const int length = static_cast<int>(m_text.size());
    if (close == kNone || m_text[close] != '}' || close + 1 >= length || m_text[close + 1] != '}') {
        return {};
    }
    const int open = MatchingOpener(m_text, close);
    if (open < 1 || (m_text[open - 1] != '^' && m_text[open - 1] != '/')) {
        return {};
    }
    const int last = PreviousNonBlank(m_text, m_caret);
    EndedSlot slot;
    slot.complete = last != open && m_text[last] != kPlaceholder;
    slot.exit = close + 2;
    return slot;
}

// A sign typed at the end of a complete exponent or denominator belongs after the template, as it does
// in linear notation (x^2-5x is x^2 - 5x, 1/(x-1)+1 is 1/(x-1) + 1): the caret leaves the template
// first, and nested templates one after the other. A sum in an exponent or a denominator is typed in
// brackets, or with the caret moved back into the slot.
void CEditorModel::LeaveCompleteSlots() {
    if (m_selectionShown) {
        return;
    }
    for (EndedSlot slot = SlotEndedByCaret(); slot.exit != kNone && slot.complete;
         slot = SlotEndedByCaret()) {
        m_caret = slot.exit;
    }
}

// Where the operand that ends at the caret starts (the blank before it), or kNone when no operand
// ends there. A number is all of its digits; a letter, a bracket group and a template are one factor
// each; the whole product runs back over all of them up to a sign or an opening bracket.
int CEditorModel::OperandStart(OperandReach reach) const {
    int start = kNone;
    bool inNumber = false;
    for (int position = m_caret;;) {
        const int last = PreviousNonBlank(m_text, position);
        if (last == kNone) {
            break;
        }
        const char c = m_text[last];
        const bool digit = (c >= '0' && c <= '9') || c == ',';
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        int tokenStart = kNone;
        if (c == ')' || c == '}') {
            const int open = MatchingOpener(m_text, last);
            tokenStart = open == kNone ? kNone : PreviousBlankOrStart(open);
        } else if (digit || letter) {
            tokenStart = PreviousBlankOrStart(last);
        }
        const bool factorEnded = reach == OperandReach::LastFactor && start != kNone && !(inNumber && digit);
        if (tokenStart == kNone || factorEnded) {
            break;
        }
        start = tokenStart;
        inNumber = digit;
        position = tokenStart;
    }
    return start;
}

int CEditorModel::PreviousBlankOrStart(int position) const {
    const std::size_t blank = position > 0 ? m_text.rfind(kBlank, position - 1) : std::string::npos;
    return blank == std::string::npos ? 0 : static_cast<int>(blank);
}

// "/" and "^" typed after an operand make it the numerator or the base; with a selection, the
// selection is wrapped; with nothing before the caret, the empty template goes in.
void CEditorModel::WrapOperandBefore(SelectionWrap wrap, OperandReach reach) {
    if (!m_selectionShown) {
        const int start = OperandStart(reach);
        if (start != kNone && start < m_caret) {
            m_anchor = start;
            m_selectionShown = true;
        }
    }
    Wrap(wrap);
}

// --- deletion -----------------------------------------------------------------------------------

void CEditorModel::EraseAround(int position, int count) {
    const int length = static_cast<int>(m_text.size());
    position = std::clamp(position, 0, length);
    count = std::clamp(count, 0, length - position);
    m_text.erase(position, count);
    if (m_caret >= position + count) {
        m_caret -= count;
    } else if (m_caret > position) {
        m_caret = position;
    }
}

void CEditorModel::RemoveShownSelection() {
    if (!m_selectionShown) {
        return;
    }
    const int start = SelectionStart();
    const int end = SelectionEnd();
    ClearSelection();
    m_caret = start;
    m_text.erase(start, end - start);
    FixUp();
}

void CEditorModel::DeleteBracketPair(int open, int close) {
    const int inner = NextNonBlank(m_text, open + 1);
    const bool onlyPlaceholder =
        inner != kNone && m_text[inner] == kPlaceholder && NextNonBlank(m_text, inner + 1) == close;
    if (onlyPlaceholder) {
        EraseAround(open + 1, close - open);
    } else {
        const int closeStart = m_text[close - 1] == kBlank ? close - 1 : close;
        EraseAround(closeStart, close + 1 - closeStart);
    }
    const int openStart = open > 0 && m_text[open - 1] == kBlank ? open - 1 : open;
    EraseAround(openStart, open + 1 - openStart);
}

void CEditorModel::DeleteBraceGroup(int open, int close) {
    const int start = open > 0 && m_text[open - 1] == kBlank ? open - 1 : open;
    EraseAround(start, close + 1 - start);
}

void CEditorModel::DeleteTokenBefore() {
    const std::size_t blank = m_text.rfind(kBlank, m_caret - 1);
    const int start = blank == std::string::npos ? 0 : static_cast<int>(blank);
    EraseAround(start, m_caret - start);
}

void CEditorModel::DeleteTokenAfter(int start) {
    const int length = static_cast<int>(m_text.size());
    int end = start;
    while (end < length && std::string_view(" (){}").find(m_text[end]) == std::string_view::npos) {
        ++end;
    }
    const int from = m_caret < start && m_text[m_caret] == kBlank ? m_caret : start;
    EraseAround(from, end - from);
}

void CEditorModel::Backspace() {
    if (m_selectionShown) {
        RemoveShownSelection();
        return;
    }
    ClearSelection();
    m_caret = std::clamp(m_caret, 0, static_cast<int>(m_text.size()));
    if (m_caret == 0) {
        return;
    }
    const int before = m_caret - 1;
    switch (m_text[before]) {
    case '{':
        // A template cannot be broken from inside.
        return;
    case '(':
    case ')': {
        const int mate =
            m_text[before] == '(' ? MatchingCloser(m_text, before) : MatchingOpener(m_text, before);
        if (mate == kNone) {
            EraseAround(before, 1);
        } else {
            DeleteBracketPair(std::min(before, mate), std::max(before, mate));
        }
        break;
    }
    case '}': {
        const int open = MatchingOpener(m_text, before);
        if (open == kNone) {
            return;
        }
        DeleteBraceGroup(open, before);
        break;
    }
    default:
        DeleteTokenBefore();
        break;
    }
    FixUp();
}

void CEditorModel::DeleteForward() {
    if (m_selectionShown) {
        RemoveShownSelection();
        return;
    }
    ClearSelection();
    const int length = static_cast<int>(m_text.size());
    m_caret = std::clamp(m_caret, 0, length);
    const int at = m_caret < length && m_text[m_caret] == kBlank ? m_caret + 1 : m_caret;
    if (at >= length) {
        return;
    }
    switch (m_text[at]) {
    case '(':
    case ')': {
        const int mate = m_text[at] == '(' ? MatchingCloser(m_text, at) : MatchingOpener(m_text, at);
        if (mate != kNone) {
            DeleteBracketPair(std::min(at, mate), std::max(at, mate));
        }
        break;
    }
    case '{': {
        const int close = MatchingCloser(m_text, at);
        if (close != kNone) {
            DeleteBraceGroup(at, close);
        }
        break;
    }
    case '}':
        return;
    case kPlaceholder: {
        // A placeholder alone in brackets takes the brackets with it; elsewhere it stays.
        const int open = PreviousNonBlank(m_text, at);
        const int close = NextNonBlank(m_text, at + 1);
        if (open != kNone && close != kNone && m_text[open] == '(' && m_text[close] == ')') {
            DeleteBracketPair(open, close);
        }
        break;
    }
    default:
        DeleteTokenAfter(at);
        break;
    }
    FixUp();
}

void CEditorModel::FixUp() {
    if (IsBlank(m_text)) {
        m_text = kEmptyProblem;
        m_caret = 0;
        return;
    }
    m_caret = std::clamp(m_caret, 0, static_cast<int>(m_text.size()));
    const int before = PreviousNonBlank(m_text, m_caret);
    const int after = NextNonBlank(m_text, m_caret);
    if (before == kNone || after == kNone) {
        return;
    }
    const char open = m_text[before];
    const char close = m_text[after];
    if ((open == '{' && close == '}') || (open == '(' && close == ')')) {
        if (m_caret < static_cast<int>(m_text.size()) && m_text[m_caret] == kBlank) {
            m_text.insert(m_caret + 1, 1, kPlaceholder);
        } else {
            m_text.insert(m_caret, " ~");
        }
    }
}

// --- clipboard ----------------------------------------------------------------------------------

void CEditorModel::Copy() {
    if (m_selectionShown) {
        m_clipboard = SelectedText();
    }
}

void CEditorModel::Cut() {
    if (!m_selectionShown) {
        return;
    }
    m_clipboard = SelectedText();
    RemoveShownSelection();
}

void CEditorModel::Paste() {
    if (m_clipboard.empty()) {
        return;
    }
    const bool anchorAfterCaret = m_selectionShown && m_anchor > m_caret;
    std::string piece = " " + m_clipboard;
    Insert(piece, anchorAfterCaret ? 0 : static_cast<int>(piece.size()));
}
