// The watch of the data folder: one report per burst of writes, after the quiet time, also
// when the client replaces a file instead of writing into it, and again after a replacement.
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "main_window/client_watcher.hpp"

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

}  // namespace

class ClientWatcherTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void aBurstOfWritesIsReportedOnceAfterTheQuietTime() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Zo-51b.jra"));
        Write(file, "a");
        ClientWatcher watcher(nullptr);
        QSignalSpy settled(&watcher, &ClientWatcher::Settled);
        watcher.Watch(dir.path(), {file});

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
        const QString file = dir.filePath(QStringLiteral("Zo-51b.jra"));
        Write(file, "a");
        ClientWatcher watcher(nullptr);
        QSignalSpy settled(&watcher, &ClientWatcher::Settled);
        watcher.Watch(dir.path(), {file});
        for (int round = 1; round <= 3; ++round) {
            Replace(file, QByteArray(round, 'r'));
            QTRY_COMPARE_WITH_TIMEOUT(settled.count(), round, 5000);
        }
        Write(dir.filePath(QStringLiteral("Ks-51b.jra")), "results");
        QTRY_COMPARE_WITH_TIMEOUT(settled.count(), 4, 5000);

        watcher.Watch(QString(), {});
        Replace(file, "after");
        QTest::qWait(2 * ClientWatcher::kQuietMs);
        QCOMPARE(settled.count(), 4);
    }
};

QTEST_MAIN(ClientWatcherTest)
#include "client_watcher_test.moc"
