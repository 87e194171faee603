#include "fuzz/SolveCheck.h"

#include "cli/CliRunner.h"
#include "cli/SolutionWriter.h"
#include "fuzz/JsonCheck.h"
#include "model/EngineLimits.h"
#include "model/WorkBudget.h"
#include "output/CommentID.h"

#include <ctime>

namespace {

constexpr ProblemForm kForms[] = {ProblemForm::Linear, ProblemForm::Editor, ProblemForm::Compact};

bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : (lead >> 5) == 6  ? 2
                                   : (lead >> 4) == 14 ? 3
                                   : (lead >> 3) == 30 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// An answer or an error record: it shows a comment even with text comments off, or it speaks a
// formula; the steps of a solution do neither.
bool ClosesASolution(const COutputRecord& record) {
    for (const auto& block : record.Blocks()) {
        const OutputBlockComment* comment = block->AsComment();
        const OutputBlockFormula* formula = block->AsFormula();
        if ((comment && comment->alwaysShown) || (formula && formula->spoken)) {
            return true;
        }
    }
    return false;
}

bool EndsWithTooLargeError(const COutputList& solution) {
    const COutputRecord& last = *solution.Records().back();
    const OutputBlockComment* comment = last.Blocks().back()->AsComment();
    return comment && comment->id == CommentID::ErrorProblemTooLarge;
}

bool IsNoExpressionError(const COutputList& solution) {
    if (solution.Size() != 1) {
        return false;
    }
    const OutputBlockComment* comment = solution.Records().front()->Blocks().back()->AsComment();
    return comment && comment->id == CommentID::ErrorNoExpression && comment->alwaysShown;
}

std::string CheckSolution(const COutputList& solution, const std::string& problem) {
    if (IsBlankProblem(problem)) {
        return IsNoExpressionError(solution)
                   ? ""
                   : "a blank problem without the error that there is no expression";
    }
    if (solution.IsEmpty()) {
        return "no record for a problem that is not blank";
    }
    if (!ClosesASolution(*solution.Records().back())) {
        return "the last record is neither an answer nor an error record";
    }
    const WorkBudget::Usage usage = WorkBudget::LastFinished();
    if (usage.exhausted && !EndsWithTooLargeError(solution)) {
        return "the budget ran out but the solution does not end with the too-large error";
    }
    // A charge is made before it is tested, so the last one may pass the bound once. A formula
    // that would pass the text bound is not recorded at all; the steps chained by "=" carry two
    // bytes more each.
    std::size_t textBytes = 0;
    for (const auto& record : solution.Records()) {
        textBytes += record->FormulaTextSize();
    }
    if (usage.work > 2 * EngineLimits::kMaxSolveWork ||
        usage.records > EngineLimits::kMaxSolutionRecords + 8 ||
        textBytes > EngineLimits::kMaxSolutionTextBytes + 2 * solution.Size()) {
        return "the solve passed its budget: work " + std::to_string(usage.work) + ", records " +
               std::to_string(usage.records) + ", text " + std::to_string(textBytes);
    }
    return "";
}

std::string CheckWritten(ProblemKind kind, const std::string& problem, const COutputList& solution) {
    const std::string json = SolutionAsJson(kind, problem, 0, solution, CommentTexts());
    if (const std::string why = JsonCheck::Problem(json); !why.empty()) {
        return "invalid JSON (" + why + "): " + json.substr(0, 200);
    }
    if (!IsUtf8(SolutionAsText(solution, CommentTexts()))) {
        return "the text output is not UTF-8";
    }
    return "";
}

} // namespace

std::string CheckSolveOfInput(const std::uint8_t* data, std::size_t size, double cpuSecondsLimit) {
    if (size == 0) {
        return "";
    }
    const ProblemKind kind = kProblemKinds[data[0] & 3];
    const ProblemForm form = kForms[(data[0] >> 2) % 3];
    const std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);

    const ProblemReading problem = ReadProblem(typed, form);
    if (!problem.error.empty()) {
        return problem.error.rfind("column ", 0) == 0 && problem.error.find(": ") != std::string::npos
                   ? ""
                   : "a refusal without its column: " + problem.error;
    }
    COutputList solution;
    const std::clock_t start = std::clock();
    SolveTimed(kind, problem.text, solution);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    if (seconds > cpuSecondsLimit) {
        return "the solve took " + std::to_string(seconds) + " s";
    }
    if (std::string why = CheckSolution(solution, problem.text); !why.empty()) {
        return why;
    }
    return CheckWritten(kind, problem.text, solution);
}
