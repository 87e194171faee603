#include "markup/LinearNotation.h"

#include "model/EngineLimits.h"

#include <array>
#include <optional>
#include <vector>

namespace {

// One character of the text, with the column it stands in.
struct Symbol {
    char32_t c;
    std::size_t column;
    std::string_view spelling; // the bytes of the character in the text
};

// Superscript digits and signs, read as an exponent.
constexpr char32_t kSuperscriptMinus = U'\u207B';
constexpr char32_t kSuperscriptPlus = U'\u207A';
constexpr std::array<char32_t, 10> kSuperscriptDigits = {U'\u2070', U'\u00B9', U'\u00B2', U'\u00B3',
                                                         U'\u2074', U'\u2075', U'\u2076', U'\u2077',
                                                         U'\u2078', U'\u2079'};

int SuperscriptDigit(char32_t c) {
    for (std::size_t i = 0; i < kSuperscriptDigits.size(); ++i) {
        if (kSuperscriptDigits[i] == c) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsSuperscript(char32_t c) {
    return SuperscriptDigit(c) >= 0 || c == kSuperscriptMinus || c == kSuperscriptPlus;
}

// The signs people paste, as the ASCII sign they stand for; 0 for a character that has none.
char32_t AsciiSpelling(char32_t c) {
    switch (c) {
    case U'\u2212': // minus sign
    case U'\u2013': // en dash
        return '-';
    case U'\u00D7': // multiplication sign
    case U'\u00B7': // middle dot
    case U'\u22C5': // dot operator
    case U'\u2219': // bullet operator
        return '*';
    case U'\u00F7': // division sign
        return ':';
    case U'\u00A0': // no-break space
    case '\t':
        return ' ';
    default:
        return 0;
    }
}

// Characters that are read as they are (besides superscripts and the relation signs ≠ ≤ ≥ √).
bool IsReadable(char32_t c) {
    return (c >= 0x20 && c < 0x7F) || IsSuperscript(c) || c == U'\u2260' || c == U'\u2264' ||
           c == U'\u2265' || c == U'\u221A';
}

struct Refusal {
    ReaderMessage message;
    std::size_t column;
};

// Decodes UTF-8; a byte sequence that is not UTF-8 is refused at its column.
std::vector<Symbol> Decode(std::string_view text) {
    std::vector<Symbol> symbols;
    symbols.reserve(text.size());
    std::size_t column = 1;
    for (std::size_t i = 0; i < text.size(); ++column) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80         ? 1
                           : (lead >> 5) == 6  ? 2
                           : (lead >> 4) == 14 ? 3
                           : (lead >> 3) == 30 ? 4
                                               : 0;
        if (length == 0 || i + length > text.size()) {
            throw Refusal{{ReaderMessageID::NotUtf8, {}}, column};
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next >> 6) != 2) {
                throw Refusal{{ReaderMessageID::NotUtf8, {}}, column};
            }
            c = (c << 6) | (next & 0x3F);
        }
        i += length;
        if (const char32_t ascii = AsciiSpelling(c)) {
            c = ascii;
        }
        symbols.push_back(Symbol{c, column, text.substr(i - length, length)});
    }
    return symbols;
}

bool IsAsciiDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Names of functions and roots that people write before an argument.
constexpr std::array<std::string_view, 22> kFunctionNames = {
    "sqrt", "cbrt", "root", "sin",    "cos",    "tan",    "tg",    "cot", "ctg", "sec", "csc",
    "asin", "acos", "atan", "arcsin", "arccos", "arctan", "arctg", "ln",  "lg",  "log", "exp"};

class LinearReader {
public:
    LinearReader(std::vector<Symbol> symbols, const LinearOptions& options)
        : m_symbols(std::move(symbols)), m_options(options) {}

