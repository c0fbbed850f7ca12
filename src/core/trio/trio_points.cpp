#include "trio/trio_points.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <map>
#include <stdexcept>

#include "platform/bytes.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

// Just enough of an unsigned big integer for the combined odds: the common denominator of a
// trio set is a product of up to a few hundred odds, far past 64 bits. Limbs are 32 bits,
// least significant first, with no leading zero limb.
class BigUnsigned {
  public:
    explicit BigUnsigned(std::uint32_t value) {
        if (value != 0) {
            limbs_.push_back(value);
        }
    }

    BigUnsigned Times(std::uint32_t factor) const {
        BigUnsigned product(0);
        std::uint64_t carry = 0;
        for (const std::uint32_t limb : limbs_) {
            const std::uint64_t step = std::uint64_t{limb} * factor + carry;
            product.limbs_.push_back(static_cast<std::uint32_t>(step));
            carry = step >> 32;
        }
        if (carry != 0) {
            product.limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
        product.Trim();
        return product;
    }

    // The quotient; the remainder is dropped (callers divide exactly).
    BigUnsigned DividedBy(std::uint32_t divisor) const {
        BigUnsigned quotient(0);
        quotient.limbs_.resize(limbs_.size());
        std::uint64_t remainder = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            const std::uint64_t step = (remainder << 32) | limbs_[i];
            quotient.limbs_[i] = static_cast<std::uint32_t>(step / divisor);
            remainder = step % divisor;
        }
        quotient.Trim();
        return quotient;
    }

    void Add(const BigUnsigned& other) {
        limbs_.resize(std::max(limbs_.size(), other.limbs_.size()), 0);
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint64_t step =
                std::uint64_t{limbs_[i]} + (i < other.limbs_.size() ? other.limbs_[i] : 0) + carry;
            limbs_[i] = static_cast<std::uint32_t>(step);
            carry = step >> 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    friend bool operator<=(const BigUnsigned& a, const BigUnsigned& b) {
        if (a.limbs_.size() != b.limbs_.size()) {
            return a.limbs_.size() < b.limbs_.size();
        }
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) {
                return a.limbs_[i] < b.limbs_[i];
            }
        }
        return true;
    }

  private:
    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

    std::vector<std::uint32_t> limbs_;
};

bool HasHorse(const OddsEntry& entry, int horse) {
    return std::find(entry.horses.begin(), entry.horses.end(), horse) != entry.horses.end();
}

}  // namespace

std::int64_t CombinedOddsTenths(std::span<const std::int64_t> oddsTenths) {
    if (oddsTenths.empty()) {
        return 0;
    }
    // Σ 1/oᵢ = Σ cᵥ/v over the distinct values v with their counts cᵥ; equal odds are common,
    // and every distinct value left out of the product keeps the numbers smaller.
    std::map<std::uint32_t, std::uint32_t> counts;
    for (const std::int64_t odds : oddsTenths) {
        if (odds <= 0 || odds > std::numeric_limits<std::uint32_t>::max()) {
            throw std::invalid_argument("odds out of range: " + std::to_string(odds));
        }
        ++counts[static_cast<std::uint32_t>(odds)];
    }
    // With P = Π v and S = Σ cᵥ·P/v, Σ t/oᵢ ≤ 1 exactly when t·S ≤ P.
    BigUnsigned product(1);
    for (const auto& [value, count] : counts) {
        product = product.Times(value);
    }
    BigUnsigned sum(0);
    for (const auto& [value, count] : counts) {
        sum.Add(product.DividedBy(value).Times(count));
    }
    // The answer lies in [0, smallest odds]: the smallest term alone already reaches t/min.
    std::uint64_t low = 0;
    std::uint64_t high = counts.begin()->first;
    while (low < high) {
        const std::uint64_t middle = low + (high - low + 1) / 2;
        if (sum.Times(static_cast<std::uint32_t>(middle)) <= product) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return static_cast<std::int64_t>(low);
}

TrioPoints CountTrioPoints(std::span<const OddsEntry> entries) {
    TrioPoints result;
    std::vector<std::int64_t> odds;
    for (const OddsEntry& entry : entries) {
        // Only a line with a popularity rank can be bought at a price; the others are shown
        // as excluded so the bettor sees the set is smaller than the ticked horses suggest.
        if (entry.state == PriceState::Priced && entry.odds >= 10) {
            odds.push_back(entry.odds);
        } else {
            ++result.excluded;
        }
    }
    result.points = static_cast<int>(odds.size());
    result.combinedTenths = CombinedOddsTenths(odds);
    return result;
}

std::vector<OddsEntry> TrioSetEntries(const KindSnapshot& trio, const TrioSelector& selector) {
    std::vector<OddsEntry> set;
    if (!selector.HasExtraction()) {
        return set;
    }
    std::vector<int> ticked;
    for (int horse = 1; horse <= 18; ++horse) {
        if (selector.IsTicked(horse)) {
            ticked.push_back(horse);
        }
    }
    const bool box = selector.mode() == BoxWheelMode::Box;
    for (const OddsEntry& entry : trio.entries) {
        // The same rule as the extraction of the lists: a BOX line has all three horses
        // ticked, a wheel line every axis.
        const bool taken =
            box ? std::all_of(entry.horses.begin(), entry.horses.end(),
                              [&](int horse) {
                                  return horse >= 1 && horse <= 18 && selector.IsTicked(horse);
                              })
                : std::all_of(ticked.begin(), ticked.end(),
                              [&](int horse) { return HasHorse(entry, horse); });
        if (taken) {
            set.push_back(entry);
        }
    }
    return set;
}

std::vector<std::string> TrioPointsLines(const TrioPoints& points) {
    std::vector<std::string> lines{
        Concat({lit::kPointsLabel, DecimalText(points.points)}),
        Concat({lit::kCombinedOddsLabel, points.points > 0 ? TenthsText(points.combinedTenths)
                                                           : std::string(lit::kNoCombinedOdds)})};
    if (points.excluded > 0) {
        lines.push_back(Concat({"(", DecimalText(points.excluded), lit::kExcludedSuffix}));
    }
    return lines;
}

std::string CombinedOddsText(const TrioPoints& points) {
    return points.points > 0 ? TenthsText(points.combinedTenths) : std::string();
}

}  // namespace orvikel
