// The main window as created, the fonts the lists are drawn in, the vote-count window and the
// folder chooser.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <memory>

#include "app/japanese.hpp"
#include "gui_fixture.hpp"
#include "main_window/main_window.hpp"
#include "settings/settings_window.hpp"
#include "votes/vote_window.hpp"
#include "widgets/fonts.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

// Where the group box draws its frame and its title, in its own coordinates.
std::pair<QRect, QRect> FrameAndTitle(const QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QStyle* style = box->style();
    return {style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box),
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)};
}

// Every group box of window with the controls placed directly in it.
void CheckGroupFrames(const QWidget* window) {
    const QList<QGroupBox*> boxes = window->findChildren<QGroupBox*>();
    QVERIFY(!boxes.isEmpty());
    for (const QGroupBox* box : boxes) {
        const auto [frame, title] = FrameAndTitle(box);
        for (const QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString where = box->objectName() + QLatin1Char('/') + control->objectName();
            QVERIFY2(frame.top() < control->y(), qPrintable(where));
            QVERIFY2(!title.intersects(control->geometry()), qPrintable(where));
        }
    }
}

// Every caption of window shown whole in the size its control has.
void CheckCaptionsFit(const QWidget* window) {
    for (const QGroupBox* box : window->findChildren<QGroupBox*>()) {
        const QRect title = FrameAndTitle(box).second;
        const int end = title.left() + box->fontMetrics().horizontalAdvance(box->title());
        QVERIFY2(end < box->width() - 1,
                 qPrintable(box->objectName() + QStringLiteral(" ends at %1").arg(end)));
    }
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->inherits("QAbstractButton") && !control->inherits("QLabel")) {
            continue;
        }
        if (control->property("text").toString().isEmpty()) {
            continue;
        }
        // Hints add room for focus frames and a push button's minimum width: the caption itself
        // is the indicator, its spacing and the text.
        const QString text = control->property("text").toString();
        const int advance = control->fontMetrics().horizontalAdvance(text);
        const QStyle* style = control->style();
        int needed = control->sizeHint().width();
        if (control->inherits("QPushButton")) {
            needed = advance + 6;
        } else if (control->inherits("QRadioButton")) {
            needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control) +
                     advance;
        } else if (control->inherits("QCheckBox")) {
            needed = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
                     style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control) +
                     advance;
        }
        QVERIFY2(needed <= control->width(),
                 qPrintable(control->objectName() + QStringLiteral(" needs %1").arg(needed)));
    }
}

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir programDir_;
    FakeSeams seams_;
    // Created but never shown, so the start-up check does not run.
    std::unique_ptr<MainWindow> window_;

    QString Caption(const QString& name) {
        const QObject* control = Find<QObject>(window_.get(), name);
        if (control == nullptr) {
            return QStringLiteral("<missing>");
        }
        const auto* box = qobject_cast<const QGroupBox*>(control);
        return box != nullptr ? box->title() : control->property("text").toString();
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(InstallJapanese(*QCoreApplication::instance()), "Qt's Japanese translations");
        window_ = std::make_unique<MainWindow>(ToPath(programDir_.path()), seams_);
    }
    void cleanupTestCase() { window_.reset(); }

    void windowHasItsCaptionAndClientSize() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("OrviKEL Viewer 5.01"));
        QCOMPARE(window_->centralWidget()->size(), QSize(1001, 768));
        QVERIFY(seams_.messages.isEmpty());
    }

    void controlsStartWithTheirCaptionsAndVisibility_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("hidden");
        const auto row = [](const char* name, const char* caption, bool hidden) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption)
                                << hidden;
        };
        row("EditYMDR", "Orvi series 「OrviＫＥＬ Viewer」", false);
        row("EditJikoku", "", false);
        row("Label1", "ｍ", false);
        row("Label2", "頭数", false);
        row("RBSortT", "単勝人気順", true);
        row("RBNorT", "通常", true);
        row("GBjyoumei", "場名", false);
        row("GBR", "レース", true);
        // Race buttons appear with the races that have files, horse boxes with the runners.
        row("RBR01", " 1R", true);
        row("RBR09", " 9R", true);
        row("RBR12", "12R", true);
        row("ButtonSetting", "設定", false);
        row("UpDate", "更新", false);
        row("ButtonHyou", "票数", true);
        row("ButtonEND", "終了", false);
        row("GBOdds1", "枠番連勝 [**:**現在]", false);
        row("GBOdds2", "馬番連勝 [**:**現在]", false);
        row("GBOdds3", "ワイド [**:**現在]", false);
        row("GBOdds4", "馬単 [**:**現在]", false);
        row("GBOdds5", "３連複 [**:**現在]", false);
        row("RBSort1", "人気順", true);
        row("RBNor5", "通常", true);
        row("RBBox", "BOX", true);
        row("RBWheel", "総流し", true);
        row("PanelBoxWheel", "", true);
        row("Label3", "馬番選択パネル", false);
        row("CB01", "1", true);
        row("CB18", "18", true);
        row("RBBWSort", "人 気 順", false);
        row("RBBWNor", "通     常", false);
        row("ButtonBWclear", "ク リ ア", false);
        row("Label4", "BOXは10点まで", false);
        row("Label5", "総流しは2点まで", false);
    }
    void controlsStartWithTheirCaptionsAndVisibility() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, hidden);
        QCOMPARE(Caption(name), caption);
        QCOMPARE(Find<QWidget>(window_.get(), name)->isHidden(), hidden);
    }

    void orderButtonsStartAtNumberOrder() {
        QVERIFY(Find<QRadioButton>(window_.get(), QStringLiteral("RBNorT"))->isChecked());
        for (int n = 1; n <= 5; ++n) {
            QVERIFY(
                Find<QRadioButton>(window_.get(), QStringLiteral("RBNor%1").arg(n))->isChecked());
        }
        QVERIFY(Find<QRadioButton>(window_.get(), QStringLiteral("RBBWNor"))->isChecked());
    }

    void gridHasTitlesWidthsAndNoEditing() {
        auto* grid = Find<QTableWidget>(window_.get(), QStringLiteral("DEGrid"));
        QVERIFY(grid != nullptr);
        QCOMPARE(grid->rowCount(), 18);
        QCOMPARE(grid->columnCount(), 11);
        const QStringList titles{"枠",   "馬番", "単勝[人気]", "複勝", "馬名", "馬体重",
                                 "増減", "見習", "騎手名",     "重量", "記事"};
        const int widths[] = {18, 34, 83, 100, 153, 51, 38, 33, 120, 36, 170};
        for (int c = 0; c < 11; ++c) {
            QCOMPARE(grid->horizontalHeaderItem(c)->text(), titles[c]);
            QCOMPARE(grid->columnWidth(c), widths[c]);
            QVERIFY(grid->item(0, c)->text().isEmpty());
            QVERIFY(!(grid->item(0, c)->flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid->selectionMode(), QAbstractItemView::ContiguousSelection);
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    // The first control of a group sits under the title and inside the frame, never across it.
    void groupFramesRunAboveTheirControls() {
        CheckGroupFrames(window_.get());
        SettingsWindow settings(ToPath(programDir_.path()), seams_, nullptr);
        CheckGroupFrames(&settings);
    }

    void captionsFitTheirControls() {
        // Venue captions come with the meetings; the longest one a meeting can have.
        auto* venue = Find<QRadioButton>(window_.get(), QStringLiteral("RBkaisai1"));
        venue->setText(QStringLiteral("福島前日"));
        CheckCaptionsFit(window_.get());
        venue->setText(QString());
        SettingsWindow settings(ToPath(programDir_.path()), seams_, nullptr);
        CheckCaptionsFit(&settings);
    }

    void noMeetingFilesHideEveryVenueButton() {
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(Find<QWidget>(window_.get(), QStringLiteral("RBkaisai%1").arg(k))->isHidden());
        }
    }

    // Lists line up only when a double-byte character is exactly two single-byte cells.
    void listFontsHoldTwoCellsPerDoubleByteCharacter_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"DEGrid", "MemoOdds1", "MemoOdds5", "MemoSeiseki", "EditYMDR",
                                 "EditJikoku", "RBR01"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void listFontsHoldTwoCellsPerDoubleByteCharacter() {
        QFETCH(QString, name);
        const QFont font = Find<QWidget>(window_.get(), name)->font();
        QCOMPARE(QFontInfo(font).family(), FixedFamily());
        const QFontMetricsF metrics(font);
        const qreal cell = metrics.horizontalAdvance(QStringLiteral("A"));
        QVERIFY(cell > 0);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("あ")), 2 * cell);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("馬番連勝 1- 2")), 13 * cell);
    }

    void voteWindowShowsTheSummaryFile() {
        WriteIni(programDir_.path(), {});
        WriteWorkFile(ToPath(programDir_.path()), "QvHyou.dat",
                      {Cp(QStringLiteral("単勝発売票数　:     123456票 (100) [15:40現在]")),
                       Cp(QStringLiteral("二行目"))});
        FakeSeams seams;
        VoteCountWindow form(ToPath(programDir_.path()), seams, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("OrviKEL Viewer 発売票数一覧"));
        QCOMPARE(Find<QTextEdit>(&form, QStringLiteral("Memo1"))->toPlainText(),
                 QStringLiteral("単勝発売票数　:     123456票 (100) [15:40現在]\n二行目"));
        QCOMPARE(Find<QWidget>(&form, QStringLiteral("Button1"))->property("text").toString(),
                 QStringLiteral("閉じる"));
        QVERIFY(seams.messages.isEmpty());
    }

    void voteWindowWithoutFileReportsAndOpensEmpty() {
        QTemporaryDir empty;
        FakeSeams seams;
        VoteCountWindow form(ToPath(empty.path()), seams, nullptr);
        QCOMPARE(seams.messages.size(), 1);
        QVERIFY(seams.messages.constFirst().contains(QStringLiteral("QvHyou.dat")));
        QVERIFY(Find<QTextEdit>(&form, QStringLiteral("Memo1"))->toPlainText().isEmpty());
        form.show();
        QVERIFY(form.isVisible());
    }

    // Qt's own dialog, titled and labelled in Japanese like every other text of the viewer.
    void folderChooserSpeaksJapanese() {
        QTemporaryDir base;
        FolderChooser chooser(nullptr, base.path());
        QCOMPARE(chooser.windowTitle(), QStringLiteral("ディレクトリの選択"));
        const auto japanese = [](const QString& text) {
            return std::any_of(text.cbegin(), text.cend(),
                               [](QChar c) { return c.unicode() >= 0x3000; });
        };
        auto* lookIn = Find<QLabel>(&chooser, QStringLiteral("lookInLabel"));
        QVERIFY(lookIn != nullptr);
        QVERIFY2(japanese(lookIn->text()), qPrintable(lookIn->text()));
        auto* buttons = Find<QDialogButtonBox>(&chooser, QStringLiteral("buttonBox"));
        QVERIFY(buttons != nullptr);
        QVERIFY(!buttons->buttons().isEmpty());
        for (QAbstractButton* button : buttons->buttons()) {
            QVERIFY2(japanese(button->text()), qPrintable(button->text()));
        }
        QVERIFY(buttons->button(QDialogButtonBox::Help) == nullptr);

        std::unique_ptr<QMessageBox> question(FolderChooser::MakeQuestion(
            &chooser, QStringLiteral("指定されたディレクトリが存在しません。作成しますか？")));
        QCOMPARE(question->windowTitle(), QStringLiteral("ディレクトリの選択"));
        QCOMPARE(question->button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
        QCOMPARE(question->button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
    }

    void folderChooserCreatesATypedFolderAfterAsking_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void folderChooserCreatesATypedFolderAfterAsking() {
        QFETCH(bool, yes);
        QTemporaryDir base;
        FolderChooser chooser(nullptr, base.path());
        QStringList questions;
        chooser.askYesNo = [&](const QString& question) {
            questions.append(question);
            return yes;
        };
        chooser.show();
        chooser.selectFile(QStringLiteral("new-kel"));
        chooser.accept();
        QCOMPARE(
            questions,
            QStringList{QStringLiteral("指定されたディレクトリが存在しません。作成しますか？")});
        QCOMPARE(QDir(base.filePath(QStringLiteral("new-kel"))).exists(), yes);
        QCOMPARE(chooser.result() == QDialog::Accepted, yes);
    }
};

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
