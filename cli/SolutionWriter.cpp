#include "cli/SolutionWriter.h"

#include "cli/FormulaText.h"
#include "cli/JsonText.h"

namespace {

void AppendBlockText(std::string& out, const OutputBlock& block, const CommentTexts& texts,
                     const TextOptions& options) {
    if (const OutputBlockFormula* formula = block.AsFormula()) {
        out += options.markup ? FormulaToUtf8(formula->text) : ReadableFormula(formula->text, options.style);
        return;
    }
    const OutputBlockComment* comment = block.AsComment();
    const std::string_view text = texts.Text(comment->id);
    if (text.empty()) {
        out += '[' + std::to_string(ToNumber(comment->id)) + ']';
    } else {
        out += text;
    }
}

void AppendRecordText(std::string& out, const COutputRecord& record, const CommentTexts& texts,
                      const TextOptions& options) {
    out.append(2 * record.IndentLevel(), ' ');
    bool first = true;
    for (const auto& block : record.Blocks()) {
        if (!first) {
            out += ' ';
        }
        first = false;
        AppendBlockText(out, *block, texts, options);
    }
    out += '\n';
}

void AppendLineBlocksJson(std::string& out, const LineBlockList& lineBlocks) {
    out += "\"lineBlocks\":[";
    for (std::size_t i = 0; i < lineBlocks.size(); ++i) {
        out += i == 0 ? "[" : ",[";
        out += std::to_string(lineBlocks[i].kind);
        out += ',';
        out += std::to_string(lineBlocks[i].number);
        out += ']';
    }
    out += ']';
}

void AppendBlockJson(std::string& out, const OutputBlock& block, const CommentTexts& texts) {
    if (const OutputBlockFormula* formula = block.AsFormula()) {
        out += "{\"formula\":";
        AppendJsonByteString(out, formula->text);
        out += ",\"spoken\":";
        out += formula->spoken ? '1' : '0';
        out += '}';
        return;
    }
    const OutputBlockComment* comment = block.AsComment();
    out += "{\"comment\":";
    out += std::to_string(ToNumber(comment->id));
    out += ",\"alwaysShown\":";
    out += comment->alwaysShown ? '1' : '0';
    out += ",\"spoken\":";
    out += comment->spoken ? '1' : '0';
    out += ",\"text\":";
    AppendJsonUtf8String(out, texts.Text(comment->id));
    out += '}';
}

void AppendRecordJson(std::string& out, const COutputRecord& record, const CommentTexts& texts) {
    out += '{';
    AppendLineBlocksJson(out, record.lineBlocks);
    out += ",\"blocks\":[";
    bool first = true;
    for (const auto& block : record.Blocks()) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendBlockJson(out, *block, texts);
    }
    out += "]}";
}

} // namespace

std::string SolutionAsText(const COutputList& solution, const CommentTexts& texts,
                           const TextOptions& options) {
    std::string out;
    for (const auto& record : solution.Records()) {
        AppendRecordText(out, *record, texts, options);
    }
    return out;
}

std::string SolutionAsJson(int kind, std::string_view problem, std::int64_t micros,
                           const COutputList& solution, const CommentTexts& texts) {
    std::string out = "{\"kind\":" + std::to_string(kind) + ",\"problem\":";
    AppendJsonByteString(out, problem);
    out += ",\"micros\":" + std::to_string(micros) + ",\"records\":[";
    bool first = true;
    for (const auto& record : solution.Records()) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendRecordJson(out, *record, texts);
    }
    out += "]}";
    return out;
}
