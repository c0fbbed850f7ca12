#pragma once
// orvikel-sample's work: a complete made-up data folder of the KEL client, for trying the
// viewer and for the tests. The same seed always gives the same bytes.
#include <cstdint>
#include <filesystem>

namespace orvikel::sample {

inline constexpr std::uint64_t kDefaultSeed = 20061029;

struct FolderSummary {
    int meetings = 0;
    int files = 0;  // meeting and race files written
};

// Writes the meeting files Uy-a.jra .. and the race files into dir, creating it when needed.
// Data files left there by an earlier run (Uy-?.jra and the seven race-file kinds) are removed
// first, so the folder holds exactly one weekend. Throws DataError when a file cannot be
// written, std::filesystem::filesystem_error when the folder cannot be made or cleared.
FolderSummary GenerateSampleFolder(const std::filesystem::path& dir, std::uint64_t seed);

}  // namespace orvikel::sample
