#include "solver/equation/EquationDomain.h"

#include "markup/MarkupCharacters.h"
#include "markup/ProblemText.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/CORoot.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"
#include "solver/CExEquation.h"
#include "solver/Methods.h"
#include "solver/SolverEntries.h"
#include "solver/equation/EquationAnswer.h"
#include "solver/equation/NodeValue.h"
#include "solver/equation/PlainCopy.h"

#include <cmath>

namespace {

// A condition counts as zero at an approximate root when its value is this small against the
// largest magnitude met while computing it.
constexpr long double kRelativeZero = 1e-12L;

bool HasLetter(const COperation& node, char letter) {
    return CollectLetters(node).find(letter) != std::string::npos;
}

void AddCondition(DomainList& domain, const COperation& denominator) {
    NodePtr plain = PlainCopy(denominator);
    for (const NodePtr& known : domain) {
        if (IsEqualNodes(*known, *plain)) {
            return;
        }
    }
    domain.push_back(std::move(plain));
}

bool HasNegativeNumberExponent(const COPower& power) {
    const CONumber* exponent = AsNumber(power.Exponent());
    return exponent && exponent->Value().Sign() < 0;
}

void Collect(const COperation& node, char letter, DomainList& domain) {
    switch (node.GetFamily()) {
    case NodeFamily::Power: {
        const auto& power = NodeAs<COPower>(node);
        if (power.Base() && HasNegativeNumberExponent(power) && HasLetter(*power.Base(), letter)) {
            AddCondition(domain, *power.Base());
        }
        if (power.Base()) {
            Collect(*power.Base(), letter, domain);
        }
        return;
    }
    case NodeFamily::Root:
        if (const COperation* radicand = NodeAs<CORoot>(node).Radicand()) {
            Collect(*radicand, letter, domain);
        }
        return;
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition:
        for (const ListCell& cell : *node.AsList()) {
            if (node.GetFamily() != NodeFamily::Addition && cell.sign < 0 && HasLetter(*cell.child, letter)) {
                AddCondition(domain, *cell.child);
            }
            Collect(*cell.child, letter, domain);
        }
        return;
    case NodeFamily::Relation: {
        const auto& relation = NodeAs<CORelation>(node);
        if (relation.Left()) {
            Collect(*relation.Left(), letter, domain);
        }
        if (relation.Right()) {
            Collect(*relation.Right(), letter, domain);
        }
        return;
    }
    case NodeFamily::Number:
    case NodeFamily::Variable:
        return;
    }
}

// The condition fails at the root: the denominator is zero there (or has no value at all).
bool ConditionFails(const COperation& condition, char letter, const COperation& root) {
    if (const CONumber* number = AsNumber(&root)) {
        const std::optional<CNumber> value = ExactValueAt(condition, letter, number->Value());
        return !value || value->IsZero();
    }
    const std::optional<long double> rootValue = ApproximateValue(root);
    if (!rootValue) {
        return false;
    }
    const std::optional<ApproximateResult> value = ApproximateValueAt(condition, letter, *rootValue);
    return !value || std::fabs(value->value) <= kRelativeZero * std::max<long double>(1, value->scale);
}

// The number of the first condition that fails at the root; 0 when all hold.
std::size_t FirstFailingCondition(const DomainList& domain, char letter, const COperation& root) {
    for (std::size_t i = 0; i < domain.size(); ++i) {
        if (ConditionFails(*domain[i], letter, root)) {
            return i + 1;
        }
    }
    return 0;
}

// The roots of "denominator = 0", solved in a list of their own that is thrown away; none when they
// cannot all be found.
std::optional<CNumberSet> ValuesMakingZero(CExEquation& workspace, const COperation& denominator) {
    COutputList scratch;
    std::unique_ptr<CExEquation> part =
        CExEquation::SubEquation(workspace, 1,
                                 std::make_unique<CORelation>(RelationCode::Equal, PlainCopy(denominator),
                                                              std::make_unique<CONumber>(0)),
                                 &scratch);
    if (!part->Admit()) {
        return std::nullopt;
    }
    SolveRelation(*part, false, false);
    if (part->ErrorCode() != ProblemError::None || part->resultState != CExEquation::kSolved ||
        part->roots.GetComplementFlag() != 0) {
        return std::nullopt;
    }
    return part->roots;
}

// An identity whose domain excludes values, (x^2 - 1)/(x - 1) = x + 1: the answer is every number
// except the roots of the denominators. Found for the problem itself only (a sub-equation's root set
// is gathered by its parent as a list); when a denominator's roots cannot be found the state stays
// "every number but excluded values", which the answer reports as not solved.
void ExcludeDomainValues(CExEquation& workspace, const DomainList& domain) {
    if (workspace.Depth() != 0 || domain.empty()) {
        return;
    }
    CNumberSet excluded;
    excluded.SetComplementFlag(0);
    for (const NodePtr& denominator : domain) {
        std::optional<CNumberSet> values = ValuesMakingZero(workspace, *denominator);
        if (!values) {
            return;
        }
        for (const ListCell& cell : *values) {
            if (!excluded.Lists(*cell.child)) {
                excluded.AddTail(cell.child->Clone(), 1);
            }
        }
    }
    for (const ListCell& cell : excluded) {
        workspace.roots.Exclude(cell.child->Clone());
    }
    workspace.resultState = CExEquation::kSolved;
}

} // namespace

