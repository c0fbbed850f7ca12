// Copying from the grid, the lists and the memos: Ctrl+C and the context menu コピー /
// すべてコピー, as plain text a spreadsheet or an editor takes.
#include <QAbstractScrollArea>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>

#include "demo_fixture.hpp"
#include "shell/refresh.hpp"
#include "votes/vote_window.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

const QStringList kTitles{"枠",   "馬番", "単勝[人気]", "複勝", "馬名", "馬体重",
                          "増減", "見習", "騎手名",     "重量", "記事"};

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

// Asks list for its context menu as a right click does, and returns the menu that opened.
QMenu* OpenMenu(QAbstractScrollArea* list) {
    const QPoint at(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &event);
    return list->findChild<QMenu*>(QStringLiteral("ListMenu"));
}

QAction* Entry(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

class CopyTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;
    std::unique_ptr<Viewer> viewer_;

    // The grid's cell as the loader gives it (UTF-8), padding removed.
    QString Cell(int row, int column) const {
        static const Grid grid = LoadRaceCardGrid(ToPath(viewer_->dir()), "false");
        return QString::fromStdString(
                   grid[static_cast<std::size_t>(row + 1)][static_cast<std::size_t>(column)])
            .trimmed();
    }

  private Q_SLOTS:
    void initTestCase() {
        demo_ = std::make_unique<DemoFolder>();
        viewer_ = std::make_unique<Viewer>(demo_->text());
        const int slot = demo_->Slots().front();
        viewer_->Click(QStringLiteral("RBkaisai%1").arg(slot));
        for (int r = 1; r <= kRaces; ++r) {
            if (demo_->Has(slot, r, kRaceCard) && demo_->Has(slot, r, kQuinella) &&
                demo_->Has(slot, r, kResults)) {
                viewer_->Click(RaceButton(r));
                break;
            }
        }
        QVERIFY(!viewer_->Get<QTextEdit>(QStringLiteral("MemoSeiseki"))->toPlainText().isEmpty());
    }
    void cleanupTestCase() { viewer_.reset(); }

    void gridCopiesTheSelectedRangeUnderItsTitles_data() {
        QTest::addColumn<QRect>("range");  // columns x..right, rows y..bottom (0-based)
        QTest::newRow("one cell") << QRect(QPoint(4, 0), QPoint(4, 0));
        QTest::newRow("block") << QRect(QPoint(1, 0), QPoint(4, 2));
        QTest::newRow("last row to 記事") << QRect(QPoint(8, 17), QPoint(10, 17));
    }
    void gridCopiesTheSelectedRangeUnderItsTitles() {
        QFETCH(QRect, range);
        auto* grid = viewer_->Get<QTableWidget>(QStringLiteral("DEGrid"));
        grid->clearSelection();
        grid->setRangeSelected(
            QTableWidgetSelectionRange(range.top(), range.left(), range.bottom(), range.right()),
            true);
        QString expected = kTitles.mid(range.left(), range.width()).join(QLatin1Char('\t')) + "\n";
        for (int r = range.top(); r <= range.bottom(); ++r) {
            QStringList cells;
            for (int c = range.left(); c <= range.right(); ++c) {
                cells.append(Cell(r, c));
            }
            expected += cells.join(QLatin1Char('\t')) + "\n";
        }
        QGuiApplication::clipboard()->clear();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), expected);
        // Padding blanks, half- or full-width, never reach the clipboard.
        for (const QString& field :
             Clipboard().split(QRegularExpression(QStringLiteral("[\t\n]")))) {
            QVERIFY2(field == field.trimmed(), qPrintable(field));
        }

        QGuiApplication::clipboard()->clear();
        QMenu* menu = OpenMenu(grid);
        QVERIFY(menu != nullptr);
        Entry(menu, QStringLiteral("コピー"))->trigger();
        menu->close();
        QCOMPARE(Clipboard(), expected);
    }

    // Each list's menu offers the two entries; すべてコピー takes the whole list.
    void everyListOffersCopyAndCopyAll_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"DEGrid", "MemoOdds1", "MemoOdds2", "MemoOdds3", "MemoOdds4",
                                 "MemoOdds5", "MemoSeiseki"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void everyListOffersCopyAndCopyAll() {
        QFETCH(QString, name);
        auto* list = viewer_->Get<QAbstractScrollArea>(name);
        if (auto* grid = qobject_cast<QTableWidget*>(list)) {
            grid->clearSelection();
        }
        QMenu* menu = OpenMenu(list);
        QVERIFY(menu != nullptr);
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            entries.append(action->text());
        }
        // the grid and the five lists also save the race's lists, after a separator
        QStringList expected{QStringLiteral("コピー"), QStringLiteral("すべてコピー")};
        if (name != QStringLiteral("MemoSeiseki")) {
            expected += QStringList{QString(), QStringLiteral("CSVで保存...")};
        }
        QCOMPARE(entries, expected);
        // Nothing is selected yet.
        QVERIFY(!Entry(menu, QStringLiteral("コピー"))->isEnabled());
        Entry(menu, QStringLiteral("すべてコピー"))->trigger();
        menu->close();
        if (auto* memo = qobject_cast<QTextEdit*>(list)) {
            QVERIFY(!memo->toPlainText().isEmpty());
            QCOMPARE(Clipboard(), memo->toPlainText());
        } else {
            const QStringList lines = Clipboard().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 19);
            QCOMPARE(lines.constFirst(), kTitles.join(QLatin1Char('\t')));
            QCOMPARE(lines.at(18).split(QLatin1Char('\t')).at(4), Cell(17, 4));
        }
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void aMemoCopiesItsSelectedLines() {
        auto* memo = viewer_->Get<QTextEdit>(QStringLiteral("MemoOdds2"));
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= 4);
        QTextCursor cursor(memo->document()->findBlockByNumber(1));
        cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
        memo->setTextCursor(cursor);
        const QString expected = lines.mid(1, 2).join(QLatin1Char('\n')) + QLatin1Char('\n');
        QGuiApplication::clipboard()->clear();
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), expected);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());

        QGuiApplication::clipboard()->clear();
        QMenu* menu = OpenMenu(memo);
        QVERIFY(Entry(menu, QStringLiteral("コピー"))->isEnabled());
        Entry(menu, QStringLiteral("コピー"))->trigger();
        menu->close();
        QCOMPARE(Clipboard(), expected);
        memo->setTextCursor(QTextCursor(memo->document()));
    }

    void theVoteCountsCopyToo() {
        viewer_->Click(QStringLiteral("ButtonHyou"));
        QTRY_VERIFY(viewer_->window->findChild<VoteCountWindow*>() != nullptr);
        auto* form = viewer_->window->findChild<VoteCountWindow*>();
        auto* memo = Find<QTextEdit>(form, QStringLiteral("Memo1"));
        QMenu* menu = OpenMenu(memo);
        QVERIFY(menu != nullptr);
        Entry(menu, QStringLiteral("すべてコピー"))->trigger();
        menu->close();
        QCOMPARE(Clipboard(), WorkText(viewer_->dir(), "QvHyou.dat"));
        form->close();
        QTRY_VERIFY(viewer_->window->findChild<VoteCountWindow*>() == nullptr);
    }
};

QTEST_MAIN(CopyTest)
#include "copy_test.moc"
