#pragma once
// Every list of the race on screen as a CSV file, for the bettor's own records in a
// spreadsheet: the race card, the five odds lists and the vote counts, one file each.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "domain/race_snapshot.hpp"
#include "racecard/racecard_table.hpp"
#include "value/value_model.hpp"

namespace orvikel {

inline constexpr std::string_view kRaceCardCsv = "racecard.csv";
inline constexpr std::string_view kBracketQuinellaCsv = "bracket-quinella.csv";
inline constexpr std::string_view kQuinellaCsv = "quinella.csv";
inline constexpr std::string_view kWideCsv = "wide.csv";
inline constexpr std::string_view kExactaCsv = "exacta.csv";
inline constexpr std::string_view kTrioCsv = "trio.csv";
inline constexpr std::string_view kVotesCsv = "votes.csv";

struct CsvFile {
    std::string_view name;
    std::string bytes;  // UTF-8 with a byte-order mark
};

// The seven files, in the order above. Rows follow the horse and combination order; the
// popularity column lets the spreadsheet sort by it. A kind without its data file gives only
// the header row. The race card's texts come from the table, the numbers from the snapshot;
// minusSign is the settings' sign of a weight loss, so the change is written as a number.
// The combination files and the race card (for place) end in the theoretical odds and the
// 乖離 of value, the board of the same snapshot; empty where a line has none.
std::vector<CsvFile> BuildRaceCsv(const RaceSnapshot& snapshot, const ValueBoard& value,
                                  const RaceCardTable& table, const std::string& minusSign);

// Writes the seven files into dir, creating it when missing, as one set: all go to temporary
// files first and are then renamed, so a failure (a full disk, a folder in a file's place)
// leaves the folder's files as they were; the DataError names the file that failed.
void WriteRaceCsv(const std::filesystem::path& dir, const RaceSnapshot& snapshot,
                  const ValueBoard& value, const RaceCardTable& table,
                  const std::string& minusSign);

}  // namespace orvikel
