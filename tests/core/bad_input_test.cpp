// Broken input on every reader: a complete made-up race whose one data file is replaced by a
// bad one per case, a settings file that is not what it should be, a program folder that
// cannot be written. Each must end in a DataError naming the file (or, where the input still
// makes sense, a normal display), never a crash, and never leave a work file or the settings
// file half-written or lost.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"
#include "sample/sample_folder.hpp"
#include "session_fixture.hpp"
#include "settings/settings.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FirstLine(const std::string& bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

// Offset just past the lead byte of the first double-byte character of line 1.
std::size_t InsideFirstDoubleByte(const std::string& bytes) {
    const std::string line = FirstLine(bytes);
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            return i + 1;
        }
    }
    return line.size() / 2;
}

std::string BinaryGarbage() {
    std::string line;
    for (int i = 0; i < 400; ++i) {
        const char c = static_cast<char>((i * 37 + 11) % 256);
        line += (c == '\r' || c == '\n') ? '\x7F' : c;
    }
    return line + "\r\n";
}

std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = ReadFileBytes(entry.path());
        }
    }
    return files;
}

// Every work file of the earlier good refresh is still there and either as it was or a
// complete new one (whole lines, CR LF after each); no temporary file is left.
void ExpectWorkFilesWhole(const fs::path& programDir,
                          const std::map<std::string, std::string>& before) {
    for (const auto& entry : fs::directory_iterator(programDir)) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
    for (const auto& [name, bytes] : before) {
        const fs::path file = programDir / name;
        ASSERT_TRUE(fs::is_regular_file(file)) << name << " was lost";
        const std::string now = ReadFileBytes(file);
        EXPECT_TRUE(now == bytes || now.empty() || now.ends_with("\r\n"))
            << name << " is half-written";
    }
}

// The made-up sample folder and the viewer on one of its races that has all seven kinds.
class SampleRace : public testing::CompleteSampleRace {
  protected:
    std::string FileOf(int kind) const {
        return RaceFileName(session_.settings().KelDir, session_.meetings(), session_.selection(),
                            kind, race_);
    }
    // The race click; the DataError message it ended with, if any.
    std::optional<std::string> ClickRace() {
        try {
            session_.ClickRace(race_);
        } catch (const DataError& e) {
            return std::string(e.what());
        }
        return std::nullopt;
    }
};

// What a case does to the data file (given its path and good bytes) after discovery found it.
struct BadFileCase {
    const char* name;
    bool mustFail;  // false: the input may still make sense; it must not break anything
    bool needsNonRoot;
    std::function<void(const fs::path&, const std::string&)> apply;
};

void Replace(const fs::path& file, std::string_view bytes) {
    WriteBytes(file, bytes);
}

const std::vector<BadFileCase>& BadFileCases() {
    static const std::vector<BadFileCase> cases{
        {"cut inside the first field", false, false,
         [](const fs::path& f, const std::string& good) { Replace(f, good.substr(0, 3)); }},
        {"cut in the middle of line 1", false, false,
         [](const fs::path& f, const std::string& good) {
             Replace(f, good.substr(0, FirstLine(good).size() / 2));
         }},
        {"cut one byte before the end of line 1", false, false,
         [](const fs::path& f, const std::string& good) {
             Replace(f, good.substr(0, FirstLine(good).size() - 1));
         }},
        {"cut inside a double-byte character", false, false,
         [](const fs::path& f, const std::string& good) {
             Replace(f, good.substr(0, InsideFirstDoubleByte(good)));
         }},
        {"empty file", true, false, [](const fs::path& f, const std::string&) { Replace(f, ""); }},
        {"a line of binary garbage", true, false,
         [](const fs::path& f, const std::string&) { Replace(f, BinaryGarbage()); }},
        {"a folder in place of the file", true, false,
         [](const fs::path& f, const std::string&) {
             fs::remove(f);
             fs::create_directory(f);
         }},
        {"the file vanished after discovery", true, false,
         [](const fs::path& f, const std::string&) { fs::remove(f); }},
        {"50 MB: the good lines and a sparse tail", false, false,
         [](const fs::path& f, const std::string&) { fs::resize_file(f, 50u << 20); }},
        {"50 MB without a line break", true, false,
         [](const fs::path& f, const std::string&) {
             Replace(f, "");
             fs::resize_file(f, 50u << 20);
         }},
        {"unreadable file", true, true,
         [](const fs::path& f, const std::string&) {
             fs::permissions(f, fs::perms::none, fs::perm_options::replace);
         }},
    };
    return cases;
}

