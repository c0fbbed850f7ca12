#include "racecard/racecard_file.hpp"

#include "platform/bytes.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

constexpr int kSlots = 18;
constexpr int kRaceCardFirst = 94;  // slot 1 of the race-card file
constexpr int kRaceCardRecord = 48;
constexpr int kWeightFirst = 89;  // slot 1 of the horse-weight file
constexpr int kWeightRecord = 10;

// Sets the mark for a known apprentice code; an unknown code keeps what the column holds.
void SetApprenticeMark(const std::string& code, std::string& mark) {
    if (code == "10") {
        mark = lit::kApprentice10;
    } else if (code == "20") {
        mark = lit::kApprentice20;
    } else if (code == "30") {
        mark = lit::kApprentice30;
    } else if (code == "00" || code == "  ") {
        mark = lit::kApprenticeNone;
    }
}

std::string RemarkFor(const std::string& status) {
    if (status == "8") {
        return std::string(lit::kRemarkChanged);
    }
    if (status == "9") {
        return std::string(lit::kRemarkScratched);
    }
    return std::string(20, ' ');
}

// Sets the change text for a known code; an unknown code keeps what the column holds.
void SetWeightChange(const std::string& code, const std::string& amount,
                     const std::string& minusSign, std::string& change) {
    if (code == "1") {
        change = std::string(lit::kGain) + amount;
    } else if (code == "2") {
        change = minusSign + amount;
    } else if (code == "3") {
        change = lit::kNoChange;
    } else if (code == "7") {
        change = lit::kFirstRun;
    } else if (code == " ") {
        change = "    ";
    }
}

}  // namespace

void ReadRaceCardFile(const std::string& path, RaceCardTable& table) {
    const std::string line = ReadFirstLine(path);
    for (int i = 1; i <= kSlots; ++i) {
        const int b = kRaceCardFirst + kRaceCardRecord * (i - 1);
        table.cell(i, kNumberKey) = SlotText(i);
        table.cell(i, kBracket) = Cut(line, b, 1);
        table.cell(i, kHorseNo) = Cut(line, b + 1, 2);
        table.cell(i, kHorseName) = Cut(line, b + 5, 18);
        SetApprenticeMark(Cut(line, b + 41, 2), table.cell(i, kApprenticeMark));
        table.cell(i, kJockey) = Cut(line, b + 23, 18);
        table.cell(i, kBurdenWeight) = Cut(line, b + 43, 4);
        table.cell(i, kRemark) = RemarkFor(Cut(line, b + 3, 1));
    }
}

void ReadHorseWeightFile(const std::string& path, RaceCardTable& table,
                         const std::string& minusSign) {
    const std::string line = ReadFirstLine(path);
    for (int i = 1; i <= kSlots; ++i) {
        const int u = kWeightFirst + kWeightRecord * (i - 1);
        table.cell(i, kNumberKey) = SlotText(i);
        table.cell(i, kHorseNo) = Cut(line, u, 2);
        // the weight file can only add a scratching, never clear the race card's remark
        if (Cut(line, u + 2, 1) == "9") {
            table.cell(i, kRemark) = lit::kRemarkScratched;
        }
        table.cell(i, kBodyWeight) = Cut(line, u + 3, 3);
        SetWeightChange(Cut(line, u + 8, 1), Cut(line, u + 6, 2), minusSign,
                        table.cell(i, kWeightChange));
    }
}

}  // namespace orvikel
