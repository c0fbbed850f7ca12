#include "shell/live_refresh.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/encoding.hpp"

namespace orvikel {

namespace {

#ifdef _WIN32
// The system's own 100 ns write time: the C runtime's stat behind std::filesystem in a MinGW
// build keeps whole seconds, and the client rewrites a race's files with the same size
// (fixed-width records), so a second rewrite within one second would look like no change.
FileStamp StampFile(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}
#else
FileStamp StampFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(path, ec);
    const auto time = std::filesystem::last_write_time(path, ec);
    stamp.exists = !ec;
    stamp.modified = static_cast<std::int64_t>(time.time_since_epoch().count());
    return stamp;
}
#endif

}  // namespace

RaceStamps StampRaceFiles(const RaceFiles& files) {
    RaceStamps stamps;
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        const std::string& name = files.Name(kind);
        if (!name.empty()) {
            stamps[kind] = StampFile(text::NativePath(name));
        }
    }
    return stamps;
}

void RaceQuietRule::Read(const RaceStamps& stamps, Clock::time_point now) {
    seen_ = stamps;
    pending_ = false;
    lastRead_ = now;
}

bool RaceQuietRule::Observe(const RaceStamps& stamps, Clock::time_point now) {
    if (stamps == seen_) {
        return false;
    }
    seen_ = stamps;
    lastChange_ = now;
    if (!pending_) {
        pending_ = true;
        firstChange_ = now;
    }
    return true;
}

std::optional<RaceQuietRule::Clock::time_point> RaceQuietRule::DueAt() const {
    if (!pending_) {
        return std::nullopt;
    }
    // lastRead_ starts at the clock's minimum: min() + kMaxWait is far in the past, no overflow.
    return std::min(lastChange_ + kQuiet, std::max(firstChange_ + kQuiet, lastRead_ + kMaxWait));
}

LiveStep LiveRetry::After(const RaceStamps& before, const RaceStamps& after,
                          const std::optional<std::string>& error) {
    ++attempts_;
    const bool settled = before == after;
    if (!error && (settled || attempts_ >= kAttempts)) {
        attempts_ = 0;
        lastShown_.clear();
        return LiveStep::Show;
    }
    if (attempts_ < kAttempts) {
        return LiveStep::Retry;
    }
    attempts_ = 0;
    if (*error == lastShown_) {
        return LiveStep::Quiet;
    }
    lastShown_ = *error;
    return LiveStep::Report;
}

}  // namespace orvikel
