// Stand-ins for the race-card table and the time caption, whose own sources arrive with their
// modules. They are weak, so the real definitions take over wherever those are linked.
#include "common/literals.hpp"
#include "racecard/racecard_table.hpp"
#include "results/vote_texts.hpp"

namespace orvikel {

[[gnu::weak]] void RaceCardTable::Reset() {
    for (auto& cells : row) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            cells[c] = std::string(static_cast<std::size_t>(kRaceCardWidths[c]), ' ');
        }
    }
}

[[gnu::weak]] bool RaceCardTable::IsScratched(int slot) const {
    return cell(slot, kRemark) == lit::kRemarkScratched;
}

[[gnu::weak]] std::string MakeTimeCaption(const std::string& hour, const std::string& minute) {
    return "[" + hour + ":" + minute + lit::kNowSuffix;
}

}  // namespace orvikel
