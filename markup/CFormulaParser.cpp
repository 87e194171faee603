#include "markup/CFormulaParser.h"

#include "markup/MarkupCharacters.h"
#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "model/EngineLimits.h"

#include <memory>
#include <utility>

NodePtr CFormulaParser::Fail(ProblemError code) {
    if (m_errorCode == ProblemError::None) {
        m_errorCode = code;
    }
    return nullptr;
}

// relation := sum "=" sum
NodePtr CFormulaParser::ParseRelation() {
    NodePtr left = ParseSum();
    if (!left) {
        return Fail(ProblemError::MissingOperand);
    }
    if (Peek() != '=') {
        return Fail(ProblemError::CharactersLeftOver);
    }
    ++m_position;
    NodePtr right = ParseSum();
    if (!right) {
        return Fail(ProblemError::MissingOperand);
    }
    return std::make_unique<CORelation>(RelationCode::Equal, std::move(left), std::move(right));
}

// sum := ["+" | "-"] term { ("+" | "-") term }
// A leading "-" makes the sum node at once (first term with sign -1); otherwise the node is made at
// the second term, and a single term without a leading "-" is returned as it is.
NodePtr CFormulaParser::ParseSum() {
    const char lead = Peek();
    const bool leadingMinus = lead == '-';
    if (lead == '+' || lead == '-') {
        ++m_position;
    }
    NodePtr first = ParseTerm();
    if (!first) {
        return Fail(ProblemError::MissingOperand);
    }
    std::unique_ptr<COAddition> sum;
    if (leadingMinus) {
        sum = std::make_unique<COAddition>(std::move(first), -1);
    }
    while (Peek() == '+' || Peek() == '-') {
        const std::int32_t sign = Peek() == '+' ? 1 : -1;
        ++m_position;
        if (!sum) {
            sum = std::make_unique<COAddition>(std::move(first), 1);
        }
        NodePtr term = ParseTerm();
        if (!term) {
            return Fail(ProblemError::MissingOperand);
        }
        sum->AddTail(std::move(term), sign);
    }
    if (sum) {
        return sum;
    }
    return first;
}

// term := fraction { ("*" | ":") fraction }
NodePtr CFormulaParser::ParseTerm() {
    NodePtr first = ParseFraction();
    if (!first) {
        return Fail(ProblemError::MissingOperand);
    }
    std::unique_ptr<COMultiplication> product;
    while (Peek() == '*' || Peek() == ':') {
        const std::int32_t sign = Peek() == '*' ? 1 : -1;
        ++m_position;
        if (!product) {
            product = std::make_unique<COMultiplication>(std::move(first), 1);
        }
        NodePtr factor = ParseFraction();
        if (!factor) {
            return Fail(ProblemError::MissingOperand);
        }
        product->AddTail(std::move(factor), sign);
    }
    if (product) {
        return product;
    }
    return first;
}

// fraction := power ["/" power]
NodePtr CFormulaParser::ParseFraction() {
    NodePtr numerator = ParsePower();
    if (!numerator) {
        return Fail(ProblemError::MissingOperand);
    }
    if (Peek() != '/') {
        return numerator;
    }
    ++m_position;
    NodePtr denominator = ParsePower();
    if (!denominator) {
        return Fail(ProblemError::MissingOperand);
    }
    auto fraction = std::make_unique<COFraction>(std::move(numerator), 1);
    fraction->AddTail(std::move(denominator), -1);
    return fraction;
}

// power := operand ["^" operand]
NodePtr CFormulaParser::ParsePower() {
    NodePtr base = ParseOperand();
    if (!base) {
        return Fail(ProblemError::MissingOperand);
    }
    if (Peek() != '^') {
        return base;
    }
    ++m_position;
    NodePtr exponent = ParseOperand();
    if (!exponent) {
        return Fail(ProblemError::MissingOperand);
    }
    return std::make_unique<COPower>(std::move(base), std::move(exponent));
}

// operand := number | letter | "{" sum "}" | "(" sum ")"
// Any other character of the markup set (a sign, ";", "=", a closing bracket) and the end of the
// text start no operand and set no code here: the caller reports the missing operand. A character
// outside the markup set is an invalid character.
NodePtr CFormulaParser::ParseOperand() {
    const char c = Peek();
    if (IsDigit(c)) {
        return ParseNumber();
    }
    if (IsLetter(c)) {
        ++m_position;
        return std::make_unique<COVariable>(c);
    }
    if (c == '{') {
        return ParseGroup('}');
    }
    if (c == '(') {
        return ParseGroup(')');
    }
    if (AtEnd() || IsMarkupCharacter(c)) {
        return nullptr;
    }
    return Fail(ProblemError::InvalidCharacter);
}

