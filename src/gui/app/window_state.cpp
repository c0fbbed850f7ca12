#include "app/window_state.hpp"

#include <QSettings>
#include <QWidget>

namespace orvikel::gui {

namespace {
const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
}

QSettings* OpenWindowStateStore() {
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvi"),
                         QStringLiteral("OrviKEL Viewer"));
}

bool RestoreWindowState(QWidget& window, QSettings& store) {
    const QByteArray geometry = store.value(kGeometryKey).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void SaveWindowState(const QWidget& window, QSettings& store) {
    store.setValue(kGeometryKey, window.saveGeometry());
    store.sync();
}

}  // namespace orvikel::gui
