// The recognisers that rewrite an equation "left = 0" into a shape with a substitution and hand
// it to SolveBySubstitution. Each works tentatively: its steps are written into a sub-equation of
// its own over a copy of the relation, and only a solved equation's steps and roots reach the
// workspace.

#include "markup/MarkupCharacters.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "output/COutputList.h"
#include "solver/CExEquation.h"
#include "solver/equation/EquationAnswer.h"
#include "solver/substitution/PairedFactors.h"
#include "solver/substitution/PolynomialDecomposition.h"
#include "solver/substitution/Reductions.h"
#include "solver/substitution/SubstitutionForms.h"
#include "solver/substitution/SubstitutionSupport.h"
#include "solver/substitution/TreePolynomial.h"

#include <functional>

namespace {

// The left side as a polynomial in the unknown alone, right side zero; none otherwise.
std::optional<CPolynomValue> LeftPolynomial(const CExEquation& workspace) {
    if (!workspace.Relation() || !IsZeroSide(workspace.Right())) {
        return std::nullopt;
    }
    std::optional<CPolynomValue> value = PolynomialOf(*workspace.Left());
    if (!value || value->Letters() != std::string(1, workspace.unknown)) {
        return std::nullopt;
    }
    return value;
}

// Runs `body` on a sub-equation over a copy of the relation writing into a list of its own; on
// success the list, the roots and the state reach the workspace. A state "new letter unsolved"
// reaches it either way.
bool Tentatively(CExEquation& workspace, const std::function<bool(CExEquation&)>& body) {
    if (!HasRoomForSubstitution(workspace, 1)) {
        return false;
    }
    COutputList list;
    std::unique_ptr<CExEquation> trial =
        CExEquation::SubEquation(workspace, workspace.answerHeading, workspace.Root()->Clone(), &list);
    if (!trial->Admit()) {
        workspace.TakeErrorFrom(*trial);
        return true;
    }
    trial->SetLastText(workspace.LastText());
    const bool solved = body(*trial);
    if (solved && trial->ErrorCode() == ProblemError::None) {
        workspace.SetLastText(trial->LastText());
    }
    return TakeOverPart(workspace, *trial, list, solved);
}

// The left side replaced by a tree, with a comment, as one step; nothing is written when the
// equation reads as before.
void ShowLeft(CExEquation& equation, NodePtr left, std::optional<CommentIDType> comment) {
    equation.LeftSlot() = std::move(left);
    std::string text;
    equation.WriteMarkup(text);
    if (text == equation.LastText()) {
        return;
    }
    if (comment) {
        equation.QueueComment(*comment);
    }
    equation.RecordStep(false);
}

NodePtr Letter(char letter) {
    return std::make_unique<COVariable>(letter);
}

NodePtr Number(const CNumber& value) {
    return std::make_unique<CONumber>(value);
}

NodePtr PowerOf(NodePtr base, std::int32_t exponent) {
    return std::make_unique<COPower>(std::move(base), std::make_unique<CONumber>(exponent));
}

// a·node, the factor left out when it is 1 and put in front of the factors of a product.
NodePtr Times(const CNumber& a, NodePtr node) {
    if (a.IsOne()) {
        return node;
    }
    if (node->GetFamily() == NodeFamily::Multiplication) {
        node->AsList()->AddHead(Number(a), 1);
        return node;
    }
    auto product = std::make_unique<COMultiplication>(Number(a), 1);
    product->AddTail(std::move(node), 1);
    return product;
}

// Appends a·node to a sum with the sign of a; without a node, the number a itself.
void AddTerm(COAddition& sum, CNumber a, NodePtr node = nullptr) {
    const std::int32_t sign = a.TakeSign() < 0 ? -1 : 1;
    if (!a.IsZero()) {
        sum.AddTail(node ? Times(a, std::move(node)) : Number(a), sign);
    }
}

// a·t^2 + b·t + c.
CPolynomValue QuadraticIn(char letter, const CNumber& a, const CNumber& b, const CNumber& c) {
    const auto t = static_cast<unsigned char>(letter);
    CPolynomValue quadratic = CPolynomValue::Letter(t, 2).Scaled(a);
    quadratic.AddInPlace(CPolynomValue::Letter(t, 1).Scaled(b));
    quadratic.AddInPlace(CPolynomValue(c));
    return quadratic;
}

// x, or x^j for j > 1.
NodePtr LetterPower(char x, std::int32_t j) {
    return j == 1 ? Letter(x) : PowerOf(Letter(x), j);
}

// Appends n/x^j to a sum with the sign of n.
void AddOverLetterPower(COAddition& sum, CNumber n, char x, std::int32_t j) {
    const std::int32_t sign = n.TakeSign() < 0 ? -1 : 1;
    auto fraction = std::make_unique<COFraction>(Number(n), 1);
    fraction->AddTail(LetterPower(x, j), -1);
    sum.AddTail(std::move(fraction), sign);
}

// a·x^j + n/x^j.
NodePtr ScaledPair(char x, std::int32_t j, const CNumber& a, const CNumber& n) {
    auto sum = std::make_unique<COAddition>();
    AddTerm(*sum, a, LetterPower(x, j));
    AddOverLetterPower(*sum, n, x, j);
    return sum;
}

// x + k/x, the minus in front of the fraction when k is negative.
NodePtr PlusOverLetter(char x, const CNumber& k) {
    return ScaledPair(x, 1, CNumber(1), k);
}

std::unique_ptr<Substitution> Record(NodePtr expression, const CPolynomValue& equation, char letter) {
    auto record = std::make_unique<Substitution>();
    record->expression = std::move(expression);
    record->equation = PlainTreeOf(equation);
    record->letter = letter;
    return record;
}

void ShowNegated(CExEquation& equation, const CPolynomValue& polynom, bool negated) {
    if (negated) {
        CPolynomValue positive = polynom;
        positive.Negate();
        ShowLeft(equation, PlainTreeOf(positive), CommentID::BothSidesTimesMinusOne);
    }
}

// A left side that is not yet written as its polynomial: the terms of a sum multiplied out each into
// one flat sum (CommentID::BracketsOpened), then its like terms combined (CommentID::LikeTermsCombined)
// when there are any; anything else multiplied out at once (CommentID::BracketsOpened).
void ShowMultipliedOut(CExEquation& equation, const CPolynomValue& polynom) {
    if (equation.Left()->ToText() == PlainTreeOf(polynom)->ToText()) {
        return;
    }
    if (equation.Left()->GetFamily() != NodeFamily::Addition) {
        ShowLeft(equation, PlainTreeOf(polynom), CommentID::BracketsOpened);
        return;
    }
    auto expanded = std::make_unique<COAddition>();
    for (const ListCell& cell : equation.Left()->AsList()->GetCells()) {
        std::optional<CPolynomValue> term = PolynomialOf(*cell.child);
        if (!term) {
            return;
        }
        if (term->IsZero()) {
            continue;
        }
        // The terms of the opened bracket join the sum itself, each with the bracket's sign.
        NodePtr opened = PlainTreeOf(*term);
        if (opened->GetFamily() != NodeFamily::Addition) {
            expanded->AddTail(std::move(opened), cell.sign);
            continue;
        }
        for (ListCell& part : opened->AsList()->GetCells()) {
            expanded->AddTail(std::move(part.child), part.sign * cell.sign);
        }
    }
    ShowLeft(equation, std::move(expanded), CommentID::BracketsOpened);
    ShowLeft(equation, PlainTreeOf(polynom), CommentID::LikeTermsCombined);
}

// How the paired factors are shown: factorised completely before grouping, in their groups, the
// groups multiplied out, or multiplied out with equal products gathered into a power.
enum class GroupsShown { Factorised, Factors, MultipliedOut, Gathered };

NodePtr GroupFactors(const std::vector<NodePtr>& factors) {
    auto group = std::make_unique<COMultiplication>();
    for (const NodePtr& factor : factors) {
        group->AddTail(factor->Clone(), 1);
    }
    return group;
}

// coefficient·(group 1)·(group 2)·... + rest.
NodePtr GroupedLeft(const PairedFactorsForm& form, GroupsShown shown) {
    auto product = std::make_unique<COMultiplication>();
    if (shown == GroupsShown::Factorised) {
        for (const NodePtr& factor : form.factorised) {
            product->AddTail(factor->Clone(), 1);
        }
    }
    if (shown == GroupsShown::Gathered) {
        for (const GatheredGroup& group : GatherEqualGroups(form.groupProducts)) {
            NodePtr factor = PlainTreeOf(form.groupProducts[group.first]);
            product->AddTail(group.count > 1 ? PowerOf(std::move(factor), group.count) : std::move(factor),
                             1);
        }
    }
    const bool grouped = shown == GroupsShown::Factors || shown == GroupsShown::MultipliedOut;
    for (std::size_t i = 0; i < form.groups.size() && grouped; ++i) {
        product->AddTail(shown == GroupsShown::Factors ? GroupFactors(form.groups[i])
                                                       : PlainTreeOf(form.groupProducts[i]),
                         1);
    }
    auto left = std::make_unique<COAddition>();
    AddTerm(*left, form.coefficient, std::move(product));
    NodePtr rest = PlainTreeOf(form.rest);
    if (form.rest.IsZero()) {
        return left;
    }
    if (rest->GetFamily() == NodeFamily::Addition) {
        left->AppendList(*rest->AsList(), true);
    } else {
        left->AddTail(std::move(rest), 1);
    }
    return left;
}

// The product factorised completely when its factors as written do not pair (CommentID::LeftSideFactorised),
// the factors regrouped (CommentID::TermsReordered), each group multiplied out (CommentID::BracketsOpened),
// and equal products gathered into powers (CommentID::PowersJoined) when there are any.
void ShowPairedFactors(CExEquation& equation, const PairedFactorsForm& form) {
    if (!form.factorised.empty()) {
        ShowLeft(equation, GroupedLeft(form, GroupsShown::Factorised), CommentID::LeftSideFactorised);
    }
    ShowLeft(equation, GroupedLeft(form, GroupsShown::Factors), CommentID::TermsReordered);
    ShowLeft(equation, GroupedLeft(form, GroupsShown::MultipliedOut), CommentID::BracketsOpened);
    if (GatherEqualGroups(form.groupProducts).size() < form.groupProducts.size()) {
        ShowLeft(equation, GroupedLeft(form, GroupsShown::Gathered), CommentID::PowersJoined);
    }
}

// The steps from the polynomial to factor·(p·x + q)^3 + rest: the terms in order, the leading
// sign made positive (CommentID::BothSidesTimesMinusOne), the numeric content divided out, the multiplication
// that makes the leading terms those of the cube; then, when a rest remains, the cube's four terms grouped
// apart from it (CommentID::TermsGrouped) and the factor taken out of them (CommentID::CommonFactorTakenOut);
// last the cube itself (CommentID::OtherPowerFormula).
void ShowShiftedCube(CExEquation& equation, const CPolynomValue& polynom, const ShiftedCubeForm& form,
                     const CPolynomValue& inner) {
    ShowLeft(equation, PlainTreeOf(polynom), std::nullopt);
    ShowNegated(equation, polynom, form.negated);
    ShowLeft(equation, PlainTreeOf(form.primitive), std::nullopt);
    ShowLeft(equation, PlainTreeOf(form.primitive.Scaled(form.multiplier)), std::nullopt);
    if (!form.rest.IsZero()) {
        CPolynomValue cubed = inner;
        cubed.MultiplyInPlace(inner);
        cubed.MultiplyInPlace(inner);
        auto grouped = std::make_unique<COAddition>(PlainTreeOf(cubed.Scaled(form.factor)), 1);
        AddTerm(*grouped, form.rest);
        ShowLeft(equation, std::move(grouped), CommentID::TermsGrouped);
        auto factored = std::make_unique<COAddition>(Times(form.factor, PlainTreeOf(cubed)), 1);
        AddTerm(*factored, form.rest);
        ShowLeft(equation, std::move(factored), CommentID::CommonFactorTakenOut);
    }
    auto cube = std::make_unique<COAddition>(Times(form.factor, PowerOf(PlainTreeOf(inner), 3)), 1);
    AddTerm(*cube, form.rest);
    ShowLeft(equation, std::move(cube), CommentID::OtherPowerFormula);
}

// The steps from a·x^4 + b·x^3 + c·x^2 + b·k·x + a·k^2 to a·((x + k/x)^2 - 2k) + b·(x + k/x) + c:
// divided by x^2 with the terms paired (CommentID::TermsGrouped), a taken out of the first pair
// (CommentID::CommonFactorTakenOut), 2k added and subtracted in it (CommentID::OppositeLikeTermsInserted),
// the square of x + k/x (CommentID::SquareOfSum, or 72 when k is negative), b taken out of the second pair
// (CommentID::CommonFactorTakenOut). x = 0 is no root (a·k^2 is not 0), so the division keeps the roots.
void ShowSymmetricQuartic(CExEquation& equation, const SymmetricQuarticForm& form, char x) {
    const CNumber kSquared = form.k.Product(form.k);
    const CNumber twoK = form.k.Product(CNumber(2));
    const CNumber minusTwoK = CNumber(0).Difference(twoK);
    CNumber b = form.b;
    const std::int32_t bSign = b.TakeSign() < 0 ? -1 : 1;
    // first ± (|b|·x + |b|·k/x), or first ± |b|·(x + k/x) when b is taken out; then c.
    auto left = [&](NodePtr first, bool bTakenOut) {
        auto sum = std::make_unique<COAddition>(std::move(first), 1);
        sum->AddTail(bTakenOut ? Times(b, PlusOverLetter(x, form.k)) : ScaledPair(x, 1, b, b.Product(form.k)),
                     bSign);
        AddTerm(*sum, form.c);
        return sum;
    };
    ShowLeft(equation, left(ScaledPair(x, 2, form.a, form.a.Product(kSquared)), false),
             CommentID::TermsGrouped);
    ShowLeft(equation, left(Times(form.a, ScaledPair(x, 2, CNumber(1), kSquared)), false),
             CommentID::CommonFactorTakenOut);
    auto completed = std::make_unique<COAddition>(PowerOf(Letter(x), 2), 1);
    AddTerm(*completed, twoK);
    AddOverLetterPower(*completed, kSquared, x, 2);
    AddTerm(*completed, minusTwoK);
    ShowLeft(equation, left(Times(form.a, std::move(completed)), false),
             CommentID::OppositeLikeTermsInserted);
    auto square = [&] {
        auto sum = std::make_unique<COAddition>(PowerOf(PlusOverLetter(x, form.k), 2), 1);
        AddTerm(*sum, minusTwoK);
        return Times(form.a, std::move(sum));
    };
    ShowLeft(equation, left(square(), false),
             form.k.Sign() > 0 ? CommentID::SquareOfSum : CommentID::SquareOfDifference);
    ShowLeft(equation, left(square(), true), CommentID::CommonFactorTakenOut);
}

// The reciprocal equation divided by x^m: a_(m+j)·(x^j + λ^j/x^j) for j = m..1, then a_m.
NodePtr DividedReciprocal(const CPolynomValue& polynom, const ReciprocalForm& form, char x) {
    auto divided = std::make_unique<COAddition>();
    for (std::int64_t j = form.halfDegree; j >= 1; --j) {
        const auto exponent = static_cast<std::int32_t>(j);
        std::optional<CNumber> power = form.lambda.PowerOf(exponent);
        AddTerm(*divided, CoefficientAt(polynom, x, form.halfDegree + j),
                ScaledPair(x, exponent, CNumber(1), *power));
    }
    AddTerm(*divided, CoefficientAt(polynom, x, form.halfDegree));
    return divided;
}

// The polynomial `value` in the new letter with every power of the letter written as the same power
// of `pair`: s^2 - 4 with pair x + 2/x gives (x + 2/x)^2 - 4.
NodePtr InPowersOf(const CPolynomValue& value, const COperation& pair) {
    auto sum = std::make_unique<COAddition>();
    for (const PolynomTerm& term : value.Terms()) {
        const auto exponent = static_cast<std::int32_t>(term.Degree());
        AddTerm(*sum, term.coefficient,
                exponent == 0   ? nullptr
                : exponent == 1 ? pair.Clone()
                                : PowerOf(pair.Clone(), exponent));
    }
    return sum;
}

// The divided reciprocal equation with every x^j + λ^j/x^j (j >= 2) written through x + λ/x, so that
// the equation in the new letter is read off it: x^2 + 4/x^2 = (x + 2/x)^2 - 4.
NodePtr ReciprocalThroughPair(const CPolynomValue& polynom, const ReciprocalForm& form, char x) {
    const NodePtr pair = PlusOverLetter(x, form.lambda);
    auto rewritten = std::make_unique<COAddition>();
    for (std::int64_t j = form.halfDegree; j >= 1; --j) {
        AddTerm(*rewritten, CoefficientAt(polynom, x, form.halfDegree + j),
                j == 1 ? pair->Clone() : InPowersOf(form.powerSums[static_cast<std::size_t>(j)], *pair));
    }
    AddTerm(*rewritten, CoefficientAt(polynom, x, form.halfDegree));
    return rewritten;
}

// Dividing by x^m needs x ≠ 0, so two cases: x = 0, where the equation reads a_0 = 0 and has no
// root (a_0 = λ^m·a_2m is not 0); x ≠ 0, the equation divided by x^m (CommentID::PowerOfUnknownDividedOut) and
// solved through the substitution. False when the equation in the new letter is not solved.
bool SolveReciprocalCases(CExEquation& equation, const CPolynomValue& polynom, const ReciprocalForm& form,
                          const Substitution& record, bool useReductions) {
    const char x = equation.unknown;
    ShowMultipliedOut(equation, polynom);
    std::unique_ptr<CExEquation> zero =
        OpenNumberedCase(equation, "1", EquationOf(Number(CoefficientAt(polynom, x, 0)), Number(CNumber(0))),
                         std::string(1, x) + "=0");
    if (zero->ErrorCode() == ProblemError::None) {
        zero->RecordStep(false);
        zero->ClearRoots();
        zero->resultState = CExEquation::kSolved;
        zero->NextLineBlock();
        zero->SetTopKind(LineBlockKind::CaseAnswer);
        WriteAnswer(*zero);
    }
    if (zero->ErrorCode() != ProblemError::None) {
        equation.TakeErrorFrom(*zero);
        return true;
    }
    std::unique_ptr<CExEquation> nonZero =
        OpenNumberedCase(equation, "2", equation.Root()->Clone(),
                         std::string(1, x) + static_cast<char>(MarkupBytes::kNotEqual) + "0");
    if (nonZero->ErrorCode() == ProblemError::None) {
        ShowLeft(*nonZero, DividedReciprocal(polynom, form, x), CommentID::PowerOfUnknownDividedOut);
        // Every reciprocal quartic is a symmetric one, solved by its own derivation: the powers here
        // are cubes and higher.
        ShowLeft(*nonZero, ReciprocalThroughPair(polynom, form, x), CommentID::OtherPowerFormula);
    }
    const bool solved = nonZero->ErrorCode() == ProblemError::None &&
                        SolveBySubstitution(*nonZero, useReductions, false, &record);
    if (nonZero->ErrorCode() != ProblemError::None) {
        equation.TakeErrorFrom(*nonZero);
        return true;
    }
    if (!solved) {
        equation.resultState = nonZero->resultState;
        return false;
    }
    nonZero->NextLineBlock();
    nonZero->SetTopKind(LineBlockKind::CaseAnswer);
    WriteAnswer(*nonZero);
    equation.ClearRoots();
    equation.AddRootsOf(*nonZero);
    equation.resultState = CExEquation::kSolved;
    return true;
}

// The steps to k4·x^4 + k3·x^2·(x + c) + d·(x + c)^2 (B = x + c): a left side not yet written as
// its polynomial multiplied out first; the terms split and grouped by the parts of the form
// (CommentID::TermsGrouped), the common factors taken out (CommentID::CommonFactorTakenOut), and the square
// of B (CommentID::SquareOfSum, or 72 when c is negative). Nothing is written for a left side that already
// has the form.
void ShowHomogeneousForm(CExEquation& equation, const CPolynomValue& polynom, const HomogeneousForm& form,
                         const CPolynomValue& b) {
    const char x = equation.unknown;
    CNumber k3 = form.k3;
    const std::int32_t k3Sign = k3.TakeSign() < 0 ? -1 : 1;
    CNumber d = form.d;
    const std::int32_t dSign = d.TakeSign() < 0 ? -1 : 1;
    // k4·x^4 ± middle ± last, the middle left out when k3 is 0.
    auto shape = [&](NodePtr middle, NodePtr last) {
        auto sum = std::make_unique<COAddition>(Times(form.k4, PowerOf(Letter(x), 4)), 1);
        if (!k3.IsZero()) {
            sum->AddTail(std::move(middle), k3Sign);
        }
        sum->AddTail(std::move(last), dSign);
        return sum;
    };
    auto xSquaredTimesB = [&] {
        auto product = std::make_unique<COMultiplication>(PowerOf(Letter(x), 2), 1);
        product->AddTail(PlainTreeOf(b), 1);
        return Times(k3, std::move(product));
    };
    NodePtr final = shape(xSquaredTimesB(), Times(d, PowerOf(PlainTreeOf(b), 2)));
    std::string currentText;
    equation.WriteMarkup(currentText);
    NodePtr current = std::move(equation.LeftSlot());
    equation.LeftSlot() = final->Clone();
    std::string finalText;
    equation.WriteMarkup(finalText);
    equation.LeftSlot() = std::move(current);
    if (finalText == currentText) {
        return;
    }
    CPolynomValue bSquared = b;
    bSquared.MultiplyInPlace(b);
    CPolynomValue xSquaredB = CPolynomValue::Letter(static_cast<unsigned char>(x), 2);
    xSquaredB.MultiplyInPlace(b);
    ShowMultipliedOut(equation, polynom);
    ShowLeft(equation, shape(PlainTreeOf(xSquaredB.Scaled(k3)), PlainTreeOf(bSquared.Scaled(d))),
             CommentID::TermsGrouped);
    ShowLeft(equation, shape(xSquaredTimesB(), Times(d, PlainTreeOf(bSquared))),
             CommentID::CommonFactorTakenOut);
    ShowLeft(equation, std::move(final),
             form.c.Sign() > 0 ? CommentID::SquareOfSum : CommentID::SquareOfDifference);
}

} // namespace

