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

// Writes the meeting files Uy-a.jra .. and the race files into dir, creating it when needed;
// minutesLater > 0 writes the same races that many minutes later (PlanFolder). Each file is
// replaced whole, as the client does, and data files of an earlier run that this one does not
// write (Uy-?.jra and the seven race-file kinds) are removed afterwards, so the folder holds
// exactly one weekend and a viewer following it never finds a file missing. Throws DataError
// when a file cannot be written, std::filesystem::filesystem_error when the folder cannot be
// made or cleared.
FolderSummary GenerateSampleFolder(const std::filesystem::path& dir, std::uint64_t seed,
                                   int minutesLater = 0);

}  // namespace orvikel::sample
