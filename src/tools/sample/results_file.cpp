#include "sample/results_file.hpp"

#include <algorithm>
#include <array>

#include "platform/encoding.hpp"
#include "sample/file_layouts.hpp"
#include "sample/line_builder.hpp"
#include "sample/odds_files.hpp"
#include "sample/rng.hpp"

namespace orvikel::sample {

namespace {

constexpr int kFinishers = 7;
constexpr int kRefunds = 5;

// Payout per 100 yen; a winning ticket nobody bought is paid the special 70 yen.
std::int64_t Yen(std::int64_t tenths) {
    return tenths > 0 ? tenths * 10 : 70;
}

const Runner& RunnerOf(const RacePlan& race, int number) {
    return race.runners[static_cast<std::size_t>(number - 1)];
}

struct Margin {
    const char* utf8;
    int tenths;  // the time it stands for
};

constexpr std::array<Margin, 13> kMargins = {{{"ハナ", 0},
                                              {"アタマ", 0},
                                              {"クビ", 1},
                                              {"1/2", 1},
                                              {"3/4", 1},
                                              {"1", 2},
                                              {"1 1/4", 2},
                                              {"1 1/2", 3},
                                              {"2", 3},
                                              {"2 1/2", 4},
                                              {"3", 5},
                                              {"4", 7},
                                              {"5", 8}}};

std::string TimeText(int tenths) {
    const int minutes = tenths / 600;
    const int seconds = (tenths % 600) / 10;
    return std::to_string(minutes) + ":" + (seconds < 10 ? "0" : "") + std::to_string(seconds) +
           "." + std::to_string(tenths % 10);
}

void PutFinishers(LineBuilder& line, const RacePlan& race, const std::vector<int>& order) {
    Rng rng(race.finishSeed ^ 0x5851F42D4C957F2DULL);
    const double speed = race.course.substr(0, 2) == text::ToCp932("芝") ? 16.7 : 16.0;
    int time = static_cast<int>(race.distance * 10 / speed) + rng.Range(-8, 8);
    for (int k = 0; k < kFinishers && k < static_cast<int>(order.size()); ++k) {
        const int f = 91 + 40 * k;
        std::string margin;
        int position = k + 1;
        if (k == 1 && race.deadHeat) {
            position = 1;
            margin = text::ToCp932("同着");
        } else if (k > 0) {
            const Margin& m = kMargins[static_cast<std::size_t>(rng.Range(0, 12))];
            margin = text::ToCp932(m.utf8);
            time += m.tenths;
        }
        line.Number(f, 1, position)
            .Number(f + 1, 3, order[static_cast<std::size_t>(k)])
            .Left(f + 4, 18, RunnerOf(race, order[static_cast<std::size_t>(k)]).name)
            .Left(f + 22, 18, TimeText(time) + "  " + margin);
    }
}

}  // namespace

std::string ResultsFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market) {
    const int s = race.longResults ? 2 : 0;
    LineBuilder line(race.longResults ? 821 : 684);
    PutRaceCardHeader(line, meeting, race);
    const std::vector<int> order = DrawFinish(race);
    PutFinishers(line, race, order);
    const int first = order[0];
    const int second = order[1];
    const int third = order[2];
    auto index = [](int horse) { return static_cast<std::size_t>(horse - 1); };

    // Win: a dead heat shares the pool between the two horses.
    std::vector<std::size_t> winners = {index(first)};
    if (race.deadHeat) {
        winners.push_back(index(second));
    }
    for (std::size_t k = 0; k < winners.size(); ++k) {
        const int c = 376 + s + 10 * static_cast<int>(k);
        line.Number(c, 2, static_cast<int>(winners[k]) + 1)
            .Number(c + 2, 8, Yen(market.win.ShareTenths(winners, k)));
    }
    const std::vector<std::size_t> placed = {index(first), index(second), index(third)};
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const int c = 406 + s + 10 * static_cast<int>(k);
        line.Number(c, 2, static_cast<int>(placed[k]) + 1)
            .Number(c + 2, 8, Yen(market.place.ShareTenths(placed, k)));
    }
    const int b1 = std::min(RunnerOf(race, first).bracket, RunnerOf(race, second).bracket);
    const int b2 = std::max(RunnerOf(race, first).bracket, RunnerOf(race, second).bracket);
    const std::size_t bracket = BracketIndex(b1, b2);
    if (market.bracket.tickets[bracket].sale == Sale::kSold) {
        line.Put(457 + s, std::to_string(b1) + "-" + std::to_string(b2))
            .Number(460 + s, 8, Yen(market.bracket.OddsTenths(bracket)));
    }
    const int q1 = std::min(first, second);
    const int q2 = std::max(first, second);
    line.Put(493 + s, PairText(q1, q2))
        .Number(498 + s, 8, Yen(market.quinella.OddsTenths(PairIndex(q1, q2))));

    std::array<int, 3> top = {first, second, third};
    std::sort(top.begin(), top.end());
    const std::vector<std::size_t> widePairs = {
        PairIndex(top[0], top[1]), PairIndex(top[0], top[2]), PairIndex(top[1], top[2])};
    for (std::size_t k = 0; k < widePairs.size(); ++k) {
        const Ticket& t = market.wide.tickets[widePairs[k]];
        const int c = 535 + s + 14 * static_cast<int>(k);
        line.Put(c, PairText(t.ids[0], t.ids[1]))
            .Number(c + 5, 8, Yen(market.wide.ShareTenths(widePairs, k)));
    }

    if (race.longResults) {
        std::vector<std::size_t> exacta = {ExactaIndex(first, second)};
        if (race.deadHeat) {
            exacta.push_back(ExactaIndex(second, first));
        }
        for (std::size_t k = 0; k < exacta.size(); ++k) {
            const Ticket& t = market.exacta.tickets[exacta[k]];
            const int c = 677 + 14 * static_cast<int>(k);
            line.Put(c, PairText(t.ids[0], t.ids[1]))
                .Number(c + 5, 8, Yen(market.exacta.ShareTenths(exacta, k)));
        }
        line.Put(761, TripleText(top[0], top[1], top[2]))
            .Number(769, 8, Yen(market.trio.OddsTenths(TrioIndex(top[0], top[1], top[2]))));
    }

    int refund = 0;
    for (const Runner& r : race.runners) {
        if (r.scratch != Scratch::kNone && refund < kRefunds) {
            line.Number((race.longResults ? 812 : 675) + 2 * refund, 2, r.number);
            ++refund;
        }
    }
    return line.FileBytes();
}

}  // namespace orvikel::sample
