#include "sample/folder_plan.hpp"

#include <algorithm>
#include <cmath>

#include "platform/encoding.hpp"
#include "sample/names.hpp"
#include "sample/rng.hpp"

namespace orvikel::sample {

namespace {

constexpr int kRacesPerMeeting = 12;
constexpr int kJockeysPerMeeting = 30;

// Days since 1970-01-01 and back, for the proleptic Gregorian calendar.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return Date{y, m, d};
}

// Which way the racecourses turn, venue 1..10: 新潟, 東京 and 中京 run left-handed.
bool LeftHanded(int venue) {
    return venue == 4 || venue == 5 || venue == 7;
}

// Brackets as the racing authority gives them: the numbers are spread evenly, and the extra
// horses of a field that does not divide by eight go to the highest brackets.
std::vector<int> Brackets(int runners) {
    std::vector<int> brackets;
    const int base = runners / 8;
    const int extra = runners % 8;
    for (int b = 1; b <= 8; ++b) {
        const int size = base + (b > 8 - extra ? 1 : 0);
        brackets.insert(brackets.end(), static_cast<std::size_t>(size), b);
    }
    return brackets;
}

// What the folder must show whatever the seed, placed at fixed races.
struct Forced {
    int runners = 0;  // 0: drawn
    bool cardScratch = false;
    bool oddsScratch = false;
    bool weightScratch = false;
    bool deadHeat = false;
    bool noZoTotals = false;
    bool noUoTotals = false;
};

struct MeetingContext {
    int venue = 0;
    int firstPost = 0;
    bool today = true;
    int now = 0;  // minutes after midnight of the snapshot (today's meetings only)
    std::vector<Jockey> jockeys;
};

Runner MakeRunner(Rng& rng, const RaceTexts& texts, const Jockey& jockey, bool special) {
    Runner r;
    r.jockey = jockey.name;
    r.apprentice = jockey.apprentice;
    const bool filly = rng.Chance(0.4);
    int burden = texts.baseBurdenTenths - (filly ? 20 : 0);
    if (texts.conditions.find(text::ToCp932("ハンデ")) != std::string::npos) {
        burden = texts.baseBurdenTenths + 5 * rng.Range(-8, 4);
    } else if (!special) {
        // Apprentices ride lighter in the ordinary races: 1, 2 or 3 kg by their code.
        if (jockey.apprentice == "10") {
            burden -= 10;
        } else if (jockey.apprentice == "20") {
            burden -= 20;
        } else if (jockey.apprentice == "30") {
            burden -= 30;
        }
    }
    r.burdenTenths = burden;
    r.riderChanged = rng.Chance(0.03);
    r.bodyWeight = filly ? rng.Range(410, 490) : rng.Range(440, 530);
    r.firstRun = texts.conditions.find(text::ToCp932("新馬")) != std::string::npos;
    r.weightChange = r.firstRun ? 0 : 2 * rng.Range(-6, 6);
    const double x = rng.Unit() + rng.Unit() + rng.Unit();
    const double y = 0.25 + x;
    r.strength = y * y * y * y;  // a field of a few strong horses and a long tail
    return r;
}

int PostMinutes(int firstPost, int race) {
    return firstPost + 30 * (race - 1) + (race >= 5 ? 20 : 0) + (race >= 11 ? 5 : 0);
}

double SaleFraction(int minutesToPost) {
    const double t = 1.0 + static_cast<double>(std::max(minutesToPost, 0)) / 25.0;
    return 0.03 + 0.97 / (t * t);
}

// The bettors' view of each horse wanders a little every minute. Each step is drawn from the
// race, the horse and the minute alone, so the state after 10 minutes is the state after 5
// moved on by 5 more, whatever else the folder holds.
void DriftStrengths(RacePlan& race, int minutes) {
    constexpr double kStepPerMinute = 0.03;
    for (Runner& r : race.runners) {
        double drift = 0;
        for (int m = 1; m <= minutes; ++m) {
            Rng step(race.finishSeed ^ (static_cast<std::uint64_t>(r.number) << 48) ^
                     (static_cast<std::uint64_t>(m) * 0x9FB21C651E98DF25ULL));
            // Three uniforms make a bell; centred, with a standard deviation of one.
            drift += kStepPerMinute * 2.0 * (step.Unit() + step.Unit() + step.Unit() - 1.5);
        }
        r.strength *= std::exp(drift);
    }
}

// A race that was on sale at the moment of the folder, `minutes` later: odds moved and
// fetched again, more votes sold, weighed when the weighing has come, run and its results
// out ten minutes after the post. Races that were over or whose odds were fetched once stay.
void MoveOn(RacePlan& race, int now, int minutes) {
    if (!race.live || minutes == 0) {
        return;
    }
    DriftStrengths(race, minutes);
    const int minutesToPost = race.postMinutes - (now + minutes);
    race.finished = minutesToPost <= -10;
    if (race.finished) {
        // The final odds; a time already past the post (fetched just after it) stays.
        race.oddsMinutes = std::max(race.oddsMinutes, race.postMinutes);
    } else if (race.oddsMinutes < race.postMinutes) {
        // The sale closes at the post: the odds time goes no further.
        race.oddsMinutes = std::min(race.oddsMinutes + minutes, race.postMinutes);
    }
    race.saleFraction = race.finished ? 1.0 : SaleFraction(minutesToPost);
    race.files[2] = race.files[2] || race.finished || minutesToPost <= 70;
    race.files[5] = race.finished;
}

RacePlan PlanRace(Rng& rng, const MeetingContext& meeting, int number, const Forced& forced) {
    RacePlan race;
    race.number = number;
    race.postMinutes = PostMinutes(meeting.firstPost, number);
    const RaceTexts texts = RaceTextsFor(rng, number);
    race.name = texts.name;
    race.conditions = texts.conditions;
    const bool turf = rng.Chance(0.55);
    race.course =
        text::ToCp932(std::string(turf ? "芝" : "ダ") + (LeftHanded(meeting.venue) ? "左" : "右"));
    static constexpr std::array<int, 7> kTurf = {1200, 1400, 1600, 1800, 2000, 2200, 2400};
    static constexpr std::array<int, 7> kDirt = {1000, 1200, 1400, 1700, 1800, 1900, 2100};
    race.distance = (turf ? kTurf : kDirt)[static_cast<std::size_t>(rng.Range(0, 6))];

    int n = texts.maiden ? rng.Range(12, 18) : rng.Range(8, 18);
    if (forced.runners > 0) {
        n = forced.runners;
    } else if (forced.cardScratch || forced.oddsScratch || forced.weightScratch) {
        n = std::max(n, 12);
    }
    const std::vector<std::string> names = HorseNames(rng, n);
    std::vector<std::size_t> riders(meeting.jockeys.size());
    for (std::size_t i = 0; i < riders.size(); ++i) {
        riders[i] = i;
    }
    for (std::size_t i = riders.size() - 1; i > 0; --i) {
        std::swap(riders[i], riders[static_cast<std::size_t>(rng.Range(0, static_cast<int>(i)))]);
    }
    const std::vector<int> brackets = Brackets(n);
    const bool special = number >= 9 && number <= 11;
    for (int h = 1; h <= n; ++h) {
        const auto i = static_cast<std::size_t>(h - 1);
        Runner r = MakeRunner(rng, texts, meeting.jockeys[riders[i]], special);
        r.number = h;
        r.bracket = brackets[i];
        r.name = names[i];
        race.runners.push_back(r);
    }
    if (number == 11 && rng.Chance(0.3)) {
        // Now and then a heavy favourite, whose place odds sit at the floor.
        race.runners[static_cast<std::size_t>(rng.Range(0, n - 1))].strength *= 6.0;
    }

    const int minutesToPost = race.postMinutes - meeting.now;
    race.finished = !meeting.today || minutesToPost <= -10;
    race.live = !race.finished;
    race.oddsMinutes = race.finished ? race.postMinutes : meeting.now - rng.Range(0, 2);
    race.saleFraction = race.finished ? 1.0 : SaleFraction(minutesToPost);
    race.winPool = static_cast<std::int64_t>(rng.Range(450000, 1300000)) *
                   (number == 11 ? 3 : (number == 10 || number == 12 ? 2 : 1));
    const bool weighed = race.finished || minutesToPost <= 70;

    // Scratches only in fields of ten or more, so that three places are still paid.
    auto scratchOne = [&](Scratch kind) {
        for (int tries = 0; tries < 40; ++tries) {
            Runner& r = race.runners[static_cast<std::size_t>(rng.Range(0, n - 1))];
            if (r.scratch == Scratch::kNone) {
                r.scratch = kind;
                return;
            }
        }
    };
    if (n >= 10) {
        if (forced.cardScratch || rng.Chance(0.1)) {
            scratchOne(Scratch::kCard);
        }
        if (forced.oddsScratch || (weighed && rng.Chance(0.04))) {
            scratchOne(Scratch::kOddsOnly);
        }
        if (forced.weightScratch || (weighed && !race.finished && rng.Chance(0.3))) {
            scratchOne(Scratch::kWeightsOnly);
        }
    }

    race.zoTotals = !forced.noZoTotals && !rng.Chance(0.08);
    race.uoTotals = !forced.noUoTotals && !rng.Chance(0.08);
    race.deadHeat = forced.deadHeat;
    race.finishSeed = rng.Next();
    race.files[1] = true;
    race.files[2] = weighed;
    race.files[3] = race.files[4] = race.files[6] = race.files[7] = true;
    race.files[5] = race.finished;
    return race;
}

}  // namespace

