// The オッズ推移 window over hand-made figures: one line and one table row per horse, the moves
// coloured, the vote totals in their own tab, and nothing to show without snapshots.
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "gui_fixture.hpp"
#include "history/odds_history_model.hpp"
#include "history/odds_history_window.hpp"
#include "odds_history.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

history::StoredSnapshot Stored(const std::string& time,
                               const std::vector<std::pair<int, std::int64_t>>& odds,
                               std::int64_t trioVotes) {
    history::StoredSnapshot s;
    s.oddsTime = time;
    KindSnapshot& win = s.snapshot[BetKind::Win];
    win.present = true;
    win.oddsTime = time;
    for (const auto& [horse, tenths] : odds) {
        OddsEntry e;
        e.horses = {horse, 0, 0};
        e.odds = tenths;
        e.state = tenths > 0 ? PriceState::Priced : PriceState::Scratched;
        win.entries.push_back(e);
    }
    s.snapshot[BetKind::Trio].votes = trioVotes;
    return s;
}

}  // namespace

class OddsHistoryWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void showsEveryHorseAsALineAndARowWithTheMovesColoured() {
        OddsHistoryWindow window(nullptr);
        window.Show(history::BuildOddsHistory({
                        Stored("15:20", {{1, 35}, {2, 120}, {3, 58}}, 1000),
                        Stored("15:22", {{1, 31}, {2, 145}, {3, 0}}, 1500),
                        Stored("15:25", {{1, 31}, {2, 130}, {3, 0}}, 2100),
                    }),
                    QStringLiteral("東京 11R"));
        QCOMPARE(Find<QLabel>(&window, QStringLiteral("HistoryCaption"))->text(),
                 QStringLiteral("東京 11R"));

        auto* chart = Find<QChartView>(&window, QStringLiteral("OddsChart"))->chart();
        QStringList names;
        for (QAbstractSeries* series : chart->series()) {
            names.append(series->name());
        }
        // Horse 3 is scratched after the first snapshot: its line has the one point it had.
        QCOMPARE(names, QStringList(
                            {QStringLiteral("1番"), QStringLiteral("2番"), QStringLiteral("3番")}));
        QCOMPARE(static_cast<QLineSeries*>(chart->series().at(0))->count(), 3);
        QCOMPARE(static_cast<QLineSeries*>(chart->series().at(2))->count(), 1);

        const QAbstractItemModel* table =
            Find<QTableView>(&window, QStringLiteral("OddsTable"))->model();
        QCOMPARE(table->columnCount(), 3);
        QCOMPARE(table->headerData(2, Qt::Horizontal).toString(), QStringLiteral("15:25"));
        QCOMPARE(table->headerData(1, Qt::Vertical).toString(), QStringLiteral("2番"));
        struct Expect {
            int row, column;
            const char* text;
            QColor colour;
        } const cells[] = {
            {0, 0, "3.5", QColor()},
            {0, 1, "3.1", OddsHistoryModel::FellColour()},
            {0, 2, "3.1", QColor()},
            {1, 1, "14.5", OddsHistoryModel::RoseColour()},
            {1, 2, "13.0", OddsHistoryModel::FellColour()},
            {2, 1, "ﾄﾘｹｼ", QColor()},
        };
        for (const Expect& e : cells) {
            const QModelIndex cell = table->index(e.row, e.column);
            QCOMPARE(cell.data().toString(), QString::fromUtf8(e.text));
            QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), e.colour);
        }

        const QAbstractItemModel* votes =
            Find<QTableView>(&window, QStringLiteral("VotesTable"))->model();
        QCOMPARE(votes->headerData(6, Qt::Vertical).toString(), QStringLiteral("３連複"));
        QCOMPARE(votes->index(6, 2).data().toString(), QStringLiteral("2100"));
        QCOMPARE(votes->index(0, 2).data().toString(), QString());  // no win total in these
        auto* votesChart = Find<QChartView>(&window, QStringLiteral("VotesChart"))->chart();
        QCOMPARE(votesChart->series().size(), 1);
    }

    // A second race replaces the first completely; a race without snapshots shows none.
    void anotherRaceReplacesTheFiguresAndNoSnapshotsShowNothing() {
        OddsHistoryWindow window(nullptr);
        window.Show(history::BuildOddsHistory({Stored("10:00", {{1, 20}, {2, 30}}, 10)}),
                    QStringLiteral("a"));
        window.Show(history::BuildOddsHistory({}), QStringLiteral("記録なし"));
        QCOMPARE(Find<QChartView>(&window, QStringLiteral("OddsChart"))->chart()->series().size(),
                 0);
        const QAbstractItemModel* table =
            Find<QTableView>(&window, QStringLiteral("OddsTable"))->model();
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(table->columnCount(), 0);
    }
};

QTEST_MAIN(OddsHistoryWindowTest)
#include "odds_history_window_test.moc"
