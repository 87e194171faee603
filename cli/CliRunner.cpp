#include "cli/CliRunner.h"

#include "cli/CheckCommand.h"
#include "cli/JsonText.h"
#include "cli/MessageText.h"
#include "export/OutputFile.h"
#include "cli/Render.h"
#include "cli/SolutionWriter.h"
#include "markup/EditorConversion.h"
#include "markup/LinearNotation.h"
#include "model/EngineLimits.h"
#include "output/CommentID.h"
#include "solver/SolveProblem.h"

#include <chrono>
#include <fstream>
#include <istream>
#include <ostream>

ProblemReading ReadProblem(const std::string& typed, ProblemForm form) {
    switch (form) {
    case ProblemForm::Editor: {
        std::string text = typed;
        ConvertEditorText(text);
        return ProblemReading{std::move(text), {}};
    }
    case ProblemForm::Compact:
        return ProblemReading{typed, {}};
    case ProblemForm::Linear:
        break;
    }
    LinearReading reading = ReadLinearNotation(typed);
    if (reading.Refused()) {
        return ProblemReading{{}, "column " + std::to_string(reading.column) + ": " + reading.error};
    }
    return ProblemReading{std::move(reading.markup), {}};
}

bool IsBlankProblem(const std::string& problem) {
    return problem.find_first_not_of(" \t") == std::string::npos;
}

std::int64_t SolveTimed(ProblemKind kind, const std::string& problem, COutputList& solution) {
    const auto start = std::chrono::steady_clock::now();
    if (IsBlankProblem(problem)) {
        // The engine answers a blank problem with an empty solution, which the desktop program's
        // empty editor needs; asked for a solution here, it is the error of a missing expression.
        solution.AddComment(nullptr, CommentID::ErrorNoExpression, true, false);
    } else {
        SolveProblem(kind, problem, &solution);
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::microseconds>(end - start).count();
}

BatchLine ParseBatchLine(const std::string& line, ProblemKind defaultKind) {
    BatchLine batchLine;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
        batchLine.kind = defaultKind;
        batchLine.problem = line;
        return batchLine;
    }
    batchLine.kindText = line.substr(0, tab);
    batchLine.kind = ParseKindName(batchLine.kindText);
    batchLine.problem = line.substr(tab + 1);
    return batchLine;
}

namespace {

void WriteUnusableLine(std::ostream& out, std::ostream& err, std::size_t lineNumber,
                       const std::string& message) {
    std::string object = "{\"line\":" + std::to_string(lineNumber) + ",\"error\":";
    AppendJsonByteString(object, message);
    object += "}\n";
    out << object << std::flush;
    WriteMessage(err, "batch line " + std::to_string(lineNumber) + ": " + message);
}

void StripLineEnd(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

// The longest batch line kept: the longest problem text.
constexpr std::size_t kMaxBatchLineLength = EngineLimits::kMaxProblemTextLength;

enum class BatchLineRead { Line, TooLong, End };

// Reads one line of a batch without its end into line. Reading stops once the line passes
// kMaxBatchLineLength, so that no line, however long (a file without line ends), takes more
// memory than the longest problem; the rest of such a line is left for SkipRestOfLine.
BatchLineRead ReadBatchLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf& buffer = *in.rdbuf();
    constexpr auto kEnd = std::char_traits<char>::eof();
    auto c = buffer.sbumpc();
    if (c == kEnd) {
        in.setstate(std::ios::eofbit);
        return BatchLineRead::End;
    }
    for (; c != kEnd && c != '\n'; c = buffer.sbumpc()) {
        if (line.size() == kMaxBatchLineLength) {
            return BatchLineRead::TooLong;
        }
        line.push_back(static_cast<char>(c));
    }
    return BatchLineRead::Line;
}

void SkipRestOfLine(std::istream& in) {
    std::streambuf& buffer = *in.rdbuf();
    constexpr auto kEnd = std::char_traits<char>::eof();
    for (auto c = buffer.sbumpc(); c != kEnd && c != '\n'; c = buffer.sbumpc()) {
    }
}

// Flushes out; a write that failed on the way or now ends the program with a message.
int CheckedFlush(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) {
        return kExitSolved;
    }
    WriteMessage(err, "the output cannot be written");
    return kExitOutputFailed;
}

