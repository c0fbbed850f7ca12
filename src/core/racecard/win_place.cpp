#include "racecard/win_place.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "domain/lists.hpp"
#include "domain/race_files.hpp"
#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

constexpr int kZoFirstRecord = 143;  // lead byte of the win/place record of slot 1
constexpr int kZoRecord = 18;
constexpr int kZoHorseNo = 1;  // offsets from the lead byte
constexpr int kZoWin = 3;
constexpr int kZoPlaceLower = 8;
constexpr int kZoPlaceUpper = 13;
constexpr int kOddsWidth = 5;
constexpr int kZoTotalWin = 827;
constexpr int kZoTotalPlace = 838;
constexpr int kTotalWidth = 11;
constexpr std::uintmax_t kZoTotalsAbove = 850;

// A horse without odds: the key is all marks, so it starts with sort_key::kNoOdds.
const std::string kNoOddsKey(18, sort_key::kMark);

int RecordColumn(int slot) {
    return kZoFirstRecord + kZoRecord * (slot - 1);
}

// "<label> (<from>-<to>)": the Zo columns of an odds field of the slot.
std::string OddsFieldName(std::string_view label, int slot, int offset) {
    const int from = RecordColumn(slot) + offset;
    return Concat(
        {label, " (", std::to_string(from), "-", std::to_string(from + kOddsWidth - 1), ")"});
}

// The value of a 6-byte odds part of the key (a blank and the 5-byte field); a part that is
// not a number stops the build, naming the field as the Zo file holds it.
double OddsValue(const std::string& part, const RaceCardTable& table, std::string_view label,
                 int slot, int offset) {
    const auto value = ParseDecimal(part);
    if (!value) {
        ThrowNotANumber(table.OddsSource, OddsFieldName(label, slot, offset), Cut(part, 2, 5));
    }
    return *value;
}

bool StartsWithStar(const std::string& s) {
    return !s.empty() && s.front() == sort_key::kMark;
}

void SortLines(std::vector<std::string>& lines) {
    std::sort(lines.begin(), lines.end());  // std::string compares bytes as unsigned
}

std::vector<std::string> WinLines(const std::vector<std::string>& raceCardLines) {
    std::vector<std::string> win;
    for (const auto& line : raceCardLines) {
        if (Cut(line, 1, 1) == " ") {
            continue;  // empty slot
        }
        if (Cut(line, 4, 1) == "*") {
            win.push_back(Concat({Cut(line, 1, 3), lit::kWinScratched}));
        } else {
            win.push_back(Cut(line, 1, 13));
        }
    }
    return win;
}

// What the race-card step decided for one horse, kept for the snapshot.
struct SlotOdds {
    PriceState win = PriceState::NoOdds;
    PriceState place = PriceState::NoOdds;
    bool winListed = false;    // a line of the win lists
    bool placeListed = false;  // a line of the place lists
    int winRank = 0;
    int placeRank = 0;
};

// The win and place entries of the snapshot, in horse order, from what the lists showed.
void FillWinPlace(const RaceCardTable& table, const OneBased<SlotOdds, kHorses>& slots,
                  RaceSnapshot& snapshot) {
    KindSnapshot& win = snapshot[BetKind::Win];
    KindSnapshot& place = snapshot[BetKind::Place];
    win.entries.clear();
    place.entries.clear();
    for (int i = 1; i <= kHorses; ++i) {
        const SlotOdds& slot = slots[i];
        if (slot.winListed) {
            OddsEntry entry;
            entry.horses[0] = i;
            entry.state = slot.win;
            entry.rank = slot.winRank;
            if (slot.win == PriceState::Priced) {
                entry.odds = ParseTenths(Cut(table.cell(i, kWinOdds), 2, kOddsWidth)).value_or(0);
            }
            win.entries.push_back(entry);
        }
        if (slot.placeListed) {
            OddsEntry entry;
            entry.horses[0] = i;
            entry.state = slot.place;
            entry.rank = slot.placeRank;
            if (slot.place == PriceState::Priced) {
                const std::string& cell = table.cell(i, kPlaceOdds);
                entry.odds = ParseTenths(Cut(cell, 2, kOddsWidth)).value_or(0);
                // The upper bound is shown as the file gives it and never checked: a field that
                // is no number counts as none.
                entry.upper = ParseTenths(Cut(cell, 8, kOddsWidth)).value_or(0);
            }
            place.entries.push_back(entry);
        }
    }
}

}  // namespace

