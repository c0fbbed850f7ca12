#include "shell/discovery.hpp"

#include <optional>
#include <stdexcept>

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

template <std::size_t N>
const char* Entry(const char* const (&table)[N], int index) {
    return index >= 1 && static_cast<std::size_t>(index) <= N
               ? table[static_cast<std::size_t>(index) - 1]
               : nullptr;
}

bool IsVenue(int venue) {
    return venue >= 1 && venue <= 10;
}

// An integer field of a meeting file's line 1; anything but digits after leading blanks
// (a line cut short included) names the file and the field.
int MeetingField(const std::string& file, const std::string& line, int column, int width,
                 std::string_view field) {
    const std::string value = Cut(line, column, width);
    const auto number = ParseInteger(value);
    if (!number) {
        ThrowNotANumber(file, field, value);
    }
    return static_cast<int>(*number);
}

}  // namespace

const char* FilePrefix(int kind) {
    static const char* const kPrefixes[] = {"De-", "Ut-", "Zo-", "Uo-", "Ks-", "So-", "Yo-"};
    return Entry(kPrefixes, kind);
}

const char* VenueCode(int venue) {
    static const char* const kCodes[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "a"};
    return Entry(kCodes, venue);
}

std::string_view VenueName(int venue) {
    static constexpr std::string_view kNames[] = {
        lit::kSapporo,  lit::kHakodate, lit::kFukushima, lit::kNiigata, lit::kTokyo,
        lit::kNakayama, lit::kChukyo,   lit::kKyoto,     lit::kHanshin, lit::kKokura,
    };
    if (!IsVenue(venue)) {
        throw std::out_of_range("venue number outside 1..10");
    }
    return kNames[venue - 1];
}

const char* FileCode(int index) {
    static const char* const kCodes[] = {"1", "2", "3", "4", "5", "6", "7", "8",
                                         "9", "a", "b", "c", "d", "e", "f"};
    return Entry(kCodes, index);
}

bool Selection::RaceHasFile(int kind) const {
    if (SelectedRace < 1 || SelectedRace > kRaces || kind < 1 || kind > kDataKinds) {
        return false;
    }
    return RaceFileExists[SelectedRace][kind];
}

std::string MeetingFileName(const std::string& kelDir, int slot) {
    const char* code = FileCode(9 + slot);
    if (slot < 1 || slot > kMeetingSlots || code == nullptr) {
        throw std::out_of_range("meeting slot outside 1..6");
    }
    return kelDir + "Uy-" + code + ".jra";
}

std::string RaceFileName(const std::string& kelDir, const Meetings& meetings,
                         const Selection& selection, int kind, int race) {
    const int m = selection.SelectedMeeting;
    const char* prefix = FilePrefix(kind);
    const char* venue = VenueCode(selection.SelectedVenue);
    const char* raceCode = race >= 1 && race <= kRaces ? FileCode(race) : nullptr;
    if (m < 1 || m > kMeetingSlots || prefix == nullptr || venue == nullptr ||
        raceCode == nullptr) {
        return {};  // no meeting chosen: names no file
    }
    const Meeting& meeting = meetings.slot[m];
    std::string name = kelDir + prefix + venue;
    if (kind == kResults) {
        name += DecimalText(meeting.MeetingKeyA) + DecimalText(meeting.MeetingKeyB);
    }
    return name + DecimalText(meeting.MeetingKeyC) + raceCode + ".jra";
}

void DiscoverMeetings(const std::string& kelDir, Meetings& meetings) {
    for (int k = 1; k <= kMeetingSlots; ++k) {
        Meeting& meeting = meetings.slot[k];
        const std::string file = MeetingFileName(kelDir, k);
        if (!IsRegularFile(file)) {
            meeting.Visible = false;
            continue;
        }
        // A file that cannot be used hides its slot rather than leave a button that would
        // open the meeting of an earlier file.
        meeting.Visible = false;
        const std::string line = ReadFirstLine(file);
        const int venue = MeetingField(file, line, 59, 2, lit::kVenueField);
        if (!IsVenue(venue)) {
            throw DataError(Concat({file, ": ", lit::kVenueField, lit::kOutOfRangeMid,
                                    lit::kOpenQuote, Cut(line, 59, 2), lit::kCloseQuote}));
        }
        const int keyA = MeetingField(file, line, 64, 1, lit::kMeetingKeyAField);
        const int keyB = MeetingField(file, line, 65, 2, lit::kMeetingKeyBField);
        const int keyC = MeetingField(file, line, 67, 2, lit::kMeetingKeyCField);

        meeting.Venue = venue;
        meeting.Caption = VenueName(venue);
        if (k >= 4) {
            meeting.Caption += lit::kDayBefore;
        }
        meeting.MeetingKeyA = keyA;
        meeting.MeetingKeyB = keyB;
        meeting.MeetingKeyC = keyC;
        meeting.Visible = true;
    }
}

bool DiscoverRaces(const std::string& kelDir, const Meetings& meetings, Selection& selection) {
    selection.RaceButtonVisible.fill(true);
    selection.VoteButtonVisible = true;

    bool found = false;
    int lastRace = 0;
    for (int r = 1; r <= kRaces; ++r) {
        auto& flags = selection.RaceFileExists[r];
        bool any = false;
        for (int j = 1; j <= kDataKinds; ++j) {
            const std::string name = RaceFileName(kelDir, meetings, selection, j, r);
            const bool exists = !name.empty() && IsRegularFile(name);
            flags[j] = exists;
            if (!exists) {
                continue;
            }
            any = true;
            lastRace = r;
            // The race chosen before stays when it has files; else the next higher one.
            if (!found && selection.SelectedRace <= r) {
                selection.SelectedRace = r;
                found = true;
            }
        }
        selection.RaceButtonVisible[r] = any;
    }
    // Nothing at or above the chosen race: the highest race with files, or none.
    if (selection.SelectedRace >= lastRace) {
        selection.SelectedRace = lastRace;
    }
    return selection.SelectedRace != 0;
}

RaceFiles SelectedRaceFiles(const std::string& kelDir, const Meetings& meetings,
                            const Selection& selection) {
    RaceFiles files;
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        files.exists[kind] = selection.RaceHasFile(kind);
        files.name[kind] = RaceFileName(kelDir, meetings, selection, kind, selection.SelectedRace);
    }
    files.race.venue = selection.SelectedVenue;
    files.race.race = selection.SelectedRace;
    if (selection.SelectedMeeting >= 1 && selection.SelectedMeeting <= kMeetingSlots) {
        const Meeting& meeting = meetings.slot[selection.SelectedMeeting];
        files.race.meetingKeyA = meeting.MeetingKeyA;
        files.race.meetingKeyB = meeting.MeetingKeyB;
        files.race.meetingKeyC = meeting.MeetingKeyC;
    }
    return files;
}

}  // namespace orvikel
