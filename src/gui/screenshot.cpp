// orvikel-screenshot DEMO OUT [SUFFIX]: drives the real windows over the data folder DEMO and
// writes pictures of them into OUT (main-window, trio-box, vote-counts, settings; each name
// followed by SUFFIX). The settings and work files go to a temporary program folder.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPixmap>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <exception>

#include "app_paths.hpp"
#include "common/encoding.hpp"
#include "common/paths.hpp"
#include "main_window.hpp"
#include "seams.hpp"
#include "settings/settings.hpp"
#include "settings_window.hpp"
#include "vote_window.hpp"

namespace {

using orvikel::gui::MainWindow;

// Reports messages on the terminal instead of waiting for a click.
class TerminalSeams final : public orvikel::gui::UiSeams {
  public:
    void ShowMessage(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return std::nullopt; }
    void Quit() override {}
};

bool Save(QWidget* widget, const QString& path) {
    QTest::qWait(50);
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void Click(QWidget* window, const QString& name) {
    if (auto* button = window->findChild<QAbstractButton*>(name)) {
        button->click();
    }
}

template <class Dialog>
Dialog* Opened(QWidget* owner) {
    for (int i = 0; i < 50; ++i) {
        if (auto* dialog = owner->findChild<Dialog*>(); dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
        QTest::qWait(20);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvikel-screenshot DEMO OUT [SUFFIX]\n");
        return 2;
    }
    const QString demo = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString suffix = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QDir().mkpath(out);

    QTemporaryDir programDir;
    try {
        orvikel::SettingsToSave settings;
        settings.folderField =
            orvikel::text::ToCp932(QDir::toNativeSeparators(demo).toStdString()) +
            std::string(orvikel::kPathSeparator);
        settings.MinusSign = orvikel::text::ToCp932("▲");
        orvikel::SaveSettings(orvikel::gui::ToPath(programDir.path()), settings);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", orvikel::text::ToUtf8(error.what()).c_str());
        return 1;
    }

    TerminalSeams seams;
    MainWindow window(orvikel::gui::ToPath(programDir.path()), seams);
    window.show();
    QTest::qWait(100);
    Click(&window, QStringLiteral("RBkaisai1"));
    bool ok = Save(&window, out + QStringLiteral("/main-window%1.png").arg(suffix));

    Click(&window, QStringLiteral("RBBox"));
    int ticked = 0;
    for (int n = 1; n <= 18 && ticked < 4; ++n) {
        auto* box =
            window.findChild<QCheckBox*>(QStringLiteral("CB%1").arg(n, 2, 10, QLatin1Char('0')));
        if (box != nullptr && box->isVisible() && n % 2 == 1) {
            box->click();
            ++ticked;
        }
    }
    ok = Save(&window, out + QStringLiteral("/trio-box%1.png").arg(suffix)) && ok;

    Click(&window, QStringLiteral("ButtonHyou"));
    if (auto* votes = Opened<orvikel::gui::VoteCountWindow>(&window)) {
        ok = Save(votes, out + QStringLiteral("/vote-counts%1.png").arg(suffix)) && ok;
        votes->close();
    }
    Click(&window, QStringLiteral("ButtonSetting"));
    if (auto* settings = Opened<orvikel::gui::SettingsWindow>(&window)) {
        ok = Save(settings, out + QStringLiteral("/settings%1.png").arg(suffix)) && ok;
        settings->close();
    }
    return ok ? 0 : 1;
}
