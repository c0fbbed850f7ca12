// The trio BOX / total-wheel panel driven through its check boxes and buttons, against the
// extraction files the session writes.
#include <QCheckBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTextEdit>

#include "demo_fixture.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

const QString kTooMany = QStringLiteral("BOX総流しパネルの、チェックの数が多すぎます！");

QString Trio(const Viewer& viewer) {
    return viewer.Get<QTextEdit>(QStringLiteral("MemoOdds5"))->toPlainText();
}

QLabel* Points(const Viewer& viewer) {
    return viewer.Get<QLabel>(QStringLiteral("LabelTrioPoints"));
}

// What the points must say of the lines the trio memo shows: the ranked lines counted, the
// others left out.
QString PointsLineOf(const QString& memo) {
    int ranked = 0;
    for (const QString& line : memo.split('\n')) {
        if (line.contains('[')) {
            ++ranked;
        }
    }
    return QStringLiteral("点数 %1").arg(ranked);
}

}  // namespace

class TrioPanelTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;
    std::unique_ptr<Viewer> viewer_;
    int slot_ = 0;
    int race_ = 0;
    std::vector<int> horses_;  // the horses with a visible box once the panel is open

    // Shows the first race with a trio file and at least 11 runners, panel closed.
    void ShowTrioRace() {
        viewer_ = std::make_unique<Viewer>(demo_->text());
        for (int slot : demo_->Slots()) {
            viewer_->Click(QStringLiteral("RBkaisai%1").arg(slot));
            for (int r = 1; r <= kRaces; ++r) {
                if (!demo_->Has(slot, r, kTrio)) {
                    continue;
                }
                viewer_->Click(RaceButton(r));
                viewer_->Click(QStringLiteral("RBBox"));
                horses_.clear();
                for (int n = 1; n <= kHorses; ++n) {
                    if (viewer_->Visible(HorseBox(n))) {
                        horses_.push_back(n);
                    }
                }
                viewer_->Click(QStringLiteral("RBNor5"));
                if (horses_.size() >= 11) {
                    slot_ = slot;
                    race_ = r;
                    return;
                }
            }
        }
    }
    void Tick(std::size_t i) const { viewer_->Click(HorseBox(horses_.at(i))); }
    bool Ticked(std::size_t i) const { return viewer_->Checked(HorseBox(horses_.at(i))); }
    QString File(const char* name) const { return WorkText(viewer_->dir(), name); }

  private Q_SLOTS:
    void init() {
        demo_ = std::make_unique<DemoFolder>();
        ShowTrioRace();
        QVERIFY2(race_ > 0, "the demo folder has a trio race with 11 runners");
        QVERIFY(viewer_->seams.messages.isEmpty());
        QVERIFY(!viewer_->Visible(QStringLiteral("PanelBoxWheel")));
    }
    void cleanup() {
        viewer_.reset();
        demo_.reset();
    }

    void boxOnARaceWithoutTrioFileDoesNothing() {
        QVERIFY(QFile::remove(
            QString::fromStdString(text::ToUtf8(demo_->FileName(slot_, race_, kTrio)))));
        viewer_->Click(QStringLiteral("UpDate"));
        const QString before = Trio(*viewer_);
        viewer_->Click(QStringLiteral("RBBox"));
        QVERIFY(viewer_->Checked(QStringLiteral("RBBox")));
        QVERIFY(!viewer_->Visible(QStringLiteral("PanelBoxWheel")));
        QCOMPARE(Trio(*viewer_), before);
    }

    void boxShowsTheTriosOfTheTickedHorsesUpToTen() {
        viewer_->Click(QStringLiteral("RBBox"));
        QVERIFY(viewer_->Visible(QStringLiteral("PanelBoxWheel")));
        QVERIFY(!viewer_->Checked(QStringLiteral("RBNor5")));
        QVERIFY(Trio(*viewer_).isEmpty());
        Tick(0);
        Tick(1);
        QVERIFY(Trio(*viewer_).isEmpty());
        Tick(2);
        QCOMPARE(Trio(*viewer_), File("QvYOBNo.dat"));
        QCOMPARE(Trio(*viewer_).split('\n').size(), 1);
        for (std::size_t i = 3; i < 10; ++i) {
            Tick(i);
            QCOMPARE(Trio(*viewer_), File("QvYOBNo.dat"));
        }
        const QString ten = Trio(*viewer_);
        Tick(10);
        QCOMPARE(viewer_->seams.messages, QStringList{kTooMany});
        QVERIFY(!Ticked(10));
        QCOMPARE(Trio(*viewer_), ten);

        viewer_->Click(QStringLiteral("ButtonBWclear"));
        for (std::size_t i = 0; i < horses_.size(); ++i) {
            QVERIFY(!Ticked(i));
        }
        QVERIFY(Trio(*viewer_).isEmpty());
        QVERIFY(viewer_->Visible(QStringLiteral("PanelBoxWheel")));
    }

    void wheelTakesOneOrTwoAxes() {
        viewer_->Click(QStringLiteral("RBWheel"));
        Tick(0);
        const QString one = Trio(*viewer_);
        QVERIFY(!one.isEmpty());
        QCOMPARE(one, File("QvYOWNo.dat"));
        Tick(1);
        QCOMPARE(Trio(*viewer_), File("QvYOWNo.dat"));
        QVERIFY(Trio(*viewer_) != one);
        Tick(2);
        QCOMPARE(viewer_->seams.messages, QStringList{kTooMany});
        QVERIFY(!Ticked(2));
        Tick(1);  // untick the second axis
        QCOMPARE(Trio(*viewer_), one);
        Tick(0);  // untick the last axis: the list stays
        QVERIFY(!Ticked(0));
        QCOMPARE(Trio(*viewer_), one);
    }

    void panelOrderButtonsSwitchTheExtraction() {
        viewer_->Click(QStringLiteral("RBBox"));
        Tick(0);
        Tick(1);
        Tick(2);
        Tick(3);
        viewer_->Click(QStringLiteral("RBBWSort"));
        QCOMPARE(Trio(*viewer_), File("QvYOBSo.dat"));
        viewer_->Click(QStringLiteral("RBBWNor"));
        QCOMPARE(Trio(*viewer_), File("QvYOBNo.dat"));
        QVERIFY(File("QvYOBSo.dat") != File("QvYOBNo.dat"));
    }

    void trioOrderButtonClosesThePanel() {
        viewer_->Click(QStringLiteral("RBBox"));
        Tick(0);
        Tick(1);
        Tick(2);
        viewer_->Click(QStringLiteral("RBSort5"));
        QVERIFY(!viewer_->Visible(QStringLiteral("PanelBoxWheel")));
        QVERIFY(!viewer_->Checked(QStringLiteral("RBBox")));
        for (std::size_t i = 0; i < 3; ++i) {
            QVERIFY(!Ticked(i));
        }
        QCOMPARE(Trio(*viewer_), File("QvYOSo.dat"));
    }

    void pointsFollowTheExtractionAndItsOrder() {
        viewer_->Click(QStringLiteral("RBBox"));
        QVERIFY(!Points(*viewer_)->isVisible());
        Tick(0);
        Tick(1);
        QVERIFY(!Points(*viewer_)->isVisible());  // nothing while there is no extraction
        for (std::size_t i = 2; i < 5; ++i) {
            Tick(i);
            QVERIFY(Points(*viewer_)->isVisible());
            const QStringList lines = Points(*viewer_)->text().split('\n');
            QCOMPARE(lines.value(0), PointsLineOf(Trio(*viewer_)));
            QVERIFY2(lines.value(1).contains(
                         QRegularExpression(QStringLiteral("^合成オッズ \\d+\\.\\d$"))),
                     qPrintable(lines.value(1)));
        }
        // the label lies under the notes, inside the panel and clear of every control
        auto* label = Points(*viewer_);
        auto* notes = viewer_->Get<QLabel>(QStringLiteral("Label5"));
        QVERIFY(label->geometry().top() >= notes->geometry().bottom());
        QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
        const QString five = Points(*viewer_)->text();
        viewer_->Click(QStringLiteral("RBBWSort"));
        QCOMPARE(Points(*viewer_)->text(), five);
        viewer_->Click(QStringLiteral("RBBWNor"));
        QCOMPARE(Points(*viewer_)->text(), five);
        viewer_->Click(QStringLiteral("ButtonBWclear"));
        QVERIFY(!Points(*viewer_)->isVisible());
        Tick(0);
        viewer_->Click(QStringLiteral("RBWheel"));
        QVERIFY(!Points(*viewer_)->isVisible());
        Tick(3);
        QCOMPARE(Points(*viewer_)->text().split('\n').value(0), PointsLineOf(Trio(*viewer_)));
        viewer_->Click(QStringLiteral("RBNor5"));
        QVERIFY(!Points(*viewer_)->isVisible());
    }

    void pointsShowWhatTheCoreCountsOfTheShownSet() {
        viewer_->Click(QStringLiteral("RBBox"));
        for (std::size_t i = 0; i < 5; ++i) {
            Tick(i);
        }
        const auto points = viewer_->window->session().TrioSetPoints();
        QVERIFY(points.has_value());
        QStringList expected;
        for (const std::string& line : TrioPointsLines(*points)) {
            expected.append(U(line));
        }
        QCOMPARE(Points(*viewer_)->text(), expected.join('\n'));
        QCOMPARE(points->points + points->excluded, 10);  // the ten trios of five horses
    }

    void anotherRaceClosesThePanel() {
        viewer_->Click(QStringLiteral("RBWheel"));
        Tick(0);
        int other = 0;
        for (int r = 1; r <= kRaces && other == 0; ++r) {
            other = r != race_ && viewer_->Visible(RaceButton(r)) ? r : 0;
        }
        QVERIFY(other > 0);
        viewer_->Click(RaceButton(other));
        QVERIFY(!viewer_->Visible(QStringLiteral("PanelBoxWheel")));
        QVERIFY(viewer_->Checked(QStringLiteral("RBNor5")));
        QCOMPARE(Trio(*viewer_), File("QvYONo.dat"));
        QVERIFY(viewer_->seams.messages.isEmpty());
    }
};

QTEST_MAIN(TrioPanelTest)
#include "trio_panel_test.moc"
