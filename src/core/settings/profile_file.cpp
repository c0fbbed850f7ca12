#include "settings/profile_file.hpp"

#include <stdexcept>
#include <utility>

#include "platform/bytes.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"

namespace orvikel {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

// A value in one pair of matching quotes is read without them, as Windows reads it.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The text written for a value, so that reading gives the value back: one that the reader
// would trim or take out of its quotes goes into one more pair of quotes.
std::string Quoted(std::string_view value) {
    const bool blankAtEnd =
        !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                           kBlanks.find(value.back()) != std::string_view::npos);
    if (blankAtEnd || Unquote(value).size() != value.size()) {
        return "\"" + std::string(value) + "\"";
    }
    return std::string(value);
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// How the file's text is read. In CP932 the second byte of a double-byte character may be
// "]", "[" or an ASCII letter without being one, so such texts go character by character;
// UTF-8 never puts an ASCII byte inside a character.
struct Syntax {
    bool cp932 = true;

    std::size_t CharSize(std::string_view s, std::size_t i) const {
        return cp932 && IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    }

    // Names match without regard to ASCII case; a double-byte character matches as it is.
    bool SameName(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) {
            return false;
        }
        for (std::size_t i = 0; i < a.size();) {
            const std::size_t n = CharSize(a, i);
            if (n == 2 ? a.substr(i, 2) != b.substr(i, 2) : AsciiLower(a[i]) != AsciiLower(b[i])) {
                return false;
            }
            i += n;
        }
        return true;
    }

    // The name of a section line "[name]", or nullopt for any other line.
    std::optional<std::string_view> SectionName(std::string_view line) const {
        const std::string_view t = Trim(line);
        if (t.empty() || t.front() != '[') {
            return std::nullopt;
        }
        for (std::size_t i = 1; i < t.size(); i += CharSize(t, i)) {
            if (t[i] == ']') {
                return Trim(t.substr(1, i - 1));
            }
        }
        return std::nullopt;
    }
};

struct Entry {
    std::string_view key;
    std::optional<std::string_view> value;  // none: a line naming the key without "="
};

// A "key=value" line, or a line that is only a key; comments (";") hold no entry.
std::optional<Entry> EntryOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') {
        return std::nullopt;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        return Entry{t, std::nullopt};
    }
    return Entry{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

// Index of the header line of the first section named section, or npos.
std::size_t FindSection(const Syntax& syntax, const std::vector<std::string>& lines,
                        std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = syntax.SectionName(lines[i]);
        if (name && syntax.SameName(*name, section)) {
            return i;
        }
    }
    return std::string::npos;
}

// One past the last line of the section whose header is at header.
std::size_t SectionEnd(const Syntax& syntax, const std::vector<std::string>& lines,
                       std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && !syntax.SectionName(lines[i])) {
        ++i;
    }
    return i;
}

// The first line of the section naming the key, with or without "=".
std::size_t FindKey(const Syntax& syntax, const std::vector<std::string>& lines, std::size_t header,
                    std::size_t end, std::string_view key) {
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto entry = EntryOf(lines[i]);
        if (entry && syntax.SameName(entry->key, key)) {
            return i;
        }
    }
    return std::string::npos;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        utf8_ = true;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    lines_ = SplitLines(bytes);
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
    const Syntax syntax{!utf8_};
    const std::string fileSection = utf8_ ? text::ToUtf8(section) : std::string(section);
    const std::string fileKey = utf8_ ? text::ToUtf8(key) : std::string(key);
    const std::size_t header = FindSection(syntax, lines_, fileSection);
    if (header == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t at =
        FindKey(syntax, lines_, header, SectionEnd(syntax, lines_, header), fileKey);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const auto value = EntryOf(lines_[at])->value;
    if (!value) {
        return std::nullopt;
    }
    const std::string_view unquoted = Unquote(*value);
    if (!utf8_) {
        return std::string(unquoted);
    }
    try {
        return text::ToCp932(unquoted);
    } catch (const std::runtime_error&) {
        return std::nullopt;  // the setting cannot hold it; its default serves instead
    }
}

std::string ProfileFile::GetOr(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    auto value = Get(section, key);
    return value ? std::move(*value) : std::string(Trim(defaultValue));
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const Syntax syntax{!utf8_};
    const std::string fileSection = utf8_ ? text::ToUtf8(section) : std::string(section);
    const std::string fileKey = utf8_ ? text::ToUtf8(key) : std::string(key);
    const std::string fileValue = Quoted(utf8_ ? text::ToUtf8(value) : std::string(value));
    const std::size_t header = FindSection(syntax, lines_, fileSection);
    if (header == std::string::npos) {
        lines_.push_back("[" + fileSection + "]");
        lines_.push_back(fileKey + "=" + fileValue);
        return;
    }
    const std::size_t end = SectionEnd(syntax, lines_, header);
    const std::size_t at = FindKey(syntax, lines_, header, end, fileKey);
    if (at != std::string::npos) {
        // Keep the key as the file spells it; only the value changes.
        lines_[at] = std::string(EntryOf(lines_[at])->key) + "=" + fileValue;
        return;
    }
    // After the section's last non-blank line, so blank lines before the next section stay
    // between the sections.
    std::size_t insertAt = end;
    while (insertAt > header + 1 && Trim(lines_[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  fileKey + "=" + fileValue);
}

std::string ProfileFile::Serialize() const {
    std::string bytes(utf8_ ? kUtf8Mark : std::string_view());
    for (const auto& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace orvikel
