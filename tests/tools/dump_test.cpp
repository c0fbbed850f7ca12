// orvikel-dump: its fixed command line, in-process, and end to end on a generated demo folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <chrono>
#include <map>
#include <streambuf>

#include "csv_reader.hpp"
#include "dump/dump_command.hpp"
#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"
#include "run_program.hpp"
#include "shell/discovery.hpp"
#include "trio/trio_points.hpp"
#include "value/value_model.hpp"

#ifndef _WIN32
extern char** environ;
#endif

namespace orvikel {
namespace {

namespace fs = std::filesystem;

struct DumpRun {
    int status = -1;
    std::string out;
    std::string err;
};

DumpRun RunInProcess(const std::vector<std::string>& args, const fs::path& exeDir) {
    std::ostringstream out;
    std::ostringstream err;
    DumpRun run;
    run.status = dump::RunDump(args, exeDir, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string PathArg(const fs::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

// KEY<TAB>VALUE items in order.
std::vector<std::pair<std::string, std::string>> Items(const std::string& out) {
    std::vector<std::pair<std::string, std::string>> items;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        items.emplace_back(line.substr(0, tab),
                           tab == std::string::npos ? std::string() : line.substr(tab + 1));
    }
    return items;
}

std::vector<std::string> Values(const std::string& out, const std::string& key) {
    std::vector<std::string> values;
    for (const auto& [k, v] : Items(out)) {
        if (k == key) {
            values.push_back(v);
        }
    }
    return values;
}

class DemoFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        data_ = tmp_.path() / "data";
        out_ = tmp_.path() / "out";
        fs::create_directories(out_);
        ASSERT_EQ(testing::RunProgram(ORVIKEL_SAMPLE_EXE, {PathArg(data_), "--seed", "7"}), 0);
    }
    DumpRun Dump(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", PathArg(data_), "--out", PathArg(out_)});
        return RunInProcess(args, tmp_.path());
    }

    testing::TempDir tmp_;
    fs::path data_;
    fs::path out_;
};

TEST(DumpUsage, WrongUsageExitsWithTwoAndTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--race", "3"},
        {"--meeting", "7"},
        {"--meeting", "0"},
        {"--meeting", "1", "--race", "13"},
        {"--meeting", "1", "--trio", "box"},
        {"--meeting", "1", "--horses", "1,2"},
        {"--meeting", "1", "--trio", "boxes", "--horses", "1"},
        {"--meeting", "1", "--trio", "box", "--horses", "1,19"},
        {"--meeting", "1", "--trio", "box", "--horses", "1,,2"},
        {"--meeting", "1", "--trio-order", "odds"},
        {"--meeting", "1", "--bogus"},
        {"--meeting"},
    };
    for (const auto& args : cases) {
        const DumpRun run = RunInProcess(args, fs::temp_directory_path());
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("使い方: orvikel-dump"), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(DumpUsage, HelpPrintsTheUsage) {
    const DumpRun run = RunInProcess({"--help"}, fs::temp_directory_path());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--trio box|wheel --horses N[,N...]"), std::string::npos);
}

TEST_F(DemoFolder, AnEmptySlotOrFolderExitsWithThree) {
    testing::TempDir empty;
    const DumpRun run = RunInProcess(
        {"--data", PathArg(empty.path()), "--meeting", "1", "--out", PathArg(out_)}, tmp_.path());
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("スロット 1 に開催がありません"), std::string::npos);
}

TEST_F(DemoFolder, PrintsTheItemsInOrderAndWritesEveryWorkFile) {
    const DumpRun run = Dump({"--meeting", "1", "--race", "1", "--grid"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto items = Items(run.out);
    const std::vector<std::string> head = {
        "race",       "EditYMDR",  "EditTokubetu", "EditJikoku", "EditJyouken",
        "EditCourse", "EditKyori", "EditTousuu",   "GBOdds1",    "GBOdds2",
        "GBOdds3",    "GBOdds4",   "GBOdds5"};
    ASSERT_GE(items.size(), head.size());
    for (std::size_t i = 0; i < head.size(); ++i) {
        EXPECT_EQ(items[i].first, head[i]);
    }
    EXPECT_EQ(items[0].second, "1");
    EXPECT_NE(items[1].second.find("第1Ｒ"), std::string::npos);
    EXPECT_EQ(items[12].second.rfind("３連複 [", 0), 0u);

    const auto grid = Values(run.out, "DEGrid");
    ASSERT_EQ(grid.size(), 18u);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        EXPECT_EQ(grid[i].substr(0, grid[i].find('\t')), std::to_string(i + 1));
        EXPECT_EQ(std::count(grid[i].begin(), grid[i].end(), '\t'), 11);
    }
    EXPECT_FALSE(Values(run.out, "MemoSeiseki").empty());

    for (const char* name :
         {"QvDESo.dat", "QvDENo.dat", "QvTSo.dat", "QvTNo.dat", "QvFSo.dat", "QvFNo.dat",
          "QvZOSo.dat", "QvZONo.dat", "QvUOSo.dat", "QvUONo.dat", "QvKOSo.dat", "QvKONo.dat",
          "QvSOSo.dat", "QvSONo.dat", "QvYOSo.dat", "QvYONo.dat", "QvHyou.dat"}) {
        EXPECT_TRUE(fs::is_regular_file(out_ / name)) << name;
    }
    // The grid of the default number order is the number-order race card, cut and widened.
    const auto card = SplitLines(ReadFileBytes(out_ / "QvDENo.dat"));
    ASSERT_EQ(card.size(), 18u);
    const std::string firstName = text::FullWidthUtf8(card[0].substr(25, 18));
    EXPECT_NE(grid[0].find(firstName), std::string::npos);
}

TEST_F(DemoFolder, TrioBoxPrintsTheExtractionAndRefusesTheEleventhHorse) {
    const DumpRun box = Dump({"--meeting", "1", "--race", "1", "--trio", "box", "--horses", "1,2,3",
                              "--trio-order", "number"});
    ASSERT_EQ(box.status, 0) << box.err;
    const auto memo = Values(box.out, "MemoOdds5");
    ASSERT_EQ(memo.size(), 1u);
    EXPECT_EQ(memo[0].substr(0, 8), " 1- 2- 3");
    EXPECT_TRUE(Values(box.out, "notice").empty());

    const DumpRun many = Dump(
        {"--meeting", "1", "--race", "1", "--trio", "box", "--horses", "1,2,3,4,5,6,7,8,9,10,11"});
    ASSERT_EQ(many.status, 0) << many.err;
    EXPECT_EQ(Values(many.out, "notice"),
              std::vector<std::string>{"BOX総流しパネルの、チェックの数が多すぎます！"});
    // The BOX of the first ten: 120 trios, between the separators of the number order.
    const auto lines = Values(many.out, "MemoOdds5");
    EXPECT_EQ(std::count_if(
                  lines.begin(), lines.end(),
                  [](const std::string& line) { return line.find("---") == std::string::npos; }),
              120);
}

// The installed program itself, as a user or a script runs it: exit status, items on standard
// output, the work files in --out.
TEST_F(DemoFolder, TheExecutablePrintsTheRaceAndWritesItsWorkFiles) {
    const fs::path out = tmp_.path() / "exe-out";
    const fs::path stdoutFile = tmp_.path() / "stdout.txt";
    const int status = testing::RunProgram(
        ORVIKEL_DUMP_EXE,
        {"--data", PathArg(data_), "--meeting", "1", "--race", "2", "--out", PathArg(out)},
        stdoutFile);
    EXPECT_EQ(status, 0);
    std::string printed = ReadFileBytes(stdoutFile);
    std::erase(printed, '\r');  // a Windows console program ends its lines with CR LF
    EXPECT_EQ(Values(printed, "race"), std::vector<std::string>{"2"});
    EXPECT_EQ(Values(printed, "MemoSeiseki").empty(), false);
    // The same items as the in-process command over the same folder.
    const DumpRun inProcess = Dump({"--meeting", "1", "--race", "2"});
    EXPECT_EQ(printed, inProcess.out);
    EXPECT_EQ(ReadFileBytes(out / "QvYONo.dat"), ReadFileBytes(out_ / "QvYONo.dat"));
    EXPECT_EQ(ReadFileBytes(out / "QvHyou.dat"), ReadFileBytes(out_ / "QvHyou.dat"));

    EXPECT_EQ(testing::RunProgram(ORVIKEL_DUMP_EXE, {"--data", PathArg(tmp_.path()), "--meeting",
                                                     "6", "--out", PathArg(out)}),
              3);
}

TEST_F(DemoFolder, ABrokenDataFileStopsWithOneAndNamesTheFile) {
    // Replace race 1's Zo file of meeting 1 by one whose first win odds are not a number.
    const std::string kelDir = text::PathText(data_) + "/";
    Meetings meetings;
    DiscoverMeetings(kelDir, meetings);
    Selection selection;
    selection.SelectedMeeting = 1;
    selection.SelectedVenue = meetings.slot[1].Venue;
    const fs::path zo = text::NativePath(RaceFileName(kelDir, meetings, selection, kWinPlace, 1));
    ASSERT_TRUE(fs::is_regular_file(zo));
    const std::string bytes = ReadFileBytes(zo);
    std::ofstream(zo, std::ios::binary) << bytes.substr(0, 145) + "abcde" + bytes.substr(150);
    const DumpRun run = Dump({"--meeting", "1", "--race", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(PathArg(zo.filename())), std::string::npos) << run.err;
}

// --- Errors a user can read, and a failed output ---------------------------------------------

TEST_F(DemoFolder, AnUnusableDataFolderNameStopsWithOneAndNamesIt) {
    struct Case {
        const char* what;
        std::string data;
        std::string err;
    };
    const Case cases[] = {
        {"a line break", PathArg(data_) + "\n",
         "orvikel-dump: フォルダ名 " + PathArg(data_) +
             "? には改行などの制御文字が含まれています\n"},
        {"an accent", PathArg(tmp_.path() / fs::path(u8"café")),
         "orvikel-dump: フォルダ名 " + PathArg(tmp_.path() / fs::path(u8"café")) +
             " には Shift-JIS で表せない文字が含まれています\n"},
    };
    for (const Case& c : cases) {
        const DumpRun run =
            RunInProcess({"--data", c.data, "--meeting", "1", "--out", PathArg(out_)}, tmp_.path());
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_EQ(run.err, c.err) << c.what;
    }
}

// A folder or settings file named on the command line that is not there is said as such,
// not taken for an empty slot or for every default.
TEST_F(DemoFolder, AMissingDataFolderOrSettingsFileNamedOnTheCommandLineStopsWithOne) {
    const std::string missing = PathArg(tmp_.path() / "missing");
    const std::string folder = PathArg(tmp_.path());
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {"--data missing",
         {"--data", missing},
         "orvikel-dump: データフォルダ " + missing + " がありません\n"},
        {"--ini missing",
         {"--ini", missing, "--data", PathArg(data_)},
         "orvikel-dump: 設定ファイル " + missing + " がありません\n"},
        {"--ini a folder",
         {"--ini", folder, "--data", PathArg(data_)},
         "orvikel-dump: 設定ファイル " + folder + " はファイルではありません\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--meeting", "1", "--out", PathArg(out_)});
        const DumpRun run = RunInProcess(args, tmp_.path());
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_EQ(run.err, c.err) << c.what;
        EXPECT_EQ(run.out, "") << c.what;
    }
}

// A dump killed during a write leaves its temporary file; the next dump removes it, as a
// viewer starting on the folder would.
TEST_F(DemoFolder, TheNextDumpRemovesTheTemporaryFilesOfAKilledOne) {
    const fs::path stale = out_ / "QvDESo.dat.4242.0a1b2c3d.tmp";
    std::ofstream(stale) << "half";
    const fs::path notOurs = out_ / "notes.txt.4242.0a1b2c3d.tmp";
    std::ofstream(notOurs) << "kept";
    EXPECT_EQ(Dump({"--meeting", "1", "--race", "1"}).status, 0);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(notOurs));
}

// A stream that takes nothing, as a full disk or a closed file would.
class RefusingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(DemoFolder, AnOutputThatCannotBeWrittenExitsWithOne) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--data", PathArg(data_), "--meeting", "1", "--out",
                                   PathArg(out_)},
          std::vector<std::string>{"--help"}}) {
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        std::ostringstream err;
        EXPECT_EQ(dump::RunDump(args, tmp_.path(), out, err), 1) << args[0];
        EXPECT_EQ(err.str(), "orvikel-dump: 標準出力に書き込めません\n");
    }
    // The program itself, its output sent to a full device.
