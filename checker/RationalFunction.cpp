#include "checker/RationalFunction.h"

#include "model/EngineLimits.h"
#include "model/PolynomialGcd.h"
#include "model/WorkBudget.h"

#include <algorithm>
#include <utility>

namespace {

using Reading = RationalReading;

Reading Value(RationalFunction function) {
    Reading reading;
    reading.value = std::move(function);
    return reading;
}

Reading Refused(CheckMessageID reason) {
    Reading reading;
    reading.reason = reason;
    return reading;
}

// Any arithmetic that went past the engine's limits (or the work budget) makes every later number
// meaningless.
Reading Checked(Reading reading) {
    if (CNumber::LimitExceeded() || WorkBudget::Exhausted()) {
        return Refused(CheckMessageID::NotCheckedTooLarge);
    }
    return reading;
}

// Cancels the gcd of numerator and denominator and gives the denominator a positive leading sign.
void Reduce(RationalFunction& function) {
    if (function.numerator.IsZero()) {
        function.denominator = CPolynomValue(1);
        return;
    }
    if (!function.denominator.IsConstant()) {
        const CPolynomValue gcd = PolynomialGcd(function.numerator, function.denominator);
        if (!gcd.IsConstant()) {
            if (auto numerator = function.numerator.DivideExact(gcd)) {
                if (auto denominator = function.denominator.DivideExact(gcd)) {
                    function.numerator = std::move(*numerator);
                    function.denominator = std::move(*denominator);
                }
            }
        }
    }
    if (function.denominator.LeadingSign() < 0) {
        function.numerator.Negate();
        function.denominator.Negate();
    }
}

void AppendDivisors(RationalFunction& to, const RationalFunction& from) {
    to.divisors.insert(to.divisors.end(), from.divisors.begin(), from.divisors.end());
}

RationalFunction Sum(const RationalFunction& a, const RationalFunction& b, int sign) {
    RationalFunction sum;
    const CPolynomValue right = b.numerator.Scaled(CNumber(sign));
    if (a.denominator == b.denominator) {
        sum.numerator = a.numerator.Sum(right);
        sum.denominator = a.denominator;
    } else {
        sum.numerator = a.numerator.Product(b.denominator).Sum(right.Product(a.denominator));
        sum.denominator = a.denominator.Product(b.denominator);
    }
    sum.divisors = a.divisors;
    AppendDivisors(sum, b);
    Reduce(sum);
    return sum;
}

RationalFunction Product(const RationalFunction& a, const RationalFunction& b) {
    RationalFunction product;
    product.numerator = a.numerator.Product(b.numerator);
    product.denominator = a.denominator.Product(b.denominator);
    product.divisors = a.divisors;
    AppendDivisors(product, b);
    Reduce(product);
    return product;
}

// a / b; none when b is zero everywhere.
std::optional<RationalFunction> Quotient(const RationalFunction& a, const RationalFunction& b) {
    if (b.numerator.IsZero()) {
        return std::nullopt;
    }
    RationalFunction inverse;
    inverse.numerator = b.denominator;
    inverse.denominator = b.numerator;
    inverse.divisors = b.divisors;
    if (!b.numerator.IsConstant()) {
        inverse.divisors.push_back(b.numerator);
    }
    Reduce(inverse);
    return Product(a, inverse);
}

RationalFunction Constant(const CNumber& number) {
    RationalFunction constant;
    constant.numerator = CPolynomValue(number);
    return constant;
}

Reading Read(const SyntaxNode& node, int depth);

Reading ReadNumber(const SyntaxNode& node) {
    CNumber number;
    std::size_t position = 0;
    if (number.ParseText(node.text, position) != CNumber::kParseOk || position != node.text.size()) {
        return Refused(CheckMessageID::NotCheckedTooLarge);
    }
    number.Normalize();
    return Checked(Value(Constant(number)));
}

Reading ReadSum(const SyntaxNode& node, int depth) {
    RationalFunction sum = Constant(CNumber(0));
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (node.signs[i] == kPlusOrMinus) {
            return Refused(CheckMessageID::NotCheckedRoot);
        }
        Reading term = Read(node.children[i], depth + 1);
        if (!term.value) {
            return term;
        }
        sum = Sum(sum, *term.value, node.signs[i] < 0 ? -1 : 1);
    }
    return Checked(Value(std::move(sum)));
}

// Factors multiply (sign +1) and divisors divide (sign −1); a fraction is numerator / denominator.
Reading ReadProduct(const SyntaxNode& node, int depth) {
    RationalFunction product = Constant(CNumber(1));
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        Reading factor = Read(node.children[i], depth + 1);
        if (!factor.value) {
            return factor;
        }
        const bool divides = node.kind == SyntaxKind::Fraction ? i > 0 : node.signs[i] < 0;
        if (!divides) {
            product = Product(product, *factor.value);
            continue;
        }
        std::optional<RationalFunction> quotient = Quotient(product, *factor.value);
        if (!quotient) {
            return Refused(CheckMessageID::UndefinedEverywhere);
        }
        product = std::move(*quotient);
    }
    return Checked(Value(std::move(product)));
}

