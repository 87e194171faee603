#include "FormulaReadBack.h"

#include "model/CLongInteger.h"
#include "output/Windows1251.h"

#include <cctype>
#include <functional>

namespace {

struct ReadError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& message) {
    throw ReadError{message};
}

// --- a formula as a run of operands and signs, parsed by the usual precedence ---------------------

struct Token {
    bool isOperand = false;
    SyntaxNode operand;
    // "+", "-", "pm", "*", ":", "rel<N>", "(", ")", "label<N>"
    std::string sign;
};

Token OperandToken(SyntaxNode node) {
    return Token{true, std::move(node), {}};
}
Token SignToken(std::string sign) {
    return Token{false, {}, std::move(sign)};
}

class InfixParser {
public:
    explicit InfixParser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    // A whole formula: a chained step's "=" before and after is left out.
    SyntaxNode Formula() {
        if (!m_tokens.empty() && IsSign(m_tokens.front(), "rel0")) {
            m_tokens.erase(m_tokens.begin());
        }
        if (m_tokens.size() > 1 && IsSign(m_tokens.back(), "rel0")) {
            m_tokens.pop_back();
        }
        SyntaxNode line = Line();
        if (m_position != m_tokens.size()) {
            Fail("a sign left over: " + m_tokens[m_position].sign);
        }
        return line;
    }

private:
    static bool IsSign(const Token& token, std::string_view sign) {
        return !token.isOperand && token.sign == sign;
    }
    const Token* Peek() const { return m_position < m_tokens.size() ? &m_tokens[m_position] : nullptr; }
    bool PeekSign(std::string_view sign) const { return Peek() != nullptr && IsSign(*Peek(), sign); }

    bool PeekRelation() const {
        return Peek() != nullptr && !Peek()->isOperand && Peek()->sign.rfind("rel", 0) == 0;
    }

    // line := sum { rel sum } [label]
    SyntaxNode Line() {
        SyntaxNode line = Sum();
        if (PeekRelation()) {
            line = MakeUnary(SyntaxKind::Relation, std::move(line));
            while (PeekRelation()) {
                line.signs.push_back(std::stoi(m_tokens[m_position++].sign.substr(3)));
                line.children.push_back(Sum());
            }
        }
        if (Peek() != nullptr && !Peek()->isOperand && Peek()->sign.rfind("label", 0) == 0) {
            SyntaxNode labelled = MakeUnary(SyntaxKind::Labelled, std::move(line));
            labelled.text = m_tokens[m_position++].sign.substr(5);
            return labelled;
        }
        return line;
    }

    int SumSign() const {
        if (PeekSign("+")) {
            return 1;
        }
        if (PeekSign("-")) {
            return -1;
        }
        return PeekSign("pm") ? kPlusOrMinus : 0;
    }

    // sum := [sign] term { sign term }
    SyntaxNode Sum() {
        int sign = SumSign();
        m_position += sign != 0 ? 1 : 0;
        SyntaxNode first = Term();
        if (sign == 0 && SumSign() == 0) {
            return first;
        }
        SyntaxNode sum = MakeNode(SyntaxKind::Sum, {});
        sum.children.push_back(std::move(first));
        sum.signs.push_back(sign == 0 ? 1 : sign);
        while ((sign = SumSign()) != 0) {
            ++m_position;
            sum.children.push_back(Term());
            sum.signs.push_back(sign);
        }
        return sum;
    }

    bool StartsOperand() const { return Peek() != nullptr && (Peek()->isOperand || PeekSign("(")); }

    // term := operand { ["*" | ":"] operand }, a factor may follow without a sign
    SyntaxNode Term() {
        SyntaxNode first = Operand();
        if (!PeekSign("*") && !PeekSign(":") && !StartsOperand()) {
            return first;
        }
        SyntaxNode product = MakeNode(SyntaxKind::Product, {});
        product.children.push_back(std::move(first));
        product.signs.push_back(1);
        for (;;) {
            int sign = 1;
            if (PeekSign("*") || PeekSign(":")) {
                sign = PeekSign(":") ? -1 : 1;
                ++m_position;
            } else if (!StartsOperand()) {
                break;
            }
            product.children.push_back(Operand());
            product.signs.push_back(sign);
        }
        return product;
    }

