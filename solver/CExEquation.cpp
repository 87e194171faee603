#include "solver/CExEquation.h"

CExEquation::CExEquation(const std::string& text, COutputList* solution, char letter)
    : CExpression(text, solution, ParseLevel::Relation), unknown(letter) {}

CExEquation::CExEquation(std::int32_t heading, NodePtr relation, COutputList* solution, char letter)
    : CExpression(solution, std::move(relation)), answerHeading(heading), unknown(letter) {}
