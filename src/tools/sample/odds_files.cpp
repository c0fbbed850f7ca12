#include "sample/odds_files.hpp"

#include <algorithm>

#include "platform/bytes.hpp"
#include "platform/literals.hpp"
#include "sample/file_layouts.hpp"
#include "sample/line_builder.hpp"

namespace orvikel::sample {

namespace {

constexpr int kTotalWidth = 11;

// One odds field: blank for a combination that does not exist, ﾄﾘｹｼ for a cancelled one.
void PutOdds(LineBuilder& line, int column, int width, const Pool& pool, std::size_t index,
             std::int64_t tenths) {
    const Ticket& t = pool.tickets[index];
    if (t.sale == Sale::kCancelled) {
        line.Put(column, width == 5 ? lit::kOdds5Cancelled : lit::kOdds6Cancelled);
    } else if (t.sale == Sale::kSold) {
        line.Right(column, width, OddsText(tenths, width));
    }
}

}  // namespace

std::string PairText(int first, int second) {
    return SlotText(first) + "-" + SlotText(second);
}

std::string TripleText(int a, int b, int c) {
    return SlotText(a) + "-" + SlotText(b) + "-" + SlotText(c);
}

std::string OddsText(std::int64_t tenths, int width) {
    const std::int64_t cap = width == 5 ? 9999 : 99999;
    return TenthsText(std::min(tenths, cap));
}

std::string WinPlaceFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market) {
    LineBuilder line(826);
    PutOddsHeader(line, meeting, race);
    for (std::size_t i = 0; i < market.win.tickets.size(); ++i) {
        const Ticket& t = market.win.tickets[i];
        const int c = 143 + 18 * static_cast<int>(i);
        if (t.sale == Sale::kAbsent) {
            continue;  // no horse of that number: the whole record stays blank
        }
        line.Number(c + 1, 2, t.ids[0]);
        if (t.sale == Sale::kCancelled) {
            line.Put(c + 3, lit::kOdds5Cancelled)
                .Put(c + 8, lit::kOdds5Cancelled)
                .Put(c + 13, lit::kOdds5Cancelled);
            continue;
        }
        const auto [low, high] = PlaceRange(market, t.ids[0]);
        line.Right(c + 3, 5, OddsText(market.win.OddsTenths(i), 5))
            .Right(c + 8, 5, OddsText(low, 5))
            .Right(c + 13, 5, OddsText(high, 5));
    }
    for (std::size_t i = 0; i < market.bracket.tickets.size(); ++i) {
        const Ticket& t = market.bracket.tickets[i];
        const int c = 467 + 10 * static_cast<int>(i);
        line.Put(c + 1, " " + std::to_string(t.ids[0]) + "-" + std::to_string(t.ids[1]));
        PutOdds(line, c + 5, 5, market.bracket, i, market.bracket.OddsTenths(i));
    }
    if (race.zoTotals) {
        line.Number(827, kTotalWidth, market.win.total)
            .Number(838, kTotalWidth, market.place.total)
            .Number(849, kTotalWidth, market.bracket.total);
    }
    return line.FileBytes();
}

std::string QuinellaWideFile(const MeetingPlan& meeting, const RacePlan& race,
                             const Market& market) {
    LineBuilder line(3969);
    PutOddsHeader(line, meeting, race);
    for (std::size_t i = 0; i < market.quinella.tickets.size(); ++i) {
        const Ticket& t = market.quinella.tickets[i];
        const int c = 145 + 25 * static_cast<int>(i);
        line.Put(c + 2, PairText(t.ids[0], t.ids[1]));
        PutOdds(line, c + 7, 6, market.quinella, i, market.quinella.OddsTenths(i));
        if (t.sale == Sale::kSold) {
            const auto [low, high] = WideRange(market, t.ids[0], t.ids[1]);
            line.Right(c + 13, 6, OddsText(low, 6)).Right(c + 19, 6, OddsText(high, 6));
        } else if (t.sale == Sale::kCancelled) {
            line.Put(c + 13, lit::kOdds6Cancelled).Put(c + 19, lit::kOdds6Cancelled);
        }
    }
    if (race.uoTotals) {
        line.Number(3970, kTotalWidth, market.quinella.total)
            .Number(3981, kTotalWidth, market.wide.total);
    }
    return line.FileBytes();
}

std::string ExactaFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market) {
    LineBuilder line(3814);
    PutOddsHeader(line, meeting, race);
    for (std::size_t i = 0; i < market.exacta.tickets.size(); ++i) {
        const Ticket& t = market.exacta.tickets[i];
        const int c = 143 + 12 * static_cast<int>(i);
        line.Put(c + 1, PairText(t.ids[0], t.ids[1]));
        PutOdds(line, c + 6, 6, market.exacta, i, market.exacta.OddsTenths(i));
    }
    line.Number(3815, kTotalWidth, market.exacta.total);
    return line.FileBytes();
}

std::string TrioFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market) {
    LineBuilder line(12382);
    PutOddsHeader(line, meeting, race);
    for (std::size_t i = 0; i < market.trio.tickets.size(); ++i) {
        const Ticket& t = market.trio.tickets[i];
        const int c = 143 + 15 * static_cast<int>(i);
        line.Put(c + 1, TripleText(t.ids[0], t.ids[1], t.ids[2]));
        PutOdds(line, c + 9, 6, market.trio, i, market.trio.OddsTenths(i));
    }
    line.Number(12383, kTotalWidth, market.trio.total);
    return line.FileBytes();
}

}  // namespace orvikel::sample
