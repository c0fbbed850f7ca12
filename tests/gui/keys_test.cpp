// The viewer without the mouse: F5 re-reads, F6 switches the focused list's order, the arrow
// keys walk the venue and race buttons, Esc closes the two dialogs.
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>

#include "demo_fixture.hpp"
#include "settings/settings_window.hpp"
#include "votes/vote_window.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

class KeysTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;
    std::unique_ptr<Viewer> viewer_;
    int slot_ = 0;

    // Shows the first race of the first meeting that has every data file.
    void ShowFullRace(const QStringList& options = {}) {
        viewer_ = std::make_unique<Viewer>(demo_->text(), options);
        slot_ = demo_->Slots().front();
        viewer_->Click(QStringLiteral("RBkaisai%1").arg(slot_));
        for (int r = 1; r <= kRaces; ++r) {
            bool all = true;
            for (int kind = 1; kind <= kDataKinds; ++kind) {
                all = all && demo_->Has(slot_, r, kind);
            }
            if (all) {
                viewer_->Click(RaceButton(r));
                return;
            }
        }
        QFAIL("the demo folder has a race with every file");
    }
    QString Text(const QString& memo) const { return viewer_->Get<QTextEdit>(memo)->toPlainText(); }
    void Key(const QString& name, Qt::Key key) const {
        QWidget* widget = viewer_->Get(name);
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QTest::keyClick(widget, key);
    }

  private Q_SLOTS:
    void initTestCase() { demo_ = std::make_unique<DemoFolder>(); }
    void cleanup() { viewer_.reset(); }

    void f5ReadsTheFolderAgain() {
        ShowFullRace({QStringLiteral("Usort=True")});
        viewer_->Click(QStringLiteral("RBNor2"));
        QCOMPARE(Text(QStringLiteral("MemoOdds2")), WorkText(viewer_->dir(), "QvUONo.dat"));
        Key(QStringLiteral("MemoOdds3"), Qt::Key_F5);
        QVERIFY(viewer_->Checked(QStringLiteral("RBSort2")));
        QCOMPARE(Text(QStringLiteral("MemoOdds2")), WorkText(viewer_->dir(), "QvUOSo.dat"));
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void f6SwitchesTheOrderOfTheFocusedList_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("popular");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("popularFile");
        const auto row = [](const char* focus, const char* popular, const char* number,
                            const char* memo, const char* file) {
            QTest::newRow(focus) << QString::fromLatin1(focus) << QString::fromLatin1(popular)
                                 << QString::fromLatin1(number) << QString::fromLatin1(memo)
                                 << QString::fromLatin1(file);
        };
        row("DEGrid", "RBSortT", "RBNorT", "", "");
        row("MemoOdds1", "RBSort1", "RBNor1", "MemoOdds1", "QvZOSo.dat");
        row("MemoOdds2", "RBSort2", "RBNor2", "MemoOdds2", "QvUOSo.dat");
        row("MemoOdds3", "RBSort3", "RBNor3", "MemoOdds3", "QvKOSo.dat");
        row("MemoOdds4", "RBSort4", "RBNor4", "MemoOdds4", "QvSOSo.dat");
        row("MemoOdds5", "RBSort5", "RBNor5", "MemoOdds5", "QvYOSo.dat");
        row("RBNor2", "RBSort2", "RBNor2", "MemoOdds2", "QvUOSo.dat");
    }
    void f6SwitchesTheOrderOfTheFocusedList() {
        QFETCH(QString, focus);
        QFETCH(QString, popular);
        QFETCH(QString, number);
        QFETCH(QString, memo);
        QFETCH(QString, popularFile);
        ShowFullRace();
        QVERIFY(viewer_->Checked(number));
        Key(focus, Qt::Key_F6);
        QVERIFY(viewer_->Checked(popular));
        if (!memo.isEmpty()) {
            QCOMPARE(Text(memo), WorkText(viewer_->dir(), popularFile.toLatin1().constData()));
        }
        Key(focus, Qt::Key_F6);
        QVERIFY(viewer_->Checked(number));
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void f6InTheTrioBoxSwitchesTheExtractionOrder() {
        ShowFullRace();
        viewer_->Click(QStringLiteral("RBBox"));
        QVERIFY(viewer_->Visible(QStringLiteral("PanelBoxWheel")));
        Key(QStringLiteral("MemoOdds5"), Qt::Key_F6);
        QVERIFY(viewer_->Checked(QStringLiteral("RBBWSort")));
        QVERIFY(viewer_->Checked(QStringLiteral("RBBox")));
        QVERIFY(viewer_->Visible(QStringLiteral("PanelBoxWheel")));
    }

    void f6BeforeAnyRaceDoesNothing() {
        viewer_ = std::make_unique<Viewer>(demo_->text());
        Key(QStringLiteral("MemoOdds2"), Qt::Key_F6);
        QVERIFY(viewer_->Checked(QStringLiteral("RBNor2")));
        QVERIFY(!viewer_->Visible(QStringLiteral("RBSort2")));
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void arrowKeysWalkTheVenueAndRaceButtons() {
        const std::vector<int> present = demo_->Slots();
        QVERIFY(present.size() >= 2);
        viewer_ = std::make_unique<Viewer>(demo_->text());
        viewer_->Click(QStringLiteral("RBkaisai%1").arg(present[0]));
        const QString firstTitle = viewer_->Get<QLineEdit>(QStringLiteral("EditYMDR"))->text();
        Key(QStringLiteral("RBkaisai%1").arg(present[0]), Qt::Key_Down);
        QVERIFY(viewer_->Checked(QStringLiteral("RBkaisai%1").arg(present[1])));
        QVERIFY(viewer_->Get<QLineEdit>(QStringLiteral("EditYMDR"))->text() != firstTitle);

        int first = 0;
        int next = 0;
        for (int r = 1; r <= kRaces && next == 0; ++r) {
            if (viewer_->Visible(RaceButton(r))) {
                (first == 0 ? first : next) = r;
            }
        }
        QVERIFY(next > 0);
        viewer_->Click(RaceButton(first));
        const QString raceTitle = viewer_->Get<QLineEdit>(QStringLiteral("EditYMDR"))->text();
        Key(RaceButton(first), Qt::Key_Down);
        QVERIFY(viewer_->Checked(RaceButton(next)));
        QVERIFY(viewer_->Get<QLineEdit>(QStringLiteral("EditYMDR"))->text() != raceTitle);
        QVERIFY(viewer_->Get(RaceButton(next))->hasFocus());
        QVERIFY(viewer_->seams.messages.isEmpty());
    }

    void tabReachesTheRaceButtonsFromTheVenues() {
        viewer_ = std::make_unique<Viewer>(demo_->text());
        const int slot = demo_->Slots().front();
        viewer_->Click(QStringLiteral("RBkaisai%1").arg(slot));
        Key(QStringLiteral("RBkaisai%1").arg(slot), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QVERIFY2(focus->objectName().startsWith(QStringLiteral("RBR")),
                 qPrintable(focus->objectName()));
        QVERIFY(static_cast<QRadioButton*>(focus)->isChecked());
    }

    void escapeClosesTheVoteCountAndSettingsWindows() {
        ShowFullRace();
        viewer_->Click(QStringLiteral("ButtonHyou"));
        QTRY_VERIFY(viewer_->window->findChild<VoteCountWindow*>() != nullptr);
        auto* votes = viewer_->window->findChild<VoteCountWindow*>();
        QTRY_VERIFY(votes->isVisible());
        QTest::keyClick(votes, Qt::Key_Escape);
        QTRY_VERIFY(viewer_->window->findChild<VoteCountWindow*>() == nullptr);

        viewer_->Click(QStringLiteral("ButtonSetting"));
        QTRY_VERIFY(viewer_->window->findChild<SettingsWindow*>() != nullptr);
        auto* settings = viewer_->window->findChild<SettingsWindow*>();
        QTRY_VERIFY(settings->isVisible());
        QTest::keyClick(settings, Qt::Key_Escape);
        QTRY_VERIFY(viewer_->window->findChild<SettingsWindow*>() == nullptr);
        QCOMPARE(viewer_->seams.quitCalls, 0);
        QVERIFY(viewer_->seams.messages.isEmpty());
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
