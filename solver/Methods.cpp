#include "solver/Methods.h"
#include "model/NodeCast.h"

#include "model/CMethod.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COLevelMultiplication.h"
#include "model/COLevelPower.h"
#include "model/COMonom.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/Walkers.h"

#include <algorithm>

namespace {

// Runs a CSimpleMethod over the tree with the walker given.
void RunSimple(NodeHandle handle, void (*walker)(NodeHandle, CMethod&), CSimpleMethod::Callback callback) {
    CSimpleMethod method(std::move(callback));
    walker(handle, method);
}

// Carries what a node has besides its children over to the node that replaces it.
void TakeOver(COperation& replacement, COperation& old) {
    replacement.TakeCommentsFrom(old);
    replacement.SetCrossOut(old.CrossOut());
}

// Moves all cells of a list node into a new node of a plain class.
template <class Plain> NodePtr MoveCellsInto(COperation& old) {
    auto plain = std::make_unique<Plain>();
    plain->AppendList(*old.AsList(), true);
    TakeOver(*plain, old);
    return plain;
}

bool IsUnitExponent(const COPower& power) {
    const CONumber* exponent = AsNumber(power.Exponent());
    return exponent != nullptr && exponent->Value().IsOne();
}

// Replaces a power with exponent 1 by its base; anything else stays.
NodePtr WithoutUnitExponent(NodePtr node) {
    if (node && node->GetFamily() == NodeFamily::Power && IsUnitExponent(NodeAs<COPower>(*node))) {
        return std::move(NodeAs<COPower>(*node).BaseSlot());
    }
    return node;
}

// Merges the qualifying elements of one list node into it; true when anything was merged.
bool FlattenNode(COperation& node) {
    const NodeType type = node.GetType();
    if (type != NodeType::Multiplication && type != NodeType::Addition && type != NodeType::Fraction) {
        return false;
    }
    COperationList& list = *node.AsList();
    bool merged = false;
    std::int32_t lastMergedCount = 0;
    for (auto position = list.Head(); position != list.End();) {
        COperation* child = position->child.get();
        bool mergeable = false;
        if (child != nullptr && type == NodeType::Fraction) {
            mergeable =
                child->GetType() == NodeType::Multiplication && child->AsList()->CountWithSign(-1) == 0;
        } else if (child != nullptr) {
            mergeable = child->GetType() == type;
        }
        if (!mergeable) {
            ++position;
            continue;
        }
        const std::int32_t sign = position->sign;
        NodePtr owned = list.RemoveAt(position, 1);
        COperationList& inner = *owned->AsList();
        if (type != NodeType::Fraction) {
            lastMergedCount = inner.GetCount();
        }
        for (auto cell = inner.Head(); cell != inner.End();) {
            const std::int32_t innerSign = cell->sign * sign;
            list.InsertBefore(position, inner.RemoveAt(cell, 1), innerSign);
        }
        node.TakeCommentsFrom(*owned);
        merged = true;
    }
    if (merged && lastMergedCount > 1) {
        node.AddComment(CommentID::BracketsOpened);
    }
    return merged;
}

void InsertLetter(std::string& letters, char letter) {
    auto at = std::lower_bound(letters.begin(), letters.end(), letter, [](char a, char b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    });
    if (at == letters.end() || *at != letter) {
        letters.insert(at, letter);
    }
}

// A read-only walk over a tree held by reference: the walkers take handles, so a temporary handle
// is made for the root and released again; the visitors given here never replace a node.
template <class Walk> void WalkReadOnly(const COperation& node, Walk walk) {
    NodePtr root(const_cast<COperation*>(&node));
    walk(&root);
    (void)root.release();
}

} // namespace

// --- building --------------------------------------------------------------------------------------

void BuildMonoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if (COMonom::Qualifies(**slot)) {
            COMonom::Build(slot);
        }
    });
}

void BuildPolynoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if (COPolynom::Qualifies(**slot)) {
            COPolynom::Build(slot);
        }
    });
}

void OrderPolynoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if ((*slot)->GetType() == NodeType::Polynom) {
            NodeAs<COPolynom>(**slot).OrderTerms();
        }
    });
}

void NormalizePolynoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if ((*slot)->GetType() == NodeType::Polynom) {
            NodeAs<COPolynom>(**slot).Normalize(true);
        }
    });
}

void BuildHyperMonoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if (COHyperMonom::Qualifies(**slot)) {
            COHyperMonom::Build(slot);
        }
    });
}

void TidyPolynoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if ((*slot)->GetType() == NodeType::Polynom) {
            NodeAs<COPolynom>(**slot).MoveSignsIntoCells();
        }
    });
}

void BuildLevelAdditions(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if (COLevelAddition::Qualifies(**slot)) {
            COLevelAddition::Build(slot);
        }
    });
}

