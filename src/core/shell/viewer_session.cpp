#include "shell/viewer_session.hpp"

#include <utility>

#include "export/race_csv.hpp"
#include "platform/data_error.hpp"
#include "platform/literals.hpp"
#include "shell/race_header.hpp"

namespace orvikel {

ViewerSession::ViewerSession(std::filesystem::path programDir)
    : programDir_(std::move(programDir)) {}

void ViewerSession::Create() {
    Create(ReadSettings(programDir_));
}

void ViewerSession::Create(Settings settings) {
    settings_ = std::move(settings);
    ClearDisplay();
    DiscoverMeetings(settings_.KelDir, meetings_);
}

bool ViewerSession::StartupNeedsSettings() const {
    return settings_.FolderConfirmed == "0" || !IsDataFolderValid(settings_.KelDir);
}

// What the display showed goes, and with it the numbers it showed.
void ViewerSession::ClearDisplay() {
    display_.Clear();
    race_.snapshot = RaceSnapshot{};
    trioShown_.reset();
}

void ViewerSession::ClickVenue(int slot) {
    ClearDisplay();
    selection_.SelectedMeeting = slot;
    selection_.SelectedVenue = meetings_.slot.at(slot).Venue;
    OpenMeeting();
}

void ViewerSession::ClickRace(int race) {
    ClearDisplay();
    selection_.SelectedRace = race;
    checkedRace_ = race;  // the user's click has checked the button already
    ShowRace();
}

void ViewerSession::ChooseMeetingAndRace(int slot, int race) {
    selection_.SelectedRace = race;
    ClickVenue(slot);
}

void ViewerSession::Update() {
    settings_ = ReadSettings(programDir_);
    DiscoverMeetings(settings_.KelDir, meetings_);
    ClearDisplay();
    OpenMeeting();
}

void ViewerSession::OpenMeeting() {
    if (!DiscoverRaces(settings_.KelDir, meetings_, selection_)) {
        return;
    }
    const RaceFiles files = SelectedRaceFiles(settings_.KelDir, meetings_, selection_);
    ShowRaceHeader(files, display_.header);
    MarkSelection();
    Refresh(files);
    raceControlsShown_ = true;
    trioPanelVisible_ = false;
}

void ViewerSession::ShowRace() {
    const RaceFiles files = SelectedRaceFiles(settings_.KelDir, meetings_, selection_);
    ShowRaceHeader(files, display_.header);
    Refresh(files);
    MarkSelection();
}

void ViewerSession::Refresh(const RaceFiles& files) {
    stamps_ = StampRaceFiles(files);
    liveRetrying_ = false;
    refreshSettled_ = false;
    RefreshRace(files, settings_, race_, display_, programDir_);
    refreshSettled_ = StampRaceFiles(files) == stamps_;
    ++refreshCount_;
}

void ViewerSession::MarkSelection() {
    checkedRace_ = selection_.SelectedRace;
    const bool panelWasOpen = trioView_ == TrioView::Box || trioView_ == TrioView::Wheel;
    trioView_ = IsPopularityOrder(settings_.sort.Ysort) ? TrioView::Popular : TrioView::Number;
    if (panelWasOpen) {
        // Checking the trio list's order button closes the panel and shows the list again.
        CloseTrioPanel();
        display_.oddsLines[OrderList::Trio] =
            LoadOddsMemo(programDir_, OrderList::Trio, settings_.sort.Ysort);
    }
    trioPanelVisible_ = false;
}

const std::string& ViewerSession::OrderFlag(OrderList list) const {
    return settings_.sort.Of(list);
}

void ViewerSession::ClickOrder(OrderList list, bool popular) {
    std::string& flag = settings_.sort.Of(list);
    flag = popular ? "True" : "false";
    if (list == OrderList::Grid) {
        display_.grid = LoadRaceCardGrid(programDir_, flag, &display_.gridHorse);
        return;
    }
    if (list == OrderList::Trio) {
        trioView_ = popular ? TrioView::Popular : TrioView::Number;
        CloseTrioPanel();
    }
    auto& lines = display_.oddsLines[list];
    lines.clear();
    lines = LoadOddsMemo(programDir_, list, flag);
}

void ViewerSession::CloseTrioPanel() {
    trio_.Close();
    display_.oddsLines[OrderList::Trio].clear();
    trioShown_.reset();
    trioPanelVisible_ = false;
}

void ViewerSession::LoadTrioExtraction() {
    auto& lines = display_.oddsLines[OrderList::Trio];
    lines.clear();
    trioShown_.reset();
    lines = trio_.LoadList(programDir_, settings_.sort.YBWsort);
    const std::string& flag = settings_.sort.YBWsort;
    if (trio_.HasExtraction() && (IsPopularityOrder(flag) || IsNumberOrder(flag))) {
        trioShown_ = trio_;
    }
}

void ViewerSession::ClickTrioMode(BoxWheelMode mode) {
    const TrioView view = mode == BoxWheelMode::Box ? TrioView::Box : TrioView::Wheel;
    if (trioView_ == view) {
        return;  // the button that is already checked changes nothing
    }
    trioView_ = view;
    if (selection_.SelectedRace == 0 || !selection_.RaceHasFile(kTrio)) {
        return;
    }
    for (int n = 1; n <= kHorses; ++n) {
        selectableHorse_[n] = race_.table.cell(n, kHorseNo) != "  ";
    }
    trio_.Open(mode);
    display_.oddsLines[OrderList::Trio].clear();
    trioShown_.reset();
    trioPanelVisible_ = true;
}

ExtractResult ViewerSession::ClickTrioHorse(int horse) {
    const ExtractResult result = trio_.Click(horse, programDir_);
    if (result == ExtractResult::ListsWritten) {
        LoadTrioExtraction();
    }
    return result;
}

void ViewerSession::ClickTrioClear() {
    trio_.Clear();
    display_.oddsLines[OrderList::Trio].clear();
    trioShown_.reset();
}

void ViewerSession::SetTrioOrder(bool popular) {
    settings_.sort.YBWsort = popular ? "True" : "false";
}

void ViewerSession::ClickTrioOrder(bool popular) {
    SetTrioOrder(popular);
    LoadTrioExtraction();
}

std::optional<TrioPoints> ViewerSession::TrioSetPoints() const {
    // A refresh that lost the trio odds leaves no set to price.
    if (!trioShown_ || !snapshot()[BetKind::Trio].present) {
        return std::nullopt;
    }
    return CountTrioPoints(TrioSetEntries(snapshot()[BetKind::Trio], *trioShown_));
}

bool ViewerSession::RaceDisplayed() const {
    return selection_.SelectedRace != 0 && raceControlsShown_;
}

void ViewerSession::ExportCsv(const std::filesystem::path& dir) const {
    if (!RaceDisplayed()) {
        throw DataError(std::string(lit::kNoRaceToExport));
    }
    WriteRaceCsv(dir, snapshot(), Value(), race_.table, settings_.MinusSign);
}

bool ViewerSession::SelectableHorse(int horse) const {
    return selectableHorse_.at(horse);
}

}  // namespace orvikel
