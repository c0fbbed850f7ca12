#pragma once
// A made-up data folder from the sample generator and a viewer started over it, in temporary
// folders of their own.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "gui_fixture.hpp"
#include "main_window/main_window.hpp"
#include "sample/sample_folder.hpp"
#include "shell/discovery.hpp"

namespace orvikel::gui::testing {

class DemoFolder {
  public:
    DemoFolder() { sample::GenerateSampleFolder(ToPath(dir_.path()), sample::kDefaultSeed); }
    // The client's writes: the same folder some minutes later.
    void Later(int minutes) const {
        sample::GenerateSampleFolder(ToPath(dir_.path()), sample::kDefaultSeed, minutes);
    }
    // The folder as the settings hold it.
    QString text() const { return FolderText(dir_.path()); }
    std::string kelDir() const { return Cp(text()); }

    Meetings meetings() const {
        Meetings found;
        DiscoverMeetings(kelDir(), found);
        return found;
    }
    // The data file of kind for race of meeting slot, whether or not it exists.
    std::string FileName(int slot, int race, int kind) const {
        const Meetings found = meetings();
        Selection selection;
        selection.SelectedMeeting = slot;
        selection.SelectedVenue = found.slot[slot].Venue;
        return RaceFileName(kelDir(), found, selection, kind, race);
    }
    bool Has(int slot, int race, int kind) const {
        return IsRegularFile(FileName(slot, race, kind));
    }
    bool HasAny(int slot, int race) const {
        for (int kind = 1; kind <= kDataKinds; ++kind) {
            if (Has(slot, race, kind)) {
                return true;
            }
        }
        return false;
    }
    // The visible meeting present, in order.
    std::vector<int> Slots() const {
        std::vector<int> present;
        const Meetings found = meetings();
        for (int k = 1; k <= kMeetingSlots; ++k) {
            if (found.slot[k].Visible) {
                present.push_back(k);
            }
        }
        return present;
    }

  private:
    QTemporaryDir dir_;
};

// The main window over a program folder whose settings point at a data folder.
class Viewer {
  public:
    // files: more files of the program folder (name, bytes) as the viewer finds them at start.
    explicit Viewer(const QString& folder, const QStringList& options = {},
                    const std::vector<std::pair<QString, QByteArray>>& files = {}) {
        QStringList ini{QStringLiteral("[Dir]"), QStringLiteral("KelDir=") + folder,
                        QStringLiteral("[Options]"), QStringLiteral("US=1")};
        ini += options;
        WriteIni(programDir_.path(), ini);
        for (const auto& [name, bytes] : files) {
            QFile file(QDir(programDir_.path()).filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                qFatal("cannot write %s", qPrintable(name));
            }
        }
        Start();
    }
    // Without a settings file.
    Viewer() { Start(); }

    template <class Widget = QWidget>
    Widget* Get(const QString& name) const {
        auto* widget = Find<Widget>(window.get(), name);
        if (widget == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return widget;
    }
    // A user's click: radio buttons and check boxes on their indicator, buttons in the middle.
    void Click(const QString& name) const {
        auto* button = Get<QAbstractButton>(name);
        const bool push = button->inherits("QPushButton");
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                          push ? QPoint() : QPoint(7, button->height() / 2));
    }
    bool Checked(const QString& name) const { return Get<QAbstractButton>(name)->isChecked(); }
    bool Visible(const QString& name) const { return Get<QWidget>(name)->isVisible(); }
    QString dir() const { return programDir_.path(); }

    FakeSeams seams;
    std::unique_ptr<MainWindow> window;

  private:
    void Start() {
        window = std::make_unique<MainWindow>(ToPath(programDir_.path()), seams);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            qWarning("window not exposed");
        }
        QTest::qWait(10);
    }
    QTemporaryDir programDir_;
};

inline QString RaceButton(int race) {
    return QStringLiteral("RBR%1").arg(race, 2, 10, QLatin1Char('0'));
}
inline QString HorseBox(int horse) {
    return QStringLiteral("CB%1").arg(horse, 2, 10, QLatin1Char('0'));
}

}  // namespace orvikel::gui::testing
