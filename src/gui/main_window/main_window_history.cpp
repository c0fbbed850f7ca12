// The odds history in the window: every refresh stores its snapshot, the race card marks the
// horses whose win odds moved since the previous one, and オッズ推移 shows them all.
#include <QDateTime>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

#include "history/odds_history_model.hpp"
#include "history/odds_history_window.hpp"
#include "history_store.hpp"
#include "main_window/main_window.hpp"
#include "platform/encoding.hpp"

namespace orvikel::gui {

namespace {

QString Text(std::string_view cp932) {
    return QString::fromStdString(text::ToUtf8(cp932));
}

}  // namespace

void MainWindow::BuildHistoryControls(QWidget* panel) {
    // In the header strip beside 自動更新, clear of every control of the layout.
    buttonSuii_ = new QPushButton(QStringLiteral("オッズ推移"), panel);
    buttonSuii_->setObjectName(QStringLiteral("ButtonSuii"));
    buttonSuii_->setGeometry(786, 49, 84, 21);
    buttonSuii_->setToolTip(QStringLiteral("単勝オッズと票数の推移 (Ctrl+H)"));
    buttonSuii_->setFocusPolicy(Qt::NoFocus);
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
    connect(key, &QShortcut::activated, this, [this] { ButtonSuiiClick(); });
    connect(buttonSuii_, &QPushButton::clicked, this, [this] { ButtonSuiiClick(); });
}

void MainWindow::OpenHistoryStore() {
    if (!history::HistoryBuiltIn()) {
        return;
    }
    try {
        history_ = history::OpenHistory(session_.programDir(), QDateTime::currentSecsSinceEpoch());
    } catch (const history::HistoryError& e) {
        // Said once the window is up; the viewer goes on without history.
        historyMessage_ = Text(e.what());
    }
}

void MainWindow::HistoryFailed(const history::HistoryError& error) {
    history_.reset();
    seams_.ShowMessage(this, Text(error.what()));
}

void MainWindow::RecordRefresh() {
    if (session_.refreshCount() == recordedRefresh_) {
        return;
    }
    recordedRefresh_ = session_.refreshCount();
    marks_ = history::WinMarks{};
    if (!history_) {
        return;
    }
    try {
        const RaceSnapshot& snapshot = session_.snapshot();
        if (session_.refreshSettled()) {
            history_->Record(snapshot, QDateTime::currentSecsSinceEpoch());
        }
        const auto before = history_->Previous(snapshot.race, history::SnapshotOddsTime(snapshot));
        if (before) {
            marks_ = history::MarksSince(snapshot, *before);
        }
    } catch (const history::HistoryError& e) {
        HistoryFailed(e);
    }
    if (historyWindow_ != nullptr && historyWindow_->isVisible()) {
        ShowHistoryFigures();
    }
}

void MainWindow::RenderMarks() {
    const DisplayState& display = session_.display();
    for (int r = 1; r <= kGridRows; ++r) {
        QTableWidgetItem* item = grid_->item(r - 1, 2);
        const int horse = display.gridHorse[r];
        const history::WinMark mark = horse >= 1 && horse <= history::kMaxHorse
                                          ? marks_[static_cast<std::size_t>(horse)]
                                          : history::WinMark{};
        // Only the colour and the tooltip: the text stays exactly the work file's.
        if (mark.move == history::Move::Same) {
            item->setData(Qt::BackgroundRole, QVariant());
            item->setToolTip(QString());
            continue;
        }
        item->setBackground(mark.move == history::Move::Fell ? OddsHistoryModel::FellColour()
                                                             : OddsHistoryModel::RoseColour());
        item->setToolTip(QStringLiteral("%1 (前回 %2 現在: %3)")
                             .arg(mark.move == history::Move::Fell
                                      ? QStringLiteral("単勝オッズ下降")
                                      : QStringLiteral("単勝オッズ上昇"),
                                  Text(mark.previousTime), Text(mark.previousText)));
    }
}

void MainWindow::ButtonSuiiClick() {
    Run([this] {
        if (historyWindow_ == nullptr) {
            historyWindow_ = new OddsHistoryWindow(this);
        }
        ShowHistoryFigures();
        historyWindow_->show();
        historyWindow_->raise();
    });
}

void MainWindow::ShowHistoryFigures() {
    {
        if (!history_) {
            historyWindow_->Show(history::OddsHistory{}, QStringLiteral("オッズ履歴は使えません"));
            return;
        }
        if (session_.selection().SelectedRace == 0 || session_.refreshCount() == 0) {
            historyWindow_->Show(history::OddsHistory{},
                                 QStringLiteral("レースが選ばれていません"));
            return;
        }
        const RaceSnapshot& snapshot = session_.snapshot();
        try {
            const auto figures =
                history::BuildOddsHistory(history_->Snapshots(snapshot.race, true));
            historyWindow_->Show(figures, Text(session_.display().header.dateLine));
        } catch (const history::HistoryError& e) {
            HistoryFailed(e);
            historyWindow_->Show(history::OddsHistory{}, QStringLiteral("オッズ履歴は使えません"));
        }
    }
}

}  // namespace orvikel::gui
