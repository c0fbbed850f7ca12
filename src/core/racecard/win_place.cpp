#include "racecard/win_place.hpp"

#include <algorithm>
#include <vector>

#include "common/bytes.hpp"
#include "common/data_error.hpp"
#include "common/file_io.hpp"
#include "common/literals.hpp"

namespace orvikel {

namespace {

constexpr int kSlots = 18;
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

const std::string kNoOddsKey(18, '*');

int RecordColumn(int slot) {
    return kZoFirstRecord + kZoRecord * (slot - 1);
}

// "<label> (<from>-<to>)": the Zo columns of an odds field of the slot.
std::string OddsFieldName(const std::string& label, int slot, int offset) {
    const int from = RecordColumn(slot) + offset;
    return label + " (" + std::to_string(from) + "-" + std::to_string(from + kOddsWidth - 1) + ")";
}

// The value of a 6-byte odds part of the key (a blank and the 5-byte field); a part that is
// not a number stops the build, naming the field as the Zo file holds it.
double OddsValue(const std::string& part, const RaceCardTable& table, const std::string& label,
                 int slot, int offset) {
    const auto value = ParseDecimal(part);
    if (!value) {
        ThrowNotANumber(table.OddsSource, OddsFieldName(label, slot, offset), Cut(part, 2, 5));
    }
    return *value;
}

bool StartsWithStar(const std::string& s) {
    return Cut(s, 1, 1) == "*";
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
            win.push_back(Cut(line, 1, 3) + lit::kWinScratched);
        } else {
            win.push_back(Cut(line, 1, 13));
        }
    }
    return win;
}

}  // namespace

bool ReadWinPlaceOdds(const std::string& path, RaceCardTable& table, VoteTexts& votes,
                      Hint& gridHint, std::string* lineRead) {
    // the size decides whether the totals are there; take it before the file is loaded
    const bool carriesTotals = FileSize(path) > kZoTotalsAbove;
    const std::string line = ReadFirstLine(path);
    table.OddsSource = path;
    for (int i = 1; i <= kSlots; ++i) {
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
    if (carriesTotals) {
        votes.TotalText[kBetWin] = lit::kTotalWin + Cut(line, kZoTotalWin, kTotalWidth);
        votes.TotalText[kBetPlace] = lit::kTotalPlace + Cut(line, kZoTotalPlace, kTotalWidth);
        votes.TotalSource[kBetWin] = path;
        votes.TotalSource[kBetPlace] = path;
        gridHint.text = votes.TotalText[kBetWin] + "\r\n" + votes.TotalText[kBetPlace];
        gridHint.show = true;
    } else {
        gridHint.show = false;
    }
    if (lineRead != nullptr) {
        *lineRead = line;
    }
    return carriesTotals;
}

void BuildRaceCardLists(RaceCardTable& table, const std::filesystem::path& programDir) {
    std::vector<std::string> raceCard;  // 93-byte sort lines, odds key first
    std::vector<std::string> place;     // 23-byte sort lines, place part first
    for (int i = 1; i <= kSlots; ++i) {
        const std::string& win = table.cell(i, kWinOdds);
        std::string key = Cut(win, 1, 6) + table.cell(i, kPlaceOdds);
        if (key == std::string(18, ' ')) {
            key = kNoOddsKey;
        }
        if (table.IsScratched(i)) {
            key = lit::kKeyScratched;
        }
        if (Cut(win, 3, 4) == lit::kTorikeshi) {
            key = lit::kKeyScratched;
            table.cell(i, kRemark) = lit::kRemarkScratched;
        }
        if (!StartsWithStar(key) &&
            OddsValue(Cut(key, 1, 6), table, lit::kWinOddsField, i, kZoWin) < 1.0) {
            key = "*#" + Cut(key, 3, 16);
        }

        std::string line = key + table.cell(i, kBracket) + table.cell(i, kHorseNo);
        for (int c = kHorseName; c <= kNumberKey; ++c) {
            line += table.cell(i, static_cast<RaceCardColumn>(c));
        }
        raceCard.push_back(std::move(line));

        const std::string tail = Cut(key, 1, 6) + table.cell(i, kBracket) +
                                 table.cell(i, kHorseNo) + table.cell(i, kNumberKey);
        const std::string lower = Cut(key, 7, 6);
        if (Cut(key, 7, 1) == "*") {
            place.push_back(Cut(key, 7, 12) + tail);
        } else if (IsBlanks(lower, 6)) {
            // a priced horse without a lower place price has no place odds: it is left out of
            // the place lists like a horse without any odds, instead of stopping the refresh
            place.push_back(std::string(12, '*') + tail);
        } else if (OddsValue(lower, table, lit::kPlaceOddsField, i, kZoPlaceLower) < 1.0) {
            place.push_back("*#" + Cut(key, 9, 10) + tail);
        } else {
            place.push_back(Cut(key, 7, 12) + tail);
        }
    }

    SortLines(raceCard);
    for (std::size_t p = 0; p < raceCard.size(); ++p) {
        const std::string& s = raceCard[p];
        const std::string rank =
            StartsWithStar(s) ? "    " : "[" + SlotText(static_cast<int>(p) + 1) + "]";
        raceCard[p] = Cut(s, 19, 3) + Cut(s, 1, 6) + rank + Cut(s, 7, 12) + Cut(s, 22, 72);
    }
    WriteWorkFile(programDir, "QvDESo.dat", raceCard);

    SortLines(place);
    std::vector<std::string> placeLines;
    for (std::size_t p = 0; p < place.size(); ++p) {
        const std::string& s = place[p];
        const std::string horse = Cut(s, 19, 3);
        if (!StartsWithStar(s)) {
            placeLines.push_back(horse + Cut(s, 1, 12) + "[" + SlotText(static_cast<int>(p) + 1) +
                                 "]");
        } else if (Cut(s, 2, 1) == "#") {
            placeLines.push_back(horse + "      -     " + "    ");
        } else if (Cut(s, 2, 2) == lit::kKeyScratchedPlacePrefix) {
            placeLines.push_back(horse + lit::kPlaceScratched + "    ");
        }  // no odds: not listed
    }
    WriteWorkFile(programDir, "QvFSo.dat", placeLines);

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
    WriteWorkFile(programDir, "QvDENo.dat", byNumber);

    SortLines(placeLines);
    WriteWorkFile(programDir, "QvFNo.dat", placeLines);

    // The win lists come from the race-card lines just written; their bytes hold no line
    // break (they come from line 1 of the data files), so they are the lines the files hold.
    WriteWorkFile(programDir, "QvTNo.dat", WinLines(byNumber));
    WriteWorkFile(programDir, "QvTSo.dat", WinLines(raceCard));
}

}  // namespace orvikel
