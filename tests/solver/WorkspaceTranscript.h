#pragma once

// A solution written as one line per record, for whole-transcript comparisons in tests:
//   [k.n,k.n] block block ...
// with the record's line-block stack first, then its blocks: a formula as F(text), followed by "s"
// when it is spoken; a comment as its CommentID name, "/" and <alwaysShown><spoken>. Example of an
// answer record:
//   [2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(x+1)s

#include "output/COutputList.h"

#include <string>
#include <vector>

// The name of a comment as it stands in the catalogue.
inline std::string CommentName(CommentID id) {
    switch (id) {
    case CommentID::FractionsOverCommonDenominator:
        return "FractionsOverCommonDenominator";
    case CommentID::OppositeLikeTermsInserted:
        return "OppositeLikeTermsInserted";
    case CommentID::AnswerWithoutRoots:
        return "AnswerWithoutRoots";
    case CommentID::AnswerHeadingExpression:
        return "AnswerHeadingExpression";
    case CommentID::AnswerHeadingEquation2:
        return "AnswerHeadingEquation2";
    case CommentID::AnswerHeadingEquation1:
        return "AnswerHeadingEquation1";
    case CommentID::AnswerHeadingEquation0:
        return "AnswerHeadingEquation0";
    case CommentID::ProductIsZeroWhenFactorIs:
        return "ProductIsZeroWhenFactorIs";
    case CommentID::ReturnToFirstUnknown:
        return "ReturnToFirstUnknown";
    case CommentID::SubProblemHeading:
        return "SubProblemHeading";
    case CommentID::TermsReordered:
        return "TermsReordered";
    case CommentID::SignTakenOutOfBracket:
        return "SignTakenOutOfBracket";
    case CommentID::CheckRootsOfCaseBZero:
        return "CheckRootsOfCaseBZero";
    case CommentID::CheckRootsAgainstConditions:
        return "CheckRootsAgainstConditions";
    case CommentID::HomogeneousEquation:
        return "HomogeneousEquation";
    case CommentID::AnswerJoint:
        return "AnswerJoint";
    case CommentID::ProductWithDivisorsAsFraction:
        return "ProductWithDivisorsAsFraction";
    case CommentID::FractionWithDivisionAsProduct:
        return "FractionWithDivisionAsProduct";
    case CommentID::DiscriminantNegative:
        return "DiscriminantNegative";
    case CommentID::DiscriminantZero:
        return "DiscriminantZero";
    case CommentID::DiscriminantPositiveExactRoot:
        return "DiscriminantPositiveExactRoot";
    case CommentID::SubProblemLabelSeparator:
        return "SubProblemLabelSeparator";
    case CommentID::AnswerHeadingUnsolvedNewLetter:
        return "AnswerHeadingUnsolvedNewLetter";
    case CommentID::LeftSideAlwaysPositive:
        return "LeftSideAlwaysPositive";
    case CommentID::ErrorWrongClosingBracket:
        return "ErrorWrongClosingBracket";
    case CommentID::ErrorIncompleteExpression:
        return "ErrorIncompleteExpression";
    case CommentID::ErrorCharactersLeftOver:
        return "ErrorCharactersLeftOver";
    case CommentID::ErrorExponentNotInteger:
        return "ErrorExponentNotInteger";
    case CommentID::ErrorMissingOperand:
        return "ErrorMissingOperand";
    case CommentID::ErrorNoExpression:
        return "ErrorNoExpression";
    case CommentID::ErrorInvalidCharacter:
        return "ErrorInvalidCharacter";
    case CommentID::ErrorProblemTooLarge:
        return "ErrorProblemTooLarge";
    case CommentID::TermsGrouped:
        return "TermsGrouped";
    case CommentID::Cancellation:
        return "Cancellation";
    case CommentID::SubstitutionIntroduced:
        return "SubstitutionIntroduced";
    case CommentID::NothingToFactorise:
        return "NothingToFactorise";
    case CommentID::SplitOffNumerator:
        return "SplitOffNumerator";
    case CommentID::SplitOffDenominator:
        return "SplitOffDenominator";
    case CommentID::SplitOffNumeratorAndDenominator:
        return "SplitOffNumeratorAndDenominator";
    case CommentID::LikeTermsCollected:
        return "LikeTermsCollected";
    case CommentID::RootOfCaseBZeroKept:
        return "RootOfCaseBZeroKept";
    case CommentID::RootPassesCheck:
        return "RootPassesCheck";
    case CommentID::DiscriminantStep:
        return "DiscriminantStep";
    case CommentID::FractionIsZeroWhenNumeratorIs:
        return "FractionIsZeroWhenNumeratorIs";
    case CommentID::AllTermsMovedLeft:
        return "AllTermsMovedLeft";
    case CommentID::CommonFactorTakenOut:
        return "CommonFactorTakenOut";
    case CommentID::CommonFactorsTakenOut:
        return "CommonFactorsTakenOut";
    case CommentID::SignMovedOutOfFraction:
        return "SignMovedOutOfFraction";
    case CommentID::ConstantTermMovedRight:
        return "ConstantTermMovedRight";
    case CommentID::Unused49:
        return "Unused49";
    case CommentID::AnyValueIsRoot:
        return "AnyValueIsRoot";
    case CommentID::RootExcludedByCondition:
        return "RootExcludedByCondition";
    case CommentID::NewLetterDefinition:
        return "NewLetterDefinition";
    case CommentID::FractionsExtendedToCommonDenominator:
        return "FractionsExtendedToCommonDenominator";
    case CommentID::DomainConditions:
        return "DomainConditions";
    case CommentID::NumericFactorDividedOut:
        return "NumericFactorDividedOut";
    case CommentID::NoRoots:
        return "NoRoots";
    case CommentID::RootOfCaseBZeroRemoved:
        return "RootOfCaseBZeroRemoved";
    case CommentID::RootMakesDenominatorZero:
        return "RootMakesDenominatorZero";
    case CommentID::BracketsOpened:
        return "BracketsOpened";
    case CommentID::Unused60:
        return "Unused60";
    case CommentID::MergePartner61:
        return "MergePartner61";
    case CommentID::MergedFrom61And63:
        return "MergedFrom61And63";
    case CommentID::MergePartner63:
        return "MergePartner63";
    case CommentID::LikeTermsCombined:
        return "LikeTermsCombined";
    case CommentID::EquationInNewLetter:
        return "EquationInNewLetter";
    case CommentID::DivisionByFractionInverted:
        return "DivisionByFractionInverted";
    case CommentID::LeftSideFactorised:
        return "LeftSideFactorised";
    case CommentID::BetweenRoots:
        return "BetweenRoots";
    case CommentID::Unused69:
        return "Unused69";
    case CommentID::PowersJoined:
        return "PowersJoined";
    case CommentID::SquareOfSum:
        return "SquareOfSum";
    case CommentID::SquareOfDifference:
        return "SquareOfDifference";
    case CommentID::DifferenceOfSquares:
        return "DifferenceOfSquares";
    case CommentID::DifferenceOfCubes:
        return "DifferenceOfCubes";
    case CommentID::SumOfCubes:
        return "SumOfCubes";
    case CommentID::OtherPowerFormula:
        return "OtherPowerFormula";
    case CommentID::DiscriminantNotNegative:
        return "DiscriminantNotNegative";
    case CommentID::NegativeExponentAsDenominator:
        return "NegativeExponentAsDenominator";
    case CommentID::Unused79:
        return "Unused79";
    case CommentID::FractionsMultiplied:
        return "FractionsMultiplied";
    case CommentID::Unused81:
        return "Unused81";
    case CommentID::AnswerEveryNumber:
        return "AnswerEveryNumber";
    case CommentID::AnswerHeadingOther:
        return "AnswerHeadingOther";
    case CommentID::TermSplitIntoLikeTerms:
        return "TermSplitIntoLikeTerms";
    case CommentID::BothSidesTimesMinusOne:
        return "BothSidesTimesMinusOne";
    case CommentID::PowerOfUnknownDividedOut:
        return "PowerOfUnknownDividedOut";
    case CommentID::EquationForEachValue:
        return "EquationForEachValue";
    case CommentID::NewLettersIntroduced:
        return "NewLettersIntroduced";
    case CommentID::EquationInNewLetters:
        return "EquationInNewLetters";
    case CommentID::DividedByCoefficient:
        return "DividedByCoefficient";
    case CommentID::AnswerExcept:
        return "AnswerExcept";
    case CommentID::AlreadySimplest:
        return "AlreadySimplest";
    case CommentID::FirstNewLetterZeroToo:
        return "FirstNewLetterZeroToo";
    case CommentID::DividedByPowerOfSecondNewLetter:
        return "DividedByPowerOfSecondNewLetter";
    case CommentID::OppositeTermsCancelled:
        return "OppositeTermsCancelled";
    }
    std::string text = "CommentID ";
    return text.append(std::to_string(ToNumber(id)));
}