std::vector<MeetingPlan> PlanFolder(std::uint64_t seed, int minutesLater) {
    Rng rng(seed);
    // A Sunday between 2023 and 2025; 2023-01-01 was one.
    const long long sunday = DaysFromCivil(2023, 1, 1) + 7LL * rng.Range(0, 155);
    const Date today = CivilFromDays(sunday);
    const Date dayBefore = CivilFromDays(sunday - 1);
    const int now = rng.Range(12 * 60 + 20, 14 * 60 + 10);
    const int meetingsBefore = rng.Chance(0.7) ? 3 : 2;

    std::vector<int> venues = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (std::size_t i = venues.size() - 1; i > 0; --i) {
        std::swap(venues[i], venues[static_cast<std::size_t>(rng.Range(0, static_cast<int>(i)))]);
    }
    std::vector<int> offsets = {0, 5, 10, 15};
    for (std::size_t i = offsets.size() - 1; i > 0; --i) {
        std::swap(offsets[i], offsets[static_cast<std::size_t>(rng.Range(0, static_cast<int>(i)))]);
    }

    std::vector<MeetingPlan> meetings;
    for (int slot = 1; slot <= 3 + meetingsBefore; ++slot) {
        const bool isToday = slot <= 3;
        const int venueSlot = isToday ? slot : slot - 3;
        MeetingPlan m;
        m.slot = slot;
        m.venue = venues[static_cast<std::size_t>(venueSlot - 1)];
        m.date = isToday ? today : dayBefore;
        m.keyA = m.date.year % 10;
        if (isToday) {
            m.meetingNumber = rng.Range(1, 5);
            m.day = rng.Range(2, 12);
        } else {
            // The same racecourse the day before: same meeting, the previous day.
            m.meetingNumber = meetings[static_cast<std::size_t>(venueSlot - 1)].meetingNumber;
            m.day = meetings[static_cast<std::size_t>(venueSlot - 1)].day - 1;
        }
        Rng meetingRng = rng.Fork(static_cast<std::uint64_t>(slot));
        MeetingContext context;
        context.venue = m.venue;
        context.firstPost = 9 * 60 + 50 + offsets[static_cast<std::size_t>(venueSlot - 1)];
        context.today = isToday;
        context.now = now;
        context.jockeys = MeetingJockeys(meetingRng, kJockeysPerMeeting);
        const bool lastMeeting = slot == 3 + meetingsBefore;
        bool weightScratchDone = false;
        for (int r = 1; r <= kRacesPerMeeting; ++r) {
            Forced forced;
            forced.runners = (slot == 1 && r == 1) ? 18 : (slot == 2 && r == 9) ? 8 : 0;
            forced.cardScratch = slot == 1 && r == 2;
            forced.oddsScratch = slot == 4 && r == 7;
            forced.deadHeat = slot == 4 && r == 5;
            forced.noZoTotals = slot == 2 && r == 3;
            forced.noUoTotals = (slot == 2 && r == 3) || (slot == 5 && r == 8);
            // The first race of the first meeting that is weighed but not yet run shows a horse
            // scratched at the weighing.
            const int post = PostMinutes(context.firstPost, r);
            forced.weightScratch =
                slot == 1 && !weightScratchDone && post - now > -10 && post - now <= 70;
            weightScratchDone = weightScratchDone || forced.weightScratch;
            Rng raceRng = meetingRng.Fork(static_cast<std::uint64_t>(r));
            RacePlan race = PlanRace(raceRng, context, r, forced);
            if (lastMeeting) {
                // An older client's results without exacta and trio, and no files of those.
                race.longResults = false;
                race.files[6] = race.files[7] = false;
                if (r == kRacesPerMeeting) {
                    race.files = {};
                    race.files[5] = true;  // only the results are left of this race
                }
            }
            if (slot == 3 && r == kRacesPerMeeting) {
                race.files = {};
                race.files[1] = race.files[7] = true;  // only the card and the trio odds
                // ... and those trio odds fetched once early in the morning, when many
                // combinations had drawn no vote yet and show 0.0.
                race.oddsMinutes = 9 * 60 + 30 + raceRng.Range(0, 20);
                race.saleFraction = 0.004;
                race.live = false;
            }
            MoveOn(race, now, minutesLater);
            m.races.push_back(race);
        }
        meetings.push_back(m);
    }
    return meetings;
}

}  // namespace orvikel::sample
