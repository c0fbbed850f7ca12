// 理論オッズ: the window over hand-made lines (tabs, sorting by numbers, the two filters, the
// 乖離 colours, the limits handed back), and in the main window (Ctrl+T, following the race,
// the 妙味 tint of the odds lists that leaves their text alone).
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>

#include "demo_fixture.hpp"
#include "value/value_table_model.hpp"
#include "value/value_window.hpp"
#include "widgets/fixed_pitch_memo.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

ValueLine Line(std::array<int, 3> horses, std::int64_t odds, int rank, std::int64_t theoretical,
               std::int64_t gap) {
    return ValueLine{.entry = OddsEntry{.horses = horses, .odds = odds, .rank = rank},
                     .figures = ValueFigures{.theoretical = theoretical, .gap = gap}};
}

QStringList Column(const QTableView* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        texts.append(table->model()->index(row, column).data().toString());
    }
    return texts;
}

ValueWindow* OpenWindow(const Viewer& viewer) {
    return viewer.window->findChild<ValueWindow*>();
}

}  // namespace

class ValueWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void listsEachKindSortsByItsNumbersAndFilters() {
        ValueWindow window(nullptr);
        ValueShown shown;
        // 馬連 (the third kind): three lines, 2-10 with the largest gap
        shown.lines[2] = {Line({1, 2, 0}, 95, 2, 80, 118), Line({1, 10, 0}, 1234, 9, 1500, 82),
                          Line({2, 10, 0}, 305, 5, 200, 152)};
        shown.lines[4] = {Line({10, 2, 0}, 90, 1, 100, 90)};  // 馬単 in finishing order
        window.Show(shown, QStringLiteral("第11R"));
        window.show();

        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("ValueTabs"));
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i) {
            titles.append(tabs->tabText(i));
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("複勝"), QStringLiteral("枠連"),
                                      QStringLiteral("馬連"), QStringLiteral("ワイド"),
                                      QStringLiteral("馬単"), QStringLiteral("３連複")}));
        auto* quinella = window.findChild<QTableView*>(QStringLiteral("ValueTableQuinella"));
        QCOMPARE(
            Column(quinella, ValueTableModel::Combination),
            (QStringList{QStringLiteral("1-2"), QStringLiteral("1-10"), QStringLiteral("2-10")}));
        QCOMPARE(Column(window.findChild<QTableView*>(QStringLiteral("ValueTableExacta")), 0),
                 QStringList{QStringLiteral("10→2")});

        // by the numbers, not the texts: 123.4 after 30.5 and 9.5
        quinella->sortByColumn(ValueTableModel::Odds, Qt::AscendingOrder);
        QCOMPARE(
            Column(quinella, ValueTableModel::Odds),
            (QStringList{QStringLiteral("9.5"), QStringLiteral("30.5"), QStringLiteral("123.4")}));
        quinella->sortByColumn(ValueTableModel::Gap, Qt::DescendingOrder);
        QCOMPARE(
            Column(quinella, ValueTableModel::Gap),
            (QStringList{QStringLiteral("1.52"), QStringLiteral("1.18"), QStringLiteral("0.82")}));

        // 乖離 ≥ 1.20 green, ≤ 0.80 grey; the others plain
        const auto gapCell = [&](int row, int role) {
            return quinella->model()->index(row, ValueTableModel::Gap).data(role);
        };
        QCOMPARE(gapCell(0, Qt::BackgroundRole).value<QColor>(), ValueTableModel::HighColour());
        QVERIFY(!gapCell(1, Qt::BackgroundRole).isValid());
        QVERIFY(!gapCell(2, Qt::ForegroundRole).isValid());  // 0.82 is above 0.80

        // the filters: 乖離 ≥ 1.00 and then also オッズ ≤ 20.0
        tabs->setCurrentIndex(2);
        window.findChild<QDoubleSpinBox*>(QStringLiteral("FilterGap"))->setValue(1.0);
        QCOMPARE(quinella->model()->rowCount(), 2);
        window.findChild<QDoubleSpinBox*>(QStringLiteral("FilterOdds"))->setValue(20.0);
        QCOMPARE(Column(quinella, ValueTableModel::Combination),
                 QStringList{QStringLiteral("1-2")});
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("ValueCount"))->text(),
                 QStringLiteral("1 / 3 点"));

        // a new race keeps the filters and the sort; a lower grey limit greys 0.82
        shown.settings.low = 85;
        window.findChild<QDoubleSpinBox*>(QStringLiteral("FilterGap"))->setValue(0);
        window.findChild<QDoubleSpinBox*>(QStringLiteral("FilterOdds"))->setValue(0);
        window.Show(shown, QStringLiteral("第11R"));
        QCOMPARE(gapCell(2, Qt::ForegroundRole).value<QColor>(), ValueTableModel::LowColour());
    }

    void limitsAreHandedBackOnlyWhenTheUserChangesThem() {
        ValueWindow window(nullptr);
        QSignalSpy spy(&window, &ValueWindow::LimitsChanged);
        ValueShown shown;
        shown.settings = ValueSettings{.discount = 90, .high = 130, .low = 70};
        window.Show(shown, QString());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(window.findChild<QDoubleSpinBox*>(QStringLiteral("SpinDiscount"))->value(), 0.9);
        window.findChild<QDoubleSpinBox*>(QStringLiteral("SpinHigh"))->setValue(1.25);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0], (QVariantList{90, 125, 70}));
    }

    void followsTheRaceAndTintsTheValueLinesOfTheOddsLists() {
        DemoFolder demo;
        Viewer viewer(demo.text());
        viewer.Click(QStringLiteral("RBkaisai1"));
        viewer.Click(RaceButton(11));
        QTest::keyClick(viewer.window.get(), Qt::Key_T, Qt::ControlModifier);
        QTRY_VERIFY(OpenWindow(viewer) != nullptr && OpenWindow(viewer)->isVisible());
        const ValueBoard board = viewer.window->session().Value();
        const auto rows = [&] {
            return OpenWindow(viewer)
                ->findChild<QTableView*>(QStringLiteral("ValueTableTrio"))
                ->model()
                ->rowCount();
        };
        QCOMPARE(static_cast<std::size_t>(rows()),
                 ValueLines(viewer.window->session().snapshot(), board, BetKind::Trio).size());
        QVERIFY(rows() > 0);
        const int raceEleven = rows();
        // race 1 of the demo has combinations above the green limit in every list
        viewer.Click(RaceButton(1));
        QCOMPARE(static_cast<std::size_t>(rows()),
                 ValueLines(viewer.window->session().snapshot(), viewer.window->session().Value(),
                            BetKind::Trio)
                     .size());
        QVERIFY(rows() != raceEleven);

        // 妙味: lines tinted, texts untouched, the box kept in the settings file
        std::array<QString, 6> before;
        for (int n = 1; n <= 5; ++n) {
            before[static_cast<std::size_t>(n)] =
                viewer.Get<FixedPitchMemo>(QStringLiteral("MemoOdds%1").arg(n))->toPlainText();
        }
        QVERIFY(!viewer.Checked(QStringLiteral("CBValueMarks")));
        viewer.Click(QStringLiteral("CBValueMarks"));
        QVERIFY(viewer.Checked(QStringLiteral("CBValueMarks")));
        const auto marked = viewer.window->session().ValueMarkedLines();
        int tinted = 0;
        for (int n = 1; n <= 5; ++n) {
            auto* memo = viewer.Get<FixedPitchMemo>(QStringLiteral("MemoOdds%1").arg(n));
            QCOMPARE(memo->toPlainText(), before[static_cast<std::size_t>(n)]);
            const auto& lines = marked[static_cast<OrderList>(n)];
            const auto count = std::count(lines.begin(), lines.end(), true);
            QCOMPARE(memo->extraSelections().size(), count);
            for (const auto& selection : memo->extraSelections()) {
                QVERIFY(lines[static_cast<std::size_t>(selection.cursor.blockNumber())]);
            }
            tinted += static_cast<int>(count);
        }
        QVERIFY(tinted > 0);
        QVERIFY(WorkText(viewer.dir(), "OrviKV.ini").contains(QStringLiteral("ValueMarks=True")));
        viewer.Click(QStringLiteral("CBValueMarks"));
        for (int n = 1; n <= 5; ++n) {
            QVERIFY(viewer.Get<FixedPitchMemo>(QStringLiteral("MemoOdds%1").arg(n))
                        ->extraSelections()
                        .isEmpty());
        }
        QVERIFY(viewer.seams.messages.isEmpty());
    }
};

QTEST_MAIN(ValueWindowTest)
#include "value_window_test.moc"