Reading ReadPower(const SyntaxNode& node, int depth) {
    Reading exponent = Read(node.children[1], depth + 1);
    if (!exponent.value) {
        return exponent;
    }
    const RationalFunction& power = *exponent.value;
    if (!power.numerator.IsConstant() || !power.denominator.IsConstant() || !power.divisors.empty()) {
        return Refused(CheckMessageID::NotCheckedExponent);
    }
    const CNumber value = power.numerator.ConstantValue().Quotient(power.denominator.ConstantValue());
    if (!value.IsWhole()) {
        return Refused(CheckMessageID::NotCheckedExponent);
    }
    CNumber magnitude = value;
    magnitude.TakeSign();
    if (magnitude.Greater(static_cast<std::int32_t>(EngineLimits::kMaxPolynomialDegree))) {
        return Refused(CheckMessageID::NotCheckedTooLarge);
    }
    Reading base = Read(node.children[0], depth + 1);
    if (!base.value) {
        return base;
    }
    CNumber whole = magnitude;
    whole.ToInteger();
    const std::int64_t n = whole.Numerator().ToInt64Clamped();
    RationalFunction raised;
    raised.numerator = base.value->numerator.Power(n);
    raised.denominator = base.value->denominator.Power(n);
    raised.divisors = base.value->divisors;
    if (value.Sign() >= 0) {
        return Checked(Value(std::move(raised)));
    }
    std::optional<RationalFunction> inverse = Quotient(Constant(CNumber(1)), raised);
    if (!inverse) {
        return Refused(CheckMessageID::UndefinedEverywhere);
    }
    return Checked(Value(std::move(*inverse)));
}

Reading Read(const SyntaxNode& node, int depth) {
    if (depth > EngineLimits::kMaxNestingDepth) {
        return Refused(CheckMessageID::NotCheckedTooLarge);
    }
    switch (node.kind) {
    case SyntaxKind::Number:
        return ReadNumber(node);
    case SyntaxKind::Letter: {
        RationalFunction letter;
        letter.numerator = CPolynomValue::Letter(static_cast<unsigned char>(node.text.front()));
        return Value(std::move(letter));
    }
    case SyntaxKind::Sum:
        return ReadSum(node, depth);
    case SyntaxKind::Product:
    case SyntaxKind::Fraction:
        return ReadProduct(node, depth);
    case SyntaxKind::Power:
        return ReadPower(node, depth);
    case SyntaxKind::CrossedOut:
        // A crossed-out operand still stands in the line it is drawn in.
        return Read(node.children.front(), depth + 1);
    case SyntaxKind::Root:
        return Refused(CheckMessageID::NotCheckedRoot);
    case SyntaxKind::Function:
        return Refused(CheckMessageID::NotCheckedFunction);
    case SyntaxKind::Relation:
    case SyntaxKind::System:
    case SyntaxKind::ConditionReference:
    case SyntaxKind::Labelled:
        return Refused(CheckMessageID::NotCheckedRelation);
    case SyntaxKind::Subscript:
    case SyntaxKind::Verbatim:
        return Refused(CheckMessageID::NotCheckedFunction);
    }
    return Refused(CheckMessageID::NotCheckedFunction);
}

void CollectLetters(const SyntaxNode& node, std::string& letters) {
    if (node.kind == SyntaxKind::Letter && letters.find(node.text) == std::string::npos) {
        letters += node.text;
    }
    for (const SyntaxNode& child : node.children) {
        CollectLetters(child, letters);
    }
}

Reading WithLetters(Reading reading, const SyntaxNode& node) {
    if (reading.value) {
        CollectLetters(node, reading.value->letters);
        std::sort(reading.value->letters.begin(), reading.value->letters.end());
    }
    return reading;
}

} // namespace

RationalReading RationalFunctionOf(const SyntaxNode& node) {
    CNumber::ResetLimitExceeded();
    return WithLetters(Checked(Read(node, 0)), node);
}

RationalReading RationalFunctionOfEquation(const SyntaxNode& left, const SyntaxNode& right) {
    CNumber::ResetLimitExceeded();
    Reading a = Read(left, 0);
    if (!a.value) {
        return a;
    }
    Reading b = Read(right, 0);
    if (!b.value) {
        return b;
    }
    return Checked(Value(Sum(*a.value, *b.value, -1)));
}

std::optional<CNumber> ValueAt(const RationalFunction& function,
                               const std::vector<std::pair<unsigned char, CNumber>>& point) {
    for (const CPolynomValue& divisor : function.divisors) {
        if (divisor.ValueAt(point).IsZero()) {
            return std::nullopt;
        }
    }
    const CNumber denominator = function.denominator.ValueAt(point);
    if (denominator.IsZero()) {
        return std::nullopt;
    }
    return function.numerator.ValueAt(point).Quotient(denominator);
}