bool ReadWinPlaceOdds(const std::string& path, RaceCardTable& table, VoteTexts& votes,
                      Hint& gridHint, RaceSnapshot& snapshot, std::string* lineRead) {
    // the size decides whether the totals are there; take it before the file is loaded
    const bool carriesTotals = FileSize(path) > kZoTotalsAbove;
    const std::string line = ReadFirstLine(path);
    table.OddsSource = path;
    for (int i = 1; i <= kHorses; ++i) {
        const int c = RecordColumn(i);
        table.cell(i, kNumberKey) = SlotText(i);
        table.cell(i, kHorseNo) = Cut(line, c + kZoHorseNo, 2);
        std::string& win = table.cell(i, kWinOdds);
        win = " " + Cut(line, c + kZoWin, kOddsWidth) + "    ";
        // without a win price the place fields mean nothing
        if (IsBlanks(win, 10)) {
            table.cell(i, kPlaceOdds) = std::string(12, ' ');
        } else {
            table.cell(i, kPlaceOdds) = " " + Cut(line, c + kZoPlaceLower, kOddsWidth) + "-" +
                                        Cut(line, c + kZoPlaceUpper, kOddsWidth);
        }
    }
    KindSnapshot& win = snapshot[BetKind::Win];
    KindSnapshot& place = snapshot[BetKind::Place];
    win.present = true;
    place.present = true;
    if (carriesTotals) {
        const std::string winTotal = Cut(line, kZoTotalWin, kTotalWidth);
        const std::string placeTotal = Cut(line, kZoTotalPlace, kTotalWidth);
        votes.TotalText[BetKind::Win] = Concat({lit::kTotalWin, winTotal});
        votes.TotalText[BetKind::Place] = Concat({lit::kTotalPlace, placeTotal});
        votes.TotalSource[BetKind::Win] = path;
        votes.TotalSource[BetKind::Place] = path;
        // A total that is no number has none here; the vote summary names the field.
        win.votes = ParseInteger(winTotal);
        place.votes = ParseInteger(placeTotal);
        gridHint.text = votes.TotalText[BetKind::Win] + "\r\n" + votes.TotalText[BetKind::Place];
        gridHint.show = true;
    } else {
        gridHint.show = false;
    }
    if (lineRead != nullptr) {
        *lineRead = line;
    }
    return carriesTotals;
}