#ifndef _WIN32
    if (fs::exists("/dev/full")) {
        const std::string command = std::string(ORVIKEL_DUMP_EXE) + " --data '" + PathArg(data_) +
                                    "' --meeting 1 --out '" + PathArg(out_) + "' > /dev/full 2>'" +
                                    PathArg(tmp_.path() / "err.txt") + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        EXPECT_EQ(ReadFileBytes(tmp_.path() / "err.txt"),
                  "orvikel-dump: 標準出力に書き込めません\n");
    }
#endif
}

// The memory limit and the process runs below use the POSIX shell and posix_spawn.
#ifndef _WIN32

// A race-card file of 2 GiB without a line end, read under a 512 MiB memory limit: refused at
// once with the file named, where reading it whole ran out of memory after many seconds.
TEST_F(DemoFolder, AHugeLineOneIsRefusedQuicklyInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    const std::string kelDir = text::PathText(data_) + "/";
    Meetings meetings;
    DiscoverMeetings(kelDir, meetings);
    Selection selection;
    selection.SelectedMeeting = 1;
    selection.SelectedVenue = meetings.slot[1].Venue;
    const fs::path de = text::NativePath(RaceFileName(kelDir, meetings, selection, kRaceCard, 1));
    ASSERT_TRUE(fs::is_regular_file(de));
    std::ofstream(de, std::ios::binary | std::ios::trunc) << "";
    fs::resize_file(de, std::uintmax_t{2} << 30);
    const fs::path err = tmp_.path() / "err.txt";
    const std::string command = "ulimit -v 524288; " + std::string(ORVIKEL_DUMP_EXE) + " --data '" +
                                PathArg(data_) + "' --meeting 1 --race 1 --out '" + PathArg(out_) +
                                "' >/dev/null 2>'" + PathArg(err) + "'";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadFileBytes(err),
              "orvikel-dump: ファイル " + PathArg(de) + " の1行目が 1 MiB を超えています\n");
    EXPECT_LT(took, std::chrono::seconds(1));
}

