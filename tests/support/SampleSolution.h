#pragma once

// A solution as the equation solver writes one: a problem, steps with comments, a nested case split
// with a domain system and a check, crossed-out factors, a quadratic formula and the answer.

#include "output/COutputList.h"

#include <string>

inline void AddSampleSolution(COutputList& solution, int repeats = 1) {
    const LineBlockList problem = {{LineBlockKind::Problem, 0}};
    const LineBlockList steps = {{LineBlockKind::Steps, 0}};
    const LineBlockList nested = {{LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 0}};
    const LineBlockList domain = {{LineBlockKind::Steps, 0}, {LineBlockKind::Domain, 0}};
    const LineBlockList check = {
        {LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 0}, {LineBlockKind::Check, 0}};
    const std::string notEqual(1, static_cast<char>(0xB9));
    const std::string plusMinus(1, static_cast<char>(0xB1));
    const std::string rootComma(1, static_cast<char>(0xB5));
    solution.AddFormula(&problem, "{x^2-1}/{x+1}+2,5.x:4=0", false);
    for (int i = 0; i < repeats; ++i) {
        solution.AddComment(&steps, CommentID::DomainConditions, false, true);
        solution.AddFormula(&domain, "!sys{x+1" + notEqual + "0 (1);x" + notEqual + "0 (2)}", false);
        solution.AddComment(&steps, CommentID::DifferenceOfSquares, false, true);
        solution.AddFormula(&steps, "{(x-1).(x+1)}/{x+1}+2,5.x:4=0", false);
        solution.AddComment(&steps, CommentID::Cancellation, false, true);
        solution.AddFormula(&steps, "{(x-1).!cross{3;(x+1)}}/{!cross{3;x+1}}+2,5.x:4=0", false);
        solution.AddFormula(&nested, "x^2+3.x-4=0", false);
        solution.AddComment(&nested, CommentID::DiscriminantStep, false, true);
        solution.AddFormula(&nested, "D=b^2-4.a.c=3^2-4.1.(-4)=25", false);
        solution.AddFormula(
            &nested, "x_{1" + rootComma + "2}={-b" + plusMinus + "!sq2{D}}/{2.a}={-3" + plusMinus + "5}/{2}",
            false);
        solution.AddFormula(&check, "!sqn{3;x^{2}+7}=2", false);
        auto excluded = solution.AddFormula(&check, "x=-4", false);
        (*excluded)->AddComment(CommentID::RootMakesDenominatorZero, true, false);
        (*excluded)->AddFormula("!brssil{0;1}", false);
        (*excluded)->AddComment(CommentID::RootExcludedByCondition, true, false);
    }
    auto answer = solution.AddComment(&problem, CommentID::AnswerHeadingEquation0, true, true);
    (*answer)->AddComment(CommentID::AnswerJoint, true, false);
    (*answer)->AddFormula("x=1", true);
}
