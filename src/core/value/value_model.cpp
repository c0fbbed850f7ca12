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
    FillTables();
}

void WinField::FillTables() {
    exacta_.assign(kNumbers * kNumbers, 0.0);
    ordered_.assign(kNumbers * kNumbers * kNumbers, 0.0);
    wide_.assign(kNumbers * kNumbers, 0.0);
    OneBased<double, kHorses> topTwo{};
    OneBased<double, kHorses> topThree{};
    for (const int i : horses_) {
        topTwo[i] += p_[i];
        topThree[i] += p_[i];
        for (const int j : horses_) {
            if (j == i) {
                continue;
            }
            const double first = p_[i] * w_[j] / (weights_ - w_[i]);
            exacta_[At(i, j)] = first;
            topTwo[j] += first;
            topThree[j] += first;
            const double rest = weights_ - w_[i] - w_[j];
            if (!(rest > 0)) {
                continue;
            }
            for (const int k : horses_) {
                if (k == i || k == j) {
                    continue;
                }
                const double order = first * w_[k] / rest;
                ordered_[At(i, j, k)] = order;
                topThree[k] += order;
                // each order puts three pairs into the first three
                wide_[At(std::min(i, j), std::max(i, j))] += order;
                wide_[At(std::min(i, k), std::max(i, k))] += order;
                wide_[At(std::min(j, k), std::max(j, k))] += order;
            }
        }
    }
    place_ = size_ >= kPlaceThreeFrom ? topThree : topTwo;

    bracketPairs_.assign(kNumbers * kNumbers, 0.0);
    bracketPaired_.assign(kNumbers * kNumbers, false);
    if (!bracketsKnown_) {
        return;
    }
    for (const int i : horses_) {
        for (const int j : horses_) {
            if (j <= i) {
                continue;  // each pair once
            }
            const int a = std::min(bracket_[i], bracket_[j]);
            const int b = std::max(bracket_[i], bracket_[j]);
            bracketPairs_[At(a, b)] += exacta_[At(i, j)] + exacta_[At(j, i)];
            bracketPaired_[At(a, b)] = true;
        }
    }
}

double WinField::Ordered(int i, int j) const {
    if (!Has(i) || !Has(j) || i == j) {
        return 0;
    }
    return exacta_[At(i, j)];
}

double WinField::Ordered(int i, int j, int k) const {
    if (!Has(i) || !Has(j) || !Has(k) || !Distinct(i, j, k)) {
        return 0;
    }
    return ordered_[At(i, j, k)];
}

double WinField::Trio(int i, int j, int k) const {
    return ordered_[At(i, j, k)] + ordered_[At(i, k, j)] + ordered_[At(j, i, k)] +
           ordered_[At(j, k, i)] + ordered_[At(k, i, j)] + ordered_[At(k, j, i)];
}

std::optional<double> WinField::Probability(BetKind kind, const std::array<int, 3>& horses) const {
    const auto [i, j, k] = horses;
    switch (kind) {
        case BetKind::Place:
            if (!Has(i) || size_ < kPlaceFieldMin) {
                return std::nullopt;
            }
            return place_[i];
        case BetKind::BracketQuinella: {
            const int a = std::min(i, j);
            const int b = std::max(i, j);
            // brackets from the race card, and a pair of the field's horses to stand for them
            if (!bracketsKnown_ || a < 1 || b > kBrackets || !bracketPaired_[At(a, b)]) {
                return std::nullopt;
            }
            return bracketPairs_[At(a, b)];
        }
        case BetKind::Quinella:
        case BetKind::Exacta:
        case BetKind::Wide:
            if (!Has(i) || !Has(j) || i == j) {
                return std::nullopt;
            }
            if (kind == BetKind::Exacta) {
                return exacta_[At(i, j)];
            }
            if (kind == BetKind::Quinella) {
                return exacta_[At(i, j)] + exacta_[At(j, i)];
            }
            if (size_ < 3) {
                return std::nullopt;
            }
            return wide_[At(std::min(i, j), std::max(i, j))];
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
