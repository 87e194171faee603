// Polynomial equations "polynomial = polynomial" in one unknown:
//
//   1. the terms of both sides ordered, like terms next to each other, then collected;
//   2. everything moved to the left unless the right side is a constant and the left side is ready
//      for it (zero on the right, one term with the unknown, or that term and a constant), and
//      ordered and collected again;
//   3. by the degree: linear, quadratic (incomplete forms, the discriminant, the common factor x),
//      higher (a·x^n = k, no root by the signs of the terms, factorisation).

#include "markup/MarkupCharacters.h"
#include "markup/ProblemText.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMonom.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/CORoot.h"
#include "model/COVariable.h"
#include "model/NodeCast.h"
#include "solver/CExEquation.h"
#include "solver/Methods.h"
#include "solver/equation/EquationSigns.h"
#include "solver/equation/EquationSolver.h"
#include "solver/factor/Factorisation.h"
#include "solver/substitution/Reductions.h"

namespace {

// --- reading and writing the sides ------------------------------------------------------------------

CPolynomValue SideValue(const COperation* side) {
    if (side && side->GetType() == NodeType::Polynom) {
        return NodeAs<COPolynom>(*side).Value();
    }
    return CPolynomValue();
}

CNumber Coefficient(const CPolynomValue& polynom, char letter, std::int64_t exponent) {
    for (const PolynomTerm& term : polynom.Terms()) {
        if (term.Degree() == exponent && term.ExponentOf(static_cast<unsigned char>(letter)) == exponent) {
            return term.coefficient;
        }
    }
    return CNumber(0);
}

// The polynomial of the terms in the order given (not normalised), so that a step can show them.
NodePtr PolynomOfTerms(const std::vector<PolynomTerm>& terms) {
    auto polynom = std::make_unique<COPolynom>();
    for (const PolynomTerm& term : terms) {
        std::int32_t sign = 1;
        NodePtr monom = COMonom::FromTerm(term, sign);
        polynom->AddTail(std::move(monom), sign);
    }
    if (polynom->IsEmpty()) {
        polynom->AddTail(COMonom::Constant(CNumber(0)), 1);
    }
    return polynom;
}

NodePtr Polynom(const CPolynomValue& value) {
    return COPolynom::FromValue(value);
}

NodePtr Constant(const CNumber& value) {
    return COPolynom::Constant(value);
}

// a·x^n as a polynomial.
NodePtr PowerTerm(const CNumber& coefficient, char letter, std::int64_t exponent) {
    return Polynom(CPolynomValue::Letter(static_cast<unsigned char>(letter), exponent).Scaled(coefficient));
}

// A value found by division is written as a whole number or a reduced common fraction, never as
// the decimal that the division of two integers may give.
CNumber ExactForm(CNumber value) {
    if (!value.ToInteger()) {
        value.ToFraction();
        value.Reduce();
    }
    return value;
}

NodePtr NumberNode(const CNumber& value) {
    return std::make_unique<CONumber>(ExactForm(value));
}

// -node as a one-term sum.
NodePtr Negated(NodePtr node) {
    return std::make_unique<COAddition>(std::move(node), -1);
}

// The n-th root of a non-negative number as a root node.
NodePtr RootNode(const CNumber& radicand, std::int32_t degree) {
    return std::make_unique<CORoot>(NumberNode(radicand), degree);
}

std::string NumberText(const CNumber& value, TextContext context) {
    std::string text;
    CONumber(value).WriteText(text, context);
    return text;
}

// --- steps shared by the degrees ---------------------------------------------------------------------

// "a·x^n + c = k" becomes "a·x^n = k - c" (CommentID::ConstantTermMovedRight), then "a·x^n = k'" with the
// right side collected. Nothing without a constant term on the left.
void MoveConstantRight(CExEquation& workspace) {
    const CPolynomValue left = SideValue(workspace.Left());
    const CNumber constant = Coefficient(left, workspace.unknown, 0);
    if (constant.IsZero() || left.TermCount() < 2) {
        return;
    }
    const CPolynomValue right = SideValue(workspace.Right());
    std::vector<PolynomTerm> shown = right.IsZero() ? std::vector<PolynomTerm>() : right.Terms();
    CNumber moved = constant;
    moved.Negate();
    shown.push_back(PolynomTerm{moved, {}});
    workspace.LeftSlot() = Polynom(left.Difference(CPolynomValue(constant)));
    workspace.RightSlot() = PolynomOfTerms(shown);
    workspace.QueueComment(CommentID::ConstantTermMovedRight);
    workspace.RecordStep(false);
    workspace.RightSlot() = Polynom(right.Difference(CPolynomValue(constant)));
    workspace.RecordStep(false);
}

// Both sides negated when the leading term of the left side is negative (CommentID::BothSidesTimesMinusOne).
void MakeLeadingTermPositive(CExEquation& workspace) {
    CPolynomValue left = SideValue(workspace.Left());
    if (left.IsZero() || left.LeadingSign() > 0) {
        return;
    }
    CPolynomValue right = SideValue(workspace.Right());
    left.Negate();
    right.Negate();
    workspace.LeftSlot() = Polynom(left);
    workspace.RightSlot() = Polynom(right);
    workspace.QueueComment(CommentID::BothSidesTimesMinusOne);
    workspace.RecordStep(false);
}

// The form of k/a as a pupil writes it: a decimal when the equation is written in decimals (neither
// number a common fraction) and the quotient has one, otherwise a whole number or a reduced fraction.
CNumber QuotientForm(const CNumber& k, const CNumber& a) {
    CNumber quotient = k;
    quotient.DivideInPlace(a);
    const bool decimals = (k.IsDecimal() || a.IsDecimal()) && !k.IsFraction() && !k.IsMixed() &&
                          !a.IsFraction() && !a.IsMixed();
    CNumber exact = ExactForm(quotient);
    if (decimals && !exact.IsInteger() && exact.ToDecimal()) {
        return exact;
    }
    return ExactForm(quotient);
}

// "a·x^n = k" becomes "x^n = k : a" (CommentID::DividedByCoefficient) and then "x^n = k/a" when a is
// not 1; returns k/a.
CNumber DivideByLeadingCoefficient(CExEquation& workspace, std::int64_t degree) {
    const CNumber a = Coefficient(SideValue(workspace.Left()), workspace.unknown, degree);
    const CNumber k = SideValue(workspace.Right()).ConstantValue();
    const CNumber quotient = QuotientForm(k, a);
    if (!a.IsOne()) {
        auto division = std::make_unique<COMultiplication>(std::make_unique<CONumber>(k), 1);
        division->AddTail(std::make_unique<CONumber>(a), -1);
        workspace.LeftSlot() = PowerTerm(CNumber(1), workspace.unknown, degree);
        workspace.RightSlot() = std::move(division);
        workspace.QueueComment(CommentID::DividedByCoefficient);
        workspace.RecordStep(false);
        workspace.RightSlot() = Constant(quotient);
        workspace.RecordStep(false);
    }
    return quotient;
}

// The numeric content of the left side divided out (CommentID::NumericFactorDividedOut), the right side being
// zero.
void DivideOutContent(CExEquation& workspace) {
    CPolynomValue left = SideValue(workspace.Left());
    const std::optional<CNumber> content = left.IntegerContent();
    if (!content || content->IsOne()) {
        return;
    }
    left.Scale(CNumber(CLongInteger(1), content->Numerator()));
    workspace.LeftSlot() = Polynom(left);
    workspace.QueueComment(CommentID::NumericFactorDividedOut);
    workspace.RecordStep(false);
}

// The real roots of x^n = q: none for an even n and a negative q; -r and r for an even n; r with
// the sign of q for an odd n. r is exact when the root is rational, otherwise a root node.
void AddRootsOfPower(CExEquation& workspace, const CNumber& q, std::int32_t degree) {
    const bool even = degree % 2 == 0;
    if (q.IsZero()) {
        workspace.AddRoot(NumberNode(CNumber(0)));
        return;
    }
    if (even && q.Sign() < 0) {
        return;
    }
    CNumber magnitude = q;
    const int sign = magnitude.TakeSign();
    const std::optional<CNumber> exact = magnitude.ExactRoot(degree);
    // A decimal q keeps its roots decimal (x^2 = 0,25 gives 0,5), as the pupil wrote the equation.
    auto number = [&](const CNumber& value) {
        return q.IsDecimal() ? std::make_unique<CONumber>(value) : NumberNode(value);
    };
    auto positive = [&]() { return exact ? number(*exact) : RootNode(magnitude, degree); };
    auto negative = [&]() {
        if (exact) {
            CNumber value = *exact;
            value.Negate();
            return number(value);
        }
        return Negated(RootNode(magnitude, degree));
    };
    if (even) {
        // Both roots in one line, "x = ±3", before the answer lists them.
        std::string line(1, workspace.unknown);
        line += '=';
        line += static_cast<char>(MarkupBytes::kPlusOrMinus);
        positive()->WriteText(line, TextContext::Term);
        DotProducts(line);
        workspace.AddFormulaRecord(std::move(line), false);
        workspace.AddRoot(negative());
        workspace.AddRoot(positive());
    } else {
        workspace.AddRoot(sign < 0 ? negative() : positive());
    }
}

// Solves "a·x^n = k" (the left side one term, the right side a constant), n >= 1.
void SolveSingleTerm(CExEquation& workspace, std::int64_t degree) {
    if (SideValue(workspace.Right()).IsZero()) {
        workspace.AddRoot(NumberNode(CNumber(0)));
        return;
    }
    MakeLeadingTermPositive(workspace);
    if (degree % 2 == 0 && SideValue(workspace.Right()).ConstantValue().Sign() < 0) {
        return;
    }
    const CNumber q = DivideByLeadingCoefficient(workspace, degree);
    AddRootsOfPower(workspace, q, static_cast<std::int32_t>(degree));
}

// --- the discriminant ------------------------------------------------------------------------------

struct Quadratic {
    CNumber a;
    CNumber b;
    CNumber c;
};

// "D=b^2-4.a.c=(-5)^2-4.1.6=1"
std::string DiscriminantLine(const Quadratic& q, const CNumber& discriminant) {
    auto square = std::make_unique<COPower>(NumberNode(q.b), NumberNode(CNumber(2)));
    auto product = std::make_unique<COMultiplication>(NumberNode(CNumber(4)), 1);
    product->AddTail(NumberNode(q.a), 1);
    product->AddTail(NumberNode(q.c), 1);
    COAddition expression(std::move(square), 1);
    expression.AddTail(std::move(product), -1);
    std::string text = "D=b^2-4*a*c=";
    expression.WriteText(text, TextContext::Free);
    text += '=';
    text += NumberText(discriminant, TextContext::Free);
    DotProducts(text);
    return text;
}

// "2" or "2*a": the denominator of the root formula.
std::string TwoA(const CNumber& a) {
    return a.IsOne() ? "2" : "2*" + NumberText(a, TextContext::Factor);
}

// (p + sign·√d) / q as a tree; q = 1 is left out, p = 0 leaves the root alone.
NodePtr RootForm(const CNumber& p, std::int32_t sign, const CNumber& d, const CNumber& q) {
    NodePtr numerator;
    if (p.IsZero()) {
        numerator = sign > 0 ? RootNode(d, 2) : Negated(RootNode(d, 2));
    } else {
        CNumber magnitude = p;
        const int pSign = magnitude.TakeSign();
        auto sum = std::make_unique<COAddition>(NumberNode(magnitude), pSign);
        sum->AddTail(RootNode(d, 2), sign);
        numerator = std::move(sum);
    }
    if (q.IsOne()) {
        return numerator;
    }
    auto fraction = std::make_unique<COFraction>(std::move(numerator), 1);
    fraction->AddTail(NumberNode(q), -1);
    return fraction;
}

bool AllIntegers(std::initializer_list<const CNumber*> numbers) {
    for (const CNumber* number : numbers) {
        if (!number->IsWhole()) {
            return false;
        }
    }
    return true;
}

// "x_{1}={5-1}/{2}=2": one root of the formula worked out, index 1 with the minus sign, 2 with the plus.
std::string WorkedOutRootLine(char unknown, int index, const CNumber& minusB, std::int32_t sign,
                              const CNumber& h, const CNumber& a) {
    const CNumber twoA = CNumber(2).Product(a);
    const CNumber numerator = sign < 0 ? minusB.Difference(h) : minusB.Sum(h);
    std::string line(1, unknown);
    line += "_{" + std::to_string(index) + "}={" + NumberText(minusB, TextContext::Free);
    line += sign < 0 ? '-' : '+';
    line += NumberText(h, TextContext::Term) + "}/{" + TwoA(a) + "}=";
    line += NumberText(ExactForm(numerator.Quotient(twoA)), TextContext::Free);
    DotProducts(line);
    return line;
}

// "x_{1,2}={p±!sq2{d}}/{q}": the pair of roots (p ∓ √d)/q after their cancellation; q = 1 is left
// out, p = 0 leaves "±!sq2{d}".
std::string ReducedRootsLine(char unknown, const CNumber& p, const CNumber& d, const CNumber& q) {
    std::string numerator = p.IsZero() ? std::string() : NumberText(p, TextContext::Free);
    numerator += static_cast<char>(MarkupBytes::kPlusOrMinus);
    numerator += "!sq2{" + NumberText(d, TextContext::Free) + "}";
    std::string line(1, unknown);
    line += "_{1";
    line += static_cast<char>(MarkupBytes::kSubscriptComma);
    line += "2}=";
    line += q.IsOne() ? numerator : "{" + numerator + "}/{" + NumberText(q, TextContext::Free) + "}";
    DotProducts(line);
    return line;
}

// The two irrational roots (-b ∓ √D)/(2a), reduced by k = gcd(g, D/g) with g = gcd(-b, D, 2a).
// Returns the line of the reduced pair when the reduction took place, otherwise an empty text.
std::string AddIrrationalRoots(CExEquation& workspace, CNumber minusB, CNumber discriminant, CNumber twoA) {
    bool reduced = false;
    if (AllIntegers({&minusB, &discriminant, &twoA})) {
        const CNumber g = CNumber::GcdOf(CNumber::GcdOf(minusB, discriminant), twoA);
        const CNumber k = CNumber::GcdOf(g, discriminant.Quotient(g));
        if (!k.IsOne() && !k.IsZero()) {
            minusB.DivideInPlace(k);
            twoA.DivideInPlace(k);
            discriminant.DivideInPlace(k.Product(k));
            reduced = true;
        }
    }
    workspace.AddRoot(RootForm(minusB, -1, discriminant, twoA));
    workspace.AddRoot(RootForm(minusB, 1, discriminant, twoA));
    return reduced ? ReducedRootsLine(workspace.unknown, minusB, discriminant, twoA) : std::string();
}

// The roots by the discriminant, with CommentID::DiscriminantStep, CommentID::DiscriminantNegative or
// CommentID::DiscriminantNotNegative and
// CommentID::DiscriminantZero/CommentID::DiscriminantPositiveExactRoot, the discriminant line and the root
// line.
void SolveByDiscriminant(CExEquation& workspace, const Quadratic& q) {
    const CNumber discriminant = q.b.Product(q.b).Difference(CNumber(4).Product(q.a).Product(q.c));
    workspace.AddCommentRecord(CommentID::DiscriminantStep, false, true);
    workspace.AddFormulaRecord(DiscriminantLine(q, discriminant), false);
    if (discriminant.Sign() < 0) {
        workspace.AddCommentRecord(CommentID::DiscriminantNegative, false, true);
        return;
    }
    workspace.AddCommentRecord(CommentID::DiscriminantNotNegative, false, true);
    CNumber minusB = q.b;
    minusB.Negate();
    const CNumber twoA = CNumber(2).Product(q.a);
    const std::optional<CNumber> h = discriminant.ExactRoot(2);
    std::string line(1, workspace.unknown);
    const std::string minusBText = NumberText(minusB, TextContext::Free);
    std::string reducedLine;
    if (h && h->IsZero()) {
        workspace.AddCommentRecord(CommentID::DiscriminantZero, false, true);
        const CNumber root = ExactForm(minusB.Quotient(twoA));
        line += "=-b/{2*a}={" + minusBText + "}/{" + TwoA(q.a) + "}=" + NumberText(root, TextContext::Free);
        workspace.AddRoot(NumberNode(root));
    } else {
        line += "_{1";
        line += static_cast<char>(MarkupBytes::kSubscriptComma);
        line += "2}={-b";
        line += static_cast<char>(MarkupBytes::kPlusOrMinus);
        line += "!sq2{D}}/{2*a}={" + minusBText;
        line += static_cast<char>(MarkupBytes::kPlusOrMinus);
        if (h) {
            workspace.AddCommentRecord(CommentID::DiscriminantPositiveExactRoot, false, true);
            line += NumberText(*h, TextContext::Free) + "}/{" + TwoA(q.a) + "}";
            workspace.AddRoot(NumberNode(minusB.Difference(*h).Quotient(twoA)));
            workspace.AddRoot(NumberNode(minusB.Sum(*h).Quotient(twoA)));
        } else {
            line += "!sq2{" + NumberText(discriminant, TextContext::Free) + "}}/{" + TwoA(q.a) + "}";
            reducedLine = AddIrrationalRoots(workspace, minusB, discriminant, twoA);
        }
    }
    DotProducts(line);
    workspace.AddFormulaRecord(std::move(line), false);
    if (h && !h->IsZero()) {
        workspace.AddFormulaRecord(WorkedOutRootLine(workspace.unknown, 1, minusB, -1, *h, q.a), false);
        workspace.AddFormulaRecord(WorkedOutRootLine(workspace.unknown, 2, minusB, 1, *h, q.a), false);
    }
    if (!reducedLine.empty()) {
        workspace.AddCommentRecord(CommentID::Cancellation, false, true);
        workspace.AddFormulaRecord(std::move(reducedLine), false);
    }
}

// "a·x^2 + b·x = 0" becomes "x(a·x + b) = 0" (CommentID::CommonFactorTakenOut); the roots are 0 and -b/a.
void SolveByCommonFactorX(CExEquation& workspace, const Quadratic& q) {
    const auto letter = static_cast<unsigned char>(workspace.unknown);
    CPolynomValue cofactor = CPolynomValue::Letter(letter).Scaled(q.a);
    cofactor.AddInPlace(CPolynomValue(q.b));
    auto product = std::make_unique<COMultiplication>(PowerTerm(CNumber(1), workspace.unknown, 1), 1);
    product->AddTail(Polynom(cofactor), 1);
    workspace.LeftSlot() = std::move(product);
    workspace.QueueComment(CommentID::CommonFactorTakenOut);
    workspace.RecordStep(false);
    CNumber root = q.b.Quotient(q.a);
    root.Negate();
    workspace.AddRoot(NumberNode(CNumber(0)));
    workspace.AddRoot(NumberNode(root));
}

// True for the incomplete form "a·x^2 [+ c] = k" that is solved by a square root: no linear term,
// and something besides the square term.
bool IsSquareRootForm(const CPolynomValue& left, const CPolynomValue& right, char letter) {
    return Coefficient(left, letter, 1).IsZero() && left.TermCount() <= 2 &&
           (!right.IsZero() || !Coefficient(left, letter, 0).IsZero());
}

// Every term added with a positive coefficient, every exponent even, and a constant term: the left
// side is positive for every value.
bool HasOnlyPositiveEvenTerms(const CPolynomValue& left) {
    bool constant = false;
    for (const PolynomTerm& term : left.Terms()) {
        if (term.coefficient.Sign() <= 0 || term.Degree() % 2 != 0) {
            return false;
        }
        constant = constant || term.IsConstant();
    }
    return constant;
}

// The sides stay as they are when the right side is a constant and the left side is ready for it.
bool SidesAreReady(const CPolynomValue& left, const CPolynomValue& right) {
    if (!right.IsConstant()) {
        return false;
    }
    if (right.IsZero()) {
        return true;
    }
    if (left.TermCount() == 1) {
        return !left.IsConstant();
    }
    if (left.TermCount() != 2 || left.Terms()[1].powers.size() != 0 || left.Terms()[0].IsConstant()) {
        return false;
    }
    // The non-constant term is added.
    return left.Terms()[0].coefficient.Sign() > 0;
}

// Like terms brought next to each other (CommentID::TermsReordered, a step), then combined
// (CommentID::LikeTermsCombined, a step): each change on a line of its own.
void OrderAndCollect(CExEquation& workspace) {
    OrderPolynoms(workspace.RootSlot());
    workspace.RecordStep(false);
    NormalizePolynoms(workspace.RootSlot());
    workspace.RecordStep(false);
}

// "left = right" becomes "left - right = 0" (CommentID::AllTermsMovedLeft), shown before its terms are
// ordered and collected.
void MoveEverythingLeft(CExEquation& workspace) {
    const CPolynomValue left = SideValue(workspace.Left());
    CPolynomValue right = SideValue(workspace.Right());
    std::vector<PolynomTerm> shown = left.Terms();
    right.Negate();
    shown.insert(shown.end(), right.Terms().begin(), right.Terms().end());
    workspace.LeftSlot() = PolynomOfTerms(shown);
    workspace.RightSlot() = Constant(CNumber(0));
    workspace.QueueComment(CommentID::AllTermsMovedLeft);
    workspace.RecordStep(false);
    OrderAndCollect(workspace);
}

// A factor of the left side found by the factorisation search: CommentID::LeftSideFactorised, the
// factorisation written with its steps, then the product solved factor by factor.
void SolveByFactorisation(CExEquation& workspace) {
    const COperation* left = workspace.Left();
    if (!left || left->GetType() != NodeType::Polynom) {
        return;
    }
    FactorFinding finding;
    if (!FindFactorisation(NodeAs<COPolynom>(*left), finding)) {
        return;
    }
    workspace.AddCommentRecord(CommentID::LeftSideFactorised, false, true);
    ApplyFactorisation(workspace, &workspace.LeftSlot(), finding);
    if (!workspace.Validate()) {
        return;
    }
    workspace.RefreshLastText();
    UnwrapLeadingMinus(workspace);
    SolveZeroProduct(workspace, false, true);
}

} // namespace

