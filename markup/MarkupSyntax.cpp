#include "markup/MarkupSyntax.h"

#include "markup/MarkupCharacters.h"
#include "model/EngineLimits.h"

#include <string>

namespace {

struct NotAFormula {};

class MarkupSyntaxReader {
public:
    explicit MarkupSyntaxReader(std::string_view text) : m_text(text) {}

    SyntaxNode ReadAll() {
        SyntaxNode line = ReadLine();
        if (m_position != m_text.size()) {
            throw NotAFormula{};
        }
        return line;
    }

private:
    // line := sum { relation sum }, and a condition's number " (n)" after it
    SyntaxNode ReadLine() {
        SyntaxNode first = ReadSum();
        int sign = ReadRelationSign();
        SyntaxNode line = std::move(first);
        if (sign >= 0) {
            SyntaxNode relation = MakeUnary(SyntaxKind::Relation, std::move(line));
            for (; sign >= 0; sign = ReadRelationSign()) {
                relation.signs.push_back(sign);
                relation.children.push_back(ReadSum());
            }
            line = std::move(relation);
        }
        if (Peek() == ' ' && Peek(1) == '(') {
            m_position += 2;
            SyntaxNode labelled = MakeUnary(SyntaxKind::Labelled, std::move(line));
            labelled.text = ReadDigits();
            Expect(')');
            return labelled;
        }
        return line;
    }

    // sum := [sign] term { sign term }
    SyntaxNode ReadSum() {
        SyntaxNode sum = MakeNode(SyntaxKind::Sum, {});
        int sign = SumSign(Peek());
        if (sign != 0) {
            ++m_position;
        }
        SyntaxNode first = ReadTerm();
        if (sign == 0 && SumSign(Peek()) == 0) {
            return first;
        }
        Append(sum, std::move(first), sign == 0 ? 1 : sign);
        while ((sign = SumSign(Peek())) != 0) {
            ++m_position;
            Append(sum, ReadTerm(), sign);
        }
        return sum;
    }

    // term := fraction { ("*" | "." | ":") fraction }
    SyntaxNode ReadTerm() {
        SyntaxNode first = ReadFraction();
        if (!IsProductSign(Peek())) {
            return first;
        }
        SyntaxNode product = MakeNode(SyntaxKind::Product, {});
        Append(product, std::move(first), 1);
        while (IsProductSign(Peek())) {
            const int sign = Peek() == ':' ? -1 : 1;
            ++m_position;
            Append(product, ReadFraction(), sign);
        }
        return product;
    }

    // fraction := power ["/" power]
    SyntaxNode ReadFraction() {
        SyntaxNode numerator = ReadPower();
        if (Peek() != '/') {
            return numerator;
        }
        ++m_position;
        return MakeBinary(SyntaxKind::Fraction, std::move(numerator), ReadPower());
    }

    // power := operand ["^" operand]
    SyntaxNode ReadPower() {
        SyntaxNode base = ReadOperand();
        if (Peek() != '^') {
            return base;
        }
        ++m_position;
        return MakeBinary(SyntaxKind::Power, std::move(base), ReadOperand());
    }

    // operand := number | letter | "(" line ")" | "{" line "}" | "!" name "{" … "}", then "_{" … "}"
    SyntaxNode ReadOperand() {
        if (++m_depth > EngineLimits::kMaxLayoutDepth) {
            throw NotAFormula{};
        }
        SyntaxNode operand = ReadBareOperand();
        --m_depth;
        if (Peek() == '_' && Peek(1) == '{') {
            m_position += 2;
            SyntaxNode subscript = MakeUnary(SyntaxKind::Subscript, std::move(operand));
            subscript.text = ReadUntilClosingBrace();
            return subscript;
        }
        return operand;
    }

    SyntaxNode ReadBareOperand() {
        const char c = Peek();
        if (IsDigit(c)) {
            return ReadNumber();
        }
        if (IsLetter(c)) {
            ++m_position;
            return MakeLeaf(SyntaxKind::Letter, std::string(1, c));
        }
        if (c == '(' || c == '{') {
            ++m_position;
            SyntaxNode inner = ReadLine();
            Expect(c == '(' ? ')' : '}');
            return inner;
        }
        if (c == '!') {
            return ReadCommand();
        }
        throw NotAFormula{};
    }

    // digits, then "," digits, "/" digits or "@" ["{"] digits "/" digits ["}"]
    SyntaxNode ReadNumber() {
        std::string number = ReadDigits();
        if (Peek() == ',' && IsDigit(Peek(1))) {
            ++m_position;
            number += ',' + ReadDigits();
        } else if (Peek() == '/' && IsDigit(Peek(1))) {
            ++m_position;
            number += '/' + ReadDigits();
        } else if (Peek() == '@') {
            ++m_position;
            const bool braced = Peek() == '{';
            m_position += braced ? 1 : 0;
            const std::string numerator = ReadDigits();
            Expect('/');
            number += "@{" + numerator + '/' + ReadDigits() + '}';
            if (braced) {
                Expect('}');
            }
        }
        return MakeLeaf(SyntaxKind::Number, std::move(number));
    }

