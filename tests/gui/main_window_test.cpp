// The main window over a made-up data folder: start-up, choosing meetings and races, what the
// controls show against the work files, the order buttons, 更新, the vote-count window and the
// error boundary.
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>

#include "demo_fixture.hpp"
#include "folder_claim.hpp"
#include "settings_window.hpp"
#include "shell/race_header.hpp"
#include "shell/refresh.hpp"
#include "vote_window.hpp"

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
    return viewer.Get<QPlainTextEdit>(QStringLiteral("MemoOdds%1").arg(n))->toPlainText();
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
        QTRY_VERIFY(viewer.window->findChild<TSubForm*>() != nullptr);
        auto* form = viewer.window->findChild<TSubForm*>();
        QTRY_VERIFY(form->isVisible());
        QTRY_COMPARE(
            viewer.seams.messages,
            QStringList{QStringLiteral("KELがインストールしてあるフォルダを選択してください！")});
        QCOMPARE(viewer.seams.chooserStarts.size(), 1);
        form->close();
        QCOMPARE(viewer.seams.quitCalls, 1);
        QTRY_VERIFY(viewer.window->findChild<TSubForm*>() == nullptr);
        QCOMPARE(viewer.seams.messages.size(), 2);
        QCOMPARE(viewer.seams.messages.constLast(),
                 QStringLiteral("KELのフォルダが正しく設定されていません。終了します。"));
    }

    void withAValidFolderNoRaceShowsUntilAVenueIsChosen() {
        Viewer viewer(demo_->text());
        QTest::qWait(20);
        QVERIFY(viewer.window->findChild<TSubForm*>() == nullptr);
        QVERIFY(viewer.seams.messages.isEmpty());
        QVERIFY(!viewer.Visible(QStringLiteral("GBR")));
        QVERIFY(!viewer.Visible(QStringLiteral("ButtonHyou")));
        QCOMPARE(viewer.Get<QLineEdit>(QStringLiteral("EditYMDR"))->text(), U(TitleText()));
        const Meetings meetings = demo_->meetings();
        for (int k = 1; k <= kMeetingSlots; ++k) {
            const Meeting& meeting = meetings.slot[static_cast<std::size_t>(k)];
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
        selection.SelectedVenue = meetings.slot[static_cast<std::size_t>(slot)].Venue;
        selection.SelectedRace = race;
        for (int kind = 1; kind <= kDataKinds; ++kind) {
            selection
                .RaceFileExists[static_cast<std::size_t>(race)][static_cast<std::size_t>(kind)] =
                true;
        }
        RaceHeader header;
        ShowRaceHeader(SelectedRaceFiles(demo_->kelDir(), meetings, selection), header);
        const std::pair<const char*, const std::string*> boxes[] = {
            {"EditYMDR", &header.EditYMDR},     {"EditTokubetu", &header.EditTokubetu},
            {"EditJikoku", &header.EditJikoku}, {"EditJyouken", &header.EditJyouken},
            {"EditCourse", &header.EditCourse}, {"EditKyori", &header.EditKyori},
            {"EditTousuu", &header.EditTousuu}};
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
        QVERIFY(
            !viewer.Get<QPlainTextEdit>(QStringLiteral("MemoSeiseki"))->toPlainText().isEmpty());
        QVERIFY(viewer.Visible(QStringLiteral("RBBox")));
        QVERIFY(viewer.Visible(QStringLiteral("RBWheel")));
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
        auto* form = viewer.window->findChild<TSubForm*>();
        QVERIFY(form != nullptr);
        QTRY_VERIFY(form->isVisible());
        QTest::mouseClick(Find<QWidget>(form, QStringLiteral("RadioButton8")), Qt::LeftButton,
                          Qt::NoModifier, QPoint(7, 10));
        QTest::mouseClick(Find<QWidget>(form, QStringLiteral("Button2")), Qt::LeftButton);
        QTRY_VERIFY(viewer.window->findChild<TSubForm*>() == nullptr);
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
        auto* form = viewer.window->findChild<THyouForm*>();
        QVERIFY(form != nullptr);
        QTRY_VERIFY(form->isVisible());
        QCOMPARE(Find<QPlainTextEdit>(form, QStringLiteral("Memo1"))->toPlainText(),
                 WorkText(viewer.dir(), "QvHyou.dat"));
        QTest::mouseClick(Find<QWidget>(form, QStringLiteral("Button1")), Qt::LeftButton);
        QTRY_VERIFY(viewer.window->findChild<THyouForm*>() == nullptr);
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
