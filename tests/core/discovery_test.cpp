#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "shell/discovery.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;
using testing::JraLine;
using testing::Sj;
using testing::TempDir;
using testing::U8;

// Line 1 of a meeting file: venue in 59-60, key A in 64, key B in 65-66, key C in 67-68.
std::string MeetingLine(std::string_view venue, std::string_view a = "1", std::string_view b = "02",
                        std::string_view c = "03") {
    return JraLine(80).At(59, venue).At(64, a).At(65, b).At(67, c).str() + "\r\nrest\r\n";
}

Meetings OneMeeting(int venue, int a, int b, int c) {
    Meetings m;
    m.slot[1] = Meeting{"", venue, a, b, c, true};
    return m;
}

Selection Chosen(int meeting, int venue) {
    Selection s;
    s.SelectedMeeting = meeting;
    s.SelectedVenue = venue;
    return s;
}

TEST(FileNames, AreAPlainConcatenationOfPrefixCodesAndKeys) {
    struct Case {
        int kind;
        int venue, a, b, c;
        int race;
        const char* expected;
    };
    const Case cases[] = {
        {kRaceCard, 5, 2, 4, 3, 11, "/k/De-53b.jra"},
        {kResults, 5, 2, 4, 3, 11, "/k/Ks-5243b.jra"},
        {kHorseWeights, 10, 1, 1, 12, 12, "/k/Ut-a12c.jra"},
        {kWinPlace, 1, 0, 0, 0, 1, "/k/Zo-101.jra"},
        {kQuinella, 9, 0, 0, 7, 9, "/k/Uo-979.jra"},
        {kExacta, 6, 0, 0, 10, 10, "/k/So-610a.jra"},
        {kTrio, 2, 0, 0, 1, 2, "/k/Yo-212.jra"},
        {kResults, 10, 0, 10, 0, 12, "/k/Ks-a0100c.jra"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RaceFileName("/k/", OneMeeting(c.venue, c.a, c.b, c.c), Chosen(1, c.venue),
                               c.kind, c.race),
                  c.expected);
    }
    EXPECT_EQ(MeetingFileName("", 1), "Uy-a.jra");
    EXPECT_EQ(MeetingFileName("/k/", 6), "/k/Uy-f.jra");
    EXPECT_EQ(RaceFileName("/k/", OneMeeting(5, 2, 4, 3), Chosen(0, 0), kRaceCard, 1), "");
}

TEST(FileNames, TablesCoverTheirRangesOnly) {
    EXPECT_STREQ(VenueCode(10), "a");
    EXPECT_EQ(U8(VenueName(10)), "小倉");
    EXPECT_EQ(U8(VenueName(1)), "札幌");
    EXPECT_STREQ(FileCode(12), "c");
    EXPECT_STREQ(FileCode(15), "f");
    EXPECT_STREQ(FilePrefix(kTrio), "Yo-");
    EXPECT_EQ(VenueCode(0), nullptr);
    EXPECT_EQ(VenueCode(11), nullptr);
    EXPECT_EQ(FilePrefix(8), nullptr);
    EXPECT_EQ(FileCode(16), nullptr);
    EXPECT_THROW(VenueName(11), std::out_of_range);
}

TEST(DiscoverMeetings, ShowsTheSlotsWhoseFilesExistAndMarksTheDayBefore) {
    TempDir dir;
    dir.Write("Uy-a.jra", MeetingLine(" 5"));
    dir.Write("Uy-d.jra", MeetingLine("10", "2", "04", "11"));
    dir.Write("Uy-g.jra", MeetingLine(" 1"));         // a seventh meeting is not looked at
    fs::create_directories(dir.path() / "Uy-b.jra");  // a folder is no meeting file
    Meetings m;
    DiscoverMeetings(dir.DirText(), m);
    const bool visible[] = {false, true, false, false, true, false, false};
    for (int k = 1; k <= kMeetingSlots; ++k) {
        EXPECT_EQ(m.slot[k].Visible, visible[k]) << "slot " << k;
    }
    EXPECT_EQ(U8(m.slot[1].Caption), "東京");
    EXPECT_EQ(U8(m.slot[4].Caption), "小倉前日");
    EXPECT_EQ(m.slot[4].Venue, 10);
    EXPECT_EQ(m.slot[4].MeetingKeyA, 2);
    EXPECT_EQ(m.slot[4].MeetingKeyB, 4);
    EXPECT_EQ(m.slot[4].MeetingKeyC, 11);
    // Leading zeros of the keys do not reach the names.
    EXPECT_EQ(RaceFileName(dir.DirText(), m, Chosen(1, 5), kResults, 1),
              dir.DirText() + "Ks-51231.jra");
}

TEST(DiscoverMeetings, ASlotWhoseFileIsGoneIsHiddenAndKeepsItsValues) {
    TempDir dir;
    dir.Write("Uy-a.jra", MeetingLine(" 8", "3", "05", "07"));
    Meetings m;
    DiscoverMeetings(dir.DirText(), m);
    fs::remove(dir.path() / "Uy-a.jra");
    DiscoverMeetings(dir.DirText(), m);
    EXPECT_FALSE(m.slot[1].Visible);
    EXPECT_EQ(U8(m.slot[1].Caption), "京都");
    EXPECT_EQ(m.slot[1].Venue, 8);
    EXPECT_EQ(m.slot[1].MeetingKeyC, 7);
}