    SyntaxNode Operand() {
        if (PeekSign("(")) {
            ++m_position;
            SyntaxNode inner = Line();
            if (!PeekSign(")")) {
                Fail("an unclosed bracket");
            }
            ++m_position;
            return inner;
        }
        if (Peek() == nullptr || !Peek()->isOperand) {
            Fail(Peek() == nullptr ? "an operand missing at the end"
                                   : "an operand expected before " + Peek()->sign);
        }
        return std::move(m_tokens[m_position++].operand);
    }

    std::vector<Token> m_tokens;
    std::size_t m_position = 0;
};

SyntaxNode ParseTokens(std::vector<Token> tokens) {
    return InfixParser(std::move(tokens)).Formula();
}

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// An integer followed at once by a fraction of two integers is a mixed number, as a reader of
// school mathematics takes "2½".
bool JoinMixedNumber(std::vector<Token>& tokens, const SyntaxNode& fraction) {
    if (tokens.empty() || !tokens.back().isOperand || fraction.kind != SyntaxKind::Fraction) {
        return false;
    }
    SyntaxNode& whole = tokens.back().operand;
    const SyntaxNode& numerator = fraction.children[0];
    const SyntaxNode& denominator = fraction.children[1];
    if (whole.kind != SyntaxKind::Number || !IsDigits(whole.text) || numerator.kind != SyntaxKind::Number ||
        !IsDigits(numerator.text) || denominator.kind != SyntaxKind::Number || !IsDigits(denominator.text)) {
        return false;
    }
    whole.text += "@{" + numerator.text + '/' + denominator.text + '}';
    return true;
}

// --- LaTeX --------------------------------------------------------------------------------------

class LatexTokenizer {
public:
    explicit LatexTokenizer(std::string_view text) : m_text(text) {}

    std::vector<Token> Tokens() {
        std::vector<Token> tokens;
        while (SkipBlanks(), m_position < m_text.size()) {
            ReadOne(tokens);
        }
        return tokens;
    }

private:
    void SkipBlanks() {
        while (m_position < m_text.size() && m_text[m_position] == ' ') {
            ++m_position;
        }
    }

