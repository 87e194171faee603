#include "output/ProgramFolders.h"

#include <system_error>

std::filesystem::path RunningProgramFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : executable.parent_path();
}

std::filesystem::path BaseFolderBeside(const std::filesystem::path& programFolder) {
    std::error_code error;
    if (std::filesystem::is_directory(programFolder / "Res", error)) {
        return programFolder;
    }
    const std::filesystem::path installed = (programFolder / ".." / "share" / "orbelin").lexically_normal();
    if (std::filesystem::is_directory(installed / "Res", error)) {
        return installed;
    }
    return programFolder;
}
