// The settings window: the folder notice and chooser at opening, the checks and the save at
// closing, and the copies it keeps of the stored values.
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui_fixture.hpp"
#include "settings/settings.hpp"
#include "settings/settings_window.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

const QString kChooseNotice =
    QStringLiteral("KELがインストールしてあるフォルダを選択してください！");
const QString kEndNotice = QStringLiteral("KELのフォルダが正しく設定されていません。終了します。");
const QString kChangedNotice = QStringLiteral("KELのフォルダが変更されました。");

// A data folder the viewer accepts: it holds a meeting file.
class DataFolder {
  public:
    DataFolder() {
        QFile file(dir_.filePath(QStringLiteral("Uy-a.jra")));
        file.open(QIODevice::WriteOnly);
        file.write("meeting\r\n");
    }
    QString path() const { return dir_.path(); }
    QString text() const { return FolderText(dir_.path()); }

  private:
    QTemporaryDir dir_;
};

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir programDir_;
    FakeSeams seams_;
    std::unique_ptr<SettingsWindow> form_;
    DataFolder folderA_;
    DataFolder folderB_;

    // Opens the window over a settings file of the given lines and lets its activation run.
    void Open(const QStringList& ini) {
        QFile::remove(programDir_.filePath(QStringLiteral("OrviKV.ini")));
        if (!ini.isEmpty()) {
            WriteIni(programDir_.path(), ini);
        }
        form_ = std::make_unique<SettingsWindow>(ToPath(programDir_.path()), seams_, nullptr);
        form_->show();
        QTest::qWait(20);
    }
    QStringList StoredFolder(const QString& folder,
                             const QString& confirmed = QStringLiteral("1")) {
        return {QStringLiteral("[Dir]"), QStringLiteral("KelDir=") + folder,
                QStringLiteral("[Options]"), QStringLiteral("US=") + confirmed};
    }
    Settings Stored() { return ReadSettings(ToPath(programDir_.path())); }
    QLineEdit* Edit1() { return Find<QLineEdit>(form_.get(), QStringLiteral("Edit1")); }
    QRadioButton* Radio(int n) {
        return Find<QRadioButton>(form_.get(), QStringLiteral("RadioButton%1").arg(n));
    }

  private Q_SLOTS:
    void init() { seams_ = FakeSeams(); }
    void cleanup() { form_.reset(); }

    void opensWithoutNoticeOnAConfirmedValidFolder() {
        Open(StoredFolder(folderA_.text()));
        QCOMPARE(form_->windowTitle(), QStringLiteral("OrviKEL98 Viewer 設定"));
        QCOMPARE(Edit1()->text(), folderA_.text());
        QVERIFY(seams_.messages.isEmpty());
        QVERIFY(seams_.chooserStarts.isEmpty());
    }

    void asksForTheFolderWhenUnconfirmedOrInvalid_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("US is 0, valid folder") << false << QString();
        QTest::newRow("confirmed, folder lacks its separator") << true << QStringLiteral("-");
    }
    void asksForTheFolderWhenUnconfirmedOrInvalid() {
        QFETCH(bool, confirmed);
        QFETCH(QString, suffix);
        const QString stored =
            suffix.isEmpty() ? folderA_.text() : QDir::toNativeSeparators(folderA_.path());
        Open(StoredFolder(stored, confirmed ? QStringLiteral("1") : QStringLiteral("0")));
        QCOMPARE(seams_.messages, QStringList{kChooseNotice});
        QCOMPARE(seams_.chooserStarts, QStringList{stored});
        // Cancelled: the box keeps the folder.
        QCOMPARE(Edit1()->text(), stored);
    }

    void chosenFolderGetsTheSeparator() {
        Open(StoredFolder(folderA_.text()));
        seams_.folderAnswers.push_back(QDir::toNativeSeparators(folderB_.path()));
        QTest::mouseClick(Find<QWidget>(form_.get(), QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(Edit1()->text(), folderB_.text());
    }

    void closingChecksTheFolder_data() {
        QTest::addColumn<int>("typed");  // 0: as stored, 1: other folder, 2: other without sep
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("stored");  // the folder in the file afterwards: 0 A, 1 B
        QTest::newRow("same folder") << 0 << QStringList{} << 0;
        QTest::newRow("other folder") << 1 << QStringList{kChangedNotice} << 1;
        QTest::newRow("other folder typed without separator")
            << 2 << QStringList{kChangedNotice} << 1;
    }
    void closingChecksTheFolder() {
        QFETCH(int, typed);
        QFETCH(QStringList, messages);
        QFETCH(int, stored);
        Open(StoredFolder(folderA_.text()));
        const QString texts[] = {folderA_.text(), folderB_.text(),
                                 QDir::toNativeSeparators(folderB_.path())};
        Edit1()->setText(texts[typed]);
        form_->close();
        QVERIFY(!form_->isVisible());
        QCOMPARE(seams_.messages, messages);
        QCOMPARE(seams_.quitCalls, 0);
        QVERIFY(!form_->quitRequested());
        const Settings after = Stored();
        QCOMPARE(U(after.KelDir), stored == 0 ? folderA_.text() : folderB_.text());
        QCOMPARE(U(after.FolderConfirmed), QStringLiteral("1"));
    }

    void closeButtonSavesAndCloses() {
        Open(StoredFolder(folderA_.text()));
        Radio(2)->click();
        QTest::mouseClick(Find<QWidget>(form_.get(), QStringLiteral("Button2")), Qt::LeftButton);
        QVERIFY(!form_->isVisible());
        QCOMPARE(U(Stored().MinusSign), QStringLiteral("－"));
        QVERIFY(seams_.messages.isEmpty());
    }

    void invalidFolderEndsTheProgramAfterSaving_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("close box") << 0;
        QTest::newRow("Escape key") << 1;
        QTest::newRow("閉じる") << 2;
    }
    void invalidFolderEndsTheProgramAfterSaving() {
        QFETCH(int, how);
        Open(StoredFolder(folderA_.text()));
        QTemporaryDir empty;
        Edit1()->setText(FolderText(empty.path()));
        if (how == 0) {
            form_->close();
        } else if (how == 1) {
            QTest::keyClick(form_.get(), Qt::Key_Escape);
        } else {
            QTest::mouseClick(Find<QWidget>(form_.get(), QStringLiteral("Button2")),
                              Qt::LeftButton);
        }
        QVERIFY(!form_->isVisible());
        QCOMPARE(seams_.messages, QStringList{kEndNotice});
        QCOMPARE(seams_.quitCalls, 1);
        QVERIFY(form_->quitRequested());
        const Settings after = Stored();
        QCOMPARE(U(after.KelDir), FolderText(empty.path()));
    }

    void withoutSettingsFileTheCancelledChooserEndsTheProgram() {
        Open({});
        QCOMPARE(seams_.messages, QStringList{kChooseNotice});
        form_->close();
        QCOMPARE(seams_.messages, (QStringList{kChooseNotice, kEndNotice}));
        QCOMPARE(seams_.quitCalls, 1);
        QVERIFY(QFile::exists(programDir_.filePath(QStringLiteral("OrviKV.ini"))));
    }

    void storedSignOpensAs_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("checked");
        QTest::addColumn<QString>("saved");
        QTest::newRow("filled") << QStringLiteral("▲") << 1 << QStringLiteral("▲");
        QTest::newRow("dash") << QStringLiteral("－") << 2 << QStringLiteral("－");
        QTest::newRow("open") << QStringLiteral("△") << 3 << QStringLiteral("△");
        QTest::newRow("anything else") << QStringLiteral("-") << 3 << QStringLiteral("△");
    }
    void storedSignOpensAs() {
        QFETCH(QString, stored);
        QFETCH(int, checked);
        QFETCH(QString, saved);
        Open(StoredFolder(folderA_.text()) << QStringLiteral("PN=") + stored);
        QVERIFY(Radio(checked)->isChecked());
        QCOMPARE(Radio(1)->text(), QStringLiteral("▲12"));
        QCOMPARE(Radio(2)->text(), QStringLiteral("－12"));
        QCOMPARE(Radio(3)->text(), QStringLiteral("△12"));
        form_->close();
        QCOMPARE(U(Stored().MinusSign), saved);
    }

    void orderGroupsKeepOrSetTheirFlags() {
        // Wide stored in capitals opens as 通常 and goes back untouched; the trio flag is set
        // by its 人気順 button, the BOX flag by its 通常 button.
        Open(StoredFolder(folderA_.text())
             << QStringLiteral("Ksort=TRUE") << QStringLiteral("YBWsort=True"));
        QVERIFY(Radio(11)->isChecked());
        QVERIFY(Radio(16)->isChecked());
        QCOMPARE(
            Find<QWidget>(form_.get(), QStringLiteral("GroupBox10"))->property("title").toString(),
            QStringLiteral("３連複-BOX総流しオッズ"));
        Radio(14)->click();
        Radio(17)->click();
        form_->close();
        const Settings after = Stored();
        QCOMPARE(after.sort.Ksort, std::string("TRUE"));
        QCOMPARE(after.sort.Ysort, std::string("True"));
        QCOMPARE(after.sort.YBWsort, std::string("false"));
        QCOMPARE(after.sort.Tsort, std::string("false"));
    }

    void unusableFolderNamesAreRefusedBeforeAnythingIsSaved_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("shown");  // the folder as the message names it
        const QString a = folderA_.text();
        QTest::newRow("a line break") << a + QStringLiteral("\n") << a + QStringLiteral("?");
        QTest::newRow("a tab") << QStringLiteral("\t") + a << QStringLiteral("?") + a;
        QTest::newRow("an accent") << a + QStringLiteral("café") << a + QStringLiteral("café");
    }
    void unusableFolderNamesAreRefusedBeforeAnythingIsSaved() {
        QFETCH(QString, folder);
        QFETCH(QString, shown);
        const QString message =
            QStringLiteral("フォルダ名 ") + shown +
            (shown.contains(QStringLiteral("café"))
                 ? QStringLiteral(" には Shift-JIS で表せない文字が含まれています")
                 : QStringLiteral(" には改行などの制御文字が含まれています"));
        Open(StoredFolder(folderA_.text()));
        const std::string before =
            ReadFileBytes(ToPath(programDir_.filePath(QStringLiteral("OrviKV.ini"))));

        // Typed: 閉じる and the close box both refuse it, and the window stays open.
        Edit1()->setText(folder);
        QCOMPARE(Edit1()->text(), folder);
        QTest::mouseClick(Find<QWidget>(form_.get(), QStringLiteral("Button2")), Qt::LeftButton);
        form_->close();
        QVERIFY(form_->isVisible());
        QCOMPARE(seams_.messages, (QStringList{message, message}));
        QCOMPARE(seams_.quitCalls, 0);
        QCOMPARE(ReadFileBytes(ToPath(programDir_.filePath(QStringLiteral("OrviKV.ini")))), before);

        // Chosen: refused at once, the box keeps its folder.
        Edit1()->setText(folderA_.text());
        seams_.messages.clear();
        seams_.folderAnswers.push_back(folder);
        QTest::mouseClick(Find<QWidget>(form_.get(), QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(seams_.messages, QStringList{message});
        QCOMPARE(Edit1()->text(), folderA_.text());
    }

    void failedSaveKeepsTheWindowOpen() {
        // The program folder vanished: the file cannot be written.
        auto gone = std::make_unique<QTemporaryDir>();
        const QString dir = gone->path();
        gone.reset();
        form_ = std::make_unique<SettingsWindow>(ToPath(dir), seams_, nullptr);
        seams_.folderAnswers.push_back(QDir::toNativeSeparators(folderA_.path()));
        form_->show();
        QTest::qWait(20);
        seams_.messages.clear();
        QTest::mouseClick(Find<QWidget>(form_.get(), QStringLiteral("Button2")), Qt::LeftButton);
        QVERIFY(form_->isVisible());
        QCOMPARE(seams_.messages.size(), 1);
        QVERIFY(seams_.messages.constFirst().contains(QStringLiteral("OrviKV.ini")));
        form_->close();
        QVERIFY(form_->isVisible());
        QCOMPARE(seams_.quitCalls, 0);
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
