#include "value/value_table_model.hpp"

#include <QColor>
#include <utility>

#include "platform/bytes.hpp"

namespace orvikel::gui {

namespace {

QString Tenths(std::int64_t tenths) {
    return QString::fromStdString(TenthsText(tenths));
}

}  // namespace

ValueTableModel::ValueTableModel(BetKind kind, QObject* parent)
    : QAbstractTableModel(parent), kind_(kind) {}

QColor ValueTableModel::HighColour() {
    return QColor(170, 230, 170);
}

QColor ValueTableModel::LowColour() {
    return QColor(140, 140, 140);
}

void ValueTableModel::SetLines(std::vector<ValueLine> lines, int high, int low) {
    beginResetModel();
    lines_ = std::move(lines);
    high_ = high;
    low_ = low;
    endResetModel();
}

int ValueTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ValueTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ValueTableModel::CombinationText(const OddsEntry& entry) const {
    // the exacta names its horses in finishing order
    const QString join = kind_ == BetKind::Exacta ? QStringLiteral("→") : QStringLiteral("-");
    QStringList numbers;
    for (int h = 0; h < NumbersOf(kind_); ++h) {
        numbers.append(QString::number(entry.horses[static_cast<std::size_t>(h)]));
    }
    return numbers.join(join);
}

QVariant ValueTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ValueLine& line = lines_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<Column>(index.column());
    if (role == kNumberRole) {
        switch (column) {
            case Combination: {
                const auto& h = line.entry.horses;
                return (h[0] * 100 + h[1]) * 100 + h[2];
            }
            case Odds:
                return static_cast<qlonglong>(line.entry.odds);
            case Rank:
                // unranked lines sort after every rank
                return line.entry.rank > 0 ? line.entry.rank : 1'000'000;
            case Theoretical:
                return static_cast<qlonglong>(line.figures.theoretical);
            case Gap:
            case ColumnCount:
                break;
        }
        return static_cast<qlonglong>(line.figures.gap);
    }
    if (role == Qt::DisplayRole) {
        switch (column) {
            case Combination:
                return CombinationText(line.entry);
            case Odds:
                return Tenths(line.entry.odds);
            case Rank:
                return line.entry.rank > 0 ? QVariant(line.entry.rank) : QVariant();
            case Theoretical:
                return Tenths(line.figures.theoretical);
            case Gap:
            case ColumnCount:
                break;
        }
        return QString::fromStdString(HundredthsText(line.figures.gap));
    }
    if (role == Qt::TextAlignmentRole) {
        return column == Combination ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                     : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (column == Gap && role == Qt::BackgroundRole && line.figures.gap >= high_) {
        return HighColour();
    }
    if (column == Gap && role == Qt::ForegroundRole && line.figures.gap <= low_) {
        return LowColour();
    }
    return {};
}

QVariant ValueTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (static_cast<Column>(section)) {
        case Combination:
            return QStringLiteral("組番");
        case Odds:
            return kind_ == BetKind::Wide || kind_ == BetKind::Place
                       ? QStringLiteral("オッズ(下限)")
                       : QStringLiteral("オッズ");
        case Rank:
            return QStringLiteral("人気");
        case Theoretical:
            return QStringLiteral("理論オッズ");
        case Gap:
            return QStringLiteral("乖離");
        case ColumnCount:
            break;
    }
    return {};
}

ValueFilter::ValueFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(ValueTableModel::kNumberRole);
}

void ValueFilter::SetLimits(qint64 minGap, qint64 maxOdds) {
    if (minGap == minGap_ && maxOdds == maxOdds_) {
        return;
    }
    minGap_ = minGap;
    maxOdds_ = maxOdds;
    invalidateRowsFilter();
}

bool ValueFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const auto number = [&](int column) {
        return sourceModel()
            ->data(sourceModel()->index(row, column, parent), ValueTableModel::kNumberRole)
            .toLongLong();
    };
    if (minGap_ > 0 && number(ValueTableModel::Gap) < minGap_) {
        return false;
    }
    return maxOdds_ <= 0 || number(ValueTableModel::Odds) <= maxOdds_;
}

}  // namespace orvikel::gui
