#pragma once
// Theoretical odds from the win market: what each combination would pay if the win odds were
// right about the order of finish, beside what it really pays. Win probabilities come from
// the win odds; the order of finish follows Harville, optionally with the minor places
// discounted (Lo-Bacon-Shone), since Harville overrates favourites for second and third.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "domain/bet_kind.hpp"
#include "domain/race_files.hpp"
#include "domain/race_snapshot.hpp"
#include "platform/indexed_array.hpp"

namespace orvikel {

// The kinds that get theoretical odds, in the order they are listed everywhere.
inline constexpr std::array<BetKind, 6> kValueKinds{BetKind::Place,    BetKind::BracketQuinella,
                                                    BetKind::Quinella, BetKind::Wide,
                                                    BetKind::Exacta,   BetKind::Trio};

// The share of the pool a kind pays back: 複勝 0.80; 枠連, 馬連, ワイド 0.775; 馬単, ３連複 0.75.
double PayoutRate(BetKind kind);

// 複勝 pays the first three, the first two in a field of 5 to 7 and is not priced below 5.
inline constexpr int kPlaceFieldMin = 5;
inline constexpr int kPlaceThreeFrom = 8;

// The horses with win odds of 1.0 or more and what their odds imply about the finish. Every
// other horse (scratched, no odds yet, odds below 1.0) takes no part, and a combination that
// holds one has no probability.
class WinField {
  public:
    // discount is λ: the second and third places weigh each horse still running by p^λ
    // (1.0 is Harville).
    explicit WinField(const RaceSnapshot& snapshot, double discount = 1.0);

    int size() const { return size_; }
    bool Has(int horse) const { return horse >= 1 && horse <= kHorses && in_[horse]; }
    double Win(int horse) const { return Has(horse) ? p_[horse] : 0.0; }

    // P(i first, j second) and P(i, j, k in that order); 0 unless all are distinct horses of
    // the field.
    double Ordered(int i, int j) const;
    double Ordered(int i, int j, int k) const;

    // The probability that the combination of kind wins (horses in the snapshot's order,
    // brackets for the bracket quinella); nullopt when it has none: a horse outside the field,
    // a horse twice, a 複勝 in a field below 5, a bracket quinella without every bracket.
    std::optional<double> Probability(BetKind kind, const std::array<int, 3>& horses) const;

  private:
    // Tables over numbers 0..kHorses, filled once: a board asks for every combination.
    static constexpr std::size_t kNumbers = kHorses + 1;
    static std::size_t At(int i, int j) {
        return static_cast<std::size_t>(i) * kNumbers + static_cast<std::size_t>(j);
    }
    static std::size_t At(int i, int j, int k) {
        return At(i, j) * kNumbers + static_cast<std::size_t>(k);
    }
    void FillTables();
    double Trio(int i, int j, int k) const;

    int size_ = 0;
    std::vector<int> horses_;  // the field in number order
    OneBased<bool, kHorses> in_{};
    OneBased<double, kHorses> p_{};  // win probability
    OneBased<double, kHorses> w_{};  // weight in the minor places: p^λ
    double weights_ = 0;             // Σ w over the field
    OneBased<int, kHorses> bracket_{};
    bool bracketsKnown_ = false;         // every horse of the field has its bracket
    std::vector<double> exacta_;         // P(i first, j second) at At(i, j)
    std::vector<double> ordered_;        // P(i, j, k in that order) at At(i, j, k)
    std::vector<double> wide_;           // P(i and j both in the first three) at At(min, max)
    OneBased<double, kHorses> place_{};  // P(i in the places this field pays)
    std::vector<double> bracketPairs_;   // 枠連 a-b at At(min, max)
    std::vector<bool> bracketPaired_;    // a pair of field horses stands for a-b
};

// R / P cut to a tenth as real odds are shown; a value within 1e-9 of a tenth counts as that
// tenth, so 90.0 never shows as 89.9. nullopt for a probability that is not above 0.
std::optional<std::int64_t> TheoreticalTenths(BetKind kind, double probability);

// What a combination's real odds are worth against the win market.
struct ValueFigures {
    double probability = 0;
    std::int64_t theoretical = 0;  // tenths, as shown
    // 乖離 in hundredths: the real odds (the lower bound for ワイド and 複勝) over the
    // theoretical odds as shown, cut to two decimals; above 100 the real odds pay more.
    std::int64_t gap = 0;
};

// The figures of every entry of every kind of kValueKinds, parallel to the snapshot's
// entries (win has none): nullopt for an entry that is not priced or has no probability.
struct ValueBoard {
    ByBetKind<std::vector<std::optional<ValueFigures>>> figures;
};

ValueBoard BuildValueBoard(const RaceSnapshot& snapshot, double discount);

// One priced combination with theoretical odds, as the lists of theoretical odds show it.
struct ValueLine {
    OddsEntry entry;  // combination, real odds, rank
    ValueFigures figures;
};

// The lines of kind in number order of the combination (exacta in finishing order).
std::vector<ValueLine> ValueLines(const RaceSnapshot& snapshot, const ValueBoard& board,
                                  BetKind kind);

// Hundredths as a decimal with two places: 123 gives "1.23", 5 gives "0.05".
std::string HundredthsText(std::int64_t hundredths);

}  // namespace orvikel
