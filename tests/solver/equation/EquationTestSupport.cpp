#include "EquationTestSupport.h"

#include "solver/simplify/SimplificationTestSupport.h"

#include "output/COutputRecord.h"
#include "output/OutputBlock.h"
#include "solver/SolveProblem.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

Quad Abs(Quad v) {
    return v < 0 ? -v : v;
}

// Newton's method from a long double start: enough for 33 digits in a few steps.
Quad NthRoot(Quad radicand, int degree) {
    if (radicand == 0) {
        return 0;
    }
    const bool negative = radicand < 0;
    const Quad a = Abs(radicand);
    Quad x = static_cast<Quad>(std::pow(static_cast<long double>(a), 1.0L / degree));
    for (int i = 0; i < 12; ++i) {
        Quad power = 1;
        for (int k = 0; k < degree - 1; ++k) {
            power *= x;
        }
        x -= (power * x - a) / (degree * power);
    }
    return negative ? -x : x;
}

Quad IntegerPower(Quad base, long exponent) {
    const bool invert = exponent < 0;
    unsigned long e = static_cast<unsigned long>(invert ? -exponent : exponent);
    Quad result = 1;
    while (e > 0) {
        if (e & 1) {
            result *= base;
        }
        base *= base;
        e >>= 1;
    }
    return invert ? 1 / result : result;
}

// operand and sum grammar as in the simplifier tests' evaluator, with the root commands.
class QuadEvaluator {
public:
    QuadEvaluator(std::string text, char letter, Quad value)
        : m_text(std::move(text)), m_letter(letter), m_x(value) {}

    std::optional<Quad> Value() {
        const std::optional<Quad> v = Sum();
        if (m_failed || m_position != m_text.size()) {
            return std::nullopt;
        }
        return v;
    }

private:
    char Peek() const { return m_position < m_text.size() ? m_text[m_position] : '\0'; }
    bool Starts(const char* prefix) const {
        return m_text.compare(m_position, std::strlen(prefix), prefix) == 0;
    }
    std::optional<Quad> Fail() {
        m_failed = true;
        return std::nullopt;
    }

    std::optional<Quad> Sum() {
        Quad total = 0;
        bool first = true;
        while (true) {
            int sign = 1;
            if (Peek() == '+' || Peek() == '-') {
                sign = Peek() == '-' ? -1 : 1;
                ++m_position;
            } else if (!first) {
                break;
            }
            const std::optional<Quad> term = Term();
            if (!term) {
                return Fail();
            }
            total += sign * *term;
            first = false;
        }
        return total;
    }

    std::optional<Quad> Term() {
        std::optional<Quad> value = Fraction();
        while (value && (Peek() == '*' || Peek() == '.' || Peek() == ':')) {
            const bool divide = Peek() == ':';
            ++m_position;
            const std::optional<Quad> factor = Fraction();
            if (!factor || (divide && *factor == 0)) {
                return Fail();
            }
            value = divide ? *value / *factor : *value * *factor;
        }
        return value;
    }

    std::optional<Quad> Fraction() {
        std::optional<Quad> value = Power();
        if (value && Peek() == '/') {
            ++m_position;
            const std::optional<Quad> denominator = Power();
            if (!denominator || *denominator == 0) {
                return Fail();
            }
            value = *value / *denominator;
        }
        return value;
    }

    std::optional<Quad> Power() {
        std::optional<Quad> value = Operand();
        if (value && Peek() == '^') {
            ++m_position;
            const std::optional<Quad> exponent = Operand();
            if (!exponent || *exponent != static_cast<Quad>(static_cast<long>(*exponent))) {
                return Fail();
            }
            if (*value == 0 && *exponent < 0) {
                return Fail();
            }
            value = IntegerPower(*value, static_cast<long>(*exponent));
        }
        return value;
    }

    std::optional<Quad> Group(char closer) {
        const std::optional<Quad> value = Sum();
        if (!value || Peek() != closer) {
            return Fail();
        }
        ++m_position;
        return value;
    }

