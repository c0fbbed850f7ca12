#pragma once
// The race header boxes, filled from line 1 of every present data file of the race in kind
// order, each later kind overwriting what an earlier one wrote.
#include <string>

#include "shell/discovery.hpp"

namespace orvikel {

// The texts of the header boxes, named by what they hold; the boxes keep the layout's names.
struct RaceHeader {
    std::string dateLine;    // EditYMDR: date, meeting and race, or the title text when cleared
    std::string raceName;    // EditTokubetu
    std::string postTime;    // EditJikoku: "発走時刻  HH:MM"
    std::string conditions;  // EditJyouken
    std::string course;      // EditCourse
    std::string distance;    // EditKyori
    std::string runners;     // EditTousuu: the number of runners
};

// "08" -> " 8", "10" -> "10".
std::string RunnersText(const std::string& field);

// Fills header from the present files; boxes no file fills keep what they held. Stops with
// DataError at a file that cannot be read or a numeric field that is not a number, keeping
// what the earlier kinds wrote.
void ShowRaceHeader(const RaceFiles& files, RaceHeader& header);

}  // namespace orvikel
