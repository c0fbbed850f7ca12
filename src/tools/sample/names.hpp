#pragma once
// Made-up texts of a race day: horse names in full-width katakana (at most nine characters,
// as the racing authority allows), jockey names in kanji, race names and conditions. All are
// returned as CP932 bytes.
#include <string>
#include <vector>

#include "sample/rng.hpp"

namespace orvikel::sample {

// count different horse names, each at most 18 bytes.
std::vector<std::string> HorseNames(Rng& rng, int count);

struct Jockey {
    std::string name;        // CP932, at most 10 bytes
    std::string apprentice;  // "10", "20", "30" for an apprentice, else "00" (or blanks)
};

// The riders of one meeting: count different names, a few of them apprentices.
std::vector<Jockey> MeetingJockeys(Rng& rng, int count);

struct RaceTexts {
    std::string name;        // CP932, at most 28 bytes
    std::string conditions;  // CP932, at most 28 bytes
    int baseBurdenTenths = 0;
    bool maiden = false;
};

// Name and conditions of race number race (1..12) of a day's programme.
RaceTexts RaceTextsFor(Rng& rng, int race);

}  // namespace orvikel::sample
