#include "output/ProblemError.h"

std::optional<CommentIDType> ErrorComment(ProblemError code) {
    switch (code) {
    case ProblemError::None:
        return std::nullopt;
    case ProblemError::InvalidCharacter:
        return CommentID::ErrorInvalidCharacter;
    case ProblemError::MissingOperand:
        return CommentID::ErrorMissingOperand;
    case ProblemError::WrongClosingBracket:
        return CommentID::ErrorWrongClosingBracket;
    case ProblemError::IncompleteExpression:
        return CommentID::ErrorIncompleteExpression;
    case ProblemError::ExponentNotInteger:
        return CommentID::ErrorExponentNotInteger;
    case ProblemError::CharactersLeftOver:
        return CommentID::ErrorCharactersLeftOver;
    case ProblemError::NoExpression:
        return CommentID::ErrorNoExpression;
    case ProblemError::ProblemTooLarge:
        return CommentID::ErrorProblemTooLarge;
    }
    return std::nullopt;
}
