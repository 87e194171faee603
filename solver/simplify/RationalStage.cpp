// The rational stage of the simplifier: the tree converted into polynomial forms, the level nodes
// stepped, and the one remaining rational monomial reduced.

#include "model/NodeCast.h"
#include "solver/simplify/Simplification.h"

#include "model/CMethod.h"
#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/EngineLimits.h"
#include "model/TreeQueries.h"
#include "model/Walkers.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/SimplifySupport.h"
#include "solver/simplify/HyperMonomSteps.h"
#include "solver/simplify/LevelGrouping.h"
#include "solver/simplify/LevelSteps.h"

#include <functional>

namespace {

void VisitHyperMonoms(COperation& node, const std::function<bool(COHyperMonom&)>& action, bool& changed) {
    const NodeType type = node.GetType();
    if (type == NodeType::HyperMonom) {
        changed = action(NodeAs<COHyperMonom>(node)) || changed;
        return;
    }
    if (type == NodeType::Monom || type == NodeType::Polynom) {
        return;
    }
    VisitChildSlots(node, false, [&](NodeHandle child) {
        if (*child) {
            VisitHyperMonoms(**child, action, changed);
        }
    });
}

// Calls `action` on every rational monomial of the tree; true when it reported a change for any of
// them. Rational monomials, polynomials and monomials hold no rational monomial (the factors of one
// are powers of polynomials), so the walk does not enter them.
bool ForEachHyperMonom(NodeHandle tree, const std::function<bool(COHyperMonom&)>& action) {
    bool changed = false;
    if (*tree) {
        VisitHyperMonoms(**tree, action, changed);
    }
    return changed;
}

bool HasCrossedFactor(const COHyperMonom& monom) {
    for (const ListCell& cell : monom) {
        if (cell.child->CrossOut() != 0) {
            return true;
        }
    }
    return false;
}

// A power of a polynomial of several terms whose written-out degree would pass the limit of the
// polynomial arithmetic ends the solve as too large: (x+1)^100000 could never be worked with.
bool PowersWithinLimits(NodeHandle tree) {
    bool within = true;
    ForEachHyperMonom(tree, [&within](COHyperMonom& monom) {
        for (const ListCell& cell : monom) {
            const COPolynom& polynom = *monom.FactorBase(cell);
            if (polynom.IsConstant()) {
                continue;
            }
            const CNumber exponent = monom.FactorExponent(cell);
            const CNumber limit(static_cast<std::int32_t>(EngineLimits::kMaxPolynomialDegree));
            if (exponent.Greater(limit)) {
                within = false;
                continue;
            }
            // The degree read from the terms as written bounds the value's degree; the value is
            // built only when that bound does not settle the question.
            const std::optional<std::int64_t> bound = polynom.DegreeBound();
            const bool settled = bound && *bound <= EngineLimits::kMaxPolynomialDegree &&
                                 exponent.GreaterEqual(1) &&
                                 !exponent.Product(CNumber(static_cast<std::int32_t>(*bound))).Greater(limit);
            if (polynom.GetCount() > 1 && !settled &&
                exponent.Product(CNumber(static_cast<std::int32_t>(polynom.Value().TotalDegree())))
                    .Greater(limit)) {
                within = false;
            }
        }
        return false;
    });
    return within;
}

// Repeats a round while it reports a change, recording a step after each; ends the solve as too
// large past the bound.
void RepeatRecorded(CExpression& workspace, const std::function<bool()>& round) {
    for (int count = 0; count < EngineLimits::kMaxSimplifyPasses; ++count) {
        if (!round()) {
            return;
        }
        if (!workspace.RecordStepAndCheck(false)) {
            return;
        }
    }
    workspace.SetError(ProblemError::ProblemTooLarge);
}

// Marks common factors as crossed-out pairs, records the step that shows them, removes them and
// records again; repeated while pairs are found.
void CancelRepeatedly(CExpression& workspace, const std::function<bool()>& mark,
                      const std::function<void()>& remove) {
    for (int count = 0; count < EngineLimits::kMaxSimplifyPasses; ++count) {
        if (!mark()) {
            workspace.RecordStep(false);
            return;
        }
        if (!workspace.RecordStepAndCheck(false)) {
            return;
        }
        remove();
        workspace.RecordStep(false);
    }
    workspace.SetError(ProblemError::ProblemTooLarge);
}

// Step 9 of the reduction on one monomial: constants gathered; unless it is a single polynomial,
// monomial factors split and constants gathered again (with `record` after each part).
void GatherAndSplit(COHyperMonom& monom, const std::function<void()>& record) {
    GatherConstants(monom);
    record();
    if (!IsSinglePolynomial(monom)) {
        SplitMonomialFactors(monom);
        record();
        GatherConstants(monom);
        record();
    }
}

bool StepEveryLevelNode(NodeHandle tree) {
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        switch ((*handle)->GetType()) {
        case NodeType::LevelAddition:
            changed = StepLevelAddition(handle) || changed;
            break;
        case NodeType::LevelMultiplication:
            changed = StepLevelMultiplication(handle) || changed;
            break;
        case NodeType::LevelPower:
            changed = StepLevelPower(handle) || changed;
            break;
        default:
            break;
        }
    });
    WalkPlain(tree, visit);
    return changed;
}

} // namespace

