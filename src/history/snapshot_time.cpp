#include <algorithm>

#include "history_store.hpp"

namespace orvikel::history {

namespace {

// "15:20" counts; blank fields (a file written before any sale) do not. An hour written
// right-aligned (" 9:05") still sorts before "10:00", blank before digits.
bool IsTime(const std::string& t) {
    return t.find_first_not_of(" :") != std::string::npos;
}

}  // namespace

std::string SnapshotOddsTime(const RaceSnapshot& snapshot) {
    const KindSnapshot& win = snapshot[BetKind::Win];
    if (win.present && IsTime(win.oddsTime)) {
        return win.oddsTime;
    }
    std::string latest;
    for (const KindSnapshot& kind : snapshot.kinds) {
        if (kind.present && IsTime(kind.oddsTime)) {
            latest = std::max(latest, kind.oddsTime);  // "HH:MM" sorts as time
        }
    }
    return latest;
}

}  // namespace orvikel::history