    // problem := sum [relation sum]
    SyntaxNode ReadProblem() {
        SyntaxNode left = ReadSum();
        SkipBlanks();
        if (AtEnd()) {
            return left;
        }
        const std::size_t relationColumn = Column();
        const int sign = ReadRelationSign();
        if (sign < 0) {
            RefuseUnexpected();
        }
        SyntaxNode right = ReadSum();
        SkipBlanks();
        if (!AtEnd()) {
            const std::size_t secondColumn = Column();
            if (ReadRelationSign() >= 0) {
                throw Refusal{{ReaderMessageID::SecondRelation, {std::to_string(relationColumn)}},
                              secondColumn};
            }
            RefuseUnexpected();
        }
        SyntaxNode relation = MakeBinary(SyntaxKind::Relation, std::move(left), std::move(right));
        relation.signs.push_back(sign);
        return relation;
    }

private:
    // sum := ["+" | "-"] term { ("+" | "-") term }
    SyntaxNode ReadSum() {
        SkipBlanks();
        SyntaxNode sum = MakeNode(SyntaxKind::Sum, {});
        int sign = 1;
        // A minus in front of a signed term is a level, as in front of a signed operand.
        std::optional<DepthGuard> guard;
        if (AtPlusOrMinus()) {
            sign = kPlusOrMinus;
            Advance(Peek() == '+' ? 2 : 1);
        } else if (Peek() == '-' || Peek() == '+') {
            sign = Peek() == '-' ? -1 : 1;
            Advance();
            if (sign < 0) {
                GuardSignedOperand(guard);
            }
        }
        SyntaxNode first = ReadTerm();
        guard.reset();
        SkipBlanks();
        if (sign == 1 && Peek() != '+' && Peek() != '-' && !AtPlusOrMinus()) {
            return first;
        }
        Append(sum, std::move(first), sign);
        for (SkipBlanks(); Peek() == '+' || Peek() == '-' || AtPlusOrMinus(); SkipBlanks()) {
            const bool plusOrMinus = AtPlusOrMinus();
            const int termSign = plusOrMinus ? kPlusOrMinus : (Peek() == '-' ? -1 : 1);
            Advance(plusOrMinus && Peek() == '+' ? 2 : 1);
            Append(sum, ReadTerm(), termSign);
        }
        return sum;
    }

    // term := unary { ("*" | "." | ":" | "/") unary | power }
    SyntaxNode ReadTerm() {
        SyntaxNode term = ReadUnary(true);
        bool buildingProduct = false;
        for (;;) {
            SkipBlanks();
            const char32_t c = Peek();
            int sign = 1;
            SyntaxNode factor;
            if (c == '/') {
                Advance();
                term = MakeBinary(SyntaxKind::Fraction, std::move(term), ReadUnary(false));
                buildingProduct = false;
                continue;
            }
            if (c == '*' || c == '.' || c == ':') {
                sign = c == ':' ? -1 : 1;
                Advance();
                factor = ReadUnary(true);
            } else if (StartsPrimary(c)) {
                if (IsAsciiDigit(c) && m_lastPrimaryWasNumber) {
                    throw Refusal{{ReaderMessageID::TwoNumbers, {}}, Column()};
                }
                factor = ReadPower(true);
            } else {
                return term;
            }
            if (!buildingProduct) {
                SyntaxNode product = MakeNode(SyntaxKind::Product, {});
                Append(product, std::move(term), 1);
                term = std::move(product);
                buildingProduct = true;
            }
            Append(term, std::move(factor), sign);
        }
    }

    // unary := ("-" | "+") unary | power
    SyntaxNode ReadUnary(bool fractionLiteralAllowed) {
        SkipPlusSigns();
        if (Peek() == '-') {
            Advance();
            std::optional<DepthGuard> guard;
            GuardSignedOperand(guard);
            SyntaxNode negated = MakeNode(SyntaxKind::Sum, {});
            Append(negated, ReadUnary(fractionLiteralAllowed), -1);
            return negated;
        }
        return ReadPower(fractionLiteralAllowed);
    }

    // A plus sign in front of an operand changes nothing: any run of them is passed over.
    void SkipPlusSigns() {
        SkipBlanks();
        while (Peek() == '+') {
            Advance();
            SkipBlanks();
        }
    }

    // power := primary [("^" | "**") exponent | superscript digits]
    SyntaxNode ReadPower(bool fractionLiteralAllowed) {
        SyntaxNode base = ReadPrimary(fractionLiteralAllowed);
        SkipBlanks();
        if (Peek() == '^' || (Peek() == '*' && Peek(1) == '*')) {
            Advance(Peek() == '^' ? 1 : 2);
            SyntaxNode exponent = ReadExponent();
            m_lastPrimaryWasNumber = false;
            return MakeBinary(SyntaxKind::Power, std::move(base), std::move(exponent));
        }
        if (IsSuperscript(Peek())) {
            m_lastPrimaryWasNumber = false;
            return MakeBinary(SyntaxKind::Power, std::move(base), ReadSuperscriptExponent());
        }
        return base;
    }

