// The odds history in the window: the race card marks the horses whose win odds moved since
// the previous snapshot (colour and tooltip, the text unchanged), オッズ推移 follows the race on
// screen, and a history that cannot be opened is said once and changes nothing else.
#include <QChartView>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

#include "demo_fixture.hpp"
#include "history/odds_history_model.hpp"
#include "history/odds_history_window.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

struct Cell {
    QString text;
    QColor colour;
    QString tip;
};

// The 単勝 cell of each grid row.
std::vector<Cell> WinCells(const Viewer& viewer) {
    std::vector<Cell> cells;
    auto* grid = viewer.Get<QTableWidget>(QStringLiteral("DEGrid"));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QTableWidgetItem* item = grid->item(row, 2);
        const QVariant background = item->data(Qt::BackgroundRole);
        cells.push_back({item->text(),
                         background.isValid() ? background.value<QBrush>().color() : QColor(),
                         item->toolTip()});
    }
    return cells;
}

// The odds of a 単勝 cell ("  12.3[ 4]"), or 0 when it shows none.
double Odds(const QString& cell) {
    return cell.section(QLatin1Char('['), 0, 0).trimmed().toDouble();
}

// The horse number of each grid row (full-width digits in the 馬番 column).
std::vector<int> Horses(const Viewer& viewer) {
    std::vector<int> horses;
    auto* grid = viewer.Get<QTableWidget>(QStringLiteral("DEGrid"));
    for (int row = 0; row < grid->rowCount(); ++row) {
        QString digits;
        for (QChar c : grid->item(row, 1)->text()) {
            digits += c.isDigit() ? QString::number(c.digitValue()) : QString();
        }
        horses.push_back(digits.toInt());
    }
    return horses;
}

OddsHistoryWindow* HistoryWindow(const Viewer& viewer) {
    return viewer.window->findChild<OddsHistoryWindow*>();
}

int HistoryColumns(const Viewer& viewer) {
    return HistoryWindow(viewer)
        ->findChild<QTableView*>(QStringLiteral("OddsTable"))
        ->model()
        ->columnCount();
}

}  // namespace

class OddsMarksTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;
    std::unique_ptr<Viewer> viewer_;

    void ShowMainRace(Viewer& viewer) {
        viewer.Click(QStringLiteral("RBkaisai1"));
        viewer.Click(RaceButton(11));  // on sale all afternoon
    }

  private Q_SLOTS:
    void init() {
        demo_ = std::make_unique<DemoFolder>();
        viewer_ = std::make_unique<Viewer>(demo_->text());
        ShowMainRace(*viewer_);
    }
    void cleanup() {
        viewer_.reset();
        demo_.reset();
    }

    // The first snapshot has nothing to compare with; after the client's next odds each moved
    // horse is coloured by its direction with the odds before in its tooltip, in either order
    // of the grid, and the texts stay those of the work file.
    void marksTheHorsesWhoseWinOddsMovedSinceThePreviousSnapshot() {
        for (const Cell& cell : WinCells(*viewer_)) {
            QVERIFY(!cell.colour.isValid());
        }
        std::map<int, QString> before;
        const std::vector<Cell> first = WinCells(*viewer_);
        const std::vector<int> firstHorses = Horses(*viewer_);
        for (std::size_t row = 0; row < first.size(); ++row) {
            before[firstHorses[row]] = first[row].text;
        }

        demo_->Later(10);
        viewer_->Click(QStringLiteral("UpDate"));
        viewer_->Click(QStringLiteral("RBSortT"));  // marks follow their horse into this order
        const std::vector<Cell> cells = WinCells(*viewer_);
        const std::vector<int> horses = Horses(*viewer_);
        const Grid grid = LoadRaceCardGrid(ToPath(viewer_->dir()), "True");
        int marked = 0;
        for (std::size_t row = 0; row < cells.size(); ++row) {
            const Cell& cell = cells[row];
            QCOMPARE(cell.text, U(grid[static_cast<int>(row) + 1][2]));
            const double was = Odds(before[horses[row]]);
            const double now = Odds(cell.text);
            if (was < 1.0 || now < 1.0 || was == now) {
                QVERIFY2(!cell.colour.isValid(), qPrintable(cell.text));
                continue;
            }
            ++marked;
            QCOMPARE(cell.colour,
                     now < was ? OddsHistoryModel::FellColour() : OddsHistoryModel::RoseColour());
            QVERIFY2(cell.tip.contains(QString::number(was, 'f', 1)), qPrintable(cell.tip));
        }
        QVERIFY(marked > 0);
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void theHistoryWindowOpensByKeyAndFollowsTheRaceOnScreen() {
        demo_->Later(5);
        viewer_->Click(QStringLiteral("UpDate"));
        QTest::keyClick(viewer_->window.get(), Qt::Key_H, Qt::ControlModifier);
        QTRY_VERIFY(HistoryWindow(*viewer_) != nullptr && HistoryWindow(*viewer_)->isVisible());
        QCOMPARE(HistoryWindow(*viewer_)->windowTitle(), QStringLiteral("オッズ推移"));
        QCOMPARE(HistoryColumns(*viewer_), 2);
        auto* chart = HistoryWindow(*viewer_)->findChild<QChartView*>(QStringLiteral("OddsChart"));
        QVERIFY(chart->chart()->series().size() >= 8);

        demo_->Later(10);
        viewer_->Click(QStringLiteral("UpDate"));
        QCOMPARE(HistoryColumns(*viewer_), 3);
        viewer_->Click(RaceButton(12));
        QCOMPARE(HistoryColumns(*viewer_), 1);
        QVERIFY(HistoryWindow(*viewer_)
                    ->findChild<QLabel*>(QStringLiteral("HistoryCaption"))
                    ->text()
                    .contains(QStringLiteral("12")));
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void aDamagedHistoryIsSaidOnceAndTheViewerGoesOnWithoutIt() {
        const QByteArray junk("this was never a database\n");
        Viewer viewer(demo_->text(), {}, {{QStringLiteral("OrviKV.db"), junk}});
        QTRY_COMPARE(viewer.seams.messages.size(), 1);
        QVERIFY(viewer.seams.messages[0].contains(QStringLiteral("OrviKV.db")));
        ShowMainRace(viewer);
        demo_->Later(10);
        viewer.Click(QStringLiteral("UpDate"));
        viewer.Click(QStringLiteral("ButtonSuii"));
        QTRY_VERIFY(HistoryWindow(viewer) != nullptr);
        QCOMPARE(HistoryColumns(viewer), 0);
        QCOMPARE(viewer.seams.messages.size(), 1);
        QFile file(QDir(viewer.dir()).filePath(QStringLiteral("OrviKV.db")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), junk);
    }
};

QTEST_MAIN(OddsMarksTest)
#include "odds_marks_test.moc"
