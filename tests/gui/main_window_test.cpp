// The main window over a made-up data folder: start-up, choosing meetings and races, what the
// controls show against the work files, the order buttons, 更新, the vote-count window and the
// error boundary.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextEdit>

#include "app/folder_claim.hpp"
#include "demo_fixture.hpp"
#include "settings/settings_window.hpp"
#include "shell/race_header.hpp"
#include "shell/refresh.hpp"
#include "votes/vote_window.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

// The work files of memo n in popularity and number order, and the data kind it comes from.
struct MemoFiles {
    const char* popular;
    const char* number;
    int kind;
    const char* totalLabel;  // the line of "QvHyou.dat" whose total is the memo's hint
};
const MemoFiles kMemos[6] = {{"QvDESo.dat", "QvDENo.dat", kRaceCard, ""},
                             {"QvZOSo.dat", "QvZONo.dat", kWinPlace, "枠連発売票数"},
                             {"QvUOSo.dat", "QvUONo.dat", kQuinella, "馬連発売票数"},
                             {"QvKOSo.dat", "QvKONo.dat", kQuinella, "ワイド発売票数"},
                             {"QvSOSo.dat", "QvSONo.dat", kExacta, "馬単発売票数"},
                             {"QvYOSo.dat", "QvYONo.dat", kTrio, "３連複発売票数"}};

QString Memo(const Viewer& viewer, int n) {
    return viewer.Get<QTextEdit>(QStringLiteral("MemoOdds%1").arg(n))->toPlainText();
}

