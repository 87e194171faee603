#include "cli/CommandLine.h"

#include "cli/Render.h"

#ifdef ORBELIN_WITH_RENDER
#include "display/SolutionRenderer.h"
#endif

#include <algorithm>
#include <exception>
#include <string>

namespace {

std::optional<std::string> ApplyKind(CommandLine& commandLine, const std::string& value) {
    const std::optional<ProblemKind> kind = ParseKindName(value);
    if (!kind) {
        return "unknown kind \"" + value + "\" (equation, factor, factor-full, simplify or 0 to 3)";
    }
    commandLine.kind = *kind;
    return std::nullopt;
}

std::optional<std::string> ApplyLanguage(CommandLine& commandLine, const std::string& value) {
    if (value == "en") {
        commandLine.language = kEnglishLanguage;
    } else if (value == "ru") {
        commandLine.language = kRussianLanguage;
    } else {
        return "unknown language \"" + value + "\" (en or ru)";
    }
    return std::nullopt;
}

std::optional<std::string> ApplyBatch(CommandLine& commandLine, const std::string& value) {
    if (value.empty()) {
        return "--batch needs a file name or \"-\"";
    }
    commandLine.batchSource = value;
    return std::nullopt;
}

#ifdef ORBELIN_WITH_RENDER
std::optional<std::string> ApplyRender(CommandLine& commandLine, const std::string& value) {
    if (std::optional<std::string> problem = CheckRenderPath(value)) {
        return problem;
    }
    commandLine.renderPath = value;
    return std::nullopt;
}
#endif

std::optional<std::string> ApplyFormat(CommandLine& commandLine, const std::string& value) {
    const std::optional<ExportFormat> format = ExportFormatNamed(value);
    if (!format) {
        return "unknown format \"" + value +
               "\" (text, markdown, latex, latex-fragment, html or html-fragment)";
    }
    commandLine.exportFormat = format;
    return std::nullopt;
}

std::optional<std::string> ApplyOutput(CommandLine& commandLine, const std::string& value) {
    if (value.empty()) {
        return "--output needs a file name";
    }
    commandLine.outputPath = value;
    return std::nullopt;
}

#ifdef ORBELIN_WITH_RENDER
std::optional<std::string> ApplyScale(CommandLine& commandLine, const std::string& value) {
    std::size_t used = 0;
    double scale = 0;
    try {
        scale = std::stod(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != value.size() || !(scale >= kMinRenderScale && scale <= kMaxRenderScale)) {
        return "--scale needs a number from 0.25 to 8, not \"" + value + "\"";
    }
    commandLine.renderScale = scale;
    return std::nullopt;
}
#endif

std::optional<std::string> SetForm(CommandLine& commandLine, ProblemForm form) {
    if (commandLine.form != ProblemForm::Linear && commandLine.form != form) {
        return "--editor and --compact exclude each other";
    }
    commandLine.form = form;
    return std::nullopt;
}

const CommandLineOption* FindOption(std::string_view name) {
    const auto& options = CommandLineOptions();
    const auto found = std::find_if(options.begin(), options.end(),
                                    [name](const CommandLineOption& option) { return option.name == name; });
    return found == options.end() ? nullptr : &*found;
}

void AppendProblemWord(CommandLine& commandLine, const std::string& word) {
    if (commandLine.problem) {
        *commandLine.problem += ' ';
        *commandLine.problem += word;
    } else {
        commandLine.problem = word;
    }
}

CommandLineResult Failure(std::string message) {
    return CommandLineResult{std::nullopt, std::move(message)};
}

// Combinations that no single option can judge.
std::optional<std::string> CheckCombination(const CommandLine& commandLine) {
    if (commandLine.helpRequested || commandLine.versionRequested) {
        return std::nullopt;
    }
    if (commandLine.batchSource && commandLine.problem) {
        return "--batch reads its problems from the batch; no PROBLEM may follow";
    }
    if (commandLine.batchSource && commandLine.renderPath) {
        return "--render draws the solution of one PROBLEM, not a batch";
    }
    if (commandLine.check && (commandLine.batchSource || commandLine.renderPath)) {
        return "--check reads one solution; it takes neither --batch nor --render";
    }
    if (commandLine.check && !commandLine.problem) {
        return "--check needs the file of the solution, or \"-\" for standard input";
    }
    if (!commandLine.batchSource && !commandLine.problem) {
        return "no PROBLEM given";
    }
    if (commandLine.exportFormat && (commandLine.json || commandLine.batchSource || commandLine.renderPath)) {
        return "--format writes one solution as a document; it goes with neither --json, --batch nor "
               "--render";
    }
    if (commandLine.exportFormat && commandLine.markupOutput &&
        *commandLine.exportFormat != ExportFormat::Text) {
        return "--markup changes only the text format";
    }
    if (commandLine.outputPath && (commandLine.batchSource || commandLine.renderPath)) {
        return "--output writes the solution of one PROBLEM; --render names its own file";
    }
#ifdef ORBELIN_WITH_RENDER
    if (commandLine.renderScale != 1.0 && !(commandLine.renderPath && IsPngPath(*commandLine.renderPath))) {
        return "--scale sets the size of a PNG drawn by --render";
    }
#endif
    return std::nullopt;
}

} // namespace

const std::vector<CommandLineOption>& CommandLineOptions() {
    static const std::vector<CommandLineOption> options = {
        {"--kind", true, ApplyKind},
        {"--lang", true, ApplyLanguage},
        {"--batch", true, ApplyBatch},
#ifdef ORBELIN_WITH_RENDER
        {"--render", true, ApplyRender},
        {"--scale", true, ApplyScale},
#endif
        {"--format", true, ApplyFormat},
        {"--output", true, ApplyOutput},
        {"--json", false,
         [](CommandLine& commandLine, const std::string&) -> std::optional<std::string> {
             commandLine.json = true;
             return std::nullopt;
         }},
        {"--check", false,
         [](CommandLine& commandLine, const std::string&) -> std::optional<std::string> {
             commandLine.check = true;
             return std::nullopt;
         }},
        {"--editor", false,
         [](CommandLine& commandLine, const std::string&) {
             return SetForm(commandLine, ProblemForm::Editor);
         }},
        {"--compact", false,
         [](CommandLine& commandLine, const std::string&) {
             return SetForm(commandLine, ProblemForm::Compact);
         }},
        {"--markup", false,
         [](CommandLine& commandLine, const std::string&) -> std::optional<std::string> {
             commandLine.markupOutput = true;
             return std::nullopt;
         }},
        {"--help", false,
         [](CommandLine& commandLine, const std::string&) -> std::optional<std::string> {
             commandLine.helpRequested = true;
             return std::nullopt;
         }},
        {"--version", false,
         [](CommandLine& commandLine, const std::string&) -> std::optional<std::string> {
             commandLine.versionRequested = true;
             return std::nullopt;
         }},
    };
    return options;
}

CommandLineResult ParseCommandLine(const std::vector<std::string>& words) {
    CommandLine commandLine;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            AppendProblemWord(commandLine, word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const CommandLineOption* option = FindOption(name);
        if (!option) {
            return Failure("unknown option " + name);
        }
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue) {
                return Failure(name + " takes no value");
            }
            value = word.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 >= words.size()) {
                return Failure(name + " needs a value");
            }
            value = words[++i];
        }
        if (std::optional<std::string> error = option->apply(commandLine, value)) {
            return Failure(std::move(*error));
        }
    }
    if (std::optional<std::string> error = CheckCombination(commandLine)) {
        return Failure(std::move(*error));
    }
    return CommandLineResult{std::move(commandLine), {}};
}

