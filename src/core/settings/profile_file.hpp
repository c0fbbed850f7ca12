#pragma once
// A profile (INI) file held in memory with the Windows rules the settings rely on:
// case-insensitive section and key names, trimmed values with one pair of matching quotes
// taken off, a missing section appended at the end, a missing key appended at the end of its
// section, an existing value replaced in place (also a line naming the key without "="),
// every other line kept byte for byte.
//
// Texts in and out are CP932. The file is CP932 too, unless it begins with a UTF-8
// byte-order mark: then, as Windows does, it is read as UTF-8 and saved back as UTF-8 with
// its mark, so the editor the user saved it with still reads it whole.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel {

class ProfileFile {
  public:
    ProfileFile() = default;
    explicit ProfileFile(std::string_view bytes);

    // The value, or nullopt when the section or key is missing, the key's line has no "=",
    // or (in a UTF-8 file) the value has no CP932 form.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value, or the default (itself trimmed) when missing.
    std::string GetOr(std::string_view section, std::string_view key,
                      std::string_view defaultValue) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes, lines ended by CR LF, the byte-order mark kept.
    std::string Serialize() const;

  private:
    std::vector<std::string> lines_;
    bool utf8_ = false;
};

}  // namespace orvikel
