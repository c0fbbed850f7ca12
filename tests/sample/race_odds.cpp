#include "race_odds.hpp"

#include <cmath>

#include "platform/bytes.hpp"

namespace orvikel::sample::testing {

namespace {

int Number(const std::string& field) {
    return static_cast<int>(ParseInteger(field).value_or(0));
}

}  // namespace

RaceOdds ReadRaceOdds(const GeneratedFolder& folder, const MeetingKeys& meeting, int race) {
    RaceOdds odds;
    const std::string zo = GeneratedFolder::RaceFile(3, meeting, race);
    if (folder.Has(zo)) {
        odds.hasWin = true;
        const std::string line = folder.Line(zo);
        for (int i = 0; i < 18; ++i) {
            const int c = 143 + 18 * i;
            const int horse = Number(Cut(line, c + 1, 2));
            if (horse > 0) {
                odds.win[horse] = Cut(line, c + 3, 5);
                odds.placeLow[horse] = Cut(line, c + 8, 5);
                odds.placeHigh[horse] = Cut(line, c + 13, 5);
            }
        }
        for (int i = 0; i < 36; ++i) {
            const int c = 467 + 10 * i;
            const Pair key{Number(Cut(line, c + 2, 1)), Number(Cut(line, c + 4, 1))};
            odds.bracket[key] = Cut(line, c + 5, 5);
        }
    }
    const std::string uo = GeneratedFolder::RaceFile(4, meeting, race);
    if (folder.Has(uo)) {
        odds.hasQuinella = true;
        const std::string line = folder.Line(uo);
        for (int i = 0; i < 153; ++i) {
            const int c = 145 + 25 * i;
            const Pair key{Number(Cut(line, c + 2, 2)), Number(Cut(line, c + 5, 2))};
            odds.quinella[key] = Cut(line, c + 7, 6);
            odds.wideLow[key] = Cut(line, c + 13, 6);
            odds.wideHigh[key] = Cut(line, c + 19, 6);
        }
    }
    const std::string so = GeneratedFolder::RaceFile(6, meeting, race);
    if (folder.Has(so)) {
        odds.hasExacta = true;
        const std::string line = folder.Line(so);
        for (int i = 0; i < 306; ++i) {
            const int c = 143 + 12 * i;
            odds.exacta[{Number(Cut(line, c + 1, 2)), Number(Cut(line, c + 4, 2))}] =
                Cut(line, c + 6, 6);
        }
    }
    const std::string yo = GeneratedFolder::RaceFile(7, meeting, race);
    if (folder.Has(yo)) {
        odds.hasTrio = true;
        const std::string line = folder.Line(yo);
        for (int i = 0; i < 816; ++i) {
            const int c = 143 + 15 * i;
            const Triple key{Number(Cut(line, c + 1, 2)), Number(Cut(line, c + 4, 2)),
                             Number(Cut(line, c + 7, 2))};
            odds.trio[key] = Cut(line, c + 9, 6);
        }
    }
    return odds;
}

long long Tenths(const std::string& field) {
    return std::llround(Odds(field).value_or(-1.0) * 10.0);
}

}  // namespace orvikel::sample::testing
