#include "main_window/main_window.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <exception>
#include <optional>
#include <utility>

#include "app/app_paths.hpp"
#include "platform/encoding.hpp"
#include "platform/error_text.hpp"
#include "platform/folder_lock.hpp"
#include "platform/literals.hpp"
#include "settings/settings_window.hpp"
#include "votes/vote_window.hpp"
#include "widgets/copying.hpp"
#include "widgets/fixed_pitch_memo.hpp"

namespace orvikel::gui {

namespace {

// How soon an action another writer stopped is tried again: a refresh holds the lock for a
// few milliseconds.
constexpr int kBusyRetryMs = 250;

}  // namespace

MainWindow::MainWindow(std::filesystem::path programDir, UiSeams& seams, QWidget* parent)
    : QMainWindow(parent), session_(std::move(programDir)), seams_(seams) {
    setObjectName(QStringLiteral("MainForm"));
    // The GUI thread waits for no other program: a busy folder is tried again from a timer.
    SetDefaultWriterLockWait(std::chrono::milliseconds(0));
    retry_ = new QTimer(this);
    retry_->setSingleShot(true);
    retry_->setInterval(kBusyRetryMs);
    connect(retry_, &QTimer::timeout, this, [this] { RunOrRetry(std::move(retryAction_)); });
    BuildLayout();
    ConnectHandlers();
    ConnectKeys();
    ConnectCopying();
    ConnectLive();
    OpenHistoryStore();
    Run([this] { session_.Create(); });
}

MainWindow::~MainWindow() = default;

bool MainWindow::Run(const std::function<void()>& action) {
    std::optional<QString> failure;
    bool busy = false;
    try {
        action();
    } catch (const WriterBusy&) {
        busy = true;
    } catch (const std::exception& error) {
        failure = QString::fromStdString(ErrorTextUtf8(error));
    } catch (...) {
        failure = QString::fromStdString(UnknownErrorTextUtf8());
    }
    RecordRefresh();
    // The display first shows what the action left (cleared, and filled as far as it got), so
    // the message never stands over the previous race.
    Render();
    if (busy) {
        statusBar()->showMessage(
            QStringLiteral("別のプログラムが作業フォルダに書き込み中です。終わりしだい続けます"));
    } else if (!retry_->isActive()) {
        statusBar()->clearMessage();
    }
    if (failure) {
        seams_.ShowMessage(this, *failure);
    }
    return !busy;
}

void MainWindow::RunOrRetry(std::function<void()> action) {
    retry_->stop();
    retryAction_ = nullptr;
    if (action && !Run(action)) {
        retryAction_ = std::move(action);
        retry_->start();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) {
        return;
    }
    // The start-up check runs once, after the window has appeared, never on later activations.
    activated_ = true;
    QTimer::singleShot(0, this, [this] { RunStartupCheck(); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        stretch_.Apply(centralWidget()->size());
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyGridSelection();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::RunStartupCheck() {
    if (!historyMessage_.isEmpty()) {
        seams_.ShowMessage(this, historyMessage_);
        historyMessage_.clear();
    }
    if (!session_.settings().notice.empty()) {
        // What reading the settings refused, said once; the folder check below follows it.
        seams_.ShowMessage(this, QString::fromStdString(text::ToUtf8(session_.settings().notice)));
    }
    bool needed = false;
    Run([this, &needed] { needed = session_.StartupNeedsSettings(); });
    if (needed) {
        OpenSettingsWindow();
    }
}

void MainWindow::ConnectHandlers() {
    // Only `clicked` is used: it comes from the user alone, so a checked state set while
    // drawing never runs a handler again.
    for (int k = 1; k <= kMeetingSlots; ++k) {
        connect(venue_[static_cast<std::size_t>(k)], &QAbstractButton::clicked, this,
                [this, k] { RunOrRetry([this, k] { session_.ClickVenue(k); }); });
    }
    for (int r = 1; r <= kRaces; ++r) {
        connect(race_[static_cast<std::size_t>(r)], &QAbstractButton::clicked, this,
                [this, r] { RunOrRetry([this, r] { session_.ClickRace(r); }); });
    }
    connect(upDate_, &QPushButton::clicked, this,
            [this] { RunOrRetry([this] { session_.Update(); }); });
    connect(buttonSetting_, &QPushButton::clicked, this, [this] { OpenSettingsWindow(); });
    connect(buttonHyou_, &QPushButton::clicked, this, [this] { OpenVoteCountWindow(); });
    connect(buttonEnd_, &QPushButton::clicked, this, [this] { close(); });

    auto order = [this](QAbstractButton* button, OrderList list, bool popular) {
        connect(button, &QAbstractButton::clicked, this, [this, list, popular] {
            Run([this, list, popular] { session_.ClickOrder(list, popular); });
        });
    };
    order(rbSortT_, OrderList::Grid, true);
    order(rbNorT_, OrderList::Grid, false);
    for (int n = 1; n <= 5; ++n) {
        const auto list = static_cast<OrderList>(n);
        order(rbSort_[static_cast<std::size_t>(n)], list, true);
        order(rbNor_[static_cast<std::size_t>(n)], list, false);
    }

    connect(rbBox_, &QAbstractButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioMode(BoxWheelMode::Box); }); });
    connect(rbWheel_, &QAbstractButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioMode(BoxWheelMode::Wheel); }); });
    for (int n = 1; n <= kHorses; ++n) {
        connect(cb_[static_cast<std::size_t>(n)], &QAbstractButton::clicked, this,
                [this, n] { TickHorse(n); });
    }
    connect(buttonBWclear_, &QPushButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioClear(); }); });
    connect(rbBWSort_, &QAbstractButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioOrder(true); }); });
    connect(rbBWNor_, &QAbstractButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioOrder(false); }); });
}

