#pragma once
// The toolkit's own texts (the folder chooser, its questions, the buttons of message boxes) in
// Japanese, from the translations that come with Qt.
class QCoreApplication;

namespace orvikel::gui {

// Installs Qt's Japanese translations into app and makes Japanese the default locale. False when
// no translation file was found; the toolkit's texts then stay in English.
bool InstallJapanese(QCoreApplication& app);

}  // namespace orvikel::gui
