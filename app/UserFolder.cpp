#include "app/UserFolder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

bool IsWritableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) && access(folder.c_str(), W_OK) == 0;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

} // namespace

std::string UserFolderFor(const std::string& baseFolder, const std::string& userDataFolder) {
    if (userDataFolder.empty() || IsWritableFolder(std::filesystem::path(baseFolder) / "Samples")) {
        return baseFolder;
    }
    const std::string folder = WithSlash(userDataFolder);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder) / "Samples", error);
    return folder;
}
