#pragma once

// The note file of a group and language: the classifier of the example library. Its first line is a
// tab and the root entry's description; then one line a category: its code, a tab, its description,
// CR LF. Entries with an empty code are not written.

#include <string>
#include <vector>

struct NoteEntry {
    std::string code;
    std::string description;
};

// Reads the file byte by byte: a tab ends a code, CR ends a description (the LF after it is skipped).
// The first entry is always the root: an empty code with rootDescription. A file that cannot be read
// is created empty.
std::vector<NoteEntry> ReadNoteFile(const std::string& path, const std::string& rootDescription);

// Writes the classifier in one step: the old file is replaced only when the new one is complete, so a
// failed write leaves it as it was. False when the file could not be written.
bool WriteNoteFile(const std::string& path, const std::vector<NoteEntry>& entries,
                   const std::string& rootDescription);
