#include "app/japanese.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvikel::gui {

bool InstallJapanese(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Where Qt was installed, else beside the program (as a Windows installer lays them out).
    const QStringList folders{
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("qtbase_ja"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

}  // namespace orvikel::gui
