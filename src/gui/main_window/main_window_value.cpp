// 理論オッズ in the main window: the button and Ctrl+T that open its window, which follows the
// race on screen, and the 妙味 box that tints the odds-list lines worth more than the win
// market implies.
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "main_window/main_window.hpp"
#include "platform/encoding.hpp"
#include "value/value_table_model.hpp"
#include "value/value_window.hpp"
#include "widgets/fixed_pitch_memo.hpp"

namespace orvikel::gui {

void MainWindow::BuildValueControls(QWidget* panel) {
    // In the header strip left of 自動更新, clear of every control of the layout.
    cbValueMarks_ = new QCheckBox(QStringLiteral("妙味"), panel);
    cbValueMarks_->setObjectName(QStringLiteral("CBValueMarks"));
    cbValueMarks_->setGeometry(548, 52, 56, 18);
    cbValueMarks_->setToolTip(QStringLiteral(
        "乖離 (オッズ ÷ 理論オッズ) が理論オッズの画面の緑の基準以上の組に、オッズ一覧で色を"
        "つけます"));
    // Clicking it must not take the keyboard from the lists.
    cbValueMarks_->setFocusPolicy(Qt::NoFocus);
    connect(cbValueMarks_, &QAbstractButton::clicked, this,
            [this](bool on) { Run([this, on] { session_.ClickValueMarks(on); }); });

    buttonValue_ = new QPushButton(QStringLiteral("理論オッズ"), panel);
    buttonValue_->setObjectName(QStringLiteral("ButtonValue"));
    buttonValue_->setGeometry(612, 49, 84, 21);
    buttonValue_->setToolTip(QStringLiteral("単勝オッズから求めた理論オッズと乖離 (Ctrl+T)"));
    buttonValue_->setFocusPolicy(Qt::NoFocus);
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    connect(key, &QShortcut::activated, this, [this] { ButtonValueClick(); });
    connect(buttonValue_, &QPushButton::clicked, this, [this] { ButtonValueClick(); });
}

void MainWindow::ButtonValueClick() {
    Run([this] {
        if (valueWindow_ == nullptr) {
            valueWindow_ = new ValueWindow(this);
            connect(valueWindow_, &ValueWindow::LimitsChanged, this,
                    [this](int discount, int high, int low) {
                        Run([this, discount, high, low] {
                            session_.SetValueLimits(discount, high, low);
                        });
                    });
        }
        ShowValueFigures();
        valueWindow_->show();
        valueWindow_->raise();
    });
}

MainWindow::ValueShownKey MainWindow::ValueKey() const {
    const Selection& selection = session_.selection();
    return ValueShownKey{.refresh = session_.refreshCount(),
                         .displayed = session_.RaceDisplayed(),
                         .meeting = selection.SelectedMeeting,
                         .race = selection.SelectedRace,
                         .settings = session_.settings().value};
}

void MainWindow::ShowValueFigures() {
    valueShown_ = ValueKey();
    ValueShown shown;
    shown.settings = session_.settings().value;
    if (!session_.RaceDisplayed()) {
        valueWindow_->Show(shown, QStringLiteral("レースが選ばれていません"));
        return;
    }
    const ValueBoard board = session_.Value();
    for (std::size_t k = 0; k < kValueKinds.size(); ++k) {
        shown.lines[k] = ValueLines(session_.snapshot(), board, kValueKinds[k]);
    }
    valueWindow_->Show(shown,
                       QString::fromStdString(text::ToUtf8(session_.display().header.dateLine)));
}

void MainWindow::RenderValue() {
    cbValueMarks_->setChecked(session_.settings().value.marks);
    const ByOddsList<std::vector<bool>> marked = session_.ValueMarkedLines();
    for (const OrderList list : kOddsLists) {
        memo_[static_cast<std::size_t>(list)]->SetLineMarks(marked[list],
                                                            ValueTableModel::HighColour());
    }
    if (valueWindow_ == nullptr || !valueWindow_->isVisible()) {
        return;
    }
    if (!(ValueKey() == valueShown_)) {
        ShowValueFigures();
    }
}

}  // namespace orvikel::gui
