// The watch of the data folder: one report per burst of writes, after the quiet time, also
// when the client replaces a file instead of writing into it, and again after a replacement;
// judged by the race's own files, so a client that never stops writing still gets the race
// read every couple of seconds.
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "main_window/client_watcher.hpp"
#include "platform/encoding.hpp"

using namespace orvikel;
using namespace orvikel::gui;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The client's way: a new file renamed over the old one.
void Replace(const QString& path, const QByteArray& bytes) {
    Write(path + QStringLiteral(".new"), bytes);
    QFile::remove(path);
    QVERIFY(QFile::rename(path + QStringLiteral(".new"), path));
}

// The race of the test: its win/place file and its results file (not there at first).
struct Race {
    QString zo;
    QString ks;
    RaceFiles files;

    explicit Race(const QTemporaryDir& dir)
        : zo(dir.filePath(QStringLiteral("Zo-51b.jra"))),
          ks(dir.filePath(QStringLiteral("Ks-51b.jra"))) {
        files.name[kWinPlace] = text::ToCp932(zo.toStdString());
        files.name[kResults] = text::ToCp932(ks.toStdString());
        Write(zo, "a");
    }
    void WatchWith(ClientWatcher& watcher, const QTemporaryDir& dir) const {
        watcher.Watch(dir.path(), {zo, ks}, files);
    }
};

}  // namespace

class ClientWatcherTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void aBurstOfWritesIsReportedOnceAfterTheQuietTime() {
        QTemporaryDir dir;
        const Race race(dir);
        const QString& file = race.zo;
        ClientWatcher watcher(nullptr);
        QSignalSpy settled(&watcher, &ClientWatcher::Settled);
        race.WatchWith(watcher, dir);

        QElapsedTimer sinceLast;
        for (int i = 0; i < 4; ++i) {
            Write(file, QByteArray(10 + i, 'x'));
            sinceLast.start();
            QTest::qWait(100);
        }
        QTRY_COMPARE_WITH_TIMEOUT(settled.count(), 1, 5000);
        QVERIFY(sinceLast.elapsed() >= ClientWatcher::kQuietMs);
        QTest::qWait(2 * ClientWatcher::kQuietMs);
        QCOMPARE(settled.count(), 1);
    }

    void replacedFilesAndNewFilesOfTheFolderAreSeenEveryTime() {
        QTemporaryDir dir;
        const Race race(dir);
        const QString& file = race.zo;
        ClientWatcher watcher(nullptr);
        QSignalSpy settled(&watcher, &ClientWatcher::Settled);
        race.WatchWith(watcher, dir);
        for (int round = 1; round <= 3; ++round) {
            Replace(file, QByteArray(round, 'r'));
            QTRY_COMPARE_WITH_TIMEOUT(settled.count(), round, 5000);
        }
        Write(race.ks, "results");
        QTRY_COMPARE_WITH_TIMEOUT(settled.count(), 4, 5000);

        watcher.Watch(QString(), {}, {});
        Replace(file, "after");
        QTest::qWait(2 * ClientWatcher::kQuietMs);
        QCOMPARE(settled.count(), 4);
    }

    // The client writes a new state of the race every 0.35 s and another race's file every
    // 0.1 s: neither the folder nor the race is ever quiet for half a second, yet the race is
    // reported at least every 2 s; the other race's writes alone report nothing.
    void aRaceThatKeepsChangingIsReportedAtLeastEveryTwoSeconds() {
        QTemporaryDir dir;
        const Race race(dir);
        const QString other = dir.filePath(QStringLiteral("Zo-51c.jra"));
        ClientWatcher watcher(nullptr);
        QSignalSpy settled(&watcher, &ClientWatcher::Settled);
        race.WatchWith(watcher, dir);

        QElapsedTimer run;
        run.start();
        qint64 lastReport = 0;
        qint64 longestGap = 0;
        int state = 0;
        qint64 nextState = 0;
        while (run.elapsed() < 7000) {
            if (run.elapsed() >= nextState) {
                Write(race.zo, QByteArray::number(++state));
                nextState += 350;
            }
            Write(other, QByteArray::number(run.elapsed()));
            const int before = settled.count();
            QTest::qWait(100);
            if (settled.count() != before) {
                longestGap = std::max(longestGap, run.elapsed() - lastReport);
                lastReport = run.elapsed();
            }
        }
        longestGap = std::max(longestGap, run.elapsed() - lastReport);
        QVERIFY2(settled.count() >= 3, qPrintable(QString::number(settled.count())));
        // 2 s by the rule, with the slack of a busy test machine.
        QVERIFY2(longestGap <= 2600, qPrintable(QString::number(longestGap)));

        const int reports = settled.count();
        QTest::qWait(2 * ClientWatcher::kQuietMs);  // the last state, once
        const int afterLast = settled.count();
        QVERIFY(afterLast - reports <= 1);
        for (int i = 0; i < 15; ++i) {
            Write(other, QByteArray::number(i));
            QTest::qWait(100);
        }
        QTest::qWait(2 * ClientWatcher::kQuietMs);
        QCOMPARE(settled.count(), afterLast);
    }
};

QTEST_MAIN(ClientWatcherTest)
#include "client_watcher_test.moc"
