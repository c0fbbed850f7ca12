#pragma once
// A generated folder read back for the tests: the meeting slots with their keys, the first
// line and size of every file, and the file names by the client's naming scheme (spelt out
// here once more, so a slip in the generator's names shows).
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jra_fixture.hpp"

namespace orvikel::sample::testing {

struct MeetingKeys {
    int slot = 0;
    int venue = 0;
    int keyA = 0;
    int keyB = 0;
    int keyC = 0;
};

class GeneratedFolder {
  public:
    explicit GeneratedFolder(std::uint64_t seed, int minutesLater = 0);

    // One folder per seed (and later state), generated on first use and kept for the whole
    // test run.
    static const GeneratedFolder& ForSeed(std::uint64_t seed, int minutesLater = 0);

    const std::filesystem::path& Dir() const { return dir_.path(); }
    const std::vector<MeetingKeys>& Meetings() const { return meetings_; }
    const std::map<std::string, std::string>& Files() const { return bytes_; }

    bool Has(const std::string& name) const { return bytes_.count(name) != 0; }
    // Line 1 (without its CR LF) and whole size of a file that exists.
    std::string Line(const std::string& name) const;
    std::size_t Size(const std::string& name) const { return bytes_.at(name).size(); }

    // kind 1..7, race 1..12.
    static std::string RaceFile(int kind, const MeetingKeys& meeting, int race);

  private:
    ::orvikel::testing::TempDir dir_;
    std::vector<MeetingKeys> meetings_;
    std::map<std::string, std::string> bytes_;
};

// Seeds every structural test runs with: the default and two others.
std::vector<std::uint64_t> TestSeeds();

// Odds field: nullopt for blanks or ﾄﾘｹｼ, else the number.
std::optional<double> Odds(const std::string& field);
bool IsCancelled(const std::string& field);  // "ﾄﾘｹｼ" behind blanks

}  // namespace orvikel::sample::testing
