#include "solver/CExpression.h"

#include "markup/CFormulaParser.h"
#include "markup/ProblemText.h"
#include "model/CNumber.h"
#include "model/CommentMerge.h"
#include "model/TreeQueries.h"
#include "model/WorkBudget.h"
#include "output/ProblemError.h"

#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool OneOf(const std::string& text, std::size_t at, const char* chars) {
    return at >= text.size() || std::strchr(chars, text[at]) != nullptr;
}

// The text with every standalone quotient of two whole numbers written as a number literal,
// "5/{2}" as "5/2": a division of the numbers and the fraction literal are drawn alike, so two
// steps that differ only there show the same line.
std::string QuotientsAsLiterals(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "/{") == 0 && i > 0 && IsDigit(text[i - 1])) {
            std::size_t start = i;
            while (start > 0 && IsDigit(text[start - 1])) {
                --start;
            }
            std::size_t end = i + 2;
            while (end < text.size() && IsDigit(text[end])) {
                ++end;
            }
            const bool wholeNumbers = end > i + 2 && end < text.size() && text[end] == '}';
            if (wholeNumbers && (start == 0 || OneOf(text, start - 1, "+-=({")) && OneOf(text, end + 1, "+-=)}")) {
                shown.push_back('/');
                shown.append(text, i + 2, end - i - 2);
                i = end + 1;
                continue;
            }
        }
        shown.push_back(text[i]);
        ++i;
    }
    return shown;
}

bool ShownAlike(const std::string& a, const std::string& b) {
    return a == b || QuotientsAsLiterals(a) == QuotientsAsLiterals(b);
}

} // namespace

CExpression::CExpression() : m_rootSlot(&m_root) {}

CExpression::CExpression(const std::string& text, COutputList* solutionList)
    : CExpression(text, solutionList, ParseLevel::Sum) {}

CExpression::CExpression(const std::string& text, COutputList* solutionList, ParseLevel level)
    : m_rootSlot(&m_root), m_solution(solutionList) {
    Parse(text, level);
}

CExpression::CExpression(COutputList* solutionList, NodePtr tree, NodeHandle slot)
    : m_root(std::move(tree)), m_rootSlot(slot ? slot : &m_root), m_solution(solutionList) {}

CExpression::~CExpression() = default;

void CExpression::Parse(const std::string& text, ParseLevel level) {
    // The parser applies the end test and refuses texts past the engine's limits.
    ParseResult parsed = level == ParseLevel::Sum ? ParseExpressionText(text) : ParseEquationText(text);
    if (parsed.errorCode != ProblemError::None) {
        SetError(parsed.errorCode);
        return;
    }
    m_root = std::move(parsed.tree);
    CheckLimits();
}

void CExpression::SetRootSlot(NodeHandle handle) {
    m_rootSlot = handle ? handle : &m_root;
}

const COperation* CExpression::WrittenTree() const {
    return m_root ? m_root.get() : m_rootSlot->get();
}

bool CExpression::IsValid() const {
    return m_errorCode == ProblemError::None && !CNumber::LimitExceeded() && HasValidTree();
}

bool CExpression::Validate() {
    if (CheckLimits()) {
        return false;
    }
    const bool valid = HasValidTree();
    if (CheckLimits()) {
        return false; // the walk itself may have spent the rest of the work budget
    }
    if (valid) {
        return true;
    }
    SetError(WrittenTree() ? ProblemError::IncompleteExpression : ProblemError::NoExpression);
    return false;
}

bool CExpression::HasValidTree() const {
    const COperation* tree = WrittenTree();
    if (tree == nullptr) {
        return false;
    }
    std::int64_t visited = 0;
    const bool sound = IsSoundTree(*tree, visited);
    WorkBudget::Charge(visited * WorkBudget::kUnitsPerNodeVisit);
    return sound;
}

void CExpression::SetError(ProblemError code) {
    if (m_errorCode == ProblemError::None) {
        m_errorCode = code;
    }
}

void CExpression::TakeErrorFrom(const CExpression& part) {
    if (part.m_errorCode == ProblemError::None || m_errorCode != ProblemError::None) {
        return;
    }
    m_errorCode = part.m_errorCode;
    m_errorRecorded = part.m_errorRecorded;
}

bool CExpression::CheckLimits() {
    if (CNumber::LimitExceeded()) {
        SetError(ProblemError::ProblemTooLarge);
    }
    return m_errorCode != ProblemError::None;
}

void CExpression::QueueComment(CommentIDType id) {
    MergeComment(m_pendingComments, id);
}

void CExpression::DiscardComments() {
    m_pendingComments.clear();
    if (COperation* tree = m_root ? m_root.get() : m_rootSlot->get()) {
        ClearAllComments(*tree);
    }
}

void CExpression::WriteMarkup(std::string& text) const {
    text.clear();
    if (const COperation* tree = WrittenTree()) {
        tree->WriteText(text, TextContext::Free);
    }
    DotProducts(text);
}

void CExpression::RefreshLastText() {
    WriteMarkup(m_lastText);
}

bool CExpression::PrepareStep(std::string& text) {
    if (COperation* tree = m_rootSlot->get()) {
        CollectComments(*tree, m_pendingComments);
    }
    // A number past its limit may no longer hold its true value, and a formula that divides by
    // zero (as {0} or 0/0 appear once like terms are combined) has none: the solve ends with the
    // error, and nothing more is written once an error is set.
    if (!Validate()) {
        m_pendingComments.clear();
        return false;
    }
    WriteMarkup(text);
    // A step over a long formula is work in proportion to its text (walking, comparing and
    // writing its nodes): a long formula stepped many times is stopped by the budget of the solve
    // like any other work.
    WorkBudget::Charge(static_cast<std::int64_t>(text.size()) * WorkBudget::kUnitsPerStepTextByte);
    if (!m_solution) {
        m_pendingComments.clear();
        return false;
    }
    return true;
}

