#pragma once
// The main window's size and position between runs, kept where the platform keeps per-user
// window state (the registry on Windows, ~/.config elsewhere), apart from the settings file.
class QSettings;
class QWidget;

namespace orvikel::gui {

// The per-user store of the viewer's window state.
QSettings* OpenWindowStateStore();

// Gives window its stored size and position; false when none is stored (or it cannot be used),
// and the window keeps its first size.
bool RestoreWindowState(QWidget& window, QSettings& store);
void SaveWindowState(const QWidget& window, QSettings& store);

}  // namespace orvikel::gui
