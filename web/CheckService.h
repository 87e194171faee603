#pragma once

// Checking a pupil's solution for the web: the problem, the pupil's lines, the kind and the language
// in, the verdict of every line out, by the checker the command line's --check uses. The problem is
// read first as a solve reads it, so a problem the reader refuses is answered as a solve would
// answer it. The check texts of both languages are read once; nothing is kept between two checks.

#include "checker/CheckTexts.h"
#include "checker/SolutionCheck.h"
#include "cli/CheckCommand.h"
#include "web/SolveService.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

struct CheckRequest {
    ProblemKind kind = ProblemKind::Equation;
    int language = 1;
    std::string problem;
    // The pupil's lines in linear notation, one a line ("\n" or "\r\n" between them).
    std::string lines;
};

struct CheckOutcome {
    // The problem as read: status Solved when it could be read, otherwise why not.
    SolveOutcome problem;
    // The verdicts; absent when the problem could not be read.
    std::optional<SolutionCheck> check;
};

class CheckService {
public:
    // solving gives the reader's and the solver's texts; the check texts are read from the language
    // files under baseFolder.
    CheckService(const SolveService& solving, const std::filesystem::path& baseFolder);

    CheckOutcome Check(const CheckRequest& request) const;

    const SolveService& Solving() const { return m_solving; }
    const CheckTexts& Texts(int language) const;
    // The texts a check in language is written with, as orbelin-solve --check writes it.
    CheckWriting Writing(int language) const;

private:
    const SolveService& m_solving;
    std::array<CheckTexts, 2> m_texts;
};
