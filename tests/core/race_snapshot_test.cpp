// The snapshot of generated races read against the work files the same refresh wrote: every
// ranked entry sits on the line of its rank with its combination and odds, every list line
// has its entry, and the session keeps the snapshot only while its race is shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "domain/lists.hpp"
#include "jra_fixture.hpp"
#include "odds/odds_file.hpp"
#include "platform/bytes.hpp"
#include "platform/paths.hpp"
#include "sample/sample_folder.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;
using testing::ReadLines;

// Where an odds list's line holds what the snapshot holds.
struct ListColumns {
    OrderList list;
    const OddsLayout* layout;
    int shownFrom;   // first byte of the combination field that is shown
    int labelWidth;  // "[ 9]" or "[  9]"
};
const ListColumns kListColumns[] = {
    {OrderList::Bracket, &kBracketLayout, 2, 4}, {OrderList::Quinella, &kQuinellaLayout, 1, 5},
    {OrderList::Wide, &kWideLayout, 1, 5},       {OrderList::Exacta, &kExactaLayout, 1, 5},
    {OrderList::Trio, &kTrioLayout, 1, 5},
};

std::string Label(int rank, int width) {
    std::string digits = std::to_string(rank);
    return "[" + std::string(static_cast<std::size_t>(width - 2) - digits.size(), ' ') + digits +
           "]";
}

// The combination of an entry as its list shows it: " 1- 2", " 1- 2- 3", brackets "1-2".
std::string Shown(const ListColumns& columns, const OddsEntry& entry) {
    if (columns.layout->horses == 0) {
        return std::to_string(entry.horses[0]) + "-" + std::to_string(entry.horses[1]);
    }
    std::string text = SlotText(entry.horses[0]) + "-" + SlotText(entry.horses[1]);
    if (columns.layout->horses == 3) {
        text += "-" + SlotText(entry.horses[2]);
    }
    return text;
}

class GeneratedRaces : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    void SetUp() override {
        data_ = tmp_.path() / "data";
        program_ = tmp_.path() / "program";
        fs::create_directories(program_);
        sample::GenerateSampleFolder(data_, GetParam());
        session_.emplace(program_);
        session_->Create(SettingsFor(data_));
    }

    static Settings SettingsFor(const fs::path& folder) {
        Settings settings;
        settings.KelDir = text::PathText(folder) + std::string(kPathSeparator);
        return settings;
    }

    std::vector<std::string> Work(const char* name) const { return ReadLines(program_ / name); }

    void CheckOddsList(const ListColumns& columns, const KindSnapshot& kind) const {
        const std::vector<std::string> lines = Work(Describe(columns.list).files.popularity);
        ASSERT_EQ(lines.size(), kind.entries.size());
        const int shownWidth = columns.layout->combinationWidth - columns.shownFrom + 1;
        const auto oddsWidth = static_cast<std::size_t>(columns.layout->oddsWidth);
        std::vector<int> ranks;
        for (const OddsEntry& entry : kind.entries) {
            const std::string shown = Shown(columns, entry);
            ASSERT_EQ(shown.size(), static_cast<std::size_t>(shownWidth));
            if (entry.state != PriceState::Priced) {
                EXPECT_EQ(entry.rank, 0) << shown;
                EXPECT_EQ(entry.odds, 0) << shown;
                // its line carries no rank
                const auto line = std::find_if(lines.begin(), lines.end(), [&](const auto& l) {
                    return l.compare(0, shown.size(), shown) == 0;
                });
                ASSERT_NE(line, lines.end()) << shown;
                EXPECT_EQ(line->find('['), std::string::npos) << *line;
                continue;
            }
            ASSERT_GE(entry.rank, 1);
            ASSERT_LE(entry.rank, static_cast<int>(lines.size()));
            const std::string& line = lines[static_cast<std::size_t>(entry.rank - 1)];
            EXPECT_EQ(line.substr(0, shown.size()), shown) << line;
            const std::size_t odds = shown.size() + 1;
            EXPECT_EQ(ParseTenths(line.substr(odds, oddsWidth)), entry.odds) << line;
            if (columns.list == OrderList::Wide) {
                EXPECT_EQ(line.substr(odds + oddsWidth, 1), "-") << line;
                EXPECT_EQ(ParseTenths(line.substr(odds + oddsWidth + 1, oddsWidth)), entry.upper)
                    << line;
            }
            const std::string label = Label(entry.rank, columns.labelWidth);
            EXPECT_EQ(line.substr(line.size() - label.size()), label) << line;
            ranks.push_back(entry.rank);
        }
        // the ranks are the first lines, each once
        std::sort(ranks.begin(), ranks.end());
        for (std::size_t i = 0; i < ranks.size(); ++i) {
            EXPECT_EQ(ranks[i], static_cast<int>(i) + 1);
        }
    }

    // Win: bracket, horse, 6-byte odds, rank. Place: bracket, horse, " lower-upper", rank.
    void CheckWinPlace(const KindSnapshot& kind, const char* file, bool place) const {
        const std::vector<std::string> lines = Work(file);
        ASSERT_EQ(lines.size(), kind.entries.size()) << file;
        for (const OddsEntry& entry : kind.entries) {
            const auto line = std::find_if(lines.begin(), lines.end(), [&](const auto& l) {
                return l.substr(1, 2) == SlotText(entry.horses[0]);
            });
            ASSERT_NE(line, lines.end()) << file << " horse " << entry.horses[0];
            if (entry.state != PriceState::Priced) {
                EXPECT_EQ(entry.rank, 0);
                EXPECT_EQ(line->find('['), std::string::npos) << *line;
                continue;
            }
            EXPECT_EQ(line - lines.begin(), entry.rank - 1) << *line;
            EXPECT_EQ(ParseTenths(line->substr(place ? 4 : 3, place ? 5 : 6)), entry.odds);
            if (place) {
                EXPECT_EQ(ParseTenths(line->substr(10, 5)), entry.upper) << *line;
            }
            EXPECT_EQ(line->substr(line->size() - 4), "[" + SlotText(entry.rank) + "]");
        }
    }

    testing::TempDir tmp_;
    fs::path data_;
    fs::path program_;
    std::optional<ViewerSession> session_;
};