TextOptions TextOptionsOf(const CommandLine& commandLine, bool outputIsTerminal) {
    TextOptions options;
    options.markup = commandLine.markupOutput;
    options.style.strike =
        outputIsTerminal ? ReadableStyle::Strike::Terminal : ReadableStyle::Strike::CombiningStroke;
    options.style.decimalSeparator = commandLine.language == kRussianLanguage ? ',' : '.';
    return options;
}

int SolveOne(const CommandLine& commandLine, const CommentTexts& texts, std::ostream& out, std::ostream& err,
             bool outputIsTerminal) {
    const ProblemReading problem = ReadProblem(*commandLine.problem, commandLine.form);
    if (!problem.error.empty()) {
        WriteMessage(err, problem.error);
        return kExitCommandLineUnusable;
    }
    COutputList solution;
    const std::int64_t micros = SolveTimed(commandLine.kind, problem.text, solution);
    // The terminal's strike-through only where the text goes to the terminal itself.
    const bool toTerminal = outputIsTerminal && !commandLine.outputPath;
    std::string written;
    if (commandLine.json) {
        written = SolutionAsJson(commandLine.kind, problem.text, micros, solution, texts) + '\n';
    } else if (commandLine.exportFormat && *commandLine.exportFormat != ExportFormat::Text) {
        ExportOptions options;
        options.format = *commandLine.exportFormat;
        options.language = commandLine.language;
        written = ExportSolution(solution, texts, options);
    } else {
        written = SolutionAsText(solution, texts, TextOptionsOf(commandLine, toTerminal));
    }
    if (commandLine.outputPath) {
        if (const std::string failure = WriteOutputFile(*commandLine.outputPath, written); !failure.empty()) {
            WriteMessage(err, failure);
            return kExitOutputFailed;
        }
        return kExitSolved;
    }
    out << written;
    return CheckedFlush(out, err);
}

// Opens the file named on the command line; false, with a message on err, when it cannot be read.
bool OpenSource(const std::string& name, std::ifstream& file, std::ostream& err) {
    // A folder opens like a file but reads as empty: it is refused before it is opened.
    std::error_code error;
    if (!std::filesystem::is_directory(name, error)) {
        file.open(name, std::ios::binary);
    }
    if (!file.is_open() || !file) {
        WriteMessage(err, "cannot read " + name);
        return false;
    }
    return true;
}

int SolveBatchSource(const CommandLine& commandLine, const CommentTexts& texts, std::istream& in,
                     std::ostream& out, std::ostream& err) {
    if (*commandLine.batchSource == "-") {
        return RunBatch(in, out, err, commandLine, texts);
    }
    std::ifstream file;
    if (!OpenSource(*commandLine.batchSource, file, err)) {
        return kExitCommandLineUnusable;
    }
    return RunBatch(file, out, err, commandLine, texts);
}

int CheckSource(const CommandLine& commandLine, const CommentTexts& texts,
                const std::filesystem::path& baseFolder, std::istream& in, std::ostream& out,
                std::ostream& err) {
    std::string folder = baseFolder.string();
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    const CheckTexts checkTexts = CheckTexts::Load(commandLine.language, folder);
    const CheckWriting writing{checkTexts, texts, TextOptionsOf(commandLine, false).style};
    std::ifstream file;
    if (*commandLine.problem != "-" && !OpenSource(*commandLine.problem, file, err)) {
        return kExitCommandLineUnusable;
    }
    const int status = RunCheck(*commandLine.problem == "-" ? in : file, out, err, commandLine, writing);
    const int flushed = CheckedFlush(out, err);
    return flushed != kExitSolved ? flushed : status;
}