bool FindPairedFactors(CExEquation& workspace, bool useReductions) {
    if (!workspace.Relation() || !IsZeroSide(workspace.Right())) {
        return false;
    }
    std::optional<PairedFactorsForm> form = FindPairedFactorsForm(*workspace.Left(), workspace.unknown);
    if (!form) {
        return false;
    }
    return Tentatively(workspace, [&](CExEquation& equation) {
        if (!form->groups.empty()) {
            ShowPairedFactors(equation, *form);
        }
        return SolveBySubstitution(equation, useReductions, false, form->substitution.get());
    });
}

bool FindReciprocalEquation(CExEquation& workspace, bool useReductions) {
    std::optional<CPolynomValue> polynom = LeftPolynomial(workspace);
    const char x = workspace.unknown;
    const char letter = NewLetterFor(x);
    std::optional<ReciprocalForm> form = polynom ? FindReciprocalForm(*polynom, x, letter) : std::nullopt;
    if (!form) {
        return false;
    }
    // A quartic with all five coefficients is solved by the derivation written for it: grouped in
    // pairs, the first pair completed to a square.
    if (FindSymmetricQuarticForm(*polynom, x)) {
        return SolveSymmetricQuartic(workspace, useReductions);
    }
    std::unique_ptr<Substitution> record = Record(PlusOverLetter(x, form->lambda), form->reduced, letter);
    return Tentatively(workspace, [&](CExEquation& equation) {
        return SolveReciprocalCases(equation, *polynom, *form, *record, useReductions);
    });
}

