#pragma once
// Copying what the lists show: the context menu every list, memo and the grid share, and the
// texts they put on the clipboard.
#include <QString>
#include <functional>

class QAbstractScrollArea;
class QMenu;
class QTableWidget;
class QWidget;

namespace orvikel::gui {

// What a list's context menu offers. Every list's menu is built by BuildListMenu alone, so an
// entry added there appears on the grid, the five lists, the results memo and the vote counts.
struct ListActions {
    std::function<void()> copy;     // コピー: the selection
    std::function<void()> copyAll;  // すべてコピー
    std::function<bool()> canCopy;  // whether anything is selected
    // CSVで保存...: the race's lists as CSV files; no entry without it (the results memo and
    // the vote counts are no list of their own)
    std::function<void()> saveCsv;
    std::function<bool()> canSaveCsv;  // whether a race is shown
};

QMenu* BuildListMenu(QWidget* parent, const ListActions& actions);
// Opens the menu at the pointer when list asks for a context menu.
void AttachListMenu(QAbstractScrollArea* list, ListActions actions);

void CopyToClipboard(const QString& text);

// The grid's cells of rows top..bottom and columns left..right (0-based) under their column
// titles: one line per row, cells separated by tabs and freed of their padding blanks.
QString GridText(const QTableWidget& grid, int top, int left, int bottom, int right);
// The selected range of the grid; empty when nothing is selected.
QString GridSelectionText(const QTableWidget& grid);
QString GridAllText(const QTableWidget& grid);

}  // namespace orvikel::gui
