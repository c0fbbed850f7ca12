#include <algorithm>

#include "history_store.hpp"
#include "platform/bytes.hpp"

namespace orvikel::history {

namespace {

// "15:20" counts; blank fields (a file written before any sale) and times no clock shows do
// not. An hour written right-aligned (" 9:05") still sorts before "10:00".
bool IsTime(const std::string& t) {
    return OddsTimeMinutes(t).has_value();
}

}  // namespace

std::optional<int> OddsTimeMinutes(const std::string& oddsTime) {
    if (oddsTime.size() != 5 || oddsTime[2] != ':') {
        return std::nullopt;
    }
    const auto hour = ParseInteger(oddsTime.substr(0, 2));
    const auto minute = ParseInteger(oddsTime.substr(3, 2));
    if (!hour || !minute || *hour < 0 || *hour > 23 || *minute < 0 || *minute > 59) {
        return std::nullopt;
    }
    return static_cast<int>(*hour * 60 + *minute);
}

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