DomainList CollectDomain(const COperation& relation, char letter) {
    DomainList domain;
    Collect(relation, letter, domain);
    return domain;
}

void WriteDomain(CExEquation& workspace, const DomainList& domain) {
    workspace.AddCommentRecord(CommentID::DomainConditions, false, true);
    std::string text;
    const bool system = domain.size() > 1;
    if (system) {
        text += "!sys{";
    }
    for (std::size_t i = 0; i < domain.size(); ++i) {
        if (i > 0) {
            text += ';';
        }
        domain[i]->WriteText(text, TextContext::Free);
        text += static_cast<char>(MarkupBytes::kNotEqual);
        text += "0 (" + std::to_string(i + 1) + ")";
    }
    if (system) {
        text += '}';
    }
    DotProducts(text);
    workspace.AddFormulaRecord(std::move(text), false);
}

void CheckRoots(CExEquation& workspace, const DomainList& domain) {
    if (workspace.roots.IsAll()) {
        workspace.resultState = CExEquation::kEveryNumberExcluded;
        ExcludeDomainValues(workspace, domain);
        return;
    }
    if (workspace.roots.IsEmpty() || domain.empty()) {
        return;
    }
    workspace.AddCommentRecord(CommentID::CheckRootsAgainstConditions, false, true);
    std::vector<NodePtr> rejected;
    for (const ListCell& cell : workspace.roots) {
        const std::size_t failing = FirstFailingCondition(domain, workspace.unknown, *cell.child);
        workspace.ClearPendingRecord();
        workspace.AddPendingFormula(RootFormula(workspace.unknown, *cell.child), false);
        if (failing > 0) {
            workspace.AddPendingComment(CommentID::RootMakesDenominatorZero, false, true);
            workspace.AddPendingFormula("!brssil{0;" + std::to_string(failing) + "}", false);
            workspace.AddPendingComment(CommentID::RootExcludedByCondition, false, true);
            rejected.push_back(cell.child->Clone());
        } else {
            workspace.AddPendingComment(CommentID::RootPassesCheck, false, true);
        }
        workspace.FlushPendingRecord();
    }
    for (NodePtr& root : rejected) {
        workspace.roots.Exclude(std::move(root));
    }
}

void WriteDomainBlock(CExEquation& workspace, const DomainList& domain) {
    workspace.PushLineBlock(LineBlockKind::Domain, 0);
    WriteDomain(workspace, domain);
    workspace.PopLineBlock();
}

void CheckRootsBlock(CExEquation& workspace, const DomainList& domain) {
    workspace.PushLineBlock(LineBlockKind::Check, 0);
    CheckRoots(workspace, domain);
    workspace.PopLineBlock();
}
