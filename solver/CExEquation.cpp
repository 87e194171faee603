#include "solver/CExEquation.h"

#include "model/EngineLimits.h"
#include "model/NodeCast.h"
#include "output/ProblemError.h"

CExEquation::CExEquation(const std::string& text, COutputList* solution, char letter)
    : CExpression(text, solution, ParseLevel::Relation), unknown(letter) {}

CExEquation::CExEquation(std::int32_t heading, NodePtr relation, COutputList* solution, char letter)
    : CExpression(solution, std::move(relation)), answerHeading(heading), unknown(letter) {}

std::unique_ptr<CExEquation> CExEquation::SubEquation(CExEquation& parent, std::int32_t heading,
                                                      NodePtr relation, COutputList* solution) {
    auto child = std::make_unique<CExEquation>(heading, std::move(relation), solution, parent.unknown);
    child->SetLineBlocks(parent.LineBlocks());
    child->conditionText = parent.conditionText;
    child->m_depth = parent.m_depth + 1;
    child->m_budget = parent.m_budget;
    return child;
}

CORelation* CExEquation::Relation() const {
    COperation* tree = Root();
    return tree && tree->GetFamily() == NodeFamily::Relation ? &NodeAs<CORelation>(*tree) : nullptr;
}

void CExEquation::ClearRoots() {
    roots.DeleteAll();
    roots.SetComplementFlag(0);
}

void CExEquation::AddRoot(NodePtr root) {
    if (!roots.Lists(*root)) {
        roots.AddTail(std::move(root), 1);
    }
}

void CExEquation::AddRootsOf(const CExEquation& child) {
    if (child.roots.IsAll()) {
        roots.SetAll();
        return;
    }
    if (roots.IsAll()) {
        return;
    }
    for (const ListCell& cell : child.roots) {
        AddRoot(cell.child->Clone());
    }
}

bool CExEquation::Admit() {
    ++m_budget->subEquations;
    if (m_depth > EngineLimits::kMaxEquationNesting || m_budget->subEquations > EngineLimits::kMaxSubEquations ||
        (Solution() && Solution()->Size() > EngineLimits::kMaxSolutionRecords)) {
        SetError(ProblemError::ProblemTooLarge);
        return false;
    }
    return true;
}
