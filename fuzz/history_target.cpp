// The odds history's stored entries driven with arbitrary bytes: OrviKV.db is a file in the
// program folder that another program, a damaged disk or a hand may change. The input is the
// snapshot's odds time (its first 5 bytes) and the win entries' blob (the rest), put into a
// stored snapshot behind the store's back. The promise: reading it back either ends in a
// HistoryError or gives figures whose every value is one a refresh can give (a time of day,
// odds of 0 or more, horse numbers up to 18), and building the chart's figures from them
// breaks nothing.
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "history_store.hpp"
#include "odds_history.hpp"

namespace {

namespace fs = std::filesystem;
using orvikel::BetKind;
using orvikel::RaceKey;
using orvikel::RaceSnapshot;
using namespace orvikel::history;

constexpr RaceKey kRace{5, 4, 3, 7, 11};
constexpr std::int64_t kNow = 1700000000;

[[noreturn]] void Broken(const std::string& what) {
    std::fprintf(stderr, "history: %s\n", what.c_str());
    std::abort();
}

RaceSnapshot Seed() {
    RaceSnapshot s;
    s.race = kRace;
    auto& win = s[BetKind::Win];
    win.present = true;
    win.oddsTime = "15:20";
    win.votes = 123456;
    for (int h = 1; h <= 18; ++h) {
        orvikel::OddsEntry e;
        e.horses[0] = h;
        e.odds = 10 * h + 5;
        e.state = orvikel::PriceState::Priced;
        e.rank = h;
        win.entries.push_back(e);
    }
    return s;
}

struct Bench {
    fs::path dir;
    std::unique_ptr<HistoryStore> store;
    sqlite3* raw = nullptr;

    Bench() {
        std::random_device random;
        dir = fs::temp_directory_path() / ("orvikel-fuzz-history-" + std::to_string(random()));
        fs::create_directories(dir);
        store = OpenHistory(dir, kNow);
        if (!store->Record(Seed(), kNow)) {
            Broken("the seed snapshot was not stored");
        }
        const std::string file = (dir / kDatabaseName).string();
        if (sqlite3_open(file.c_str(), &raw) != SQLITE_OK) {
            Broken("cannot open the database beside the store");
        }
    }

    // Puts the input into the stored snapshot, as another program would.
    void Plant(std::string_view time, std::string_view entries) {
        const char* sql =
            "UPDATE snapshot SET odds_time = ?1; UPDATE kind SET entries = ?2 WHERE kind = 0;";
        for (const char* at = sql; *at != '\0';) {
            sqlite3_stmt* stmt = nullptr;
            const char* rest = nullptr;
            if (sqlite3_prepare_v2(raw, at, -1, &stmt, &rest) != SQLITE_OK) {
                Broken(sqlite3_errmsg(raw));
            }
            sqlite3_bind_blob(stmt, 1, time.empty() ? "" : time.data(),
                              static_cast<int>(time.size()), SQLITE_TRANSIENT);
            sqlite3_bind_blob(stmt, 2, entries.empty() ? "" : entries.data(),
                              static_cast<int>(entries.size()), SQLITE_TRANSIENT);
            if (stmt != nullptr && sqlite3_step(stmt) != SQLITE_DONE) {
                Broken(sqlite3_errmsg(raw));
            }
            sqlite3_finalize(stmt);
            at = rest;
        }
    }
};

void Check(const std::vector<StoredSnapshot>& stored) {
    for (const StoredSnapshot& s : stored) {
        if (!OddsTimeMinutes(s.oddsTime)) {
            Broken("a time no clock shows was read: " + s.oddsTime);
        }
        for (const auto& kind : s.snapshot.kinds) {
            for (const auto& e : kind.entries) {
                if (e.odds < 0 || e.upper < 0) {
                    Broken("negative odds were read");
                }
                for (int h : e.horses) {
                    if (h < 0 || h > kMaxHorse) {
                        Broken("a horse number past 18 was read");
                    }
                }
            }
        }
    }
    const OddsHistory figures = BuildOddsHistory(stored);
    for (int minutes : figures.minutes) {
        if (minutes < 0 || minutes >= 24 * 60) {
            Broken("a time off the axis would be charted");
        }
    }
    if (!stored.empty()) {
        MarksSince(stored.back().snapshot, stored.front());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Bench bench;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view time = input.substr(0, std::min<std::size_t>(5, input.size()));
    bench.Plant(time, input.substr(time.size()));
    try {
        Check(bench.store->Snapshots(kRace));
        Check(bench.store->Snapshots(kRace, true));
    } catch (const HistoryError&) {
        // Refused: the promise holds.
    }
    return 0;
}
