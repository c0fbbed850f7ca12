#include "sample/file_layouts.hpp"

#include <array>

#include "shell/discovery.hpp"

namespace orvikel::sample {

namespace {

constexpr std::array<const char*, 10> kVenueCodes = {"1", "2", "3", "4", "5",
                                                     "6", "7", "8", "9", "a"};
constexpr std::array<const char*, 15> kFileCodes = {"1", "2", "3", "4", "5", "6", "7", "8",
                                                    "9", "a", "b", "c", "d", "e", "f"};
constexpr std::array<const char*, 7> kPrefixes = {"De-", "Ut-", "Zo-", "Uo-", "Ks-", "So-", "Yo-"};

std::string FileCode(int index) {
    return kFileCodes[static_cast<std::size_t>(index - 1)];
}

void PutDate(LineBuilder& line, const Date& date) {
    line.Zeros(1, 4, date.year).Zeros(5, 2, date.month).Zeros(7, 2, date.day);
}

}  // namespace

std::string MeetingFileName(int slot) {
    return "Uy-" + FileCode(9 + slot) + ".jra";
}

std::string RaceFileName(int kind, const MeetingPlan& meeting, int race) {
    std::string name = kPrefixes[static_cast<std::size_t>(kind - 1)];
    name += kVenueCodes[static_cast<std::size_t>(meeting.venue - 1)];
    if (kind == 5) {
        name += std::to_string(meeting.keyA) + std::to_string(meeting.meetingNumber);
    }
    return name + std::to_string(meeting.day) + FileCode(race) + ".jra";
}

void PutCardHeader(LineBuilder& line, const MeetingPlan& meeting, const RacePlan& race) {
    PutDate(line, meeting.date);
    line.Put(9, VenueName(meeting.venue))
        .Zeros(17, 2, meeting.meetingNumber)
        .Zeros(19, 2, meeting.day)
        .Zeros(21, 2, race.number);
}

void PutOddsHeader(LineBuilder& line, const MeetingPlan& meeting, const RacePlan& race) {
    PutDate(line, meeting.date);
    line.Put(29, VenueName(meeting.venue))
        .Zeros(37, 2, meeting.meetingNumber)
        .Zeros(39, 2, meeting.day)
        .Zeros(41, 2, race.number)
        .Zeros(45, 2, race.oddsMinutes / 60)
        .Zeros(47, 2, race.oddsMinutes % 60)
        .Left(49, 28, race.name)
        .Left(77, 28, race.conditions)
        // Course, distance and post time again; the viewer does not read them.
        .Put(105, race.course)
        .Number(109, 4, race.distance)
        .Zeros(113, 2, race.postMinutes / 60)
        .Zeros(115, 2, race.postMinutes % 60)
        .Zeros(141, 2, static_cast<int>(race.runners.size()));
}

std::string MeetingFile(const MeetingPlan& meeting) {
    LineBuilder line(68);
    PutDate(line, meeting.date);
    const int firstPost = meeting.races.front().postMinutes;
    line.Put(9, VenueName(meeting.venue))
        .Zeros(17, 2, meeting.meetingNumber)
        .Zeros(19, 2, meeting.day)
        .Zeros(21, 2, firstPost / 60)
        .Zeros(23, 2, firstPost % 60)
        .Zeros(25, 2, static_cast<int>(meeting.races.size()))
        .Zeros(59, 2, meeting.venue)
        .Number(64, 1, meeting.keyA)
        .Zeros(65, 2, meeting.meetingNumber)
        .Zeros(67, 2, meeting.day);
    return line.FileBytes();
}

void PutRaceCardHeader(LineBuilder& line, const MeetingPlan& meeting, const RacePlan& race) {
    PutCardHeader(line, meeting, race);
    line.Zeros(23, 2, race.postMinutes / 60)
        .Zeros(25, 2, race.postMinutes % 60)
        .Put(27, race.course)
        .Number(31, 4, race.distance)
        .Left(35, 28, race.name)
        .Left(63, 28, race.conditions);
}

std::string RaceCardFile(const MeetingPlan& meeting, const RacePlan& race) {
    LineBuilder line(957);
    PutRaceCardHeader(line, meeting, race);
    for (const Runner& r : race.runners) {
        const int b = 94 + 48 * (r.number - 1);
        const char* status = r.scratch == Scratch::kCard ? "9" : r.riderChanged ? "8" : "0";
        line.Number(b, 1, r.bracket)
            .Number(b + 1, 2, r.number)
            .Put(b + 3, status)
            .Left(b + 5, 18, r.name)
            .Left(b + 23, 18, r.jockey)
            .Put(b + 41, r.apprentice)
            .Put(b + 43, TenthsText(r.burdenTenths));
    }
    return line.FileBytes();
}

std::string HorseWeightFile(const MeetingPlan& meeting, const RacePlan& race) {
    LineBuilder line(268);
    PutCardHeader(line, meeting, race);
    line.Zeros(23, 2, race.postMinutes / 60)
        .Zeros(25, 2, race.postMinutes % 60)
        .Number(27, 4, race.distance)
        .Left(31, 28, race.name)
        .Left(59, 28, race.conditions)
        .Zeros(87, 2, static_cast<int>(race.runners.size()));
    for (const Runner& r : race.runners) {
        const int u = 89 + 10 * (r.number - 1);
        line.Number(u, 2, r.number);
        if (r.scratch == Scratch::kCard || r.scratch == Scratch::kWeightsOnly) {
            line.Put(u + 2, "9");  // not weighed: weight and change stay blank
            continue;
        }
        line.Put(u + 2, "0").Number(u + 3, 3, r.bodyWeight);
        if (r.firstRun) {
            line.Put(u + 8, "7");
        } else if (r.weightChange == 0) {
            line.Number(u + 6, 2, 0).Put(u + 8, "3");
        } else {
            line.Number(u + 6, 2, r.weightChange > 0 ? r.weightChange : -r.weightChange)
                .Put(u + 8, r.weightChange > 0 ? "1" : "2");
        }
    }
    return line.FileBytes();
}

}  // namespace orvikel::sample
