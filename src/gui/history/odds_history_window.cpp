#include "history/odds_history_window.hpp"

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
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "history/odds_history_model.hpp"
#include "odds_history.hpp"
#include "platform/encoding.hpp"
#include "widgets/fonts.hpp"

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

// A chart of the given lines over the time axis and the value axis, built whole before it
// goes into its view: each series added to a chart on screen would lay it out again. The
// view does not delete the chart it gives up.
void SetChart(QChartView* view, const QString& title, const QList<QLineSeries*>& lines,
              QAbstractAxis* time, QAbstractAxis* values) {
    auto* chart = new QChart();
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QLineSeries* line : lines) {
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(values);
    }
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QDateTimeAxis* TimeAxis(const std::vector<int>& minutes) {
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
    return axis;
}

QTableView* MakeTable(QWidget* parent, const char* name, OddsHistoryModel* model) {
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFont(FixedFont(13));
    table->verticalHeader()->setDefaultSectionSize(18);
    table->horizontalHeader()->setDefaultSectionSize(52);
    return table;
}

}  // namespace

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
    oddsModel_ = new OddsHistoryModel(OddsHistoryModel::Rows::WinOdds, this);
    oddsTable_ = MakeTable(odds, "OddsTable", oddsModel_);
    odds->addWidget(oddsChart_);
    odds->addWidget(oddsTable_);
    odds->setStretchFactor(0, 3);
    odds->setStretchFactor(1, 2);
    tabs_->addTab(odds, QStringLiteral("単勝オッズ"));

    auto* votes = new QSplitter(Qt::Vertical, tabs_);
    votesChart_ = new QChartView(votes);
    votesChart_->setObjectName(QStringLiteral("VotesChart"));
    votesChart_->setRenderHint(QPainter::Antialiasing);
    votesModel_ = new OddsHistoryModel(OddsHistoryModel::Rows::Votes, this);
    votesTable_ = MakeTable(votes, "VotesTable", votesModel_);
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
    auto* odds = new QLogValueAxis();
    odds->setBase(10);
    odds->setLabelFormat(QStringLiteral("%g"));
    odds->setMinorTickCount(8);
    odds->setTitleText(QStringLiteral("オッズ"));
    QList<QLineSeries*> lines;

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
        lines.append(line);
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
    SetChart(oddsChart_, QStringLiteral("単勝オッズの推移 (対数目盛)"), lines,
             TimeAxis(figures.minutes), odds);

    oddsModel_->SetFigures(figures);
    if (oddsModel_->columnCount() > 0) {
        // The newest odds are the ones the bettor looks for.
        oddsTable_->scrollTo(oddsModel_->index(0, oddsModel_->columnCount() - 1));
    }
}

void OddsHistoryWindow::ShowVotes(const history::OddsHistory& figures) {
    auto* votes = new QValueAxis();
    votes->setLabelFormat(QStringLiteral("%.0f"));
    votes->setTitleText(QStringLiteral("票数"));
    QList<QLineSeries*> lines;
    double hi = 0;

    votesModel_->SetFigures(figures);
    for (std::size_t k = 0; k < kBetKindCount; ++k) {
        QList<QPointF> points;
        const auto& totals = figures.votes[k];
        for (std::size_t s = 0; s < totals.size(); ++s) {
            if (totals[s] && figures.minutes[s] >= 0) {
                points.append(QPointF(TimeX(figures.minutes[s]), static_cast<double>(*totals[s])));
                hi = std::max(hi, static_cast<double>(*totals[s]));
            }
        }
        if (points.isEmpty()) {
            continue;
        }
        auto* line = new QLineSeries();
        line->setName(Text(history::KindName(static_cast<BetKind>(k))));
        line->replace(points);
        lines.append(line);
    }
    votes->setRange(0, hi > 0 ? hi * 1.05 : 1.0);
    votes->applyNiceNumbers();
    SetChart(votesChart_, QStringLiteral("発売票数の推移"), lines, TimeAxis(figures.minutes),
             votes);
}

}  // namespace orvikel::gui
