#pragma once
// The per-refresh vote-total and odds-time texts of the seven bet kinds.
#include <string>

#include "domain/bet_kind.hpp"

namespace orvikel {

struct VoteTexts {
    // label (15 bytes) + the 11-byte total field; 11 blanks while the kind has no total
    ByBetKind<std::string> TotalText;
    // "[hh:mm現在]"; empty until an odds step sets it
    ByBetKind<std::string> TimeCaption;
    // the data file each total came from (CP932), so a bad total can be named
    ByBetKind<std::string> TotalSource;

    VoteTexts() { Reset(); }
    void Reset() {
        TotalText.fill(std::string(11, ' '));
        TimeCaption.fill(std::string());
        TotalSource.fill(std::string());
    }
    bool HasTotal(BetKind kind) const { return TotalText[kind] != std::string(11, ' '); }
};

// "[" + hour + ":" + minute + "現在]", the two fields unchanged.
std::string MakeTimeCaption(const std::string& hour, const std::string& minute);

}  // namespace orvikel
