#pragma once
// SettingsWindow: the settings window. It works on its own copies of the stored settings, writes
// the settings file when it closes, and ends the program when it is closed without a data folder.
#include <QDialog>
#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "settings/settings.hpp"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvikel::gui {

class UiSeams;

class SettingsWindow : public QDialog {
    Q_OBJECT
  public:
    SettingsWindow(std::filesystem::path programDir, UiSeams& seams, QWidget* parent);

    // True once the window has asked the program to end.
    bool quitRequested() const { return quitRequested_; }

  public Q_SLOTS:
    // Escape closes like the close box, through the same checks.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout();
    void BuildOrderGroups(QWidget* parent);
    void AskForFolderIfNeeded();
    void ChooseFolder();
    void SaveAndClose();
    // The checks and the save of a closing window; false keeps the window open.
    bool CheckAndSaveOnClose();
    // The folder box's text as the settings keep it; a name with a control character or one
    // CP932 cannot hold is shown as refused and gives nullopt.
    std::optional<std::string> FolderField(const QString& folder);
    // Writes the settings file with folderField; a failure is shown and gives false.
    bool Save(const std::string& folderField);

    std::filesystem::path programDir_;
    UiSeams& seams_;
    bool activated_ = false;
    bool quitRequested_ = false;

    // The working copies.
    std::string folderAtOpen_;
    std::string minusSign_;
    SortFlags sort_;
    std::string folderConfirmed_;

    QLineEdit* edit1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    std::array<QRadioButton*, 18> radio_{};  // RadioButton1..17; [0] unused
};

}  // namespace orvikel::gui
