#pragma once

// The command line of orbelin-solve:
//
//   orbelin-solve [--kind equation|factor|factor-full|simplify|0|1|2|3] [--lang en|ru]
//                 [--json] [--markup] [--editor|--compact] PROBLEM
//   orbelin-solve --batch FILE|-          one problem a line: KIND<TAB>PROBLEM
//   orbelin-solve --format text|markdown|latex|latex-fragment|html|html-fragment [--output FILE] PROBLEM
//   orbelin-solve --check [--kind …] [--json] FILE|-   a problem, then a pupil's lines to check
//
// Options are described by one table (CommandLineOptions); an option is added by adding an entry
// to it and a field to CommandLine.

#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
#include "solver/SolveProblem.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the problem is typed: standard linear notation (read by markup/LinearNotation.h), the
// formula editor's typed form (converted as the editor's Solve converts it), or compact markup
// handed over as it is.
enum class ProblemForm { Linear, Editor, Compact };

struct CommandLine {
    ProblemKind kind = ProblemKind::Equation;
    int language = kEnglishLanguage;
    bool json = false;
    ProblemForm form = ProblemForm::Linear;
    // Formulas of the text output as their markup instead of readable mathematics.
    bool markupOutput = false;
    // "-" reads the batch from standard input.
    std::optional<std::string> batchSource;
    // The problem: the words that are not options, joined by single blanks. Absent when there were
    // none (an empty word is a problem: the empty one).
    std::optional<std::string> problem;
    bool helpRequested = false;
    bool versionRequested = false;
    // --check: the words that are not options name the file of the solution to check ("-" for
    // standard input).
    bool check = false;
    // --render: the file the solution is drawn into (.png, .svg or .pdf) instead of being written out.
    std::optional<std::string> renderPath;
    // --scale: how many pixels of the PNG a pixel of the screen becomes.
    double renderScale = 1.0;
    // --format: the solution written as a document of this format instead of the terminal's text.
    std::optional<ExportFormat> exportFormat;
    // --output: the file the solution is written into instead of standard output.
    std::optional<std::string> outputPath;
};

struct CommandLineResult {
    // Present when the command line can be used.
    std::optional<CommandLine> commandLine;
    // Why it cannot, for standard error.
    std::string error;
};

// One option of the table. A value option takes the next word or the text after "=".
// apply returns an error message, or nothing when the value was taken.
struct CommandLineOption {
    std::string_view name;
    bool takesValue = false;
    std::function<std::optional<std::string>(CommandLine&, const std::string& value)> apply;
};

// The option table.
const std::vector<CommandLineOption>& CommandLineOptions();

// Reads the words after the program name. A word that starts with "--" is an option ("--" alone
// ends the options); any other word, including one that starts with a single "-" such as "-x+1=0",
// is part of the problem.
CommandLineResult ParseCommandLine(const std::vector<std::string>& words);

// The usage text printed by --help and after a command line that cannot be used.
std::string UsageText();