void BuildLevelMultiplications(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if (COLevelMultiplication::Qualifies(**slot)) {
            COLevelMultiplication::Build(slot);
        }
    });
}

void BuildLevelPowers(NodeHandle handle) {
    RunSimple(handle, WalkPlainBase, [](NodeHandle slot) {
        if (COLevelPower::Qualifies(**slot)) {
            COLevelPower::Build(slot);
        }
    });
}

// --- unbuilding ------------------------------------------------------------------------------------

void UnbuildHyperMonoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainPost, [](NodeHandle slot) {
        COperation& node = **slot;
        if (node.GetType() != NodeType::HyperMonom) {
            return;
        }
        COperationList& list = *node.AsList();
        if (list.GetCount() == 1 && list.Head()->sign == 1) {
            NodePtr element = list.RemoveHead();
            TakeOver(*element, node);
            *slot = std::move(element);
        } else if (list.CountWithSign(-1) > 0) {
            *slot = MoveCellsInto<COFraction>(node);
        } else {
            *slot = MoveCellsInto<COMultiplication>(node);
        }
    });
}

void UnbuildPolynoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainPost, [](NodeHandle slot) {
        COperation& node = **slot;
        if (node.GetType() != NodeType::Polynom) {
            return;
        }
        COperationList& list = *node.AsList();
        if (list.GetCount() == 1 && list.Head()->sign == 1) {
            NodePtr term = list.RemoveHead();
            TakeOver(*term, node);
            *slot = std::move(term);
        } else {
            *slot = MoveCellsInto<COAddition>(node);
        }
    });
}

void UnbuildMonoms(NodeHandle handle) {
    RunSimple(handle, WalkPlainPost, [](NodeHandle slot) {
        COperation& node = **slot;
        if (node.GetType() != NodeType::Monom) {
            return;
        }
        auto& monom = NodeAs<COMonom>(node);
        NodePtr replacement;
        if (!monom.HasLetters()) {
            replacement = std::make_unique<CONumber>(monom.Term().coefficient);
        } else if (monom.GetCount() == 1) {
            replacement = WithoutUnitExponent(monom.RemoveHead());
        } else {
            auto product = std::make_unique<COMultiplication>();
            while (!monom.IsEmpty()) {
                NodePtr element = monom.RemoveHead();
                const CONumber* number = AsNumber(element.get());
                if (number != nullptr && number->Value().IsOne()) {
                    continue;
                }
                product->AddTail(WithoutUnitExponent(std::move(element)), 1);
            }
            replacement = std::move(product);
        }
        TakeOver(*replacement, node);
        *slot = std::move(replacement);
    });
}

// --- tidying and tests -----------------------------------------------------------------------------

bool FlattenLists(NodeHandle handle) {
    CTestMethod method(
        [](NodeHandle slot, std::int32_t* flag) {
            if (FlattenNode(**slot)) {
                *flag = 1;
            }
        },
        0);
    WalkPlainPost(handle, method);
    return method.Flag() != 0;
}

bool FoldFractionSigns(NodeHandle handle) {
    CTestMethod method(
        [](NodeHandle slot, std::int32_t* flag) {
            if ((*slot)->GetType() != NodeType::HyperMonom) {
                return;
            }
            bool changed = false;
            const std::int32_t sign = NodeAs<COHyperMonom>(**slot).NormalizeSign(changed);
            if (!changed) {
                return;
            }
            (*slot)->AddComment(CommentID::SignMovedOutOfFraction);
            *flag = 1;
            if (sign < 0) {
                *slot = std::make_unique<COAddition>(std::move(*slot), -1);
            }
        },
        0);
    WalkPlain(handle, method);
    return method.Flag() != 0;
}

void CollectLetters(NodeHandle handle, std::string& letters) {
    CVariableMethod method(
        [](NodeHandle slot, void* data) {
            if ((*slot)->GetType() == NodeType::Variable) {
                InsertLetter(*static_cast<std::string*>(data), NodeAs<COVariable>(**slot).Letter());
            }
        },
        &letters);
    WalkAll(handle, method);
}

std::string CollectLetters(const COperation& node) {
    std::string letters;
    WalkReadOnly(node, [&](NodeHandle root) { CollectLetters(root, letters); });
    return letters;
}

std::int32_t CountOperations(NodeHandle handle) {
    CTestMethod method(
        [](NodeHandle slot, std::int32_t* flag) {
            const COperation& node = **slot;
            if (node.GetFamily() == NodeFamily::Power) {
                *flag += 1;
            } else if (IsListFamily(node.GetFamily()) && node.AsList()->GetCount() > 1) {
                *flag += node.AsList()->GetCount() - 1;
            }
        },
        0);
    WalkAllPost(handle, method);
    return method.Flag();
}

std::int32_t CountOperations(const COperation& node) {
    std::int32_t count = 0;
    WalkReadOnly(node, [&](NodeHandle root) { count = CountOperations(root); });
    return count;
}
