#include "harness.hpp"

#include <algorithm>
#include <array>
#include <exception>
#include <fstream>
#include <random>
#include <stdexcept>
#include <typeinfo>

#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"
#include "platform/paths.hpp"
#include "sample/sample_folder.hpp"
#include "settings/settings.hpp"
#include "shell/discovery.hpp"
#include "shell/race_header.hpp"
#include "shell/refresh.hpp"
#include "trio/trio_selection.hpp"

namespace orvikel::fuzz {

namespace fs = std::filesystem;

namespace {

// The race-kind targets in kind order 1..7.
constexpr std::array<const char*, kDataKinds> kRaceTargets{
    "race_de", "race_ut", "race_zo", "race_uo", "race_ks", "race_so", "race_yo"};

int KindOf(std::string_view target) {
    for (std::size_t i = 0; i < kRaceTargets.size(); ++i) {
        if (target == kRaceTargets[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// A fresh folder of its own per process, so parallel fuzz jobs never share files.
// Creating a folder fails when the name exists, so the one created is ours alone (the same
// on Windows, which has no mkdtemp).
fs::path MakeScratchFolder() {
    const fs::path base = fs::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path dir = base / ("orvikel-fuzz-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(dir, ec)) {
            return dir;
        }
    }
    throw std::runtime_error("cannot make a scratch folder under " + base.string());
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string FolderText(const fs::path& dir) {
    return text::PathText(dir) + std::string(kPathSeparator);
}

// The sample folder's meeting 1 with the race that has the most kinds of data file (all
// seven in the sample), as the refresh would see it after a click on that race.
struct SampleRace {
    Meetings meetings;
    Selection selection;
    RaceFiles files;
};

SampleRace OpenSampleRace(const std::string& kelDir) {
    SampleRace race;
    DiscoverMeetings(kelDir, race.meetings);
    race.selection.SelectedMeeting = 1;
    race.selection.SelectedVenue = race.meetings.slot[1].Venue;
    DiscoverRaces(kelDir, race.meetings, race.selection);
    int best = 0;
    int bestCount = -1;
    for (int r = 1; r <= kRaces; ++r) {
        const auto& flags = race.selection.RaceFileExists[r];
        const int count = static_cast<int>(std::count(flags.begin(), flags.end(), true));
        if (count > bestCount) {
            best = r;
            bestCount = count;
        }
    }
    race.selection.SelectedRace = best;
    race.files = SelectedRaceFiles(kelDir, race.meetings, race.selection);
    return race;
}

std::string BaseName(const std::string& cp932Path) {
    const auto slash = cp932Path.find_last_of(kPathSeparator);
    return slash == std::string::npos ? cp932Path : cp932Path.substr(slash + 1);
}

// A temporary file left beside the work files or the settings file means a write that was
// neither finished nor cleaned up.
std::string StrayTemporaryFile(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".tmp") {
            return "temporary file left behind: " + it->path().string();
        }
    }
    return {};
}

std::string Unnamed(const DataError& e, const std::string& name) {
    const std::string message = e.what();
    if (message.find(name) != std::string::npos) {
        return {};
    }
    return "DataError does not name " + name + ": " + text::ToUtf8(message);
}

std::string SameText(const char* what, const std::string& saved, const std::string& read) {
    if (saved == read) {
        return {};
    }
    return std::string("settings round changed ") + what + ": saved \"" + text::ToUtf8(saved) +
           "\", read back \"" + text::ToUtf8(read) + "\"";
}

}  // namespace

struct Harness::State {
    std::string target;
    int kind = 0;
    fs::path root;
    fs::path dataDir;
    fs::path programDir;
    std::string kelDir;
    SampleRace race;
    std::string fuzzFile;  // CP932 path of the file the input is written to

    ~State() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::string RunRace(std::string_view input);
    std::string RunMeeting(std::string_view input);
    std::string RunSettings(std::string_view input);
    std::string RunTrio(std::string_view input);
};

const std::vector<std::string>& Harness::Targets() {
    static const std::vector<std::string> targets = [] {
        std::vector<std::string> names{"meeting"};
        names.insert(names.end(), kRaceTargets.begin(), kRaceTargets.end());
        names.emplace_back("settings");
        names.emplace_back("trio");
        return names;
    }();
    return targets;
}

Harness::Harness(std::string_view target) : state_(std::make_unique<State>()) {
    const auto& targets = Targets();
    if (std::find(targets.begin(), targets.end(), target) == targets.end()) {
        throw std::invalid_argument("unknown fuzz target " + std::string(target));
    }
    State& s = *state_;
    s.target = target;
    s.kind = KindOf(target);
    s.root = MakeScratchFolder();
    s.dataDir = s.root / "data";
    s.programDir = s.root / "program";
    fs::create_directories(s.dataDir);
    fs::create_directories(s.programDir);
    s.kelDir = FolderText(s.dataDir);
    if (s.kind != 0) {
        sample::GenerateSampleFolder(s.dataDir, sample::kDefaultSeed);
        s.race = OpenSampleRace(s.kelDir);
        s.race.files.exists[static_cast<std::size_t>(s.kind)] = true;
        s.fuzzFile = s.race.files.Name(s.kind);
    } else if (s.target == "meeting") {
        s.fuzzFile = MeetingFileName(s.kelDir, 1);
    } else if (s.target == "settings") {
        s.fuzzFile = text::PathText(s.programDir / kSettingsFileName);
    }
}

Harness::~Harness() = default;

std::string Harness::Run(std::string_view input) {
    State& s = *state_;
    try {
        if (s.kind != 0) {
            return s.RunRace(input);
        }
        if (s.target == "meeting") {
            return s.RunMeeting(input);
        }
        if (s.target == "settings") {
            return s.RunSettings(input);
        }
        return s.RunTrio(input);
    } catch (const DataError& e) {
        return "DataError outside the reader: " + text::ToUtf8(e.what());
    } catch (const std::exception& e) {
        return std::string("unexpected ") + typeid(e).name() + ": " + e.what();
    }
}

std::string Harness::State::RunRace(std::string_view input) {
    WriteBytes(text::NativePath(fuzzFile), input);
    Settings settings;
    settings.KelDir = kelDir;
    settings.MinusSign = lit::kSignFilled;
    RaceState raceState;
    DisplayState display;
    try {
        ShowRaceHeader(race.files, display.header);
        RefreshRace(race.files, settings, raceState, display, programDir);
    } catch (const DataError& e) {
        if (auto problem = Unnamed(e, BaseName(fuzzFile)); !problem.empty()) {
            return problem;
        }
    }
    return StrayTemporaryFile(programDir);
}

std::string Harness::State::RunMeeting(std::string_view input) {
    WriteBytes(text::NativePath(fuzzFile), input);
    Meetings meetings;
    try {
        DiscoverMeetings(kelDir, meetings);
    } catch (const DataError& e) {
        return Unnamed(e, BaseName(fuzzFile));
    }
    if (meetings.slot[1].Visible) {
        // A venue click on the meeting: the keys must make file names discovery can use.
        Selection selection;
        selection.SelectedMeeting = 1;
        selection.SelectedVenue = meetings.slot[1].Venue;
        DiscoverRaces(kelDir, meetings, selection);
    }
    return {};
}

std::string Harness::State::RunSettings(std::string_view input) {
    WriteBytes(programDir / kSettingsFileName, input);
    const Settings read = ReadSettings(programDir);
    // What the settings window saves when it is closed unchanged.
    SettingsToSave values;
    values.folderField = read.KelDir;
    values.MinusSign = read.MinusSign;
    values.sort = read.sort;
    std::string folder;
    try {
        folder = SaveSettings(programDir, values);
    } catch (const DataError& e) {
        // The folder is writable, so only a file the save must not rewrite (one in another
        // encoding) may stop it, and then the file stays as it was.
        if (auto problem = Unnamed(e, kSettingsFileName); !problem.empty()) {
            return problem;
        }
        if (ReadFileBytes(programDir / kSettingsFileName) != input) {
            return "settings file changed by a refused save: " + text::ToUtf8(e.what());
        }
        return StrayTemporaryFile(programDir);
    }
    const Settings again = ReadSettings(programDir);
    for (auto problem : {
             SameText("KelDir", folder, again.KelDir),
             SameText("PN", read.MinusSign, again.MinusSign),
             SameText("Tsort", read.sort.Tsort, again.sort.Tsort),
             SameText("Wsort", read.sort.Wsort, again.sort.Wsort),
             SameText("Usort", read.sort.Usort, again.sort.Usort),
             SameText("Ksort", read.sort.Ksort, again.sort.Ksort),
             SameText("Ssort", read.sort.Ssort, again.sort.Ssort),
             SameText("Ysort", read.sort.Ysort, again.sort.Ysort),
             SameText("YBWsort", read.sort.YBWsort, again.sort.YBWsort),
             StrayTemporaryFile(programDir),
         }) {
        if (!problem.empty()) {
            return problem;
        }
    }
    return {};
}

std::string Harness::State::RunTrio(std::string_view input) {
    WriteBytes(programDir / "QvYOSo.dat", input);
    WriteBytes(programDir / "QvYONo.dat", input);
    // A fixed script over both modes: the limits, unticks below the thresholds, a clear.
    static constexpr int kBoxClicks[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 3, 18, 1, 2, 4, 5};
    static constexpr int kWheelClicks[] = {7, 12, 13, 7, 12, 18};
    TrioSelector selector;
    selector.Open(BoxWheelMode::Box);
    for (int horse : kBoxClicks) {
        selector.Click(horse, programDir);
        selector.LoadList(programDir, "True");
        selector.LoadList(programDir, "false");
    }
    selector.Open(BoxWheelMode::Wheel);
    for (int horse : kWheelClicks) {
        selector.Click(horse, programDir);
        selector.LoadList(programDir, "True");
        selector.LoadList(programDir, "false");
    }
    selector.Close();
    return StrayTemporaryFile(programDir);
}

void WriteSeeds(std::string_view target, const fs::path& dir) {
    Harness check(target);  // rejects an unknown target
    fs::create_directories(dir);
    const fs::path root = MakeScratchFolder();
    struct Cleanup {
        fs::path root;
        ~Cleanup() {
            std::error_code ec;
            fs::remove_all(root, ec);
        }
    } cleanup{root};
    const fs::path data = root / "data";
    const fs::path program = root / "program";
    fs::create_directories(program);
    sample::GenerateSampleFolder(data, sample::kDefaultSeed);

    const int kind = KindOf(target);
    if (target == "meeting" || kind != 0) {
        const std::string prefix = kind != 0 ? FilePrefix(kind) : "Uy-";
        for (const auto& entry : fs::directory_iterator(data)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix)) {
                fs::copy_file(entry.path(), dir / name, fs::copy_options::overwrite_existing);
            }
        }
        return;
    }
    if (target == "settings") {
        const std::string folder = FolderText(data);
        const std::string options = "[Options]\r\nPN=" + std::string(lit::kSignFilled) +
                                    "\r\nTsort=True\r\nWsort=false\r\nUsort=True\r\n"
                                    "Ksort=false\r\nSsort=True\r\nYsort=false\r\nYBWsort=True\r\n"
                                    "US=1\r\n";
        WriteBytes(dir / "full.ini", "[Dir]\r\nKelDir=" + folder + "\r\n\r\n" + options);
        WriteBytes(dir / "options-first.ini", options + "[dir]\r\nkeldir = " + folder + "\r\n");
        WriteBytes(dir / "comments.ini",
                   "; OrviKV\r\n[Dir]\r\nKelDir=C:\\KEL\\\r\n[Other]\r\nX=1\r\n");
        WriteBytes(dir / "duplicate.ini",
                   options + options + "[Dir]\nKelDir=/a/\n[Dir]\nKelDir=/b/\n");
        WriteBytes(dir / "empty.ini", "");
        return;
    }
    // trio: the trio work files of every race of the first meeting that has trio odds
    const std::string kelDir = FolderText(data);
    SampleRace race = OpenSampleRace(kelDir);
    Settings settings;
    settings.KelDir = kelDir;
    settings.MinusSign = lit::kSignFilled;
    for (int r = 1; r <= kRaces; ++r) {
        race.selection.SelectedRace = r;
        if (!race.selection.RaceHasFile(kTrio)) {
            continue;
        }
        RaceState raceState;
        DisplayState display;
        RefreshRace(SelectedRaceFiles(kelDir, race.meetings, race.selection), settings, raceState,
                    display, program);
        const std::string tag = std::to_string(r);
        fs::copy_file(program / "QvYOSo.dat", dir / ("race" + tag + "-So.dat"),
                      fs::copy_options::overwrite_existing);
        fs::copy_file(program / "QvYONo.dat", dir / ("race" + tag + "-No.dat"),
                      fs::copy_options::overwrite_existing);
    }
}

}  // namespace orvikel::fuzz
