#include "odds_history_window.hpp"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "common/encoding.hpp"
#include "fonts.hpp"
#include "odds_history.hpp"

namespace orvikel::gui {

namespace {

QString Text(std::string_view cp932) {
    return QString::fromStdString(text::ToUtf8(cp932));
}

// The odds time on the time axis: minutes of a fixed day, in local time as the axis shows it.
qreal TimeX(int minutes) {
    const QDateTime t(QDate(2000, 1, 1), QTime(minutes / 60, minutes % 60));
    return static_cast<qreal>(t.toMSecsSinceEpoch());
}

// Replaces the chart a view shows (the view does not delete the one it gave up).
QChart* FreshChart(QChartView* view) {
    auto* chart = new QChart();
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
    return chart;
}

QDateTimeAxis* TimeAxis(QChart* chart, const std::vector<int>& minutes) {
    auto* axis = new QDateTimeAxis();
    axis->setFormat(QStringLiteral("HH:mm"));
    axis->setTitleText(QStringLiteral("オッズの時刻"));
    const auto [lo, hi] = std::minmax_element(minutes.begin(), minutes.end());
    if (lo != minutes.end()) {
        // A single snapshot still gets a span of time to stand in.
        axis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(TimeX(*lo - 1))),
                       QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(TimeX(*hi + 1))));
    }
    axis->setTickCount(6);
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget* MakeTable(QWidget* parent, const char* name) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFont(FixedFont(13));
    table->verticalHeader()->setDefaultSectionSize(18);
    table->horizontalHeader()->setDefaultSectionSize(52);
    return table;
}

// The snapshot columns: the odds time of each.
void SetColumns(QTableWidget* table, const history::OddsHistory& figures) {
    table->setColumnCount(static_cast<int>(figures.times.size()));
    QStringList titles;
    for (const std::string& time : figures.times) {
        titles.append(Text(time));
    }
    table->setHorizontalHeaderLabels(titles);
}

}  // namespace

QColor OddsHistoryWindow::FellColour() {
    return QColor(255, 200, 200);  // backed: warm, as the bettor's papers mark it
}

QColor OddsHistoryWindow::RoseColour() {
    return QColor(200, 220, 255);
}

OddsHistoryWindow::OddsHistoryWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OddsHistoryWindow"));
    setWindowTitle(QStringLiteral("オッズ推移"));
    setFont(ProportionalFont(12));
    resize(860, 640);

    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("HistoryCaption"));
    layout->addWidget(caption_);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("HistoryTabs"));
    layout->addWidget(tabs_);

    auto* odds = new QSplitter(Qt::Vertical, tabs_);
    oddsChart_ = new QChartView(odds);
    oddsChart_->setObjectName(QStringLiteral("OddsChart"));
    oddsChart_->setRenderHint(QPainter::Antialiasing);
    oddsTable_ = MakeTable(odds, "OddsTable");
    odds->addWidget(oddsChart_);
    odds->addWidget(oddsTable_);
    odds->setStretchFactor(0, 3);
    odds->setStretchFactor(1, 2);
    tabs_->addTab(odds, QStringLiteral("単勝オッズ"));

    auto* votes = new QSplitter(Qt::Vertical, tabs_);
    votesChart_ = new QChartView(votes);
    votesChart_->setObjectName(QStringLiteral("VotesChart"));
    votesChart_->setRenderHint(QPainter::Antialiasing);
    votesTable_ = MakeTable(votes, "VotesTable");
    votes->addWidget(votesChart_);
    votes->addWidget(votesTable_);
    votes->setStretchFactor(0, 3);
    votes->setStretchFactor(1, 2);
    tabs_->addTab(votes, QStringLiteral("発売票数"));
}

void OddsHistoryWindow::Show(const history::OddsHistory& figures, const QString& caption) {
    caption_->setText(caption);
    ShowOdds(figures);
    ShowVotes(figures);
}

