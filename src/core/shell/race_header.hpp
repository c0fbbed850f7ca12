#pragma once
// The race header boxes, filled from line 1 of every present data file of the race in kind
// order, each later kind overwriting what an earlier one wrote.
#include <string>

#include "shell/discovery.hpp"

namespace orvikel {

struct RaceHeader {
    std::string EditYMDR;
    std::string EditTokubetu;
    std::string EditJikoku;
    std::string EditJyouken;
    std::string EditCourse;
    std::string EditKyori;
    std::string EditTousuu;
};

// "08" -> " 8", "10" -> "10".
std::string RunnersText(const std::string& field);

// Fills header from the present files; boxes no file fills keep what they held. Stops with
// DataError at a file that cannot be read or a numeric field that is not a number, keeping
// what the earlier kinds wrote.
void ShowRaceHeader(const RaceFiles& files, RaceHeader& header);

}  // namespace orvikel
