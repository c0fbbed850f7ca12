#include "shell/race_header.hpp"

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

// Where the two header layouts keep the fields of the date-and-race text.
struct DateLayout {
    int venue;    // 4 bytes: two double-byte characters
    int meeting;  // the 2-byte numbers
    int day;
    int race;
};

constexpr DateLayout kCardLayout{.venue = 9, .meeting = 17, .day = 19, .race = 21};
constexpr DateLayout kOddsLayout{.venue = 29, .meeting = 37, .day = 39, .race = 41};

bool UsesCardLayout(int kind) {
    return kind == kRaceCard || kind == kHorseWeights || kind == kResults;
}

std::string Number(const std::string& file, const std::string& line, int column,
                   std::string_view field) {
    const std::string value = Cut(line, column, 2);
    const auto number = ParseInteger(value);
    if (!number) {
        ThrowNotANumber(
            file,
            Concat({field, " (", std::to_string(column), "-", std::to_string(column + 1), ")"}),
            value);
    }
    return DecimalText(*number);
}

// "2006年10月29日 第4回 東京 9日目 第11Ｒ": year, month and day as cut, the three numbers
// without their leading zeros.
std::string DateAndRace(const std::string& file, const std::string& line, const DateLayout& at) {
    const std::string meeting = Number(file, line, at.meeting, lit::kMeetingNumberField);
    const std::string day = Number(file, line, at.day, lit::kDayOfMeetingField);
    const std::string race = Number(file, line, at.race, lit::kRaceNumberField);
    return Concat({Cut(line, 1, 4), lit::kYear, Cut(line, 5, 2), lit::kMonth, Cut(line, 7, 2),
                   lit::kDayMeeting, meeting, lit::kMeetingBlank, Cut(line, at.venue, 4), " ", day,
                   lit::kDayOfMeeting, race, lit::kRaceR});
}

}  // namespace

std::string RunnersText(const std::string& field) {
    if (!field.empty() && field[0] == '0') {
        return " " + field.substr(1);
    }
    return field;
}

void ShowRaceHeader(const RaceFiles& files, RaceHeader& header) {
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        if (!files.Has(kind)) {
            continue;
        }
        const std::string& file = files.Name(kind);
        const std::string line = ReadFirstLine(file);
        const std::string date =
            DateAndRace(file, line, UsesCardLayout(kind) ? kCardLayout : kOddsLayout);
        switch (kind) {
            case kRaceCard:
                header.postTime =
                    Concat({lit::kPostTimeLabel, Cut(line, 23, 2), ":", Cut(line, 25, 2)});
                header.course = Cut(line, 27, 4);
                header.distance = Cut(line, 31, 4);
                header.raceName = Cut(line, 35, 28);
                header.conditions = Cut(line, 63, 28);
                break;
            case kResults:
                header.raceName = Cut(line, 35, 28);
                header.conditions = Cut(line, 63, 28);
                break;
            case kHorseWeights:
                header.raceName = Cut(line, 31, 28);
                header.conditions = Cut(line, 59, 28);
                header.distance = Cut(line, 27, 4);
                header.runners = RunnersText(Cut(line, 87, 2));
                break;
            default:  // the odds files
                header.raceName = Cut(line, 49, 28);
                header.conditions = Cut(line, 77, 28);
                header.runners = RunnersText(Cut(line, 141, 2));
                break;
        }
        header.dateLine = date;
    }
}

}  // namespace orvikel
