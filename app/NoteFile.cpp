#include "app/NoteFile.h"

#include "editor/LastProblemFile.h"

#include <QFile>

#include <utility>

std::vector<NoteEntry> ReadNoteFile(const std::string& path, const std::string& rootDescription) {
    std::vector<NoteEntry> entries;
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        NoteEntry entry;
        std::string current;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\t') {
                entry.code = std::exchange(current, {});
            } else if (c == '\r') {
                entry.description = std::exchange(current, {});
                entries.push_back(std::exchange(entry, {}));
                if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                    ++i;
                }
            } else {
                current += c;
            }
        }
    } else {
        QFile created(QString::fromStdString(path));
        created.open(QIODevice::WriteOnly);
    }
    if (entries.empty()) {
        entries.emplace_back();
    }
    entries.front() = {std::string(), rootDescription};
    return entries;
}

bool WriteNoteFile(const std::string& path, const std::vector<NoteEntry>& entries,
                   const std::string& rootDescription) {
    std::string text = "\t" + rootDescription + "\r\n";
    for (const NoteEntry& entry : entries) {
        if (!entry.code.empty()) {
            text += entry.code + "\t" + entry.description + "\r\n";
        }
    }
    return WriteFileInOneStep(path, text);
}
