#pragma once
// Notices the client's writes in the data folder and reports when the race on screen is due
// to be read again: judged by that race's own files (the client writes some race's files all
// the time, so the folder as a whole is never quiet), once they have kept still for a moment
// or, while they keep changing, every couple of seconds (RaceQuietRule).
#include <QObject>
#include <QStringList>

#include "domain/race_files.hpp"
#include "shell/live_refresh.hpp"

class QFileSystemWatcher;
class QTimer;

namespace orvikel::gui {

class ClientWatcher : public QObject {
    Q_OBJECT
  public:
    static constexpr int kQuietMs = static_cast<int>(RaceQuietRule::kQuiet.count());

    explicit ClientWatcher(QObject* parent);

    // Watches folder and the race's files (files: their native paths, race: the same as the
    // core names them); an empty folder stops watching.
    void Watch(const QString& folder, const QStringList& files, const RaceFiles& race);
    bool watching() const { return !folder_.isEmpty(); }
    // One more report after the quiet time, as if the files had changed again (a file caught
    // half-written is read again).
    void AgainLater();

  Q_SIGNALS:
    void Settled();

  private:
    void Changed();
    void Due();
    void Arm();

    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* due_ = nullptr;
    QString folder_;
    QStringList files_;
    RaceFiles race_;
    RaceQuietRule rule_;
};

}  // namespace orvikel::gui
