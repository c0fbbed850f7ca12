// 自動更新 in the session: the race on screen followed over the client's writes, made here by
// writing the same folder again some minutes later (orvikel-sample --minutes).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "platform/file_io.hpp"
#include "sample/sample_folder.hpp"
#include "shell/viewer_session.hpp"
#include "trio/trio_points.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Strings(const TextLines& lines) {
    return std::vector<std::string>(lines.begin(), lines.end());
}

class LiveSession : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(program_);
        sample::GenerateSampleFolder(data_, sample::kDefaultSeed);
        SettingsToSave values;
        values.folderField = text::PathText(data_);
        values.MinusSign = testing::Sj("▲");
        SaveSettings(program_, values);
        session_.Create();
        session_.ClickVenue(1);
        // A race still on sale, with every odds file: its odds move when the folder is
        // written again later.
        for (int r = 1; r <= kRaces; ++r) {
            const auto& kinds = session_.selection().RaceFileExists[r];
            if (kinds[kWinPlace] && kinds[kTrio] && !kinds[kResults]) {
                session_.ClickRace(r);
                break;
            }
        }
        ASSERT_FALSE(
            session_.selection().RaceFileExists[session_.selection().SelectedRace][kResults]);
    }
    fs::path File(int kind) const {
        return text::NativePath(
            SelectedRaceFiles(session_.settings().KelDir, session_.meetings(), session_.selection())
                .Name(kind));
    }
    // The client writing the odds file again, cut short: what a reader catches mid-write.
    void CutShort(int kind, std::size_t bytes) const {
        const std::string whole = ReadFileBytes(File(kind));
        WriteFileAtomically(File(kind), whole.substr(0, bytes));
    }

    testing::TempDir tmp_;
    fs::path data_ = tmp_.path() / "data";
    fs::path program_ = tmp_.path() / "program";
    ViewerSession session_{program_};
};

// A refresh while the client rewrites a file of the race may mix two of its states: it is
// shown, but not settled (the history keeps only settled ones); the next quiet one is.
TEST_F(LiveSession, ARefreshWhoseFilesChangedWhileItReadThemIsNotSettled) {
    const int race = session_.selection().SelectedRace;
    EXPECT_TRUE(session_.refreshSettled());
    const std::string bytes = ReadFileBytes(File(kWinPlace));
    std::atomic<bool> stop{false};
    std::thread client([&] {
        while (!stop) {
            WriteFileAtomically(File(kWinPlace), bytes);
        }
    });
    session_.ClickRace(race);
    stop = true;
    client.join();
    EXPECT_FALSE(session_.refreshSettled());
    session_.ClickRace(race);
    EXPECT_TRUE(session_.refreshSettled());
}

TEST_F(LiveSession, NothingIsDoneWhileNoFileOfTheRaceChanged) {
    const int refreshes = session_.refreshCount();
    EXPECT_EQ(session_.FollowClient(), LiveStep::Unchanged);
    // Another race's file is no reason either.
    WriteFileAtomically(data_ / "Zo-unrelated.jra", "x");
    EXPECT_EQ(session_.FollowClient(), LiveStep::Unchanged);
    EXPECT_EQ(session_.refreshCount(), refreshes);
}

// The refresh re-reads what a click reads but keeps the user's choices: the orders set with
// the buttons, the selection, and the trio panel with its ticks over the new trio odds.
TEST_F(LiveSession, KeepsTheOrdersTheSelectionAndTheTrioPanelWithItsTicks) {
    session_.ClickOrder(OrderList::Quinella, true);
    session_.ClickOrder(OrderList::Grid, true);
    session_.ClickTrioMode(BoxWheelMode::Box);
    const std::vector<int> ticked = {3, 5, 6, 7, 8};  // ten combinations, most of them priced
    for (int horse : ticked) {
        session_.ClickTrioHorse(horse);
    }
    const int race = session_.selection().SelectedRace;
    const Grid before = session_.display().grid;
    const std::vector<std::string> boxBefore =
        Strings(session_.display().oddsLines[OrderList::Trio]);
    ASSERT_FALSE(boxBefore.empty());

    sample::GenerateSampleFolder(data_, sample::kDefaultSeed, 10);
    EXPECT_EQ(session_.FollowClient(), LiveStep::Show);

    EXPECT_EQ(session_.selection().SelectedRace, race);
    EXPECT_EQ(session_.CheckedRace(), race);
    EXPECT_EQ(session_.OrderFlag(OrderList::Quinella), "True");
    EXPECT_EQ(session_.display().oddsLines[OrderList::Quinella],
              ReadWorkFile(program_, "QvUOSo.dat"));
    EXPECT_EQ(session_.display().grid, LoadRaceCardGrid(program_, "True"));
    EXPECT_NE(session_.display().grid, before);  // the odds moved
    EXPECT_TRUE(session_.TrioPanelVisible());
    EXPECT_EQ(session_.trioView(), TrioView::Box);
    for (int horse = 1; horse <= kHorses; ++horse) {
        EXPECT_EQ(session_.trio().IsTicked(horse),
                  std::find(ticked.begin(), ticked.end(), horse) != ticked.end())
            << horse;
    }
    // The BOX of the same horses, extracted again from the new trio odds.
    EXPECT_EQ(Strings(session_.display().oddsLines[OrderList::Trio]),
              Strings(session_.trio().LoadList(program_, "false")));
    EXPECT_NE(Strings(session_.display().oddsLines[OrderList::Trio]), boxBefore);
    EXPECT_EQ(session_.FollowClient(), LiveStep::Unchanged);
}

