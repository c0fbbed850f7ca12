#pragma once
// The folder of the running executable, where the settings file and the work files live.
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvikel::tools {

inline std::filesystem::path ExecutableDir(const char* argv0) {
#ifdef _WIN32
    (void)argv0;
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return std::filesystem::path(std::wstring(buffer, length)).parent_path();
#else
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        return self.parent_path();
    }
    return std::filesystem::absolute(argv0, ec).parent_path();
#endif
}

}  // namespace orvikel::tools
