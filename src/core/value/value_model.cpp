#include "value/value_model.hpp"

#include <algorithm>
#include <cmath>

namespace orvikel {

namespace {

// Beyond this no real odds are ever quoted; it keeps the tenths far inside 64 bits.
constexpr double kLargestTheoretical = 1e9;

// A value within this of a tenth is that tenth: R / P carries rounding from the divisions
// before it, and 90.0 computed as 89.99999999999 must not show as 89.9.
constexpr double kTenthTolerance = 1e-9;

bool Distinct(int a, int b, int c) {
    return a != b && a != c && b != c;
}

}  // namespace

double PayoutRate(BetKind kind) {
    switch (kind) {
        case BetKind::Win:
        case BetKind::Place:
            return 0.80;
        case BetKind::BracketQuinella:
        case BetKind::Quinella:
        case BetKind::Wide:
            return 0.775;
        case BetKind::Exacta:
        case BetKind::Trio:
            break;
    }
    return 0.75;
}

WinField::WinField(const RaceSnapshot& snapshot, double discount) {
    double inverse = 0;
    for (const OddsEntry& entry : snapshot[BetKind::Win].entries) {
        const int horse = entry.horses[0];
        // Priced means odds of 1.0 or more; the odds are checked again so that a snapshot
        // made by hand cannot bring in a horse at 0.
        if (entry.state != PriceState::Priced || entry.odds < 10 || horse < 1 || horse > kHorses ||
            in_[horse]) {
            continue;
        }
        in_[horse] = true;
        p_[horse] = 10.0 / static_cast<double>(entry.odds);
        inverse += p_[horse];
    }
    bracketsKnown_ = true;
    for (int horse = 1; horse <= kHorses; ++horse) {
        if (!in_[horse]) {
            continue;
        }
        horses_.push_back(horse);
        p_[horse] /= inverse;
        w_[horse] = discount == 1.0 ? p_[horse] : std::pow(p_[horse], discount);
        weights_ += w_[horse];
        bracket_[horse] = snapshot.bracket[horse];
        bracketsKnown_ = bracketsKnown_ && bracket_[horse] != 0;
    }
    size_ = static_cast<int>(horses_.size());
}

double WinField::Ordered(int i, int j) const {
    if (!Has(i) || !Has(j) || i == j) {
        return 0;
    }
    return p_[i] * w_[j] / (weights_ - w_[i]);
}

double WinField::Ordered(int i, int j, int k) const {
    if (!Has(k) || !Distinct(i, j, k)) {
        return 0;
    }
    const double rest = weights_ - w_[i] - w_[j];
    return rest > 0 ? Ordered(i, j) * w_[k] / rest : 0;
}

double WinField::Trio(int i, int j, int k) const {
    return Ordered(i, j, k) + Ordered(i, k, j) + Ordered(j, i, k) + Ordered(j, k, i) +
           Ordered(k, i, j) + Ordered(k, j, i);
}

double WinField::Wide(int i, int j) const {
    double sum = 0;
    for (const int k : horses_) {
        if (k != i && k != j) {
            sum += Trio(i, j, k);
        }
    }
    return sum;
}

double WinField::Place(int horse) const {
    double sum = p_[horse];
    for (const int j : horses_) {
        sum += Ordered(j, horse);
        if (size_ < kPlaceThreeFrom) {
            continue;
        }
        for (const int k : horses_) {
            sum += Ordered(j, k, horse);
        }
    }
    return sum;
}

std::optional<double> WinField::BracketQuinella(int a, int b) const {
    if (!bracketsKnown_) {
        return std::nullopt;
    }
    double sum = 0;
    bool pair = false;
    for (const int i : horses_) {
        for (const int j : horses_) {
            // each unordered pair once: i before j
            if (i >= j) {
                continue;
            }
            const int bi = bracket_[i];
            const int bj = bracket_[j];
            if ((bi == a && bj == b) || (bi == b && bj == a)) {
                sum += Ordered(i, j) + Ordered(j, i);
                pair = true;
            }
        }
    }
    if (!pair) {
        return std::nullopt;  // no horse of the field stands for one of the brackets
    }
    return sum;
}

std::optional<double> WinField::Probability(BetKind kind, const std::array<int, 3>& horses) const {
    const auto [i, j, k] = horses;
    switch (kind) {
        case BetKind::Place:
            if (!Has(i) || size_ < kPlaceFieldMin) {
                return std::nullopt;
            }
            return Place(i);
        case BetKind::BracketQuinella:
            return BracketQuinella(i, j);
        case BetKind::Quinella:
        case BetKind::Exacta:
        case BetKind::Wide:
            if (!Has(i) || !Has(j) || i == j) {
                return std::nullopt;
            }
            if (kind == BetKind::Exacta) {
                return Ordered(i, j);
            }
            if (kind == BetKind::Quinella) {
                return Ordered(i, j) + Ordered(j, i);
            }
            return size_ >= 3 ? std::optional<double>(Wide(i, j)) : std::nullopt;
        case BetKind::Trio:
            if (!Has(i) || !Has(j) || !Has(k) || !Distinct(i, j, k)) {
                return std::nullopt;
            }
            return Trio(i, j, k);
        case BetKind::Win:
            break;
    }
    return std::nullopt;
}

std::optional<std::int64_t> TheoreticalTenths(BetKind kind, double probability) {
    if (!(probability > 0)) {
        return std::nullopt;
    }
    const double odds = PayoutRate(kind) / probability;
    if (!(odds < kLargestTheoretical)) {
        return std::nullopt;
    }
    const double nearest = std::round(odds * 10.0);
    if (std::abs(odds - nearest / 10.0) <= kTenthTolerance) {
        return static_cast<std::int64_t>(nearest);
    }
    return static_cast<std::int64_t>(std::floor(odds * 10.0));
}

ValueBoard BuildValueBoard(const RaceSnapshot& snapshot, double discount) {
    const WinField field(snapshot, discount);
    ValueBoard board;
    for (const BetKind kind : kValueKinds) {
        const KindSnapshot& taken = snapshot[kind];
        auto& figures = board.figures[kind];
        figures.resize(taken.entries.size());
        if (!taken.present) {
            continue;
        }
        for (std::size_t e = 0; e < taken.entries.size(); ++e) {
            const OddsEntry& entry = taken.entries[e];
            if (entry.state != PriceState::Priced || entry.odds <= 0) {
                continue;
            }
            const auto probability = field.Probability(kind, entry.horses);
            const auto theoretical =
                probability ? TheoreticalTenths(kind, *probability) : std::nullopt;
            if (!theoretical || *theoretical <= 0) {
                continue;
            }
            // Both in tenths, so the gap of the figures on screen comes out exactly.
            figures[e] = ValueFigures{.probability = *probability,
                                      .theoretical = *theoretical,
                                      .gap = entry.odds * 100 / *theoretical};
        }
    }
    return board;
}

std::vector<ValueLine> ValueLines(const RaceSnapshot& snapshot, const ValueBoard& board,
                                  BetKind kind) {
    std::vector<ValueLine> lines;
    const auto& entries = snapshot[kind].entries;
    const auto& figures = board.figures[kind];
    for (std::size_t e = 0; e < entries.size() && e < figures.size(); ++e) {
        if (figures[e]) {
            lines.push_back(ValueLine{.entry = entries[e], .figures = *figures[e]});
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const ValueLine& a, const ValueLine& b) {
        return a.entry.horses < b.entry.horses;
    });
    return lines;
}

std::string HundredthsText(std::int64_t hundredths) {
    const std::string sign = hundredths < 0 ? "-" : "";
    const std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
    const std::int64_t cents = magnitude % 100;
    return sign + std::to_string(magnitude / 100) + "." + (cents < 10 ? "0" : "") +
           std::to_string(cents);
}

}  // namespace orvikel