void MainWindow::ConnectCopying() {
    // The grid and the five lists also save the race's lists as CSV files.
    const std::function<void()> saveCsv = [this] { SaveCsvFiles(); };
    const std::function<bool()> canSaveCsv = [this] { return session_.RaceDisplayed(); };
    const auto memoActions = [this, &saveCsv, &canSaveCsv](FixedPitchMemo* memo, bool csv) {
        return ListActions{
            .copy = [this, memo] { Run([memo] { memo->copy(); }); },
            .copyAll = [this, memo] { Run([memo] { CopyToClipboard(memo->toPlainText()); }); },
            .canCopy = [memo] { return memo->textCursor().hasSelection(); },
            .saveCsv = csv ? saveCsv : nullptr,
            .canSaveCsv = canSaveCsv};
    };
    for (int n = 1; n <= 5; ++n) {
        FixedPitchMemo* memo = memo_[static_cast<std::size_t>(n)];
        AttachListMenu(memo, memoActions(memo, true));
    }
    AttachListMenu(memoSeiseki_, memoActions(memoSeiseki_, false));
    AttachListMenu(
        grid_,
        ListActions{.copy = [this] { CopyGridSelection(); },
                    .copyAll = [this] { Run([this] { CopyToClipboard(GridAllText(*grid_)); }); },
                    .canCopy = [this] { return !grid_->selectedRanges().isEmpty(); },
                    .saveCsv = saveCsv,
                    .canSaveCsv = canSaveCsv});
    // The grid's own Ctrl+C copies one cell only; the whole selected range is wanted.
    grid_->installEventFilter(this);
}

void MainWindow::SaveCsvFiles() {
    Run([this] {
        const QString start =
            csvFolder_.isEmpty()
                ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                : csvFolder_;
        const std::optional<QString> folder = seams_.ChooseFolder(this, start);
        if (!folder) {
            return;
        }
        session_.ExportCsv(ToPath(*folder));
        csvFolder_ = *folder;
        seams_.ShowMessage(this, QStringLiteral("CSVファイルを保存しました。\n%1").arg(*folder));
    });
}

void MainWindow::CopyGridSelection() {
    Run([this] {
        const QString text = GridSelectionText(*grid_);
        if (!text.isEmpty()) {
            CopyToClipboard(text);
        }
    });
}

void MainWindow::ConnectKeys() {
    // F5 is 更新 as in a browser; F6 switches the list that has the focus between 人気順 and 通常.
    auto* update = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(update, &QShortcut::activated, upDate_, &QPushButton::click);
    auto* order = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(order, &QShortcut::activated, this, [this] { SwitchFocusedListOrder(); });
}

void MainWindow::SwitchFocusedListOrder() {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return;
    }
    const auto within = [focus](const QWidget* area) {
        return area == focus || area->isAncestorOf(focus);
    };
    QRadioButton* popular = nullptr;
    QRadioButton* number = nullptr;
    if (within(grid_)) {
        popular = rbSortT_;
        number = rbNorT_;
    }
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (within(gbOdds_[i])) {
            popular = rbSort_[i];
            number = rbNor_[i];
        }
    }
    // While BOX or 総流し is chosen, the trio memo shows the extraction in the panel's order.
    if (popular == rbSort_[5] && (rbBox_->isChecked() || rbWheel_->isChecked())) {
        popular = rbBWSort_;
        number = rbBWNor_;
    }
    if (popular == nullptr || !popular->isVisibleTo(this)) {
        return;
    }
    // The same click as the mouse's, so the same handler runs.
    (popular->isChecked() ? number : popular)->click();
}

void MainWindow::TickHorse(int horse) {
    RunOrRetry([this, horse] {
        if (session_.ClickTrioHorse(horse) == ExtractResult::Rejected) {
            // Drawing afterwards unticks the box: the session kept the selection it had.
            seams_.ShowMessage(this, QString::fromStdString(text::ToUtf8(lit::kTooManyTicks)));
        }
    });
}

void MainWindow::OpenSettingsWindow() {
    SettingsWindow* form = nullptr;
    Run([this, &form] { form = new SettingsWindow(session_.programDir(), seams_, this); });
    if (form == nullptr) {
        return;
    }
    connect(form, &QDialog::finished, this, [this, form] {
        form->deleteLater();
        if (form->quitRequested()) {
            return;  // the program is ending; nothing is shown any more
        }
        RunOrRetry([this] { session_.Update(); });
    });
    form->open();
}

void MainWindow::OpenVoteCountWindow() {
    VoteCountWindow* form = nullptr;
    Run([this, &form] { form = new VoteCountWindow(session_.programDir(), seams_, this); });
    if (form == nullptr) {
        return;
    }
    connect(form, &QDialog::finished, form, &QObject::deleteLater);
    form->open();
}

}  // namespace orvikel::gui
