#include "model/CommentMerge.h"

#include "model/Walkers.h"

#include <algorithm>
#include <optional>

namespace {

enum class CommentKind { Single, Partial, Combined, Unknown };

CommentKind KindOf(CommentIDType id) {
    const std::int32_t n = ToNumber(id);
    switch (id) {
    case CommentID::SplitOffNumerator:
    case CommentID::SplitOffDenominator:
    case CommentID::CommonFactorTakenOut:
    case CommentID::MergePartner61:
    case CommentID::MergePartner63:
        return CommentKind::Partial;
    case CommentID::SplitOffNumeratorAndDenominator:
    case CommentID::CommonFactorsTakenOut:
    case CommentID::MergedFrom61And63:
        return CommentKind::Combined;
    default:
        break;
    }
    return n >= 0 && n < kCommentIDCount ? CommentKind::Single : CommentKind::Unknown;
}

// The comment two partials combine into.
CommentIDType CombinedOf(CommentIDType partial) {
    switch (partial) {
    case CommentID::SplitOffNumerator:
    case CommentID::SplitOffDenominator:
        return CommentID::SplitOffNumeratorAndDenominator;
    case CommentID::MergePartner61:
    case CommentID::MergePartner63:
        return CommentID::MergedFrom61And63;
    default:
        return CommentID::CommonFactorsTakenOut;
    }
}

// The partial that pairs with `partial` (45 pairs with itself).
CommentIDType PartnerOf(CommentIDType partial) {
    switch (partial) {
    case CommentID::SplitOffNumerator:
        return CommentID::SplitOffDenominator;
    case CommentID::SplitOffDenominator:
        return CommentID::SplitOffNumerator;
    case CommentID::MergePartner61:
        return CommentID::MergePartner63;
    case CommentID::MergePartner63:
        return CommentID::MergePartner61;
    default:
        return CommentID::CommonFactorTakenOut;
    }
}

bool Contains(const CommentList& list, CommentIDType id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

void AppendIfAbsent(CommentList& list, CommentIDType id) {
    if (!Contains(list, id)) {
        list.push_back(id);
    }
}

void CollectOwn(COperation& node, CommentList& target) {
    if (node.Comments() == nullptr) {
        return; // most nodes never had a comment
    }
    while (std::optional<CommentIDType> id = node.TakeComment()) {
        MergeComment(target, *id);
    }
}

} // namespace

void MergeComment(CommentList& target, CommentIDType id) {
    if (target.empty()) {
        target.push_back(id);
        return;
    }
    switch (KindOf(id)) {
    case CommentKind::Single:
        AppendIfAbsent(target, id);
        return;
    case CommentKind::Partial: {
        const CommentIDType combined = CombinedOf(id);
        if (Contains(target, combined)) {
            return;
        }
        auto partner = std::find(target.begin(), target.end(), PartnerOf(id));
        if (partner != target.end()) {
            target.erase(partner);
            target.push_back(combined);
            return;
        }
        AppendIfAbsent(target, id);
        return;
    }
    case CommentKind::Combined:
        if (Contains(target, id)) {
            return;
        }
        std::erase_if(target, [id](CommentIDType present) {
            return KindOf(present) == CommentKind::Partial && CombinedOf(present) == id;
        });
        target.push_back(id);
        return;
    case CommentKind::Unknown:
        return;
    }
}

void CollectComments(COperation& node, CommentList& target) {
    CollectOwn(node, target);
    switch (node.GetFamily()) {
    case NodeFamily::Number:
    case NodeFamily::Variable:
    case NodeFamily::Root:
        return;
    case NodeFamily::Power:
    case NodeFamily::Relation:
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition:
        break;
    }
    VisitChildSlots(node, false, [&target](NodeHandle child) {
        if (*child) {
            CollectComments(**child, target);
        }
    });
}
