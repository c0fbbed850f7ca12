#pragma once
// The viewer's settings file "OrviKV.ini" in the program folder, with Windows profile-file
// semantics. All values are held as CP932 texts exactly as read.
#include <filesystem>
#include <string>

#include "domain/lists.hpp"

namespace orvikel {

inline constexpr const char* kSettingsFileName = "OrviKV.ini";

// The seven display-order flags: "True" means popularity order, "false" number order; any
// other text is kept as it is and means neither.
struct SortFlags {
    std::string Tsort = "false";
    std::string Wsort = "false";
    std::string Usort = "false";
    std::string Ksort = "false";
    std::string Ssort = "false";
    std::string Ysort = "false";
    std::string YBWsort = "false";  // the trio panel's BOX / total-wheel lists

    // The flag of a list with order buttons.
    const std::string& Of(OrderList list) const;
    std::string& Of(OrderList list);
};

// Our own keys for the theoretical odds (理論オッズ), under [Options]. The numbers are kept in
// hundredths, the unit of the 乖離 they are compared with, and stored as "1.20"; a value that
// is missing, no number or out of its range reads as its default.
struct ValueSettings {
    bool marks = false;  // ValueMarks: the 妙味 box; on only when exactly "True"
    int discount = 100;  // ValueDiscount: λ of the minor places (1.00 is Harville)
    int high = 120;      // ValueHigh: from this 乖離 a combination is value (green, 妙味)
    int low = 80;        // ValueLow: up to this 乖離 it pays less than it should (grey)

    friend bool operator==(const ValueSettings&, const ValueSettings&) = default;
};
// The ranges the values are kept in.
inline constexpr int kDiscountMin = 50;
inline constexpr int kDiscountMax = 150;
inline constexpr int kGapLimitMin = 1;
inline constexpr int kGapLimitMax = 9999;

struct Settings {
    std::string KelDir;           // data folder, used as a plain prefix of every file name
    std::string MinusSign;        // "▲" by default (CP932)
    SortFlags sort;               // order flags
    std::string FolderConfirmed;  // key US, "0" by default
    // Our own key: follow the client's writes ("自動更新"); on only when exactly "True".
    std::string AutoUpdate = "false";
    ValueSettings value;
    // What reading refused (CP932), to be told once: a KelDir with a control character
    // (read as if missing, which no save could write back), a file too large to be ours.
    std::string notice;
};

inline bool IsPopularityOrder(const std::string& flag) {
    return flag == "True";
}
inline bool IsNumberOrder(const std::string& flag) {
    return flag == "false";
}

// Reads the settings file of programDir (CP932, or UTF-8 with its byte-order mark); a missing
// or unreadable file, or one in UTF-16 (its mark or a NUL byte), gives every default and is
// never created by reading. A file over 1 MiB gives every default too, and a KelDir holding
// a control character the default folder; both are said in Settings::notice.
Settings ReadSettings(const std::filesystem::path& programDir);
// The same for a settings file given by its own path.
Settings ReadSettingsFile(const std::filesystem::path& iniFile);

// What the settings window hands over when it saves.
struct SettingsToSave {
    std::string folderField;  // the text of the folder box, CP932
    std::string MinusSign;
    SortFlags sort;
};

// Writes the settings file (KelDir, PN, the seven flags, then US when the folder is valid)
// and returns the folder as stored, with the separator appended when it was missing. Holds
// the program folder's WriterLock while it reads the old file and writes the new one.
// A folder field with a control character is refused (CheckFolderSetting) before anything is
// written. Throws DataError "<path> に書き込めません" and leaves the old file untouched on failure.
// A file in another encoding is not rewritten either: DataError
// "<path> は Shift-JIS のテキストではありません".
std::string SaveSettings(const std::filesystem::path& programDir, const SettingsToSave& values);

// Stores the 自動更新 check box as AutoUpdate=True / AutoUpdate=false under [Options],
// changing no other byte of the file, with the same safety as SaveSettings (same errors, the
// old file kept on failure). Creates the file when there is none.
void SaveAutoUpdate(const std::filesystem::path& programDir, bool on);

// Stores the theoretical-odds keys (ValueMarks, ValueDiscount, ValueHigh, ValueLow) under
// [Options] as SaveAutoUpdate stores its key. Values outside their ranges are stored at the
// nearest end of the range.
void SaveValueSettings(const std::filesystem::path& programDir, const ValueSettings& value);

// Throws DataError "フォルダ名 <folder> には改行などの制御文字が含まれています" (each control
// character shown as "?") when the CP932 folder text holds a line break, a tab or any other
// control character.
void CheckFolderSetting(const std::string& folder);

// A folder name the user typed or chose (UTF-8) as the CP932 text the settings keep, after
// the same check; throws DataError "フォルダ名 <folder> には Shift-JIS で表せない文字が含まれて
// います", the folder as the platform spells it, when CP932 cannot hold it ("é", an emoji).
std::string FolderSettingFromUtf8(const std::string& utf8Folder);

// True when a regular file (not a folder) matching folder + "Uy-?.jra" exists.
bool IsDataFolderValid(const std::string& folder);

}  // namespace orvikel
