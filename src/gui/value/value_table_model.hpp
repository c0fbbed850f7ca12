#pragma once
// The lines of one kind in the 理論オッズ window: the numbers stay in the model (sorting uses
// them), the texts are made only for display, and the 乖離 column is coloured by the limits.
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

#include "domain/bet_kind.hpp"
#include "value/value_model.hpp"

namespace orvikel::gui {

class ValueTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Combination, Odds, Rank, Theoretical, Gap, ColumnCount };
    // The number a column sorts and filters by.
    static constexpr int kNumberRole = Qt::UserRole + 1;

    ValueTableModel(BetKind kind, QObject* parent);

    // The lines and the 乖離 limits (hundredths) they are coloured by.
    void SetLines(std::vector<ValueLine> lines, int high, int low);
    static QColor HighColour();  // 乖離 at the high limit or more
    static QColor LowColour();   // 乖離 at the low limit or less (the text's colour)

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString CombinationText(const OddsEntry& entry) const;

    BetKind kind_;
    std::vector<ValueLine> lines_;
    int high_ = 120;
    int low_ = 80;
};

// The filters of the window: 乖離 at least minGap and odds at most maxOdds (0: no filter),
// and sorting by the numbers.
class ValueFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit ValueFilter(QObject* parent);
    void SetLimits(qint64 minGap, qint64 maxOdds);  // hundredths, tenths

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

  private:
    qint64 minGap_ = 0;
    qint64 maxOdds_ = 0;
};

}  // namespace orvikel::gui
