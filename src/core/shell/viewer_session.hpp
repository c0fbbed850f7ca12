#pragma once
// The main window's behaviour without the window: the program-wide state and one operation per
// user action. The Qt window and orvikel-dump both drive this and show what it holds.
#include <filesystem>
#include <string>
#include <vector>

#include "common/lists.hpp"
#include "common/race_snapshot.hpp"
#include "settings/settings.hpp"
#include "shell/discovery.hpp"
#include "shell/refresh.hpp"
#include "trio/trio_selection.hpp"

namespace orvikel {

// The checked one of the four trio-view buttons RBSort5, RBNor5, RBBox, RBWheel (one group).
enum class TrioView { Popular, Number, Box, Wheel };

class ViewerSession {
  public:
    explicit ViewerSession(std::filesystem::path programDir);

    // FormCreate: ReadSettings, ClearDisplay, DiscoverMeetings.
    void Create();
    // The same with settings from elsewhere (orvikel-dump's --ini and --data).
    void Create(Settings settings);
    // FormActivate's check: true when the settings window must open.
    bool StartupNeedsSettings() const;

    // Venue button k (1..6) and race button r (1..12).
    void ClickVenue(int slot);
    void ClickRace(int race);
    // 更新, and what follows a closed settings window.
    void Update();
    // 人気順 (popular) / 通常 of a list: set the flag, reload that list only.
    void ClickOrder(OrderList list, bool popular);

    // Trio panel.
    void ClickTrioMode(BoxWheelMode mode);  // RBBox / RBWheel
    ExtractResult ClickTrioHorse(int horse);
    void ClickTrioClear();              // ク リ ア
    void ClickTrioOrder(bool popular);  // 人 気 順 / 通     常 of the panel
    bool TrioPanelVisible() const { return trioPanelVisible_; }
    TrioView trioView() const { return trioView_; }
    bool SelectableHorse(int horse) const;  // visibility of CB01..CB18, fixed when opened

    const std::filesystem::path& programDir() const { return programDir_; }
    const Settings& settings() const { return settings_; }
    Settings& settings() { return settings_; }
    const Meetings& meetings() const { return meetings_; }
    const Selection& selection() const { return selection_; }
    Selection& selection() { return selection_; }
    const DisplayState& display() const { return display_; }
    const RaceState& race() const { return race_; }
    // The race of the last refresh as numbers; empty (no kind present) after the display was
    // cleared and until a race is shown.
    const RaceSnapshot& snapshot() const { return race_.snapshot; }
    const TrioSelector& trio() const { return trio_; }
    // GBR and the twelve order buttons: hidden until the first race display.
    bool RaceControlsShown() const { return raceControlsShown_; }
    // The race button checked by the last MarkSelection (0: none).
    int CheckedRace() const { return checkedRace_; }
    // The order buttons of a list show its in-memory flag: "True" checks 人気順, else 通常.
    const std::string& OrderFlag(OrderList list) const;

  private:
    void ClearDisplay();
    void OpenMeeting();
    void ShowRace();
    void MarkSelection();
    void CloseTrioPanel();

    std::filesystem::path programDir_;
    Settings settings_;
    Meetings meetings_;
    Selection selection_;
    RaceState race_;
    DisplayState display_;
    TrioSelector trio_;
    OneBased<bool, kHorses> selectableHorse_{};
    bool trioPanelVisible_ = false;
    TrioView trioView_ = TrioView::Number;
    bool raceControlsShown_ = false;
    int checkedRace_ = 0;
};

}  // namespace orvikel
