#include "odds_history.hpp"

#include "platform/bytes.hpp"
#include "platform/encoding.hpp"

namespace orvikel::history {

namespace {

std::string TenthsText(std::int64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

int MinutesOf(const std::string& time) {
    return OddsTimeMinutes(time).value_or(-1);
}

}  // namespace

WinOdds WinOddsOf(const RaceSnapshot& snapshot, int horse) {
    for (const OddsEntry& e : snapshot[BetKind::Win].entries) {
        if (e.horses[0] != horse) {
            continue;
        }
        switch (e.state) {
            case PriceState::Scratched:
            case PriceState::Cancelled:
                return {text::ToCp932("ﾄﾘｹｼ"), std::nullopt};
            case PriceState::NoOdds:
                return {TenthsText(e.odds), std::nullopt};
            case PriceState::Priced:
                return {TenthsText(e.odds), e.odds};
        }
    }
    return {};
}

Move MoveOf(const WinOdds& before, const WinOdds& now) {
    if (!before.tenths || !now.tenths || *before.tenths == *now.tenths) {
        return Move::Same;
    }
    return *now.tenths < *before.tenths ? Move::Fell : Move::Rose;
}

WinMarks MarksSince(const RaceSnapshot& now, const StoredSnapshot& previous) {
    WinMarks marks;
    for (int h = 1; h <= kMaxHorse; ++h) {
        const WinOdds before = WinOddsOf(previous.snapshot, h);
        WinMark& mark = marks[static_cast<std::size_t>(h)];
        mark.move = MoveOf(before, WinOddsOf(now, h));
        mark.previousText = before.text;
        mark.previousTime = previous.oddsTime;
    }
    return marks;
}

OddsHistory BuildOddsHistory(const std::vector<StoredSnapshot>& snapshots) {
    OddsHistory h;
    std::array<bool, kMaxHorse + 1> seen{};
    for (const StoredSnapshot& s : snapshots) {
        h.times.push_back(s.oddsTime);
        h.minutes.push_back(MinutesOf(s.oddsTime));
        h.takenAt.push_back(s.takenAt);
        for (std::size_t k = 0; k < kBetKindCount; ++k) {
            h.votes[k].push_back(s.snapshot.kinds[k].votes);
        }
        for (const OddsEntry& e : s.snapshot[BetKind::Win].entries) {
            if (e.horses[0] >= 1 && e.horses[0] <= kMaxHorse) {
                seen[static_cast<std::size_t>(e.horses[0])] = true;
            }
        }
    }
    for (int horse = 1; horse <= kMaxHorse; ++horse) {
        if (!seen[static_cast<std::size_t>(horse)]) {
            continue;
        }
        h.horses.push_back(horse);
        std::vector<HistoryCell> row;
        for (std::size_t i = 0; i < snapshots.size(); ++i) {
            HistoryCell cell{WinOddsOf(snapshots[i].snapshot, horse), Move::Same};
            if (i > 0) {
                cell.move = MoveOf(row.back().odds, cell.odds);
            }
            row.push_back(std::move(cell));
        }
        h.cells.push_back(std::move(row));
    }
    return h;
}

std::string KindName(BetKind kind) {
    static constexpr std::array<const char*, kBetKindCount> kNames = {
        "単勝", "複勝", "枠連", "馬連", "ワイド", "馬単", "３連複"};
    return text::ToCp932(kNames[static_cast<std::size_t>(kind)]);
}

}  // namespace orvikel::history