bool SolveShiftedCube(CExEquation& workspace, bool useReductions) {
    std::optional<CPolynomValue> polynom = LeftPolynomial(workspace);
    const char x = workspace.unknown;
    std::optional<ShiftedCubeForm> form = polynom ? FindShiftedCubeForm(*polynom, x) : std::nullopt;
    if (!form) {
        return false;
    }
    CPolynomValue inner = CPolynomValue::Letter(static_cast<unsigned char>(x)).Scaled(form->p);
    inner.AddInPlace(CPolynomValue(form->q));
    const char letter = NewLetterFor(x);
    CPolynomValue equationInLetter =
        CPolynomValue::Letter(static_cast<unsigned char>(letter), 3).Scaled(form->factor);
    equationInLetter.AddInPlace(CPolynomValue(form->rest));
    std::unique_ptr<Substitution> record = Record(PlainTreeOf(inner), equationInLetter, letter);
    return Tentatively(workspace, [&](CExEquation& equation) {
        ShowShiftedCube(equation, *polynom, *form, inner);
        return SolveBySubstitution(equation, useReductions, false, record.get());
    });
}

bool SolveBiquadratic(CExEquation& workspace, bool useReductions) {
    std::optional<CPolynomValue> polynom = LeftPolynomial(workspace);
    const char x = workspace.unknown;
    std::optional<BiquadraticForm> form = polynom ? FindBiquadraticForm(*polynom, x) : std::nullopt;
    if (!form) {
        return false;
    }
    const char letter = NewLetterFor(x);
    const CPolynomValue quadratic = QuadraticIn(letter, form->a, form->b, form->c);
    std::unique_ptr<Substitution> record = Record(PowerOf(Letter(x), 2), quadratic, letter);
    return Tentatively(workspace, [&](CExEquation& equation) {
        ShowNegated(equation, *polynom, form->negated);
        return SolveBySubstitution(equation, useReductions, false, record.get());
    });
}

