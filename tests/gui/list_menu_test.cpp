// The context menus of the grid and the odds lists: "CSVで保存..." asks for a folder and writes
// the race's CSV files there through the core.
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>

#include "demo_fixture.hpp"

using namespace orvikel;
using namespace orvikel::gui;
using namespace orvikel::gui::testing;

namespace {

const QStringList kLists{QStringLiteral("DEGrid"),    QStringLiteral("MemoOdds1"),
                         QStringLiteral("MemoOdds2"), QStringLiteral("MemoOdds3"),
                         QStringLiteral("MemoOdds4"), QStringLiteral("MemoOdds5")};
const QStringList kFiles{QStringLiteral("racecard.csv"), QStringLiteral("bracket-quinella.csv"),
                         QStringLiteral("quinella.csv"), QStringLiteral("wide.csv"),
                         QStringLiteral("exacta.csv"),   QStringLiteral("trio.csv"),
                         QStringLiteral("votes.csv")};

// Opens the list's context menu as a right click does, hands its CSV entry to use, and closes
// the menu again (which deletes it and its entries).
template <class Use>
void WithSaveCsv(const Viewer& viewer, const QString& name, Use use) {
    auto* list = viewer.Get<QAbstractScrollArea>(name);
    const QPoint at(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &event);
    const QList<QMenu*> menus = list->findChildren<QMenu*>(QStringLiteral("ListMenu"));
    QVERIFY2(!menus.isEmpty(), qPrintable(name));
    QMenu* menu = menus.constLast();
    QAction* csv = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("CSVで保存...")) {
            csv = action;
        }
    }
    QVERIFY2(csv != nullptr, qPrintable(name));
    use(csv);
    menu->close();
}

void SaveCsv(const Viewer& viewer, const QString& name) {
    WithSaveCsv(viewer, name, [](QAction* csv) { csv->trigger(); });
}

bool CanSaveCsv(const Viewer& viewer, const QString& name) {
    bool enabled = false;
    WithSaveCsv(viewer, name, [&enabled](QAction* csv) { enabled = csv->isEnabled(); });
    return enabled;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ListMenuTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DemoFolder> demo_;
    std::unique_ptr<Viewer> viewer_;
    std::unique_ptr<QTemporaryDir> outDir_;  // fresh for every test
    QString out() const { return outDir_->path(); }

  private Q_SLOTS:
    void init() {
        demo_ = std::make_unique<DemoFolder>();
        outDir_ = std::make_unique<QTemporaryDir>();
        viewer_ = std::make_unique<Viewer>(demo_->text());
        viewer_->Click(QStringLiteral("RBkaisai%1").arg(demo_->Slots().front()));
    }
    void cleanup() {
        viewer_.reset();
        demo_.reset();
        outDir_.reset();
    }

    void theResultsMemoOffersNoCsvEntry() {
        auto* memo = viewer_->Get<QAbstractScrollArea>(QStringLiteral("MemoSeiseki"));
        const QPoint at(10, 10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, memo->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(memo->viewport(), &event);
        auto* menu = memo->findChild<QMenu*>(QStringLiteral("ListMenu"));
        QVERIFY(menu != nullptr);
        for (const QAction* action : menu->actions()) {
            QVERIFY(action->text() != QStringLiteral("CSVで保存..."));
        }
        menu->close();
    }

    void everyListSavesTheWholeRaceIntoTheChosenFolder() {
        for (int i = 0; i < kLists.size(); ++i) {
            // a folder that does not exist yet is made
            const QString folder = out() + QStringLiteral("/レース%1").arg(i);
            viewer_->seams.folderAnswers.push_back(folder);
            SaveCsv(*viewer_, kLists[i]);
            for (const QString& name : kFiles) {
                QVERIFY2(Bytes(folder + '/' + name).startsWith("\xEF\xBB\xBF"),
                         qPrintable(folder + '/' + name));
            }
            QCOMPARE(viewer_->seams.messages.size(), i + 1);
            QVERIFY(viewer_->seams.messages.constLast().contains(folder));
        }
        // the chooser opens where the last files went
        QCOMPARE(viewer_->seams.chooserStarts.constLast(), out() + QStringLiteral("/レース4"));
        // the trio file holds one row per trio line the number-order list shows
        int shown = 0;
        for (const QString& line : WorkLines(viewer_->dir(), "QvYONo.dat")) {
            shown += line.contains(QStringLiteral("---")) ? 0 : 1;
        }
        const QByteArray trio = Bytes(out() + QStringLiteral("/レース0/trio.csv"));
        QCOMPARE(trio.count("\r\n"), shown + 1);
    }

    void cancellingTheChooserWritesNothing() {
        SaveCsv(*viewer_, QStringLiteral("MemoOdds2"));
        QCOMPARE(viewer_->seams.chooserStarts.size(), 1);
        QVERIFY(viewer_->seams.messages.isEmpty());
        QVERIFY(QDir(out()).isEmpty());
    }

    void aFileThatCannotBeWrittenIsNamed() {
        // a folder stands where trio.csv should go
        QVERIFY(QDir(out()).mkpath(QStringLiteral("trio.csv/inside")));
        viewer_->seams.folderAnswers.push_back(out());
        SaveCsv(*viewer_, QStringLiteral("MemoOdds5"));
        QCOMPARE(viewer_->seams.messages.size(), 1);
        QVERIFY2(viewer_->seams.messages.constFirst().contains(QStringLiteral("trio.csv")),
                 qPrintable(viewer_->seams.messages.constFirst()));
        QVERIFY(!viewer_->seams.messages.constFirst().contains(QStringLiteral("保存しました")));
        // the window goes on: the next save into a good folder works
        viewer_->seams.folderAnswers.push_back(out() + QStringLiteral("/good"));
        SaveCsv(*viewer_, QStringLiteral("DEGrid"));
        QVERIFY(QFile::exists(out() + QStringLiteral("/good/votes.csv")));
    }

    void beforeAnyRaceThereIsNothingToSave() {
        Viewer fresh(demo_->text());
        for (const QString& list : kLists) {
            QVERIFY(!CanSaveCsv(fresh, list));
        }
        fresh.seams.folderAnswers.push_back(out());
        SaveCsv(fresh, QStringLiteral("DEGrid"));
        QVERIFY(fresh.seams.chooserStarts.isEmpty());
        QVERIFY(QDir(out()).isEmpty());
        QVERIFY(CanSaveCsv(*viewer_, QStringLiteral("DEGrid")));
    }
};

QTEST_MAIN(ListMenuTest)
#include "list_menu_test.moc"
