#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/paths.hpp"
#include "settings/profile_file.hpp"
#include "settings/settings.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;
using testing::Sj;
using testing::TempDir;

const std::string kSep(kPathSeparator);

std::string IniPath(const TempDir& dir) {
    return text::PathText(dir.path() / kSettingsFileName);
}

TEST(ReadSettings, WithoutAFileEveryKeyTakesItsDefaultAndNoFileIsCreated) {
    TempDir dir;
    const Settings s = ReadSettings(dir.path());
    EXPECT_EQ(s.KelDir, "");  // the blank default is trimmed away
    EXPECT_EQ(s.MinusSign, "\x81\xA3");
    for (const auto* flag : {&s.sort.Tsort, &s.sort.Wsort, &s.sort.Usort, &s.sort.Ksort,
                             &s.sort.Ssort, &s.sort.Ysort, &s.sort.YBWsort}) {
        EXPECT_EQ(*flag, "false");
    }
    EXPECT_EQ(s.FolderConfirmed, "0");
    EXPECT_FALSE(fs::exists(dir.path() / kSettingsFileName));
}

TEST(ReadSettings, NamesMatchAnyCaseValuesAreTrimmedAndKeptAsWritten) {
    TempDir dir;
    dir.Write(kSettingsFileName, Sj("; written by hand\r\n"
                                    "[dir]\r\n"
                                    "  keldir =  C:\\KEL\\  \r\n"
                                    "[OPTIONS]\r\n"
                                    "pn=\t－\r\n"
                                    "TSORT=TRUE\r\n"
                                    "Wsort=True\r\n"
                                    "Wsort=false\r\n"  // the first of two wins
                                    "usort=\r\n"
                                    "us=1\r\n"
                                    "[Other]\r\n"
                                    "Ksort=True\r\n"));  // not in its section
    const Settings s = ReadSettings(dir.path());
    EXPECT_EQ(s.KelDir, "C:\\KEL\\");
    EXPECT_EQ(s.MinusSign, "\x81\x7C");
    EXPECT_EQ(s.sort.Tsort, "TRUE");
    EXPECT_FALSE(IsPopularityOrder(s.sort.Tsort));
    EXPECT_FALSE(IsNumberOrder(s.sort.Tsort));
    EXPECT_EQ(s.sort.Wsort, "True");
    EXPECT_EQ(s.sort.Usort, "");  // present but empty is not missing
    EXPECT_EQ(s.sort.Ksort, "false");
    EXPECT_EQ(s.FolderConfirmed, "1");
}

// A KelDir no save could write back (a control character in it) is refused while reading,
// naming the file and the key; the folder is then as good as missing, the other keys stand,
// and saving them unchanged works.
TEST(ReadSettings, AFolderWithAControlCharacterIsRefusedNamingTheFileAndKey) {
    TempDir dir;
    dir.Write(kSettingsFileName, std::string("[Dir]\r\nKelDir=/kel/\x01x/\r\n"
                                             "[Options]\r\nTsort=True\r\nUS=1\r\n"));
    const Settings s = ReadSettings(dir.path());
    EXPECT_EQ(s.KelDir, " ");
    EXPECT_EQ(s.sort.Tsort, "True");
    EXPECT_EQ(s.notice, Sj("ファイル ") + IniPath(dir) + Sj(" の KelDir: フォルダ名 /kel/?x/ ") +
                            Sj("には改行などの制御文字が含まれています"));
    SettingsToSave values;
    values.folderField = s.KelDir;
    values.MinusSign = s.MinusSign;
    values.sort = s.sort;
    EXPECT_NO_THROW(SaveSettings(dir.path(), values));
    EXPECT_TRUE(ReadSettings(dir.path()).notice.empty());
}

