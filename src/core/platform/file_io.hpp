#pragma once
// File access of the core: data files are read whole and never locked (the KEL client may be
// rewriting them); work files and the settings file are written to a temporary file beside
// the target and renamed over it, so a failure never leaves a half-written file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_lines.hpp"

namespace orvikel {

// Whole-file bytes of a CP932-named file. Throws DataError ("ファイル <path> は開けません")
// when it is missing, a folder, or unreadable.
std::string ReadFileBytes(const std::string& cp932Path);
std::string ReadFileBytes(const std::filesystem::path& path);
// The same for a file that is never large (the settings file): one over maxBytes is refused
// after reading no more than that, with DataError "ファイル <path> が 1 MiB を超えています".
inline constexpr std::size_t kMaxSmallFileBytes = std::size_t{1} << 20;
std::string ReadSmallFileBytes(const std::filesystem::path& path);

// Lines of a text, split at CR LF, LF or CR; a final line break does not start a new line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Longest line 1 a data file may have: far above the longest layout (a trio-odds line of all
// 816 combinations is under 20 KiB), low enough that a file without a line end is refused at
// once, in bounded memory.
inline constexpr std::size_t kMaxFirstLineBytes = std::size_t{1} << 20;

// Line 1 of a data file (the only line any reader uses). Throws DataError when the file
// cannot be read, has no line at all, or its line 1 is longer than kMaxFirstLineBytes.
std::string ReadFirstLine(const std::string& cp932Path);

// Size in bytes of an existing file; throws DataError when it cannot be read.
std::uintmax_t FileSize(const std::string& cp932Path);

// True when the name is an existing regular file (a folder of that name does not count).
bool IsRegularFile(const std::string& cp932Path);

// All lines of a work file; throws DataError ("ファイル <path> は開けません") when missing.
std::vector<std::string> ReadWorkFile(const std::filesystem::path& dir, std::string_view name);
// The same, kept as one buffer: how the lists the window shows are loaded.
TextLines ReadWorkFileLines(const std::filesystem::path& dir, std::string_view name);

// Writes lines with CR LF after each (an empty list gives an empty file) to dir/name through a
// temporary file of its own and a rename. Throws DataError ("<path> に書き込めません") on any
// failure; the old file then stays as it was.
void WriteWorkFile(const std::filesystem::path& dir, std::string_view name,
                   const std::vector<std::string>& lines);

// Writes bytes atomically to path (the same temporary-and-rename scheme). Callers that write
// into the program folder hold its WriterLock, so the file they replace is not another
// writer's half-done work.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

struct FileToWrite {
    std::filesystem::path path;
    std::string_view bytes;
};

// Writes files that belong together as one set: every one to a temporary file first, then
// each renamed over its name, so a failure while writing (a full disk) leaves none of them
// changed and no temporary file behind. A name held by something that is not a file (a
// folder) is found before anything is renamed. Throws DataError "<path> に書き込めません"
// naming the file that failed.
void WriteFileSetAtomically(const std::vector<FileToWrite>& files);

}  // namespace orvikel