    // exponent := ("-" | "+") exponent | power
    // An exponent is written in braces: a level of nesting.
    SyntaxNode ReadExponent() {
        const DepthGuard guard(*this);
        return ReadSignedExponent();
    }

    SyntaxNode ReadSignedExponent() {
        SkipPlusSigns();
        if (Peek() == '-') {
            Advance();
            std::optional<DepthGuard> guard;
            GuardSignedOperand(guard);
            SyntaxNode negated = MakeNode(SyntaxKind::Sum, {});
            Append(negated, ReadSignedExponent(), -1);
            return negated;
        }
        return ReadPower(false);
    }

    // superscript digits after an optional superscript sign: x², x⁻¹
    SyntaxNode ReadSuperscriptExponent() {
        int sign = 1;
        if (Peek() == kSuperscriptMinus || Peek() == kSuperscriptPlus) {
            sign = Peek() == kSuperscriptMinus ? -1 : 1;
            Advance();
        }
        std::string digits;
        for (; SuperscriptDigit(Peek()) >= 0; Advance()) {
            digits += static_cast<char>('0' + SuperscriptDigit(Peek()));
        }
        if (digits.empty()) {
            throw Refusal{{ReaderMessageID::SuperscriptDigitsMissing, {}}, Column()};
        }
        SyntaxNode number = MakeLeaf(SyntaxKind::Number, std::move(digits));
        if (sign > 0) {
            return number;
        }
        SyntaxNode negated = MakeNode(SyntaxKind::Sum, {});
        Append(negated, std::move(number), -1);
        return negated;
    }

    // primary := number | letter | "(" sum ")" | "{" sum "}" | "!name{…}"
    SyntaxNode ReadPrimary(bool fractionLiteralAllowed) {
        SkipBlanks();
        const char32_t c = Peek();
        m_lastPrimaryWasNumber = IsAsciiDigit(c);
        if (IsAsciiDigit(c)) {
            return ReadNumber(fractionLiteralAllowed);
        }
        if (IsAsciiLetter(c)) {
            if (m_options.rootsAllowed && StartsSquareRootName()) {
                return WithSubscript(ReadSquareRootCall());
            }
            RefuseFunctionName();
            Advance();
            return WithSubscript(MakeLeaf(SyntaxKind::Letter, std::string(1, static_cast<char>(c))));
        }
        if (c == '(' || c == '{') {
            return WithSubscript(ReadGroup());
        }
        if (c == '!' && Peek(1) != '=') {
            return WithSubscript(ReadMarkupCommand());
        }
        if (c == U'\u221A' && m_options.rootsAllowed) {
            Advance();
            return MakeUnary(SyntaxKind::Root, ReadPrimary(false));
        }
        if (c == U'\u221A') {
            throw Refusal{{ReaderMessageID::IsRoot, {"\u221A"}}, Column()};
        }
        RefuseMissingOperand();
    }

    // "(" sum ")" | "{" sum "}": brackets make no node of their own.
    SyntaxNode ReadGroup() {
        const DepthGuard guard(*this);
        const std::size_t openIndex = m_position;
        const char32_t closer = Peek() == '(' ? ')' : '}';
        const std::size_t openColumn = Column();
        Advance();
        SyntaxNode inner = ReadSum();
        SkipBlanks();
        if (Peek() == closer) {
            Advance();
            m_lastPrimaryWasNumber = false;
            return inner;
        }
        if (AtEnd()) {
            throw Refusal{
                {ReaderMessageID::BracketNotClosed, {Quoted(openIndex), std::to_string(openColumn)}},
                Column()};
        }
        if (Peek() == ')' || Peek() == '}') {
            throw Refusal{{ReaderMessageID::WrongClosingBracket,
                           {Quoted(m_position), Quoted(openIndex), std::to_string(openColumn)}},
                          Column()};
        }
        RefuseUnexpected();
    }

