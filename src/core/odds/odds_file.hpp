#pragma once
// Record layouts of the four combination-odds files (Zo, Uo, So, Yo) and the reading of their
// records. Every field lies on line 1; record i sits i record lengths after record 0.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel {

// Where one kind's records and total lie, with the columns of record 0.
struct OddsLayout {
    int count = 0;              // records of the kind
    int length = 0;             // bytes per record
    int combinationColumn = 0;  // combination field of record 0
    int combinationWidth = 0;
    int oddsColumn = 0;  // odds field (the lower bound for wide)
    int oddsWidth = 0;
    int upperColumn = 0;  // wide only: the upper bound; 0 for the others
    int horses = 0;       // horse numbers in the combination; 0 for bracket pairs
    int totalColumn = 0;  // the 11-byte vote total behind the last record
};

inline constexpr OddsLayout kBracketLayout{.count = 36,
                                           .length = 10,
                                           .combinationColumn = 468,
                                           .combinationWidth = 4,
                                           .oddsColumn = 472,
                                           .oddsWidth = 5,
                                           .horses = 0,
                                           .totalColumn = 849};
inline constexpr OddsLayout kQuinellaLayout{.count = 153,
                                            .length = 25,
                                            .combinationColumn = 147,
                                            .combinationWidth = 5,
                                            .oddsColumn = 152,
                                            .oddsWidth = 6,
                                            .horses = 2,
                                            .totalColumn = 3970};
inline constexpr OddsLayout kWideLayout{.count = 153,
                                        .length = 25,
                                        .combinationColumn = 147,
                                        .combinationWidth = 5,
                                        .oddsColumn = 158,
                                        .oddsWidth = 6,
                                        .upperColumn = 164,
                                        .horses = 2,
                                        .totalColumn = 3981};
inline constexpr OddsLayout kExactaLayout{.count = 306,
                                          .length = 12,
                                          .combinationColumn = 144,
                                          .combinationWidth = 5,
                                          .oddsColumn = 149,
                                          .oddsWidth = 6,
                                          .horses = 2,
                                          .totalColumn = 3815};
inline constexpr OddsLayout kTrioLayout{.count = 816,
                                        .length = 15,
                                        .combinationColumn = 144,
                                        .combinationWidth = 8,
                                        .oddsColumn = 152,
                                        .oddsWidth = 6,
                                        .horses = 3,
                                        .totalColumn = 12383};

inline constexpr int kOddsHourColumn = 45;
inline constexpr int kOddsMinuteColumn = 47;
inline constexpr int kTotalWidth = 11;

// The Uo file may end after its last record; only a larger file carries the totals. (The Zo
// file's size is judged by the win/place step, which reads that file first.)
inline constexpr std::uintmax_t kUoTotalsAbove = 3985;

enum class OddsState { kRanked, kUnranked, kCancelled };

// One record that is not blank. Its fields are views into the line it was read from, so that
// a trio file's 816 records cost no copies; the line must outlive the records.
struct OddsRecord {
    std::string_view combination;
    std::string_view odds;   // the odds field as read; for wide the lower bound
    std::string_view upper;  // wide only: the upper bound; empty for the others
    OddsState state = OddsState::kRanked;
    std::array<int, 3> horse{};  // the first layout.horses entries are the horse numbers
};

// The kept records of one kind in file order; records whose odds are all blank are skipped.
// Throws DataError naming file and the record (fieldWord, combination) when an odds field is
// neither blank, nor the cancelled text, nor a number (also when cut short by the line end),
// or when a horse number of a kept record is not a number.
std::vector<OddsRecord> ReadOddsRecords(const std::string& line, const OddsLayout& layout,
                                        const std::string& file, std::string_view fieldWord);
// The records would point into a line that is gone.
std::vector<OddsRecord> ReadOddsRecords(std::string&& line, const OddsLayout& layout,
                                        const std::string& file,
                                        std::string_view fieldWord) = delete;

// The cancelled text of an odds field: "ﾄﾘｹｼ" right-aligned in width bytes.
std::string_view CancelledOdds(int width);

}  // namespace orvikel
