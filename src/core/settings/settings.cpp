#include "settings/settings.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"
#include "platform/folder_lock.hpp"
#include "platform/literals.hpp"
#include "platform/paths.hpp"
#include "settings/profile_file.hpp"

namespace orvikel {

namespace {
template <class Flags>
auto& FlagOf(Flags& flags, OrderList list) {
    switch (list) {
        case OrderList::Grid:
            return flags.Tsort;
        case OrderList::Bracket:
            return flags.Wsort;
        case OrderList::Quinella:
            return flags.Usort;
        case OrderList::Wide:
            return flags.Ksort;
        case OrderList::Exacta:
            return flags.Ssort;
        case OrderList::Trio:
            break;
    }
    return flags.Ysort;
}
}  // namespace

const std::string& SortFlags::Of(OrderList list) const {
    return FlagOf(*this, list);
}

std::string& SortFlags::Of(OrderList list) {
    return FlagOf(*this, list);
}

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMeetingPattern = "Uy-?.jra";

// A line break, tab or other control character: never part of a folder the user meant, and
// a line break would split the KelDir line of the settings file.
bool IsControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool MatchesMeetingName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kMeetingPattern.size() || !name.starts_with(prefix)) {
        return false;
    }
    const std::string_view rest = name.substr(prefix.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (kMeetingPattern[i] != '?' && kMeetingPattern[i] != rest[i]) {
            return false;
        }
    }
    return true;
}

// A settings file in an encoding the profile reader does not take: a UTF-16 byte-order mark
// or a NUL byte, which neither CP932 nor UTF-8 text holds. Its keys cannot be read as they
// are, and writing byte lines into it would leave a file of two encodings. (A UTF-8 file
// with its mark is read and saved as UTF-8, see ProfileFile.)
bool IsOtherEncoding(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
           bytes.find('\0') != std::string_view::npos;
}

// A hundredths key: "1.2" and "1.20" give 120; a value outside low..high gives the default.
int HundredthsKey(const ProfileFile& profile, const char* key, int fallback, int low, int high) {
    const std::string text = profile.GetOr("Options", key, "");
    const auto value = ParseDecimal(text);
    if (!value || !(*value * 100 >= low - 0.5) || !(*value * 100 < high + 0.5)) {
        return fallback;
    }
    return static_cast<int>(std::lround(*value * 100));
}

ValueSettings ReadValueSettings(const ProfileFile& profile) {
    const ValueSettings defaults;
    ValueSettings value;
    value.marks = profile.GetOr("Options", "ValueMarks", "false") == "True";
    value.discount =
        HundredthsKey(profile, "ValueDiscount", defaults.discount, kDiscountMin, kDiscountMax);
    value.high = HundredthsKey(profile, "ValueHigh", defaults.high, kGapLimitMin, kGapLimitMax);
    value.low = HundredthsKey(profile, "ValueLow", defaults.low, kGapLimitMin, kGapLimitMax);
    return value;
}

std::string HundredthsKeyText(int hundredths, int low, int high) {
    const int value = std::clamp(hundredths, low, high);
    const std::string cents = std::to_string(value % 100);
    return std::to_string(value / 100) + "." + (cents.size() < 2 ? "0" : "") + cents;
}

ProfileFile ReadProfile(const fs::path& iniFile, std::string& notice) {
    std::error_code ec;
    if (!fs::exists(iniFile, ec)) {
        return ProfileFile();  // missing: every key takes its default
    }
    try {
        const std::string bytes = ReadSmallFileBytes(iniFile);
        return IsOtherEncoding(bytes) ? ProfileFile() : ProfileFile(bytes);
    } catch (const DataError& e) {
        // Unreadable: every key takes its default. One too large to be ours is said.
        if (std::string(e.what()).ends_with(lit::kFileTooLargeSuffix)) {
            notice = e.what();
        }
        return ProfileFile();
    }
}

}  // namespace

Settings ReadSettingsFile(const fs::path& iniFile) {
    Settings settings;
    const ProfileFile profile = ReadProfile(iniFile, settings.notice);
    settings.KelDir = profile.GetOr("Dir", "KelDir", " ");
    try {
        CheckFolderSetting(settings.KelDir);
    } catch (const DataError& e) {
        // No save could write it back, and no folder holds one: as if it were missing.
        settings.KelDir = " ";
        settings.notice = ErrorAboutPath(lit::kFilePrefixMsg, iniFile,
                                         Concat({lit::kOfMid, "KelDir: ", e.what()}))
                              .what();
    }
    settings.MinusSign = profile.GetOr("Options", "PN", lit::kSignFilled);
    settings.sort.Tsort = profile.GetOr("Options", "Tsort", "false");
    settings.sort.Wsort = profile.GetOr("Options", "Wsort", "false");
    settings.sort.Usort = profile.GetOr("Options", "Usort", "false");
    settings.sort.Ksort = profile.GetOr("Options", "Ksort", "false");
    settings.sort.Ssort = profile.GetOr("Options", "Ssort", "false");
    settings.sort.Ysort = profile.GetOr("Options", "Ysort", "false");
    settings.sort.YBWsort = profile.GetOr("Options", "YBWsort", "false");
    settings.FolderConfirmed = profile.GetOr("Options", "US", "0");
    settings.AutoUpdate = profile.GetOr("Options", "AutoUpdate", "false");
    settings.value = ReadValueSettings(profile);
    return settings;
}

