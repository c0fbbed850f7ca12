// orvikel-dump and the odds history: each run records its race in OrviKV.db of its --out
// folder, --history prints the stored snapshots, and an unusable history is said, not hidden.
#include <gtest/gtest.h>

#include <sstream>

#include "dump/dump_command.hpp"
#include "jra_fixture.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;

std::string PathArg(const fs::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

std::vector<std::vector<std::string>> Items(const std::string& out, const std::string& key) {
    std::vector<std::vector<std::string>> items;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
             start = tab + 1) {
            fields.push_back(line.substr(start, tab - start));
        }
        fields.push_back(line.substr(start));
        if (fields.front() == key) {
            items.push_back(std::vector<std::string>(fields.begin() + 1, fields.end()));
        }
    }
    return items;
}

class DumpHistory : public ::testing::Test {
  protected:
    void SetUp() override { Sample(0); }
    void Sample(int minutes) const {
        const std::string command = std::string(ORVIKEL_SAMPLE_EXE) + " '" + PathArg(data_) +
                                    "' --seed 7 --minutes " + std::to_string(minutes) +
                                    " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    struct Run {
        int status;
        std::string out;
        std::string err;
    };
    // The first race of meeting 1 that is still on sale at the folder's moment: race 12 of
    // the first meeting is always later than any moment the generator picks.
    Run Dump(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--data", PathArg(data_), "--out", PathArg(out_), "--meeting",
                                   "1", "--race", "12", "--grid"});
        std::ostringstream out;
        std::ostringstream err;
        const int status = dump::RunDump(args, tmp_.path(), out, err);
        return {status, out.str(), err.str()};
    }

    testing::TempDir tmp_;
    fs::path data_ = tmp_.path() / "data";
    fs::path out_ = tmp_.path() / "out";
};

TEST_F(DumpHistory, PrintsOneItemPerOddsTimeOldestFirstAfterEverythingElse) {
    ASSERT_EQ(Dump({}).status, 0);
    ASSERT_EQ(Dump({}).status, 0);  // the same odds time again: no new snapshot
    Sample(10);
    const Run run = Dump({"--history", "--value"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_regular_file(out_ / "OrviKV.db"));

    const auto history = Items(run.out, "history");
    ASSERT_EQ(history.size(), 2u);
    for (const auto& item : history) {
        ASSERT_EQ(item.size(), 19u);
        EXPECT_EQ(item[0].size(), 5u);
        EXPECT_EQ(item[0][2], ':');
    }
    EXPECT_LT(history[0][0], history[1][0]);
    // The time is the one the captions show, the odds those of the race card.
    EXPECT_NE(Items(run.out, "GBOdds1").at(0).at(0).find("[" + history[1][0] + "現在]"),
              std::string::npos);
    const auto grid = Items(run.out, "DEGrid");
    ASSERT_EQ(grid.size(), 18u);
    for (std::size_t row = 0; row < grid.size(); ++row) {
        std::string win = grid[row][3];  // 単勝[人気]: the odds before the rank
        win = win.substr(0, win.find('['));
        win.erase(0, win.find_first_not_of(' '));
        win.erase(win.find_last_not_of(' ') + 1);
        EXPECT_EQ(history[1][row + 1], win) << "horse " << row + 1;
    }
    // The theoretical odds come right before the history.
    const auto value = run.out.rfind("\nvalue\t");
    ASSERT_NE(value, std::string::npos);
    EXPECT_EQ(run.out.find("\n", value + 1) + 1, run.out.find("history\t"));
    // Nothing is printed after the history.
    std::string last = run.out.substr(0, run.out.size() - 1);
    last = last.substr(last.rfind('\n') + 1);
    EXPECT_EQ(last.rfind("history\t", 0), 0u);
}

// Without --history an unusable history is only said; with it the run fails, after the other
// items. The file is left as it was either way.
TEST_F(DumpHistory, AnUnusableHistoryIsSaidAndFailsOnlyARunThatAsksForIt) {
    fs::create_directories(out_);
    const std::string junk = "not a database, but someone's notes\n";
    WriteFileAtomically(out_ / "OrviKV.db", junk);

    const Run plain = Dump({});
    EXPECT_EQ(plain.status, 0);
    EXPECT_NE(plain.err.find("OrviKV.db"), std::string::npos) << plain.err;
    EXPECT_FALSE(Items(plain.out, "DEGrid").empty());

    const Run asked = Dump({"--history"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_NE(asked.err.find("壊れているか、データベースではありません"), std::string::npos)
        << asked.err;
    EXPECT_FALSE(Items(asked.out, "DEGrid").empty());
    EXPECT_TRUE(Items(asked.out, "history").empty());
    EXPECT_EQ(ReadFileBytes(out_ / "OrviKV.db"), junk);
}

}  // namespace
}  // namespace orvikel
