#include "cli/CommentTexts.h"

std::string_view CommentTexts::Text(CommentIDType id) const {
    const auto index = static_cast<std::size_t>(ToNumber(id));
    if (ToNumber(id) < 0 || index >= texts.size()) {
        return {};
    }
    return texts[index];
}

void CommentTexts::SetText(CommentIDType id, std::string text) {
    if (ToNumber(id) < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(ToNumber(id));
    if (index >= texts.size()) {
        texts.resize(index + 1);
    }
    texts[index] = std::move(text);
}

CommentTexts CommentTexts::Load(int /*language*/, const std::filesystem::path& /*baseFolder*/) {
    // The language files are read once their loader exists; until then no comment has a text.
    return CommentTexts();
}
