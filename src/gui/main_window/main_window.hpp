#pragma once
// MainWindow: the viewer's main window. It computes nothing itself: every handler is one call
// of the session followed by drawing what the session then holds, inside one error boundary.
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/seams.hpp"
#include "history_store.hpp"
#include "odds_history.hpp"
#include "shell/viewer_session.hpp"
#include "widgets/stretch_layout.hpp"

class QAbstractButton;
class QShortcut;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace orvikel::gui {

class ClientWatcher;
class FixedPitchMemo;
class OddsHistoryWindow;
class ValueWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(std::filesystem::path programDir, UiSeams& seams, QWidget* parent = nullptr);
    ~MainWindow() override;

    const ViewerSession& session() const { return session_; }

    // The client area at the first size, where every control stands as laid out.
    static constexpr QSize kFirstClientSize{1001, 768};

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // main_window_layout.cpp
    void BuildLayout();
    QFrame* BuildRaceCardPanel(QWidget* parent);
    QFrame* BuildChoicePanel(QWidget* parent);
    QFrame* BuildOddsPanel(QWidget* parent);
    void BuildBoxWheelPanel(QGroupBox* trioBox);
    void BuildGrid(QWidget* parent);
    void BuildStretch(QFrame* raceCard, QFrame* choice, QFrame* odds);

    // main_window_render.cpp
    void Render();
    void RenderHeaderAndLists();
    void RenderButtons();
    void RenderTrioPanel();

    // main_window_live.cpp: following the client (自動更新)
    void BuildLiveControls(QWidget* panel);
    void ConnectLive();
    void RenderLive();
    void ClientSettled();

    // main_window_history.cpp: the odds history, the race card's marks, オッズ推移
    void BuildHistoryControls(QWidget* panel);
    void OpenHistoryStore();
    void RecordRefresh();
    void RenderMarks();
    void HistoryFailed(const history::HistoryError& error);
    void ButtonSuiiClick();
    void ShowHistoryFigures();

    // value/main_window_value.cpp: 理論オッズ and the 妙味 tint of the odds lists
    void BuildValueControls(QWidget* panel);
    void ButtonValueClick();
    void ShowValueFigures();
    void RenderValue();
    struct ValueShownKey;
    ValueShownKey ValueKey() const;

    // main_window.cpp
    void ConnectHandlers();
    void ConnectKeys();
    void ConnectCopying();
    void CopyGridSelection();
    // CSVで保存...: asks for a folder and writes the race's lists there.
    void SaveCsvFiles();
    void SwitchFocusedListOrder();
    // The one error boundary: runs a session operation, shows any error it raises, and then
    // draws whatever state the session holds. Another program writing in the program folder
    // is no error to show: the status line says so, and Run returns false.
    bool Run(const std::function<void()>& action);
    // Run for an action that may simply be made again (it captures nothing by reference):
    // stopped by another writer, it is tried again from a timer until it goes through or
    // another such action takes its place. The GUI thread never waits for the other writer.
    void RunOrRetry(std::function<void()> action);
    void RunStartupCheck();
    void OpenSettingsWindow();
    void OpenVoteCountWindow();
    void TickHorse(int horse);

    ViewerSession session_;
    UiSeams& seams_;
    bool activated_ = false;
    StretchLayout stretch_{kFirstClientSize};

    // PanelDE
    QLineEdit* editYMDR_ = nullptr;
    QLineEdit* editTokubetu_ = nullptr;
    QLineEdit* editJikoku_ = nullptr;
    QLineEdit* editJyouken_ = nullptr;
    QLineEdit* editCourse_ = nullptr;
    QLineEdit* editKyori_ = nullptr;
    QLineEdit* editTousuu_ = nullptr;
    QRadioButton* rbSortT_ = nullptr;
    QRadioButton* rbNorT_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QCheckBox* cbAutoUpdate_ = nullptr;  // 自動更新
    ClientWatcher* watcher_ = nullptr;
    QPushButton* buttonSuii_ = nullptr;  // オッズ推移
    OddsHistoryWindow* historyWindow_ = nullptr;
    std::unique_ptr<history::HistoryStore> history_;  // none: the viewer runs without history
    QString historyMessage_;  // why the history did not open, said once the window is up
    int recordedRefresh_ = 0;
    history::WinMarks marks_{};
    QCheckBox* cbValueMarks_ = nullptr;   // 妙味
    QPushButton* buttonValue_ = nullptr;  // 理論オッズ
    ValueWindow* valueWindow_ = nullptr;
    // What the 理論オッズ window shows: redrawn when it changes, not at every click.
    struct ValueShownKey {
        int refresh = -1;
        bool displayed = false;
        int meeting = 0;
        int race = 0;
        ValueSettings settings;
        friend bool operator==(const ValueShownKey&, const ValueShownKey&) = default;
    };
    ValueShownKey valueShown_;

    // PanelPAD
    std::array<QRadioButton*, kMeetingSlots + 1> venue_{};  // [1..6]
    std::array<QRadioButton*, kRaces + 1> race_{};          // [1..12]
    QButtonGroup* venueGroup_ = nullptr;
    QButtonGroup* raceGroup_ = nullptr;
    QGroupBox* gbR_ = nullptr;
    QPushButton* buttonSetting_ = nullptr;
    QPushButton* upDate_ = nullptr;
    QPushButton* buttonHyou_ = nullptr;
    QPushButton* buttonEnd_ = nullptr;

    // PanelODDS, lists 1..5; [0] unused
    std::array<QGroupBox*, 6> gbOdds_{};
    std::array<FixedPitchMemo*, 6> memo_{};
    std::array<QRadioButton*, 6> rbSort_{};
    std::array<QRadioButton*, 6> rbNor_{};
    FixedPitchMemo* memoSeiseki_ = nullptr;
    QRadioButton* rbBox_ = nullptr;
    QRadioButton* rbWheel_ = nullptr;

    // PanelBoxWheel
    QFrame* panelBoxWheel_ = nullptr;
    std::array<QCheckBox*, kHorses + 1> cb_{};  // [1..18]
    QRadioButton* rbBWSort_ = nullptr;
    QRadioButton* rbBWNor_ = nullptr;
    QPushButton* buttonBWclear_ = nullptr;

    // The status line under the lists.
    QLabel* voteTotals_ = nullptr;
    // The set's points and combined odds under the trio panel's notes.
    QLabel* labelTrioPoints_ = nullptr;

    QString csvFolder_;  // where the last CSV files went, where the chooser opens next

    // The action another writer stopped, tried again from retry_.
    QTimer* retry_ = nullptr;
    std::function<void()> retryAction_;
};

}  // namespace orvikel::gui