std::string UsageText() {
    return "usage: orbelin-solve [--kind equation|factor|factor-full|simplify|0|1|2|3] [--lang en|ru]\n"
           "                     [--json] [--markup] [--editor|--compact] PROBLEM\n"
           "       orbelin-solve --batch FILE|-     one problem a line: KIND<TAB>PROBLEM\n"
           "       orbelin-solve --format FORMAT [--output FILE] [--kind ...] [--lang ...] PROBLEM\n"
           "       orbelin-solve --check [--kind ...] [--lang ...] [--json] FILE|-\n"
#ifdef ORBELIN_WITH_RENDER
           "       orbelin-solve --render OUT.png|OUT.svg|OUT.pdf [--scale S] [--kind ...] [--lang ...] "
           "PROBLEM\n"
#endif
           "\n"
           "Solves a school algebra problem step by step: an equation (the default), a polynomial\n"
           "to factorise (factor), to factorise completely (factor-full), or an expression to\n"
           "simplify (simplify).\n"
           "\n"
           "PROBLEM is written in the usual linear notation; blanks are optional:\n"
           "  2x^2 - 3x + 1 = 0      implicit products: 2x, x(x+1), (x+1)(x-1), 2(x+1)^2\n"
           "  (a-b)/(a+b) + 1/2      / and : divide, left to right: 2x/4/3 is (2x/4)/3\n"
           "  x^-1 + 0.5x**2         ^ or ** for powers (2^3^2 is 2^9); decimals with . or ,\n"
           "  2 1/3 + x              a mixed number; also 2@{1/3}\n"
           "  x\u00B2 \u2212 4 \u2260 0             the signs people paste: \u2212 \u00D7 \u00B7 \u00F7 "
           "\u00B2 \u00B3 \u2260 \u2264 \u2265\n"
           "Roots and functions (sqrt, sin, ...) cannot stand in a problem. A text that cannot be\n"
           "read is refused with the column of the fault and exit status 2.\n"
           "\n"
           "  --kind K      the kind of problem (default: equation)\n"
           "  --lang L      the language of the comments: en (default) or ru\n"
           "  --json        one JSON object with every record of the solution\n"
           "  --markup      formulas as their markup instead of readable mathematics\n"
           "  --editor      PROBLEM is the formula editor's typed form, converted as the editor does\n"
           "  --compact     PROBLEM is compact markup, handed to the solver unchanged\n"
           "  --batch F     solves every line of F (or of standard input for -), one JSON object each\n"
           "  --format F    the solution as a document: text, markdown (LaTeX maths between $),\n"
           "                latex (a whole document), latex-fragment (its body), html (one page,\n"
           "                formulas in MathML) or html-fragment (the solution's <div>)\n"
           "  --output FILE writes the solution into FILE instead of standard output\n"
           "  --check F     checks a pupil's solution: the problem on the first line of F (or of\n"
           "                standard input for -), the pupil's lines after it; one verdict a line\n"
#ifdef ORBELIN_WITH_RENDER
           "  --render OUT  draws the solution into a PNG, SVG or PDF file\n"
           "  --scale S     the PNG's scale against the screen, 0.25 to 8 (2 for slides)\n"
#endif
           "  --help        this text\n"
           "  --version     the version\n"
           "\n"
           "Example: orbelin-solve --format latex --output roots.tex --lang ru \"x^2 - 5x + 6 = 0\"\n"
           "\n"
           "Words that start with a single \"-\" belong to the problem; \"--\" ends the options.\n"
           "A blank problem is solved as the error \"there is no expression\".\n"
           "Exit status: 0 when a solution was produced (an error comment is part of a solution),\n"
           "1 when a batch had lines that could not be used or the output (or the file of\n"
           "--render) could not be written, 2 for a command line or a problem text that cannot be\n"
           "used.\n"
           "--check exits 0 when every line is right and the solution finished, 3 when a line is\n"
           "wrong or the solution unfinished, 2 when a line cannot be read.\n"
           "When the reader of the output goes away (a closed pipe, as after head), the program\n"
           "ends at once on the signal SIGPIPE, as other commands do.\n";
}