// --- Two writers on one folder ------------------------------------------------------------

struct Spawned {
    pid_t pid = -1;
    fs::path out;
};

// Starts orvikel-dump with its standard output in outFile, without waiting for it.
Spawned SpawnDump(const std::vector<std::string>& args, const fs::path& outFile) {
    std::vector<std::string> all{ORVIKEL_DUMP_EXE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = PathArg(outFile);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Spawned spawned;
    spawned.out = outFile;
    EXPECT_EQ(posix_spawn(&spawned.pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return spawned;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The work files of a folder: not its lock, nor the odds history (OrviKV.db and SQLite's
// -wal and -shm beside it), which keeps both races by design.
std::map<std::string, std::string> WorkFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name != "OrviKV.lock" && name.rfind("OrviKV.db", 0) != 0) {
            files[name] = ReadFileBytes(entry.path());
        }
    }
    return files;
}

// Two runs of different races into one --out folder at once, again and again: both finish,
// each prints its own race, and the work files afterwards are the whole set of one of them.
TEST_F(DemoFolder, TwoRunsIntoOneFolderAtOnceLeaveTheWholeSetOfOne) {
    const auto args = [&](const char* race, const fs::path& out) {
        return std::vector<std::string>{"--data", PathArg(data_), "--meeting", "1",
                                        "--race", race,           "--out",     PathArg(out)};
    };
    // Each race alone, in a folder of its own.
    std::array<std::map<std::string, std::string>, 2> alone;
    std::array<std::string, 2> printed;
    const std::array<const char*, 2> races{"1", "2"};
    for (std::size_t i = 0; i < 2; ++i) {
        const fs::path dir = tmp_.path() / ("alone" + std::to_string(i));
        fs::create_directories(dir);
        const Spawned run = SpawnDump(args(races[i], dir), tmp_.path() / "alone.txt");
        ASSERT_EQ(ExitStatus(run.pid), 0);
        alone[i] = WorkFiles(dir);
        printed[i] = ReadFileBytes(run.out);
    }
    ASSERT_NE(alone[0], alone[1]);

    const fs::path shared = tmp_.path() / "shared";
    std::array<int, 2> lastWriter{0, 0};
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        fs::remove_all(shared);
        fs::create_directories(shared);
        std::array<Spawned, 2> runs;
        for (std::size_t i = 0; i < 2; ++i) {
            runs[i] = SpawnDump(args(races[i], shared),
                                tmp_.path() / ("out" + std::to_string(i) + ".txt"));
        }
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(ExitStatus(runs[i].pid), 0);
            EXPECT_EQ(ReadFileBytes(runs[i].out), printed[i]);
        }
        const auto files = WorkFiles(shared);
        const bool first = files == alone[0];
        const bool second = files == alone[1];
        EXPECT_TRUE(first || second) << "the work files mix the two races";
        ++lastWriter[second ? 1 : 0];
    }
    std::printf("last writer: race 1 in %d rounds, race 2 in %d\n", lastWriter[0], lastWriter[1]);
}

