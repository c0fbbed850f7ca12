#pragma once
// Notices the client's writes in the data folder and reports once the folder has been quiet
// for a moment, so a race is refreshed once per batch of files, not once per file.
#include <QObject>
#include <QStringList>

class QFileSystemWatcher;
class QTimer;

namespace orvikel::gui {

class ClientWatcher : public QObject {
    Q_OBJECT
  public:
    static constexpr int kQuietMs = 500;

    explicit ClientWatcher(QObject* parent);

    // Watches folder and the files given (native paths); an empty folder stops watching.
    void Watch(const QString& folder, const QStringList& files);
    bool watching() const { return !folder_.isEmpty(); }
    // One more report after the quiet time, as if the files had changed again (a file caught
    // half-written is read again).
    void AgainLater();

  Q_SIGNALS:
    void Settled();

  private:
    void Changed();
    void Arm();

    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* quiet_ = nullptr;
    QString folder_;
    QStringList files_;
};

}  // namespace orvikel::gui
