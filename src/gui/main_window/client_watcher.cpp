#include "main_window/client_watcher.hpp"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace orvikel::gui {

ClientWatcher::ClientWatcher(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), quiet_(new QTimer(this)) {
    quiet_->setSingleShot(true);
    quiet_->setInterval(kQuietMs);
    connect(quiet_, &QTimer::timeout, this, &ClientWatcher::Settled);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ClientWatcher::Changed);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ClientWatcher::Changed);
}

void ClientWatcher::Watch(const QString& folder, const QStringList& files) {
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
    quiet_->stop();
    folder_ = folder;
    files_ = files;
    Arm();
}

void ClientWatcher::AgainLater() {
    if (watching()) {
        quiet_->start();
    }
}

void ClientWatcher::Changed() {
    Arm();
    quiet_->start();  // every further change starts the quiet time again
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
