// The stage machine of a level product: a product or quotient of rational monomials becomes one
// rational monomial in lowest terms, one visible step at a time.
//
//   GatherIntoOne        x/(x+1) * (x+1)^2/x^3  -> {x*(x+1)^2}/{(x+1)*x^3}   all factors moved
//                        into one monomial
//   TakeOutNumbers       numbers taken out of the factors (repeated while it changes something)
//   CancelCommonFactors  common factors marked as crossed-out pairs, then removed (repeated while
//                        pairs are found)
//   ReplaceByMonom       the level product is replaced by its rational monomial

#include "model/COHyperMonom.h"
#include "model/COLevelMultiplication.h"
#include "model/NodeCast.h"
#include "solver/SimplifySupport.h"
#include "solver/simplify/HyperMonomSteps.h"
#include "solver/simplify/LevelSteps.h"

namespace {

using Stage = COLevelMultiplication::Stage;

void GatherIntoOne(COLevelMultiplication& product) {
    auto gathered = std::make_unique<COHyperMonom>();
    int withDenominator = 0;
    while (!product.IsEmpty()) {
        const std::int32_t sign = product.Head()->sign;
        NodePtr element = product.RemoveHead();
        if (element->AsList()->CountWithSign(-1) > 0) {
            ++withDenominator;
        }
        gathered->TakeCommentsFrom(*element);
        SpliceCells(*gathered, gathered->End(), *element->AsList(), sign);
    }
    if (gathered->IsEmpty()) {
        gathered->AddTail(MakeConstantFactor(CNumber(1), CNumber(1)), 1);
    }
    gathered->OrderFactors();
    SplitMonomialFactors(*gathered);
    GatherConstants(*gathered);
    product.AddTail(std::move(gathered), 1);
    if (withDenominator > 1) {
        product.AddComment(CommentID::FractionsMultiplied);
    }
}

COHyperMonom& OnlyElement(COLevelMultiplication& product) {
    return NodeAs<COHyperMonom>(*product.Head()->child);
}

} // namespace

bool StepLevelMultiplication(NodeHandle handle) {
    auto& product = NodeAs<COLevelMultiplication>(**handle);
    switch (product.stage) {
    case Stage::GatherIntoOne:
        GatherIntoOne(product);
        product.stage = Stage::TakeOutNumbers;
        return true;
    case Stage::TakeOutNumbers:
        if (!TakeOutNumbers(OnlyElement(product), NumberMode::ClearNumerators)) {
            product.stage = Stage::CancelCommonFactors;
        }
        return true;
    case Stage::CancelCommonFactors:
        if (product.cancellationPending) {
            RemoveCancelledPairs(OnlyElement(product));
            product.cancellationPending = false;
        } else if (CancelCommonFactors(OnlyElement(product))) {
            product.cancellationPending = true;
        } else {
            product.stage = Stage::ReplaceByMonom;
        }
        return true;
    case Stage::ReplaceByMonom: {
        NodePtr monom = product.RemoveHead();
        ReplaceNode(handle, std::move(monom));
        return true;
    }
    }
    return true;
}