void SolvePolynomialEquation(CExEquation& workspace) {
    BuildMonoms(workspace.RootSlot());
    BuildPolynoms(workspace.RootSlot());
    OrderAndCollect(workspace);
    if (!SidesAreReady(SideValue(workspace.Left()), SideValue(workspace.Right()))) {
        MoveEverythingLeft(workspace);
    }
    if (!workspace.Validate()) {
        return;
    }
    const CPolynomValue left = SideValue(workspace.Left());
    const std::string letters = left.Letters();
    if (letters.empty()) {
        workspace.resultState = CExEquation::kSolved;
        workspace.ClearRoots();
        if (left == SideValue(workspace.Right())) {
            workspace.roots.SetAll();
        }
        return;
    }
    if (letters.size() != 1 || letters[0] != workspace.unknown) {
        return;
    }
    const std::int64_t degree = left.DegreeIn(static_cast<unsigned char>(workspace.unknown));
    if (degree == 1) {
        SolveLinear(workspace);
    } else if (degree == 2) {
        SolveQuadratic(workspace);
    } else {
        SolveHigherDegree(workspace);
    }
}

void SolveLinear(CExEquation& workspace) {
    workspace.resultState = CExEquation::kSolved;
    workspace.ClearRoots();
    MoveConstantRight(workspace);
    SolveSingleTerm(workspace, 1);
}

