// orvikel_startup_bench: milliseconds from the start of main to the first painted main window,
// over a made-up data folder with confirmed settings (so no settings window opens). One run
// per process, since Qt allows one application object; `make bench` runs it several times.
#include <stdlib.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/seams.hpp"
#include "main_window/main_window.hpp"
#include "sample/sample_folder.hpp"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// No desktop: a notice or a folder chooser would mean the start-up went another way.
class NoDesktop final : public orvikel::gui::UiSeams {
  public:
    void ShowMessage(QWidget*, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.toUtf8().constData());
    }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void Quit() override {}
};

// Stops the clock once the first paint of the window (or of a widget in it) has been handled.
class FirstPaint final : public QObject {
  public:
    explicit FirstPaint(Clock::time_point start) : start_(start) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [this] {
                const std::chrono::duration<double, std::milli> ms = Clock::now() - start_;
                std::printf("start-up to first painted main window: %.1f ms\n", ms.count());
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    Clock::time_point start_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::string pattern = (fs::temp_directory_path() / "orvikel-startup-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return 1;
    }
    const fs::path root = pattern;
    orvikel::sample::GenerateSampleFolder(root / "data", orvikel::sample::kDefaultSeed);
    std::ofstream(root / "OrviKV.ini", std::ios::binary)
        << "[Dir]\r\nKelDir=" << (root / "data").string() << "/\r\n[Options]\r\nUS=1\r\n";

    // The clock starts after the sample folder stands ready: writing it is not start-up time.
    const auto start = Clock::now();
    int code = 0;
    {
        QApplication app(argc, argv);
        NoDesktop seams;
        orvikel::gui::MainWindow window(root, seams);
        FirstPaint clock(start);
        // The window itself may be covered whole by its children: any paint of it counts.
        QApplication::instance()->installEventFilter(&clock);
        window.show();
        code = QApplication::exec();
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    return code;
}
