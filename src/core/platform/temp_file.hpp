#pragma once
// Temporary files of the atomic writes: "<name>.<process id>.<8 hex digits>.tmp" beside the
// file they replace, created exclusively, so two writers never write into one temporary file;
// and the clean-up of those a killed writer left behind.
#include <filesystem>
#include <optional>
#include <string_view>

namespace orvikel {

// Writes bytes to a new temporary file beside target and returns its path. Throws DataError
// "<target> に書き込めません" on any failure, after removing what it made.
std::filesystem::path WriteTempFile(const std::filesystem::path& target, std::string_view bytes);

// The name of the file a temporary file of ours stands in for: "QvDESo.dat" for
// "QvDESo.dat.4242.0a1b2c3d.tmp" and, as earlier versions named them, for "QvDESo.dat.tmp".
// nullopt for any other name.
std::optional<std::string_view> TempFileTarget(std::string_view fileName);

}  // namespace orvikel
