#include "model/CNumberSet.h"

#include <utility>
#include <vector>

CNumberSet::CNumberSet(const CNumberSet& other) : COperationList(), m_complement(other.m_complement) {
    CloneCellsFrom(other);
}

void CNumberSet::SetAll() {
    DeleteAll();
    m_complement = 1;
}

bool CNumberSet::Lists(const COperation& node) const {
    for (const ListCell& cell : GetCells()) {
        if (cell.child && IsEqualNodes(*cell.child, node)) {
            return true;
        }
    }
    return false;
}

void CNumberSet::Exclude(NodePtr node) {
    // Elements are number leaves, so a dropped node frees no subtree.
    if (!node) {
        return;
    }
    if (m_complement == 0) {
        for (Position position = Head(); position != End(); ++position) {
            if (position->child && IsEqualNodes(*position->child, *node)) {
                RemoveAt(position, 1);
                return;
            }
        }
        return;
    }
    if (!Lists(*node)) {
        AddTail(std::move(node), 1);
    }
}

void CNumberSet::IntersectWith(const CNumberSet& other) {
    // The result is built from clones into a separate list first, so that `other` may even be
    // this very set.
    std::vector<NodePtr> result;
    auto cloneIf = [&result](const CNumberSet& from, auto&& keep) {
        for (const ListCell& cell : from.GetCells()) {
            if (cell.child && keep(*cell.child)) {
                result.push_back(cell.child->Clone());
            }
        }
    };
    const bool thisAll = m_complement != 0;
    const bool otherAll = other.m_complement != 0;
    if (!thisAll && !otherAll) {
        cloneIf(*this, [&other](const COperation& node) { return other.Lists(node); });
    } else if (thisAll && !otherAll) {
        cloneIf(other, [this](const COperation& node) { return !Lists(node); });
    } else if (!thisAll && otherAll) {
        cloneIf(*this, [&other](const COperation& node) { return !other.Lists(node); });
    } else {
        cloneIf(*this, [](const COperation&) { return true; });
        const std::size_t own = result.size();
        for (const ListCell& cell : other.GetCells()) {
            if (!cell.child) {
                continue;
            }
            bool present = false;
            for (std::size_t i = 0; i < own && !present; ++i) {
                present = IsEqualNodes(*result[i], *cell.child);
            }
            if (!present) {
                result.push_back(cell.child->Clone());
            }
        }
    }
    const std::int32_t flag = thisAll && otherAll ? 1 : 0;
    DeleteAll();
    for (NodePtr& node : result) {
        AddTail(std::move(node), 1);
    }
    m_complement = flag;
}
