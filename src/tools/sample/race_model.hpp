#pragma once
// One model of the horses' chances per race, and everything priced from it: the chance of
// each horse to win (its strength over the field's), ordered finishes by the Harville rule,
// the votes each combination draws at the time of the odds, and the odds and payouts that the
// pari-mutuel pools give after the takeout. Odds, vote totals and payouts therefore agree.
#include <array>
#include <cstdint>
#include <vector>

#include "sample/folder_plan.hpp"

namespace orvikel::sample {

enum class Sale {
    kAbsent,     // the combination does not exist in this race: blank odds
    kCancelled,  // it exists but a horse (or a whole bracket) is scratched: ﾄﾘｹｼ
    kSold,
};

struct Ticket {
    std::array<int, 3> ids{};  // horse numbers, or brackets for the bracket quinella
    Sale sale = Sale::kAbsent;
    double chance = 0;  // the bettors' share of the pool, from the model
    std::int64_t votes = 0;
};

struct Pool {
    int keepPermille = 0;         // what is paid back after the takeout
    std::int64_t total = 0;       // sum of the votes of all sold tickets
    std::vector<Ticket> tickets;  // in file order

    // Odds in tenths for one winning ticket alone (0 when it drew no vote).
    std::int64_t OddsTenths(std::size_t ticket) const;
    // Odds in tenths of winners[which] when all of winners are paid from the pool: the pool
    // after the takeout and the stakes is shared equally between them.
    std::int64_t ShareTenths(const std::vector<std::size_t>& winners, std::size_t which) const;
};

struct Market {
    Pool win;       // 18, by horse number
    Pool place;     // 18, by horse number
    Pool bracket;   // 36, (1,1), (1,2) .. (8,8)
    Pool quinella;  // 153, (1,2) .. (17,18)
    Pool wide;      // 153, same order
    Pool exacta;    // 306, (1,2) .. (1,18), (2,1) .. (18,17)
    Pool trio;      // 816, (1,2,3) .. (16,17,18)
};

Market BuildMarket(const RacePlan& race);

// Ticket positions of a combination in its pool.
std::size_t PairIndex(int first, int second);  // first < second, quinella and wide
std::size_t ExactaIndex(int first, int second);
std::size_t TrioIndex(int a, int b, int c);  // a < b < c
std::size_t BracketIndex(int a, int b);      // a <= b

// Place odds range of a horse (tenths): the other two placed horses drawing the most votes
// give the lower bound, those drawing the fewest the upper one.
std::array<std::int64_t, 2> PlaceRange(const Market& market, int horse);
// Wide odds range of a pair by the third placed horse.
std::array<std::int64_t, 2> WideRange(const Market& market, int first, int second);

// The finishing order of the horses that ran, drawn from the same model.
std::vector<int> DrawFinish(const RacePlan& race);

}  // namespace orvikel::sample