bool CExpression::AdmitFormulaText(std::size_t textBytes) {
    if (WorkBudget::RecordTextFits(textBytes)) {
        return true;
    }
    WorkBudget::ChargeRecord(textBytes);
    return false;
}

void CExpression::RecordStep(bool forced) {
    std::string text;
    if (!PrepareStep(text)) {
        return;
    }
    if (!forced && m_pendingComments.empty() && ShownAlike(text, m_lastText)) {
        return;
    }
    if (!AdmitFormulaText(text.size())) {
        m_pendingComments.clear();
        return;
    }
    m_lastText = std::move(text);
    for (const CommentIDType id : m_pendingComments) {
        m_solution->AddComment(&m_lineBlocks, id, false, true);
        WorkBudget::ChargeRecord(0);
    }
    m_pendingComments.clear();
    m_solution->AddFormula(&m_lineBlocks, m_lastText, false);
    WorkBudget::ChargeRecord(m_lastText.size());
}

bool CExpression::RecordStepAndCheck(bool forced) {
    RecordStep(forced);
    return !CheckLimits();
}

void CExpression::RecordStepAfter(std::optional<COutputList::Position> position) {
    std::string text;
    if (!PrepareStep(text)) {
        return;
    }
    if (text != m_lastText) {
        if (!AdmitFormulaText(text.size())) {
            m_pendingComments.clear();
            return;
        }
        m_lastText = std::move(text);
        m_solution->InsertFormulaAfter(&m_lineBlocks, position, m_lastText, false);
        WorkBudget::ChargeRecord(m_lastText.size());
    }
    // Each comment goes right after position, so taking them from the last keeps queue order.
    for (auto id = m_pendingComments.rbegin(); id != m_pendingComments.rend(); ++id) {
        m_solution->InsertCommentAfter(&m_lineBlocks, position, *id, false, true);
        WorkBudget::ChargeRecord(0);
    }
    m_pendingComments.clear();
}

void CExpression::RewriteLastStep() {
    std::string text;
    if (!PrepareStep(text) || text == m_lastText) {
        return;
    }
    COutputRecord* last = m_solution->IsEmpty() ? nullptr : m_solution->Records().back().get();
    OutputBlockFormula* formula =
        last != nullptr && last->IsFormulaOnly() ? last->Blocks().front()->AsFormula() : nullptr;
    if (formula == nullptr || formula->text != m_lastText || !m_pendingComments.empty()) {
        RecordStep(false);
        return;
    }
    formula->text = text;
    m_lastText = std::move(text);
}

void CExpression::AddFormulaRecord(std::string text, bool spoken) {
    if (m_solution && AdmitFormulaText(text.size())) {
        WorkBudget::ChargeRecord(text.size());
        m_solution->AddFormula(&m_lineBlocks, std::move(text), spoken);
    }
}

void CExpression::AddCommentRecord(std::optional<CommentIDType> id, bool alwaysShown, bool spoken) {
    if (!id || !m_solution) {
        return;
    }
    m_solution->AddComment(&m_lineBlocks, *id, alwaysShown, spoken);
    WorkBudget::ChargeRecord(0);
    if (m_errorCode != ProblemError::None && id == ErrorComment(m_errorCode)) {
        m_errorRecorded = true;
    }
}

void CExpression::AddErrorRecord() {
    if (!m_errorRecorded) {
        AddCommentRecord(ErrorComment(m_errorCode), true, false);
    }
}

void CExpression::ClearPendingRecord() {
    m_pendingRecord.reset();
}

COutputRecord& CExpression::PendingRecord() {
    if (!m_pendingRecord) {
        m_pendingRecord = std::make_unique<COutputRecord>(&m_lineBlocks);
    }
    return *m_pendingRecord;
}

void CExpression::AddPendingFormula(std::string text, bool spoken) {
    PendingRecord().AddFormula(std::move(text), spoken);
}

void CExpression::AddPendingComment(CommentIDType id, bool alwaysShown, bool spoken) {
    PendingRecord().AddComment(id, alwaysShown, spoken);
}

void CExpression::FlushPendingRecord() {
    if (m_pendingRecord && m_solution && AdmitFormulaText(m_pendingRecord->FormulaTextSize())) {
        WorkBudget::ChargeRecord(m_pendingRecord->FormulaTextSize());
        m_solution->AddRecord(std::move(m_pendingRecord));
    }
    m_pendingRecord.reset();
}

void CExpression::PushLineBlock(LineBlockKind kind, std::int32_t number) {
    m_lineBlocks.push_back(LineBlockInfo{kind, number});
}

std::int32_t CExpression::PopLineBlock() {
    if (m_lineBlocks.empty()) {
        return -1;
    }
    const std::int32_t number = m_lineBlocks.back().number;
    m_lineBlocks.pop_back();
    return number;
}

void CExpression::NextLineBlock() {
    if (!m_lineBlocks.empty()) {
        ++m_lineBlocks.back().number;
    }
}

std::optional<LineBlockKind> CExpression::TopKind() const {
    if (m_lineBlocks.empty()) {
        return std::nullopt;
    }
    return m_lineBlocks.back().kind;
}

void CExpression::SetTopKind(LineBlockKind kind) {
    if (!m_lineBlocks.empty()) {
        m_lineBlocks.back().kind = kind;
    }
}
