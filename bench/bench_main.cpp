// orvikel_bench: the refresh of an 18-runner race with all seven data kinds, its I/O floor
// (the same files read and the same bytes written to as many files, with no processing), a
// trio BOX click with ten horses and the theoretical odds of the race. Prints the
// refresh/floor ratio at the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/encoding.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"
#include "platform/paths.hpp"
#include "sample/folder_plan.hpp"
#include "sample/sample_folder.hpp"
#include "shell/refresh.hpp"
#include "shell/viewer_session.hpp"
#include "value/value_model.hpp"

namespace {

namespace fs = std::filesystem;
using namespace orvikel;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The sample folder, one 18-runner race of it with every kind of file, and what one refresh
// of that race reads and writes.
struct Bench {
    fs::path root;
    fs::path data;
    fs::path program;
    Settings settings;
    Meetings meetings;
    Selection selection;
    RaceFiles files;
    std::vector<fs::path> inputs;                           // distinct files the refresh reads
    std::vector<std::pair<fs::path, std::string>> outputs;  // work files and their bytes
    std::vector<std::string> reloaded;                      // work files the loaders read back

    Bench() {
        std::string pattern = (fs::temp_directory_path() / "orvikel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("no scratch folder");
        }
        root = pattern;
        data = root / "data";
        program = root / "program";
        fs::create_directories(program);
        sample::GenerateSampleFolder(data, sample::kDefaultSeed);
        settings.KelDir = text::PathText(data) + std::string(kPathSeparator);
        settings.MinusSign = lit::kSignFilled;
        ChooseRace();
        RecordRefresh();
    }
    ~Bench() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    void ChooseRace() {
        for (const auto& meeting : sample::PlanFolder(sample::kDefaultSeed)) {
            for (const auto& race : meeting.races) {
                bool all = true;
                for (int kind = 1; kind <= kDataKinds; ++kind) {
                    all = all && race.files[static_cast<std::size_t>(kind)];
                }
                if (all && race.runners.size() == 18) {
                    DiscoverMeetings(settings.KelDir, meetings);
                    selection.SelectedMeeting = meeting.slot;
                    selection.SelectedVenue = meeting.venue;
                    selection.SelectedRace = race.number;
                    DiscoverRaces(settings.KelDir, meetings, selection);
                    files = SelectedRaceFiles(settings.KelDir, meetings, selection);
                    std::printf("race: meeting %d race %d, 18 runners, all seven kinds\n",
                                meeting.slot, race.number);
                    return;
                }
            }
        }
        throw std::runtime_error("the sample folder has no 18-runner race with all kinds");
    }

    // The session of a window that shows the race.
    void ShowRace(ViewerSession& session) const {
        session.Create(settings);
        session.ClickVenue(selection.SelectedMeeting);
        session.ClickRace(selection.SelectedRace);
    }

    void Refresh() const {
        RaceState race;
        DisplayState display;
        RefreshRace(files, settings, race, display, program);
        benchmark::DoNotOptimize(display);
    }

    void RecordRefresh() {
        Refresh();
        for (int kind = 1; kind <= kDataKinds; ++kind) {
            const fs::path file = text::NativePath(files.Name(kind));
            if (std::find(inputs.begin(), inputs.end(), file) == inputs.end()) {
                inputs.push_back(file);
            }
        }
        for (const auto& entry : fs::directory_iterator(program)) {
            outputs.emplace_back(entry.path(), ReadAll(entry.path()));
        }
        // The grid and the five memos are loaded back from one file each.
        reloaded = {"QvDENo.dat", "QvZONo.dat", "QvUONo.dat",
                    "QvKONo.dat", "QvSONo.dat", "QvYONo.dat"};
    }

    // The I/O the refresh cannot avoid: every input read whole, every output written whole
    // through a temporary file and a rename, the loaded work files read back.
    void Floor() const {
        std::size_t total = 0;
        for (const auto& file : inputs) {
            total += ReadFileBytes(file).size();
        }
        for (const auto& [file, bytes] : outputs) {
            WriteFileAtomically(file, bytes);
        }
        for (const auto& name : reloaded) {
            total += ReadFileBytes(program / name).size();
        }
        benchmark::DoNotOptimize(total);
    }
};

Bench& Shared() {
    static Bench bench;
    return bench;
}

void BM_RefreshRace(benchmark::State& state) {
    const Bench& bench = Shared();
    for (auto _ : state) {
        bench.Refresh();
    }
}
BENCHMARK(BM_RefreshRace)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_RefreshIoFloor(benchmark::State& state) {
    const Bench& bench = Shared();
    for (auto _ : state) {
        bench.Floor();
    }
    state.counters["files_written"] = static_cast<double>(bench.outputs.size());
}
BENCHMARK(BM_RefreshIoFloor)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One click on the tenth horse of a BOX: ticking it extracts with ten horses, the next
// iteration's click unticks it again (nine horses), as a user toggling it would.
void BM_TrioBoxClick10(benchmark::State& state) {
    ViewerSession session(Shared().program);
    Shared().ShowRace(session);
    session.ClickTrioMode(BoxWheelMode::Box);
    for (int horse = 1; horse <= 9; ++horse) {
        session.ClickTrioHorse(horse);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(session.ClickTrioHorse(10));
    }
}
BENCHMARK(BM_TrioBoxClick10)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The theoretical odds of every kind of the 18-runner race, with the lines the 理論オッズ
// window lists, as a refresh of a shown window or 妙味 asks for them.
void BM_ValueAllKinds(benchmark::State& state) {
    ViewerSession session(Shared().program);
    Shared().ShowRace(session);
    std::size_t lines = 0;
    for (auto _ : state) {
        const ValueBoard board = BuildValueBoard(session.snapshot(), 1.0);
        for (const BetKind kind : kValueKinds) {
            lines += ValueLines(session.snapshot(), board, kind).size();
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ValueAllKinds)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The console report, keeping each benchmark's time for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                microseconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }
    double Time(const std::string& name) const {
        const auto it = microseconds_.find(name);
        return it == microseconds_.end() ? 0 : it->second;
    }

  private:
    std::map<std::string, double> microseconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double refresh = reporter.Time("BM_RefreshRace");
    const double floor = reporter.Time("BM_RefreshIoFloor");
    const double click = reporter.Time("BM_TrioBoxClick10");
    if (refresh > 0 && floor > 0) {
        std::printf("refresh/floor ratio: %.2f (target 1.5 or less)\n", refresh / floor);
    }
    if (click > 0) {
        std::printf("BOX click with 10 horses: %.1f us (target under 1000 us)\n", click);
    }
    const double value = reporter.Time("BM_ValueAllKinds");
    if (value > 0) {
        std::printf("theoretical odds of all kinds: %.0f us (target under 2000 us)\n", value);
    }
    const double store = reporter.Time("BM_StoreSnapshot");
    if (store > 0) {
        std::printf("refresh %.0f us, then storing its snapshot %.0f us (target under 2000 us)\n",
                    refresh, store);
    }
    benchmark::Shutdown();
    return 0;
}
