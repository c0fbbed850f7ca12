#include "odds/value_marks.hpp"

#include <cstddef>

#include "odds/odds_lists.hpp"

namespace orvikel {

namespace {

// A combination's place in a table over every possible one (numbers 0..18 in three places).
constexpr std::size_t kNumbers = kHorses + 1;

std::size_t Index(const std::array<int, 3>& horses) {
    return (static_cast<std::size_t>(horses[0]) * kNumbers + static_cast<std::size_t>(horses[1])) *
               kNumbers +
           static_cast<std::size_t>(horses[2]);
}

}  // namespace

std::vector<bool> ValueMarkedLines(OrderList list, const TextLines& lines,
                                   const RaceSnapshot& snapshot, const ValueBoard& board,
                                   int high) {
    const BetKind kind = Describe(list).bet;
    std::vector<bool> value(kNumbers * kNumbers * kNumbers, false);
    for (const ValueLine& line : ValueLines(snapshot, board, kind)) {
        if (line.figures.gap >= high) {
            value[Index(line.entry.horses)] = true;
        }
    }
    std::vector<bool> marked;
    marked.reserve(lines.size());
    for (const std::string_view line : lines) {
        const auto combination = CombinationOfLine(list, line);
        marked.push_back(combination && value[Index(*combination)]);
    }
    return marked;
}

}  // namespace orvikel
