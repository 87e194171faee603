#pragma once

// The undo and redo history of the formula editor: the text and the caret before every edit that
// changed the text. An edit after an undo drops what could have been redone.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct EditorState {
    std::string text;
    int caret = 0;

    bool operator==(const EditorState&) const = default;
};

class CEditHistory {
public:
    // The most edits kept; the oldest go first.
    static constexpr std::size_t kMaxSteps = 500;

    // An edit changed the text; before is the state it started from.
    void Record(EditorState before) {
        if (m_undo.size() == kMaxSteps) {
            m_undo.erase(m_undo.begin());
        }
        m_undo.push_back(std::move(before));
        m_redo.clear();
    }

    // The state to go back to, with current kept for a redo; nothing when there is nothing to undo.
    std::optional<EditorState> Undo(EditorState current) { return Step(m_undo, m_redo, std::move(current)); }
    std::optional<EditorState> Redo(EditorState current) { return Step(m_redo, m_undo, std::move(current)); }

    void Clear() {
        m_undo.clear();
        m_redo.clear();
    }

private:
    static std::optional<EditorState> Step(std::vector<EditorState>& from, std::vector<EditorState>& to,
                                           EditorState current) {
        if (from.empty()) {
            return std::nullopt;
        }
        EditorState target = std::move(from.back());
        from.pop_back();
        to.push_back(std::move(current));
        return target;
    }

    std::vector<EditorState> m_undo;
    std::vector<EditorState> m_redo;
};
