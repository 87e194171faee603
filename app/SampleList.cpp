#include "app/SampleList.h"

#include <QFile>

#include <utility>

std::vector<SampleEntry> ParseSamples(std::string_view text) {
    std::vector<SampleEntry> samples;
    SampleEntry sample;
    std::string current;
    bool problemRead = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ';') {
            sample.displayText = sample.problemText = std::exchange(current, {});
            problemRead = true;
        } else if (c == '&') {
            sample.code = std::exchange(current, {});
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            sample.note = std::exchange(current, {});
            if (problemRead) {
                samples.push_back(std::exchange(sample, {}));
            }
            sample = {};
            problemRead = false;
        } else {
            current += c;
        }
    }
    return samples;
}

std::string SampleResourceText(int resource) {
    const char* name = nullptr;
    switch (resource) {
    case 157:
        name = ":/samples/Equations.txt";
        break;
    case 158:
        name = ":/samples/Factorisation.txt";
        break;
    case 159:
        name = ":/samples/Simplification.txt";
        break;
    default:
        return {};
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}
