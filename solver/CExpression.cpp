#include "solver/CExpression.h"

#include "markup/CFormulaParser.h"
#include "markup/ProblemText.h"
#include "model/CNumber.h"
#include "model/CommentMerge.h"
#include "model/TreeQueries.h"
#include "model/WorkBudget.h"
#include "solver/ProblemError.h"

std::optional<CommentIDType> ErrorComment(int code) {
    switch (code) {
    case ProblemError::kInvalidCharacter:
        return CommentID::ErrorInvalidCharacter;
    case ProblemError::kMissingOperand:
        return CommentID::ErrorMissingOperand;
    case ProblemError::kWrongClosingBracket:
        return CommentID::ErrorWrongClosingBracket;
    case ProblemError::kIncompleteExpression:
        return CommentID::ErrorIncompleteExpression;
    case ProblemError::kExponentNotInteger:
        return CommentID::ErrorExponentNotInteger;
    case ProblemError::kCharactersLeftOver:
        return CommentID::ErrorCharactersLeftOver;
    case ProblemError::kNoExpression:
        return CommentID::ErrorNoExpression;
    case ProblemError::kProblemTooLarge:
        return CommentID::ErrorProblemTooLarge;
    default:
        return std::nullopt;
    }
}

CExpression::CExpression() : rootSlot(&root) {}

CExpression::CExpression(const std::string& text, COutputList* solutionList)
    : CExpression(text, solutionList, ParseLevel::Sum) {}

CExpression::CExpression(const std::string& text, COutputList* solutionList, ParseLevel level)
    : rootSlot(&root), solution(solutionList) {
    Parse(text, level);
}

CExpression::CExpression(COutputList* solutionList, NodePtr tree, NodeHandle slot)
    : root(std::move(tree)), rootSlot(slot ? slot : &root), solution(solutionList) {}

CExpression::~CExpression() = default;

void CExpression::Parse(const std::string& text, ParseLevel level) {
    // The parser applies the end test and refuses texts past the engine's limits.
    ParseResult parsed = level == ParseLevel::Sum ? ParseExpressionText(text) : ParseEquationText(text);
    if (parsed.errorCode != ParseError::kNone) {
        SetError(parsed.errorCode);
        return;
    }
    root = std::move(parsed.tree);
    CheckLimits();
}

void CExpression::SetRootSlot(NodeHandle handle) {
    rootSlot = handle ? handle : &root;
}

const COperation* CExpression::WrittenTree() const {
    return root ? root.get() : rootSlot->get();
}

bool CExpression::IsValid() const {
    return errorCode == 0 && !CNumber::LimitExceeded() && HasValidTree();
}

bool CExpression::Validate() {
    if (CheckLimits()) {
        return false;
    }
    if (HasValidTree()) {
        return true;
    }
    SetError(WrittenTree() ? ProblemError::kIncompleteExpression : ProblemError::kNoExpression);
    return false;
}

bool CExpression::HasValidTree() const {
    const COperation* tree = WrittenTree();
    return tree && tree->IsDefined() && !tree->HasZeroDivisor() && !HasZeroDenominatorNumber(*tree);
}

void CExpression::SetError(int code) {
    if (errorCode == 0) {
        errorCode = code;
    }
}

void CExpression::TakeErrorFrom(const CExpression& part) {
    if (part.errorCode == 0 || errorCode != 0) {
        return;
    }
    errorCode = part.errorCode;
    errorRecorded = part.errorRecorded;
}

bool CExpression::CheckLimits() {
    if (CNumber::LimitExceeded()) {
        SetError(ProblemError::kProblemTooLarge);
    }
    return errorCode != 0;
}

void CExpression::QueueComment(CommentIDType id) {
    MergeComment(pendingComments, id);
}

