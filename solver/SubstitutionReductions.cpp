// The recognisers that rewrite an equation "left = 0" into a shape with a substitution and hand
// it to SolveBySubstitution. Each works tentatively: its steps are written into a sub-equation of
// its own over a copy of the relation, and only a solved equation's steps and roots reach the
// workspace.

#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "output/COutputList.h"
#include "solver/CExEquation.h"
#include "solver/PairedFactors.h"
#include "solver/PolynomialDecomposition.h"
#include "solver/Reductions.h"
#include "solver/SubstitutionForms.h"
#include "solver/SubstitutionSupport.h"
#include "solver/TreePolynomial.h"

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
    COutputList list;
    std::unique_ptr<CExEquation> trial =
        CExEquation::SubEquation(workspace, workspace.answerHeading, workspace.Root()->Clone(), &list);
    if (!trial->Admit()) {
        workspace.TakeErrorFrom(*trial);
        return true;
    }
    trial->SetLastText(workspace.LastText());
    const bool solved = body(*trial);
    if (solved && trial->ErrorCode() == 0) {
        workspace.SetLastText(trial->LastText());
    }
    return TakeOverPart(workspace, *trial, list, solved);
}

// The left side replaced by a tree, with a comment, as one step.
void ShowLeft(CExEquation& equation, NodePtr left, std::optional<CommentIDType> comment) {
    equation.LeftSlot() = std::move(left);
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

// x + k/x, the minus in front of the fraction when k is negative.
NodePtr PlusOverLetter(char x, CNumber k) {
    auto sum = std::make_unique<COAddition>(Letter(x), 1);
    const std::int32_t sign = k.TakeSign() < 0 ? -1 : 1;
    auto fraction = std::make_unique<COFraction>(Number(k), 1);
    fraction->AddTail(Letter(x), -1);
    sum->AddTail(std::move(fraction), sign);
    return sum;
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
        ShowLeft(equation, PlainTreeOf(positive), CommentID::SignTakenOutOfBracket);
    }
}

// coefficient·(group 1)·(group 2)·... + rest, each group as its factors or multiplied out.
NodePtr GroupedLeft(const PairedFactorsForm& form, bool multipliedOut) {
    auto product = std::make_unique<COMultiplication>();
    for (std::size_t i = 0; i < form.groups.size(); ++i) {
        if (multipliedOut) {
            product->AddTail(PlainTreeOf(form.groupProducts[i]), 1);
            continue;
        }
        auto group = std::make_unique<COMultiplication>();
        for (const NodePtr& factor : form.groups[i]) {
            group->AddTail(factor->Clone(), 1);
        }
        product->AddTail(std::move(group), 1);
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
            ShowLeft(equation, GroupedLeft(*form, false), CommentID::TermsReordered);
            ShowLeft(equation, GroupedLeft(*form, true), CommentID::BracketsOpened);
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
    std::unique_ptr<Substitution> record = Record(PlusOverLetter(x, form->lambda), form->reduced, letter);
    return Tentatively(workspace, [&](CExEquation& equation) {
        // Divided by x^m: a_(m+j)·(x^j + λ^j/x^j) for j = m..1, then a_m.
        auto divided = std::make_unique<COAddition>();
        for (std::int64_t j = form->halfDegree; j >= 1; --j) {
            std::optional<CNumber> power = form->lambda.PowerOf(static_cast<std::int32_t>(j));
            auto pair = std::make_unique<COAddition>(
                j == 1 ? Letter(x) : PowerOf(Letter(x), static_cast<std::int32_t>(j)), 1);
            CNumber numerator = *power;
            const std::int32_t pairSign = numerator.TakeSign() < 0 ? -1 : 1;
            auto over = std::make_unique<COFraction>(Number(numerator), 1);
            over->AddTail(j == 1 ? Letter(x) : PowerOf(Letter(x), static_cast<std::int32_t>(j)), -1);
            pair->AddTail(std::move(over), pairSign);
            AddTerm(*divided, CoefficientAt(*polynom, x, form->halfDegree + j), std::move(pair));
        }
        AddTerm(*divided, CoefficientAt(*polynom, x, form->halfDegree));
        ShowLeft(equation, std::move(divided), CommentID::NumericFactorDividedOut);
        return SolveBySubstitution(equation, useReductions, false, record.get());
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
        ShowNegated(equation, *polynom, form->negated);
        CPolynomValue scaled = form->primitive.Scaled(form->multiplier);
        ShowLeft(equation, PlainTreeOf(scaled), std::nullopt);
        auto cube = std::make_unique<COAddition>(Times(form->factor, PowerOf(PlainTreeOf(inner), 3)), 1);
        AddTerm(*cube, form->rest);
        ShowLeft(equation, std::move(cube), CommentID::OtherPowerFormula);
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
        ShowNegated(equation, *polynom, form->negated);
        // a·(x^2 + k^2/x^2) + b·(x + k/x) + c
        auto squares = std::make_unique<COAddition>(PowerOf(Letter(x), 2), 1);
        auto over = std::make_unique<COFraction>(Number(form->k.Product(form->k)), 1);
        over->AddTail(PowerOf(Letter(x), 2), -1);
        squares->AddTail(std::move(over), 1);
        auto grouped = std::make_unique<COAddition>(Times(form->a, std::move(squares)), 1);
        AddTerm(*grouped, form->b, PlusOverLetter(x, form->k));
        AddTerm(*grouped, form->c);
        ShowLeft(equation, std::move(grouped), CommentID::TermsGrouped);
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
        // k4·x^4 + k3·x^2·(x + c) + d·(x + c)^2
        auto shown = std::make_unique<COAddition>(Times(form->k4, PowerOf(Letter(x), 4)), 1);
        auto middle = std::make_unique<COMultiplication>(PowerOf(Letter(x), 2), 1);
        middle->AddTail(PlainTreeOf(bValue), 1);
        AddTerm(*shown, form->k3, std::move(middle));
        AddTerm(*shown, form->d, PowerOf(PlainTreeOf(bValue), 2));
        ShowLeft(equation, std::move(shown), CommentID::TermsGrouped);
        return FindTwoLetterSubstitution(equation, useReductions, record.get());
    });
}
