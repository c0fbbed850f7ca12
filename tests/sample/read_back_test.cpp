// The generated folder read back by the viewer's own discovery and race header.
#include <gtest/gtest.h>

#include "platform/encoding.hpp"
#include "platform/literals.hpp"
#include "platform/paths.hpp"
#include "sample/folder_plan.hpp"
#include "sample_fixture.hpp"
#include "shell/discovery.hpp"
#include "shell/race_header.hpp"

namespace orvikel::sample::testing {
namespace {

class SampleReadBack : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    const GeneratedFolder& folder() const { return GeneratedFolder::ForSeed(GetParam()); }
    std::string KelDir() const {
        return text::PathText(folder().Dir()) + std::string(kPathSeparator);
    }
};

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string Two(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

TEST_P(SampleReadBack, DiscoveryFindsEveryMeetingWithItsCaptionAndEveryRaceFile) {
    Meetings meetings;
    DiscoverMeetings(KelDir(), meetings);
    const auto& generated = folder().Meetings();
    for (int slot = 1; slot <= kMeetingSlots; ++slot) {
        const Meeting& found = meetings.slot[slot];
        const bool present = slot <= static_cast<int>(generated.size());
        EXPECT_EQ(found.Visible, present) << "slot " << slot;
        if (!present) {
            continue;
        }
        const MeetingKeys& keys = generated[static_cast<std::size_t>(slot - 1)];
        EXPECT_EQ(found.Venue, keys.venue);
        EXPECT_EQ(found.Caption, std::string(VenueName(keys.venue)) +
                                     std::string(slot >= 4 ? lit::kDayBefore : ""));

        Selection selection;
        selection.SelectedMeeting = slot;
        selection.SelectedVenue = found.Venue;
        ASSERT_TRUE(DiscoverRaces(KelDir(), meetings, selection));
        EXPECT_EQ(selection.SelectedRace, 1);
        for (int race = 1; race <= kRaces; ++race) {
            EXPECT_TRUE(selection.RaceButtonVisible[race]) << race;
            for (int kind = 1; kind <= kDataKinds; ++kind) {
                EXPECT_EQ(selection.RaceFileExists[race][static_cast<std::size_t>(kind)],
                          folder().Has(GeneratedFolder::RaceFile(kind, keys, race)))
                    << "slot " << slot << " race " << race << " kind " << kind;
            }
        }
    }
}

TEST_P(SampleReadBack, TheRaceHeaderShowsTheTextsAsGenerated) {
    Meetings meetings;
    DiscoverMeetings(KelDir(), meetings);
    for (const MeetingPlan& plan : PlanFolder(GetParam())) {
        Selection selection;
        selection.SelectedMeeting = plan.slot;
        selection.SelectedVenue = plan.venue;
        ASSERT_TRUE(DiscoverRaces(KelDir(), meetings, selection));
        for (const RacePlan& race : plan.races) {
            SCOPED_TRACE("slot " + std::to_string(plan.slot) + " race " +
                         std::to_string(race.number));
            selection.SelectedRace = race.number;
            RaceHeader header;
            ShowRaceHeader(SelectedRaceFiles(KelDir(), meetings, selection), header);

            const std::string date = std::to_string(plan.date.year) + "年" + Two(plan.date.month) +
                                     "月" + Two(plan.date.day) + "日 第" +
                                     std::to_string(plan.meetingNumber) + "回 ";
            const std::string dayAndRace =
                " " + std::to_string(plan.day) + "日目 第" + std::to_string(race.number) + "Ｒ";
            EXPECT_EQ(header.dateLine, text::ToCp932(date) + std::string(VenueName(plan.venue)) +
                                           text::ToCp932(dayAndRace));
            EXPECT_EQ(header.raceName, Padded(race.name, 28));
            EXPECT_EQ(header.conditions, Padded(race.conditions, 28));
            const bool card = race.files[1];
            EXPECT_EQ(header.course, card ? race.course : "");
            EXPECT_EQ(header.postTime,
                      card ? text::ToCp932("発走時刻  " + Two(race.postMinutes / 60) + ":" +
                                           Two(race.postMinutes % 60))
                           : "");
            EXPECT_EQ(header.distance, card || race.files[2] ? std::to_string(race.distance) : "");
            const bool runners =
                race.files[2] || race.files[3] || race.files[4] || race.files[6] || race.files[7];
            const int n = static_cast<int>(race.runners.size());
            EXPECT_EQ(header.runners, runners ? (n < 10 ? " " : "") + std::to_string(n) : "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleReadBack, ::testing::ValuesIn(TestSeeds()));

}  // namespace
}  // namespace orvikel::sample::testing