TEST(DiscoverMeetings, ABadFileEndsDiscoveryAtItsSlotAndIsNamed) {
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"venue 0", MeetingLine("00")},
        {"venue 11", MeetingLine("11")},
        {"venue not a number", MeetingLine("5 ")},
        {"key A blank", MeetingLine(" 5", " ")},
        {"key B not a number", MeetingLine(" 5", "1", "0x")},
        {"line ends before key C", JraLine().At(59, " 5").At(64, "102").str()},
        {"line ends before the venue", JraLine(40).str()},
        {"empty file", ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.Write("Uy-a.jra", MeetingLine(" 5"));
        const std::string bad = dir.Write("Uy-b.jra", c.file);
        dir.Write("Uy-c.jra", MeetingLine(" 6"));
        Meetings m;
        for (auto& slot : m.slot) {
            slot.Caption = "old";
        }
        try {
            DiscoverMeetings(dir.DirText(), m);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const DataError& e) {
            EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << c.what;
        }
        EXPECT_EQ(U8(m.slot[1].Caption), "東京") << c.what;
        EXPECT_FALSE(m.slot[2].Visible) << c.what;
        EXPECT_EQ(m.slot[2].Caption, "old") << c.what;
        EXPECT_TRUE(m.slot[3].Visible) << c.what;
        EXPECT_EQ(m.slot[3].Caption, "old") << c.what;
    }
}

// A meeting at venue 5 with keys A=2, B=4, C=3 in slot 1 of a data folder.
class RaceFolder : public ::testing::Test {
  protected:
    RaceFolder() : meetings(OneMeeting(5, 2, 4, 3)), selection(Chosen(1, 5)) {}

    void Put(int race, int kind) {
        dir.Write(fs::path(RaceFileName(dir.DirText(), meetings, selection, kind, race))
                      .filename()
                      .string(),
                  "x");
    }

    TempDir dir;
    Meetings meetings;
    Selection selection;
};

TEST_F(RaceFolder, TheChosenRaceStaysOrMovesToTheNextOrHighestRaceWithFiles) {
    struct Case {
        const char* what;
        std::set<int> races;
        int before;
        int after;
    };
    const std::set<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Case cases[] = {
        {"a gap: the next higher", {1, 2, 3, 4, 5, 9, 10, 11, 12}, 7, 9},
        {"nothing above: the highest", {1, 2, 3, 4, 5}, 7, 5},
        {"the chosen race has files", all, 3, 3},
        {"the last race", all, 12, 12},
        {"first choice: race 1", all, 0, 1},
        {"first choice: the lowest with files", {4, 8}, 0, 4},
        {"no race files", {}, 5, 0},
    };
    for (const auto& c : cases) {
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            fs::remove(entry.path());
        }
        for (int r : c.races) {
            Put(r, (r % kDataKinds) + 1);  // each race through a different kind
        }
        selection.SelectedRace = c.before;
        EXPECT_EQ(DiscoverRaces(dir.DirText(), meetings, selection), c.after != 0) << c.what;
        EXPECT_EQ(selection.SelectedRace, c.after) << c.what;
        for (int r = 1; r <= kRaces; ++r) {
            EXPECT_EQ(selection.RaceButtonVisible[r], c.races.count(r) == 1)
                << c.what << " race " << r;
        }
        EXPECT_TRUE(selection.VoteButtonVisible) << c.what;
    }
}

TEST_F(RaceFolder, ARaceWithOnlyItsResultsGetsItsButton) {
    Put(12, kResults);
    fs::create_directories(dir.path() / "De-53b.jra");  // a folder is no race file
    ASSERT_TRUE(DiscoverRaces(dir.DirText(), meetings, selection));
    EXPECT_EQ(selection.SelectedRace, 12);
    EXPECT_FALSE(selection.RaceButtonVisible[11]);
    EXPECT_TRUE(selection.RaceButtonVisible[12]);
    const RaceFiles files = SelectedRaceFiles(dir.DirText(), meetings, selection);
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        EXPECT_EQ(files.Has(kind), kind == kResults) << "kind " << kind;
        EXPECT_EQ(selection.RaceHasFile(kind), kind == kResults) << "kind " << kind;
    }
    EXPECT_EQ(files.Name(kResults), dir.DirText() + "Ks-5243c.jra");
    EXPECT_EQ(files.Name(kTrio), dir.DirText() + "Yo-53c.jra");
}

TEST_F(RaceFolder, NoMeetingChosenFindsNoRace) {
    for (int r = 1; r <= kRaces; ++r) {
        Put(r, kRaceCard);
    }
    Selection none;
    EXPECT_FALSE(DiscoverRaces(dir.DirText(), meetings, none));
    EXPECT_EQ(none.SelectedRace, 0);
    for (int r = 1; r <= kRaces; ++r) {
        EXPECT_FALSE(none.RaceButtonVisible[r]) << "race " << r;
    }
    EXPECT_FALSE(none.RaceHasFile(kRaceCard));
}

}  // namespace
}  // namespace orvikel