// A settings file is a few hundred bytes: one past 1 MiB is not read whole (it gives every
// default, said once), and no save replaces it.
TEST(ReadSettings, AFileOverOneMebibyteIsNotReadAndNotReplaced) {
    TempDir dir;
    const std::string huge = "[Dir]\r\nKelDir=/kel/\r\n; " + std::string(kMaxSmallFileBytes, 'x');
    dir.Write(kSettingsFileName, huge);
    const Settings s = ReadSettings(dir.path());
    EXPECT_EQ(s.KelDir, "");
    EXPECT_EQ(s.notice, Sj("ファイル ") + IniPath(dir) + Sj(" が 1 MiB を超えています"));
    EXPECT_THROW(SaveAutoUpdate(dir.path(), true), DataError);
    EXPECT_EQ(testing::ReadBytes(dir.path() / kSettingsFileName), huge);
}

TEST(ProfileFile, WritingKeepsEveryOtherLineAndPutsNewEntriesInPlace) {
    struct Case {
        const char* what;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const std::string base =
        "; comment\r\n"
        "[A]\r\n"
        "x = 1\r\n"
        "junk line\r\n"
        "\r\n"
        "[B]\r\n"
        "y=2\r\n";
    const Case cases[] = {
        {"value replaced in place, key spelled as in the file", base, "a", "X", "9",
         "; comment\r\n[A]\r\nx=9\r\njunk line\r\n\r\n[B]\r\ny=2\r\n"},
        {"missing key at the end of its section, before the blank line", base, "A", "z", "3",
         "; comment\r\n[A]\r\nx = 1\r\njunk line\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        {"missing key in the last section", base, "B", "z", "3", base + "z=3\r\n"},
        {"missing section at the end of the file", base, "C", "z", "3", base + "[C]\r\nz=3\r\n"},
        {"a file without a final line break", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
        {"an empty file", "", "Dir", "KelDir", "/k/", "[Dir]\r\nKelDir=/k/\r\n"},
        {"the first of duplicate keys is replaced", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "3",
         "[A]\r\nx=3\r\nx=2\r\n"},
        {"a double-byte name matches only itself", Sj("[ア]\r\nk=1\r\n"), "\x83\x41", "k", "2",
         Sj("[ア]\r\nk=2\r\n")},
        {"second bytes are not case-folded", "[\x83\x41]\r\nk=1\r\n", "\x83\x61", "k", "2",
         "[\x83\x41]\r\nk=1\r\n[\x83\x61]\r\nk=2\r\n"},
    };
    for (const auto& c : cases) {
        ProfileFile profile(c.before);
        profile.Set(c.section, c.key, c.value);
        EXPECT_EQ(profile.Serialize(), c.after) << c.what;
        EXPECT_EQ(profile.Get(c.section, c.key), c.value) << c.what;
    }
}

// What Windows' profile functions do with files written by hand or by other editors: the
// value read before a write, then the file after writing the same key.
TEST(ProfileFile, HandWrittenFilesAreReadAndWrittenAsWindowsDoes) {
    struct Case {
        const char* what;
        std::string before;
        std::string section;
        const char* key;
        std::optional<std::string> read;  // nullopt: missing, the default serves
        std::string write;
        std::string after;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"quotes around a folder are not part of it",
         "[Dir]\r\nKelDir=\"C:\\Program Files\\KEL\\\"\r\n", "Dir", "KelDir",
         "C:\\Program Files\\KEL\\", "D:\\", "[Dir]\r\nKelDir=D:\\\r\n"},
        {"quotes around a sign", Sj("[Options]\r\nPN = \"▲\" \r\n"), "Options", "PN", Sj("▲"),
         Sj("△"), Sj("[Options]\r\nPN=△\r\n")},
        {"single quotes and blanks inside them", "[S]\r\nk=' a '\r\n", "S", "k", " a ", "b",
         "[S]\r\nk=b\r\n"},
        {"quotes that do not match stay", "[S]\r\nk=\"a'\r\n", "S", "k", "\"a'", "b",
         "[S]\r\nk=b\r\n"},
        {"a lone quote stays", "[S]\r\nk=\"\r\n", "S", "k", "\"", "b", "[S]\r\nk=b\r\n"},
        {"a quoted value is saved in one more pair of quotes", "[S]\r\nk=\"'a'\"\r\n", "S", "k",
         "'a'", "'b'", "[S]\r\nk=\"'b'\"\r\n"},
        {"blanks at the ends of a value are saved inside quotes", "[S]\r\n", "S", "k", std::nullopt,
         " b ", "[S]\r\nk=\" b \"\r\n"},
        {"a UTF-8 file with its mark is read", bom + "[Options]\r\nPN=▲\r\n", "Options", "PN",
         Sj("▲"), Sj("△"), bom + "[Options]\r\nPN=△\r\n"},
        {"a UTF-8 file keeps its mark and its other lines", bom + "; 設定\r\n[Dir]\r\n", "Dir",
         "KelDir", std::nullopt, Sj("C:\\競馬\\"),
         bom + "; 設定\r\n[Dir]\r\nKelDir=C:\\競馬\\\r\n"},
        {"a UTF-8 value without a CP932 form takes the default", bom + "[S]\r\nk=😀\r\n", "S", "k",
         std::nullopt, "x", bom + "[S]\r\nk=x\r\n"},
        {"a key without = is replaced, not doubled", "[Options]\r\nTsort\r\nUS=1\r\n", "Options",
         "tsort", std::nullopt, "True", "[Options]\r\nTsort=True\r\nUS=1\r\n"},
        {"a section name ending in ゾ (83 5D)", "[\x83\x5D]\r\nk=1\r\n", "\x83\x5D", "k", "1", "2",
         "[\x83\x5D]\r\nk=2\r\n"},
        {"a section name holding ゼ (83 5B) and a bracket", "[\x83\x5B]]\r\nk=1\r\n", "\x83\x5B",
         "k", "1", "2", "[\x83\x5B]]\r\nk=2\r\n"},
    };
    for (const auto& c : cases) {
        ProfileFile profile(c.before);
        EXPECT_EQ(profile.Get(c.section, c.key), c.read) << c.what;
        profile.Set(c.section, c.key, c.write);
        EXPECT_EQ(profile.Serialize(), c.after) << c.what;
        EXPECT_EQ(profile.Get(c.section, c.key), c.write) << c.what;
    }
}

TEST(ProfileFile, DefaultsAreTrimmedAndOnlyMissingEntriesTakeThem) {
    const ProfileFile profile("[S]\r\nempty=\r\n");
    EXPECT_EQ(profile.GetOr("S", "missing", "  d  "), "d");
    EXPECT_EQ(profile.GetOr("T", "empty", " "), "");
    EXPECT_EQ(profile.GetOr("s", "EMPTY", "d"), "");
    EXPECT_EQ(profile.Get("S", "missing"), std::nullopt);
}

SettingsToSave Values(std::string folder) {
    SettingsToSave v;
    v.folderField = std::move(folder);
    v.MinusSign = Sj("△");
    v.sort.Tsort = "True";
    v.sort.Ysort = "TRUE";
    return v;
}

TEST(SaveSettings, AFreshFileHoldsTheEntriesInTheirOrder) {
    TempDir programDir;
    TempDir data;
    data.Write("Uy-c.jra", "x");
    const std::string folder = data.DirText();
    EXPECT_EQ(SaveSettings(programDir.path(), Values(folder)), folder);
    EXPECT_EQ(testing::ReadBytes(programDir.path() / kSettingsFileName),
              "[Dir]\r\nKelDir=" + folder + "\r\n[Options]\r\nPN=" + Sj("△") +
                  "\r\nTsort=True\r\nWsort=false\r\nUsort=false\r\nKsort=false\r\n"
                  "Ssort=false\r\nYsort=TRUE\r\nYBWsort=false\r\nUS=1\r\n");
    const Settings s = ReadSettings(programDir.path());
    EXPECT_EQ(s.KelDir, folder);
    EXPECT_EQ(s.sort.Ysort, "TRUE");
    EXPECT_EQ(s.FolderConfirmed, "1");
}

TEST(SaveSettings, TheFolderGetsItsSeparatorAndUsIsWrittenOnlyForAValidFolder) {
    TempDir data;
    data.Write("Uy-a.jra", "x");
    const std::string valid = data.DirText();
    const std::string unslashed = valid.substr(0, valid.size() - 1);
    struct Case {
        const char* what;
        std::string field;
        std::string before;  // settings file before the save
        std::string storedFolder;
        std::string us;  // "" when absent
    };
    const Case cases[] = {
        {"empty field", "", "", kSep, ""},
        {"invalid folder keeps US 0", "/nowhere" + kSep, "[Options]\r\nUS=0\r\n", "/nowhere" + kSep,
         "0"},
        {"invalid folder never clears US", "/nowhere", "[Options]\r\nUS=1\r\n", "/nowhere" + kSep,
         "1"},
        {"valid folder", valid, "[Options]\r\nUS=0\r\n", valid, "1"},
        {"valid once the separator is added", unslashed, "", valid, "1"},
    };
    for (const auto& c : cases) {
        TempDir programDir;
        if (!c.before.empty()) {
            programDir.Write(kSettingsFileName, c.before);
        }
        EXPECT_EQ(SaveSettings(programDir.path(), Values(c.field)), c.storedFolder) << c.what;
        const ProfileFile saved(testing::ReadBytes(programDir.path() / kSettingsFileName));
        EXPECT_EQ(saved.Get("Dir", "KelDir"), c.storedFolder) << c.what;
        EXPECT_EQ(saved.GetOr("Options", "US", ""), c.us) << c.what;
    }
}

TEST(SaveSettings, KeepsTheRestOfAnExistingFile) {
    TempDir programDir;
    programDir.Write(kSettingsFileName,
                     "; mine\r\n"
                     "[options]\r\n"
                     "tsort = false\r\n"
                     "Extra=keep me\r\n"
                     "\r\n"
                     "[Window]\r\n"
                     "Left=10\r\n");
    SaveSettings(programDir.path(), Values("/nowhere/"));
    EXPECT_EQ(testing::ReadBytes(programDir.path() / kSettingsFileName),
              "; mine\r\n[options]\r\ntsort=True\r\nExtra=keep me\r\nPN=" + Sj("△") +
                  "\r\nWsort=false\r\nUsort=false\r\nKsort=false\r\nSsort=false\r\n"
                  "Ysort=TRUE\r\nYBWsort=false\r\n\r\n[Window]\r\nLeft=10\r\n"
                  "[Dir]\r\nKelDir=/nowhere/\r\n");
}

TEST(SaveSettings, AFailedSaveKeepsTheOldFileAndNamesIt) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit to stand in for a full disk";
#endif
    TempDir programDir;
    const std::string old = "[Dir]\r\nKelDir=/old/\r\n";
    programDir.Write(kSettingsFileName, old);
    try {
        // The disk fills up in the middle of the new file.
        const testing::FileSizeLimit full(old.size());
        SaveSettings(programDir.path(), Values("/new/"));
        FAIL() << "the save did not fail";
    } catch (const DataError& e) {
        EXPECT_EQ(std::string(e.what()), IniPath(programDir) + Sj(" に書き込めません"));
    }
    EXPECT_EQ(testing::ReadBytes(programDir.path() / kSettingsFileName), old);
}

TEST(SaveSettings, ASettingsFileThatCannotBeReadIsNotReplaced) {
    TempDir programDir;
    fs::create_directories(programDir.path() / kSettingsFileName / "inside");
    EXPECT_THROW(SaveSettings(programDir.path(), Values("/new/")), DataError);
    EXPECT_TRUE(fs::exists(programDir.path() / kSettingsFileName / "inside"));
}

// One rule for the settings, the settings window and orvikel-dump. A folder ending in ソ or 表
// (second byte 0x5C) is not finished on Windows, where 0x5C alone is the separator.
TEST(FolderSeparator, IsAppendedUnlessTheLastCharacterIsOne) {
    struct Case {
        std::string folder;
        bool ends;
    };
    const Case cases[] = {
        {"", false},
        {"KEL", false},
        {"KEL" + kSep, true},
        {Sj("競馬ソ"), false},
        {Sj("C:") + kSep + Sj("表"), false},
        {Sj("ソ") + kSep, true},
        {"KEL\x83", false},  // cut inside a character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EndsWithSeparator(c.folder), c.ends) << ::testing::PrintToString(c.folder);
        EXPECT_EQ(WithSeparator(c.folder), c.ends ? c.folder : c.folder + kSep)
            << ::testing::PrintToString(c.folder);
    }
}

TEST(IsDataFolderValid, NeedsARegularMeetingFileRightAfterThePrefix) {
    struct Case {
        const char* what;
        std::vector<const char*> files;
        std::vector<const char*> folders;
        bool valid;
    };
    const Case cases[] = {
        {"a meeting file", {"Uy-a.jra"}, {}, true},
        {"any one character for the slot", {"Uy-z.jra"}, {}, true},
        {"no meeting file", {"De-53b.jra", "Uy-.jra", "Uy-ab.jra", "Uy-a.jrax"}, {}, false},
        {"a folder named like a meeting file", {}, {"Uy-a.jra"}, false},
        {"a folder beside a file", {"Uy-b.jra"}, {"Uy-a.jra"}, true},
        {"an empty folder", {}, {}, false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const char* f : c.files) {
            dir.Write(f, "x");
        }
        for (const char* f : c.folders) {
            fs::create_directories(dir.path() / f);
        }
        EXPECT_EQ(IsDataFolderValid(dir.DirText()), c.valid) << c.what;
    }
}

TEST(IsDataFolderValid, TheFolderTextIsAPlainPrefix) {
    TempDir dir;
    fs::create_directories(dir.path() / "data");
    dir.Write("data/Uy-a.jra", "x");
    const std::string data = dir.DirText() + "data";
    EXPECT_TRUE(IsDataFolderValid(data + kSep));
    EXPECT_FALSE(IsDataFolderValid(data));  // looks for ".../dataUy-?.jra"
    dir.Write("dataUy-a.jra", "x");
    EXPECT_TRUE(IsDataFolderValid(data));
    EXPECT_FALSE(IsDataFolderValid(dir.DirText() + "nowhere" + kSep));
}

TEST(IsDataFolderValid, AnEmptyFolderTextMeansTheCurrentFolder) {
    TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const bool before = IsDataFolderValid("");
    dir.Write("Uy-f.jra", "x");
    const bool after = IsDataFolderValid("");
    fs::current_path(previous);
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
}

// The 自動更新 box writes its own key and nothing else: the rest of the file stays byte for
// byte, a second toggle replaces the value in place, and a UTF-16 file is left as it is.
TEST(SaveAutoUpdate, WritesOnlyItsKeyAndReadsBackOnlyExactTrueAsOn) {
    TempDir programDir;
    const std::string before = "; mine\r\n[options]\r\nTsort=True\r\n\r\n[Window]\r\nLeft=10\r\n";
    programDir.Write(kSettingsFileName, before);
    EXPECT_EQ(ReadSettings(programDir.path()).AutoUpdate, "false");
    SaveAutoUpdate(programDir.path(), true);
    EXPECT_EQ(testing::ReadBytes(programDir.path() / kSettingsFileName),
              "; mine\r\n[options]\r\nTsort=True\r\nAutoUpdate=True\r\n\r\n[Window]\r\n"
              "Left=10\r\n");
    EXPECT_EQ(ReadSettings(programDir.path()).AutoUpdate, "True");
    SaveAutoUpdate(programDir.path(), false);
    EXPECT_EQ(testing::ReadBytes(programDir.path() / kSettingsFileName),
              "; mine\r\n[options]\r\nTsort=True\r\nAutoUpdate=false\r\n\r\n[Window]\r\n"
              "Left=10\r\n");

    TempDir fresh;
    SaveAutoUpdate(fresh.path(), true);
    EXPECT_EQ(testing::ReadBytes(fresh.path() / kSettingsFileName),
              "[Options]\r\nAutoUpdate=True\r\n");

    // A UTF-8 file with its byte-order mark is read and written back as it came.
    TempDir utf8;
    utf8.Write(kSettingsFileName, "\xEF\xBB\xBF[Options]\r\n");
    SaveAutoUpdate(utf8.path(), true);
    EXPECT_EQ(testing::ReadBytes(utf8.path() / kSettingsFileName),
              "\xEF\xBB\xBF[Options]\r\nAutoUpdate=True\r\n");
    EXPECT_EQ(ReadSettings(utf8.path()).AutoUpdate, "True");

    TempDir utf16;
    const std::string utf16Bytes("\xFF\xFE[\0O\0]\0\r\0\n\0", 12);
    utf16.Write(kSettingsFileName, utf16Bytes);
    EXPECT_THROW(SaveAutoUpdate(utf16.path(), true), DataError);
    EXPECT_EQ(testing::ReadBytes(utf16.path() / kSettingsFileName), utf16Bytes);
}

// The theoretical-odds keys: numbers in hundredths, any text that is no number in range read
// as the default, and a save that writes its four keys and leaves the rest of the file alone.
TEST(ValueSettings, ReadInHundredthsWithDefaultsForWhatIsNoValue) {
    struct Case {
        const char* lines;
        ValueSettings expected;
    };
    const Case cases[] = {
        {"", ValueSettings{}},
        {"ValueMarks=True\r\nValueDiscount=0.8\r\nValueHigh=1.35\r\nValueLow= 0.5 \r\n",
         ValueSettings{.marks = true, .discount = 80, .high = 135, .low = 50}},
        {"valuemarks=true\r\nValueDiscount=abc\r\nValueHigh=\r\nValueLow=-1\r\n", ValueSettings{}},
        {"ValueDiscount=0.49\r\nValueHigh=100\r\nValueLow=0.004\r\n", ValueSettings{}},
        {"ValueDiscount=1.5\r\nValueHigh=99.99\r\nValueLow=0.01\r\n",
         ValueSettings{.discount = 150, .high = 9999, .low = 1}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.Write(kSettingsFileName, std::string("[Options]\r\n") + c.lines);
        EXPECT_EQ(ReadSettings(dir.path()).value, c.expected) << c.lines;
    }
}

TEST(ValueSettings, SaveWritesItsKeysAndKeepsTheRest) {
    TempDir programDir;
    programDir.Write(kSettingsFileName, "[Options]\r\nTsort=True\r\n\r\n[Window]\r\nLeft=10\r\n");
    SaveValueSettings(programDir.path(),
                      ValueSettings{.marks = true, .discount = 75, .high = 105, .low = 900});
    EXPECT_EQ(testing::ReadBytes(programDir.path() / kSettingsFileName),
              "[Options]\r\nTsort=True\r\nValueMarks=True\r\nValueDiscount=0.75\r\n"
              "ValueHigh=1.05\r\nValueLow=9.00\r\n\r\n[Window]\r\nLeft=10\r\n");
    EXPECT_EQ(ReadSettings(programDir.path()).value,
              (ValueSettings{.marks = true, .discount = 75, .high = 105, .low = 900}));
    // out of range: stored at the nearest end
    SaveValueSettings(programDir.path(), ValueSettings{.discount = 10, .high = 0, .low = 20000});
    EXPECT_EQ(ReadSettings(programDir.path()).value,
              (ValueSettings{.marks = false, .discount = 50, .high = 1, .low = 9999}));
}

}  // namespace
}  // namespace orvikel