// The grid as the window shows it, against the loader's reading of a work file.
void CompareGrid(const Viewer& viewer, const std::string& flag) {
    const Grid expected = LoadRaceCardGrid(ToPath(viewer.dir()), flag);
    auto* grid = viewer.Get<QTableWidget>(QStringLiteral("DEGrid"));
    for (int r = 1; r <= kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            QCOMPARE(grid->item(r - 1, c)->text(),
                     QString::fromStdString(
                         expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
        }
    }
}

// The first 26 bytes (label and total) of the summary line that starts with label.
QString TotalOf(const Viewer& viewer, const char* label) {
    for (const std::string& line : ReadWorkFile(ToPath(viewer.dir()), "QvHyou.dat")) {
        if (U(line).startsWith(QString::fromUtf8(label))) {
            return U(line.substr(0, 26));
        }
    }
    return QString();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;

    // The first race of meeting slot that has every data file.
    int FullRace(int slot) const {
        for (int r = 1; r <= kRaces; ++r) {
            bool all = true;
            for (int kind = 1; kind <= kDataKinds; ++kind) {
                all = all && demo_->Has(slot, r, kind);
            }
            if (all) {
                return r;
            }
        }
        return 0;
    }

  private Q_SLOTS:
    void init() { demo_ = std::make_unique<DemoFolder>(); }
    void cleanup() { demo_.reset(); }

    void withoutSettingsTheSettingsWindowOpensAndClosingItEndsTheProgram() {
        Viewer viewer;
        QTRY_VERIFY(viewer.window->findChild<SettingsWindow*>() != nullptr);
        auto* form = viewer.window->findChild<SettingsWindow*>();
        QTRY_VERIFY(form->isVisible());
        QTRY_COMPARE(
            viewer.seams.messages,
            QStringList{QStringLiteral("KELがインストールしてあるフォルダを選択してください！")});
        QCOMPARE(viewer.seams.chooserStarts.size(), 1);
        form->close();
        QCOMPARE(viewer.seams.quitCalls, 1);
        QTRY_VERIFY(viewer.window->findChild<SettingsWindow*>() == nullptr);
        QCOMPARE(viewer.seams.messages.size(), 2);
        QCOMPARE(viewer.seams.messages.constLast(),
                 QStringLiteral("KELのフォルダが正しく設定されていません。終了します。"));
    }

    void withAValidFolderNoRaceShowsUntilAVenueIsChosen() {
        Viewer viewer(demo_->text());
        QTest::qWait(20);
        QVERIFY(viewer.window->findChild<SettingsWindow*>() == nullptr);
        QVERIFY(viewer.seams.messages.isEmpty());
        QVERIFY(!viewer.Visible(QStringLiteral("GBR")));
        QVERIFY(!viewer.Visible(QStringLiteral("ButtonHyou")));
        QCOMPARE(viewer.Get<QLineEdit>(QStringLiteral("EditYMDR"))->text(), U(TitleText()));
        const Meetings meetings = demo_->meetings();
        for (int k = 1; k <= kMeetingSlots; ++k) {
            const Meeting& meeting = meetings.slot[k];
            const QString name = QStringLiteral("RBkaisai%1").arg(k);
            QCOMPARE(viewer.Visible(name), meeting.Visible);
            if (meeting.Visible) {
                QCOMPARE(viewer.Get<QAbstractButton>(name)->text(), U(meeting.Caption));
            }
            QVERIFY(!viewer.Checked(name));
        }

        const int slot = demo_->Slots().front();
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        int lowest = 0;
        for (int r = kRaces; r >= 1; --r) {
            lowest = demo_->HasAny(slot, r) ? r : lowest;
        }
        QVERIFY(lowest > 0);
        QVERIFY(viewer.Checked(QStringLiteral("RBkaisai%1").arg(slot)));
        QVERIFY(viewer.Checked(RaceButton(lowest)));
        QVERIFY(viewer.Visible(QStringLiteral("GBR")));
        QVERIFY(viewer.Visible(QStringLiteral("ButtonHyou")));
        for (int r = 1; r <= kRaces; ++r) {
            QCOMPARE(viewer.Visible(RaceButton(r)), demo_->HasAny(slot, r));
        }
        QVERIFY(viewer.seams.messages.isEmpty());
    }

    void aRaceShowsItsHeaderGridListsCaptionsAndHints() {
        const int slot = demo_->Slots().front();
        const int race = FullRace(slot);
        QVERIFY2(race > 0, "the demo folder has a race with every file");
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(RaceButton(race));
        QVERIFY(viewer.seams.messages.isEmpty());
        QVERIFY(viewer.Checked(RaceButton(race)));

        Meetings meetings = demo_->meetings();
        Selection selection;
        selection.SelectedMeeting = slot;
        selection.SelectedVenue = meetings.slot[slot].Venue;
        selection.SelectedRace = race;
        for (int kind = 1; kind <= kDataKinds; ++kind) {
            selection.RaceFileExists[race][kind] = true;
        }
        RaceHeader header;
        ShowRaceHeader(SelectedRaceFiles(demo_->kelDir(), meetings, selection), header);
        const std::pair<const char*, const std::string*> boxes[] = {
            {"EditYMDR", &header.dateLine},   {"EditTokubetu", &header.raceName},
            {"EditJikoku", &header.postTime}, {"EditJyouken", &header.conditions},
            {"EditCourse", &header.course},   {"EditKyori", &header.distance},
            {"EditTousuu", &header.runners}};
        for (const auto& [name, text] : boxes) {
            QCOMPARE(viewer.Get<QLineEdit>(QString::fromLatin1(name))->text(), U(*text));
        }

        CompareGrid(viewer, "false");
        const QString gridHint = TotalOf(viewer, "単勝発売票数");
        QCOMPARE(
            viewer.Get(QStringLiteral("DEGrid"))->toolTip(),
            gridHint.isEmpty() ? QString() : gridHint + "\n" + TotalOf(viewer, "複勝発売票数"));

        const QRegularExpression timed(QStringLiteral("^\\S+ \\[\\d\\d:\\d\\d現在\\]$"));
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(Memo(viewer, n), WorkText(viewer.dir(), kMemos[n].number));
            const QString caption =
                viewer.Get<QGroupBox>(QStringLiteral("GBOdds%1").arg(n))->title();
            QVERIFY2(timed.match(caption).hasMatch(), qPrintable(caption));
            QCOMPARE(viewer.Get(QStringLiteral("MemoOdds%1").arg(n))->toolTip(),
                     TotalOf(viewer, kMemos[n].totalLabel));
        }
        QVERIFY(!viewer.Get<QTextEdit>(QStringLiteral("MemoSeiseki"))->toPlainText().isEmpty());
        QVERIFY(viewer.Visible(QStringLiteral("RBBox")));
        QVERIFY(viewer.Visible(QStringLiteral("RBWheel")));
    }

    // The hints' totals also stand in the status line, one after another in bet-type order.
    void voteTotalsAreReadableWithoutHovering() {
        const int slot = demo_->Slots().front();
        Viewer viewer(demo_->text());
        auto* line = viewer.Get<QLabel>(QStringLiteral("LabelVoteTotals"));
        QVERIFY(line->text().isEmpty());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(RaceButton(FullRace(slot)));
        QVERIFY(line->isVisible());
        const QRegularExpression padding(QStringLiteral("[ \u3000]+"));
        int at = -1;
        int shown = 0;
        for (const char* label : {"単勝発売票数", "複勝発売票数", "枠連発売票数", "馬連発売票数",
                                  "ワイド発売票数", "馬単発売票数", "３連複発売票数"}) {
            QString total = TotalOf(viewer, label);
            if (total.isEmpty()) {
                QVERIFY(!line->text().contains(QString::fromUtf8(label)));
                continue;
            }
            total.remove(padding);
            const int found = line->text().indexOf(total);
            QVERIFY2(found > at, qPrintable(total + QStringLiteral(" in ") + line->text()));
            at = found;
            ++shown;
        }
        QVERIFY(shown >= 5);
        // All of it, at the window's first size.
        QVERIFY2(
            line->sizeHint().width() <= line->width(),
            qPrintable(QStringLiteral("%1 > %2").arg(line->sizeHint().width()).arg(line->width())));
        QVERIFY(!viewer.Get(QStringLiteral("MemoOdds4"))->toolTip().isEmpty());
    }

    void everyOrderButtonReloadsItsListFromTheWorkFile() {
        const int slot = demo_->Slots().front();
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(RaceButton(FullRace(slot)));
        for (int n = 1; n <= 5; ++n) {
            viewer.Click(QStringLiteral("RBSort%1").arg(n));
            QCOMPARE(Memo(viewer, n), WorkText(viewer.dir(), kMemos[n].popular));
            QVERIFY(viewer.Checked(QStringLiteral("RBSort%1").arg(n)));
            viewer.Click(QStringLiteral("RBNor%1").arg(n));
            QCOMPARE(Memo(viewer, n), WorkText(viewer.dir(), kMemos[n].number));
            QVERIFY(viewer.Checked(QStringLiteral("RBNor%1").arg(n)));
        }
        QVERIFY(WorkText(viewer.dir(), kMemos[2].popular) !=
                WorkText(viewer.dir(), kMemos[2].number));
        viewer.Click(QStringLiteral("RBSortT"));
        CompareGrid(viewer, "True");
        viewer.Click(QStringLiteral("RBNorT"));
        CompareGrid(viewer, "false");
        QVERIFY(viewer.seams.messages.isEmpty());
    }

    void updateReturnsEveryListToItsStoredOrder() {
        const int slot = demo_->Slots().front();
        Viewer viewer(demo_->text(), {QStringLiteral("Usort=True")});
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(RaceButton(FullRace(slot)));
        QCOMPARE(Memo(viewer, 2), WorkText(viewer.dir(), kMemos[2].popular));
        viewer.Click(QStringLiteral("RBNor2"));
        viewer.Click(QStringLiteral("RBSort3"));
        viewer.Click(QStringLiteral("RBSortT"));
        viewer.Click(QStringLiteral("UpDate"));
        QVERIFY(viewer.Checked(QStringLiteral("RBSort2")));
        QCOMPARE(Memo(viewer, 2), WorkText(viewer.dir(), kMemos[2].popular));
        QVERIFY(viewer.Checked(QStringLiteral("RBNor3")));
        QCOMPARE(Memo(viewer, 3), WorkText(viewer.dir(), kMemos[3].number));
        QVERIFY(viewer.Checked(QStringLiteral("RBNorT")));
        CompareGrid(viewer, "false");
        QVERIFY(viewer.seams.messages.isEmpty());
    }

    void changingTheVenueKeepsTheRaceNumber() {
        const std::vector<int> present = demo_->Slots();
        QVERIFY(present.size() >= 2);
        const int from = present[0];
        const int to = present[1];
        // A race both meetings have that is not the first race of the second one.
        int race = 0;
        for (int r = kRaces; r >= 2 && race == 0; --r) {
            if (demo_->HasAny(from, r) && demo_->HasAny(to, r) && demo_->HasAny(to, r - 1)) {
                race = r;
            }
        }
        QVERIFY(race > 0);
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(from));
        viewer.Click(RaceButton(race));
        const QString before = viewer.Get<QLineEdit>(QStringLiteral("EditYMDR"))->text();
        viewer.Click(QStringLiteral("RBkaisai%1").arg(to));
        QVERIFY(viewer.Checked(RaceButton(race)));
        QVERIFY(viewer.Get<QLineEdit>(QStringLiteral("EditYMDR"))->text() != before);
        QVERIFY(viewer.seams.messages.isEmpty());
    }

    void settingsChosenInTheSettingsWindowTakeEffectWhenItCloses() {
        const int slot = demo_->Slots().front();
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(QStringLiteral("ButtonSetting"));
        auto* form = viewer.window->findChild<SettingsWindow*>();
        QVERIFY(form != nullptr);
        QTRY_VERIFY(form->isVisible());
        QTest::mouseClick(Find<QWidget>(form, QStringLiteral("RadioButton8")), Qt::LeftButton,
                          Qt::NoModifier, QPoint(7, 10));
        QTest::mouseClick(Find<QWidget>(form, QStringLiteral("Button2")), Qt::LeftButton);
        QTRY_VERIFY(viewer.window->findChild<SettingsWindow*>() == nullptr);
        QVERIFY(viewer.Checked(QStringLiteral("RBSort3")));
        QCOMPARE(Memo(viewer, 3), WorkText(viewer.dir(), kMemos[3].popular));
        QVERIFY(viewer.seams.messages.isEmpty());
        QCOMPARE(viewer.seams.quitCalls, 0);
    }

    void voteCountWindowShowsTheSummary() {
        const int slot = demo_->Slots().front();
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(QStringLiteral("ButtonHyou"));
        auto* form = viewer.window->findChild<VoteCountWindow*>();
        QVERIFY(form != nullptr);
        QTRY_VERIFY(form->isVisible());
        QCOMPARE(Find<QTextEdit>(form, QStringLiteral("Memo1"))->toPlainText(),
                 WorkText(viewer.dir(), "QvHyou.dat"));
        QTest::mouseClick(Find<QWidget>(form, QStringLiteral("Button1")), Qt::LeftButton);
        QTRY_VERIFY(viewer.window->findChild<VoteCountWindow*>() == nullptr);
    }

    void anErrorIsShownAndTheWindowGoesOn() {
        const int slot = demo_->Slots().front();
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        QVERIFY(QFile::remove(QDir(viewer.dir()).filePath(QStringLiteral("QvUOSo.dat"))));
        viewer.Click(QStringLiteral("RBSort2"));
        QCOMPARE(viewer.seams.messages.size(), 1);
        QVERIFY(viewer.seams.messages.constFirst().contains(QStringLiteral("QvUOSo.dat")));
        QVERIFY(Memo(viewer, 2).isEmpty());
        // The next action works as usual and rewrites the file.
        viewer.Click(QStringLiteral("UpDate"));
        viewer.Click(QStringLiteral("RBSort2"));
        QCOMPARE(Memo(viewer, 2), WorkText(viewer.dir(), kMemos[2].popular));
        QCOMPARE(viewer.seams.messages.size(), 1);
    }

    // A refresh that fails part way: the message comes over the new race's cleared display.
    void anErrorIsShownOverTheClearedDisplay() {
        const int slot = demo_->Slots().front();
        int before = 0;
        int failing = 0;
        for (int r = 1; r <= kRaces && failing == 0; ++r) {
            if (before == 0 && demo_->Has(slot, r, kRaceCard)) {
                before = r;
            } else if (before != 0 && demo_->Has(slot, r, kRaceCard) &&
                       demo_->Has(slot, r, kQuinella)) {
                failing = r;
            }
        }
        QVERIFY(failing > 0);
        Viewer viewer(demo_->text());
        viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
        viewer.Click(RaceButton(before));
        auto* grid = viewer.Get<QTableWidget>(QStringLiteral("DEGrid"));
        auto* title = viewer.Get<QLineEdit>(QStringLiteral("EditYMDR"));
        const QString shownTitle = title->text();
        QVERIFY(!grid->item(0, 4)->text().isEmpty());
        QVERIFY(QFile::remove(
            QString::fromStdString(text::ToUtf8(demo_->FileName(slot, failing, kQuinella)))));

        QString titleAtMessage;
        QString horseAtMessage = QStringLiteral("<no message>");
        viewer.seams.onMessage = [&](const QString&) {
            titleAtMessage = title->text();
            horseAtMessage = grid->item(0, 4)->text();
        };
        viewer.Click(RaceButton(failing));
        QCOMPARE(viewer.seams.messages.size(), 1);
        QVERIFY(horseAtMessage.isEmpty());
        QVERIFY(titleAtMessage != shownTitle);
        QVERIFY2(titleAtMessage.contains(QStringLiteral("第%1Ｒ").arg(failing)),
                 qPrintable(titleAtMessage));
    }

    void aSecondViewerOnTheSameFolderIsToldAndStops() {
        QTemporaryDir programDir;
        FakeSeams first;
        const auto claim = ClaimProgramFolder(ToPath(programDir.path()), first);
        QVERIFY(claim.has_value());
        QVERIFY(first.messages.isEmpty());
        FakeSeams second;
        QVERIFY(!ClaimProgramFolder(ToPath(programDir.path()), second).has_value());
        QCOMPARE(second.messages,
                 QStringList{QStringLiteral("フォルダ ") + programDir.path() +
                             QStringLiteral(" の OrviKEL Viewer は既に起動しています")});
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
