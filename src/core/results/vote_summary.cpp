#include "results/vote_summary.hpp"

#include <cstdint>
#include <limits>

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

constexpr std::size_t kLabelWidth = 15;
constexpr std::size_t kGrandTotalWidth = 11;
constexpr std::int64_t kMaxTotal = std::numeric_limits<std::int64_t>::max();

const std::string& Separator() {
    static const std::string separator = "--------------:-------------+----+-----------";
    return separator;
}

// The label without its closing ":" and padding, to name the field in a message.
std::string FieldName(const std::string& totalText) {
    std::string name = Cut(totalText, 1, static_cast<int>(kLabelWidth));
    static const std::string wideBlank = "\x81\x40";  // "　" in CP932
    if (!name.empty() && name.back() == ':') {
        name.pop_back();
    }
    while (name.size() >= wideBlank.size() &&
           name.compare(name.size() - wideBlank.size(), wideBlank.size(), wideBlank) == 0) {
        name.resize(name.size() - wideBlank.size());
    }
    return name;
}

[[noreturn]] void ThrowTooLarge(const VoteTexts& votes, BetKind k, const std::string& value) {
    throw DataError(Concat({votes.TotalSource[k], ": ", FieldName(votes.TotalText[k]),
                            lit::kTooLargeMid, lit::kOpenQuote, value, lit::kCloseQuote}));
}

// The total field follows the label; the odds steps make it the 11 bytes after it.
std::int64_t TotalOf(const VoteTexts& votes, BetKind kind) {
    const std::string& text = votes.TotalText[kind];
    const std::string field = text.size() > kLabelWidth ? text.substr(kLabelWidth) : std::string();
    if (const auto value = ParseInteger(field)) {
        return *value;
    }
    const auto first = field.find_first_not_of(' ');
    if (first != std::string::npos &&
        field.find_first_not_of("0123456789", first) == std::string::npos) {
        ThrowTooLarge(votes, kind, field);  // digits only, so the value itself is too big
    }
    ThrowNotANumber(votes.TotalSource[kind], FieldName(text), field);
}

// floor(10 * r / d) and the remainder, for r < d, without forming 10 * r.
std::uint64_t NextDigit(std::uint64_t& r, std::uint64_t d) {
    std::uint64_t acc = 0;
    std::uint64_t digit = 0;
    for (int i = 0; i < 10; ++i) {
        if (acc >= d - r) {
            acc -= d - r;
            ++digit;
        } else {
            acc += r;
        }
    }
    r = acc;
    return digit;
}

// round(100 * part / whole), a half rounding up, exact for every 64-bit pair with part <= whole.
std::int64_t Percentage(std::int64_t part, std::int64_t whole) {
    if (whole <= 0) {
        return 0;  // every present total is 0: no share can be formed
    }
    const auto d = static_cast<std::uint64_t>(whole);
    auto r = static_cast<std::uint64_t>(part);
    std::uint64_t percent = 100 * (r / d);
    r %= d;
    percent += 10 * NextDigit(r, d);
    percent += NextDigit(r, d);
    if (r >= d - r) {  // remainder at least half of the whole
        ++percent;
    }
    return static_cast<std::int64_t>(percent);
}

}  // namespace

std::vector<std::string> BuildVoteSummaryLines(const VoteTexts& votes) {
    std::int64_t grandTotal = 0;
    ByBetKind<std::int64_t> totals{};
    for (const BetKind kind : kAllBetKinds) {
        if (!votes.HasTotal(kind)) {
            continue;
        }
        const std::int64_t value = TotalOf(votes, kind);
        if (value > kMaxTotal - grandTotal) {
            ThrowTooLarge(votes, kind, DecimalText(value));
        }
        grandTotal += value;
        totals[kind] = value;
    }

    std::vector<std::string> lines;
    for (const BetKind k : kAllBetKinds) {
        if (!votes.HasTotal(k)) {
            continue;
        }
        const std::int64_t percent = Percentage(totals[k], grandTotal);
        lines.push_back(
            Concat({votes.TotalText[k], percent < 10 ? lit::kVotesOpenNarrow : lit::kVotesOpen,
                    DecimalText(percent), ") ", votes.TimeCaption[k]}));
    }
    if (lines.empty()) {
        return {std::string(lit::kVotesNoData)};
    }
    std::string total = DecimalText(grandTotal);
    if (total.size() < kGrandTotalWidth) {
        total.insert(0, kGrandTotalWidth - total.size(), ' ');
    }
    lines.push_back(Separator());
    lines.push_back(Concat({lit::kGrandTotalLabel, total, lit::kGrandTotalTail}));
    return lines;
}

void BuildVoteSummary(const VoteTexts& votes, const std::filesystem::path& programDir) {
    WriteWorkFile(programDir, work_file::kVoteSummary, BuildVoteSummaryLines(votes));
}

}  // namespace orvikel
