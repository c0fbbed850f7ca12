#pragma once
// 妙味: the lines of the odds lists whose combination pays more than the win market implies.
#include <vector>

#include "domain/lists.hpp"
#include "domain/race_snapshot.hpp"
#include "platform/text_lines.hpp"
#include "value/value_model.hpp"

namespace orvikel {

// One flag per line of an odds list: set where the line shows a combination whose 乖離 (in
// hundredths) is high or more. Lines without a combination, or whose combination has no
// theoretical odds, are never marked.
std::vector<bool> ValueMarkedLines(OrderList list, const TextLines& lines,
                                   const RaceSnapshot& snapshot, const ValueBoard& board, int high);

}  // namespace orvikel