    // digits ["." | "," digits], a fraction literal digits "/" digits, or a mixed number
    // digits "@" ["{"] digits "/" digits ["}"] or digits blanks digits "/" digits.
    SyntaxNode ReadNumber(bool fractionLiteralAllowed) {
        std::string text = ReadDigits();
        if ((Peek() == '.' || Peek() == ',') && IsAsciiDigit(Peek(1))) {
            Advance();
            return MakeLeaf(SyntaxKind::Number, text + ',' + ReadDigits());
        }
        if (Peek() == '@') {
            return ReadMarkupMixedNumber(std::move(text));
        }
        if (fractionLiteralAllowed && FractionLiteralAt(m_position)) {
            Advance();
            return MakeLeaf(SyntaxKind::Number, text + '/' + ReadDigits());
        }
        std::size_t after = m_position;
        while (after < m_symbols.size() && m_symbols[after].c == ' ') {
            ++after;
        }
        if (fractionLiteralAllowed && after > m_position && IsAsciiDigit(At(after))) {
            std::size_t numeratorEnd = after;
            while (IsAsciiDigit(At(numeratorEnd))) {
                ++numeratorEnd;
            }
            if (FractionLiteralAt(numeratorEnd)) {
                m_position = after;
                const std::string numerator = ReadDigits();
                Advance();
                return MakeLeaf(SyntaxKind::Number, text + "@{" + numerator + '/' + ReadDigits() + '}');
            }
        }
        return MakeLeaf(SyntaxKind::Number, std::move(text));
    }

    // "/" digits at index, not followed by what would make the denominator a base or a decimal.
    bool FractionLiteralAt(std::size_t index) const {
        if (At(index) != '/' || !IsAsciiDigit(At(index + 1))) {
            return false;
        }
        std::size_t end = index + 1;
        while (IsAsciiDigit(At(end))) {
            ++end;
        }
        const char32_t next = At(end);
        const bool power = next == '^' || (next == '*' && At(end + 1) == '*') || IsSuperscript(next);
        const bool decimal = (next == '.' || next == ',') && IsAsciiDigit(At(end + 1));
        return !power && !decimal && next != '@';
    }

    SyntaxNode ReadMarkupMixedNumber(std::string whole) {
        Advance(); // "@"
        const bool braced = Peek() == '{';
        if (braced) {
            Advance();
        }
        if (!IsAsciiDigit(Peek()) || !FractionLiteralAt(m_position + CountDigits(m_position))) {
            throw Refusal{{ReaderMessageID::MixedNumberForm, {}}, Column()};
        }
        const std::string numerator = ReadDigits();
        Advance();
        const std::string denominator = ReadDigits();
        if (braced) {
            if (Peek() != '}') {
                throw Refusal{{ReaderMessageID::MixedNumberForm, {}}, Column()};
            }
            Advance();
        }
        return MakeLeaf(SyntaxKind::Number, whole + "@{" + numerator + '/' + denominator + '}');
    }

    // "!" name "{" … "}" with balanced braces, kept as it is.
    SyntaxNode ReadMarkupCommand() {
        const std::size_t start = m_position;
        Advance();
        while (IsAsciiLetter(Peek()) || IsAsciiDigit(Peek())) {
            Advance();
        }
        if (Peek() != '{') {
            throw Refusal{{ReaderMessageID::MarkupCommandForm, {}}, Column(start)};
        }
        std::string text = Verbatim(start, SkipBraced());
        return MakeLeaf(SyntaxKind::Verbatim, std::move(text));
    }

    // A markup subscript "_{…}" after an operand.
    SyntaxNode WithSubscript(SyntaxNode base) {
        if (Peek() != '_') {
            return base;
        }
        const std::size_t start = m_position + 1;
        Advance();
        if (Peek() != '{') {
            throw Refusal{{ReaderMessageID::SubscriptForm, {"\u2026"}}, Column()};
        }
        const std::size_t end = SkipBraced();
        SyntaxNode subscript = MakeUnary(SyntaxKind::Subscript, std::move(base));
        subscript.text = Verbatim(start + 1, end - 1);
        return subscript;
    }

    // From a "{" at the position to just past its matching "}"; returns that end.
    std::size_t SkipBraced() {
        const std::size_t openColumn = Column();
        int depth = 0;
        do {
            if (AtEnd()) {
                throw Refusal{{ReaderMessageID::BraceNotClosed, {std::to_string(openColumn)}}, Column()};
            }
            depth += Peek() == '{' ? 1 : Peek() == '}' ? -1 : 0;
            Advance();
        } while (depth > 0);
        return m_position;
    }

    std::string Verbatim(std::size_t from, std::size_t to) const {
        std::string text;
        for (std::size_t i = from; i < to; ++i) {
            if (m_symbols[i].c >= 0x80) {
                throw Refusal{{ReaderMessageID::NotInsideMarkupCommand, {Quoted(i)}}, m_symbols[i].column};
            }
            text += static_cast<char>(m_symbols[i].c);
        }
        return text;
    }

