#include "trio/trio_selection.hpp"

#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;
using testing::Sj;
using testing::TempDir;
using testing::U8;

const char* const kNewFirst = "#--------------------";
const char* const kNewSecond = "  -------------------";

// The ten trios of horses 1-5 as the refresh writes them; 2-4-5 is cancelled, so it stands
// last in popularity order without a rank.
const std::string& Cancelled() {
    static const std::string line = " 2- 4- 5   " + Sj("ﾄﾘｹｼ") + "     ";
    return line;
}

std::vector<std::string> PopularityList() {
    return {" 1- 2- 3    5.6 [  1]", " 2- 3- 4    9.9 [  2]",
            " 1- 2- 4   12.0 [  3]", " 3- 4- 5   24.7 [  4]",
            " 1- 3- 4   30.1 [  5]", " 1- 2- 5   40.2 [  6]",
            " 2- 3- 5   52.3 [  7]", " 1- 4- 5   61.5 [  8]",
            " 1- 3- 5   88.0 [  9]", Cancelled()};
}

std::vector<std::string> CombinationList() {
    return {" 1- 2- 3    5.6 [  1]",
            " 1- 2- 4   12.0 [  3]",
            " 1- 2- 5   40.2 [  6]",
            kNewSecond,
            " 1- 3- 4   30.1 [  5]",
            " 1- 3- 5   88.0 [  9]",
            kNewSecond,
            " 1- 4- 5   61.5 [  8]",
            kNewFirst,
            " 2- 3- 4    9.9 [  2]",
            " 2- 3- 5   52.3 [  7]",
            kNewSecond,
            Cancelled(),
            kNewFirst,
            " 3- 4- 5   24.7 [  4]"};
}

class TrioFixture : public ::testing::Test {
  protected:
    void SetUp() override { WriteLists(); }
    void WriteLists() const {
        WriteWorkFile(dir_.path(), "QvYOSo.dat", PopularityList());
        WriteWorkFile(dir_.path(), "QvYONo.dat", CombinationList());
    }
    // Clicks the horses in order and returns the result of each click.
    std::vector<ExtractResult> ClickAll(std::initializer_list<int> horses) {
        std::vector<ExtractResult> results;
        for (int horse : horses) {
            results.push_back(selector_.Click(horse, dir_.path()));
        }
        return results;
    }
    std::vector<std::string> Lines(const char* name) const {
        return testing::ReadLines(dir_.path() / name);
    }
    bool Exists(const char* name) const { return fs::exists(dir_.path() / name); }

    TempDir dir_;
    TrioSelector selector_;
};

constexpr auto kNone = ExtractResult::NoExtraction;
constexpr auto kWritten = ExtractResult::ListsWritten;
constexpr auto kRejected = ExtractResult::Rejected;
constexpr auto kEmptied = ExtractResult::WheelEmptied;

TEST(GroupTrioLines, SeparatesNewFirstAndNewSecondHorse) {
    struct Case {
        std::vector<std::string> input;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{" 1- 2- 3 a"}, {" 1- 2- 3 a"}},
        {{" 1- 2- 3 a", " 1- 2- 4 b", " 1- 3- 4 c", " 2- 3- 4 d"},
         {" 1- 2- 3 a", " 1- 2- 4 b", kNewSecond, " 1- 3- 4 c", kNewFirst, " 2- 3- 4 d"}},
        // a new first horse never gets the second separator as well
        {{" 1- 2- 3", " 2- 2- 4", "10-11-12", "10-12-13"},
         {" 1- 2- 3", kNewFirst, " 2- 2- 4", kNewFirst, "10-11-12", kNewSecond, "10-12-13"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GroupTrioLines(c.input), c.expected);
    }
}

TEST_F(TrioFixture, BoxOfThreeGivesTheOneTrioWithoutSeparator) {
    selector_.Open(BoxWheelMode::Box);
    EXPECT_EQ(ClickAll({1, 2}), (std::vector{kNone, kNone}));
    EXPECT_FALSE(Exists("QvYOBSo.dat"));
    EXPECT_EQ(selector_.LoadList(dir_.path(), "True"), std::vector<std::string>{});

    EXPECT_EQ(selector_.Click(3, dir_.path()), kWritten);
    const std::vector<std::string> one = {" 1- 2- 3    5.6 [  1]"};
    EXPECT_EQ(Lines("QvYOBSo.dat"), one);
    EXPECT_EQ(Lines("QvYOBNo.dat"), one);
    EXPECT_FALSE(Exists("QvYOWSo.dat"));
    EXPECT_EQ(selector_.LoadList(dir_.path(), "True"), one);
    EXPECT_EQ(selector_.LoadList(dir_.path(), "false"), one);
    EXPECT_EQ(selector_.LoadList(dir_.path(), "TRUE"), std::vector<std::string>{});
}

