// What a user reads when an action stops: Japanese, naming the file, field or folder it is
// about, a name outside CP932 spelled as the platform spells it; folder names that would
// break the settings file refused before they are saved; line 1 of a data file read only up
// to its limit.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "platform/error_text.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"
#include "settings/settings.hpp"
#include "shell/discovery.hpp"
#include "shell/race_header.hpp"

namespace orvikel::testing {
namespace {

namespace fs = std::filesystem;

fs::path Utf8Path(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The text shown for whatever the action throws.
template <class Action>
std::string Shown(Action action) {
    try {
        action();
    } catch (const std::exception& e) {
        return ErrorTextUtf8(e);
    }
    return "(no error)";
}

TEST(ErrorText, EveryKindOfErrorIsShownInJapanese) {
    struct Case {
        const char* what;
        std::function<void()> raise;
        std::string shown;
    };
    const Case cases[] = {
        {"a data error", [] { ThrowCannotOpen(std::string("/k/De-53b.jra")); },
         "ファイル /k/De-53b.jra は開けません"},
        {"a CP932 path", [] { ThrowCannotWrite(Utf8Path("/プログラム/QvDESo.dat")); },
         "/プログラム/QvDESo.dat に書き込めません"},
        {"a path CP932 cannot hold", [] { ThrowCannotWrite(Utf8Path("/José/😀/QvDESo.dat")); },
         "/José/😀/QvDESo.dat に書き込めません"},
        {"a file CP932 cannot hold that cannot be opened",
         [] { ThrowCannotOpen(Utf8Path("/café/QvHyou.dat")); },
         "ファイル /café/QvHyou.dat は開けません"},
        {"a NUL byte from a file, shown escaped with what follows it",
         [] { ThrowNotANumber("/k/Zo-53b.jra", "odds", std::string("1\0 2", 4)); },
         "/k/Zo-53b.jra: odds が数値ではありません: 「1\\0 2」"},
        {"a NUL byte beside a name CP932 cannot hold",
         [] { ThrowAboutPath(std::string("\0", 1), Utf8Path("/José/x"), ""); }, "\\0/José/x"},
        {"out of memory", [] { throw std::bad_alloc(); }, "メモリが足りません"},
        {"a fault of the program", [] { throw std::out_of_range("slot 7"); },
         "内部エラーです: slot 7"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Shown(c.raise), c.shown) << c.what;
    }
    EXPECT_EQ(UnknownErrorTextUtf8(), "原因のわからないエラーが起きました");
}

TEST(ErrorText, FieldsOfTheMeetingFileAndTheRaceHeaderAreNamedInJapanese) {
    struct Case {
        const char* what;
        bool meetingFile;
        int column;
        std::string bytes;
        std::string shown;  // after "<file>: "
    };
    const Case cases[] = {
        {"venue", true, 59, "x5", "場番号 (59-60) が数値ではありません: 「x5」"},
        {"venue out of range", true, 59, "11", "場番号 (59-60) が範囲外です: 「11」"},
        {"key A", true, 64, "x", "開催キーA (64) が数値ではありません: 「x」"},
        {"key B", true, 65, "0x", "開催キーB (65-66) が数値ではありません: 「0x」"},
        {"key C", true, 67, "x3", "開催キーC (67-68) が数値ではありません: 「x3」"},
        {"meeting number", false, 17, "x4", "開催回 (17-18) が数値ではありません: 「x4」"},
        {"day of meeting", false, 19, "x9", "開催日目 (19-20) が数値ではありません: 「x9」"},
        {"race number", false, 21, "1x", "レース番号 (21-22) が数値ではありません: 「1x」"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (c.meetingFile) {
            JraLine line(80);
            line.At(59, " 5").At(64, "1").At(65, "02").At(67, "03").At(c.column, c.bytes);
            const std::string file = dir.Write("Uy-a.jra", line.str() + "\r\n");
            Meetings meetings;
            EXPECT_EQ(Shown([&] { DiscoverMeetings(dir.DirText(), meetings); }),
                      U8(file) + ": " + c.shown)
                << c.what;
        } else {
            JraLine line(100);
            line.At(1, "20061029").AtU8(9, "東京").At(17, "04").At(19, "09").At(21, "11");
            line.At(c.column, c.bytes);
            RaceFiles files;
            files.exists[kRaceCard] = true;
            files.name[kRaceCard] = dir.Write("De-53b.jra", line.str() + "\r\n");
            RaceHeader header;
            EXPECT_EQ(Shown([&] { ShowRaceHeader(files, header); }),
                      U8(files.name[kRaceCard]) + ": " + c.shown)
                << c.what;
        }
    }
}

TEST(FolderSetting, ControlCharactersAndTextsCp932CannotHoldAreRefusedNamingTheFolder) {
    struct Case {
        const char* what;
        std::string typed;  // UTF-8, as the folder box or --data gives it
        std::string shown;  // empty: accepted
    };
    const Case cases[] = {
        {"a plain folder", "/kel/", ""},
        {"a Japanese folder", "C:\\競馬\\KEL\\", ""},
        {"a line break", "/kel\n/other/",
         "フォルダ名 /kel?/other/ には改行などの制御文字が含まれています"},
        {"a carriage return", "/kel/\r",
         "フォルダ名 /kel/? には改行などの制御文字が含まれています"},
        {"a tab", "/k\tel/", "フォルダ名 /k?el/ には改行などの制御文字が含まれています"},
        {"delete", "/kel\x7F/", "フォルダ名 /kel?/ には改行などの制御文字が含まれています"},
        {"a C1 next-line", "/kel\u0085/",
         "フォルダ名 /kel\u0085/ には Shift-JIS で表せない文字が含まれています"},
        {"an accent", "/Users/José/KEL/",
         "フォルダ名 /Users/José/KEL/ には Shift-JIS で表せない文字が含まれています"},
        {"an emoji", "/kel😀/", "フォルダ名 /kel😀/ には Shift-JIS で表せない文字が含まれています"},
    };
    for (const Case& c : cases) {
        if (c.shown.empty()) {
            EXPECT_EQ(U8(FolderSettingFromUtf8(c.typed)), c.typed) << c.what;
        } else {
            EXPECT_EQ(Shown([&] { FolderSettingFromUtf8(c.typed); }), c.shown) << c.what;
        }
    }
}

TEST(FolderSetting, ASaveWithALineBreakInTheFolderWritesNothing) {
    TempDir dir;
    const std::string old = "[Dir]\r\nKelDir=/old/\r\n";
    dir.Write(kSettingsFileName, old);
    for (const char* folder : {"/kel\r\n[Options]\r\nUS=1", "/kel\n", "\t/kel/"}) {
        EXPECT_THROW(SaveSettings(dir.path(),
                                  SettingsToSave{folder, std::string(lit::kSignDash), SortFlags{}}),
                     DataError)
            << folder;
        EXPECT_EQ(ReadBytes(dir.path() / kSettingsFileName), old);
    }
}

TEST(FirstLine, IsReadUpToItsLimitAndALongerOneIsRefusedAtOnce) {
    TempDir dir;
    const std::string limit(kMaxFirstLineBytes, 'x');
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        bool refused;
    };
    const Case cases[] = {
        {"exactly the limit, then a line end",
         [&](const fs::path& f) { std::ofstream(f, std::ios::binary) << limit << "\r\nrest"; },
         false},
        {"exactly the limit, no line end",
         [&](const fs::path& f) { std::ofstream(f, std::ios::binary) << limit; }, false},
        {"one byte over the limit",
         [&](const fs::path& f) { std::ofstream(f, std::ios::binary) << limit << "y\r\n"; }, true},
        {"2 GiB without a line end",
         [](const fs::path& f) {
             std::ofstream(f, std::ios::binary) << "";
             fs::resize_file(f, std::uintmax_t{2} << 30);
         },
         true},
    };
    for (const Case& c : cases) {
        const std::string file = dir.Write("De-53b.jra", "");
        c.make(text::NativePath(file));
        const auto start = std::chrono::steady_clock::now();
        if (c.refused) {
            EXPECT_EQ(Shown([&] { ReadFirstLine(file); }),
                      "ファイル " + U8(file) + " の1行目が 1 MiB を超えています")
                << c.what;
        } else {
            EXPECT_EQ(ReadFirstLine(file), limit) << c.what;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500))
            << c.what;
    }
}

}  // namespace
}  // namespace orvikel::testing
