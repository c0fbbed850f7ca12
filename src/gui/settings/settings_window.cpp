#include "settings/settings_window.hpp"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <exception>
#include <utility>

#include "app/seams.hpp"
#include "platform/encoding.hpp"
#include "platform/error_text.hpp"
#include "platform/literals.hpp"
#include "platform/paths.hpp"
#include "widgets/fonts.hpp"
#include "widgets/group_frames.hpp"

namespace orvikel::gui {

namespace {

QString Text(const std::string& cp932) {
    return QString::fromStdString(text::ToUtf8(cp932));
}

QRadioButton* MakeRadio(QWidget* parent, int number, const QString& caption, const QRect& geometry,
                        const QFont& font) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QStringLiteral("RadioButton%1").arg(number));
    button->setGeometry(geometry);
    button->setFont(font);
    return button;
}

QGroupBox* MakeGroup(QWidget* parent, int number, const QString& caption, const QRect& geometry) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(number));
    box->setGeometry(geometry);
    return box;
}

// The seven order flags with the numbers of their 人気順 / 通常 buttons and their captions.
struct OrderGroup {
    int box;
    const char* caption;
    QRect geometry;
    int popular;
    int number;
    std::string SortFlags::*flag;
};
const std::array<OrderGroup, 7>& OrderGroups() {
    static const std::array<OrderGroup, 7> groups{{
        {3, "単勝（出馬表）", QRect(8, 16, 97, 65), 4, 5, &SortFlags::Tsort},
        {4, "枠連オッズ", QRect(112, 16, 97, 65), 6, 9, &SortFlags::Wsort},
        {5, "馬連オッズ", QRect(216, 16, 97, 65), 7, 10, &SortFlags::Usort},
        {6, "ワイドオッズ", QRect(320, 16, 97, 65), 8, 11, &SortFlags::Ksort},
        {8, "馬単オッズ", QRect(8, 88, 97, 65), 12, 13, &SortFlags::Ssort},
        {9, "３連複オッズ", QRect(112, 88, 97, 65), 14, 15, &SortFlags::Ysort},
        {10, "３連複-BOX総流しオッズ", QRect(216, 88, 145, 65), 16, 17, &SortFlags::YBWsort},
    }};
    return groups;
}

}  // namespace

SettingsWindow::SettingsWindow(std::filesystem::path programDir, UiSeams& seams, QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)), seams_(seams) {
    setObjectName(QStringLiteral("SubForm"));
    setWindowTitle(QStringLiteral("OrviKEL98 Viewer 設定"));
    setFont(ProportionalFont(12));
    setFixedSize(573, 300);
    setStyleSheet(GroupFrameStyle());
    BuildLayout();

    // FormCreate: the working copies come from the file, not from the main window.
    const Settings stored = ReadSettings(programDir_);
    folderAtOpen_ = stored.KelDir;
    minusSign_ = stored.MinusSign;
    sort_ = stored.sort;
    folderConfirmed_ = stored.FolderConfirmed;

    edit1_->setText(Text(folderAtOpen_));
    if (minusSign_ == lit::kSignFilled) {
        radio_[1]->setChecked(true);
    } else if (minusSign_ == lit::kSignDash) {
        radio_[2]->setChecked(true);
    } else {
        // Any other stored sign opens, and is saved, as the open triangle.
        radio_[3]->setChecked(true);
        minusSign_ = lit::kSignOpen;
    }
    for (const OrderGroup& group : OrderGroups()) {
        // A flag other than "True" keeps its text until its group is touched.
        const bool popular = IsPopularityOrder(sort_.*group.flag);
        radio_[static_cast<std::size_t>(popular ? group.popular : group.number)]->setChecked(true);
    }
}

void SettingsWindow::BuildLayout() {
    auto* folderBox = MakeGroup(this, 1, QStringLiteral("KELがインストールしてあるフォルダ"),
                                QRect(8, 16, 553, 49));
    edit1_ = new QLineEdit(folderBox);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setGeometry(8, 16, 401, 20);
    button1_ = new QPushButton(QStringLiteral("変更"), folderBox);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(424, 16, 113, 25);
    connect(button1_, &QPushButton::clicked, this, [this] { ChooseFolder(); });

    auto* signBox = MakeGroup(this, 2, QStringLiteral("増減のマイナス表示"), QRect(8, 72, 121, 97));
    const std::array<const char*, 3> signs{"▲12", "－12", "△12"};
    const std::array<std::string_view, 3> values{lit::kSignFilled, lit::kSignDash, lit::kSignOpen};
    for (int i = 0; i < 3; ++i) {
        QRadioButton* button =
            MakeRadio(signBox, i + 1, QString::fromUtf8(signs[static_cast<std::size_t>(i)]),
                      QRect(16, 16 + 24 * i, 90, 20), FixedFont(16));
        radio_[static_cast<std::size_t>(i + 1)] = button;
        const std::string_view value = values[static_cast<std::size_t>(i)];
        connect(button, &QRadioButton::clicked, this, [this, value] { minusSign_ = value; });
    }

    auto* orders =
        MakeGroup(this, 7, QStringLiteral("並び替え（初期状態）"), QRect(136, 72, 425, 161));
    BuildOrderGroups(orders);

    button2_ = new QPushButton(QStringLiteral("閉じる"), this);
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setGeometry(8, 248, 553, 33);
    connect(button2_, &QPushButton::clicked, this, [this] { SaveAndClose(); });
}

