#pragma once

// Solving for the web: a problem in linear notation, its kind and its language in, the solution
// (or the reason there is none) out. The comment texts of both languages are read once, when the
// service is made, and only read afterwards, so one service answers any number of threads at once.
// Nothing is kept between two solves.

#include "export/CommentTexts.h"
#include "markup/ReaderTexts.h"
#include "output/COutputList.h"
#include "solver/ProblemKind.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// What one solve request asks for, its fields already checked.
struct SolveRequest {
    ProblemKind kind = ProblemKind::Equation;
    int language = 1;
    // The problem as the pupil typed it, in linear notation (UTF-8).
    std::string problem;
};

struct SolveOutcome {
    enum class Status {
        Solved,   // solution holds the records (an error comment of the engine is part of them)
        Refused,  // the reader refused the text: error and column say why and where
        Blank,    // nothing was typed
        TooLarge, // the solve ran past a limit of the engine: the work budget, a size
    };
    Status status = Status::Solved;
    ProblemKind kind = ProblemKind::Equation;
    int language = 1;
    // The markup handed to the solver.
    std::string markup;
    // The reader's refusal, written in the outcome's language by ErrorText.
    ReaderMessage error;
    // 1-based, in characters of the problem; 0 when the error has no place.
    std::size_t column = 0;
    std::int64_t micros = 0;
    std::shared_ptr<COutputList> solution;
};

class SolveService {
public:
    // The comment texts are read from the language files under baseFolder ("Res/…").
    explicit SolveService(const std::filesystem::path& baseFolder);

    SolveOutcome Solve(const SolveRequest& request) const;

    // Reads the problem without solving it: the markup, or the reader's error.
    SolveOutcome Read(std::string_view problem, int language) const;

    const CommentTexts& Texts(int language) const;

    // Why an outcome has no solution, in its language: the reader's message with its column, or the
    // engine's own comment text for a blank problem or one past the engine's limits.
    std::string ErrorText(const SolveOutcome& outcome) const;

private:
    std::array<CommentTexts, 2> m_texts;
    std::array<ReaderTexts, 2> m_readerTexts;
};

// The folder as the language-file readers take it: "" or ending in "/".
std::string FolderPrefix(const std::filesystem::path& folder);

// "en" or "ru".
std::optional<int> LanguageOfName(std::string_view name);
std::string_view LanguageName(int language);
