#pragma once
// What the windows ask of the desktop beyond drawing themselves: message boxes, the folder
// chooser and ending the program. The windows receive it from outside, so tests hand in a fake
// that records the messages and answers from a script instead of blocking on a modal dialog.
#include <QFileDialog>
#include <QString>
#include <functional>
#include <optional>

class QMessageBox;
class QWidget;

namespace orvikel::gui {

class UiSeams {
  public:
    virtual ~UiSeams() = default;
    // A plain message box with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The modal folder chooser opened at start; nullopt when the user cancels.
    virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& start) = 0;
    // Ends the program once the running event has been handled.
    virtual void Quit() = 0;
};

// The real desktop.
class DesktopSeams final : public UiSeams {
  public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    std::optional<QString> ChooseFolder(QWidget* parent, const QString& start) override;
    void Quit() override;
};

// The folder chooser: a folder may be created with the dialog's own button, or by typing the
// name of one that does not exist yet, which is created after asking.
// Titled "ディレクトリの選択"; it has no help button, as there is no help text to show.
class FolderChooser : public QFileDialog {
    Q_OBJECT
  public:
    FolderChooser(QWidget* parent, const QString& start);
    // The question before a typed folder is created; tests replace it.
    std::function<bool(const QString& question)> askYesNo;
    // The question as the desktop asks it: はい / いいえ, はい first.
    static QMessageBox* MakeQuestion(QWidget* parent, const QString& question);

  public Q_SLOTS:
    void accept() override;
};

}  // namespace orvikel::gui
