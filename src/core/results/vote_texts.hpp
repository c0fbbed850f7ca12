#pragma once
// The per-refresh vote-total and odds-time texts of the seven bet kinds.
#include <array>
#include <string>

namespace orvikel {

enum BetKind : int {
    kBetWin = 0,
    kBetPlace = 1,
    kBetBracket = 2,
    kBetQuinella = 3,
    kBetWide = 4,
    kBetExacta = 5,
    kBetTrio = 6,
};
inline constexpr int kBetKinds = 7;

struct VoteTexts {
    // label (15 bytes) + the 11-byte total field; 11 blanks while the kind has no total
    std::array<std::string, kBetKinds> TotalText;
    // "[hh:mm現在]"; empty until an odds step sets it
    std::array<std::string, kBetKinds> TimeCaption;
    // the data file each total came from (CP932), so a bad total can be named
    std::array<std::string, kBetKinds> TotalSource;

    VoteTexts() { Reset(); }
    void Reset() {
        TotalText.fill(std::string(11, ' '));
        TimeCaption.fill(std::string());
        TotalSource.fill(std::string());
    }
    bool HasTotal(int kind) const {
        return TotalText[static_cast<std::size_t>(kind)] != std::string(11, ' ');
    }
};

// "[" + hour + ":" + minute + "現在]", the two fields unchanged.
std::string MakeTimeCaption(const std::string& hour, const std::string& minute);

}  // namespace orvikel