    bool Take(std::string_view prefix) {
        if (m_text.substr(m_position, prefix.size()) != prefix) {
            return false;
        }
        // A command name ends where the letters end: "\le" is not the start of "\left".
        const std::size_t end = m_position + prefix.size();
        const bool command =
            prefix.size() > 1 && prefix[0] == '\\' && std::isalpha(static_cast<unsigned char>(prefix.back()));
        if (command && end < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[end]))) {
            return false;
        }
        m_position = end;
        return true;
    }

    // The text between "{" at the position and its matching "}".
    std::string_view Group() {
        SkipBlanks();
        if (m_position >= m_text.size() || m_text[m_position] != '{') {
            Fail("{ expected at " + std::to_string(m_position));
        }
        int depth = 0;
        for (std::size_t i = m_position; i < m_text.size(); ++i) {
            if (m_text[i] == '\\') {
                ++i;
            } else if (m_text[i] == '{') {
                ++depth;
            } else if (m_text[i] == '}' && --depth == 0) {
                const std::string_view inside = m_text.substr(m_position + 1, i - m_position - 1);
                m_position = i + 1;
                return inside;
            }
        }
        Fail("an unclosed {");
    }

    // The text up to the matching close, where open and close nest.
    std::string_view Until(std::string_view open, std::string_view close) {
        int depth = 1;
        for (std::size_t i = m_position; i < m_text.size(); ++i) {
            if (m_text.substr(i, open.size()) == open) {
                ++depth;
            } else if (m_text.substr(i, close.size()) == close && --depth == 0) {
                const std::string_view inside = m_text.substr(m_position, i - m_position);
                m_position = i + close.size();
                return inside;
            }
        }
        Fail("no " + std::string(close));
    }

    static SyntaxNode Line(std::string_view text) { return ParseTokens(LatexTokenizer(text).Tokens()); }

    SyntaxNode& LastOperand(std::vector<Token>& tokens, const char* what) {
        if (tokens.empty() || !tokens.back().isOperand) {
            Fail(std::string(what) + " without a base");
        }
        return tokens.back().operand;
    }

    void ReadNumber(std::vector<Token>& tokens) {
        std::string number;
        while (m_position < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_position]))) {
            number += m_text[m_position++];
        }
        const bool point = m_text.substr(m_position, 1) == ".";
        const bool comma = m_text.substr(m_position, 3) == "{,}";
        if (point || comma) {
            m_position += point ? 1 : 3;
            if (m_position >= m_text.size() ||
                !std::isdigit(static_cast<unsigned char>(m_text[m_position]))) {
                Fail("a decimal separator without digits");
            }
            number += ',';
            while (m_position < m_text.size() &&
                   std::isdigit(static_cast<unsigned char>(m_text[m_position]))) {
                number += m_text[m_position++];
            }
        }
        tokens.push_back(OperandToken(MakeLeaf(SyntaxKind::Number, number)));
    }

    std::string UnescapedText(std::string_view text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.substr(i, 15) == "\\textbackslash{") {
                out += '\\';
                i += 15;
            } else if (text[i] == '\\' && i + 1 < text.size()) {
                out += text[++i];
            } else {
                out += text[i];
            }
        }
        return out;
    }

    void ReadCommand(std::vector<Token>& tokens) {
        static const std::pair<std::string_view, std::string_view> kSigns[] = {
            {"\\cdot", "*"},  {"\\pm", "pm"},   {"\\le", "rel1"},
            {"\\ge", "rel2"}, {"\\ne", "rel5"}, {"\\approx", "rel6"}};
        for (const auto& [command, sign] : kSigns) {
            if (Take(command)) {
                tokens.push_back(SignToken(std::string(sign)));
                return;
            }
        }
        if (Take("\\frac")) {
            SyntaxNode numerator = Line(Group());
            SyntaxNode fraction = MakeBinary(SyntaxKind::Fraction, std::move(numerator), Line(Group()));
            if (!JoinMixedNumber(tokens, fraction)) {
                tokens.push_back(OperandToken(std::move(fraction)));
            }
        } else if (Take("\\sqrt")) {
            std::optional<SyntaxNode> index;
            if (Take("[")) {
                index = Line(Until("[", "]"));
            }
            SyntaxNode root = MakeUnary(SyntaxKind::Root, Line(Group()));
            if (index) {
                root.children.push_back(std::move(*index));
            }
            tokens.push_back(OperandToken(std::move(root)));
        } else if (Take("\\cancel")) {
            tokens.push_back(OperandToken(MakeUnary(SyntaxKind::CrossedOut, Line(Group()))));
        } else if (Take("\\left(")) {
            tokens.push_back(OperandToken(Line(Until("\\left(", "\\right)"))));
        } else if (Take("\\operatorname")) {
            const std::string name(Group());
            SkipBlanks();
            if (!Take("\\left(")) {
                Fail("a function without its bracket");
            }
            SyntaxNode function = MakeUnary(SyntaxKind::Function, Line(Until("\\left(", "\\right)")));
            function.text = name;
            tokens.push_back(OperandToken(std::move(function)));
        } else if (Take("\\begin{cases}")) {
            const std::string_view inside = Until("\\begin{cases}", "\\end{cases}");
            SyntaxNode system = MakeNode(SyntaxKind::System, {});
            std::size_t start = 0;
            for (std::size_t found; (found = inside.find("\\\\", start)) != std::string_view::npos;
                 start = found + 2) {
                system.children.push_back(Line(inside.substr(start, found - start)));
            }
            system.children.push_back(Line(inside.substr(start)));
            tokens.push_back(OperandToken(std::move(system)));
        } else if (Take("\\text")) {
            tokens.push_back(OperandToken(MakeLeaf(SyntaxKind::Verbatim, UnescapedText(Group()))));
        } else if (Take("\\quad")) {
            SkipBlanks();
            if (!Take("(")) {
                Fail("\\quad without a condition number");
            }
            const std::string_view number = Until("(", ")");
            if (!IsDigits(number)) {
                Fail("a condition number that is not a number");
            }
            tokens.push_back(SignToken("label" + std::string(number)));
        } else {
            Fail("an unknown command at " + std::string(m_text.substr(m_position, 12)));
        }
    }

    void ReadOne(std::vector<Token>& tokens) {
        const char c = m_text[m_position];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            ReadNumber(tokens);
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            tokens.push_back(OperandToken(MakeLeaf(SyntaxKind::Letter, std::string(1, c))));
            ++m_position;
        } else if (c == '\\') {
            ReadCommand(tokens);
        } else if (c == '^' || c == '_') {
            ++m_position;
            SyntaxNode base = std::move(LastOperand(tokens, c == '^' ? "^" : "_"));
            const std::string_view group = Group();
            tokens.back().operand = c == '^' ? MakeBinary(SyntaxKind::Power, std::move(base), Line(group))
                                             : MakeUnary(SyntaxKind::Subscript, std::move(base));
            if (c == '_') {
                tokens.back().operand.text = std::string(group);
            }
        } else if (c == '{') {
            tokens.push_back(OperandToken(Line(Group())));
        } else if (c == '(') {
            ++m_position;
            tokens.push_back(OperandToken(Line(Until("(", ")"))));
        } else {
            static const std::map<char, std::string> kSigns = {{'+', "+"},    {'-', "-"},    {':', ":"},
                                                               {'=', "rel0"}, {'<', "rel3"}, {'>', "rel4"}};
            const auto found = kSigns.find(c);
            if (found == kSigns.end()) {
                Fail(std::string("an unknown character ") + c);
            }
            tokens.push_back(SignToken(found->second));
            ++m_position;
        }
    }

    std::string_view m_text;
    std::size_t m_position = 0;
};