    // "!" name "{" arguments separated by ";" "}"
    SyntaxNode ReadCommand() {
        ++m_position;
        std::string name;
        while (IsLetter(Peek()) || IsDigit(Peek())) {
            name += m_text[m_position++];
        }
        Expect('{');
        if (name == "cross") {
            ReadDigits();
            Expect(';');
            return ClosedBy(MakeUnary(SyntaxKind::CrossedOut, ReadLine()));
        }
        if (name == "sq2") {
            return ClosedBy(MakeUnary(SyntaxKind::Root, ReadLine()));
        }
        if (name == "sqn") {
            SyntaxNode index = ReadLine();
            Expect(';');
            return ClosedBy(MakeBinary(SyntaxKind::Root, ReadLine(), std::move(index)));
        }
        if (name == "sys") {
            SyntaxNode system = MakeUnary(SyntaxKind::System, ReadLine());
            while (Peek() == ';') {
                ++m_position;
                system.children.push_back(ReadLine());
            }
            return ClosedBy(std::move(system));
        }
        if (name == "brssil") {
            ReadDigits();
            Expect(';');
            return ClosedBy(MakeLeaf(SyntaxKind::ConditionReference, ReadDigits()));
        }
        if (IsFunctionName(name)) {
            SyntaxNode function = MakeUnary(SyntaxKind::Function, ReadLine());
            function.text = name;
            return ClosedBy(std::move(function));
        }
        throw NotAFormula{};
    }

    static bool IsFunctionName(const std::string& name) {
        for (const char* known :
             {"sin", "cos", "tg", "ctg", "arcsin", "arccos", "arctg", "arcctg", "ln", "lg"}) {
            if (name == known) {
                return true;
            }
        }
        return false;
    }

    SyntaxNode ClosedBy(SyntaxNode node) {
        Expect('}');
        return node;
    }

    std::string ReadUntilClosingBrace() {
        const std::size_t closing = m_text.find('}', m_position);
        if (closing == std::string_view::npos) {
            throw NotAFormula{};
        }
        std::string inside(m_text.substr(m_position, closing - m_position));
        m_position = closing + 1;
        return inside;
    }

    int ReadRelationSign() {
        const auto c = static_cast<unsigned char>(Peek());
        int sign = -1;
        std::size_t length = 1;
        if (c == '<' || c == '>') {
            const bool orEqual = Peek(1) == '=';
            length = orEqual ? 2 : 1;
            sign = c == '<' ? (orEqual ? kLessOrEqual : kLess) : (orEqual ? kGreaterOrEqual : kGreater);
        } else if (c == '=') {
            sign = kEqual;
        } else if (c == MarkupBytes::kNotEqual) {
            sign = kNotEqual;
        } else if (c == MarkupBytes::kApproximatelyEqual) {
            sign = kApproximatelyEqual;
        } else if (c == MarkupBytes::kGreaterOrEqual) {
            sign = kGreaterOrEqual;
        } else if (c == MarkupBytes::kLessOrEqual) {
            sign = kLessOrEqual;
        }
        if (sign >= 0) {
            m_position += length;
        }
        return sign;
    }

    static int SumSign(char c) {
        if (c == '+') {
            return 1;
        }
        if (c == '-') {
            return -1;
        }
        return static_cast<unsigned char>(c) == MarkupBytes::kPlusOrMinus ? kPlusOrMinus : 0;
    }

    static bool IsProductSign(char c) { return c == '*' || c == '.' || c == ':'; }

    static void Append(SyntaxNode& list, SyntaxNode child, int sign) {
        list.children.push_back(std::move(child));
        list.signs.push_back(sign);
    }

    std::string ReadDigits() {
        std::string digits;
        while (IsDigit(Peek())) {
            digits += m_text[m_position++];
        }
        if (digits.empty()) {
            throw NotAFormula{};
        }
        return digits;
    }

    void Expect(char c) {
        if (Peek() != c) {
            throw NotAFormula{};
        }
        ++m_position;
    }

    char Peek(std::size_t ahead = 0) const {
        return m_position + ahead < m_text.size() ? m_text[m_position + ahead] : '\0';
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    int m_depth = 0;
};

} // namespace

std::optional<SyntaxNode> ReadMarkupSyntax(std::string_view markup) {
    if (!markup.empty() && markup.front() == '=') {
        markup.remove_prefix(1);
    }
    if (!markup.empty() && markup.back() == '=') {
        markup.remove_suffix(1);
    }
    if (markup.empty()) {
        return std::nullopt;
    }
    try {
        return MarkupSyntaxReader(markup).ReadAll();
    } catch (const NotAFormula&) {
        return std::nullopt;
    }
}
