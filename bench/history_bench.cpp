// Storing one snapshot of an 18-runner race with all seven kinds (1,500 entries) into
// OrviKV.db, each iteration with the next odds time so every one is really stored, as the
// refresh of a live race does once a minute.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "history_store.hpp"
#include "snapshot_fixture.hpp"

namespace {

namespace fs = std::filesystem;
using namespace orvikel;

std::string TimeText(int minute) {
    const int m = minute % (24 * 60);
    char text[6];
    std::snprintf(text, sizeof text, "%02d:%02d", m / 60, m % 60);
    return text;
}

void BM_StoreSnapshot(benchmark::State& state) {
    std::string pattern = (fs::temp_directory_path() / "orvikel-history-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("no scratch folder");
    }
    const fs::path dir = pattern;
    {
        auto store = history::OpenHistory(dir, 0);
        RaceSnapshot snapshot = history::testing::FullRace("00:00");
        int minute = 0;
        for (auto _ : state) {
            state.PauseTiming();
            const std::string time = TimeText(++minute);
            for (KindSnapshot& kind : snapshot.kinds) {
                kind.oddsTime = time;
            }
            state.ResumeTiming();
            benchmark::DoNotOptimize(store->Record(snapshot, minute));
        }
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_StoreSnapshot)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
