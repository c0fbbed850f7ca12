// orvikel-dump: its fixed command line, in-process, and end to end on a generated demo folder.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/encoding.hpp"
#include "common/file_io.hpp"
#include "dump/dump_command.hpp"
#include "jra_fixture.hpp"
#include "run_program.hpp"
#include "shell/discovery.hpp"

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
        EXPECT_NE(run.err.find("usage: orvikel-dump"), std::string::npos);
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
    EXPECT_NE(run.err.find("slot 1"), std::string::npos);
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

}  // namespace
}  // namespace orvikel