    // A run of letters that names a function or a root ("sqrt(x)", "sin x", "xln(y)") is refused
    // rather than read as a product of letters.
    void RefuseFunctionName() const {
        if (m_position > 0 && IsAsciiLetter(m_symbols[m_position - 1].c)) {
            return; // checked with the run it belongs to
        }
        std::size_t end = m_position;
        while (IsAsciiLetter(At(end))) {
            ++end;
        }
        std::string run;
        for (std::size_t i = m_position; i < end; ++i) {
            run += static_cast<char>(m_symbols[i].c);
        }
        std::size_t after = end;
        while (At(after) == ' ') {
            ++after;
        }
        const bool argumentFollows = At(after) == '(';
        for (const std::string_view name : kFunctionNames) {
            for (std::size_t start = 0; start + name.size() <= run.size(); ++start) {
                const bool atStart = start == 0 && name.size() >= 3;
                const bool atEnd = start + name.size() == run.size() && argumentFollows;
                if (run.compare(start, name.size(), name) == 0 &&
                    (run.size() == name.size() || atStart || atEnd)) {
                    const ReaderMessageID id =
                        IsRootName(name) ? ReaderMessageID::IsRoot : ReaderMessageID::IsFunction;
                    throw Refusal{{id, {std::string(name)}}, m_symbols[m_position + start].column};
                }
            }
        }
    }

    // With roots allowed: "±", or "+-" written as one sign.
    bool AtPlusOrMinus() const {
        return m_options.rootsAllowed && (Peek() == U'\u00B1' || (Peek() == '+' && Peek(1) == '-'));
    }

    bool StartsSquareRootName() const {
        if (m_position > 0 && IsAsciiLetter(m_symbols[m_position - 1].c)) {
            return false;
        }
        return At(m_position) == 's' && At(m_position + 1) == 'q' && At(m_position + 2) == 'r' &&
               At(m_position + 3) == 't';
    }

    // "sqrt" "(" sum ")": the square root of the sum.
    SyntaxNode ReadSquareRootCall() {
        const std::size_t nameColumn = Column();
        Advance(4);
        SkipBlanks();
        if (Peek() != '(') {
            throw Refusal{{ReaderMessageID::SquareRootNeedsBrackets, {}}, nameColumn};
        }
        return MakeUnary(SyntaxKind::Root, ReadGroup());
    }

    static bool IsRootName(std::string_view name) {
        return name == "sqrt" || name == "cbrt" || name == "root";
    }

    // The relation sign at the position, read; -1 (nothing read) when there is none.
    int ReadRelationSign() {
        const char32_t c = Peek();
        if (c == '<' || c == '>') {
            const bool orEqual = Peek(1) == '=';
            Advance(orEqual ? 2 : 1);
            return c == '<' ? (orEqual ? kLessOrEqual : kLess) : (orEqual ? kGreaterOrEqual : kGreater);
        }
        if (c == '!' && Peek(1) == '=') {
            Advance(2);
            return kNotEqual;
        }
        const int sign = c == '='         ? kEqual
                         : c == U'\u2260' ? kNotEqual
                         : c == U'\u2264' ? kLessOrEqual
                         : c == U'\u2265' ? kGreaterOrEqual
                                          : -1;
        if (sign >= 0) {
            Advance();
        }
        return sign;
    }

    [[noreturn]] void RefuseMissingOperand() const {
        if (AtEnd()) {
            throw Refusal{{ReaderMessageID::EndsWithoutOperand, {}}, Column()};
        }
        const char32_t c = Peek();
        if (c == ')' || c == '}') {
            throw Refusal{{ReaderMessageID::ClosesNoBracket, {Quoted(m_position)}}, Column()};
        }
        if (IsReadable(c) && c != '#' && c != '$' && c != '"' && c != '\'' && c != '&' && c != '?' &&
            c != '%') {
            throw Refusal{{ReaderMessageID::OperandMissingBefore, {Quoted(m_position)}}, Column()};
        }
        throw Refusal{{ReaderMessageID::NotInNotation, {Quoted(m_position)}}, Column()};
    }

