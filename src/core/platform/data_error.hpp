#pragma once
// The one error type of the core. Its message is CP932 text that names the file and, where
// there is one, the field; the window and orvikel-dump convert it at their edge.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace orvikel {

// A NUL byte from a file or a name is shown as "\0": what() is a C string, and every reader
// of it would stop there and lose the rest of the message.
std::string EscapeNul(std::string_view message);

class DataError : public std::runtime_error {
  public:
    explicit DataError(const std::string& cp932Message)
        : std::runtime_error(EscapeNul(cp932Message)) {}
    // A message that names a path or folder name CP932 cannot hold (a folder with "é" in it):
    // what() keeps the name's own bytes, utf8Message() the whole text as the platform spells
    // the name.
    DataError(const std::string& cp932Message, const std::string& utf8Message)
        : std::runtime_error(EscapeNul(cp932Message)), utf8Message_(EscapeNul(utf8Message)) {}

    // Empty unless the message names something CP932 cannot hold.
    const std::string& utf8Message() const { return utf8Message_; }

  private:
    std::string utf8Message_;
};

// "<file>: <field> が数値ではありません (「<value>」)" and similar, built in one place so every
// reader words its failures alike. All arguments are CP932.
[[noreturn]] void ThrowNotANumber(std::string_view file, std::string_view field,
                                  std::string_view value);
[[noreturn]] void ThrowCannotOpen(const std::string& file);
[[noreturn]] void ThrowNoLine(const std::string& file);
[[noreturn]] void ThrowCannotWrite(const std::string& file);

// The same for paths of the program folder, which need not be CP932 ("C:\Users\José\...").
[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file);
[[noreturn]] void ThrowCannotWrite(const std::filesystem::path& file);

// before + the path + after, before and after being CP932, the path named as the platform
// spells it; the error itself, for a caller that throws a kind of its own.
DataError ErrorAboutPath(std::string_view before, const std::filesystem::path& path,
                         std::string_view after);
[[noreturn]] void ThrowAboutPath(std::string_view before, const std::filesystem::path& path,
                                 std::string_view after);
// The same for a name given as UTF-8 (a folder the user typed or chose).
[[noreturn]] void ThrowAboutName(std::string_view before, const std::string& utf8Name,
                                 std::string_view after);

}  // namespace orvikel
