#include "results/results_text.hpp"

#include "platform/bytes.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

// Files up to this size carry the short layout; longer ones shift the payouts two columns
// and add exacta and trio.
constexpr std::uintmax_t kShortLayoutMaxSize = 800;

constexpr int kFinishers = 7;
constexpr int kFinishFirstColumn = 91;
constexpr int kFinishRecordWidth = 40;
constexpr int kPayoutWidth = 8;
constexpr int kRefunds = 5;
constexpr int kRefundWidth = 2;

struct PayoutTable {
    int entries;
    int keyColumn;  // of entry 0, before the layout shift
    int keyWidth;
    int stride;
};

// One payout entry, or nothing when the key is blank. A field that the line cuts short is a
// truncated file, not an entry: writing it would show a number without its payout.
struct Entry {
    std::string key;
    std::string payout;
};

std::vector<Entry> Entries(const std::string& line, const PayoutTable& table, int shift) {
    std::vector<Entry> entries;
    for (int k = 0; k < table.entries; ++k) {
        const int keyColumn = table.keyColumn + shift + table.stride * k;
        std::string key = Cut(line, keyColumn, table.keyWidth);
        std::string payout = Cut(line, keyColumn + table.keyWidth, kPayoutWidth);
        if (key.size() < static_cast<std::size_t>(table.keyWidth) ||
            payout.size() < static_cast<std::size_t>(kPayoutWidth) ||
            IsBlanks(key, static_cast<std::size_t>(table.keyWidth))) {
            continue;
        }
        entries.push_back({std::move(key), std::move(payout)});
    }
    return entries;
}

// "単勝 1番      120円  " form of win and place.
std::string HorseLine(std::string_view label, const std::vector<Entry>& entries) {
    std::string text(label);
    for (const auto& e : entries) {
        text += Concat({e.key, lit::kNumberSuffixBlank, e.payout, lit::kYenBlanks});
    }
    return text;
}

// "枠番連勝  1-2      450円  " form of the bracket quinella.
std::string BracketLine(const std::vector<Entry>& entries) {
    std::string text(lit::kResultsBracket);
    for (const auto& e : entries) {
        text += Concat({" ", e.key, " ", e.payout, lit::kYenBlanks});
    }
    return text;
}

// Combination and payout side by side: quinella, wide, exacta and trio.
std::string PairLine(std::string_view label, const std::vector<Entry>& entries) {
    std::string text(label);
    for (const auto& e : entries) {
        text += Concat({e.key, e.payout, lit::kYenBlanks});
    }
    return text;
}

std::string RefundLine(const std::string& line, int firstColumn) {
    std::string text(lit::kRefundLabel);
    bool any = false;
    for (int k = 0; k < kRefunds; ++k) {
        const std::string number = Cut(line, firstColumn + kRefundWidth * k, kRefundWidth);
        if (number.size() < static_cast<std::size_t>(kRefundWidth) ||
            IsBlanks(number, kRefundWidth)) {
            continue;
        }
        text += Concat({number, lit::kNumberSuffixBlank});
        any = true;
    }
    if (!any) {
        text += lit::kNone;
    }
    return text;
}

void AppendFinishers(const std::string& line, std::vector<std::string>& out) {
    for (int k = 0; k < kFinishers; ++k) {
        const int f = kFinishFirstColumn + kFinishRecordWidth * k;
        const std::string record = Cut(line, f, kFinishRecordWidth);
        // A record the line cuts short lacks its time or margin; it is left out like a
        // blank place rather than shown half.
        if (record.size() < static_cast<std::size_t>(kFinishRecordWidth) ||
            IsBlanks(record, kFinishRecordWidth)) {
            continue;
        }
        out.push_back(Concat({" ", Cut(record, 1, 1), lit::kFinishSuffix, Cut(record, 2, 3),
                              lit::kNumberSuffix, Cut(record, 5, 36)}));
    }
}

}  // namespace

std::vector<std::string> BuildResultsText(const std::string& path) {
    const bool longLayout = FileSize(path) > kShortLayoutMaxSize;
    const int s = longLayout ? 2 : 0;
    const std::string line = ReadFirstLine(path);

    std::vector<std::string> out;
    out.emplace_back(lit::kResultsCaution);
    out.push_back(HorseLine(lit::kResultsWin, Entries(line, {3, 376, 2, 10}, s)));
    out.push_back(HorseLine(lit::kResultsPlace, Entries(line, {5, 406, 2, 10}, s)));
    out.push_back(BracketLine(Entries(line, {3, 457, 3, 12}, s)));
    out.push_back(PairLine(lit::kResultsQuinella, Entries(line, {3, 493, 5, 14}, s)));
    out.push_back(PairLine(lit::kResultsWide, Entries(line, {10, 535, 5, 14}, s)));
    if (longLayout) {
        out.push_back(PairLine(lit::kResultsExacta, Entries(line, {6, 677, 5, 14}, 0)));
        out.push_back(PairLine(lit::kResultsTrio, Entries(line, {3, 761, 8, 17}, 0)));
    }
    out.push_back(" ");
    out.push_back(RefundLine(line, longLayout ? 812 : 675));
    out.push_back(" ");
    out.emplace_back(lit::kFinishHeader);
    AppendFinishers(line, out);
    return out;
}

std::vector<std::string> ResultsMemo(const RaceFiles& files) {
    if (!files.Has(kResults)) {
        return {std::string(lit::kResultsNoData)};
    }
    return BuildResultsText(files.Name(kResults));
}

}  // namespace orvikel
