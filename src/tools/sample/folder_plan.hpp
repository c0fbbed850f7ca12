#pragma once
// What the made-up folder holds before any byte is written: the meetings of a weekend (three
// today, two or three the day before at the same racecourses), their twelve races with
// runners, the moment of the snapshot and so which races are run and which files exist.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvikel::sample {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// How a scratched horse shows in the files: the client learns of it at different moments.
enum class Scratch {
    kNone,
    kCard,         // before the card was printed: race card, weights and odds all mark it
    kWeightsOnly,  // at the weighing: only the horse-weight file marks it, the odds are stale
    kOddsOnly,     // after the weighing: only the odds file shows ﾄﾘｹｼ
};

struct Runner {
    int number = 0;          // 1..18
    int bracket = 0;         // 1..8
    std::string name;        // CP932, at most 18 bytes
    std::string jockey;      // CP932
    std::string apprentice;  // "10", "20", "30", "00" or two blanks
    int burdenTenths = 0;    // 570 is 57.0 kg
    bool riderChanged = false;
    Scratch scratch = Scratch::kNone;
    int bodyWeight = 0;    // kg
    int weightChange = 0;  // kg, signed
    bool firstRun = false;
    double strength = 0;  // the model's ability of the horse, not normalised

    // Horses no vote can be placed on any more: they are out of the odds and of the race.
    bool OutOfMarket() const { return scratch == Scratch::kCard || scratch == Scratch::kOddsOnly; }
};

struct RacePlan {
    int number = 0;          // 1..12
    int postMinutes = 0;     // post time, minutes after midnight
    std::string course;      // CP932, 4 bytes ("芝右")
    int distance = 0;        // metres
    std::string name;        // CP932, at most 28 bytes
    std::string conditions;  // CP932, at most 28 bytes
    std::vector<Runner> runners;
    bool finished = false;
    bool live = false;            // its odds follow the clock (sold now, fetched now)
    int oddsMinutes = 0;          // time of the odds, minutes after midnight
    double saleFraction = 1.0;    // part of the final pools sold at the time of the odds
    std::int64_t winPool = 0;     // final win pool in votes; the other pools follow from it
    bool zoTotals = true;         // the Zo file carries its vote totals
    bool uoTotals = true;         // the Uo file carries its vote totals
    bool deadHeat = false;        // the first two finish together
    bool longResults = true;      // results with exacta and trio payouts
    std::array<bool, 8> files{};  // by data kind 1..7
    std::uint64_t finishSeed = 0;
};

struct MeetingPlan {
    int slot = 0;   // 1..6 (files Uy-a.jra .. Uy-f.jra)
    int venue = 0;  // 1..10
    Date date;
    int meetingNumber = 0;  // 回, also key B
    int day = 0;            // 日目, also key C
    int keyA = 0;           // last digit of the year
    std::vector<RacePlan> races;
};

// The folder of a seed; minutesLater > 0 gives the same races that many minutes later: the
// odds moved (each horse's strength drifts minute by minute, so a later state follows from an
// earlier one), the odds times moved on, more votes sold, races run and their results out.
std::vector<MeetingPlan> PlanFolder(std::uint64_t seed, int minutesLater = 0);

}  // namespace orvikel::sample
