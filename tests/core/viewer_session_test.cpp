// The window's behaviour without the window: venue and race clicks, order buttons, update and
// the trio panel, over a generated data folder.
#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "platform/file_io.hpp"
#include "platform/paths.hpp"
#include "sample/sample_folder.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;

class SessionOverDemo : public ::testing::Test {
  protected:
    void SetUp() override {
        data_ = tmp_.path() / "data";
        program_ = tmp_.path() / "program";
        fs::create_directories(program_);
        sample::GenerateSampleFolder(data_, sample::kDefaultSeed);
        SaveWith({});
    }
    // Saves a settings file for the demo folder with the given order flags.
    void SaveWith(const SortFlags& sort) {
        SettingsToSave values;
        values.folderField = text::PathText(data_);
        values.MinusSign = testing::Sj("▲");
        values.sort = sort;
        SaveSettings(program_, values);
    }
    std::vector<std::string> WorkFile(const char* name) const {
        return ReadWorkFile(program_, name);
    }
    // A race of the selected meeting that has files but no trio file, or 0.
    int RaceWithoutTrio(const ViewerSession& s) const {
        for (int r = 1; r <= kRaces; ++r) {
            const auto& kinds = s.selection().RaceFileExists[r];
            if (s.selection().RaceButtonVisible[r] && !kinds[kTrio]) {
                return r;
            }
        }
        return 0;
    }

    testing::TempDir tmp_;
    fs::path data_;
    fs::path program_;
};

TEST(SessionStartup, WithoutASettingsFileTheSettingsWindowIsNeeded) {
    testing::TempDir program;
    ViewerSession session(program.path());
    session.Create();
    EXPECT_TRUE(session.StartupNeedsSettings());
    EXPECT_FALSE(fs::exists(program.path() / kSettingsFileName));
    EXPECT_EQ(session.display().header.dateLine, TitleText());
}

TEST_F(SessionOverDemo, NoRaceIsShownUntilAVenueIsClickedThenTheLowestRace) {
    ViewerSession session(program_);
    session.Create();
    EXPECT_FALSE(session.StartupNeedsSettings());
    EXPECT_EQ(session.selection().SelectedRace, 0);
    EXPECT_FALSE(session.RaceControlsShown());
    EXPECT_TRUE(session.meetings().slot[1].Visible);

    session.ClickVenue(1);
    EXPECT_EQ(session.selection().SelectedRace, 1);
    EXPECT_EQ(session.CheckedRace(), 1);
    EXPECT_TRUE(session.RaceControlsShown());
    EXPECT_NE(session.display().header.dateLine, TitleText());
    // The memos show the number-order work files of the stored "false" flags.
    EXPECT_EQ(session.display().oddsLines[OrderList::Quinella], WorkFile("QvUONo.dat"));
    EXPECT_EQ(session.display().oddsLines[OrderList::Trio], WorkFile("QvYONo.dat"));
    EXPECT_EQ(session.display().grid, LoadRaceCardGrid(program_, "false"));
}

TEST_F(SessionOverDemo, ChangingTheVenueKeepsTheRaceNumber) {
    ViewerSession session(program_);
    session.Create();
    session.ClickVenue(1);
    session.ClickRace(8);
    session.ClickVenue(2);
    EXPECT_EQ(session.selection().SelectedRace, 8);
    EXPECT_EQ(session.CheckedRace(), 8);
}

TEST_F(SessionOverDemo, ChoosingMeetingAndRaceOpensTheMeetingOnThatRace) {
    ViewerSession session(program_);
    session.Create();
    session.ChooseMeetingAndRace(2, 5);
    EXPECT_EQ(session.selection().SelectedMeeting, 2);
    EXPECT_EQ(session.selection().SelectedRace, 5);
    EXPECT_EQ(session.snapshot().race.race, 5);
}