Settings ReadSettings(const fs::path& programDir) {
    return ReadSettingsFile(programDir / kSettingsFileName);
}

namespace {

// The existing file is the base of the new one; one that exists but cannot be read is not
// replaced, or its other sections would be lost.
ProfileFile ProfileToSave(const fs::path& iniFile) {
    ProfileFile profile;
    std::error_code ec;
    if (fs::exists(iniFile, ec)) {
        std::string bytes;
        try {
            bytes = ReadSmallFileBytes(iniFile);
        } catch (const DataError&) {
            ThrowCannotWrite(iniFile);
        }
        if (IsOtherEncoding(bytes)) {
            ThrowAboutPath({}, iniFile, lit::kNotShiftJisSuffix);
        }
        profile = ProfileFile(bytes);
    }
    return profile;
}

// Sets keys of [Options] alone, leaving every other byte of the file as it was.
void SaveOptionKeys(const fs::path& programDir,
                    std::initializer_list<std::pair<const char*, std::string>> keys) {
    const fs::path iniFile = programDir / kSettingsFileName;
    // Under the lock like every save: read, changed and written back as one step.
    const WriterLock lock(programDir);
    ProfileFile profile = ProfileToSave(iniFile);
    for (const auto& [key, value] : keys) {
        profile.Set("Options", key, value);
    }
    WriteFileAtomically(iniFile, profile.Serialize());
}

}  // namespace

void SaveAutoUpdate(const fs::path& programDir, bool on) {
    SaveOptionKeys(programDir, {{"AutoUpdate", on ? "True" : "false"}});
}

void SaveValueSettings(const fs::path& programDir, const ValueSettings& value) {
    SaveOptionKeys(
        programDir,
        {{"ValueMarks", value.marks ? "True" : "false"},
         {"ValueDiscount", HundredthsKeyText(value.discount, kDiscountMin, kDiscountMax)},
         {"ValueHigh", HundredthsKeyText(value.high, kGapLimitMin, kGapLimitMax)},
         {"ValueLow", HundredthsKeyText(value.low, kGapLimitMin, kGapLimitMax)}});
}

std::string SaveSettings(const fs::path& programDir, const SettingsToSave& values) {
    const fs::path iniFile = programDir / kSettingsFileName;
    CheckFolderSetting(values.folderField);
    const std::string folder = WithSeparator(values.folderField);

    // Read, changed and written back under the lock: two saves at once would otherwise both
    // start from the same old file, and one of them would be lost.
    const WriterLock lock(programDir);
    ProfileFile profile = ProfileToSave(iniFile);

    profile.Set("Dir", "KelDir", folder);
    profile.Set("Options", "PN", values.MinusSign);
    profile.Set("Options", "Tsort", values.sort.Tsort);
    profile.Set("Options", "Wsort", values.sort.Wsort);
    profile.Set("Options", "Usort", values.sort.Usort);
    profile.Set("Options", "Ksort", values.sort.Ksort);
    profile.Set("Options", "Ssort", values.sort.Ssort);
    profile.Set("Options", "Ysort", values.sort.Ysort);
    profile.Set("Options", "YBWsort", values.sort.YBWsort);
    if (IsDataFolderValid(folder)) {
        profile.Set("Options", "US", "1");
    }
    // Written whole through a temporary file, so a failure keeps the old file as it was.
    WriteFileAtomically(iniFile, profile.Serialize());
    return folder;
}

void CheckFolderSetting(const std::string& folder) {
    std::string shown = folder;
    bool control = false;
    for (char& c : shown) {
        if (IsControlByte(c)) {
            c = '?';
            control = true;
        }
    }
    if (control) {
        throw DataError(Concat({lit::kFolderNamePrefix, shown, lit::kControlCharacterSuffix}));
    }
}

std::string FolderSettingFromUtf8(const std::string& utf8Folder) {
    std::string folder;
    try {
        folder = text::ToCp932(utf8Folder);
    } catch (const std::runtime_error&) {
        ThrowAboutName(lit::kFolderNamePrefix, utf8Folder, lit::kNotCp932NameSuffix);
    }
    CheckFolderSetting(folder);
    return folder;
}

bool IsDataFolderValid(const std::string& folder) {
    const std::size_t split = EndOfFolderPart(folder);
    const std::string_view prefix = std::string_view(folder).substr(split);
    const fs::path dir = split == 0 ? fs::path(".") : text::NativePath(folder.substr(0, split));
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (MatchesMeetingName(text::PathText(it->path().filename()), prefix) &&
            it->is_regular_file(statusError)) {
            return true;
        }
    }
    return false;
}

}  // namespace orvikel