// A folder in the place of the lock file: the lock cannot be taken in a folder that can be
// written, so no run goes on unlocked beside another (which showed the other race's lists
// with exit 0): every run stops with 1 and names the lock file; one that did finish would
// have to print its own race.
TEST_F(DemoFolder, ALockFileThatIsAFolderStopsEveryConcurrentRunNamingIt) {
    const fs::path shared = tmp_.path() / "shared";
    fs::create_directories(shared / "OrviKV.lock");
    const auto args = [&](const char* race) {
        return std::vector<std::string>{"--data", PathArg(data_), "--meeting", "1",
                                        "--race", race,           "--out",     PathArg(shared)};
    };
    const std::array<const char*, 2> races{"1", "2"};
    std::array<std::string, 2> printed;
    for (std::size_t i = 0; i < 2; ++i) {
        printed[i] = RunInProcess(args(races[i]), tmp_.path() / "alone" / races[i]).out;
    }
    const DumpRun one = RunInProcess(args("1"), tmp_.path());
    EXPECT_EQ(one.status, dump::kExitRefreshFailed);
    EXPECT_EQ(one.err, "orvikel-dump: ファイル " + PathArg(shared / "OrviKV.lock") +
                           " をロックできません\n");

    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        std::array<Spawned, 2> runs;
        for (std::size_t i = 0; i < 2; ++i) {
            runs[i] = SpawnDump(args(races[i]), tmp_.path() / ("out" + std::to_string(i) + ".txt"));
        }
        for (std::size_t i = 0; i < 2; ++i) {
            const int status = ExitStatus(runs[i].pid);
            EXPECT_EQ(status, dump::kExitRefreshFailed);
            if (status == 0) {
                EXPECT_EQ(ReadFileBytes(runs[i].out), printed[i]) << "another race's lists";
            }
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}
#endif

// The ranked lines of the extraction as it is shown, and what the set's items must say of them.
struct ShownSet {
    int ranked = 0;
    int others = 0;
    std::vector<std::int64_t> odds;
};

ShownSet SetOf(const std::vector<std::string>& memoLines) {
    ShownSet set;
    for (const auto& line : memoLines) {
        if (line.rfind("#", 0) == 0 || line.rfind("  -", 0) == 0) {
            continue;  // separators of the combination order
        }
        if (line.find('[') == std::string::npos) {
            ++set.others;
            continue;
        }
        ++set.ranked;
        const auto odds = ParseDecimal(line.substr(9, 6));
        EXPECT_TRUE(odds.has_value()) << line;
        set.odds.push_back(static_cast<std::int64_t>(*odds * 10 + 0.5));
    }
    return set;
}

TEST_F(DemoFolder, TrioItemsGiveThePointsAndCombinedOddsOfTheShownSet) {
    struct Case {
        const char* mode;
        const char* horses;
        const char* order;
    };
    const Case cases[] = {{"box", "1,2,3,4,5", "popularity"},
                          {"box", "2,4,6,8,10,12,14", "number"},
                          {"wheel", "3", "number"},
                          {"wheel", "1,2", "popularity"}};
    for (const auto& c : cases) {
        const DumpRun run = Dump({"--meeting", "1", "--race", "1", "--trio", c.mode, "--horses",
                                  c.horses, "--trio-order", c.order});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto items = Items(run.out);
        ASSERT_GE(items.size(), 4U);
        // the three items close the output, right after the extraction
        const std::size_t n = items.size();
        EXPECT_EQ(items[n - 4].first, "MemoOdds5") << c.horses;
        EXPECT_EQ(items[n - 3].first, "trio.points");
        EXPECT_EQ(items[n - 2].first, "trio.excluded");
        EXPECT_EQ(items[n - 1].first, "trio.combined");
        const ShownSet set = SetOf(Values(run.out, "MemoOdds5"));
        EXPECT_GT(set.ranked, 0) << c.horses;
        EXPECT_EQ(items[n - 3].second, std::to_string(set.ranked)) << c.horses;
        EXPECT_EQ(items[n - 2].second, std::to_string(set.others)) << c.horses;
        EXPECT_EQ(items[n - 1].second, TenthsText(CombinedOddsTenths(set.odds))) << c.horses;
    }
    // fewer than three BOX horses extract nothing: no points and no combined odds
    const DumpRun two = Dump({"--meeting", "1", "--race", "1", "--trio", "box", "--horses", "1,2"});
    ASSERT_EQ(two.status, 0) << two.err;
    EXPECT_EQ(Values(two.out, "trio.points"), std::vector<std::string>{"0"});
    EXPECT_EQ(Values(two.out, "trio.excluded"), std::vector<std::string>{"0"});
    EXPECT_EQ(Values(two.out, "trio.combined"), std::vector<std::string>{""});
    // without --trio the items are not printed
    EXPECT_TRUE(Values(Dump({"--meeting", "1", "--race", "1"}).out, "trio.points").empty());
}

TEST_F(DemoFolder, ValueItemsFollowTheTrioItemsInKindAndNumberOrder) {
    const DumpRun run =
        Dump({"--meeting", "1", "--race", "11", "--value", "--trio", "box", "--horses", "1,2,3"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto items = Items(run.out);
    std::size_t first = items.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].first == "value") {
            first = std::min(first, i);
            last = i;
        }
    }
    ASSERT_LT(first, items.size()) << "no value item";
    EXPECT_EQ(items[first - 1].first, "trio.combined");
    EXPECT_EQ(last, items.size() - 1);
    const std::vector<std::string> kinds{"place", "bracket-quinella", "quinella",
                                         "wide",  "exacta",           "trio"};
    std::vector<std::string> seen;
    std::vector<int> previous;
    for (std::size_t i = first; i <= last; ++i) {
        ASSERT_EQ(items[i].first, "value") << i;
        std::vector<std::string> fields;
        std::istringstream in(items[i].second);
        for (std::string field; std::getline(in, field, '\t');) {
            fields.push_back(field);
        }
        ASSERT_EQ(fields.size(), 5U) << items[i].second;
        std::vector<int> numbers;
        std::istringstream combination(fields[1]);
        for (std::string number; std::getline(combination, number, '-');) {
            numbers.push_back(static_cast<int>(*ParseInteger(number)));
        }
        if (seen.empty() || seen.back() != fields[0]) {
            seen.push_back(fields[0]);
            previous.clear();
        }
        EXPECT_LT(previous, numbers) << items[i].second;  // number order, each once
        previous = numbers;
        // the odds as a plain number of at least 1.0; the gap is odds over theoretical, cut
        const auto odds = ParseTenths(fields[2]);
        const auto theoretical = ParseTenths(fields[3]);
        ASSERT_TRUE(odds && theoretical) << items[i].second;
        EXPECT_GE(*odds, 10) << items[i].second;
        EXPECT_EQ(fields[4], HundredthsText(*odds * 100 / *theoretical)) << items[i].second;
    }
    EXPECT_EQ(seen, kinds);
    // without --value nothing of it
    EXPECT_TRUE(Values(Dump({"--meeting", "1", "--race", "11"}).out, "value").empty());
}

