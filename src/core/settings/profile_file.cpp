#include "settings/profile_file.hpp"

#include <utility>

#include "common/file_io.hpp"

namespace orvikel {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names match without regard to ASCII case; the second byte of a double-byte character is
// compared as it is, since it may fall in the ASCII letter range without being a letter.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section line "[name]", or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    const auto close = t.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(t.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// A "key=value" line; comments (";") and lines without "=" hold no entry.
std::optional<Entry> EntryOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') {
        return std::nullopt;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes) : lines_(SplitLines(bytes)) {}

namespace {

// Index of the first line of the first section named section (its header line), or npos.
std::size_t FindSection(const std::vector<std::string>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (name && SameName(*name, section)) {
            return i;
        }
    }
    return std::string::npos;
}

// One past the last line of the section whose header is at header.
std::size_t SectionEnd(const std::vector<std::string>& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && !SectionName(lines[i])) {
        ++i;
    }
    return i;
}

std::size_t FindKey(const std::vector<std::string>& lines, std::size_t header, std::size_t end,
                    std::string_view key) {
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto entry = EntryOf(lines[i]);
        if (entry && SameName(entry->key, key)) {
            return i;
        }
    }
    return std::string::npos;
}

}  // namespace

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
    const std::size_t header = FindSection(lines_, section);
    if (header == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t at = FindKey(lines_, header, SectionEnd(lines_, header), key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return std::string(EntryOf(lines_[at])->value);
}

std::string ProfileFile::GetOr(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    auto value = Get(section, key);
    return value ? std::move(*value) : std::string(Trim(defaultValue));
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value);
    const std::size_t header = FindSection(lines_, section);
    if (header == std::string::npos) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(entry);
        return;
    }
    const std::size_t end = SectionEnd(lines_, header);
    const std::size_t at = FindKey(lines_, header, end, key);
    if (at != std::string::npos) {
        // Keep the key as the file spells it; only the value changes.
        lines_[at] = std::string(EntryOf(lines_[at])->key) + "=" + std::string(value);
        return;
    }
    // After the section's last non-blank line, so blank lines before the next section stay
    // between the sections.
    std::size_t insertAt = end;
    while (insertAt > header + 1 && Trim(lines_[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

std::string ProfileFile::Serialize() const {
    std::string bytes;
    for (const auto& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace orvikel