TEST_F(SessionOverDemo, OrderButtonsReloadOneListAndUpdateRestoresTheStoredOrders) {
    ViewerSession session(program_);
    session.Create();
    session.ClickVenue(1);
    struct Case {
        OrderList list;
        const char* popular;
        const char* number;
    };
    const Case cases[] = {
        {OrderList::Bracket, "QvZOSo.dat", "QvZONo.dat"},
        {OrderList::Quinella, "QvUOSo.dat", "QvUONo.dat"},
        {OrderList::Wide, "QvKOSo.dat", "QvKONo.dat"},
        {OrderList::Exacta, "QvSOSo.dat", "QvSONo.dat"},
        {OrderList::Trio, "QvYOSo.dat", "QvYONo.dat"},
    };
    for (const auto& c : cases) {
        session.ClickOrder(c.list, true);
        EXPECT_EQ(session.OrderFlag(c.list), "True");
        EXPECT_EQ(session.display().oddsLines[c.list], WorkFile(c.popular));
    }
    session.ClickOrder(OrderList::Grid, true);
    EXPECT_EQ(session.display().grid, LoadRaceCardGrid(program_, "True"));

    session.Update();
    for (const auto& c : cases) {
        EXPECT_EQ(session.OrderFlag(c.list), "false");
        EXPECT_EQ(session.display().oddsLines[c.list], WorkFile(c.number));
    }
    EXPECT_EQ(session.display().grid, LoadRaceCardGrid(program_, "false"));
}

TEST_F(SessionOverDemo, AFlagOtherThanTrueOrFalseLeavesItsMemoEmpty) {
    SortFlags sort;
    sort.Usort = "TRUE";
    sort.Tsort = "1";
    SaveWith(sort);
    ViewerSession session(program_);
    session.Create();
    session.ClickVenue(1);
    EXPECT_TRUE(session.display().oddsLines[OrderList::Quinella].empty());
    EXPECT_FALSE(session.display().oddsLines[OrderList::Wide].empty());
    EXPECT_EQ(session.display().grid, LoadRaceCardGrid(program_, "false"));
}

TEST_F(SessionOverDemo, TheTrioPanelOpensOnlyWithATrioFileAndClosesOnOrderOrRace) {
    ViewerSession session(program_);
    session.Create();
    for (int slot = 1; slot <= kMeetingSlots && RaceWithoutTrio(session) == 0; ++slot) {
        if (session.meetings().slot[slot].Visible) {
            session.ClickVenue(slot);
        }
    }
    const int withoutTrio = RaceWithoutTrio(session);
    ASSERT_NE(withoutTrio, 0);
    session.ClickRace(withoutTrio);
    session.ClickTrioMode(BoxWheelMode::Box);
    EXPECT_FALSE(session.TrioPanelVisible());
    EXPECT_EQ(session.trioView(), TrioView::Box);

    session.ClickVenue(1);  // race 1 of the first meeting has every kind
    EXPECT_EQ(session.trioView(), TrioView::Number);
    session.ClickTrioMode(BoxWheelMode::Wheel);
    ASSERT_TRUE(session.TrioPanelVisible());
    EXPECT_TRUE(session.display().oddsLines[OrderList::Trio].empty());
    EXPECT_EQ(session.ClickTrioHorse(1), ExtractResult::ListsWritten);
    EXPECT_EQ(session.display().oddsLines[OrderList::Trio], WorkFile("QvYOWNo.dat"));
    session.ClickTrioOrder(true);
    EXPECT_EQ(session.display().oddsLines[OrderList::Trio], WorkFile("QvYOWSo.dat"));

    session.ClickOrder(OrderList::Trio, false);
    EXPECT_FALSE(session.TrioPanelVisible());
    EXPECT_EQ(session.trio().TickedCount(), 0);
    EXPECT_EQ(session.display().oddsLines[OrderList::Trio], WorkFile("QvYONo.dat"));

    session.ClickTrioMode(BoxWheelMode::Box);
    session.ClickTrioHorse(2);
    session.ClickRace(2);
    EXPECT_FALSE(session.TrioPanelVisible());
    EXPECT_EQ(session.trio().mode(), BoxWheelMode::None);
    EXPECT_EQ(session.display().oddsLines[OrderList::Trio], WorkFile("QvYONo.dat"));
}

}  // namespace
}  // namespace orvikel