    [[noreturn]] void RefuseUnexpected() const {
        const char32_t c = Peek();
        if (c == ')' || c == '}') {
            throw Refusal{{ReaderMessageID::ClosesNoBracket, {Quoted(m_position)}}, Column()};
        }
        if (c == '=' || c == '<' || c == '>' || c == U'\u2260' || c == U'\u2264' || c == U'\u2265' ||
            (c == '!' && Peek(1) == '=')) {
            throw Refusal{{ReaderMessageID::RelationMisplaced, {}}, Column()};
        }
        if (!IsReadable(c)) {
            throw Refusal{{ReaderMessageID::NotInNotation, {Quoted(m_position)}}, Column()};
        }
        throw Refusal{{ReaderMessageID::CannotStandHere, {Quoted(m_position)}}, Column()};
    }

    bool StartsPrimary(char32_t c) const {
        return IsAsciiDigit(c) || IsAsciiLetter(c) || c == '(' || c == '{' || c == U'\u221A' ||
               (c == '!' && Peek(1) != '=');
    }

    // The character at index as it is written in the text, in quotes.
    std::string Quoted(std::size_t index) const {
        std::string quoted = "\"";
        quoted += m_symbols[index].spelling;
        quoted += '"';
        return quoted;
    }

    std::string ReadDigits() {
        std::string digits;
        for (; IsAsciiDigit(Peek()); Advance()) {
            digits += static_cast<char>(Peek());
        }
        return digits;
    }

    std::size_t CountDigits(std::size_t from) const {
        std::size_t count = 0;
        while (IsAsciiDigit(At(from + count))) {
            ++count;
        }
        return count;
    }

    static void Append(SyntaxNode& list, SyntaxNode child, int sign) {
        list.children.push_back(std::move(child));
        list.signs.push_back(sign);
    }

    void SkipBlanks() {
        while (Peek() == ' ') {
            Advance();
        }
    }

    char32_t At(std::size_t index) const { return index < m_symbols.size() ? m_symbols[index].c : 0; }
    char32_t Peek(std::size_t ahead = 0) const { return At(m_position + ahead); }
    bool AtEnd() const { return m_position >= m_symbols.size(); }
    void Advance(std::size_t count = 1) { m_position += count; }
    std::size_t Column() const { return Column(m_position); }
    std::size_t Column(std::size_t index) const {
        return index < m_symbols.size() ? m_symbols[index].column
                                        : (m_symbols.empty() ? 1 : m_symbols.back().column + 1);
    }

    // A bracket, an exponent and a sign in front of a signed operand each nest one level deeper,
    // as each is one level of brackets or braces in the markup the parser reads; past the engine's
    // nesting limit the text is refused, which also bounds the recursion of the reader.
    class DepthGuard {
    public:
        explicit DepthGuard(LinearReader& reader) : m_reader(reader) {
            if (++reader.m_depth > EngineLimits::kMaxNestingDepth) {
                throw Refusal{
                    {ReaderMessageID::NestedTooDeep, {std::to_string(EngineLimits::kMaxNestingDepth)}},
                    reader.Column()};
            }
        }
        ~DepthGuard() { --m_reader.m_depth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        LinearReader& m_reader;
    };

    // A minus whose operand is signed again is written with that operand in brackets ("- -x" is
    // "-(-x)"): a level of nesting, as the bracket is for the parser.
    void GuardSignedOperand(std::optional<DepthGuard>& guard) {
        SkipBlanks();
        if (Peek() == '-' || Peek() == '+') {
            guard.emplace(*this);
        }
    }

    std::vector<Symbol> m_symbols;
    LinearOptions m_options;
    std::size_t m_position = 0;
    int m_depth = 0;
    bool m_lastPrimaryWasNumber = false;
};

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

bool HoldsFunctionName(std::string_view letters) {
    for (const std::string_view name : kFunctionNames) {
        if (letters.find(name) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

LinearReading ReadLinearNotation(std::string_view text, const LinearOptions& options) {
    LinearReading reading;
    if (IsBlank(text)) {
        return reading;
    }
    try {
        if (text.size() > EngineLimits::kMaxProblemTextLength) {
            throw Refusal{{ReaderMessageID::TooLong, {std::to_string(EngineLimits::kMaxProblemTextLength)}},
                          EngineLimits::kMaxProblemTextLength + 1};
        }
        LinearReader reader(Decode(text), options);
        reading.tree = reader.ReadProblem();
        reading.markup = WriteSyntaxMarkup(*reading.tree);
    } catch (const Refusal& refusal) {
        reading.tree.reset();
        reading.markup.clear();
        reading.error = EnglishReaderText(refusal.message);
        reading.message = refusal.message;
        reading.column = refusal.column;
    }
    return reading;
}