void SettingsWindow::BuildOrderGroups(QWidget* parent) {
    for (const OrderGroup& group : OrderGroups()) {
        auto* box = MakeGroup(parent, group.box, QString::fromUtf8(group.caption), group.geometry);
        const int width = group.geometry.width() - 12;
        QRadioButton* popular = MakeRadio(box, group.popular, QStringLiteral("人気順"),
                                          QRect(8, 16, width, 20), ProportionalFont(16));
        QRadioButton* number = MakeRadio(box, group.number, QStringLiteral("通常"),
                                         QRect(8, 40, width, 20), ProportionalFont(16));
        radio_[static_cast<std::size_t>(group.popular)] = popular;
        radio_[static_cast<std::size_t>(group.number)] = number;
        std::string SortFlags::*flag = group.flag;
        connect(popular, &QRadioButton::clicked, this, [this, flag] { sort_.*flag = "True"; });
        connect(number, &QRadioButton::clicked, this, [this, flag] { sort_.*flag = "false"; });
    }
}

void SettingsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        QTimer::singleShot(0, this, [this] { AskForFolderIfNeeded(); });
    }
}

void SettingsWindow::AskForFolderIfNeeded() {
    if (folderConfirmed_ != "0" && IsDataFolderValid(folderAtOpen_)) {
        return;
    }
    seams_.ShowMessage(this,
                       QStringLiteral("KELがインストールしてあるフォルダを選択してください！"));
    ChooseFolder();
}

void SettingsWindow::ChooseFolder() {
    const std::optional<QString> chosen = seams_.ChooseFolder(this, edit1_->text());
    if (!chosen) {
        return;
    }
    // A folder the settings file cannot name is refused at once, and the box keeps its text.
    const std::optional<std::string> folder = FolderField(*chosen);
    if (!folder) {
        return;
    }
    edit1_->clear();
    edit1_->setText(Text(WithSeparator(*folder)));
}

std::optional<std::string> SettingsWindow::FolderField(const QString& folder) {
    try {
        return FolderSettingFromUtf8(folder.toStdString());
    } catch (const std::exception& error) {
        seams_.ShowMessage(this, QString::fromStdString(ErrorTextUtf8(error)));
        return std::nullopt;
    }
}

void SettingsWindow::SaveAndClose() {
    const std::optional<std::string> folder = FolderField(edit1_->text());
    if (!folder || !Save(*folder)) {
        return;
    }
    close();
}

bool SettingsWindow::Save(const std::string& folderField) {
    try {
        SaveSettings(programDir_, SettingsToSave{folderField, minusSign_, sort_});
        return true;
    } catch (const std::exception& error) {
        seams_.ShowMessage(this, QString::fromStdString(ErrorTextUtf8(error)));
        return false;
    }
}

bool SettingsWindow::CheckAndSaveOnClose() {
    // A folder name the settings file cannot hold, or one with a line break, is refused
    // before any notice about the folder and before anything is saved; the window stays open.
    const std::optional<std::string> field = FolderField(edit1_->text());
    if (!field) {
        return false;
    }
    const std::string& edited = *field;
    // A folder typed without its final separator is still the folder the user meant, so the
    // test is made on the form in which it is stored.
    const std::string folder = WithSeparator(edited);
    if (edited.empty() || !IsDataFolderValid(folder)) {
        seams_.ShowMessage(this,
                           QStringLiteral("KELのフォルダが正しく設定されていません。終了します。"));
        if (!Save(edited)) {
            return false;
        }
        quitRequested_ = true;
        seams_.Quit();
        return true;
    }
    if (folder != folderAtOpen_) {
        seams_.ShowMessage(this, QStringLiteral("KELのフォルダが変更されました。"));
    }
    return Save(folder);
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    if (!CheckAndSaveOnClose()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

void SettingsWindow::reject() {
    close();
}

}  // namespace orvikel::gui
