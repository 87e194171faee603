#include "app/UserCollection.h"

#include <QSaveFile>

#include <fstream>
#include <iterator>

namespace {

// A field must not hold the characters that end a field or a line.
std::string Field(const std::string& text, const char* enders) {
    std::string field;
    for (const char c : text) {
        if (std::string_view(enders).find(c) == std::string_view::npos) {
            field += c;
        }
    }
    return field;
}

} // namespace

std::string UserCollectionFile(const std::string& baseFolder, int group) {
    return baseFolder + "Samples/User" + std::to_string(group) + ".txt";
}

std::vector<SampleEntry> ReadUserCollection(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return ParseSamples(text);
}

bool WriteUserCollection(const std::string& path, const std::vector<SampleEntry>& samples) {
    std::string text;
    for (const SampleEntry& sample : samples) {
        text += Field(sample.problemText, ";\r\n") + ';' + Field(sample.code, ";&\r\n") + '&' +
                Field(sample.note, "\r\n") + "\r\n";
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.commit();
}
