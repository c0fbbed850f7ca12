#pragma once
// The table models of the オッズ推移 window over the figures the history library builds: one
// column per snapshot (its odds time as the title), one row per horse with its win odds and
// the moves as the cell colour, or one row per bet kind with its vote total. Views ask for
// the cells they draw, so 200 snapshots of 18 horses cost nothing to show.
#include <QAbstractTableModel>
#include <memory>

namespace orvikel::history {
struct OddsHistory;
}

namespace orvikel::gui {

class OddsHistoryModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum class Rows { WinOdds, Votes };

    OddsHistoryModel(Rows rows, QObject* parent);
    ~OddsHistoryModel() override;

    void SetFigures(const history::OddsHistory& figures);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The colours of the moves, shared with the race card's marks.
    static QColor FellColour();
    static QColor RoseColour();

  private:
    Rows rows_;
    std::unique_ptr<history::OddsHistory> figures_;
};

}  // namespace orvikel::gui
