#include "web/CheckService.h"

#include "output/LanguageTables.h"

#include <sstream>

CheckService::CheckService(const SolveService& solving, const std::filesystem::path& baseFolder)
    : m_solving(solving), m_texts{CheckTexts::Load(kRussianLanguage, FolderPrefix(baseFolder)),
                                  CheckTexts::Load(kEnglishLanguage, FolderPrefix(baseFolder))} {}

const CheckTexts& CheckService::Texts(int language) const {
    return m_texts[language == kRussianLanguage ? 0 : 1];
}

CheckWriting CheckService::Writing(int language) const {
    ReadableStyle style;
    style.decimalSeparator = language == kRussianLanguage ? ',' : '.';
    return CheckWriting{Texts(language), m_solving.Texts(language), style};
}

CheckOutcome CheckService::Check(const CheckRequest& request) const {
    CheckOutcome outcome;
    outcome.problem = m_solving.Read(request.problem, request.language);
    outcome.problem.kind = request.kind;
    if (outcome.problem.status != SolveOutcome::Status::Solved) {
        return outcome;
    }
    std::istringstream pupilLines(request.lines);
    const std::vector<std::string> lines = ReadCheckLines(pupilLines, ProblemForm::Linear, {request.problem});
    outcome.check = CheckSolution(request.kind, lines, LineForm::Linear);
    return outcome;
}