    std::optional<Quad> Number() {
        Quad whole = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            whole = whole * 10 + (Peek() - '0');
            ++m_position;
        }
        if (Peek() == ',') {
            ++m_position;
            Quad scale = 1;
            while (std::isdigit(static_cast<unsigned char>(Peek()))) {
                scale /= 10;
                whole += scale * (Peek() - '0');
                ++m_position;
            }
        }
        return whole;
    }

    std::optional<Quad> Operand() {
        if (Starts("!sq2{")) {
            m_position += 5;
            const std::optional<Quad> radicand = Group('}');
            return radicand && *radicand >= 0 ? std::optional<Quad>(NthRoot(*radicand, 2)) : Fail();
        }
        if (Starts("!sqn{") || Starts("!cross{")) {
            const bool root = Starts("!sqn{");
            m_position = m_text.find('{', m_position) + 1;
            const std::optional<Quad> index = Number();
            if (Peek() != ';') {
                return Fail();
            }
            ++m_position;
            const std::optional<Quad> inner = Group('}');
            if (!inner || !root) {
                return inner;
            }
            const int degree = static_cast<int>(*index);
            if (*inner < 0 && degree % 2 == 0) {
                return Fail();
            }
            return NthRoot(*inner, degree);
        }
        const char c = Peek();
        if (std::isdigit(static_cast<unsigned char>(c))) {
            return Number();
        }
        if (c == m_letter) {
            ++m_position;
            return m_x;
        }
        if (c == '(' || c == '{') {
            ++m_position;
            return Group(c == '(' ? ')' : '}');
        }
        return Fail();
    }

    std::string m_text;
    char m_letter;
    Quad m_x;
    std::size_t m_position = 0;
    bool m_failed = false;
};

} // namespace

std::optional<Quad> QuadValue(const std::string& formula, char letter, Quad value) {
    return QuadEvaluator(TrimChainEquals(formula), letter, value).Value();
}

EquationAnswer ReadAnswer(const COutputList& solution, char letter) {
    EquationAnswer answer;
    for (const auto& record : solution.Records()) {
        if (record->lineBlocks.size() != 1 || record->lineBlocks.back().kind != LineBlockKind::Answer) {
            continue;
        }
        bool excepting = false;
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockComment* comment = block->AsComment()) {
                excepting = excepting || comment->id == CommentID::AnswerExcept;
                const int id = ToNumber(comment->id);
                answer.unsolved = answer.unsolved || id == 83 || id == 22;
                answer.every = answer.every || id == 82;
                answer.none = answer.none || id == 56;
            } else if (const OutputBlockFormula* formula = block->AsFormula()) {
                const std::string& text = formula->text;
                if (excepting) {
                    answer.excluded.push_back(text);
                } else if (text.size() > 2 && text[0] == letter && text[1] == '=') {
                    answer.roots.push_back(text.substr(2));
                }
            }
        }
    }
    return answer;
}

std::optional<std::pair<std::string, std::string>> SplitRelation(const std::string& text) {
    const std::string trimmed = TrimChainEquals(text);
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos || trimmed.find('=', equals + 1) != std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(trimmed.substr(0, equals), trimmed.substr(equals + 1));
}

bool NearlyEqual(Quad a, Quad b, Quad relative) {
    const Quad scale = 1 + Abs(a) + Abs(b);
    return Abs(a - b) <= relative * scale;
}

std::optional<Quad> RelationDifference(const std::pair<std::string, std::string>& sides, char letter,
                                       Quad x) {
    std::optional<Quad> left = QuadValue(sides.first, letter, x);
    std::optional<Quad> right = QuadValue(sides.second, letter, x);
    if (!left || !right) {
        return std::nullopt;
    }
    return *left - *right;
}

std::vector<Quad> UnansweredRoots(const std::pair<std::string, std::string>& sides, char letter,
                                  const std::vector<Quad>& roots) {
    std::vector<Quad> missed;
    const Quad step = static_cast<Quad>(1) / 32;
    std::optional<Quad> previous = RelationDifference(sides, letter, -40);
    for (Quad x = -40 + step; x <= 40; x += step) {
        std::optional<Quad> current = RelationDifference(sides, letter, x);
        const bool zero = current && *current == 0;
        const bool signChange = previous && current && *previous != 0 && (*previous < 0) != (*current < 0);
        if (zero || signChange) {
            bool explained = false;
            for (Quad root : roots) {
                explained = explained || (root >= x - step && root <= x);
            }
            // A pole: no value, or a very large one, somewhere in the step.
            for (int i = 0; i <= 64 && !explained; ++i) {
                std::optional<Quad> inside = RelationDifference(sides, letter, x - step + step * i / 64);
                explained = !inside || *inside > 1e6 || *inside < -1e6;
            }
            if (!explained) {
                missed.push_back(x);
            }
        }
        previous = current;
    }
    return missed;
}

std::vector<std::string> MainChain(const COutputList& solution) {
    std::vector<std::string> chain;
    for (const auto& record : solution.Records()) {
        if (record->IsFormulaOnly() && record->lineBlocks.size() == 1 &&
            (record->lineBlocks.back().kind == LineBlockKind::Problem ||
             record->lineBlocks.back().kind == LineBlockKind::Steps)) {
            chain.push_back(record->Blocks().front()->AsFormula()->text);
        }
    }
    return chain;
}

std::unique_ptr<COutputList> SolveEquationText(const std::string& problem) {
    auto solution = std::make_unique<COutputList>();
    SolveProblem(ProblemKind::Equation, problem, solution.get());
    return solution;
}