// --- MathML -------------------------------------------------------------------------------------

SyntaxNode ConvertMathML(const XmlElement& element);

std::string SignOfOperator(const std::string& text) {
    static const std::map<std::string, std::string> kSigns = {
        {"+", "+"},    {"\u2212", "-"},    {"\u00B1", "pm"},   {"\u00B7", "*"},    {"\u2062", "*"},
        {":", ":"},    {"=", "rel0"},      {"\u2264", "rel1"}, {"\u2265", "rel2"}, {"<", "rel3"},
        {">", "rel4"}, {"\u2260", "rel5"}, {"\u2248", "rel6"}, {"(", "("},         {")", ")"}};
    const auto found = kSigns.find(text);
    if (found == kSigns.end()) {
        Fail("an unknown operator " + text);
    }
    return found->second;
}

std::string ConditionNumber(const XmlElement& text) {
    const std::string inside = text.AllText();
    if (inside.size() < 3 || inside.front() != '(' || inside.back() != ')' ||
        !IsDigits(std::string_view(inside).substr(1, inside.size() - 2))) {
        return {};
    }
    return inside.substr(1, inside.size() - 2);
}

// A reader sees no <mrow>: its parts stand in the line as if it were not there, so a sum that needs
// brackets must have them drawn. Only a function's argument stays whole.
void Flatten(const std::vector<const XmlElement*>& elements, std::vector<const XmlElement*>& flat) {
    for (const XmlElement* element : elements) {
        const bool argument =
            !flat.empty() && flat.back()->name == "mo" && flat.back()->AllText() == "\u2061";
        if (element->name == "mrow" && !argument) {
            Flatten(element->Elements(), flat);
        } else {
            flat.push_back(element);
        }
    }
}