TEST_F(TrioFixture, BoxOfFourKeepsPopularityAndRegroupsCombinations) {
    selector_.Open(BoxWheelMode::Box);
    EXPECT_EQ(ClickAll({4, 1, 3, 2}), (std::vector{kNone, kNone, kWritten, kWritten}));
    EXPECT_EQ(testing::ReadBytes(dir_.path() / "QvYOBSo.dat"),
              " 1- 2- 3    5.6 [  1]\r\n"
              " 2- 3- 4    9.9 [  2]\r\n"
              " 1- 2- 4   12.0 [  3]\r\n"
              " 1- 3- 4   30.1 [  5]\r\n");
    const std::vector<std::string> combination = {" 1- 2- 3    5.6 [  1]",
                                                  " 1- 2- 4   12.0 [  3]",
                                                  kNewSecond,
                                                  " 1- 3- 4   30.1 [  5]",
                                                  kNewFirst,
                                                  " 2- 3- 4    9.9 [  2]"};
    EXPECT_EQ(Lines("QvYOBNo.dat"), combination);
    EXPECT_EQ(selector_.LoadList(dir_.path(), "false"), combination);
}

TEST_F(TrioFixture, WheelTakesTrioWithTheAxisWhereverItStands) {
    selector_.Open(BoxWheelMode::Wheel);
    EXPECT_EQ(selector_.Click(3, dir_.path()), kWritten);
    EXPECT_EQ(Lines("QvYOWSo.dat"),
              (std::vector<std::string>{" 1- 2- 3    5.6 [  1]", " 2- 3- 4    9.9 [  2]",
                                        " 3- 4- 5   24.7 [  4]", " 1- 3- 4   30.1 [  5]",
                                        " 2- 3- 5   52.3 [  7]", " 1- 3- 5   88.0 [  9]"}));
    EXPECT_EQ(
        Lines("QvYOWNo.dat"),
        (std::vector<std::string>{" 1- 2- 3    5.6 [  1]", kNewSecond, " 1- 3- 4   30.1 [  5]",
                                  " 1- 3- 5   88.0 [  9]", kNewFirst, " 2- 3- 4    9.9 [  2]",
                                  " 2- 3- 5   52.3 [  7]", kNewFirst, " 3- 4- 5   24.7 [  4]"}));

    EXPECT_EQ(selector_.Click(5, dir_.path()), kWritten);  // both axes: one line per third horse
    EXPECT_EQ(Lines("QvYOWSo.dat"),
              (std::vector<std::string>{" 3- 4- 5   24.7 [  4]", " 2- 3- 5   52.3 [  7]",
                                        " 1- 3- 5   88.0 [  9]"}));
    EXPECT_EQ(Lines("QvYOWNo.dat"),
              (std::vector<std::string>{" 1- 3- 5   88.0 [  9]", kNewFirst, " 2- 3- 5   52.3 [  7]",
                                        kNewFirst, " 3- 4- 5   24.7 [  4]"}));
    EXPECT_FALSE(Exists("QvYOBSo.dat"));
}

TEST_F(TrioFixture, CancelledTrioIsExtractedUnchanged) {
    selector_.Open(BoxWheelMode::Wheel);
    ClickAll({2, 4});
    EXPECT_EQ(
        Lines("QvYOWSo.dat"),
        (std::vector<std::string>{" 2- 3- 4    9.9 [  2]", " 1- 2- 4   12.0 [  3]", Cancelled()}));
}

// A refused tick changes nothing: no file is written and the selection stays as it was.
TEST_F(TrioFixture, TickBeyondTheLimitIsRejected) {
    struct Case {
        BoxWheelMode mode;
        std::vector<int> accepted;
        int extra;
    };
    const Case cases[] = {
        {BoxWheelMode::Box, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 18},
        {BoxWheelMode::Wheel, {1, 2}, 3},
    };
    for (const auto& c : cases) {
        selector_.Open(c.mode);
        for (int horse : c.accepted) {
            EXPECT_NE(selector_.Click(horse, dir_.path()), kRejected);
        }
        for (const char* name : {"QvYOBSo.dat", "QvYOBNo.dat", "QvYOWSo.dat", "QvYOWNo.dat"}) {
            fs::remove(dir_.path() / name);
        }
        EXPECT_EQ(selector_.Click(c.extra, dir_.path()), kRejected);
        EXPECT_FALSE(selector_.IsTicked(c.extra));
        EXPECT_EQ(selector_.TickedCount(), static_cast<int>(c.accepted.size()));
        for (const char* name : {"QvYOBSo.dat", "QvYOBNo.dat", "QvYOWSo.dat", "QvYOWNo.dat"}) {
            EXPECT_FALSE(Exists(name)) << name;
        }
        // the next click is an ordinary one: no refusal lingers
        EXPECT_EQ(selector_.Click(c.accepted.back(), dir_.path()), kWritten);
        EXPECT_FALSE(selector_.IsTicked(c.accepted.back()));
    }
}

