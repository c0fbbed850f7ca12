#pragma once
// オッズ推移: the win odds of every horse over the race's stored snapshots, as a chart and as a
// table with the moves marked, and the vote totals of each kind over time. A window of its
// own beside the main window (not modal), redrawn whenever the race on screen is refreshed.
#include <QDialog>

class QChartView;
class QLabel;
class QTabWidget;
class QTableView;

namespace orvikel::history {
struct OddsHistory;
}

namespace orvikel::gui {

class OddsHistoryModel;

class OddsHistoryWindow : public QDialog {
    Q_OBJECT
  public:
    explicit OddsHistoryWindow(QWidget* parent);

    // Draws the figures of one race; caption names the race (or says why there is nothing).
    void Show(const history::OddsHistory& figures, const QString& caption);

  private:
    void ShowOdds(const history::OddsHistory& figures);
    void ShowVotes(const history::OddsHistory& figures);

    QLabel* caption_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QChartView* oddsChart_ = nullptr;
    QTableView* oddsTable_ = nullptr;
    OddsHistoryModel* oddsModel_ = nullptr;
    QChartView* votesChart_ = nullptr;
    QTableView* votesTable_ = nullptr;
    OddsHistoryModel* votesModel_ = nullptr;
};

}  // namespace orvikel::gui
