#pragma once
// Test fixtures: a .jra line built by placing fields at 1-based byte columns, so a test reads
// "columns 59-60 hold ' 5'" instead of a blob; and a temporary folder per test.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/encoding.hpp"

namespace orvikel::testing {

// UTF-8 test text to CP932 bytes.
inline std::string Sj(std::string_view utf8) {
    return text::ToCp932(utf8);
}
// CP932 bytes to UTF-8, for readable assertions.
inline std::string U8(std::string_view cp932) {
    return text::ToUtf8(cp932);
}

class JraLine {
  public:
    explicit JraLine(std::size_t length = 0, char fill = ' ') : bytes_(length, fill) {}
    // Places CP932 bytes at 1-based column, growing the line with blanks as needed.
    JraLine& At(int column, std::string_view cp932);
    // The same with a UTF-8 text converted to CP932 first.
    JraLine& AtU8(int column, std::string_view utf8) { return At(column, Sj(utf8)); }
    // Cuts the line to length bytes (or pads it with blanks).
    JraLine& Length(std::size_t length);
    const std::string& str() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

  private:
    std::string bytes_;
};

// A fresh empty folder under the system temporary folder, removed at destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The folder as a CP932 data-folder text ending in the separator.
    std::string DirText() const;
    // Writes bytes to name inside the folder; returns its CP932 path text.
    std::string Write(std::string_view name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// While it lives, no file of this process can grow past limit bytes (RLIMIT_FSIZE): a disk
// that fills up in the middle of a write, which stops root as well. POSIX only.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::uint64_t limit);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    std::uint64_t oldSoftLimit_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

// Lines of a work file, CR LF split (the tests check the line ends separately where it matters).
std::vector<std::string> ReadLines(const std::filesystem::path& file);
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace orvikel::testing
