#include "run_program.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>

#include <cstdlib>
#endif

namespace orvikel::testing {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// One argument quoted as the C runtime splits a command line: backslashes double only
// before a quote.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    line += L" \"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

HANDLE OpenInheritable(const fs::path& file, bool forWriting) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(file.empty() ? L"NUL" : file.c_str(),
                       forWriting ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, &inherit,
                       forWriting ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int RunProgram(const fs::path& exe, const std::vector<std::string>& args,
               const fs::path& stdoutFile) {
    const fs::path program = fs::absolute(exe);
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const std::string& arg : args) {
        AppendQuoted(line, Wide(arg));
    }
    HANDLE out = OpenInheritable(stdoutFile, true);
    HANDLE err = OpenInheritable({}, true);
    HANDLE in = OpenInheritable({}, false);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    DWORD status = static_cast<DWORD>(-1);
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(in);
    CloseHandle(err);
    CloseHandle(out);
    return static_cast<int>(status);
}

#else

namespace {

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

int RunProgram(const fs::path& exe, const std::vector<std::string>& args,
               const fs::path& stdoutFile) {
    std::string command = Quoted(exe.string());
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    command += " >" + (stdoutFile.empty() ? std::string("/dev/null") : Quoted(stdoutFile.string()));
    command += " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

}  // namespace orvikel::testing
