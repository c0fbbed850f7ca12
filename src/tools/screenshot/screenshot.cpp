// orvikel-screenshot DEMO OUT [SUFFIX]: drives the real windows over the data folder DEMO and
// writes pictures of them into OUT (main-window, trio-box, vote-counts, settings, value-marks,
// value-window, folder-chooser, folder-question; each name followed by SUFFIX). The settings
// and work files go to a temporary program folder.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <exception>

#include "app/app_paths.hpp"
#include "app/japanese.hpp"
#include "app/seams.hpp"
#include "history/odds_history_window.hpp"
#include "main_window/main_window.hpp"
#include "platform/encoding.hpp"
#include "platform/paths.hpp"
#include "sample/sample_folder.hpp"
#include "settings/settings.hpp"
#include "settings/settings_window.hpp"
#include "value/value_window.hpp"
#include "votes/vote_window.hpp"

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

// Shows races of the meetings in turn until one has the vote totals of all seven bet types
// (nine summary lines); false when none has.
bool ShowSevenKindRace(QWidget* window, const QString& programDir) {
    for (int slot = 1; slot <= 6; ++slot) {
        auto* venue = window->findChild<QAbstractButton*>(QStringLiteral("RBkaisai%1").arg(slot));
        if (venue == nullptr || !venue->isVisible()) {
            continue;
        }
        venue->click();
        for (int r = 1; r <= 12; ++r) {
            auto* race = window->findChild<QAbstractButton*>(
                QStringLiteral("RBR%1").arg(r, 2, 10, QLatin1Char('0')));
            if (race == nullptr || !race->isVisible()) {
                continue;
            }
            race->click();
            QFile summary(programDir + QStringLiteral("/QvHyou.dat"));
            if (summary.open(QIODevice::ReadOnly) && summary.readAll().count('\n') == 9) {
                return true;
            }
        }
    }
    return false;
}

// The odds history over a race followed for half an hour: a folder of its own written again
// every few minutes, as the client would, with 更新 after each; then the race card's marks and
// the オッズ推移 window with both its tabs.
bool ShootHistory(const QString& out, const QString& suffix) {
    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    const auto data = orvikel::gui::ToPath(dataDir.path());
    orvikel::sample::GenerateSampleFolder(data, orvikel::sample::kDefaultSeed);
    orvikel::SettingsToSave settings;
    settings.folderField = orvikel::text::PathText(data) + std::string(orvikel::kPathSeparator);
    settings.MinusSign = orvikel::text::ToCp932("▲");
    orvikel::SaveSettings(orvikel::gui::ToPath(programDir.path()), settings);

    TerminalSeams seams;
    MainWindow window(orvikel::gui::ToPath(programDir.path()), seams);
    window.show();
    QTest::qWait(100);
    Click(&window, QStringLiteral("RBkaisai1"));
    Click(&window, QStringLiteral("RBR11"));  // the main race, on sale all afternoon
    for (int minutes = 3; minutes <= 30; minutes += 3) {
        orvikel::sample::GenerateSampleFolder(data, orvikel::sample::kDefaultSeed, minutes);
        Click(&window, QStringLiteral("UpDate"));
    }
    bool ok = Save(&window, out + QStringLiteral("/odds-marks%1.png").arg(suffix));
    Click(&window, QStringLiteral("ButtonSuii"));
    if (auto* history = Opened<orvikel::gui::OddsHistoryWindow>(&window)) {
        QTest::qWait(200);
        ok = Save(history, out + QStringLiteral("/odds-history%1.png").arg(suffix)) && ok;
        if (auto* tabs = history->findChild<QTabWidget*>(QStringLiteral("HistoryTabs"))) {
            tabs->setCurrentIndex(1);
            QTest::qWait(200);
            ok = Save(history, out + QStringLiteral("/odds-votes%1.png").arg(suffix)) && ok;
        }
    } else {
        ok = false;
    }
    return ok;
}

// The 理論オッズ window on its 馬連 tab with the largest 乖離 first, its green limit set to 1.00
// (the demo's odds keep close to their win market), then 妙味 on over the lists in number
// order; 妙味 is switched off again after.
bool ShootValue(MainWindow* window, const QString& out, const QString& suffix) {
    Click(window, QStringLiteral("RBNor5"));
    Click(window, QStringLiteral("ButtonValue"));
    auto* value = Opened<orvikel::gui::ValueWindow>(window);
    if (value == nullptr) {
        return false;
    }
    if (auto* high = value->findChild<QDoubleSpinBox*>(QStringLiteral("SpinHigh"))) {
        high->setValue(1.0);
    }
    if (auto* tabs = value->findChild<QTabWidget*>(QStringLiteral("ValueTabs"))) {
        tabs->setCurrentIndex(2);
    }
    if (auto* table = value->findChild<QTableView*>(QStringLiteral("ValueTableQuinella"))) {
        table->sortByColumn(4, Qt::DescendingOrder);
    }
    bool ok = Save(value, out + QStringLiteral("/value-window%1.png").arg(suffix));
    value->close();
    Click(window, QStringLiteral("CBValueMarks"));
    ok = Save(window, out + QStringLiteral("/value-marks%1.png").arg(suffix)) && ok;
    Click(window, QStringLiteral("CBValueMarks"));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvikel::gui::InstallJapanese(app);
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
    if (!ShowSevenKindRace(&window, programDir.path())) {
        std::fprintf(stderr, "no race with all seven vote totals\n");
    }
    bool ok = Save(&window, out + QStringLiteral("/main-window%1.png").arg(suffix));

    Click(&window, QStringLiteral("RBBox"));
    int ticked = 0;
    // a BOX of five horses, with its points and combined odds under the panel's notes
    for (int n = 1; n <= 18 && ticked < 5; ++n) {
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

    ok = ShootValue(&window, out, suffix) && ok;

    orvikel::gui::FolderChooser chooser(&window, demo);
    chooser.show();
    ok = Save(&chooser, out + QStringLiteral("/folder-chooser%1.png").arg(suffix)) && ok;
    QMessageBox* question = orvikel::gui::FolderChooser::MakeQuestion(
        &chooser, QStringLiteral("指定されたディレクトリが存在しません。作成しますか？"));
    question->show();
    ok = Save(question, out + QStringLiteral("/folder-question%1.png").arg(suffix)) && ok;
    delete question;
    chooser.close();
    return (ok && ShootHistory(out, suffix)) ? 0 : 1;
}
