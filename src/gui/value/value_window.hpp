#pragma once
// 理論オッズ: every priced combination of the race on screen beside the odds its win market
// implies, a tab per kind, sortable and filtered, with the discount and the colour limits
// set here. A window of its own beside the main window (not modal); it is handed the lines
// it shows and reads nothing itself, and it hands changed limits back through LimitsChanged.
#include <QDialog>
#include <array>
#include <vector>

#include "settings/settings.hpp"
#include "value/value_model.hpp"

class QDoubleSpinBox;
class QLabel;
class QTabWidget;
class QTableView;

namespace orvikel::gui {

class ValueTableModel;
class ValueFilter;

// What the window shows: the lines of each kind, in the order of kValueKinds, and the
// settings they were priced and are coloured with.
struct ValueShown {
    std::array<std::vector<ValueLine>, kValueKinds.size()> lines;
    ValueSettings settings;
};

class ValueWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ValueWindow(QWidget* parent);

    // Draws the lines of one race; caption names the race (or says why there is nothing).
    // The tab, the sort order and the filters stay as the user left them.
    void Show(const ValueShown& shown, const QString& caption);

  signals:
    // The discount and the 乖離 limits, in hundredths, as the user set them.
    void LimitsChanged(int discount, int high, int low);

  private:
    void ApplyFilters();
    void LimitEdited();

    QLabel* caption_ = nullptr;
    QDoubleSpinBox* discount_ = nullptr;
    QDoubleSpinBox* high_ = nullptr;
    QDoubleSpinBox* low_ = nullptr;
    QDoubleSpinBox* minGap_ = nullptr;
    QDoubleSpinBox* maxOdds_ = nullptr;
    QLabel* count_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<ValueTableModel*, kValueKinds.size()> models_{};
    std::array<ValueFilter*, kValueKinds.size()> filters_{};
    std::array<QTableView*, kValueKinds.size()> tables_{};
};

}  // namespace orvikel::gui