// File modes stop reads and writes only for a POSIX user other than root; on Windows they
// only set the read-only attribute.
bool FileModesHold() {
#ifdef _WIN32
    return false;
#else
    return geteuid() != 0;
#endif
}

TEST_F(SampleRace, EveryBadFileCaseOnEveryDataKindEndsInADataErrorNamingTheFile) {
    const bool root = !FileModesHold();
    if (root) {
        std::cout << "note: running as root or on Windows, where file modes do not stop reads: "
                     "the \"unreadable file\" case is skipped (a folder in place of the file "
                     "covers a file that cannot be opened)\n";
    }
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        const std::string name = FileOf(kind);
        const fs::path file = text::NativePath(name);
        const std::string baseName = file.filename().string();
        const std::string good = ReadFileBytes(file);
        for (const auto& c : BadFileCases()) {
            if (c.needsNonRoot && root) {
                continue;
            }
            SCOPED_TRACE(baseName + ": " + c.name);
            const auto before = Snapshot(program());
            c.apply(file, good);
            const auto error = ClickRace();
            if (c.mustFail) {
                EXPECT_TRUE(error.has_value());
            }
            if (error) {
                EXPECT_NE(error->find(baseName), std::string::npos) << U8(*error);
            }
            ExpectWorkFilesWhole(program(), before);

            // Put the good file back: the next click shows the race again.
            std::error_code ec;
            fs::permissions(file, fs::perms::owner_all, fs::perm_options::add, ec);
            fs::remove_all(file, ec);
            WriteBytes(file, good);
            EXPECT_FALSE(ClickRace().has_value());
        }
    }
}

// --- The settings file ---------------------------------------------------------------------

struct SettingsCase {
    const char* name;
    std::string bytes;
    bool saveRefused;  // the old file must stay exactly as it was
};

std::string Utf16Le(std::string_view ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST(BadSettingsFile, ReadsGiveDefaultsOrValuesAndSavesNeverMixOrLoseTheFile) {
    const std::string ini = "[Dir]\r\nKelDir=/kel/\r\n[Options]\r\nTsort=True\r\n";
    const std::vector<SettingsCase> cases{
        {"UTF-16 with a byte-order mark", Utf16Le(ini), true},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + ini, false},
        {"a NUL byte in a value", "[Dir]\r\nKelDir=/k\0el/\r\n"s, true},
        {"duplicate sections", ini + "[Options]\r\nTsort=false\r\nX=1\r\n[Dir]\r\nKelDir=/b/\r\n",
         false},
        {"cut inside a section name", "[Dir]\r\nKelDir=/kel/\r\n[Opti", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path file = dir.path() / kSettingsFileName;
        WriteBytes(file, c.bytes);
        const Settings read = ReadSettings(dir.path());
        if (c.saveRefused) {
            EXPECT_EQ(read.KelDir, "");
            EXPECT_EQ(read.sort.Tsort, "false");
        }
        SettingsToSave values;
        values.folderField = "/new/";
        values.MinusSign = lit::kSignDash;
        values.sort.Usort = "True";
        try {
            SaveSettings(dir.path(), values);
            EXPECT_FALSE(c.saveRefused) << "saved over a file in another encoding";
            const Settings again = ReadSettings(dir.path());
            EXPECT_EQ(again.KelDir, "/new/");
            EXPECT_EQ(again.MinusSign, lit::kSignDash);
            EXPECT_EQ(again.sort.Usort, "True");
        } catch (const DataError& e) {
            EXPECT_TRUE(c.saveRefused) << U8(e.what());
            EXPECT_NE(std::string(e.what()).find(kSettingsFileName), std::string::npos);
            EXPECT_EQ(ReadFileBytes(file), c.bytes);
        }
        EXPECT_FALSE(fs::exists(dir.path() / "OrviKV.ini.tmp"));
    }
}

TEST(BadSettingsFile, AFolderInPlaceOfTheFileGivesDefaultsAndASaveErrorNamingIt) {
    TempDir dir;
    fs::create_directory(dir.path() / kSettingsFileName);
    EXPECT_EQ(ReadSettings(dir.path()).sort.Tsort, "false");
    try {
        SaveSettings(dir.path(), SettingsToSave{"/new/", std::string(lit::kSignDash), SortFlags{}});
        ADD_FAILURE() << "saved over a folder";
    } catch (const DataError& e) {
        EXPECT_NE(std::string(e.what()).find(kSettingsFileName), std::string::npos);
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / kSettingsFileName));
}