void OddsHistoryWindow::ShowOdds(const history::OddsHistory& figures) {
    QChart* chart = FreshChart(oddsChart_);
    chart->setTitle(QStringLiteral("単勝オッズの推移 (対数目盛)"));
    QDateTimeAxis* time = TimeAxis(chart, figures.minutes);
    auto* odds = new QLogValueAxis();
    odds->setBase(10);
    odds->setLabelFormat(QStringLiteral("%g"));
    odds->setMinorTickCount(8);
    odds->setTitleText(QStringLiteral("オッズ"));
    chart->addAxis(odds, Qt::AlignLeft);

    double lo = 0;
    double hi = 0;
    for (std::size_t h = 0; h < figures.horses.size(); ++h) {
        const int horse = figures.horses[h];
        QList<QPointF> points;
        for (std::size_t s = 0; s < figures.cells[h].size(); ++s) {
            const auto& tenths = figures.cells[h][s].odds.tenths;
            if (!tenths || figures.minutes[s] < 0) {
                continue;  // no price, or no place in time: the line skips it
            }
            const double value = static_cast<double>(*tenths) / 10.0;
            points.append(QPointF(TimeX(figures.minutes[s]), value));
            lo = lo == 0 ? value : std::min(lo, value);
            hi = std::max(hi, value);
        }
        if (points.isEmpty()) {
            continue;
        }
        auto* line = new QLineSeries();
        line->setName(QStringLiteral("%1番").arg(horse));
        line->replace(points);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(odds);
        // The horse number at the end of its line, where the eye looks for the latest odds.
        line->setPointLabelsFormat(QString::number(horse));
        line->setPointLabelsClipping(false);
        line->setPointConfiguration(static_cast<int>(points.size() - 1),
                                    QXYSeries::PointConfiguration::LabelVisibility, true);
    }
    if (hi > 0) {
        odds->setRange(std::max(1.0, lo * 0.9), hi * 1.1);
    } else {
        odds->setRange(1.0, 100.0);
    }

    oddsTable_->clear();
    SetColumns(oddsTable_, figures);
    oddsTable_->setRowCount(static_cast<int>(figures.horses.size()));
    QStringList rows;
    for (std::size_t h = 0; h < figures.horses.size(); ++h) {
        rows.append(QStringLiteral("%1番").arg(figures.horses[h]));
        for (std::size_t s = 0; s < figures.cells[h].size(); ++s) {
            const history::HistoryCell& cell = figures.cells[h][s];
            QTableWidgetItem* item = Cell(Text(cell.odds.text));
            if (cell.move == history::Move::Fell) {
                item->setBackground(FellColour());
                item->setToolTip(QStringLiteral("前回より下がりました"));
            } else if (cell.move == history::Move::Rose) {
                item->setBackground(RoseColour());
                item->setToolTip(QStringLiteral("前回より上がりました"));
            }
            oddsTable_->setItem(static_cast<int>(h), static_cast<int>(s), item);
        }
    }
    oddsTable_->setVerticalHeaderLabels(rows);
    if (oddsTable_->columnCount() > 0) {
        oddsTable_->scrollToItem(oddsTable_->item(0, oddsTable_->columnCount() - 1));
    }
}

void OddsHistoryWindow::ShowVotes(const history::OddsHistory& figures) {
    QChart* chart = FreshChart(votesChart_);
    chart->setTitle(QStringLiteral("発売票数の推移"));
    QDateTimeAxis* time = TimeAxis(chart, figures.minutes);
    auto* votes = new QValueAxis();
    votes->setLabelFormat(QStringLiteral("%.0f"));
    votes->setTitleText(QStringLiteral("票数"));
    chart->addAxis(votes, Qt::AlignLeft);
    double hi = 0;

    votesTable_->clear();
    SetColumns(votesTable_, figures);
    votesTable_->setRowCount(static_cast<int>(kBetKindCount));
    QStringList rows;
    for (std::size_t k = 0; k < kBetKindCount; ++k) {
        const QString name = Text(history::KindName(static_cast<BetKind>(k)));
        rows.append(name);
        QList<QPointF> points;
        const auto& totals = figures.votes[k];
        for (std::size_t s = 0; s < totals.size(); ++s) {
            const QString text = totals[s] ? QString::number(*totals[s]) : QString();
            votesTable_->setItem(static_cast<int>(k), static_cast<int>(s), Cell(text));
            if (totals[s] && figures.minutes[s] >= 0) {
                points.append(QPointF(TimeX(figures.minutes[s]), static_cast<double>(*totals[s])));
                hi = std::max(hi, static_cast<double>(*totals[s]));
            }
        }
        if (points.isEmpty()) {
            continue;
        }
        auto* line = new QLineSeries();
        line->setName(name);
        line->replace(points);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(votes);
    }
    votesTable_->setVerticalHeaderLabels(rows);
    votes->setRange(0, hi > 0 ? hi * 1.05 : 1.0);
    votes->applyNiceNumbers();
}

}  // namespace orvikel::gui
