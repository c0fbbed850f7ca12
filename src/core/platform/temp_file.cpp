#include "platform/temp_file.hpp"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "platform/data_error.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace orvikel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kRandomDigits = 8;
// A name taken by another writer's file is tried again with new digits; this many names all
// taken means something else is wrong.
constexpr int kNameAttempts = 16;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLowerHex(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f');
}

std::string RandomDigits() {
    thread_local std::mt19937 generator{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string digits(kRandomDigits, '0');
    for (char& c : digits) {
        c = kHex[generator() % 16];
    }
    return digits;
}

#ifdef _WIN32

std::uint64_t ProcessId() {
    return GetCurrentProcessId();
}

enum class Created { Written, NameTaken, Failed };

Created WriteNew(const fs::path& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Created::NameTaken
                                                                           : Created::Failed;
    }
    bool ok = true;
    while (ok && !bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) != 0 && written > 0;
        bytes.remove_prefix(written);
    }
    ok = CloseHandle(file) != 0 && ok;
    return ok ? Created::Written : Created::Failed;
}

#else

std::uint64_t ProcessId() {
    return static_cast<std::uint64_t>(::getpid());
}

enum class Created { Written, NameTaken, Failed };

Created WriteNew(const fs::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? Created::NameTaken : Created::Failed;
    }
    bool ok = true;
    while (ok && !bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        ok = written > 0;
        if (ok) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    ok = ::close(fd) == 0 && ok;
    return ok ? Created::Written : Created::Failed;
}

#endif

}  // namespace

fs::path WriteTempFile(const fs::path& target, std::string_view bytes) {
    const std::string stem = "." + std::to_string(ProcessId()) + ".";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        fs::path temp = target;
        temp += stem + RandomDigits() + std::string(kTempSuffix);
        const Created created = WriteNew(temp, bytes);
        if (created == Created::Written) {
            return temp;
        }
        if (created == Created::Failed) {
            std::error_code ignored;
            fs::remove(temp, ignored);  // what was made of it before the failure
            break;
        }
    }
    ThrowCannotWrite(target);
}

std::optional<std::string_view> TempFileTarget(std::string_view fileName) {
    if (!fileName.ends_with(kTempSuffix)) {
        return std::nullopt;
    }
    std::string_view rest = fileName.substr(0, fileName.size() - kTempSuffix.size());
    // ".<digits>.<8 hex digits>" before the suffix, or nothing (the earlier fixed name).
    const std::size_t hexDot = rest.rfind('.');
    if (hexDot != std::string_view::npos && hexDot > 0 &&
        rest.size() - hexDot - 1 == kRandomDigits) {
        const std::string_view hex = rest.substr(hexDot + 1);
        const std::size_t pidDot = rest.rfind('.', hexDot - 1);
        const std::string_view pid = pidDot == std::string_view::npos
                                         ? std::string_view()
                                         : rest.substr(pidDot + 1, hexDot - pidDot - 1);
        bool shaped = !pid.empty();
        for (char c : pid) {
            shaped = shaped && IsDigit(c);
        }
        for (char c : hex) {
            shaped = shaped && IsLowerHex(c);
        }
        if (shaped) {
            rest = rest.substr(0, pidDot);
        }
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    return rest;
}

}  // namespace orvikel
