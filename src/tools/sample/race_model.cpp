#include "sample/race_model.hpp"

#include <algorithm>

#include "sample/rng.hpp"

namespace orvikel::sample {

namespace {

constexpr int kMaxHorses = 18;
constexpr int kBrackets = 8;

// Pool sizes relative to the win pool, roughly as the bets sell.
constexpr double kPlaceShare = 0.75;
constexpr double kBracketShare = 0.35;
constexpr double kQuinellaShare = 2.2;
constexpr double kWideShare = 1.0;
constexpr double kExactaShare = 1.6;
constexpr double kTrioShare = 2.8;

using Chances = std::array<double, kMaxHorses + 1>;  // by horse number, [0] unused

Chances WinChances(const RacePlan& race) {
    Chances p{};
    double sum = 0;
    for (const Runner& r : race.runners) {
        if (!r.OutOfMarket()) {
            sum += r.strength;
        }
    }
    for (const Runner& r : race.runners) {
        if (!r.OutOfMarket()) {
            p[static_cast<std::size_t>(r.number)] = r.strength / sum;
        }
    }
    return p;
}

// Chance that a wins and b comes second, by the Harville rule.
double Ordered2(const Chances& p, int a, int b) {
    const double pa = p[static_cast<std::size_t>(a)];
    return pa * p[static_cast<std::size_t>(b)] / (1.0 - pa);
}

double Ordered3(const Chances& p, int a, int b, int c) {
    const double pa = p[static_cast<std::size_t>(a)];
    const double pb = p[static_cast<std::size_t>(b)];
    return Ordered2(p, a, b) * p[static_cast<std::size_t>(c)] / (1.0 - pa - pb);
}

double Trio(const Chances& p, int a, int b, int c) {
    return Ordered3(p, a, b, c) + Ordered3(p, a, c, b) + Ordered3(p, b, a, c) +
           Ordered3(p, b, c, a) + Ordered3(p, c, a, b) + Ordered3(p, c, b, a);
}

// Shares the pool volume out as whole votes in proportion to the chances of the sold tickets.
void Sell(Pool& pool, double volume) {
    double sum = 0;
    for (const Ticket& t : pool.tickets) {
        if (t.sale == Sale::kSold) {
            sum += t.chance;
        }
    }
    pool.total = 0;
    for (Ticket& t : pool.tickets) {
        if (t.sale == Sale::kSold && sum > 0) {
            t.votes = static_cast<std::int64_t>(volume * t.chance / sum + 0.5);
            pool.total += t.votes;
        }
    }
}

Sale HorsesSale(const std::vector<int>& horses, int runners, const std::vector<bool>& out) {
    for (int h : horses) {
        if (h > runners) {
            return Sale::kAbsent;
        }
    }
    for (int h : horses) {
        if (out[static_cast<std::size_t>(h)]) {
            return Sale::kCancelled;
        }
    }
    return Sale::kSold;
}

}  // namespace

std::int64_t Pool::OddsTenths(std::size_t ticket) const {
    return ShareTenths({ticket}, 0);
}

std::int64_t Pool::ShareTenths(const std::vector<std::size_t>& winners, std::size_t which) const {
    const std::int64_t votes = tickets[winners[which]].votes;
    if (votes == 0) {
        return 0;
    }
    std::int64_t stakes = 0;
    std::int64_t paid = 0;
    for (std::size_t w : winners) {
        stakes += tickets[w].votes;
        paid += tickets[w].votes > 0 ? 1 : 0;
    }
    // Per 100 yen: the stake back, plus this winner's part of what is left after the takeout,
    // cut to 10 yen; never less than the stake.
    const std::int64_t left = std::max<std::int64_t>(0, total * keepPermille - 1000 * stakes);
    return 10 + left / (100 * paid * votes);
}

std::size_t PairIndex(int first, int second) {
    const int before = (first - 1) * kMaxHorses - (first - 1) * first / 2;
    return static_cast<std::size_t>(before + (second - first - 1));
}

std::size_t ExactaIndex(int first, int second) {
    return static_cast<std::size_t>((first - 1) * (kMaxHorses - 1) +
                                    (second < first ? second - 1 : second - 2));
}

std::size_t TrioIndex(int a, int b, int c) {
    std::size_t index = 0;
    for (int x = 1; x < a; ++x) {
        index += static_cast<std::size_t>((kMaxHorses - x) * (kMaxHorses - x - 1) / 2);
    }
    for (int y = a + 1; y < b; ++y) {
        index += static_cast<std::size_t>(kMaxHorses - y);
    }
    return index + static_cast<std::size_t>(c - b - 1);
}

std::size_t BracketIndex(int a, int b) {
    int before = 0;
    for (int x = 1; x < a; ++x) {
        before += kBrackets + 1 - x;
    }
    return static_cast<std::size_t>(before + (b - a));
}

Market BuildMarket(const RacePlan& race) {
    const int n = static_cast<int>(race.runners.size());
    const Chances p = WinChances(race);
    std::vector<bool> out(kMaxHorses + 1, false);
    std::array<int, kMaxHorses + 1> bracketOf{};
    std::array<int, kBrackets + 1> bracketSize{};
    for (const Runner& r : race.runners) {
        out[static_cast<std::size_t>(r.number)] = r.OutOfMarket();
        bracketOf[static_cast<std::size_t>(r.number)] = r.bracket;
        ++bracketSize[static_cast<std::size_t>(r.bracket)];
    }

    Market m;
    m.win.keepPermille = 800;
    m.place.keepPermille = 775;
    m.bracket.keepPermille = 775;
    m.quinella.keepPermille = 775;
    m.wide.keepPermille = 775;
    m.exacta.keepPermille = 750;
    m.trio.keepPermille = 750;

    Chances top3{};
    for (int a = 1; a <= kMaxHorses; ++a) {
        for (int b = a + 1; b <= kMaxHorses; ++b) {
            for (int c = b + 1; c <= kMaxHorses; ++c) {
                Ticket t{{a, b, c}, HorsesSale({a, b, c}, n, out), 0, 0};
                if (t.sale == Sale::kSold) {
                    t.chance = Trio(p, a, b, c);
                    for (int h : {a, b, c}) {
                        top3[static_cast<std::size_t>(h)] += t.chance;
                    }
                }
                m.trio.tickets.push_back(t);
            }
        }
    }
    for (int h = 1; h <= kMaxHorses; ++h) {
        const Sale sale = HorsesSale({h}, n, out);
        const auto i = static_cast<std::size_t>(h);
        m.win.tickets.push_back({{h, 0, 0}, sale, sale == Sale::kSold ? p[i] : 0, 0});
        m.place.tickets.push_back({{h, 0, 0}, sale, sale == Sale::kSold ? top3[i] : 0, 0});
    }
    for (int a = 1; a <= kMaxHorses; ++a) {
        for (int b = a + 1; b <= kMaxHorses; ++b) {
            const Sale sale = HorsesSale({a, b}, n, out);
            Ticket q{{a, b, 0}, sale, 0, 0};
            Ticket w = q;
            if (sale == Sale::kSold) {
                q.chance = Ordered2(p, a, b) + Ordered2(p, b, a);
                for (int c = 1; c <= kMaxHorses; ++c) {
                    if (c != a && c != b && HorsesSale({c}, n, out) == Sale::kSold) {
                        std::array<int, 3> abc{a, b, c};
                        std::sort(abc.begin(), abc.end());
                        w.chance += m.trio.tickets[TrioIndex(abc[0], abc[1], abc[2])].chance;
                    }
                }
            }
            m.quinella.tickets.push_back(q);
            m.wide.tickets.push_back(w);
        }
    }
    for (int a = 1; a <= kMaxHorses; ++a) {
        for (int b = 1; b <= kMaxHorses; ++b) {
            if (a != b) {
                const Sale sale = HorsesSale({a, b}, n, out);
                m.exacta.tickets.push_back(
                    {{a, b, 0}, sale, sale == Sale::kSold ? Ordered2(p, a, b) : 0, 0});
            }
        }
    }
    // The bracket quinella is not sold for eight runners or fewer; a bracket pair with one
    // horse only in the bracket does not exist; one whose horses are all scratched is off.
    for (int a = 1; a <= kBrackets; ++a) {
        for (int b = a; b <= kBrackets; ++b) {
            Ticket t{{a, b, 0}, Sale::kAbsent, 0, 0};
            const auto sa = static_cast<std::size_t>(a);
            if (n > kBrackets && (a != b || bracketSize[sa] >= 2)) {
                t.sale = Sale::kCancelled;
                for (const Ticket& q : m.quinella.tickets) {
                    const int ba = bracketOf[static_cast<std::size_t>(q.ids[0])];
                    const int bb = bracketOf[static_cast<std::size_t>(q.ids[1])];
                    if (q.sale == Sale::kSold && ((ba == a && bb == b) || (ba == b && bb == a))) {
                        t.sale = Sale::kSold;
                        t.chance += q.chance;
                    }
                }
            }
            m.bracket.tickets.push_back(t);
        }
    }

    // Each pool sells a little more or less than its usual share, race by race.
    Rng rng(race.finishSeed ^ 0x2545F4914F6CDD1DULL);
    const double volume = static_cast<double>(race.winPool) * race.saleFraction;
    auto vary = [&rng](double share) { return share * (0.85 + 0.3 * rng.Unit()); };
    Sell(m.win, volume);
    Sell(m.place, volume * vary(kPlaceShare));
    Sell(m.bracket, volume * vary(kBracketShare));
    Sell(m.quinella, volume * vary(kQuinellaShare));
    Sell(m.wide, volume * vary(kWideShare));
    Sell(m.exacta, volume * vary(kExactaShare));
    Sell(m.trio, volume * vary(kTrioShare));
    return m;
}

std::array<std::int64_t, 2> PlaceRange(const Market& market, int horse) {
    std::vector<std::size_t> others;
    for (std::size_t i = 0; i < market.place.tickets.size(); ++i) {
        if (market.place.tickets[i].sale == Sale::kSold &&
            market.place.tickets[i].ids[0] != horse) {
            others.push_back(i);
        }
    }
    std::sort(others.begin(), others.end(), [&](std::size_t x, std::size_t y) {
        return market.place.tickets[x].votes > market.place.tickets[y].votes;
    });
    const auto self = static_cast<std::size_t>(horse - 1);
    const std::size_t k = others.size();
    const std::int64_t low = market.place.ShareTenths({self, others[0], others[1]}, 0);
    const std::int64_t high = market.place.ShareTenths({self, others[k - 1], others[k - 2]}, 0);
    return {low, high};
}

std::array<std::int64_t, 2> WideRange(const Market& market, int first, int second) {
    std::array<std::int64_t, 2> range{0, 0};
    bool any = false;
    for (const Ticket& t : market.win.tickets) {
        const int c = t.ids[0];
        if (t.sale != Sale::kSold || c == first || c == second) {
            continue;
        }
        const std::vector<std::size_t> winners = {
            PairIndex(first, second), PairIndex(std::min(first, c), std::max(first, c)),
            PairIndex(std::min(second, c), std::max(second, c))};
        const std::int64_t odds = market.wide.ShareTenths(winners, 0);
        range[0] = any ? std::min(range[0], odds) : odds;
        range[1] = any ? std::max(range[1], odds) : odds;
        any = true;
    }
    return range;
}

std::vector<int> DrawFinish(const RacePlan& race) {
    Rng rng(race.finishSeed);
    std::vector<std::pair<int, double>> left;
    for (const Runner& r : race.runners) {
        if (r.scratch == Scratch::kNone) {
            left.emplace_back(r.number, r.strength);
        }
    }
    std::vector<int> order;
    while (!left.empty()) {
        double sum = 0;
        for (const auto& [number, strength] : left) {
            sum += strength;
        }
        double draw = rng.Unit() * sum;
        std::size_t pick = left.size() - 1;
        for (std::size_t i = 0; i < left.size(); ++i) {
            draw -= left[i].second;
            if (draw < 0) {
                pick = i;
                break;
            }
        }
        order.push_back(left[pick].first);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    return order;
}

}  // namespace orvikel::sample
