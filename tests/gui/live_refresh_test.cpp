// 自動更新 in the window: stored in the settings file, and while it is on, the client's writes
// refresh the race on screen with the user's orders and trio ticks kept.
#include <QCheckBox>
#include <QTableWidget>
#include <QTextEdit>

#include "demo_fixture.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

const QString kAuto = QStringLiteral("CBAutoUpdate");

QString Ini(const Viewer& viewer) {
    return WorkText(viewer.dir(), "OrviKV.ini");
}

QString WinOdds(const Viewer& viewer) {
    QString column;
    auto* grid = viewer.Get<QTableWidget>(QStringLiteral("DEGrid"));
    for (int row = 0; row < grid->rowCount(); ++row) {
        column += grid->item(row, 2)->text();
    }
    return column;
}

}  // namespace

class LiveRefreshTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;
    std::unique_ptr<Viewer> viewer_;

    // Venue 1 and its first race still on sale (no results yet) with every odds file.
    void ShowRaceOnSale() {
        viewer_ = std::make_unique<Viewer>(demo_->text());
        viewer_->Click(QStringLiteral("RBkaisai1"));
        for (int r = 1; r <= kRaces; ++r) {
            if (demo_->Has(1, r, kWinPlace) && demo_->Has(1, r, kTrio) &&
                !demo_->Has(1, r, kResults)) {
                viewer_->Click(RaceButton(r));
                return;
            }
        }
        QFAIL("no race on sale in the demo folder");
    }

  private Q_SLOTS:
    void init() {
        demo_ = std::make_unique<DemoFolder>();
        ShowRaceOnSale();
    }
    void cleanup() {
        viewer_.reset();
        demo_.reset();
    }

    void followsTheClientKeepingOrdersAndTrioTicks() {
        QVERIFY(!viewer_->Checked(kAuto));
        viewer_->Click(QStringLiteral("RBSort2"));
        viewer_->Click(QStringLiteral("RBBox"));
        const std::vector<int> ticked = {3, 5, 6, 7, 8};
        for (int horse : ticked) {
            viewer_->Click(HorseBox(horse));
        }
        auto* memo5 = viewer_->Get<QTextEdit>(QStringLiteral("MemoOdds5"));
        const QString box = memo5->toPlainText();
        QVERIFY(!box.isEmpty());
        viewer_->window->activateWindow();
        QWidget* focus = QApplication::focusWidget();

        viewer_->Click(kAuto);
        QVERIFY(viewer_->Checked(kAuto));
        QVERIFY(Ini(*viewer_).contains(QStringLiteral("AutoUpdate=True")));

        const QString before = WinOdds(*viewer_);
        demo_->Later(10);
        QTRY_VERIFY_WITH_TIMEOUT(WinOdds(*viewer_) != before, 5000);

        QVERIFY(viewer_->seams.messages.isEmpty());
        QVERIFY(viewer_->Checked(QStringLiteral("RBSort2")));
        QCOMPARE(viewer_->Get<QTextEdit>(QStringLiteral("MemoOdds2"))->toPlainText(),
                 WorkText(viewer_->dir(), "QvUOSo.dat"));
        QVERIFY(viewer_->Visible(QStringLiteral("PanelBoxWheel")));
        QVERIFY(viewer_->Checked(QStringLiteral("RBBox")));
        for (int horse : ticked) {
            QVERIFY(viewer_->Checked(HorseBox(horse)));
        }
        QCOMPARE(memo5->toPlainText(), WorkText(viewer_->dir(), "QvYOBNo.dat"));
        QVERIFY(memo5->toPlainText() != box);
        QCOMPARE(QApplication::focusWidget(), focus);
    }

    void switchedOffItStaysAndTheNextStartRemembersIt() {
        viewer_->Click(kAuto);
        viewer_->Click(kAuto);
        QVERIFY(!viewer_->Checked(kAuto));
        QVERIFY(Ini(*viewer_).contains(QStringLiteral("AutoUpdate=false")));
        const QString before = WinOdds(*viewer_);
        demo_->Later(10);
        QTest::qWait(3 * 500);
        QCOMPARE(WinOdds(*viewer_), before);

        viewer_->Click(kAuto);
        const QString ini = Ini(*viewer_);
        Viewer again(demo_->text(), {QStringLiteral("AutoUpdate=True")});
        QVERIFY(again.Checked(kAuto));
        QVERIFY(ini.contains(QStringLiteral("KelDir=")));  // the other keys are still there
    }
};

QTEST_MAIN(LiveRefreshTest)
#include "live_refresh_test.moc"
