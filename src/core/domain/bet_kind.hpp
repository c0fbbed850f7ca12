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

// How many numbers name one bet of the kind: a horse, a pair (of brackets for the bracket
// quinella) or three horses.
constexpr int NumbersOf(BetKind kind) {
    switch (kind) {
        case BetKind::Win:
        case BetKind::Place:
            return 1;
        case BetKind::Trio:
            return 3;
        case BetKind::BracketQuinella:
        case BetKind::Quinella:
        case BetKind::Wide:
        case BetKind::Exacta:
            break;
    }
    return 2;
}

// One entry per bet kind.
template <class T>
using ByBetKind = ByEnum<BetKind, T, kBetKindCount>;

}  // namespace orvikel
