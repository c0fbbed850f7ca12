#include "main_window.hpp"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <exception>
#include <utility>

#include "common/encoding.hpp"
#include "common/error_text.hpp"
#include "common/literals.hpp"
#include "settings_window.hpp"
#include "vote_window.hpp"

namespace orvikel::gui {

TMainForm::TMainForm(std::filesystem::path programDir, UiSeams& seams, QWidget* parent)
    : QMainWindow(parent), session_(std::move(programDir)), seams_(seams) {
    setObjectName(QStringLiteral("MainForm"));
    BuildLayout();
    ConnectHandlers();
    Run([this] { session_.Create(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::Run(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        seams_.ShowMessage(this, QString::fromStdString(ErrorTextUtf8(error)));
    } catch (...) {
        seams_.ShowMessage(this, QString::fromStdString(UnknownErrorTextUtf8()));
    }
    Render();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) {
        return;
    }
    // The start-up check runs once, after the window has appeared, never on later activations.
    activated_ = true;
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TMainForm::FormActivate() {
    bool needed = false;
    Run([this, &needed] { needed = session_.StartupNeedsSettings(); });
    if (needed) {
        ButtonSettingClick();
    }
}

void TMainForm::ConnectHandlers() {
    // Only `clicked` is used: it comes from the user alone, so a checked state set while
    // drawing never runs a handler again.
    for (int k = 1; k <= kMeetingSlots; ++k) {
        connect(venue_[static_cast<std::size_t>(k)], &QAbstractButton::clicked, this,
                [this, k] { Run([this, k] { session_.ClickVenue(k); }); });
    }
    for (int r = 1; r <= kRaces; ++r) {
        connect(race_[static_cast<std::size_t>(r)], &QAbstractButton::clicked, this,
                [this, r] { Run([this, r] { session_.ClickRace(r); }); });
    }
    connect(upDate_, &QPushButton::clicked, this, [this] { Run([this] { session_.Update(); }); });
    connect(buttonSetting_, &QPushButton::clicked, this, [this] { ButtonSettingClick(); });
    connect(buttonHyou_, &QPushButton::clicked, this, [this] { ButtonHyouClick(); });
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
                [this, n] { CBClick(n); });
    }
    connect(buttonBWclear_, &QPushButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioClear(); }); });
    connect(rbBWSort_, &QAbstractButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioOrder(true); }); });
    connect(rbBWNor_, &QAbstractButton::clicked, this,
            [this] { Run([this] { session_.ClickTrioOrder(false); }); });
}

void TMainForm::CBClick(int horse) {
    Run([this, horse] {
        if (session_.ClickTrioHorse(horse) == ExtractResult::Rejected) {
            // Drawing afterwards unticks the box: the session kept the selection it had.
            seams_.ShowMessage(this, QString::fromStdString(text::ToUtf8(lit::kTooManyTicks)));
        }
    });
}

void TMainForm::ButtonSettingClick() {
    TSubForm* form = nullptr;
    Run([this, &form] { form = new TSubForm(session_.programDir(), seams_, this); });
    if (form == nullptr) {
        return;
    }
    connect(form, &QDialog::finished, this, [this, form] {
        form->deleteLater();
        if (form->quitRequested()) {
            return;  // the program is ending; nothing is shown any more
        }
        Run([this] { session_.Update(); });
    });
    form->open();
}

void TMainForm::ButtonHyouClick() {
    THyouForm* form = nullptr;
    Run([this, &form] { form = new THyouForm(session_.programDir(), seams_, this); });
    if (form == nullptr) {
        return;
    }
    connect(form, &QDialog::finished, form, &QObject::deleteLater);
    form->open();
}

}  // namespace orvikel::gui
