#include "widgets/copying.hpp"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QStringList>
#include <QTableWidget>

namespace orvikel::gui {

QMenu* BuildListMenu(QWidget* parent, const ListActions& actions) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("ListMenu"));
    QAction* copy = menu->addAction(QStringLiteral("コピー"), actions.copy);
    copy->setShortcut(QKeySequence::Copy);  // shown beside the entry; the list handles the key
    copy->setEnabled(!actions.canCopy || actions.canCopy());
    menu->addAction(QStringLiteral("すべてコピー"), actions.copyAll);
    if (actions.saveCsv) {
        menu->addSeparator();
        QAction* csv = menu->addAction(QStringLiteral("CSVで保存..."), actions.saveCsv);
        csv->setEnabled(!actions.canSaveCsv || actions.canSaveCsv());
    }
    return menu;
}

void AttachListMenu(QAbstractScrollArea* list, ListActions actions) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QWidget::customContextMenuRequested, list,
                     [list, actions = std::move(actions)](const QPoint& pos) {
                         QMenu* menu = BuildListMenu(list, actions);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         // A scroll area reports the position in its viewport.
                         menu->popup(list->viewport()->mapToGlobal(pos));
                     });
}

void CopyToClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString GridText(const QTableWidget& grid, int top, int left, int bottom, int right) {
    QString text;
    const auto line = [&text](const QStringList& cells) {
        text += cells.join(QLatin1Char('\t'));
        text += QLatin1Char('\n');
    };
    QStringList cells;
    for (int c = left; c <= right; ++c) {
        const QTableWidgetItem* title = grid.horizontalHeaderItem(c);
        cells.append(title != nullptr ? title->text().trimmed() : QString());
    }
    line(cells);
    for (int r = top; r <= bottom; ++r) {
        cells.clear();
        for (int c = left; c <= right; ++c) {
            const QTableWidgetItem* cell = grid.item(r, c);
            // trimmed() also takes the full-width blanks that pad the converted cells.
            cells.append(cell != nullptr ? cell->text().trimmed() : QString());
        }
        line(cells);
    }
    return text;
}

QString GridSelectionText(const QTableWidget& grid) {
    const QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
    if (ranges.isEmpty()) {
        return QString();
    }
    const QTableWidgetSelectionRange& range = ranges.constFirst();
    return GridText(grid, range.topRow(), range.leftColumn(), range.bottomRow(),
                    range.rightColumn());
}

QString GridAllText(const QTableWidget& grid) {
    return GridText(grid, 0, 0, grid.rowCount() - 1, grid.columnCount() - 1);
}

}  // namespace orvikel::gui