void CExpression::DiscardComments() {
    pendingComments.clear();
    if (COperation* tree = root ? root.get() : rootSlot->get()) {
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
    WriteMarkup(lastText);
}

bool CExpression::PrepareStep(std::string& text) {
    if (COperation* tree = rootSlot->get()) {
        CollectComments(*tree, pendingComments);
    }
    // A number past its limit may no longer hold its true value, and a formula that divides by
    // zero (as {0} or 0/0 appear once like terms are combined) has none: the solve ends with the
    // error, and nothing more is written once an error is set.
    if (!Validate()) {
        pendingComments.clear();
        return false;
    }
    WriteMarkup(text);
    // Writing the whole formula at every step is work too: a long formula stepped many times is
    // stopped by the budget of the solve like any other work.
    WorkBudget::Charge(static_cast<std::int64_t>(text.size()));
    if (!solution) {
        pendingComments.clear();
        return false;
    }
    return true;
}

void CExpression::RecordStep(bool forced) {
    std::string text;
    if (!PrepareStep(text)) {
        return;
    }
    if (text == lastText && pendingComments.empty() && !forced) {
        return;
    }
    lastText = std::move(text);
    for (const CommentIDType id : pendingComments) {
        solution->AddComment(&lineBlocks, id, false, true);
        WorkBudget::ChargeRecord(0);
    }
    pendingComments.clear();
    solution->AddFormula(&lineBlocks, lastText, false);
    WorkBudget::ChargeRecord(lastText.size());
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
    if (text != lastText) {
        lastText = std::move(text);
        solution->InsertFormulaAfter(&lineBlocks, position, lastText, false);
        WorkBudget::ChargeRecord(lastText.size());
    }
    // Each comment goes right after position, so taking them from the last keeps queue order.
    for (auto id = pendingComments.rbegin(); id != pendingComments.rend(); ++id) {
        solution->InsertCommentAfter(&lineBlocks, position, *id, false, true);
        WorkBudget::ChargeRecord(0);
    }
    pendingComments.clear();
}

void CExpression::AddFormulaRecord(std::string text, bool spoken) {
    if (solution) {
        WorkBudget::ChargeRecord(text.size());
        solution->AddFormula(&lineBlocks, std::move(text), spoken);
    }
}

void CExpression::AddCommentRecord(std::optional<CommentIDType> id, bool alwaysShown, bool spoken) {
    if (!id || !solution) {
        return;
    }
    solution->AddComment(&lineBlocks, *id, alwaysShown, spoken);
    WorkBudget::ChargeRecord(0);
    if (errorCode != 0 && id == ErrorComment(errorCode)) {
        errorRecorded = true;
    }
}

void CExpression::AddErrorRecord() {
    if (!errorRecorded) {
        AddCommentRecord(ErrorComment(errorCode), true, false);
    }
}

void CExpression::ClearPendingRecord() {
    pendingRecord.reset();
}

COutputRecord& CExpression::PendingRecord() {
    if (!pendingRecord) {
        pendingRecord = std::make_unique<COutputRecord>(&lineBlocks);
    }
    return *pendingRecord;
}

void CExpression::AddPendingFormula(std::string text, bool spoken) {
    PendingRecord().AddFormula(std::move(text), spoken);
}

void CExpression::AddPendingComment(CommentIDType id, bool alwaysShown, bool spoken) {
    PendingRecord().AddComment(id, alwaysShown, spoken);
}

void CExpression::FlushPendingRecord() {
    if (pendingRecord && solution) {
        WorkBudget::ChargeRecord(pendingRecord->FormulaTextSize());
        solution->AddRecord(std::move(pendingRecord));
    }
    pendingRecord.reset();
}

void CExpression::PushLineBlock(std::int32_t kind, std::int32_t number) {
    lineBlocks.push_back(LineBlockInfo{kind, number});
}

std::int32_t CExpression::PopLineBlock() {
    if (lineBlocks.empty()) {
        return -1;
    }
    const std::int32_t number = lineBlocks.back().number;
    lineBlocks.pop_back();
    return number;
}

void CExpression::NextLineBlock() {
    if (!lineBlocks.empty()) {
        ++lineBlocks.back().number;
    }
}

std::int32_t CExpression::TopKind() const {
    return lineBlocks.empty() ? -1 : lineBlocks.back().kind;
}

void CExpression::SetTopKind(std::int32_t kind) {
    if (!lineBlocks.empty()) {
        lineBlocks.back().kind = kind;
    }
}
