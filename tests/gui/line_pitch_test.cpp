// Lines one character cell apart: the lists are drawn for that pitch, so a font's own leading
// must not push their last lines out of view or bring up scroll bars.
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>

#include "demo_fixture.hpp"
#include "votes/vote_window.hpp"
#include "widgets/fixed_pitch_memo.hpp"
#include "widgets/fonts.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

QRectF LineRect(const QTextEdit* memo, int line) {
    const QTextBlock block = memo->document()->findBlockByNumber(line);
    return memo->document()->documentLayout()->blockBoundingRect(block);
}

// The lines shown whole, scrolled to the top.
int WholeLines(const QTextEdit* memo) {
    int whole = 0;
    for (int i = 0; i < memo->document()->blockCount(); ++i) {
        whole += LineRect(memo, i).bottom() <= memo->viewport()->height() ? 1 : 0;
    }
    return whole;
}

QString Lines(int count, const QString& line) {
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

class LinePitchTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Whatever fixed-pitch font is installed, its leading does not change the pitch.
    void linesAreOneCellApartInAnyFont_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        for (const QString& family : {FixedFamily(), QStringLiteral("DejaVu Sans Mono")}) {
            for (int pixels : {13, 16, 19}) {
                QTest::addRow("%s %d", qPrintable(family), pixels) << family << pixels;
            }
        }
    }
    void linesAreOneCellApartInAnyFont() {
        QFETCH(QString, family);
        QFETCH(int, pixels);
        FixedPitchMemo memo(nullptr, pixels);
        QFont font(family);
        font.setPixelSize(pixels);
        memo.setFont(font);
        memo.resize(300, 200);
        memo.SetLines(Lines(20, QStringLiteral("1- 2   60.1[ 23]")));
        for (int i = 0; i + 1 < 20; ++i) {
            QCOMPARE(LineRect(&memo, i + 1).top() - LineRect(&memo, i).top(), qreal(pixels));
        }
    }

    // The layout's memo heights hold these many whole lines.
    void listsShowTheirWholeLines_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("whole");
        QTest::newRow("MemoOdds1") << QStringLiteral("MemoOdds1") << 13;
        QTest::newRow("MemoOdds3") << QStringLiteral("MemoOdds3") << 13;
        // the two right-hand lists and the results reach down beside the trio set's points
        QTest::newRow("MemoOdds4") << QStringLiteral("MemoOdds4") << 20;
        QTest::newRow("MemoOdds5") << QStringLiteral("MemoOdds5") << 20;
        QTest::newRow("MemoSeiseki") << QStringLiteral("MemoSeiseki") << 8;
    }
    void listsShowTheirWholeLines() {
        QFETCH(QString, name);
        QFETCH(int, whole);
        FakeSeams seams;
        QTemporaryDir programDir;
        MainWindow window(ToPath(programDir.path()), seams);
        auto* memo = Find<FixedPitchMemo>(&window, name);
        QVERIFY(memo != nullptr);
        memo->SetLines(Lines(40, QStringLiteral("1-1")));
        QCOMPARE(WholeLines(memo), whole);
    }

    // The summary of a race with all seven bet types: nine lines, nothing scrolled away.
    void voteWindowOfASevenKindRaceNeedsNoScrollBar() {
        DemoFolder demo;
        Viewer viewer(demo.text());
        bool shown = false;
        for (int slot : demo.Slots()) {
            viewer.Click(QStringLiteral("RBkaisai%1").arg(slot));
            for (int r = 1; r <= kRaces && !shown; ++r) {
                if (viewer.Visible(RaceButton(r))) {
                    viewer.Click(RaceButton(r));
                    shown = WorkLines(viewer.dir(), "QvHyou.dat").size() == 9;
                }
            }
            if (shown) {
                break;
            }
        }
        QVERIFY2(shown, "the demo folder has a race with all seven vote totals");
        viewer.Click(QStringLiteral("ButtonHyou"));
        QTRY_VERIFY(viewer.window->findChild<VoteCountWindow*>() != nullptr);
        auto* form = viewer.window->findChild<VoteCountWindow*>();
        QTRY_VERIFY(form->isVisible());
        auto* memo = Find<FixedPitchMemo>(form, QStringLiteral("Memo1"));
        QCOMPARE(memo->document()->blockCount(), 9);
        QVERIFY(memo->toPlainText().endsWith(QStringLiteral("票 (％)")));
        QVERIFY(!memo->verticalScrollBar()->isVisible());
        QVERIFY(!memo->horizontalScrollBar()->isVisible());
        QCOMPARE(WholeLines(memo), 9);
        form->close();
    }
};

QTEST_MAIN(LinePitchTest)
#include "line_pitch_test.moc"