void BuildRaceCardLists(RaceCardTable& table, const std::filesystem::path& programDir,
                        RaceSnapshot& snapshot) {
    OneBased<SlotOdds, kHorses> slots{};
    // 93-byte sort lines, odds key first, and 23-byte sort lines, place part first; each with
    // its horse slot
    std::vector<std::pair<std::string, int>> raceCardKeyed;
    std::vector<std::pair<std::string, int>> placeKeyed;
    for (int i = 1; i <= kHorses; ++i) {
        SlotOdds& slot = slots[i];
        const std::string& win = table.cell(i, kWinOdds);
        std::string key = Cut(win, 1, 6) + table.cell(i, kPlaceOdds);
        slot.win = PriceState::Priced;
        if (key == std::string(18, ' ')) {
            key = kNoOddsKey;
            slot.win = PriceState::NoOdds;
        }
        if (table.IsScratched(i)) {
            key = lit::kKeyScratched;
            slot.win = PriceState::Scratched;
        }
        if (Cut(win, 3, 4) == lit::kCancelledMark) {
            key = lit::kKeyScratched;
            slot.win = PriceState::Scratched;
            table.cell(i, kRemark) = lit::kRemarkScratched;
        }
        if (!StartsWithStar(key) &&
            OddsValue(Cut(key, 1, 6), table, lit::kWinOddsField, i, kZoWin) < 1.0) {
            key = std::string(sort_key::kBelowOne) + Cut(key, 3, 16);
            slot.win = PriceState::NoOdds;
        }
        // The win lists show every horse of the race card.
        slot.winListed = table.cell(i, kBracket) != " ";

        std::string line = key + table.cell(i, kBracket) + table.cell(i, kHorseNo);
        for (int c = kHorseName; c <= kNumberKey; ++c) {
            line += table.cell(i, static_cast<RaceCardColumn>(c));
        }
        raceCardKeyed.emplace_back(std::move(line), i);

        const std::string tail = Cut(key, 1, 6) + table.cell(i, kBracket) +
                                 table.cell(i, kHorseNo) + table.cell(i, kNumberKey);
        const std::string lower = Cut(key, 7, 6);
        if (Cut(key, 7, 1) == "*") {
            placeKeyed.emplace_back(Cut(key, 7, 12) + tail, i);
        } else if (IsBlanks(lower, 6)) {
            // a priced horse without a lower place price has no place odds: it is left out of
            // the place lists like a horse without any odds, instead of stopping the refresh
            placeKeyed.emplace_back(std::string(12, '*') + tail, i);
        } else if (OddsValue(lower, table, lit::kPlaceOddsField, i, kZoPlaceLower) < 1.0) {
            placeKeyed.emplace_back(std::string(sort_key::kBelowOne) + Cut(key, 9, 10) + tail, i);
        } else {
            placeKeyed.emplace_back(Cut(key, 7, 12) + tail, i);
        }
    }

    // The keys hold the horse slot, so no two are equal and the slots never decide the order.
    std::sort(raceCardKeyed.begin(), raceCardKeyed.end());
    std::vector<std::string> raceCard;
    raceCard.reserve(raceCardKeyed.size());
    for (std::size_t p = 0; p < raceCardKeyed.size(); ++p) {
        const auto& [s, i] = raceCardKeyed[p];
        std::string rank = "    ";
        if (!StartsWithStar(s)) {
            rank = "[" + SlotText(static_cast<int>(p) + 1) + "]";
            slots[i].winRank = static_cast<int>(p) + 1;
        }
        raceCard.push_back(Cut(s, 19, 3) + Cut(s, 1, 6) + rank + Cut(s, 7, 12) + Cut(s, 22, 72));
    }
    WriteWorkFile(programDir, work_file::kRaceCard.popularity, raceCard);

    std::sort(placeKeyed.begin(), placeKeyed.end());
    std::vector<std::string> placeLines;
    for (std::size_t p = 0; p < placeKeyed.size(); ++p) {
        const auto& [s, i] = placeKeyed[p];
        SlotOdds& slot = slots[i];
        const std::string horse = Cut(s, 19, 3);
        if (!StartsWithStar(s)) {
            placeLines.push_back(horse + Cut(s, 1, 12) + "[" + SlotText(static_cast<int>(p) + 1) +
                                 "]");
            slot.place = PriceState::Priced;
            slot.placeRank = static_cast<int>(p) + 1;
            slot.placeListed = true;
        } else if (Cut(s, 1, 2) == sort_key::kBelowOne) {
            placeLines.push_back(horse + "      -     " + "    ");
            slot.place = PriceState::NoOdds;
            slot.placeListed = true;
        } else if (Cut(s, 2, 2) == lit::kKeyScratchedPlacePrefix) {
            placeLines.push_back(Concat({horse, lit::kPlaceScratched, "    "}));
            slot.place = PriceState::Scratched;
            slot.placeListed = true;
        }  // no odds: not listed
    }
    WriteWorkFile(programDir, work_file::kPlace.popularity, placeLines);
    if (snapshot[BetKind::Win].present) {
        FillWinPlace(table, slots, snapshot);
    }
    for (int i = 1; i <= kHorses; ++i) {
        const auto bracket = ParseInteger(table.cell(i, kBracket));
        snapshot.bracket[i] =
            bracket && *bracket >= 1 && *bracket <= kBrackets ? static_cast<int>(*bracket) : 0;
    }

    // number order is slot order, whatever the horse-number fields say
    std::vector<std::string> byNumber;
    byNumber.reserve(raceCard.size());
    for (const auto& line : raceCard) {
        byNumber.push_back(Cut(line, 96, 2) + line);
    }
    SortLines(byNumber);
    for (auto& line : byNumber) {
        line.erase(0, std::min<std::size_t>(2, line.size()));
    }
    WriteWorkFile(programDir, work_file::kRaceCard.number, byNumber);

    SortLines(placeLines);
    WriteWorkFile(programDir, work_file::kPlace.number, placeLines);

    // The win lists come from the race-card lines just written; their bytes hold no line
    // break (they come from line 1 of the data files), so they are the lines the files hold.
    WriteWorkFile(programDir, work_file::kWin.number, WinLines(byNumber));
    WriteWorkFile(programDir, work_file::kWin.popularity, WinLines(raceCard));
}

}  // namespace orvikel