// Built by appending only: g++ 12 warns falsely (-Wrestrict) about some chains of operator+.
inline std::string DescribeBlock(const OutputBlock& block) {
    std::string text;
    if (const OutputBlockFormula* formula = block.AsFormula()) {
        text.append("F(").append(formula->text).append(")");
        if (formula->spoken) {
            text.append("s");
        }
        return text;
    }
    const OutputBlockComment* comment = block.AsComment();
    text.append(CommentName(comment->id)).append("/");
    text.append(comment->alwaysShown ? "1" : "0").append(comment->spoken ? "1" : "0");
    return text;
}

inline std::string DescribeRecord(const COutputRecord& record) {
    std::string text = "[";
    for (std::size_t i = 0; i < record.lineBlocks.size(); ++i) {
        if (i > 0) {
            text.append(",");
        }
        text.append(std::to_string(ToNumber(record.lineBlocks[i].kind))).append(".");
        text.append(std::to_string(record.lineBlocks[i].number));
    }
    text.append("]");
    for (const auto& block : record.Blocks()) {
        text.append(" ").append(DescribeBlock(*block));
    }
    return text;
}

inline std::vector<std::string> Transcript(const COutputList& solution) {
    std::vector<std::string> lines;
    for (const auto& record : solution.Records()) {
        lines.push_back(DescribeRecord(*record));
    }
    return lines;
}
