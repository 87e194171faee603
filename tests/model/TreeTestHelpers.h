#pragma once

// Small builders so that test trees read as the formulas they stand for:
//   Sum(Var('a'), Minus(Var('b')))          a-b
//   Prod(Num(2), Var('x'), Div(Num(3)))     2*x:3
//   Frac(Var('x'), Den(Sum(...)))           x/(...)

#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/CORoot.h"
#include "model/COVariable.h"
#include "model/NodeCast.h"

#include <memory>
#include <string>
#include <utility>

namespace treetest {

inline NodePtr Num(std::int32_t value) {
    return std::make_unique<CONumber>(value);
}

// A number leaf read from its text form ("1/2", "0,5", "2@{1/3}").
inline NodePtr NumText(const std::string& text) {
    CNumber number;
    std::size_t position = 0;
    const std::string withEnd = text + ";";
    number.ParseText(withEnd, position);
    return std::make_unique<CONumber>(number);
}

inline NodePtr Var(char letter) {
    return std::make_unique<COVariable>(letter);
}
inline NodePtr Pow(NodePtr base, NodePtr exponent) {
    return std::make_unique<COPower>(std::move(base), std::move(exponent));
}
inline NodePtr Root(NodePtr radicand, std::int32_t degree) {
    return std::make_unique<CORoot>(std::move(radicand), degree);
}
inline NodePtr Rel(RelationCode code, NodePtr left, NodePtr right) {
    return std::make_unique<CORelation>(code, std::move(left), std::move(right));
}

// A cell with sign -1: subtracted term, divisor, or denominator factor.
inline ListCell Minus(NodePtr node) {
    return ListCell{std::move(node), -1};
}
inline ListCell Div(NodePtr node) {
    return ListCell{std::move(node), -1};
}
inline ListCell Den(NodePtr node) {
    return ListCell{std::move(node), -1};
}

inline ListCell ToCell(NodePtr node) {
    return ListCell{std::move(node), 1};
}
inline ListCell ToCell(ListCell cell) {
    return cell;
}

template <typename T, typename... Elements> std::unique_ptr<T> Nary(Elements... elements) {
    auto node = std::make_unique<T>();
    ([&](ListCell cell) { node->AddTail(std::move(cell.child), cell.sign); }(ToCell(std::move(elements))),
     ...);
    return node;
}

template <typename... Elements> NodePtr Sum(Elements... elements) {
    return Nary<COAddition>(std::move(elements)...);
}
template <typename... Elements> NodePtr Prod(Elements... elements) {
    return Nary<COMultiplication>(std::move(elements)...);
}
template <typename... Elements> NodePtr Frac(Elements... elements) {
    return Nary<COFraction>(std::move(elements)...);
}

inline std::string Text(const COperation& node, TextContext context = TextContext::Free) {
    std::string text;
    node.WriteText(text, context);
    return text;
}

// The shape of a tree for failure messages: S[+a -b] sum, P[..] product, F[..] fraction,
// Pow(base,exponent), Root(radicand), Rel(left,right); leaves as their text.
inline std::string Structure(const COperation& node) {
    if (const COperationList* list = node.AsList()) {
        std::string text = node.GetFamily() == NodeFamily::Addition   ? "S["
                           : node.GetFamily() == NodeFamily::Fraction ? "F["
                                                                      : "P[";
        for (const ListCell& cell : *list) {
            text += cell.sign == 1 ? " +" : " -";
            text += cell.child ? Structure(*cell.child) : "null";
        }
        return text + " ]";
    }
    auto part = [](const COperation* child) { return child ? Structure(*child) : std::string("null"); };
    switch (node.GetFamily()) {
    case NodeFamily::Power:
        return "Pow(" + part(NodeAs<COPower>(node).Base()) + "," + part(NodeAs<COPower>(node).Exponent()) +
               ")";
    case NodeFamily::Root:
        return "Root(" + part(NodeAs<CORoot>(node).Radicand()) + ")";
    case NodeFamily::Relation:
        return "Rel(" + part(NodeAs<CORelation>(node).Left()) + "," + part(NodeAs<CORelation>(node).Right()) +
               ")";
    case NodeFamily::Number:
    case NodeFamily::Variable:
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition:
        break;
    }
    return Text(node);
}

} // namespace treetest
