#include "main_window/client_watcher.hpp"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace orvikel::gui {

ClientWatcher::ClientWatcher(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), due_(new QTimer(this)) {
    due_->setSingleShot(true);
    connect(due_, &QTimer::timeout, this, &ClientWatcher::Due);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ClientWatcher::Changed);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ClientWatcher::Changed);
}

void ClientWatcher::Watch(const QString& folder, const QStringList& files, const RaceFiles& race) {
    if (folder == folder_ && files == files_) {
        Arm();
        return;
    }
    if (!watcher_->directories().isEmpty()) {
        watcher_->removePaths(watcher_->directories());
    }
    if (!watcher_->files().isEmpty()) {
        watcher_->removePaths(watcher_->files());
    }
    due_->stop();
    folder_ = folder;
    files_ = files;
    race_ = race;
    // The race was just read as it stands: only a change after this is news.
    rule_.Read(StampRaceFiles(race_), RaceQuietRule::Clock::now());
    Arm();
}

void ClientWatcher::AgainLater() {
    if (watching()) {
        due_->start(kQuietMs);
    }
}

void ClientWatcher::Changed() {
    Arm();
    // A change of another race's files (the folder's own notice) leaves this race's stamps
    // as they were and changes nothing here.
    const auto now = RaceQuietRule::Clock::now();
    if (!rule_.Observe(StampRaceFiles(race_), now)) {
        return;
    }
    const auto at = rule_.DueAt();
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*at - now);
    // A retry already waiting keeps its own, earlier time.
    if (!due_->isActive() || due_->remainingTime() > wait.count()) {
        due_->start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
    }
}

void ClientWatcher::Due() {
    const auto now = RaceQuietRule::Clock::now();
    // Changes since the last notice count too; one that came just now may wait its quiet
    // time, unless the race has waited long enough already.
    rule_.Observe(StampRaceFiles(race_), now);
    const auto at = rule_.DueAt();
    if (at && *at > now) {
        due_->start(
            static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*at - now).count()));
        return;
    }
    rule_.Read(StampRaceFiles(race_), now);
    Q_EMIT Settled();
}

// The client replaces a file by writing a new one under its name: the watch of the old one
// ends with it, so every file of the race is watched again whenever something changed.
void ClientWatcher::Arm() {
    if (folder_.isEmpty()) {
        return;
    }
    if (!watcher_->directories().contains(folder_) && QFileInfo(folder_).isDir()) {
        watcher_->addPath(folder_);
    }
    const QStringList watched = watcher_->files();
    for (const QString& file : files_) {
        if (!watched.contains(file) && QFileInfo(file).isFile()) {
            watcher_->addPath(file);
        }
    }
}

}  // namespace orvikel::gui