// The children of an element read as one formula line.
SyntaxNode Sequence(const std::vector<const XmlElement*>& elements) {
    std::vector<const XmlElement*> children;
    Flatten(elements, children);
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const XmlElement& child = *children[i];
        const XmlElement* next = i + 1 < children.size() ? children[i + 1] : nullptr;
        if (child.name == "mo" && child.AllText() == "{" && next != nullptr && next->name == "mtable") {
            SyntaxNode system = MakeNode(SyntaxKind::System, {});
            for (const XmlElement* row : next->Elements()) {
                const std::vector<const XmlElement*> cells = row->Elements();
                if (row->name != "mtr" || cells.size() != 1 || cells[0]->name != "mtd") {
                    Fail("a system row that is not one <mtr><mtd>");
                }
                system.children.push_back(Sequence(cells[0]->Elements()));
            }
            tokens.push_back(OperandToken(std::move(system)));
            ++i;
        } else if (child.name == "mo") {
            tokens.push_back(SignToken(SignOfOperator(child.AllText())));
        } else if (child.name == "mi" && child.AllText().size() > 1) {
            if (next == nullptr || next->name != "mo" || next->AllText() != "\u2061" ||
                i + 2 >= children.size()) {
                Fail("a function name without its argument");
            }
            SyntaxNode function = MakeUnary(SyntaxKind::Function, ConvertMathML(*children[i + 2]));
            function.text = child.AllText();
            tokens.push_back(OperandToken(std::move(function)));
            i += 2;
        } else if (child.name == "mspace") {
            const std::string number = next != nullptr && next->name == "mtext" ? ConditionNumber(*next) : "";
            if (number.empty()) {
                Fail("a space that is not before a condition number");
            }
            tokens.push_back(SignToken("label" + number));
            ++i;
        } else {
            SyntaxNode operand = ConvertMathML(child);
            if (!JoinMixedNumber(tokens, operand)) {
                tokens.push_back(OperandToken(std::move(operand)));
            }
        }
    }
    return ParseTokens(std::move(tokens));
}

void Only(const XmlElement& element, std::size_t count) {
    if (element.Elements().size() != count) {
        Fail("<" + element.name + "> with " + std::to_string(element.Elements().size()) + " children");
    }
}

SyntaxNode ConvertMathML(const XmlElement& element) {
    const std::vector<const XmlElement*> children = element.Elements();
    if (element.name == "math" || element.name == "mrow") {
        return Sequence(children);
    }
    if (element.name == "mn") {
        std::string number = element.AllText();
        for (char& c : number) {
            c = c == '.' ? ',' : c;
        }
        if (number.empty() || number.find_first_not_of("0123456789,") != std::string::npos) {
            Fail("<mn> " + number);
        }
        return MakeLeaf(SyntaxKind::Number, number);
    }
    if (element.name == "mi") {
        return MakeLeaf(SyntaxKind::Letter, element.AllText());
    }
    if (element.name == "mtext") {
        const std::string number = ConditionNumber(element);
        return number.empty() ? MakeLeaf(SyntaxKind::Verbatim, element.AllText())
                              : MakeLeaf(SyntaxKind::ConditionReference, number);
    }
    if (element.name == "mfrac" || element.name == "msup" || element.name == "mroot") {
        Only(element, 2);
        const SyntaxKind kind = element.name == "mfrac"  ? SyntaxKind::Fraction
                                : element.name == "msup" ? SyntaxKind::Power
                                                         : SyntaxKind::Root;
        return MakeBinary(kind, ConvertMathML(*children[0]), ConvertMathML(*children[1]));
    }
    if (element.name == "msqrt") {
        return MakeUnary(SyntaxKind::Root, Sequence(children));
    }
    if (element.name == "msub") {
        Only(element, 2);
        SyntaxNode subscript = MakeUnary(SyntaxKind::Subscript, ConvertMathML(*children[0]));
        subscript.text = children[1]->AllText();
        return subscript;
    }
    if (element.name == "menclose") {
        const auto notation = element.attributes.find("notation");
        if (notation == element.attributes.end() || notation->second != "updiagonalstrike") {
            Fail("<menclose> without notation=\"updiagonalstrike\"");
        }
        return MakeUnary(SyntaxKind::CrossedOut, Sequence(children));
    }
    Fail("an unknown element <" + element.name + ">");
}

