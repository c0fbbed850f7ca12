// Following the client: the 自動更新 box, the watch of the data folder and the live refresh,
// which runs inside the same error boundary as every handler.
#include <QApplication>
#include <QCheckBox>
#include <QDir>

#include "app/app_paths.hpp"
#include "main_window/client_watcher.hpp"
#include "main_window/main_window.hpp"
#include "platform/encoding.hpp"

namespace orvikel::gui {

void MainWindow::BuildLiveControls(QWidget* panel) {
    // In the header strip, right of the order buttons: clear of every control of the layout.
    cbAutoUpdate_ = new QCheckBox(QStringLiteral("自動更新"), panel);
    cbAutoUpdate_->setObjectName(QStringLiteral("CBAutoUpdate"));
    cbAutoUpdate_->setGeometry(700, 52, 80, 18);
    cbAutoUpdate_->setToolTip(
        QStringLiteral("KELクライアントがファイルを書き換えたら、表示中のレースを読み直します"));
    // Clicking it must not take the keyboard from the lists.
    cbAutoUpdate_->setFocusPolicy(Qt::NoFocus);
    watcher_ = new ClientWatcher(this);
    BuildHistoryControls(panel);
    BuildValueControls(panel);
}

void MainWindow::ConnectLive() {
    connect(cbAutoUpdate_, &QAbstractButton::clicked, this,
            [this](bool on) { RunOrRetry([this, on] { session_.ClickAutoUpdate(on); }); });
    connect(watcher_, &ClientWatcher::Settled, this, [this] { ClientSettled(); });
}

void MainWindow::RenderLive() {
    RenderMarks();
    cbAutoUpdate_->setChecked(session_.AutoUpdate());
    const RaceFiles files = session_.ShownRaceFiles();
    if (!session_.AutoUpdate() || files.Name(kRaceCard).empty()) {
        watcher_->Watch(QString(), {}, {});
        return;
    }
    QStringList names;
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        names.append(QDir::cleanPath(FromPath(text::NativePath(files.Name(kind)))));
    }
    watcher_->Watch(QDir::cleanPath(FromPath(text::NativePath(session_.settings().KelDir))), names,
                    files);
}

void MainWindow::ClientSettled() {
    // Nothing changes under a window the user is busy with (settings, vote counts, a message):
    // the refresh waits until it is closed.
    if (QApplication::activeModalWidget() != nullptr) {
        watcher_->AgainLater();
        return;
    }
    LiveStep step = LiveStep::Unchanged;
    // Another writer at work: read again after the quiet time, no attempt spent.
    if (!Run([this, &step] { step = session_.FollowClient(); }) || step == LiveStep::Retry) {
        watcher_->AgainLater();
    } else if (step == LiveStep::Report) {
        seams_.ShowMessage(this, QString::fromStdString(text::ToUtf8(session_.liveError())));
    }
}

}  // namespace orvikel::gui
