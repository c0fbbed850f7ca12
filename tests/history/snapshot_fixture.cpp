#include "snapshot_fixture.hpp"

#include <algorithm>

namespace orvikel::history::testing {

RaceSnapshot Snapshot(const std::string& oddsTime, const std::vector<Horse>& horses,
                      const RaceKey& race) {
    RaceSnapshot s;
    s.race = race;
    KindSnapshot& win = s[BetKind::Win];
    win.present = true;
    win.oddsTime = oddsTime;
    win.votes = 100000;
    for (const Horse& h : horses) {
        OddsEntry e;
        e.horses = {h.number, 0, 0};
        e.state = h.state;
        e.odds = h.state == PriceState::Priced ? h.tenths : 0;
        win.entries.push_back(e);
    }
    std::vector<OddsEntry*> priced;
    for (OddsEntry& e : win.entries) {
        if (e.state == PriceState::Priced) {
            priced.push_back(&e);
        }
    }
    std::stable_sort(priced.begin(), priced.end(),
                     [](const OddsEntry* a, const OddsEntry* b) { return a->odds < b->odds; });
    for (std::size_t i = 0; i < priced.size(); ++i) {
        priced[i]->rank = static_cast<int>(i + 1);
    }
    return s;
}

RaceSnapshot FullRace(const std::string& oddsTime, std::int64_t shift) {
    RaceSnapshot s;
    s.race = kRace;
    auto add = [&](BetKind kind, std::array<int, 3> horses, std::int64_t odds, std::int64_t upper) {
        KindSnapshot& k = s[kind];
        OddsEntry e;
        e.horses = horses;
        e.odds = odds + shift;
        e.upper = upper;
        e.state = PriceState::Priced;
        e.rank = static_cast<int>(k.entries.size() + 1);
        k.entries.push_back(e);
    };
    for (int h = 1; h <= 18; ++h) {
        add(BetKind::Win, {h, 0, 0}, 15 + 10 * h, 0);
        add(BetKind::Place, {h, 0, 0}, 11 + 3 * h, 14 + 5 * h);
    }
    for (int a = 1; a <= 8; ++a) {
        for (int b = a; b <= 8; ++b) {
            add(BetKind::BracketQuinella, {a, b, 0}, 30 + a * b, 0);
        }
    }
    for (int a = 1; a <= 18; ++a) {
        for (int b = a + 1; b <= 18; ++b) {
            add(BetKind::Quinella, {a, b, 0}, 50 + a * b, 0);
            add(BetKind::Wide, {a, b, 0}, 20 + a * b, 40 + a * b);
        }
    }
    for (int a = 1; a <= 18; ++a) {
        for (int b = 1; b <= 18; ++b) {
            if (a != b) {
                add(BetKind::Exacta, {a, b, 0}, 90 + a * b, 0);
            }
        }
    }
    for (int a = 1; a <= 18; ++a) {
        for (int b = a + 1; b <= 18; ++b) {
            for (int c = b + 1; c <= 18; ++c) {
                add(BetKind::Trio, {a, b, c}, 100 + a * b * c, 0);
            }
        }
    }
    for (std::size_t k = 0; k < kBetKindCount; ++k) {
        s.kinds[k].present = true;
        s.kinds[k].oddsTime = oddsTime;
        s.kinds[k].votes = 1000000 + static_cast<std::int64_t>(k);
    }
    return s;
}

}  // namespace orvikel::history::testing
