#include "web/SolveService.h"

#include "cli/CliRunner.h"
#include "cli/CommandLine.h"
#include "markup/LinearNotation.h"
#include "output/ProblemError.h"

#include <algorithm>

namespace {

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// The engine ends a solve that ran past one of its limits with this one comment.
bool EndsTooLarge(const COutputList& solution) {
    const std::optional<CommentIDType> tooLarge = ErrorComment(ProblemError::ProblemTooLarge);
    for (const auto& record : solution.Records()) {
        for (const auto& block : record->Blocks()) {
            const OutputBlockComment* comment = block->AsComment();
            if (comment != nullptr && comment->id == tooLarge) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

std::string FolderPrefix(const std::filesystem::path& folder) {
    std::string prefix = folder.string();
    if (!prefix.empty() && prefix.back() != '/') {
        prefix += '/';
    }
    return prefix;
}

std::optional<int> LanguageOfName(std::string_view name) {
    if (name == "en") {
        return kEnglishLanguage;
    }
    if (name == "ru") {
        return kRussianLanguage;
    }
    return std::nullopt;
}

std::string_view LanguageName(int language) {
    return language == kRussianLanguage ? "ru" : "en";
}

SolveService::SolveService(const std::filesystem::path& baseFolder)
    : m_texts{CommentTexts::Load(kRussianLanguage, baseFolder),
              CommentTexts::Load(kEnglishLanguage, baseFolder)},
      m_readerTexts{ReaderTexts::Load(kRussianLanguage, FolderPrefix(baseFolder)),
                    ReaderTexts::Load(kEnglishLanguage, FolderPrefix(baseFolder))} {}

const CommentTexts& SolveService::Texts(int language) const {
    return m_texts[language == kRussianLanguage ? 0 : 1];
}

std::string SolveService::ErrorText(const SolveOutcome& outcome) const {
    std::optional<CommentIDType> comment;
    switch (outcome.status) {
    case SolveOutcome::Status::Refused:
        return m_readerTexts[outcome.language == kRussianLanguage ? 0 : 1].TextAtColumn(outcome.error,
                                                                                        outcome.column);
    case SolveOutcome::Status::Blank:
        comment = ErrorComment(ProblemError::NoExpression);
        break;
    case SolveOutcome::Status::TooLarge:
        comment = ErrorComment(ProblemError::ProblemTooLarge);
        break;
    case SolveOutcome::Status::Solved:
        break;
    }
    return comment ? std::string(Texts(outcome.language).Text(*comment)) : std::string();
}

SolveOutcome SolveService::Read(std::string_view problem, int language) const {
    SolveOutcome outcome;
    outcome.language = language;
    if (IsBlank(problem)) {
        outcome.status = SolveOutcome::Status::Blank;
        return outcome;
    }
    LinearReading reading = ReadLinearNotation(problem);
    if (reading.Refused()) {
        outcome.status = SolveOutcome::Status::Refused;
        outcome.error = std::move(reading.message);
        outcome.column = reading.column;
        return outcome;
    }
    outcome.markup = std::move(reading.markup);
    return outcome;
}

SolveOutcome SolveService::Solve(const SolveRequest& request) const {
    SolveOutcome outcome = Read(request.problem, request.language);
    outcome.kind = request.kind;
    if (outcome.status != SolveOutcome::Status::Solved) {
        return outcome;
    }
    outcome.solution = std::make_shared<COutputList>();
    outcome.micros = SolveTimed(request.kind, outcome.markup, *outcome.solution);
    if (EndsTooLarge(*outcome.solution)) {
        outcome.status = SolveOutcome::Status::TooLarge;
    }
    return outcome;
}