TEST_P(GeneratedRaces, EverySnapshotAgreesWithTheWorkFilesOfItsRefresh) {
    ViewerSession& session_ = *this->session_;
    int races = 0;
    std::array<int, 4> states{};  // how many entries of each state were seen
    for (int slot = 1; slot <= kMeetingSlots; ++slot) {
        if (!session_.meetings().slot[slot].Visible) {
            continue;
        }
        session_.ClickVenue(slot);
        for (int race = 1; race <= kRaces; ++race) {
            if (!session_.selection().RaceButtonVisible[race]) {
                continue;
            }
            session_.ClickRace(race);
            ++races;
            SCOPED_TRACE("meeting " + std::to_string(slot) + " race " + std::to_string(race));
            const RaceSnapshot& snapshot = session_.snapshot();
            const Meeting& meeting = session_.meetings().slot[slot];
            EXPECT_EQ(snapshot.race, (RaceKey{meeting.Venue, meeting.MeetingKeyA,
                                              meeting.MeetingKeyB, meeting.MeetingKeyC, race}));
            const Selection& selection = session_.selection();
            for (const ListColumns& columns : kListColumns) {
                const ListInfo& info = Describe(columns.list);
                const KindSnapshot& kind = snapshot[info.bet];
                ASSERT_EQ(kind.present, selection.RaceHasFile(info.data)) << info.name;
                if (!kind.present) {
                    EXPECT_TRUE(kind.entries.empty());
                    continue;
                }
                SCOPED_TRACE(info.name);
                CheckOddsList(columns, kind);
                for (const OddsEntry& entry : kind.entries) {
                    ++states[static_cast<std::size_t>(entry.state)];
                }
            }
            for (const BetKind bet : kAllBetKinds) {
                const KindSnapshot& kind = snapshot[bet];
                const std::string& total = session_.race().votes.TotalText[bet];
                if (session_.race().votes.HasTotal(bet)) {
                    EXPECT_EQ(kind.votes, ParseInteger(total.substr(15)));
                    EXPECT_TRUE(kind.votes.has_value());
                } else {
                    EXPECT_FALSE(kind.votes.has_value());
                }
                if (kind.present) {
                    // "[hh:mm現在]" and "hh:mm" come from the same fields
                    EXPECT_EQ(kind.oddsTime, session_.race().votes.TimeCaption[bet].substr(1, 5));
                }
            }
            ASSERT_EQ(snapshot[BetKind::Win].present, selection.RaceHasFile(kWinPlace));
            if (snapshot[BetKind::Win].present) {
                CheckWinPlace(snapshot[BetKind::Win], work_file::kWin.popularity, false);
                CheckWinPlace(snapshot[BetKind::Place], work_file::kPlace.popularity, true);
            }
        }
    }
    EXPECT_GT(races, 12);
    // The generated folders carry every state, so each check above was exercised.
    for (const int count : states) {
        EXPECT_GT(count, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedRaces, ::testing::Values(sample::kDefaultSeed, 2u, 3u));

TEST_P(GeneratedRaces, TheSessionForgetsTheSnapshotWhenTheDisplayIsCleared) {
    ViewerSession& session_ = *this->session_;
    EXPECT_FALSE(session_.snapshot()[BetKind::Win].present);
    int slot = 1;
    while (!session_.meetings().slot[slot].Visible) {
        ++slot;
    }
    session_.ClickVenue(slot);
    ASSERT_NE(session_.selection().SelectedRace, 0);
    const RaceKey shown = session_.snapshot().race;
    EXPECT_EQ(shown.race, session_.selection().SelectedRace);

    // Another settings folder without meetings: the display is cleared and nothing is shown.
    session_.Create(SettingsFor(tmp_.path() / "none"));
    EXPECT_EQ(session_.snapshot().race, RaceKey{});
    for (const BetKind bet : kAllBetKinds) {
        EXPECT_FALSE(session_.snapshot()[bet].present);
        EXPECT_TRUE(session_.snapshot()[bet].entries.empty());
    }
}

}  // namespace
}  // namespace orvikel