TEST_F(TrioFixture, UntickFollowsTheCountBeforeTheClick) {
    selector_.Open(BoxWheelMode::Box);
    ClickAll({1, 2, 3, 4});
    EXPECT_EQ(selector_.Click(4, dir_.path()), kWritten);  // from 4: the BOX of the other 3
    EXPECT_EQ(Lines("QvYOBSo.dat"), std::vector<std::string>{" 1- 2- 3    5.6 [  1]"});
    EXPECT_EQ(selector_.Click(3, dir_.path()), kNone);  // from 3: the files stay
    EXPECT_FALSE(selector_.IsTicked(3));
    EXPECT_EQ(Lines("QvYOBSo.dat"), std::vector<std::string>{" 1- 2- 3    5.6 [  1]"});
    EXPECT_EQ(selector_.LoadList(dir_.path(), "True"), std::vector<std::string>{});

    selector_.Open(BoxWheelMode::Wheel);
    ClickAll({1, 5});
    EXPECT_EQ(selector_.Click(5, dir_.path()), kWritten);  // from 2: the trios of horse 1
    EXPECT_EQ(Lines("QvYOWSo.dat").size(), 6u);
    EXPECT_EQ(selector_.Click(1, dir_.path()), kEmptied);
    EXPECT_EQ(selector_.TickedCount(), 0);
    EXPECT_EQ(Lines("QvYOWSo.dat").size(), 6u);
    EXPECT_EQ(selector_.LoadList(dir_.path(), "True"), std::vector<std::string>{});
}

TEST_F(TrioFixture, OpenClearAndCloseEmptyTheSelection) {
    selector_.Open(BoxWheelMode::Box);
    ClickAll({1, 2, 3});
    selector_.Clear();
    EXPECT_EQ(selector_.TickedCount(), 0);
    EXPECT_EQ(selector_.mode(), BoxWheelMode::Box);
    ClickAll({1, 2});
    selector_.Open(BoxWheelMode::Wheel);
    EXPECT_EQ(selector_.TickedCount(), 0);
    EXPECT_EQ(selector_.mode(), BoxWheelMode::Wheel);
    ClickAll({1});
    selector_.Close();
    EXPECT_EQ(selector_.TickedCount(), 0);
    EXPECT_EQ(selector_.mode(), BoxWheelMode::None);
}

// Ticked horses that stand in no trio line: both files of the mode are rewritten empty.
TEST_F(TrioFixture, ExtractionWithoutMatchWritesBothFilesEmpty) {
    WriteWorkFile(dir_.path(), "QvYOBSo.dat", {"old"});
    WriteWorkFile(dir_.path(), "QvYOBNo.dat", {"old"});
    selector_.Open(BoxWheelMode::Box);
    EXPECT_EQ(ClickAll({6, 7, 8}), (std::vector{kNone, kNone, kWritten}));
    EXPECT_EQ(testing::ReadBytes(dir_.path() / "QvYOBSo.dat"), "");
    EXPECT_EQ(testing::ReadBytes(dir_.path() / "QvYOBNo.dat"), "");
    EXPECT_EQ(selector_.LoadList(dir_.path(), "false"), std::vector<std::string>{});
}

TEST_F(TrioFixture, SeparatorsAndShortLinesNeverMatch) {
    const std::vector<std::string> input = {kNewFirst, kNewSecond, " 3",
                                            " 3- 4",   " 3- 4-",   " 3- 4- 5"};
    WriteWorkFile(dir_.path(), "QvYOSo.dat", input);
    WriteWorkFile(dir_.path(), "QvYONo.dat", input);
    selector_.Open(BoxWheelMode::Wheel);
    EXPECT_EQ(selector_.Click(3, dir_.path()), kWritten);
    EXPECT_EQ(Lines("QvYOWSo.dat"), std::vector<std::string>{" 3- 4- 5"});
    EXPECT_EQ(Lines("QvYOWNo.dat"), std::vector<std::string>{" 3- 4- 5"});
}

TEST_F(TrioFixture, MissingInputListIsADataErrorAndWritesNothing) {
    for (const char* missing : {"QvYOSo.dat", "QvYONo.dat"}) {
        WriteLists();
        fs::remove(dir_.path() / missing);
        selector_.Open(BoxWheelMode::Wheel);
        try {
            selector_.Click(3, dir_.path());
            ADD_FAILURE() << "no error without " << missing;
        } catch (const DataError& e) {
            const std::string message = U8(e.what());
            EXPECT_EQ(message.rfind("ファイル ", 0), 0u) << message;
            EXPECT_NE(message.find(missing), std::string::npos) << message;
            EXPECT_NE(message.find(" は開けません"), std::string::npos) << message;
        }
        EXPECT_TRUE(selector_.IsTicked(3));  // the selection keeps the change
        EXPECT_FALSE(Exists("QvYOWSo.dat"));
        EXPECT_FALSE(Exists("QvYOWNo.dat"));
    }
}

}  // namespace
}  // namespace orvikel