// The points and combined odds of the ranked lines the trio memo shows.
TrioPoints ShownPoints(const TextLines& memo) {
    TrioPoints shown;
    std::vector<std::int64_t> odds;
    for (const std::string_view line : memo) {
        if (line.rfind("#", 0) == 0 || line.rfind("  -", 0) == 0) {
            continue;
        }
        if (line.find('[') == std::string_view::npos) {
            ++shown.excluded;
            continue;
        }
        odds.push_back(ParseTenths(line.substr(9, 6)).value_or(0));
    }
    shown.points = static_cast<int>(odds.size());
    shown.combinedTenths = CombinedOddsTenths(odds);
    return shown;
}

TEST_F(LiveSession, TheTrioSetIsPricedAgainFromTheNewOdds) {
    session_.ClickTrioMode(BoxWheelMode::Box);
    for (int horse : {3, 5, 6, 7, 8}) {
        session_.ClickTrioHorse(horse);
    }
    const auto before = session_.TrioSetPoints();
    ASSERT_TRUE(before.has_value());
    const TrioPoints shownBefore = ShownPoints(session_.display().oddsLines[OrderList::Trio]);
    EXPECT_EQ(before->points, shownBefore.points);
    EXPECT_EQ(before->combinedTenths, shownBefore.combinedTenths);

    sample::GenerateSampleFolder(data_, sample::kDefaultSeed, 10);
    ASSERT_EQ(session_.FollowClient(), LiveStep::Show);
    const auto after = session_.TrioSetPoints();
    ASSERT_TRUE(after.has_value());
    const TrioPoints shownAfter = ShownPoints(session_.display().oddsLines[OrderList::Trio]);
    EXPECT_EQ(after->points, shownAfter.points);
    EXPECT_EQ(after->excluded, shownAfter.excluded);
    EXPECT_EQ(after->combinedTenths, shownAfter.combinedTenths);
    EXPECT_EQ(after->points + after->excluded, 10);
    EXPECT_NE(after->combinedTenths, before->combinedTenths);  // the odds moved
}

// A file caught half-written fails or changes under the read: the display keeps the last good
// race and the refresh is tried again; the whole file then shows without any message.
TEST_F(LiveSession, AHalfWrittenFileIsRetriedNotReported) {
    const Grid before = session_.display().grid;
    const DisplayState shown = session_.display();
    CutShort(kWinPlace, 200);
    EXPECT_EQ(session_.FollowClient(), LiveStep::Retry);
    EXPECT_EQ(session_.display().grid, before);
    EXPECT_EQ(Strings(session_.display().oddsLines[OrderList::Bracket]),
              Strings(shown.oddsLines[OrderList::Bracket]));

    sample::GenerateSampleFolder(data_, sample::kDefaultSeed, 5);
    EXPECT_EQ(session_.FollowClient(), LiveStep::Show);
    EXPECT_NE(session_.display().grid, before);
    EXPECT_TRUE(session_.liveError().empty());
}

// A file that stays broken is reported once after the retries, naming the file, and the same
// error after the next change is not shown again.
TEST_F(LiveSession, AFileBrokenForGoodIsReportedOnceAfterTheRetries) {
    const Grid before = session_.display().grid;
    CutShort(kWinPlace, 200);
    std::vector<LiveStep> steps;
    for (int i = 0; i < LiveRetry::kAttempts; ++i) {
        steps.push_back(session_.FollowClient());
    }
    EXPECT_EQ(steps, (std::vector<LiveStep>{LiveStep::Retry, LiveStep::Retry, LiveStep::Retry,
                                            LiveStep::Report}));
    EXPECT_NE(session_.liveError().find(File(kWinPlace).filename().string()), std::string::npos)
        << session_.liveError();
    EXPECT_EQ(session_.display().grid, before);
    EXPECT_EQ(session_.FollowClient(), LiveStep::Unchanged);

    CutShort(kWinPlace, 199);
    for (int i = 0; i + 1 < LiveRetry::kAttempts; ++i) {
        EXPECT_EQ(session_.FollowClient(), LiveStep::Retry);
    }
    EXPECT_EQ(session_.FollowClient(), LiveStep::Quiet);
}

}  // namespace
}  // namespace orvikel
