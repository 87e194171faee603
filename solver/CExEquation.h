#pragma once

// The workspace of an equation: a workspace whose tree is a relation, with the unknown letter, the
// roots found, the state of the solve and the label of a numbered sub-problem.
//
// Sub-equations (a factor equal to zero, an expression equal to a value) are workspaces of their
// own, made on the stack of the step that needs them with SubEquation; they share the budget of
// the top-level equation, which bounds how deep they nest and how many there are in one solve.

#include "model/CNumberSet.h"
#include "model/CORelation.h"
#include "solver/CExpression.h"

#include <cstdint>
#include <string>

// What one solve of an equation may still spend on sub-equations.
struct EquationBudget {
    std::int32_t subEquations = 0;
};

class CExEquation : public CExpression {
public:
    // The result states.
    static constexpr std::int32_t kNotSolved = 0;
    static constexpr std::int32_t kSolved = 1;
    // Every number solves the equation, but domain conditions exclude values: no listed answer.
    static constexpr std::int32_t kEveryNumberExcluded = 2;
    // A substitution was introduced but its equation could not be solved.
    static constexpr std::int32_t kNewLetterUnsolved = 3;

    // Parses text (prepared, ending with ";") as a relation "sum=sum", then applies the end test.
    // A top-level equation: answer heading 0, result state 0.
    CExEquation(const std::string& text, COutputList* solution, char letter);

    // A workspace over an existing relation, owned from now on (a sub-equation).
    CExEquation(std::int32_t answerHeading, NodePtr relation, COutputList* solution, char letter);

    // A sub-equation of parent over relation: the parent's unknown, a copy of its line-block
    // stack, its condition text and its budget, one level deeper. False from Admit when the
    // nesting depth or the number of sub-equations of the solve is past its limit.
    static std::unique_ptr<CExEquation> SubEquation(CExEquation& parent, std::int32_t answerHeading,
                                                    NodePtr relation, COutputList* solution);

    // --- the relation ---------------------------------------------------------------------------
    // The relation in the working slot, or null when the tree is not one.
    CORelation* Relation() const;
    // The sides of the relation; the relation must exist.
    NodePtr& LeftSlot() { return Relation()->LeftSlot(); }
    NodePtr& RightSlot() { return Relation()->RightSlot(); }
    COperation* Left() const { return Relation()->Left(); }
    COperation* Right() const { return Relation()->Right(); }

    // --- roots ----------------------------------------------------------------------------------
    // The root set becomes empty (no listed value, not the complement).
    void ClearRoots();
    // Appends a root unless an equal one is listed.
    void AddRoot(NodePtr root);
    // Appends the roots of a solved sub-equation; every number when the sub-equation has it.
    void AddRootsOf(const CExEquation& child);

    // --- nesting --------------------------------------------------------------------------------
    std::int32_t Depth() const { return m_depth; }
    // Past a limit of nesting, sets the "too large" error and returns false.
    bool Admit();

    // Which heading the answer gets: 0 CommentID::AnswerHeadingEquation0 (the problem itself), 1
    // CommentID::AnswerHeadingEquation1 (a case of a split or a back-substituted equation), 2
    // CommentID::AnswerHeadingEquation2 (an equation in a new letter).
    std::int32_t answerHeading = 0;
    // Set by the equation solver; kSolved means the roots are the answer.
    std::int32_t resultState = kNotSolved;
    // The letter solved for.
    char unknown = 'x';
    CNumberSet roots;
    // The label of a numbered sub-problem, its numbers joined by "." ("1.2"); empty at top level.
    std::string conditionText;

private:
    std::int32_t m_depth = 0;
    EquationBudget m_ownBudget;
    EquationBudget* m_budget = &m_ownBudget;
};