void BuildRationalForms(CExpression& workspace) {
    const NodeHandle tree = workspace.RootSlot();
    BuildMonoms(tree);
    workspace.RecordStep(false);
    BuildPolynoms(tree);
    NormalizePolynoms(tree);
    workspace.RecordStep(false);
    BuildHyperMonoms(tree);
    workspace.RecordStep(false);
    if (!PowersWithinLimits(tree)) {
        workspace.SetError(ProblemError::ProblemTooLarge);
    }
    if (!CheckLimits(workspace) || IsSingleFraction(workspace)) {
        return;
    }
    PrepareFractionSum(workspace);
    if (!workspace.Validate()) {
        return;
    }
    CSimpleMethod prepare([](NodeHandle handle) {
        if (!IsSumOfHyperMonoms(**handle)) {
            return;
        }
        for (ListCell& cell : *(*handle)->AsList()) {
            GatherAndSplit(NodeAs<COHyperMonom>(*cell.child), [] {});
        }
    });
    WalkPlain(tree, prepare);
    workspace.RecordStep(false);
    BuildLevelAdditions(tree);
    workspace.RecordStep(false);
    BuildLevelMultiplications(tree);
    workspace.RecordStep(false);
    BuildLevelPowers(tree);
    workspace.RecordStep(false);
}

void PrepareFractionSum(CExpression& workspace) {
    const NodeHandle tree = workspace.RootSlot();
    RepeatRecorded(workspace, [tree] {
        return ForEachHyperMonom(
            tree, [](COHyperMonom& monom) { return TakeOutNumbers(monom, NumberMode::ClearNumerators); });
    });
    if (!workspace.Validate()) {
        return;
    }
    if (FoldFractionSigns(tree)) {
        workspace.QueueComment(CommentID::SignMovedOutOfFraction);
        ExtractSigns(workspace);
        workspace.RecordStep(false);
    }
    CancelRepeatedly(
        workspace,
        [tree] {
            return ForEachHyperMonom(tree, [](COHyperMonom& monom) { return CancelCommonFactors(monom); });
        },
        [tree, &workspace] {
            ForEachHyperMonom(tree, [](COHyperMonom& monom) {
                if (HasCrossedFactor(monom)) {
                    RemoveCancelledPairs(monom);
                }
                return false;
            });
            workspace.QueueComment(CommentID::Cancellation);
        });
}

void StepLevels(CExpression& workspace, LevelStepping mode, bool* stop) {
    const NodeHandle tree = workspace.RootSlot();
    for (int pass = 0; pass < EngineLimits::kMaxLevelSteps; ++pass) {
        if (mode != LevelStepping::UntilDone && IsFinishedLevelSum(workspace)) {
            return;
        }
        if (mode == LevelStepping::ForEquation && GroupFractionTerms(workspace)) {
            if (stop != nullptr) {
                *stop = true;
            }
            return;
        }
        if (!StepEveryLevelNode(tree)) {
            return;
        }
        if (!PowersWithinLimits(tree)) {
            workspace.SetError(ProblemError::ProblemTooLarge);
        }
        if (!workspace.RecordStepAndCheck(false)) {
            return;
        }
    }
    workspace.SetError(ProblemError::ProblemTooLarge);
}

void FinishFraction(CExpression& workspace) {
    const auto record = [&workspace] { workspace.RecordStep(false); };
    const auto monom = [&workspace]() -> COHyperMonom& { return *SingleFraction(workspace); };
    // 1. the tree as it stands
    record();
    // 2, 3. zero numerator; polynomials normalized
    ApplyZeroNumerator(monom());
    record();
    NormalizeFactors(monom());
    record();
    ApplyZeroNumerator(monom());
    record();
    if (!CheckLimits(workspace)) {
        return;
    }
    // 4. leading signs positive, the sign in front of the whole
    if (!IsSinglePolynomial(monom())) {
        bool flipped = false;
        const std::int32_t sign = monom().NormalizeSign(flipped);
        if (flipped && monom().GetCount() > 1) {
            monom().AddComment(CommentID::SignMovedOutOfFraction);
        }
        const NodeHandle tree = workspace.RootSlot();
        if (sign == -1) {
            if ((*tree)->GetType() == NodeType::Addition) {
                (*tree)->AsList()->NegateAll();
            } else {
                WrapNegated(tree);
            }
        }
        if ((*tree)->GetType() == NodeType::Addition && (*tree)->AsList()->Head()->sign == 1) {
            ReplaceByOnlyElement(tree);
        }
        record();
    }
    // 5. factors 1 removed
    RemoveUnitFactors(monom());
    // 6. numbers taken out of the numerator's coefficients
    RepeatRecorded(workspace, [&monom] { return TakeOutNumbers(monom(), NumberMode::ClearNumerators); });
    // 7, 8. common factors cancelled, by divisibility and then by greatest common divisor
    const auto remove = [&monom] { RemoveCancelledPairs(monom()); };
    CancelRepeatedly(
        workspace, [&monom] { return monom().CancelByDivisibility(); }, remove);
    CancelRepeatedly(
        workspace, [&monom] { return monom().CancelByGcd(); }, remove);
    if (!workspace.Validate()) {
        return;
    }
    // 9. constants gathered, monomial factors split
    GatherAndSplit(monom(), record);
    // 10. equal factors merged
    MergeEqualFactors(monom());
    record();
    // 11. integer contents taken out and the constants combined
    if (!IsSinglePolynomial(monom())) {
        RepeatRecorded(workspace, [&monom] { return TakeOutNumbers(monom(), NumberMode::IntegerContent); });
    }
    CheckLimits(workspace);
}

void UnbuildLevelSums(NodeHandle tree) {
    CSimpleMethod visit([](NodeHandle handle) {
        if ((*handle)->GetType() != NodeType::LevelAddition) {
            return;
        }
        COperationList& terms = *(*handle)->AsList();
        if (terms.GetCount() == 1 && terms.Head()->sign == 1) {
            ReplaceByOnlyElement(handle);
            return;
        }
        auto sum = std::make_unique<COAddition>();
        SpliceCells(*sum, sum->End(), terms, 1);
        ReplaceNode(handle, std::move(sum));
    });
    WalkPlain(tree, visit);
}
