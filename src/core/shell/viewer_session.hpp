#pragma once
// The main window's behaviour without the window: the program-wide state and one operation per
// user action. The Qt window and orvikel-dump both drive this and show what it holds.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "domain/lists.hpp"
#include "domain/race_snapshot.hpp"
#include "settings/settings.hpp"
#include "shell/discovery.hpp"
#include "shell/live_refresh.hpp"
#include "shell/refresh.hpp"
#include "trio/trio_points.hpp"
#include "trio/trio_selection.hpp"
#include "value/value_model.hpp"

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
    // Meeting slot and race number chosen in one step (orvikel-dump): the race is set before
    // the meeting opens, so the meeting opens on it; SelectedRace is 0 after when it has none.
    void ChooseMeetingAndRace(int slot, int race);
    // 更新, and what follows a closed settings window.
    void Update();
    // 人気順 (popular) / 通常 of a list: set the flag, reload that list only.
    void ClickOrder(OrderList list, bool popular);

    // 自動更新: the data folder has been quiet after a change. When a file of the race on
    // screen changed since its last refresh, refreshes it as a race click does (its race
    // buttons and files discovered again) but keeps what the user chose: the list orders, the
    // selected meeting and race, and the trio panel with its ticks, extracted again. An
    // attempt that fails, or whose files change under it, leaves the display as it was; the
    // step says whether to try again, or to show liveError() (viewer_session_live.cpp).
    // Another writer at work in the program folder is no attempt: WriterBusy is thrown, and
    // the caller tries again later.
    LiveStep FollowClient();
    // The 自動更新 box: stores AutoUpdate alone in the settings file, then holds it.
    void ClickAutoUpdate(bool on);
    bool AutoUpdate() const { return settings_.AutoUpdate == "True"; }
    // The files of the race on screen, to be watched (none before a race is shown).
    RaceFiles ShownRaceFiles() const;
    const std::string& liveError() const { return liveError_; }
    // Counts the refreshes that completed (click, 更新 or live): a new one has a new snapshot.
    int refreshCount() const { return refreshCount_; }
    // False when a file of the race changed while the last refresh read it: what it shows may
    // mix two states of the client's files (or hold one cut short), so it is not kept in the
    // odds history.
    bool refreshSettled() const { return refreshSettled_; }

    // Trio panel.
    void ClickTrioMode(BoxWheelMode mode);  // RBBox / RBWheel
    ExtractResult ClickTrioHorse(int horse);
    void ClickTrioClear();              // ク リ ア
    void ClickTrioOrder(bool popular);  // 人 気 順 / 通     常 of the panel
    // The order the trio panel opens with, set before it opens (orvikel-dump's trio order).
    void SetTrioOrder(bool popular);
    bool TrioPanelVisible() const { return trioPanelVisible_; }
    TrioView trioView() const { return trioView_; }
    bool SelectableHorse(int horse) const;  // visibility of CB01..CB18, fixed when opened
    // Points, excluded lines and combined odds of the trio set the trio memo shows; nullopt
    // while it shows no extraction. Priced from the latest snapshot, so a refresh of the odds
    // prices the same set anew.
    std::optional<TrioPoints> TrioSetPoints() const;

    // 理論オッズ (viewer_session_value.cpp): the race of the last refresh priced against its win
    // market with the settings' discount; nothing is priced while no race is displayed.
    ValueBoard Value() const;
    // The 妙味 box: stores it (ValueMarks, with the other theoretical-odds keys as held), then
    // holds it.
    void ClickValueMarks(bool on);
    // The discount and the colour limits as the 理論オッズ window sets them (hundredths):
    // kept in their ranges, stored, then held.
    void SetValueLimits(int discount, int high, int low);
    // The lines of each odds list on screen that 妙味 tints (乖離 at the settings' high limit
    // or more); every list empty while the box is off.
    ByOddsList<std::vector<bool>> ValueMarkedLines() const;

    // True while a race is on display: its lists can be saved.
    bool RaceDisplayed() const;
    // Writes every list of the displayed race as CSV files into dir (created when missing).
    // Throws DataError when no race is displayed or a file cannot be written.
    void ExportCsv(const std::filesystem::path& dir) const;

    const std::filesystem::path& programDir() const { return programDir_; }
    const Settings& settings() const { return settings_; }
    const Meetings& meetings() const { return meetings_; }
    const Selection& selection() const { return selection_; }
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
    // RefreshRace on the race's files, stamped before and after.
    void Refresh(const RaceFiles& files);
    void MarkSelection();
    void CloseTrioPanel();
    void LoadTrioExtraction();

    std::filesystem::path programDir_;
    Settings settings_;
    Meetings meetings_;
    Selection selection_;
    RaceState race_;
    DisplayState display_;
    TrioSelector trio_;
    std::optional<TrioSelector> trioShown_;  // the selection whose extraction memo 5 shows
    OneBased<bool, kHorses> selectableHorse_{};
    bool trioPanelVisible_ = false;
    TrioView trioView_ = TrioView::Number;
    bool raceControlsShown_ = false;
    int checkedRace_ = 0;

    // Following the client.
    RaceStamps stamps_;  // the files of the race on screen when it was last refreshed
    LiveRetry liveRetry_;
    bool liveRetrying_ = false;
    std::string liveError_;
    int refreshCount_ = 0;
    bool refreshSettled_ = false;
};

}  // namespace orvikel
