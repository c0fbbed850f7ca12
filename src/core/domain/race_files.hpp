#pragma once
// The fixed sizes of a race day, the seven data kinds and the data files of one race: what
// every layer above knows about the data folder.
#include <string>

#include "platform/indexed_array.hpp"

namespace orvikel {

inline constexpr int kMeetingSlots = 6;
inline constexpr int kRaces = 12;
inline constexpr int kDataKinds = 7;
inline constexpr int kHorses = 18;   // horse slots, numbered as the horses are
inline constexpr int kBrackets = 8;  // brackets (枠) 1..8

// Data kinds 1..7, numbered as the client numbers its files.
enum DataKind : int {
    kRaceCard = 1,      // "De-"
    kHorseWeights = 2,  // "Ut-"
    kWinPlace = 3,      // "Zo-" win, place and bracket quinella
    kQuinella = 4,      // "Uo-" quinella and wide
    kResults = 5,       // "Ks-"
    kExacta = 6,        // "So-"
    kTrio = 7,          // "Yo-"
};

// Which race, as discovery names it.
struct RaceKey {
    int venue = 0;  // 1..10
    int meetingKeyA = 0;
    int meetingKeyB = 0;
    int meetingKeyC = 0;
    int race = 0;  // 1..12

    friend bool operator==(const RaceKey&, const RaceKey&) = default;
};

// The seven data files of the selected race, as discovery found them: the only thing the
// readers of a refresh need to know about the folder.
struct RaceFiles {
    RaceKey race;
    OneBased<std::string, kDataKinds> name{};  // by DataKind
    OneBased<bool, kDataKinds> exists{};

    bool Has(int kind) const { return exists[kind]; }
    const std::string& Name(int kind) const { return name[kind]; }
};

}  // namespace orvikel
