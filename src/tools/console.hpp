#pragma once
// What the command-line tools need from their console: the arguments in UTF-8, and UTF-8
// output that a Windows console shows as it is (its own code page is that of the machine).
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h first
#include <shellapi.h>
#endif

namespace orvikel::tools {

// The arguments after the program name, in UTF-8. Windows hands argv over in the ANSI code
// page, which cannot hold every folder name, so there they come from the wide command line.
inline std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const std::u8string u8 = std::filesystem::path(wide[i]).u8string();
        args.emplace_back(u8.begin(), u8.end());
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

// A UTF-8 argument as a path.
inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// While alive, the Windows console shows the program's UTF-8 output as UTF-8; the console's
// own code page comes back afterwards. Output to a file or a pipe is the same bytes anyway.
class Utf8Console {
  public:
#ifdef _WIN32
    Utf8Console() : previous_(GetConsoleOutputCP()) {
        SetConsoleOutputCP(CP_UTF8);
    }
    ~Utf8Console() {
        if (previous_ != 0) {
            SetConsoleOutputCP(previous_);
        }
    }

  private:
    UINT previous_;
#else
    Utf8Console() = default;
#endif

  public:
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;
};

}  // namespace orvikel::tools
