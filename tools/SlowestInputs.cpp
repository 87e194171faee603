// The slowest inputs of the solver: solves every input of each source, one at a time, and prints
// the slowest of each with the processor time of the solve and the bytes of formula text of its
// solution.
//
//   orbelin-slowest-inputs [--top N] [--fuzz FOLDER]... [--batch FILE]... [--school COUNT]
//
// --fuzz FOLDER   every file of FOLDER as the fuzz target reads it (a selector byte, then the
//                 problem text; fuzz/SolveCheck.h)
// --batch FILE    every line of FILE, KIND<TAB>PROBLEM as orbelin-solve --batch reads it
// --school COUNT  COUNT generated school problems of each kind (the same for every run)

#include "cli/CliRunner.h"
#include "solver/SolveProblem.h"
#include "tests/support/SchoolProblemMaker.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

struct Input {
    ProblemKind kind = ProblemKind::Equation;
    ProblemForm form = ProblemForm::Linear;
    std::string text;
};

struct Timing {
    double milliseconds = 0;
    std::size_t textBytes = 0;
    const Input* input = nullptr;
};

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

Timing Solve(const Input& input) {
    Timing timing{0, 0, &input};
    const ProblemReading problem = ReadProblem(input.text, input.form);
    if (!problem.error.empty()) {
        return timing;
    }
    COutputList solution;
    const double start = ThreadMilliseconds();
    SolveTimed(input.kind, problem.text, solution);
    timing.milliseconds = ThreadMilliseconds() - start;
    for (const auto& record : solution.Records()) {
        timing.textBytes += record->FormulaTextSize();
    }
    return timing;
}

std::vector<Input> FuzzInputs(const std::filesystem::path& folder) {
    constexpr ProblemForm kForms[] = {ProblemForm::Linear, ProblemForm::Editor, ProblemForm::Compact};
    std::vector<Input> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README") {
            continue;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (data.empty()) {
            continue;
        }
        const auto selector = static_cast<unsigned char>(data[0]);
        inputs.push_back({kProblemKinds[selector & 3], kForms[(selector >> 2) % 3], data.substr(1)});
    }
    return inputs;
}

std::vector<Input> BatchInputs(const std::string& path) {
    std::vector<Input> inputs;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        const BatchLine parsed = ParseBatchLine(line, ProblemKind::Equation);
        if (parsed.kind) {
            inputs.push_back({*parsed.kind, ProblemForm::Linear, parsed.problem});
        }
    }
    return inputs;
}

// School problems of every kind: the generated simplifications, polynomials made by multiplying
// out small factors (to factorise, and completely), and equations of a polynomial or of fractions.
class SchoolInputs {
public:
    explicit SchoolInputs(unsigned seed) : m_random(seed), m_simplifications(seed) {}

    std::vector<Input> Make(int count) {
        std::vector<Input> inputs;
        for (int i = 0; i < count; ++i) {
            inputs.push_back({ProblemKind::Simplify, ProblemForm::Compact, m_simplifications.Next()});
            inputs.push_back({ProblemKind::Factorise, ProblemForm::Linear, Written(ProductOfFactors())});
            inputs.push_back(
                {ProblemKind::FactoriseCompletely, ProblemForm::Linear, Written(ProductOfFactors())});
            inputs.push_back(
                {ProblemKind::Equation, ProblemForm::Linear, Written(ProductOfFactors()) + "=0"});
            inputs.push_back({ProblemKind::Equation, ProblemForm::Linear, FractionEquation()});
        }
        return inputs;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    int NonZero(int bound) {
        const int value = Pick(1, bound);
        return Pick(0, 1) == 0 ? value : -value;
    }

    // The coefficients (constant first) of a product of two to four factors a*x^k+b.
    std::vector<long long> ProductOfFactors() {
        std::vector<long long> product{NonZero(3)};
        for (int factors = Pick(2, 4); factors > 0; --factors) {
            const int power = Pick(1, 2);
            const long long a = NonZero(3);
            const long long b = Pick(0, 5) == 0 ? 0 : NonZero(6);
            std::vector<long long> next(product.size() + static_cast<std::size_t>(power), 0);
            for (std::size_t i = 0; i < product.size(); ++i) {
                next[i] += b * product[i];
                next[i + static_cast<std::size_t>(power)] += a * product[i];
            }
            product = std::move(next);
        }
        return product;
    }

    static std::string Written(const std::vector<long long>& coefficients) {
        std::string text;
        for (std::size_t k = coefficients.size(); k-- > 0;) {
            const long long c = coefficients[k];
            if (c == 0) {
                continue;
            }
            text += c < 0 ? "-" : text.empty() ? "" : "+";
            const long long magnitude = c < 0 ? -c : c;
            if (magnitude != 1 || k == 0) {
                text += std::to_string(magnitude);
            }
            if (k > 0) {
                text += k == 1 ? "x" : "x^" + std::to_string(k);
            }
        }
        return text.empty() ? "0" : text;
    }

    std::string FractionEquation() {
        std::string text;
        for (int terms = Pick(2, 3); terms > 0; --terms) {
            text += Cat({text.empty() ? "" : "+", std::to_string(NonZero(5)), "/(x", Pick(0, 1) ? "+" : "-",
                         std::to_string(Pick(1, 6)), ")"});
        }
        return Cat({text, "=", std::to_string(Pick(0, 3))});
    }

    std::mt19937 m_random;
    SchoolProblemMaker m_simplifications;
};

void PrintSlowest(const std::string& title, const std::vector<Input>& inputs, std::size_t top) {
    std::vector<Timing> timings;
    for (const Input& input : inputs) {
        timings.push_back(Solve(input));
    }
    std::sort(timings.begin(), timings.end(),
              [](const Timing& a, const Timing& b) { return a.milliseconds > b.milliseconds; });
    std::cout << "== " << title << ": " << inputs.size() << " inputs, the " << std::min(top, timings.size())
              << " slowest\n   cpu ms  text bytes  kind         problem\n";
    for (std::size_t i = 0; i < std::min(top, timings.size()); ++i) {
        const Timing& t = timings[i];
        std::string shown = t.input->text.substr(0, 90);
        for (char& c : shown) {
            c = static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
        std::cout << std::fixed << std::setprecision(2) << std::setw(9) << t.milliseconds << std::setw(12)
                  << t.textBytes << "  " << std::left << std::setw(12) << KindName(t.input->kind)
                  << std::right << " " << shown << (t.input->text.size() > 90 ? "..." : "") << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    std::size_t top = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--top") {
            top = static_cast<std::size_t>(std::stoul(value));
        } else if (option == "--fuzz") {
            PrintSlowest("fuzz inputs in " + value, FuzzInputs(value), top);
        } else if (option == "--batch") {
            PrintSlowest("batch " + value, BatchInputs(value), top);
        } else if (option == "--school") {
            PrintSlowest("school problems of every kind", SchoolInputs(20261207).Make(std::stoi(value)), top);
        } else {
            std::cerr << "usage: orbelin-slowest-inputs [--top N] [--fuzz FOLDER]... [--batch FILE]... "
                         "[--school COUNT]\n";
            return 2;
        }
    }
    return 0;
}