bool SolveSymmetricQuartic(CExEquation& workspace, bool useReductions) {
    std::optional<CPolynomValue> polynom = LeftPolynomial(workspace);
    const char x = workspace.unknown;
    std::optional<SymmetricQuarticForm> form = polynom ? FindSymmetricQuarticForm(*polynom, x) : std::nullopt;
    if (!form) {
        return false;
    }
    const char letter = NewLetterFor(x);
    const CPolynomValue quadratic = QuadraticIn(
        letter, form->a, form->b, form->c.Difference(form->a.Product(form->k).Product(CNumber(2))));
    std::unique_ptr<Substitution> record = Record(PlusOverLetter(x, form->k), quadratic, letter);
    return Tentatively(workspace, [&](CExEquation& equation) {
        ShowMultipliedOut(equation, *polynom);
        ShowNegated(equation, *polynom, form->negated);
        ShowSymmetricQuartic(equation, *form, x);
        return SolveBySubstitution(equation, useReductions, false, record.get());
    });
}

bool FindHomogeneousForm(CExEquation& workspace, bool useReductions) {
    std::optional<CPolynomValue> polynom = LeftPolynomial(workspace);
    const char x = workspace.unknown;
    std::optional<HomogeneousForm> form = polynom ? FindHomogeneousQuarticForm(*polynom, x) : std::nullopt;
    if (!form) {
        return false;
    }
    const char a = FirstPairLetterFor(x);
    const char b = SecondPairLetterFor(x);
    CPolynomValue bValue = CPolynomValue::Letter(static_cast<unsigned char>(x));
    bValue.AddInPlace(CPolynomValue(form->c));
    auto record = std::make_unique<Substitution>();
    record->letter = a;
    record->secondLetter = b;
    record->expression = PowerOf(Letter(x), 2);
    record->secondExpression = PlainTreeOf(bValue);
    // k4·A^2 + k3·A·B + d·B^2
    auto equationInLetters = std::make_unique<COAddition>(Times(form->k4, PowerOf(Letter(a), 2)), 1);
    auto ab = std::make_unique<COMultiplication>(Letter(a), 1);
    ab->AddTail(Letter(b), 1);
    AddTerm(*equationInLetters, form->k3, std::move(ab));
    AddTerm(*equationInLetters, form->d, PowerOf(Letter(b), 2));
    record->equation = std::move(equationInLetters);
    return Tentatively(workspace, [&](CExEquation& equation) {
        ShowHomogeneousForm(equation, *polynom, *form, bValue);
        return FindTwoLetterSubstitution(equation, useReductions, record.get());
    });
}
