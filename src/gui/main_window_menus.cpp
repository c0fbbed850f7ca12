// The context menus of the race-card grid and the five odds lists, and what their entries do.
#include <QAbstractScrollArea>
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTableWidget>

#include "app_paths.hpp"
#include "main_window.hpp"

namespace orvikel::gui {

void TMainForm::BuildListMenus() {
    std::vector<QAbstractScrollArea*> lists{grid_};
    for (int n = 1; n <= 5; ++n) {
        lists.push_back(memo_[static_cast<std::size_t>(n)]);
    }
    for (QAbstractScrollArea* list : lists) {
        auto* menu = new QMenu(list);
        menu->setObjectName(list->objectName() + QStringLiteral("Menu"));
        QAction* csv = menu->addAction(QStringLiteral("CSVで保存..."));
        csv->setObjectName(QStringLiteral("ActionSaveCsv"));
        csv->setEnabled(false);  // until a race is shown
        connect(csv, &QAction::triggered, this, [this] { SaveCsvClick(); });
        saveCsv_.push_back(csv);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        // A scroll area reports the position in its viewport.
        connect(list, &QWidget::customContextMenuRequested, menu,
                [list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
    }
}

void TMainForm::SaveCsvClick() {
    Run([this] {
        const QString start =
            csvFolder_.isEmpty()
                ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                : csvFolder_;
        const std::optional<QString> folder = seams_.ChooseFolder(this, start);
        if (!folder) {
            return;
        }
        session_.ExportCsv(ToPath(*folder));
        csvFolder_ = *folder;
        seams_.ShowMessage(this, QStringLiteral("CSVファイルを保存しました。\n%1").arg(*folder));
    });
}

}  // namespace orvikel::gui
