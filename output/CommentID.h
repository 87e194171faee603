#pragma once

// The catalogue of comment identifiers. A comment is a number inside the engine; its text and voice
// clip are looked up in the language file under the same number when a solution is shown. Code and
// tests use these names, never bare numbers.

#include <cstdint>

enum class CommentID : std::int32_t {
    // e.g. 1/x + 1/y -> (y + x)/(xy)
    FractionsOverCommonDenominator = 0,
    // e.g. x^2 - 1 -> x^2 - x + x - 1 (a pair of opposite like terms inserted or present)
    OppositeLikeTermsInserted = 1,
    // follows heading AnswerHeadingUnsolvedNewLetter or AnswerHeadingOther of an equation answer that lists
    // no roots
    AnswerWithoutRoots = 2,
    // "Answer:" of an expression problem
    AnswerHeadingExpression = 3,
    // equation answer headings for answerHeading 2, 1, 0
    AnswerHeadingEquation2 = 4,
    AnswerHeadingEquation1 = 5,
    AnswerHeadingEquation0 = 6,
    // x(x - 1) = 0: a product is zero when one of its factors is
    ProductIsZeroWhenFactorIs = 7,
    // return to the first unknown after a substitution
    ReturnToFirstUnknown = 8,
    // heading of a numbered sub-problem, followed by its label
    SubProblemHeading = 9,
    // e.g. 2 + x -> x + 2
    TermsReordered = 10,
    // e.g. -a - b -> -(a + b)
    SignTakenOutOfBracket = 11,
    // opens the check of the roots of the case B = 0 of a homogeneous equation
    CheckRootsOfCaseBZero = 12,
    // opens the check of the roots against the domain conditions
    CheckRootsAgainstConditions = 13,
    // the equation in two new letters is homogeneous
    HomogeneousEquation = 14,
    // joint that follows every answer heading
    AnswerJoint = 15,
    // e.g. a : b * c -> (a c)/b
    ProductWithDivisorsAsFraction = 16,
    // e.g. (a : b)/c -> a : b : c
    FractionWithDivisionAsProduct = 17,
    // D < 0: no roots
    DiscriminantNegative = 18,
    // D = 0: one root
    DiscriminantZero = 19,
    // D > 0 with an exact square root
    DiscriminantPositiveExactRoot = 20,
    // separator between the parts of a sub-problem label
    SubProblemLabelSeparator = 21,
    // answer heading when an equation in a new letter could not be solved
    AnswerHeadingUnsolvedNewLetter = 22,
    // e.g. x^2 + 1 = 0: the left side is positive for every value
    LeftSideAlwaysPositive = 23,
    // error 3: a bracket closed by the wrong character
    ErrorWrongClosingBracket = 24,
    // error 4: incomplete expression or division by zero
    ErrorIncompleteExpression = 25,
    // error 6: characters left over; also two letters in an equation
    ErrorCharactersLeftOver = 26,
    // error 5: exponent not an integer
    ErrorExponentNotInteger = 27,
    // error 2: missing operand
    ErrorMissingOperand = 28,
    // error 7: no expression
    ErrorNoExpression = 29,
    // error 1: invalid character
    ErrorInvalidCharacter = 30,
    // error 8: the problem is too large (a limit of the engine was reached)
    ErrorProblemTooLarge = 31,
    // e.g. ab + ac + db + dc -> (ab + ac) + (db + dc)
    TermsGrouped = 32,
    // e.g. (2x)/(2y) -> x/y with the cancelled factors struck through
    Cancellation = 33,
    // a substitution is introduced
    SubstitutionIntroduced = 34,
    // a factorisation that found nothing
    NothingToFactorise = 35,
    // partial: a number or factor split off a numerator (with SplitOffDenominator gives
    // SplitOffNumeratorAndDenominator)
    SplitOffNumerator = 36,
    // partial: a number or factor split off a denominator (with SplitOffNumerator gives
    // SplitOffNumeratorAndDenominator)
    SplitOffDenominator = 37,
    // SplitOffNumerator and SplitOffDenominator in one step
    SplitOffNumeratorAndDenominator = 38,
    // e.g. 2x + 3x -> (2 + 3)x
    LikeTermsCollected = 39,
    // a root of the case B = 0 that also makes A zero (kept)
    RootOfCaseBZeroKept = 40,
    // a root that passes the check
    RootPassesCheck = 41,
    // D = b^2 - 4ac
    DiscriminantStep = 42,
    // a fraction is zero when its numerator is
    FractionIsZeroWhenNumeratorIs = 43,
    // e.g. x^2 = 3x -> x^2 - 3x = 0
    AllTermsMovedLeft = 44,
    // e.g. 2x + 2y -> 2(x + y); twice in one step gives CommonFactorsTakenOut
    CommonFactorTakenOut = 45,
    // CommonFactorTakenOut twice in one step
    CommonFactorsTakenOut = 46,
    // e.g. (-a)/b -> -(a/b)
    SignMovedOutOfFraction = 47,
    // e.g. 2x - 4 = 0 -> 2x = 4
    ConstantTermMovedRight = 48,
    // not emitted; the language files give it a general text ("We simplify.")
    Unused49 = 49,
    // any value of the unknown is a root (after AnswerEveryNumber)
    AnyValueIsRoot = 50,
    // a root excluded by a condition
    RootExcludedByCondition = 51,
    // the definition of the new letter
    NewLetterDefinition = 52,
    // e.g. 1/x + 1/y -> y/(xy) + x/(xy)
    FractionsExtendedToCommonDenominator = 53,
    // opens the system of domain conditions
    DomainConditions = 54,
    // e.g. 2x^2 - 4 = 0 -> x^2 - 2 = 0
    NumericFactorDividedOut = 55,
    // no roots
    NoRoots = 56,
    // a root of the case B = 0 that does not make A zero (removed)
    RootOfCaseBZeroRemoved = 57,
    // a root makes a denominator zero
    RootMakesDenominatorZero = 58,
    // e.g. 2(x + 1) -> 2x + 2
    BracketsOpened = 59,
    // not emitted; general text ("We transform the expression.")
    Unused60 = 60,
    // partial, the numerator simplified: with MergePartner63 gives MergedFrom61And63
    MergePartner61 = 61,
    // MergePartner61 and MergePartner63 in one step
    MergedFrom61And63 = 62,
    // partial, the denominator simplified: with MergePartner61 gives MergedFrom61And63
    MergePartner63 = 63,
    // e.g. 2x + 3x -> 5x
    LikeTermsCombined = 64,
    // the equation in the new letter
    EquationInNewLetter = 65,
    // e.g. a : (b/c) -> a * (c/b)
    DivisionByFractionInverted = 66,
    // the left side is factorised
    LeftSideFactorised = 67,
    // between two roots of an answer
    BetweenRoots = 68,
    // not emitted; general text ("We continue.")
    Unused69 = 69,
    // e.g. (a^2)^3 -> a^6; a^2 a^3 -> a^5
    PowersJoined = 70,
    // (a + b)^2 = a^2 + 2ab + b^2
    SquareOfSum = 71,
    // (a - b)^2 = a^2 - 2ab + b^2
    SquareOfDifference = 72,
    // a^2 - b^2 = (a - b)(a + b)
    DifferenceOfSquares = 73,
    // a^3 - b^3 = (a - b)(a^2 + ab + b^2)
    DifferenceOfCubes = 74,
    // a^3 + b^3 = (a + b)(a^2 - ab + b^2)
    SumOfCubes = 75,
    // another power formula (a power of a binomial, the square of a trinomial, ...)
    OtherPowerFormula = 76,
    // D >= 0: the roots follow
    DiscriminantNotNegative = 77,
    // e.g. x^{-2} -> 1/x^2
    NegativeExponentAsDenominator = 78,
    // not emitted; general text ("We rewrite the expression.")
    Unused79 = 79,
    // e.g. (a/b)(c/d) -> (ac)/(bd)
    FractionsMultiplied = 80,
    // not emitted; general text ("We check the result.")
    Unused81 = 81,
    // the answer is every number
    AnswerEveryNumber = 82,
    // equation answer heading for a result state other than 1 and 3
    AnswerHeadingOther = 83,
    // e.g. x^2 + 2x + 1 -> x^2 + x + x + 1 (a factorisation read backwards: a term split into like terms)
    TermSplitIntoLikeTerms = 84,
    // e.g. -x = -5 -> x = 5 (both sides negated, no bracket involved)
    BothSidesTimesMinusOne = 85,
    // e.g. x^4 + 2x^3 + x^2 + 2x + 1 = 0 -> x^2 + 2x + 1 + 2/x + 1/x^2 = 0 (x is not zero in that case)
    PowerOfUnknownDividedOut = 86,
    // t = 2 or t = 3: an equation in the first unknown is solved for each value of the new letter
    EquationForEachValue = 87,
    // SubstitutionIntroduced and EquationInNewLetter when two new letters are introduced
    NewLettersIntroduced = 88,
    EquationInNewLetters = 89,
    // e.g. 2x = 8 -> x = 8 : 2
    DividedByCoefficient = 90,
    // "x is any number except 1": opens the values the domain excludes
    AnswerExcept = 91,
    // a simplification that found nothing to change: the problem is its own answer
    AlreadySimplest = 92,
    // A^2 - 5AB + 6B^2 = 0 with B = 0: then A = 0 as well (the line "A = 0" follows)
    FirstNewLetterZeroToo = 93,
    // A^2 - 5AB + 6B^2 = 0 with B not zero -> (A/B)^2 - 5(A/B) + 6 = 0
    DividedByPowerOfSecondNewLetter = 94,
    // a + b - a -> b with a and -a struck through (Cancellation is for factors above and below)
    OppositeTermsCancelled = 95,
};

using CommentIDType = CommentID;

// Identifiers 0 to 95 have a text and a voice clip in the language files.
inline constexpr std::int32_t kCommentIDCount = 96;

constexpr std::int32_t ToNumber(CommentID id) {
    return static_cast<std::int32_t>(id);
}
