#pragma once
// A profile (INI) file held in memory with the Windows rules the settings rely on:
// case-insensitive section and key names, trimmed values, a missing section appended at the
// end, a missing key appended at the end of its section, an existing value replaced in
// place, every other line kept byte for byte. Texts are CP932 bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel {

class ProfileFile {
  public:
    ProfileFile() = default;
    explicit ProfileFile(std::string_view bytes);

    // The trimmed value, or nullopt when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value, or the default (itself trimmed) when missing.
    std::string GetOr(std::string_view section, std::string_view key,
                      std::string_view defaultValue) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes, lines ended by CR LF.
    std::string Serialize() const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace orvikel