// One line of an odds list in number order, as a CSV row would give it: the combination with
// blanks around its hyphens, the odds (or bounds) as shown, the rank, and the state's word.
std::vector<std::string> ListLineAsRow(const std::string& cp932Line, int combWidth, bool wide) {
    const std::string line = text::ToUtf8(cp932Line);
    std::string combination;
    for (char c : line.substr(0, static_cast<std::size_t>(combWidth))) {
        if (c == '-') {
            combination += " - ";
        } else if (c != ' ') {
            combination += c;
        }
    }
    const std::string rest = line.substr(static_cast<std::size_t>(combWidth) + 1);
    const auto trim = [](std::string text) {
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    std::vector<std::string> row{combination};
    const auto open = rest.find('[');
    if (rest.find("ﾄﾘｹｼ") != std::string::npos) {
        row.insert(row.end(), wide ? 3 : 2, "");
        row.push_back("");  // 取消 or 出走取消: checked by the caller
        return row;
    }
    const std::string value = trim(open == std::string::npos ? rest : rest.substr(0, open));
    const bool ranked = open != std::string::npos;
    if (wide) {
        const auto dash = value.find('-');
        row.push_back(ranked ? trim(value.substr(0, dash)) : "");
        row.push_back(ranked ? trim(value.substr(dash + 1)) : "");
    } else {
        row.push_back(ranked ? value : "");
    }
    row.push_back(ranked ? trim(rest.substr(open + 1, rest.find(']') - open - 1)) : "");
    row.push_back(ranked ? "" : "1.0倍未満");
    return row;
}

// The --value items as (kind, combination) -> (theoretical, gap).
std::map<std::pair<std::string, std::string>, std::pair<std::string, std::string>> ValueItems(
    const std::string& out) {
    std::map<std::pair<std::string, std::string>, std::pair<std::string, std::string>> items;
    for (const std::string& item : Values(out, "value")) {
        std::vector<std::string> fields;
        std::istringstream in(item);
        for (std::string field; std::getline(in, field, '\t');) {
            fields.push_back(field);
        }
        EXPECT_EQ(fields.size(), 5U) << item;
        fields.resize(5);
        items[{fields[0], fields[1]}] = {fields[3], fields[4]};
    }
    return items;
}

// "1 - 2" as --value writes it: "1-2".
std::string WithoutBlanks(std::string combination) {
    std::erase(combination, ' ');
    return combination;
}

TEST_F(DemoFolder, CsvFilesHoldWhatTheListsShow) {
    for (int race = 1; race <= 3; ++race) {
        const fs::path csv = tmp_.path() / "CSV出力" / std::to_string(race);
        const DumpRun run = Dump(
            {"--meeting", "1", "--race", std::to_string(race), "--csv", PathArg(csv), "--value"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto value = ValueItems(run.out);
        EXPECT_FALSE(value.empty()) << "race " << race;
        // the theoretical odds and the gap at the end of a row are those --value gives
        const auto valueCells = [&](const std::string& kind, const std::string& combination) {
            const auto it = value.find({kind, WithoutBlanks(combination)});
            return it == value.end()
                       ? std::vector<std::string>{"", ""}
                       : std::vector<std::string>{it->second.first, it->second.second};
        };
        struct List {
            const char* csv;
            const char* workFile;
            int combWidth;
            bool wide;
        };
        const List lists[] = {{"bracket-quinella.csv", "QvZONo.dat", 3, false},
                              {"quinella.csv", "QvUONo.dat", 5, false},
                              {"wide.csv", "QvKONo.dat", 5, true},
                              {"exacta.csv", "QvSONo.dat", 5, false},
                              {"trio.csv", "QvYONo.dat", 8, false}};
        for (const auto& list : lists) {
            const auto rows = testing::ReadCsv(ReadFileBytes(csv / list.csv));
            std::vector<std::string> shown;
            for (const auto& line : SplitLines(ReadFileBytes(out_ / list.workFile))) {
                if (line.find("---") == std::string::npos) {
                    shown.push_back(line);
                }
            }
            ASSERT_FALSE(rows.empty()) << list.csv;
            if (shown == std::vector<std::string>{text::ToCp932("DATAなし")}) {
                EXPECT_EQ(rows.size(), 1U) << list.csv;
                continue;
            }
            ASSERT_EQ(rows.size(), shown.size() + 1) << list.csv << " race " << race;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const std::string& line = shown[i];
                std::vector<std::string> expected = ListLineAsRow(line, list.combWidth, list.wide);
                std::string kind = list.csv;
                kind.erase(kind.size() - 4);  // the file's name without ".csv"
                for (const std::string& cell : valueCells(kind, expected.front())) {
                    expected.push_back(cell);
                }
                const std::vector<std::string> actual = testing::Texts(rows[i + 1]);
                const std::string state = actual[actual.size() - 3];
                if (line.find(text::ToCp932("ﾄﾘｹｼ")) != std::string::npos) {
                    // the list shows both as "ﾄﾘｹｼ"; the file tells which
                    EXPECT_TRUE(state == "取消" || state == "出走取消")
                        << list.csv << " line " << i << ": " << state;
                    expected[expected.size() - 3] = state;
                }
                EXPECT_EQ(actual, expected) << list.csv << " race " << race << " line " << i;
            }
        }
        // the race card: the runners of the number-order card, with their names and ranks
        const auto card = testing::ReadCsv(ReadFileBytes(csv / "racecard.csv"));
        std::size_t row = 1;
        for (const auto& line : SplitLines(ReadFileBytes(out_ / "QvDENo.dat"))) {
            if (line.substr(1, 2) == "  ") {
                continue;
            }
            ASSERT_LT(row, card.size());
            const auto& cells = card[row++];
            EXPECT_EQ(cells[1].text, std::to_string(*ParseInteger(line.substr(1, 2))));
            std::string name = text::ToUtf8(line.substr(25, 18));
            name.erase(name.find_last_not_of(' ') + 1);
            while (name.size() >= 3 && name.compare(name.size() - 3, 3, "　") == 0) {
                name.erase(name.size() - 3);
            }
            EXPECT_EQ(cells[2].text, name);
            const std::string rank = line.substr(9, 4);
            EXPECT_EQ(cells[4].text,
                      rank[0] == '[' ? std::to_string(*ParseInteger(rank.substr(1, 2))) : "");
            EXPECT_FALSE(cells[1].quoted);
            const std::vector<std::string> placeValue{cells[12].text, cells[13].text};
            EXPECT_EQ(placeValue, valueCells("place", cells[1].text)) << "horse " << cells[1].text;
        }
        EXPECT_EQ(row, card.size());
        // the vote counts: one row per kind of the summary, with its total
        const auto votes = testing::ReadCsv(ReadFileBytes(csv / "votes.csv"));
        const auto summary = SplitLines(ReadFileBytes(out_ / "QvHyou.dat"));
        const std::size_t kinds = summary.size() >= 2 ? summary.size() - 2 : 0;
        ASSERT_EQ(votes.size(), kinds + 1);
        for (std::size_t i = 0; i < kinds; ++i) {
            EXPECT_EQ(votes[i + 1][1].text,
                      std::to_string(*ParseInteger(summary[i].substr(15, 11))));
        }
    }
}

}  // namespace
}  // namespace orvikel
