#include "odds/odds_file.hpp"

#include <optional>

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

// "<word>[<combination>] <what>", e.g. "馬番連勝 [ 1- 2] オッズ".
std::string FieldName(std::string_view word, std::string_view combination, std::string_view what) {
    return Concat({word, "[", combination, "] ", what});
}

// The value of a full-width number field; nothing for a field cut short or not a number.
std::optional<double> NumberField(std::string_view field, int width) {
    if (static_cast<int>(field.size()) != width) {
        return std::nullopt;
    }
    return ParseDecimal(field);
}

OddsState RankedOrNot(double odds) {
    return odds < 1.0 ? OddsState::kUnranked : OddsState::kRanked;
}

}  // namespace

std::string_view CancelledOdds(int width) {
    return width == 5 ? lit::kOdds5Cancelled : lit::kOdds6Cancelled;
}

std::vector<OddsRecord> ReadOddsRecords(const std::string& line, const OddsLayout& layout,
                                        const std::string& file, std::string_view fieldWord) {
    const std::string_view cancelled = CancelledOdds(layout.oddsWidth);
    const auto width = static_cast<std::size_t>(layout.oddsWidth);
    std::vector<OddsRecord> records;
    records.reserve(static_cast<std::size_t>(layout.count));
    for (int i = 0; i < layout.count; ++i) {
        const int shift = i * layout.length;
        OddsRecord record;
        record.combination =
            CutView(line, layout.combinationColumn + shift, layout.combinationWidth);
        const std::string_view odds = CutView(line, layout.oddsColumn + shift, layout.oddsWidth);
        const auto notANumber = [&](std::string_view value) {
            ThrowNotANumber(file, FieldName(fieldWord, record.combination, lit::kOddsField),
                            std::string(value));
        };
        record.odds = odds;
        if (layout.upperColumn == 0) {
            if (IsBlanks(odds, width)) {
                continue;
            }
            if (odds == cancelled) {
                record.state = OddsState::kCancelled;
            } else if (const auto value = NumberField(odds, layout.oddsWidth)) {
                record.state = RankedOrNot(*value);
            } else {
                notANumber(odds);
            }
        } else {
            // Wide: the two bounds are judged together, the lower one alone gives the value.
            const std::string_view upper =
                CutView(line, layout.upperColumn + shift, layout.oddsWidth);
            if (IsBlanks(odds, width) && IsBlanks(upper, width)) {
                continue;
            }
            record.upper = upper;
            if (odds == cancelled && upper == cancelled) {
                record.state = OddsState::kCancelled;
            } else if (const auto value = NumberField(odds, layout.oddsWidth)) {
                if (upper.size() != width) {
                    notANumber(upper);  // cut short by the end of the line
                }
                record.state = RankedOrNot(*value);
            } else {
                notANumber(odds);
            }
        }
        for (int h = 0; h < layout.horses; ++h) {
            const std::string_view text = CutView(record.combination, 1 + 3 * h, 2);
            const auto number = ParseInteger(text);
            if (!number) {
                ThrowNotANumber(file,
                                FieldName(fieldWord, record.combination, lit::kHorseNumberField),
                                std::string(text));
            }
            // Kept as read; a number outside 1..18 is left to the caller to ignore.
            record.horse[static_cast<std::size_t>(h)] = static_cast<int>(*number);
        }
        records.push_back(record);
    }
    return records;
}

}  // namespace orvikel
