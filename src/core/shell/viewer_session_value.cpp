// 理論オッズ and 妙味: the race on screen against its win market, with the settings that
// shape it.
#include <algorithm>

#include "odds/value_marks.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel {

namespace {

double Discount(const ValueSettings& value) {
    return static_cast<double>(value.discount) / 100.0;
}

}  // namespace

ValueBoard ViewerSession::Value() const {
    if (!RaceDisplayed()) {
        return BuildValueBoard(RaceSnapshot{}, Discount(settings_.value));
    }
    return BuildValueBoard(snapshot(), Discount(settings_.value));
}

void ViewerSession::ClickValueMarks(bool on) {
    ValueSettings value = settings_.value;
    value.marks = on;
    SaveValueSettings(programDir_, value);
    settings_.value = value;
}

void ViewerSession::SetValueLimits(int discount, int high, int low) {
    ValueSettings value = settings_.value;
    value.discount = std::clamp(discount, kDiscountMin, kDiscountMax);
    value.high = std::clamp(high, kGapLimitMin, kGapLimitMax);
    value.low = std::clamp(low, kGapLimitMin, kGapLimitMax);
    SaveValueSettings(programDir_, value);
    settings_.value = value;
}

ByOddsList<std::vector<bool>> ViewerSession::ValueMarkedLines() const {
    ByOddsList<std::vector<bool>> marked;
    if (!settings_.value.marks || !RaceDisplayed()) {
        return marked;
    }
    const ValueBoard board = Value();
    for (const OrderList list : kOddsLists) {
        marked[list] = orvikel::ValueMarkedLines(list, display_.oddsLines[list], snapshot(), board,
                                                 settings_.value.high);
    }
    return marked;
}

}  // namespace orvikel
