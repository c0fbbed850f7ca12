#pragma once
// VoteCountWindow: the vote-count window, showing the summary the last refresh wrote.
#include <QDialog>
#include <filesystem>

class QPushButton;

namespace orvikel::gui {

class FixedPitchMemo;
class UiSeams;

class VoteCountWindow : public QDialog {
    Q_OBJECT
  public:
    // Reads "QvHyou.dat" of programDir; a file that cannot be read is reported through seams
    // and the window opens with an empty list.
    VoteCountWindow(const std::filesystem::path& programDir, UiSeams& seams, QWidget* parent);

  private:
    FixedPitchMemo* memo1_ = nullptr;
    QPushButton* button1_ = nullptr;
};

}  // namespace orvikel::gui