// --- meaning ------------------------------------------------------------------------------------

using Value = std::optional<CNumber>;

CNumber Rational(long numerator, long denominator) {
    CNumber number(CLongInteger(static_cast<int32_t>(numerator)),
                   CLongInteger(static_cast<int32_t>(denominator)));
    number.Normalize();
    return number;
}

// The number of a markup literal: "108", "0,5", "3/4", "2@{1/3}".
CNumber LiteralValue(const std::string& text) {
    const std::size_t at = text.find('@');
    const std::size_t slash = text.find('/');
    const std::size_t comma = text.find(',');
    CNumber value;
    if (at != std::string::npos) {
        const std::size_t end = text.find('}', at);
        value = CNumber(CLongInteger(text.substr(0, at)));
        value.AddInPlace(CNumber(CLongInteger(text.substr(at + 2, slash - at - 2)),
                                 CLongInteger(text.substr(slash + 1, end - slash - 1))));
    } else if (slash != std::string::npos) {
        value = CNumber(CLongInteger(text.substr(0, slash)), CLongInteger(text.substr(slash + 1)));
    } else if (comma != std::string::npos) {
        value = CNumber(CLongInteger(text.substr(0, comma) + text.substr(comma + 1)),
                        CLongInteger("1" + std::string(text.size() - comma - 1, '0')));
    } else {
        value = CNumber(CLongInteger(text));
    }
    value.Normalize();
    return value;
}

// An uninterpreted function of exact arguments: equal arguments give equal values, different ones
// (almost surely) different values.
Value Tag(const std::string& name, const std::vector<Value>& arguments) {
    CNumber value = Rational(static_cast<long>(std::hash<std::string>{}(name) % 997) + 1, 3);
    for (const Value& argument : arguments) {
        if (!argument) {
            return std::nullopt;
        }
        value = value.Product(Rational(31, 7))
                    .Sum(argument->Product(*argument).Product(Rational(3, 5)))
                    .Sum(*argument);
    }
    return value;
}

