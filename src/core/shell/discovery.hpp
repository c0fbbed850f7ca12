#pragma once
// Meeting and race discovery over the data folder: which of the six meeting slots are
// present (the venue buttons) and which races of the chosen meeting have data files (the
// race buttons), with the race-selection rule.
#include <array>
#include <string>
#include <string_view>

#include "domain/race_files.hpp"

namespace orvikel {

const char* FilePrefix(int kind);       // "De-" .. "Yo-"
const char* VenueCode(int venue);       // "1".."9", "a"; nullptr outside 1..10
std::string_view VenueName(int venue);  // CP932 "札幌".."小倉"; throws outside 1..10
const char* FileCode(int index);        // "1".."9","a".."f" for 1..15

struct Meeting {
    std::string Caption;  // CP932 venue name, "前日" appended for slots 4..6
    int Venue = 0;
    int MeetingKeyA = 0;
    int MeetingKeyB = 0;
    int MeetingKeyC = 0;
    bool Visible = true;  // the venue button; all six visible with empty captions at start
};

struct Meetings {
    OneBased<Meeting, kMeetingSlots> slot{};
};

struct Selection {
    int SelectedMeeting = 0;  // 0 = none, else 1..6
    int SelectedVenue = 0;    // 1..10
    int SelectedRace = 0;     // 0 = none, else 1..12
    // RaceFileExists[r][j] for race r 1..12, kind j 1..7
    OneBased<OneBased<bool, kDataKinds>, kRaces> RaceFileExists{};
    OneBased<bool, kRaces> RaceButtonVisible{};  // race buttons 1..12
    bool VoteButtonVisible = false;              // ButtonHyou, the vote counts

    bool RaceHasFile(int kind) const;  // RaceFileExists[SelectedRace][kind]
};

std::string MeetingFileName(const std::string& kelDir, int slot);

// Name of the file of kind for race of the selected meeting and venue.
std::string RaceFileName(const std::string& kelDir, const Meetings& meetings,
                         const Selection& selection, int kind, int race);

// Fills the six slots in order. A slot whose file is missing is hidden and keeps its last
// values. An unreadable or malformed meeting file (also one whose venue lies outside 1..10,
// which is then hidden) raises DataError naming the file; the slots before it keep their new
// state, the later ones their previous state.
void DiscoverMeetings(const std::string& kelDir, Meetings& meetings);

// Fills RaceFileExists and the race buttons and adjusts SelectedRace by the discovery rule.
// Returns true when a race is selected.
bool DiscoverRaces(const std::string& kelDir, const Meetings& meetings, Selection& selection);

// The data files of the selected race and its key.
RaceFiles SelectedRaceFiles(const std::string& kelDir, const Meetings& meetings,
                            const Selection& selection);

}  // namespace orvikel
