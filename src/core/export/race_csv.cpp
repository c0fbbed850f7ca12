#include "export/race_csv.hpp"

#include <system_error>
#include <utility>

#include "export/csv_text.hpp"
#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace fs = std::filesystem;

namespace {

// A number field of the race card as a number, blanks as an empty cell, and anything else
// as the text it holds, so nothing the file says is lost.
CsvCell IntegerCell(const std::string& field) {
    if (const auto value = ParseInteger(field)) {
        return CsvInteger(*value);
    }
    return CsvText(field);
}

CsvCell DecimalCell(const std::string& field) {
    const std::string trimmed = TrimBlanks(field);
    if (!trimmed.empty() && ParseDecimal(trimmed)) {
        return CsvCell{trimmed, true};
    }
    return CsvText(trimmed);
}

// The weight change as the table shows it ("＋ 4", sign and amount, "± 0", " 初 ") back to a
// signed number; the first run stays the word.
CsvCell WeightChangeCell(const std::string& change, const std::string& minusSign) {
    const auto amountAfter = [&](std::string_view sign) -> std::optional<std::int64_t> {
        if (sign.empty() || change.compare(0, sign.size(), sign) != 0) {
            return std::nullopt;
        }
        return ParseInteger(change.substr(sign.size()));
    };
    if (change == lit::kNoChange) {
        return CsvInteger(0);
    }
    if (change == lit::kFirstRun) {
        return CsvText(lit::kFirstRunMark);
    }
    if (const auto gain = amountAfter(lit::kGain)) {
        return CsvInteger(*gain);
    }
    if (const auto loss = amountAfter(minusSign)) {
        return CsvInteger(-*loss);
    }
    return CsvText(change);
}

// The entry of a horse and its index among the kind's entries.
std::pair<const OddsEntry*, std::size_t> EntryOfHorse(const KindSnapshot& kind, int horse) {
    for (std::size_t i = 0; i < kind.entries.size(); ++i) {
        if (kind.entries[i].horses[0] == horse) {
            return {&kind.entries[i], i};
        }
    }
    return {nullptr, 0};
}

// 理論オッズ and 乖離 of the entry at index of kind, both empty where it has none.
void AppendValueCells(CsvRow& row, const ValueBoard& value, BetKind kind, const OddsEntry* entry,
                      std::size_t index) {
    const auto& figures = value.figures[kind];
    if (entry == nullptr || index >= figures.size() || !figures[index]) {
        row.push_back(CsvEmpty());
        row.push_back(CsvEmpty());
        return;
    }
    row.push_back(CsvTenths(figures[index]->theoretical));
    row.push_back(CsvCell{HundredthsText(figures[index]->gap), true});
}

CsvCell PricedCell(const OddsEntry* entry, std::int64_t OddsEntry::*field) {
    if (entry == nullptr || entry->state != PriceState::Priced) {
        return CsvEmpty();
    }
    return CsvTenths(entry->*field);
}

CsvCell RankCell(const OddsEntry* entry) {
    return entry != nullptr && entry->rank > 0 ? CsvInteger(entry->rank) : CsvEmpty();
}

std::vector<CsvRow> RaceCardRows(const RaceSnapshot& snapshot, const ValueBoard& value,
                                 const RaceCardTable& table, const std::string& minusSign) {
    std::vector<CsvRow> rows{
        {CsvText(lit::kCsvBracket), CsvText(lit::kHorseNumberField), CsvText(lit::kCsvHorseName),
         CsvText(lit::kBetWin), CsvText(lit::kCsvRank), CsvText(lit::kCsvPlaceLower),
         CsvText(lit::kCsvPlaceUpper), CsvText(lit::kCsvBodyWeight), CsvText(lit::kCsvWeightChange),
         CsvText(lit::kCsvJockey), CsvText(lit::kCsvBurden), CsvText(lit::kCsvRemark),
         CsvText(lit::kCsvTheoretical), CsvText(lit::kCsvGap)}};
    for (int slot = 1; slot <= 18; ++slot) {
        const std::string& horseNo = table.cell(slot, kHorseNo);
        // the slots the race card fills; the others are the grid's empty rows
        if (IsBlanks(horseNo, horseNo.size())) {
            continue;
        }
        // the win and place entries are those of the slot, as the lists are built per slot
        const OddsEntry* win = EntryOfHorse(snapshot[BetKind::Win], slot).first;
        const auto [place, placeIndex] = EntryOfHorse(snapshot[BetKind::Place], slot);
        rows.push_back(
            {IntegerCell(table.cell(slot, kBracket)), IntegerCell(horseNo),
             CsvText(table.cell(slot, kHorseName)), PricedCell(win, &OddsEntry::odds),
             RankCell(win), PricedCell(place, &OddsEntry::odds),
             PricedCell(place, &OddsEntry::upper), IntegerCell(table.cell(slot, kBodyWeight)),
             WeightChangeCell(table.cell(slot, kWeightChange), minusSign),
             CsvText(table.cell(slot, kJockey)), DecimalCell(table.cell(slot, kBurdenWeight)),
             CsvText(table.cell(slot, kRemark))});
        AppendValueCells(rows.back(), value, BetKind::Place, place, placeIndex);
    }
    return rows;
}

// "1 - 2 - 3": spreadsheets take "1-2" and "1-2-3" for dates (January 2nd, 2001-02-03) and
// convert them on opening, whatever the quoting; with blanks around the hyphens they stay text.
CsvCell CombinationCell(const OddsEntry& entry, int size) {
    std::string text;
    for (int i = 0; i < size; ++i) {
        text += (i > 0 ? " - " : "") + DecimalText(entry.horses[static_cast<std::size_t>(i)]);
    }
    return CsvText(text);
}

CsvCell StateCell(PriceState state) {
    switch (state) {
        case PriceState::Priced:
            return CsvEmpty();
        case PriceState::NoOdds:
            return CsvText(lit::kStateNoOdds);
        case PriceState::Cancelled:
            return CsvText(lit::kStateCancelled);
        case PriceState::Scratched:
            return CsvText(lit::kStateScratched);
    }
    return CsvEmpty();
}

std::vector<CsvRow> OddsRows(const RaceSnapshot& snapshot, const ValueBoard& value, BetKind bet,
                             bool bounds) {
    const KindSnapshot& kind = snapshot[bet];
    std::vector<CsvRow> rows;
    if (bounds) {
        rows.push_back({CsvText(lit::kCsvCombination), CsvText(lit::kCsvLower),
                        CsvText(lit::kCsvUpper), CsvText(lit::kCsvRank), CsvText(lit::kCsvState)});
    } else {
        rows.push_back({CsvText(lit::kCsvCombination), CsvText(lit::kOddsField),
                        CsvText(lit::kCsvRank), CsvText(lit::kCsvState)});
    }
    rows.back().push_back(CsvText(lit::kCsvTheoretical));
    rows.back().push_back(CsvText(lit::kCsvGap));
    if (!kind.present) {
        return rows;
    }
    for (std::size_t i = 0; i < kind.entries.size(); ++i) {
        const OddsEntry& entry = kind.entries[i];
        CsvRow row{CombinationCell(entry, NumbersOf(bet)), PricedCell(&entry, &OddsEntry::odds)};
        if (bounds) {
            row.push_back(PricedCell(&entry, &OddsEntry::upper));
        }
        row.push_back(RankCell(&entry));
        row.push_back(StateCell(entry.state));
        AppendValueCells(row, value, bet, &entry, i);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<CsvRow> VoteRows(const RaceSnapshot& snapshot) {
    static constexpr std::array<std::string_view, kBetKindCount> kNames{
        lit::kBetWin,  lit::kBetPlace,  lit::kBetBracket, lit::kBetQuinella,
        lit::kBetWide, lit::kBetExacta, lit::kBetTrio};
    std::vector<CsvRow> rows{
        {CsvText(lit::kCsvBetKind), CsvText(lit::kCsvVotes), CsvText(lit::kCsvShare)}};
    std::int64_t total = 0;
    for (const KindSnapshot& kind : snapshot.kinds) {
        total += kind.votes.value_or(0);
    }
    for (std::size_t i = 0; i < kBetKindCount; ++i) {
        const auto& votes = snapshot.kinds[i].votes;
        if (!votes) {
            continue;
        }
        // The share in tenths of a percent, rounded half up in integers; with no vote at all
        // there is no share to give.
        const CsvCell share =
            total > 0 ? CsvTenths((*votes * 2000 + total) / (2 * total)) : CsvEmpty();
        rows.push_back({CsvText(kNames[i]), CsvInteger(*votes), share});
    }
    return rows;
}

}  // namespace

std::vector<CsvFile> BuildRaceCsv(const RaceSnapshot& snapshot, const ValueBoard& value,
                                  const RaceCardTable& table, const std::string& minusSign) {
    const auto odds = [&](BetKind bet, bool bounds) {
        return CsvBytes(OddsRows(snapshot, value, bet, bounds));
    };
    return {
        {kRaceCardCsv, CsvBytes(RaceCardRows(snapshot, value, table, minusSign))},
        {kBracketQuinellaCsv, odds(BetKind::BracketQuinella, false)},
        {kQuinellaCsv, odds(BetKind::Quinella, false)},
        {kWideCsv, odds(BetKind::Wide, true)},
        {kExactaCsv, odds(BetKind::Exacta, false)},
        {kTrioCsv, odds(BetKind::Trio, false)},
        {kVotesCsv, CsvBytes(VoteRows(snapshot))},
    };
}

void WriteRaceCsv(const fs::path& dir, const RaceSnapshot& snapshot, const ValueBoard& value,
                  const RaceCardTable& table, const std::string& minusSign) {
    // Everything is built before the first file is touched: a fault in the data then leaves
    // the folder as it was.
    const std::vector<CsvFile> files = BuildRaceCsv(snapshot, value, table, minusSign);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec)) {
        ThrowAboutPath(lit::kFolderPrefixMsg, dir, lit::kCannotCreateSuffix);
    }
    // As one set: an export that fails half-way must not leave some files of this race beside
    // the rest of the race exported before.
    std::vector<FileToWrite> set;
    for (const CsvFile& file : files) {
        set.push_back({dir / fs::path(file.name), file.bytes});
    }
    WriteFileSetAtomically(set);
}

}  // namespace orvikel
