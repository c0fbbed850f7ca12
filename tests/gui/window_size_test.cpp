// A window made larger: the grid, the five lists and the results memo take the room, every
// control is back where the layout puts it at the first size, and the size is kept per user.
#include <QAbstractTextDocumentLayout>
#include <QGroupBox>
#include <QSettings>
#include <QTableWidget>
#include <QTextBlock>
#include <map>

#include "app/window_state.hpp"
#include "gui_fixture.hpp"
#include "main_window/main_window.hpp"
#include "widgets/fixed_pitch_memo.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

const QStringList kStretched{
    "PanelDE",   "PanelPAD",  "PanelODDS", "DEGrid",      "EditTokubetu", "GBOdds1",
    "GBOdds2",   "GBOdds3",   "GBOdds4",   "GBOdds5",     "MemoOdds1",    "MemoOdds2",
    "MemoOdds3", "MemoOdds4", "MemoOdds5", "MemoSeiseki", "PanelBoxWheel"};

int WholeLines(const QTextEdit* memo) {
    int whole = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        const QRectF rect = memo->document()->documentLayout()->blockBoundingRect(b);
        whole += rect.bottom() <= memo->viewport()->height() ? 1 : 0;
    }
    return whole;
}

}  // namespace

class WindowSizeTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir programDir_;
    FakeSeams seams_;
    std::unique_ptr<MainWindow> window_;

    QRect At(const QString& name) const { return Find<QWidget>(window_.get(), name)->geometry(); }
    std::map<QString, QRect> Geometries() const {
        std::map<QString, QRect> all;
        for (const QString& name : kStretched) {
            all[name] = At(name);
        }
        return all;
    }
    // Grows the client area by dx, dy from the first size.
    void Grow(int dx, int dy) {
        const QSize extra = window_->size() - window_->centralWidget()->size();
        window_->resize(MainWindow::kFirstClientSize + QSize(dx, dy) + extra);
        QTRY_COMPARE(window_->centralWidget()->size(),
                     MainWindow::kFirstClientSize + QSize(dx, dy));
    }

  private Q_SLOTS:
    void init() {
        window_ = std::make_unique<MainWindow>(ToPath(programDir_.path()), seams_);
        window_->adjustSize();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void theExtraRoomGoesToTheGridTheListsAndTheResults() {
        QCOMPARE(window_->centralWidget()->size(), MainWindow::kFirstClientSize);
        const std::map<QString, QRect> first = Geometries();
        QCOMPARE(first.at("MemoOdds1").size(), QSize(126, 216));
        QCOMPARE(first.at("PanelPAD").topLeft(), QPoint(874, 0));

        Grow(200, 160);
        QCOMPARE(At("DEGrid").width(), first.at("DEGrid").width() + 200);
        QCOMPARE(At("DEGrid").height(), first.at("DEGrid").height());
        QCOMPARE(At("PanelPAD").topLeft(), first.at("PanelPAD").topLeft() + QPoint(200, 0));
        QCOMPARE(At("PanelODDS").top(), first.at("PanelODDS").top());
        // Lists 1-3 share their extra height with the results memo; lists 4 and 5 take it all.
        for (const char* name : {"MemoOdds1", "MemoOdds2", "MemoOdds3"}) {
            QCOMPARE(At(name).height(), first.at(name).height() + 80);
        }
        for (const char* name : {"MemoOdds4", "MemoOdds5"}) {
            QCOMPARE(At(name).height(), first.at(name).height() + 160);
        }
        QCOMPARE(At("MemoSeiseki").top(), first.at("MemoSeiseki").top() + 80);
        QCOMPARE(At("MemoSeiseki").height(), first.at("MemoSeiseki").height() + 80);
        // The five lists still tile the panel side by side, the last one to its new edge.
        for (int n = 1; n <= 5; ++n) {
            const QString name = QStringLiteral("GBOdds%1").arg(n);
            QVERIFY(At(name).width() > first.at(name).width());
            if (n < 5) {
                QCOMPARE(At(QStringLiteral("GBOdds%1").arg(n + 1)).left() - At(name).right(),
                         first.at(QStringLiteral("GBOdds%1").arg(n + 1)).left() -
                             first.at(name).right());
            }
        }
        QCOMPARE(At("GBOdds5").right(), first.at("GBOdds5").right() + 200);
        QCOMPARE(At("PanelBoxWheel").right() - At("GBOdds5").width(),
                 first.at("PanelBoxWheel").right() - first.at("GBOdds5").width());
        auto* memo = Find<FixedPitchMemo>(window_.get(), QStringLiteral("MemoOdds1"));
        memo->SetLines(QString(QStringLiteral("1-1\n")).repeated(40));
        QCOMPARE(WholeLines(memo), 13 + 80 / 16);

        Grow(0, 0);
        QVERIFY(Geometries() == first);
        QCOMPARE(WholeLines(memo), 13);
    }

    void theWindowDoesNotShrinkBelowItsFirstSize() {
        window_->resize(800, 600);
        QTest::qWait(20);
        QCOMPARE(window_->centralWidget()->size(), MainWindow::kFirstClientSize);
    }

    void sizeAndPositionAreKeptBetweenRuns() {
        QTemporaryDir store;
        QSettings settings(store.filePath(QStringLiteral("state.ini")), QSettings::IniFormat);
        QVERIFY(!RestoreWindowState(*window_, settings));
        Grow(120, 40);
        window_->move(40, 30);
        QTest::qWait(20);
        const QRect shown = window_->geometry();
        SaveWindowState(*window_, settings);

        MainWindow next(ToPath(programDir_.path()), seams_);
        QVERIFY(RestoreWindowState(next, settings));
        QCOMPARE(next.geometry().size(), shown.size());
        QCOMPARE(next.geometry().topLeft(), shown.topLeft());

        settings.setValue(QStringLiteral("MainWindow/geometry"), QByteArray("not a geometry"));
        MainWindow spoiled(ToPath(programDir_.path()), seams_);
        QVERIFY(!RestoreWindowState(spoiled, settings));
    }
};

QTEST_MAIN(WindowSizeTest)
#include "window_size_test.moc"