void SolveQuadratic(CExEquation& workspace) {
    workspace.resultState = CExEquation::kSolved;
    workspace.ClearRoots();
    const char letter = workspace.unknown;
    if (IsSquareRootForm(SideValue(workspace.Left()), SideValue(workspace.Right()), letter)) {
        MoveConstantRight(workspace);
        SolveSingleTerm(workspace, 2);
        return;
    }
    MakeLeadingTermPositive(workspace);
    DivideOutContent(workspace);
    const CPolynomValue left = SideValue(workspace.Left());
    const Quadratic q{Coefficient(left, letter, 2), Coefficient(left, letter, 1),
                      Coefficient(left, letter, 0)};
    if (!q.b.IsZero() && !q.c.IsZero()) {
        SolveByDiscriminant(workspace, q);
    } else if (!q.b.IsZero()) {
        SolveByCommonFactorX(workspace, q);
    } else {
        workspace.AddRoot(NumberNode(CNumber(0)));
    }
}

void SolveHigherDegree(CExEquation& workspace) {
    const char letter = workspace.unknown;
    const CPolynomValue left = SideValue(workspace.Left());
    const std::int64_t degree = left.DegreeIn(static_cast<unsigned char>(letter));
    if (left.TermCount() == 1 || (left.TermCount() == 2 && !Coefficient(left, letter, 0).IsZero())) {
        workspace.resultState = CExEquation::kSolved;
        workspace.ClearRoots();
        MoveConstantRight(workspace);
        SolveSingleTerm(workspace, degree);
        return;
    }
    DivideOutContent(workspace);
    if (HasOnlyPositiveEvenTerms(SideValue(workspace.Left()))) {
        workspace.AddCommentRecord(CommentID::LeftSideAlwaysPositive, false, true);
        workspace.resultState = CExEquation::kSolved;
        workspace.ClearRoots();
        return;
    }
    if (degree > 3 &&
        (FindRepeatedSubexpression(workspace, true, false) || FindPairedFactors(workspace, true) ||
         FindReciprocalEquation(workspace, true) || FindHomogeneousForm(workspace, true))) {
        return;
    }
    if (SolveShiftedCube(workspace, true) || SolveBiquadratic(workspace, true) ||
        SolveSymmetricQuartic(workspace, true)) {
        return;
    }
    SolveByFactorisation(workspace);
}
