#include "sample/sample_folder.hpp"

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.hpp"
#include "sample/file_layouts.hpp"
#include "sample/folder_plan.hpp"
#include "sample/odds_files.hpp"
#include "sample/race_model.hpp"
#include "sample/results_file.hpp"

namespace orvikel::sample {

namespace fs = std::filesystem;

namespace {

bool IsClientDataFile(const std::string& name) {
    static constexpr std::array<std::string_view, 8> kPrefixes = {"Uy-", "De-", "Ut-", "Zo-",
                                                                  "Uo-", "Ks-", "So-", "Yo-"};
    if (name.size() < 8 || name.substr(name.size() - 4) != ".jra") {
        return false;
    }
    for (std::string_view prefix : kPrefixes) {
        if (name.compare(0, prefix.size(), prefix) == 0) {
            return true;
        }
    }
    return false;
}

void RemoveOldDataFiles(const fs::path& dir, const std::set<fs::path>& written) {
    std::vector<fs::path> old;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file() && IsClientDataFile(entry.path().filename().string()) &&
            written.count(entry.path()) == 0) {
            old.push_back(entry.path());
        }
    }
    for (const fs::path& path : old) {
        fs::remove(path);
    }
}

}  // namespace

FolderSummary GenerateSampleFolder(const fs::path& dir, std::uint64_t seed, int minutesLater) {
    fs::create_directories(dir);
    FolderSummary summary;
    std::set<fs::path> written;
    for (const MeetingPlan& meeting : PlanFolder(seed, minutesLater)) {
        written.insert(dir / MeetingFileName(meeting.slot));
        WriteFileAtomically(dir / MeetingFileName(meeting.slot), MeetingFile(meeting));
        ++summary.meetings;
        ++summary.files;
        for (const RacePlan& race : meeting.races) {
            const Market market = BuildMarket(race);
            auto write = [&](int kind, const std::string& bytes) {
                const fs::path path = dir / RaceFileName(kind, meeting, race.number);
                written.insert(path);
                WriteFileAtomically(path, bytes);
                ++summary.files;
            };
            if (race.files[1]) {
                write(1, RaceCardFile(meeting, race));
            }
            if (race.files[2]) {
                write(2, HorseWeightFile(meeting, race));
            }
            if (race.files[3]) {
                write(3, WinPlaceFile(meeting, race, market));
            }
            if (race.files[4]) {
                write(4, QuinellaWideFile(meeting, race, market));
            }
            if (race.files[5]) {
                write(5, ResultsFile(meeting, race, market));
            }
            if (race.files[6]) {
                write(6, ExactaFile(meeting, race, market));
            }
            if (race.files[7]) {
                write(7, TrioFile(meeting, race, market));
            }
        }
    }
    RemoveOldDataFiles(dir, written);
    return summary;
}

}  // namespace orvikel::sample
