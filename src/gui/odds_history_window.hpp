#pragma once
// オッズ推移: the win odds of every horse over the race's stored snapshots, as a chart and as a
// table with the moves marked, and the vote totals of each kind over time. A window of its
// own beside the main window (not modal), redrawn whenever the race on screen is refreshed.
#include <QDialog>

class QChartView;
class QLabel;
class QTabWidget;
class QTableWidget;

namespace orvikel::history {
struct OddsHistory;
}

namespace orvikel::gui {

class OddsHistoryWindow : public QDialog {
    Q_OBJECT
  public:
    explicit OddsHistoryWindow(QWidget* parent);

    // Draws the figures of one race; caption names the race (or says why there is nothing).
    void Show(const history::OddsHistory& figures, const QString& caption);

    // The colours of the moves, shared with the race card's marks.
    static QColor FellColour();
    static QColor RoseColour();

  private:
    void ShowOdds(const history::OddsHistory& figures);
    void ShowVotes(const history::OddsHistory& figures);

    QLabel* caption_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QChartView* oddsChart_ = nullptr;
    QTableWidget* oddsTable_ = nullptr;
    QChartView* votesChart_ = nullptr;
    QTableWidget* votesTable_ = nullptr;
};

}  // namespace orvikel::gui
