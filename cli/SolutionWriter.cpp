#include "cli/SolutionWriter.h"

#include "cli/JsonText.h"

namespace {

void AppendLineBlocksJson(std::string& out, const LineBlockList& lineBlocks) {
    out += "\"lineBlocks\":[";
    for (std::size_t i = 0; i < lineBlocks.size(); ++i) {
        out += i == 0 ? "[" : ",[";
        out += std::to_string(ToNumber(lineBlocks[i].kind));
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

std::string SolutionAsJson(ProblemKind kind, std::string_view problem, std::int64_t micros,
                           const COutputList& solution, const CommentTexts& texts) {
    std::string out = "{\"kind\":" + std::to_string(ToNumber(kind)) + ",\"problem\":";
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