Value Scalar(const SyntaxNode& node, const LetterValues& values) {
    switch (node.kind) {
    case SyntaxKind::Number:
        return LiteralValue(node.text);
    case SyntaxKind::Letter: {
        const auto found = node.text.size() == 1 ? values.find(node.text[0]) : values.end();
        return found == values.end() ? Tag("letter " + node.text, {}) : Value(found->second);
    }
    case SyntaxKind::Sum: {
        CNumber sum;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            Value term = Scalar(node.children[i], values);
            if (!term) {
                return std::nullopt;
            }
            const int sign = node.signs[i];
            sum.AddInPlace(sign == kPlusOrMinus ? term->Product(Rational(7919, 13))
                           : sign < 0           ? term->Product(CNumber(-1))
                                                : *term);
        }
        return sum;
    }
    case SyntaxKind::Product: {
        CNumber product(1);
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            Value factor = Scalar(node.children[i], values);
            if (!factor || (node.signs[i] < 0 && factor->IsZero())) {
                return std::nullopt;
            }
            product = node.signs[i] < 0 ? product.Quotient(*factor) : product.Product(*factor);
        }
        return product;
    }
    case SyntaxKind::Fraction: {
        const Value numerator = Scalar(node.children[0], values);
        const Value denominator = Scalar(node.children[1], values);
        if (!numerator || !denominator || denominator->IsZero()) {
            return std::nullopt;
        }
        return numerator->Quotient(*denominator);
    }
    case SyntaxKind::Power: {
        const Value base = Scalar(node.children[0], values);
        const Value exponent = Scalar(node.children[1], values);
        if (base && exponent && exponent->IsWhole() && CNumber::Compare(*exponent, CNumber(40)) <= 0 &&
            CNumber::Compare(*exponent, CNumber(-40)) >= 0 && !(base->IsZero() && exponent->Sign() <= 0)) {
            return base->PowerOf(*exponent);
        }
        return Tag("power", {base, exponent});
    }
    case SyntaxKind::Root:
        return Tag("root", {Scalar(node.children[0], values),
                            node.children.size() > 1 ? Scalar(node.children[1], values) : Value(CNumber(2))});
    case SyntaxKind::CrossedOut:
        return Scalar(node.children[0], values);
    case SyntaxKind::Function:
        return Tag(node.text, {Scalar(node.children[0], values)});
    case SyntaxKind::Subscript: {
        std::string text;
        for (const char c : node.text) {
            text += static_cast<unsigned char>(c) == 0xB5 ? ',' : c;
        }
        return Tag("subscript " + text, {Scalar(node.children[0], values)});
    }
    case SyntaxKind::ConditionReference:
        return LiteralValue(node.text);
    case SyntaxKind::Verbatim:
        return Tag("text " + node.text, {});
    case SyntaxKind::Relation:
    case SyntaxKind::System:
    case SyntaxKind::Labelled:
        return Tag("line inside a formula", {});
    }
    return std::nullopt;
}

void AppendMeaning(const SyntaxNode& node, const LetterValues& values, std::vector<std::string>& items) {
    switch (node.kind) {
    case SyntaxKind::Relation:
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0) {
                items.push_back("relation " + std::to_string(node.signs[i - 1]));
            }
            AppendMeaning(node.children[i], values, items);
        }
        return;
    case SyntaxKind::System:
        for (const SyntaxNode& line : node.children) {
            items.push_back("line");
            AppendMeaning(line, values, items);
        }
        return;
    case SyntaxKind::Labelled:
        AppendMeaning(node.children[0], values, items);
        items.push_back("condition " + node.text);
        return;
    default:
        break;
    }
    const Value value = Scalar(node, values);
    items.push_back(value ? value->ToText() : "undefined");
}

} // namespace

ReadBack ReadLatexFormula(std::string_view latex) {
    ReadBack result;
    try {
        result.tree = ParseTokens(LatexTokenizer(latex).Tokens());
    } catch (const ReadError& error) {
        result.error = error.message;
    }
    return result;
}

ReadBack ReadMathMLFormula(const XmlElement& math) {
    ReadBack result;
    try {
        if (math.name != "math") {
            Fail("not a <math> element");
        }
        result.tree = ConvertMathML(math);
    } catch (const ReadError& error) {
        result.error = error.message;
    }
    return result;
}

LetterValues RandomLetterValues(std::mt19937& random) {
    std::uniform_int_distribution<int> numerator(-40, 40);
    std::uniform_int_distribution<int> denominator(1, 12);
    LetterValues values;
    for (const char* letters : {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}) {
        for (const char* c = letters; *c != '\0'; ++c) {
            int n = 0;
            while (n == 0) {
                n = numerator(random);
            }
            values[*c] = Rational(n, denominator(random));
        }
    }
    return values;
}

std::vector<std::string> Meaning(const SyntaxNode& formula, const LetterValues& values) {
    std::vector<std::string> items;
    AppendMeaning(formula, values, items);
    return items;
}

int CountKind(const SyntaxNode& node, SyntaxKind kind) {
    int count = node.kind == kind ? 1 : 0;
    for (const SyntaxNode& child : node.children) {
        count += CountKind(child, kind);
    }
    return count;
}
