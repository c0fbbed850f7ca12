// OrviKELViewer: the main window over the settings and work files beside the executable.
#include <QApplication>
#include <QScreen>

#include "app_paths.hpp"
#include "folder_claim.hpp"
#include "main_window.hpp"
#include "seams.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrviKEL Viewer"));

    orvikel::gui::DesktopSeams seams;
    const std::filesystem::path programDir =
        orvikel::gui::ToPath(QCoreApplication::applicationDirPath());
    const auto claim = orvikel::gui::ClaimProgramFolder(programDir, seams);
    if (!claim) {
        return 1;
    }
    orvikel::gui::TMainForm window(programDir, seams);
    window.adjustSize();
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return QApplication::exec();
}
