#include "export/OutputFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

std::string WriteOutputFile(const std::string& path, std::string_view content) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code error;
    if (target.filename().empty() || fs::is_directory(target, error)) {
        return "cannot write " + path + ": it names a folder";
    }
    std::string partialName = ".";
    partialName += target.filename().string();
    partialName += ".partial";
    const fs::path partial = target.parent_path() / partialName;
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(content.data(), static_cast<std::streamsize>(content.size()));
        file.close();
        if (!file) {
            fs::remove(partial, error);
            return "cannot write " + path;
        }
    }
    fs::rename(partial, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return "cannot write " + path + ": " + error.message();
    }
    return {};
}