#ifdef ORBELIN_WITH_RENDER
// Solves the command line's problem and draws its solution into the command line's render path.
int SolveAndRender(const CommandLine& commandLine, const std::filesystem::path& baseFolder,
                   std::ostream& err) {
    const ProblemReading problem = ReadProblem(*commandLine.problem, commandLine.form);
    if (!problem.error.empty()) {
        WriteMessage(err, problem.error);
        return kExitCommandLineUnusable;
    }
    COutputList solution;
    SolveTimed(commandLine.kind, problem.text, solution);
    return RenderSolutionFile(solution, commandLine.language, baseFolder, *commandLine.renderPath, err,
                              commandLine.renderScale);
}
#endif

} // namespace

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const CommandLine& commandLine,
             const CommentTexts& texts) {
    int status = kExitSolved;
    std::string line;
    std::string object;
    BatchLineRead read = BatchLineRead::Line;
    for (std::size_t lineNumber = 1; out && (read = ReadBatchLine(in, line)) != BatchLineRead::End;
         ++lineNumber) {
        if (read == BatchLineRead::TooLong) {
            WriteUnusableLine(out, err, lineNumber,
                              "the line is longer than " + std::to_string(kMaxBatchLineLength) +
                                  " characters");
            status = kExitBatchLinesUnusable;
            SkipRestOfLine(in);
            continue;
        }
        StripLineEnd(line);
        const BatchLine batchLine = ParseBatchLine(line, commandLine.kind);
        if (!batchLine.kind) {
            WriteUnusableLine(out, err, lineNumber, "unknown kind \"" + batchLine.kindText + "\"");
            status = kExitBatchLinesUnusable;
            continue;
        }
        const ProblemReading problem = ReadProblem(batchLine.problem, commandLine.form);
        if (!problem.error.empty()) {
            WriteUnusableLine(out, err, lineNumber, problem.error);
            status = kExitBatchLinesUnusable;
            continue;
        }
        COutputList solution;
        const std::int64_t micros = SolveTimed(*batchLine.kind, problem.text, solution);
        object = SolutionAsJson(*batchLine.kind, problem.text, micros, solution, texts);
        object += '\n';
        // Each answer is out as soon as its line is solved: a later line that ends the program
        // takes nothing already solved with it.
        out << object << std::flush;
    }
    if (in.bad()) {
        WriteMessage(err, "the batch cannot be read");
        status = kExitCommandLineUnusable;
    }
    const int written = CheckedFlush(out, err);
    return written != kExitSolved ? written : status;
}

int RunCommandLine(const std::vector<std::string>& words, const std::filesystem::path& baseFolder,
                   std::istream& in, std::ostream& out, std::ostream& err, bool outputIsTerminal) {
    const CommandLineResult parsed = ParseCommandLine(words);
    if (!parsed.commandLine) {
        WriteMessage(err, parsed.error);
        err << '\n' << UsageText();
        return kExitCommandLineUnusable;
    }
    const CommandLine& commandLine = *parsed.commandLine;
    if (commandLine.helpRequested) {
        out << UsageText();
        return CheckedFlush(out, err);
    }
    if (commandLine.versionRequested) {
        out << "orbelin-solve " << ORBELIN_VERSION << '\n';
        return CheckedFlush(out, err);
    }
    const CommentTexts texts = CommentTexts::Load(commandLine.language, baseFolder);
    if (commandLine.batchSource) {
        return SolveBatchSource(commandLine, texts, in, out, err);
    }
    if (commandLine.check) {
        return CheckSource(commandLine, texts, baseFolder, in, out, err);
    }
#ifdef ORBELIN_WITH_RENDER
    if (commandLine.renderPath) {
        return SolveAndRender(commandLine, baseFolder, err);
    }
#endif
    return SolveOne(commandLine, texts, out, err, outputIsTerminal);
}