// --- A program folder that cannot be written ------------------------------------------------

TEST_F(SampleRace, AProgramFolderThatIsAFileStopsTheRefreshAndTheSaveWithTheirFileNamed) {
    ViewerSession blocked(dir_.path() / "not-a-folder");
    WriteBytes(dir_.path() / "not-a-folder", "x");
    blocked.Create(session_.settings());
    try {
        blocked.ClickVenue(1);
        ADD_FAILURE() << "refresh wrote into a file";
    } catch (const DataError& e) {
        const std::string named = text::PathText(fs::path("not-a-folder") / "Qv");
        EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << U8(e.what());
    }
    try {
        SaveSettings(dir_.path() / "not-a-folder", SettingsToSave{"/new/", "", SortFlags{}});
        ADD_FAILURE() << "settings saved into a file";
    } catch (const DataError& e) {
        EXPECT_NE(std::string(e.what()).find(kSettingsFileName), std::string::npos);
    }
    EXPECT_EQ(ReadFileBytes(dir_.path() / "not-a-folder"), "x");
}

// A folder standing where one work file goes: that write fails and names the file, the files
// written before it are whole, and no temporary file is left.
TEST_F(SampleRace, AFolderInPlaceOfAWorkFileStopsTheRefreshAndNamesIt) {
    for (const char* name : {"QvDESo.dat", "QvYONo.dat", "QvHyou.dat"}) {
        SCOPED_TRACE(name);
        const auto before = Snapshot(program());
        fs::remove(program() / name);
        fs::create_directories(program() / name / "keep");
        const auto error = ClickRace();
        ASSERT_TRUE(error.has_value());
        EXPECT_NE(error->find(name), std::string::npos) << U8(*error);
        auto rest = before;
        rest.erase(name);
        ExpectWorkFilesWhole(program(), rest);
        fs::remove_all(program() / name);
        EXPECT_FALSE(ClickRace().has_value());
    }
}

// The disk fills up in the middle of a write: the refresh stops naming the file, and the
// settings save too, each old file staying as it was.
TEST_F(SampleRace, AFullDiskKeepsTheOldFilesAndNamesTheFirstOneItStopped) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit to stand in for a full disk";
#else
    const auto before = Snapshot(program());
    std::optional<std::string> error;
    {
        const FileSizeLimit full(1);
        error = ClickRace();
    }
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("QvDESo.dat"), std::string::npos) << U8(*error);
    EXPECT_EQ(Snapshot(program()), before);

    SaveSettings(program(), SettingsToSave{"/old/", "", SortFlags{}});
    const std::string old = ReadFileBytes(program() / kSettingsFileName);
    {
        const FileSizeLimit full(1);
        EXPECT_THROW(SaveSettings(program(), SettingsToSave{"/new/", "", SortFlags{}}), DataError);
    }
    EXPECT_EQ(ReadFileBytes(program() / kSettingsFileName), old);
#endif
}

TEST_F(SampleRace, AProgramFolderWithoutWriteAccessKeepsEveryWorkFile) {
    if (!FileModesHold()) {
        GTEST_SKIP() << "running as root or on Windows, where folder modes do not stop writes; "
                        "the folder that is a file and the full disk cover this";
    }
    const auto before = Snapshot(program());
    fs::permissions(program(), fs::perms::owner_read | fs::perms::owner_exec,
                    fs::perm_options::replace);
    const auto error = ClickRace();
    fs::permissions(program(), fs::perms::owner_all, fs::perm_options::replace);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("Qv"), std::string::npos) << U8(*error);
    EXPECT_EQ(Snapshot(program()), before);
}

}  // namespace
}  // namespace orvikel::testing
