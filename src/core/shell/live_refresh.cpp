#include "shell/live_refresh.hpp"

#include <filesystem>
#include <system_error>

#include "common/encoding.hpp"

namespace orvikel {

RaceStamps StampRaceFiles(const RaceFiles& files) {
    RaceStamps stamps;
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        const std::string& name = files.Name(kind);
        if (name.empty()) {
            continue;
        }
        const std::filesystem::path path = text::NativePath(name);
        std::error_code ec;
        FileStamp& stamp = stamps[kind];
        if (!std::filesystem::is_regular_file(path, ec)) {
            continue;
        }
        stamp.size = std::filesystem::file_size(path, ec);
        const auto time = std::filesystem::last_write_time(path, ec);
        stamp.exists = !ec;
        stamp.modified = static_cast<std::int64_t>(time.time_since_epoch().count());
    }
    return stamps;
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
