#pragma once
// The seven bet kinds a refresh prices and counts votes of.
#include <array>
#include <cstddef>

#include "platform/indexed_array.hpp"

namespace orvikel {

// In the order of the vote-count summary. Win and place come from the race card's odds file,
// the others from their lists.
enum class BetKind : int { Win, Place, BracketQuinella, Quinella, Wide, Exacta, Trio };
inline constexpr std::size_t kBetKindCount = 7;

inline constexpr std::array<BetKind, kBetKindCount> kAllBetKinds{
    BetKind::Win,    BetKind::Place, BetKind::BracketQuinella, BetKind::Quinella, BetKind::Wide,
    BetKind::Exacta, BetKind::Trio};

// One entry per bet kind.
template <class T>
using ByBetKind = ByEnum<BetKind, T, kBetKindCount>;

}  // namespace orvikel
