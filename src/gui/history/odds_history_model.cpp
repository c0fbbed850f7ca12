#include "history/odds_history_model.hpp"

#include <QColor>

#include "odds_history.hpp"
#include "platform/encoding.hpp"

namespace orvikel::gui {

namespace {

QString Text(std::string_view cp932) {
    return QString::fromStdString(text::ToUtf8(cp932));
}

}  // namespace

OddsHistoryModel::OddsHistoryModel(Rows rows, QObject* parent)
    : QAbstractTableModel(parent),
      rows_(rows),
      figures_(std::make_unique<history::OddsHistory>()) {}

OddsHistoryModel::~OddsHistoryModel() = default;

QColor OddsHistoryModel::FellColour() {
    return QColor(255, 200, 200);  // backed: warm, as the bettor's papers mark it
}

QColor OddsHistoryModel::RoseColour() {
    return QColor(200, 220, 255);
}

void OddsHistoryModel::SetFigures(const history::OddsHistory& figures) {
    beginResetModel();
    *figures_ = figures;
    endResetModel();
}

int OddsHistoryModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return rows_ == Rows::WinOdds ? static_cast<int>(figures_->horses.size())
                                  : static_cast<int>(kBetKindCount);
}

int OddsHistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(figures_->times.size());
}

QVariant OddsHistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    if (rows_ == Rows::Votes) {
        const auto& total = figures_->votes[row][column];
        if (role == Qt::DisplayRole && total) {
            return QString::number(*total);
        }
        return {};
    }
    const history::HistoryCell& cell = figures_->cells[row][column];
    switch (role) {
        case Qt::DisplayRole:
            return Text(cell.odds.text);
        case Qt::BackgroundRole:
            if (cell.move == history::Move::Fell) {
                return FellColour();
            }
            if (cell.move == history::Move::Rose) {
                return RoseColour();
            }
            return {};
        case Qt::ToolTipRole:
            if (cell.move == history::Move::Fell) {
                return QStringLiteral("前回より下がりました");
            }
            if (cell.move == history::Move::Rose) {
                return QStringLiteral("前回より上がりました");
            }
            return {};
        default:
            return {};
    }
}

QVariant OddsHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) {
        return {};
    }
    const auto i = static_cast<std::size_t>(section);
    if (orientation == Qt::Horizontal) {
        return i < figures_->times.size() ? Text(figures_->times[i]) : QVariant();
    }
    if (rows_ == Rows::Votes) {
        return i < kBetKindCount ? Text(history::KindName(static_cast<BetKind>(section)))
                                 : QVariant();
    }
    return i < figures_->horses.size() ? QStringLiteral("%1番").arg(figures_->horses[i])
                                       : QVariant();
}

}  // namespace orvikel::gui