// "{" sum "}" | "(" sum ")": the character after the sum is consumed whatever it is, and it must be
// the closer of the opening bracket.
NodePtr CFormulaParser::ParseGroup(char closer) {
    if (m_nesting >= EngineLimits::kMaxNestingDepth) {
        return Fail(ProblemError::ProblemTooLarge);
    }
    ++m_position;
    ++m_nesting;
    NodePtr inner = ParseSum();
    --m_nesting;
    if (!inner) {
        return Fail(ProblemError::MissingOperand);
    }
    const bool closed = !AtEnd() && Peek() == closer;
    if (!AtEnd()) {
        ++m_position;
    }
    if (!closed) {
        return Fail(ProblemError::WrongClosingBracket);
    }
    return inner;
}

bool CFormulaParser::NumberWithinLimit() const {
    // Mirrors the shape of a number literal (digits, then "," digits, "/" digits or "@" ["{"]
    // digits "/" digits) only far enough to measure its runs of digits before any is converted.
    std::size_t at = m_position;
    const auto runWithinLimit = [&] {
        const std::size_t start = at;
        while (at < m_text.size() && IsDigit(m_text[at])) {
            ++at;
        }
        return at - start <= EngineLimits::kMaxNumberDigits;
    };
    const auto digitAt = [&](std::size_t i) { return i < m_text.size() && IsDigit(m_text[i]); };
    if (!runWithinLimit()) {
        return false;
    }
    if (at < m_text.size() && (m_text[at] == ',' || m_text[at] == '/') && digitAt(at + 1)) {
        ++at;
        return runWithinLimit();
    }
    if (at < m_text.size() && m_text[at] == '@') {
        ++at;
        if (at < m_text.size() && m_text[at] == '{') {
            ++at;
        }
        if (!runWithinLimit()) {
            return false;
        }
        if (at < m_text.size() && m_text[at] == '/') {
            ++at;
            return runWithinLimit();
        }
    }
    return true;
}

// number: read by the number itself; a bad character after it or a "," without digits is an invalid
// character, "@" without "/" a missing operand, "@{" without "}" a wrong closing bracket.
NodePtr CFormulaParser::ParseNumber() {
    if (!NumberWithinLimit()) {
        return Fail(ProblemError::ProblemTooLarge);
    }
    CNumber value;
    switch (value.ParseText(m_text, m_position)) {
    case CNumber::kParseOk:
        return std::make_unique<CONumber>(std::move(value));
    case CNumber::kParseMixedNoSlash:
        return Fail(ProblemError::MissingOperand);
    case CNumber::kParseMixedUnclosed:
        return Fail(ProblemError::WrongClosingBracket);
    case CNumber::kParseBadFollower:
    default:
        return Fail(ProblemError::InvalidCharacter);
    }
}

namespace {

using ParseLevel = NodePtr (CFormulaParser::*)();

NodePtr ParseAtLevel(ParseLevel level, const std::string& text, std::size_t& position,
                     ProblemError& errorCode) {
    if (text.size() > EngineLimits::kMaxProblemTextLength) {
        if (errorCode == ProblemError::None) {
            errorCode = ProblemError::ProblemTooLarge;
        }
        return nullptr;
    }
    CFormulaParser parser(text, position, errorCode);
    return (parser.*level)();
}

// The parse must stop exactly at the final ";" of the text.
ParseResult ParseWhole(ParseLevel level, const std::string& text) {
    ParseResult result;
    result.tree = ParseAtLevel(level, text, result.position, result.errorCode);
    const bool atFinalMark =
        !text.empty() && result.position + 1 == text.size() && text.back() == MarkupBytes::kRecordEnd;
    if (result.tree && !atFinalMark) {
        result.tree.reset();
        result.errorCode = ProblemError::CharactersLeftOver;
    }
    if (!result.tree && result.errorCode == ProblemError::None) {
        result.errorCode = ProblemError::MissingOperand;
    }
    return result;
}

} // namespace

NodePtr ParseRelation(const std::string& text, std::size_t& position, ProblemError& errorCode) {
    return ParseAtLevel(&CFormulaParser::ParseRelation, text, position, errorCode);
}

NodePtr ParseSum(const std::string& text, std::size_t& position, ProblemError& errorCode) {
    return ParseAtLevel(&CFormulaParser::ParseSum, text, position, errorCode);
}

NodePtr ParseTerm(const std::string& text, std::size_t& position, ProblemError& errorCode) {
    return ParseAtLevel(&CFormulaParser::ParseTerm, text, position, errorCode);
}

NodePtr ParseFraction(const std::string& text, std::size_t& position, ProblemError& errorCode) {
    return ParseAtLevel(&CFormulaParser::ParseFraction, text, position, errorCode);
}

NodePtr ParsePower(const std::string& text, std::size_t& position, ProblemError& errorCode) {
    return ParseAtLevel(&CFormulaParser::ParsePower, text, position, errorCode);
}

NodePtr ParseOperand(const std::string& text, std::size_t& position, ProblemError& errorCode) {
    return ParseAtLevel(&CFormulaParser::ParseOperand, text, position, errorCode);
}

ParseResult ParseExpressionText(const std::string& text) {
    return ParseWhole(&CFormulaParser::ParseSum, text);
}

ParseResult ParseEquationText(const std::string& text) {
    return ParseWhole(&CFormulaParser::ParseRelation, text);
}
