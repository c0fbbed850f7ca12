#include "shell/viewer_instance.hpp"

#include <chrono>
#include <string_view>
#include <system_error>

#include "platform/data_error.hpp"
#include "platform/literals.hpp"
#include "platform/temp_file.hpp"
#include "settings/settings.hpp"

namespace orvikel {

namespace fs = std::filesystem;

namespace {

// "Qv" and letters, then ".dat": the names of every work file.
bool IsWorkFileName(std::string_view name) {
    constexpr std::string_view kPrefix = "Qv";
    constexpr std::string_view kSuffix = ".dat";
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix) ||
        name.size() <= kPrefix.size() + kSuffix.size()) {
        return false;
    }
    for (char c : name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size())) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            return false;
        }
    }
    return true;
}

bool IsOurTempFile(const fs::path& file) {
    const std::u8string u8 = file.filename().u8string();
    const std::string name(u8.begin(), u8.end());
    const auto target = TempFileTarget(name);
    return target && (IsWorkFileName(*target) || *target == kSettingsFileName);
}

}  // namespace

ViewerInstance::ViewerInstance(const fs::path& programDir)
    : lock_(programDir / kViewerLockFileName, std::chrono::milliseconds(0)) {
    if (lock_.outcome() == FileLock::Outcome::Busy) {
        ThrowAboutPath(lit::kFolderPrefixMsg, programDir, lit::kAlreadyRunningSuffix);
    }
    if (lock_.outcome() == FileLock::Outcome::Failed) {
        // Running unclaimed would let a second viewer rewrite this one's work files.
        ThrowAboutPath(lit::kFilePrefixMsg, programDir / kViewerLockFileName,
                       lit::kCannotLockSuffix);
    }
    if (lock_.outcome() == FileLock::Outcome::Held) {
        RemoveStaleTempFiles(programDir);
    }
}

int RemoveStaleTempFiles(const fs::path& programDir) {
    // Without waiting: an orvikel-dump at work now may still be writing its temporary files,
    // and start-up is no time to wait for it; the next start removes what is left.
    const FileLock writers(programDir / kWriterLockFileName, std::chrono::milliseconds(0));
    if (writers.outcome() != FileLock::Outcome::Held) {
        return 0;
    }
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(programDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileError;
        if (IsOurTempFile(it->path()) && it->is_regular_file(fileError) &&
            fs::remove(it->path(), fileError)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace orvikel
