#include "solver/equation/NodeValue.h"

#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/CORoot.h"
#include "model/COVariable.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// The arithmetic of one kind of value: exact numbers or long doubles.
struct ExactArithmetic {
    using Value = CNumber;
    static Value FromNumber(const CNumber& number) { return number; }
    static Value Zero() { return CNumber(0); }
    static Value One() { return CNumber(1); }
    static void Add(Value& sum, const Value& term, std::int32_t sign) {
        sign > 0 ? sum.AddInPlace(term) : sum.SubtractInPlace(term);
    }
    static bool Multiply(Value& product, const Value& factor, std::int32_t sign) {
        if (sign > 0) {
            product.MultiplyInPlace(factor);
            return true;
        }
        if (factor.IsZero()) {
            return false;
        }
        product.DivideInPlace(factor);
        return true;
    }
    static std::optional<Value> Power(const Value& base, const CNumber& exponent) {
        if (!exponent.IsWhole() || (base.IsZero() && exponent.Sign() < 0)) {
            return std::nullopt;
        }
        return base.PowerOf(exponent);
    }
    static std::optional<Value> Root(const Value& radicand, const CNumber& degree) {
        return radicand.ExactRoot(degree);
    }
    static void Track(const Value&) {}
};

struct ApproximateArithmetic {
    using Value = long double;
    static Value FromNumber(const CNumber& number) {
        CNumber copy = number;
        copy.ToFraction();
        std::string numerator;
        std::string denominator;
        copy.Numerator().WriteText(numerator);
        copy.DenominatorPart().WriteText(denominator);
        return std::strtold(numerator.c_str(), nullptr) / std::strtold(denominator.c_str(), nullptr);
    }
    static Value Zero() { return 0; }
    static Value One() { return 1; }
    static void Add(Value& sum, const Value& term, std::int32_t sign) {
        scale = std::max(scale, std::fabs(term));
        sum += sign > 0 ? term : -term;
    }
    static bool Multiply(Value& product, const Value& factor, std::int32_t sign) {
        if (sign > 0) {
            product *= factor;
            return true;
        }
        if (factor == 0) {
            return false;
        }
        product /= factor;
        return true;
    }
    static std::optional<Value> Power(const Value& base, const CNumber& exponent) {
        if (!exponent.IsWhole() || (base == 0 && exponent.Sign() < 0)) {
            return std::nullopt;
        }
        return std::pow(base, FromNumber(exponent));
    }
    static std::optional<Value> Root(const Value& radicand, const CNumber& degree) {
        if (!degree.IsWhole() || degree.Sign() <= 0) {
            return std::nullopt;
        }
        const bool odd = !degree.IsEvenInteger();
        if (radicand < 0 && !odd) {
            return std::nullopt;
        }
        const Value magnitude = std::pow(std::fabs(radicand), 1 / FromNumber(degree));
        return radicand < 0 ? -magnitude : magnitude;
    }
    static void Track(const Value& value) { scale = std::max(scale, std::fabs(value)); }

    static inline thread_local long double scale = 0;
};

template <typename Arithmetic>
std::optional<typename Arithmetic::Value> ValueAt(const COperation& node, char letter,
                                                  const typename Arithmetic::Value& value) {
    using Value = typename Arithmetic::Value;
    switch (node.GetFamily()) {
    case NodeFamily::Number:
        return Arithmetic::FromNumber(NodeAs<CONumber>(node).Value());
    case NodeFamily::Variable:
        if (NodeAs<COVariable>(node).Letter() != letter) {
            return std::nullopt;
        }
        return value;
    case NodeFamily::Power: {
        const auto& power = NodeAs<COPower>(node);
        const CONumber* exponent = AsNumber(power.Exponent());
        if (!exponent || !power.Base()) {
            return std::nullopt;
        }
        const std::optional<Value> base = ValueAt<Arithmetic>(*power.Base(), letter, value);
        return base ? Arithmetic::Power(*base, exponent->Value()) : std::nullopt;
    }
    case NodeFamily::Root: {
        const auto& root = NodeAs<CORoot>(node);
        const std::optional<Value> radicand =
            root.Radicand() ? ValueAt<Arithmetic>(*root.Radicand(), letter, value) : std::nullopt;
        return radicand ? Arithmetic::Root(*radicand, root.Degree()) : std::nullopt;
    }
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction: {
        Value product = Arithmetic::One();
        for (const ListCell& cell : *node.AsList()) {
            const std::optional<Value> factor = ValueAt<Arithmetic>(*cell.child, letter, value);
            if (!factor || !Arithmetic::Multiply(product, *factor, cell.sign)) {
                return std::nullopt;
            }
        }
        Arithmetic::Track(product);
        return product;
    }
    case NodeFamily::Addition: {
        Value sum = Arithmetic::Zero();
        for (const ListCell& cell : *node.AsList()) {
            const std::optional<Value> term = ValueAt<Arithmetic>(*cell.child, letter, value);
            if (!term) {
                return std::nullopt;
            }
            Arithmetic::Add(sum, *term, cell.sign);
        }
        return sum;
    }
    case NodeFamily::Relation:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<CNumber> ExactValueAt(const COperation& node, char letter, const CNumber& value) {
    return ValueAt<ExactArithmetic>(node, letter, value);
}

std::optional<long double> ApproximateValue(const COperation& node) {
    return ValueAt<ApproximateArithmetic>(node, 0, 0);
}

std::optional<ApproximateResult> ApproximateValueAt(const COperation& node, char letter, long double value) {
    ApproximateArithmetic::scale = std::fabs(value);
    const std::optional<long double> result = ValueAt<ApproximateArithmetic>(node, letter, value);
    if (!result) {
        return std::nullopt;
    }
    return ApproximateResult{*result, std::max(ApproximateArithmetic::scale, std::fabs(*result))};
}
