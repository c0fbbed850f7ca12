// OrviKELViewer: the main window over the settings and work files beside the executable.
#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <memory>

#include "app/app_paths.hpp"
#include "app/folder_claim.hpp"
#include "app/japanese.hpp"
#include "app/seams.hpp"
#include "app/window_state.hpp"
#include "main_window/main_window.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrviKEL Viewer"));
    orvikel::gui::InstallJapanese(app);

    orvikel::gui::DesktopSeams seams;
    const std::filesystem::path programDir =
        orvikel::gui::ToPath(QCoreApplication::applicationDirPath());
    const auto claim = orvikel::gui::ClaimProgramFolder(programDir, seams);
    if (!claim) {
        return 1;
    }
    orvikel::gui::MainWindow window(programDir, seams);
    window.adjustSize();
    const std::unique_ptr<QSettings> windowState(orvikel::gui::OpenWindowStateStore());
    if (!orvikel::gui::RestoreWindowState(window, *windowState)) {
        if (const QScreen* screen = window.screen()) {
            QRect frame = window.frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window.move(frame.topLeft());
        }
    }
    window.show();
    const int status = QApplication::exec();
    orvikel::gui::SaveWindowState(window, *windowState);
    return status;
}
