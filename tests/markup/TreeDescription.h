#pragma once

// A structural description of an operation tree, independent of the tree's own text writer, so that
// parser tests can state the exact shape they expect:
//   number leaf   int:108, dec:0,01, frac:3/4, mixed:2@{1/3}
//   variable      x
//   sum           sum(+a,-b)        product  prod(+a,:b)     fraction  frac(+a,/b)
//   power         pow(x,2)          relation rel(x=1)

#include "model/CNumber.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "model/COperation.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"

#include <string>

inline std::string DescribeTree(const COperation* node) {
    if (node == nullptr) {
        return "<none>";
    }
    switch (node->GetFamily()) {
    case NodeFamily::Number: {
        const CNumber& value = NodeAs<CONumber>(*node).Value();
        std::string text;
        value.WriteText(text);
        switch (value.GetKind()) {
        case CNumber::kInteger:
            return "int:" + text;
        case CNumber::kDecimal:
            return "dec:" + text;
        case CNumber::kFraction:
            return "frac:" + text;
        case CNumber::kMixed:
            return "mixed:" + text;
        }
        return "number?";
    }
    case NodeFamily::Variable:
        return std::string(1, NodeAs<COVariable>(*node).Letter());
    case NodeFamily::Power: {
        const auto* power = &NodeAs<COPower>(*node);
        return "pow(" + DescribeTree(power->Base()) + "," + DescribeTree(power->Exponent()) + ")";
    }
    case NodeFamily::Relation: {
        const auto* relation = &NodeAs<CORelation>(*node);
        return "rel(" + DescribeTree(relation->Left()) + RelationSign(relation->Code()) +
               DescribeTree(relation->Right()) + ")";
    }
    case NodeFamily::Root:
        return "root";
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition: {
        const NodeFamily family = node->GetFamily();
        const char* name =
            family == NodeFamily::Addition ? "sum(" : (family == NodeFamily::Fraction ? "frac(" : "prod(");
        const char* negative =
            family == NodeFamily::Addition ? "-" : (family == NodeFamily::Fraction ? "/" : ":");
        std::string text = name;
        bool first = true;
        for (const ListCell& cell : *node->AsList()) {
            if (!first) {
                text += ",";
            }
            first = false;
            text += cell.sign > 0 ? "+" : negative;
            text += DescribeTree(cell.child.get());
        }
        return text + ")";
    }
    }
    return "?";
}
