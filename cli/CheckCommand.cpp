#include "cli/CheckCommand.h"

#include "cli/CliRunner.h"
#include "cli/JsonText.h"
#include "markup/EditorConversion.h"
#include "model/EngineLimits.h"

#include <istream>
#include <ostream>

const char* VerdictMark(LineVerdict verdict) {
    switch (verdict) {
    case LineVerdict::Right:
        return "\u2713";
    case LineVerdict::Wrong:
    case LineVerdict::Unreadable:
        return "\u2717";
    case LineVerdict::NotChecked:
        return "?";
    }
    return "?";
}

namespace {

const CheckedLine* FirstWrongLine(const SolutionCheck& check) {
    for (const CheckedLine& line : check.lines) {
        if (line.verdict == LineVerdict::Wrong || line.verdict == LineVerdict::Unreadable) {
            return &line;
        }
    }
    return nullptr;
}

} // namespace

std::string CheckSummary(const SolutionCheck& check, const CheckTexts& texts) {
    if (check.problemError) {
        return texts.Text(*check.problemError);
    }
    if (check.finished) {
        return texts.Text(CheckMessage{CheckMessageID::Finished, {}});
    }
    if (const CheckedLine* wrong = FirstWrongLine(check)) {
        return texts.Text(CheckMessage{CheckMessageID::WrongFromLine, {std::to_string(wrong->number)}});
    }
    if (check.next) {
        return texts.Text(CheckMessage{CheckMessageID::NotFinished, {}});
    }
    return {};
}

namespace {

std::string LineText(const std::string& text, LineForm form) {
    return form == LineForm::Markup ? ReadableFormula(text, ReadableStyle{}) : text;
}

} // namespace

std::string CheckAsText(const SolutionCheck& check, LineForm form, const CheckWriting& writing) {
    std::string text;
    for (const CheckedLine& line : check.lines) {
        text += VerdictMark(line.verdict);
        text += ' ' + std::to_string(line.number) + ": " + LineText(line.text, form);
        if (line.verdict != LineVerdict::Right) {
            text += " \u2014 " + writing.checkTexts.Text(line.message);
        }
        text += '\n';
    }
    if (const std::string summary = CheckSummary(check, writing.checkTexts); !summary.empty()) {
        text += summary + '\n';
    }
    if (check.next) {
        for (const CommentIDType comment : check.next->comments) {
            text += "  " + std::string(writing.commentTexts.Text(comment)) + '\n';
        }
        text += "  " + ReadableFormula(check.next->formula, writing.style) + '\n';
    }
    return text;
}

std::string CheckAsJson(const SolutionCheck& check, int language, LineForm form,
                        const CheckWriting& writing) {
    std::string json = "{\"kind\":" + std::to_string(ToNumber(check.kind)) + ",\"lang\":\"" +
                       (language == kRussianLanguage ? "ru" : "en") + "\",\"lines\":[";
    for (std::size_t i = 0; i < check.lines.size(); ++i) {
        const CheckedLine& line = check.lines[i];
        json += i == 0 ? "{" : ",{";
        json += "\"line\":" + std::to_string(line.number) + ",\"text\":";
        if (form == LineForm::Markup) {
            AppendJsonByteString(json, line.text);
        } else {
            AppendJsonUtf8String(json, line.text);
        }
        json += ",\"right\":";
        json += line.verdict == LineVerdict::Right        ? "true"
                : line.verdict == LineVerdict::NotChecked ? "null"
                                                          : "false";
        json += ",\"message\":";
        AppendJsonUtf8String(json, writing.checkTexts.Text(line.message));
        json += '}';
    }
    json += "],\"finished\":";
    json += check.finished ? "true" : "false";
    json += ",\"next\":";
    if (!check.next) {
        json += "null";
    } else {
        json += "{\"comments\":[";
        for (std::size_t i = 0; i < check.next->comments.size(); ++i) {
            json += i == 0 ? "" : ",";
            AppendJsonUtf8String(json, writing.commentTexts.Text(check.next->comments[i]));
        }
        json += "],\"formula\":";
        AppendJsonUtf8String(json, ReadableFormula(check.next->formula, writing.style));
        json += '}';
    }
    return json + '}';
}

int CheckExitStatus(const SolutionCheck& check) {
    if (check.AnyUnreadable()) {
        return kExitCheckUnreadable;
    }
    return check.finished ? kExitCheckedRight : kExitCheckedNotRight;
}

std::vector<std::string> ReadCheckLines(std::istream& in, ProblemForm form, std::vector<std::string> lines) {
    for (std::string line; lines.size() <= EngineLimits::kMaxCheckedLines && std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // The editor's typed form is converted line by line as the editor's Solve converts it.
        if (form == ProblemForm::Editor) {
            ConvertEditorText(line);
        }
        lines.push_back(line);
    }
    return lines;
}

int RunCheck(std::istream& in, std::ostream& out, std::ostream& err, const CommandLine& commandLine,
             const CheckWriting& writing) {
    const LineForm form = commandLine.form == ProblemForm::Linear ? LineForm::Linear : LineForm::Markup;
    const std::vector<std::string> lines = ReadCheckLines(in, commandLine.form);
    const SolutionCheck check = CheckSolution(commandLine.kind, lines, form);
    if (check.problemError && check.problemError->id == CheckMessageID::Unreadable) {
        err << "orbelin-solve: line 1: " << writing.checkTexts.Text(*check.problemError) << '\n';
        return kExitCheckUnreadable;
    }
    out << (commandLine.json ? CheckAsJson(check, commandLine.language, form, writing) + '\n'
                             : CheckAsText(check, form, writing));
    return CheckExitStatus(check);
}
