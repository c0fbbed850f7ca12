#include "racecard/racecard_table.hpp"

#include "platform/literals.hpp"

namespace orvikel {

void RaceCardTable::Reset() {
    for (auto& cells : row) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            cells[c].assign(static_cast<std::size_t>(kRaceCardWidths[c]), ' ');
        }
    }
    OddsSource.clear();
}

bool RaceCardTable::IsScratched(int slot) const {
    return cell(slot, kRemark) == lit::kRemarkScratched;
}

}  // namespace orvikel
