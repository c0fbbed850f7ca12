// The live refresh of the race on screen (自動更新).
#include <exception>
#include <optional>
#include <utility>

#include "platform/folder_lock.hpp"
#include "shell/race_header.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel {

LiveStep ViewerSession::FollowClient() {
    if (selection_.SelectedRace == 0 || !raceControlsShown_) {
        return LiveStep::Unchanged;
    }
    // The race's files are discovered again: its results appear while it is followed. A
    // meeting that lost every race is left on screen as it was.
    Selection selection = selection_;
    if (!DiscoverRaces(settings_.KelDir, meetings_, selection)) {
        return LiveStep::Unchanged;
    }
    const RaceFiles files = SelectedRaceFiles(settings_.KelDir, meetings_, selection);
    const RaceStamps before = StampRaceFiles(files);
    if (!liveRetrying_ && before == stamps_ && selection.SelectedRace == selection_.SelectedRace) {
        return LiveStep::Unchanged;
    }

    // Built aside and taken over only when it stands, so a half-written file never reaches
    // the screen.
    DisplayState display;
    RaceState race;
    std::optional<std::string> error;
    try {
        ShowRaceHeader(files, display.header);
        RefreshRace(files, settings_, race, display, programDir_);
        if (trioPanelVisible_) {
            // The panel stays open with its ticks; its lists come from the new trio odds.
            display.oddsLines[OrderList::Trio].clear();
            if (trio_.Reextract(programDir_)) {
                display.oddsLines[OrderList::Trio] =
                    trio_.LoadList(programDir_, settings_.sort.YBWsort);
            }
        }
    } catch (const WriterBusy&) {
        // Nothing was read or written: not an attempt of this change, the caller tries again.
        throw;
    } catch (const std::exception& e) {
        error = e.what();
    }
    const RaceStamps after = StampRaceFiles(files);
    const LiveStep step = liveRetry_.After(before, after, error);
    switch (step) {
        case LiveStep::Show:
            refreshSettled_ = before == after;
            selection_ = std::move(selection);
            checkedRace_ = selection_.SelectedRace;
            display_ = std::move(display);
            race_ = std::move(race);
            stamps_ = before;
            liveRetrying_ = false;
            ++refreshCount_;
            break;
        case LiveStep::Retry:
            liveRetrying_ = true;
            break;
        case LiveStep::Report:
        case LiveStep::Quiet:
        case LiveStep::Unchanged:
            // Given up until the files change again.
            liveRetrying_ = false;
            stamps_ = before;
            liveError_ = error.value_or(std::string());
            break;
    }
    return step;
}

void ViewerSession::ClickAutoUpdate(bool on) {
    SaveAutoUpdate(programDir_, on);
    settings_.AutoUpdate = on ? "True" : "false";
}

RaceFiles ViewerSession::ShownRaceFiles() const {
    if (selection_.SelectedRace == 0 || !raceControlsShown_) {
        return {};
    }
    return SelectedRaceFiles(settings_.KelDir, meetings_, selection_);
}

}  // namespace orvikel
