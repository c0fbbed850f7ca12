#pragma once
// The data-folder text and its separator: the one rule for "does this folder text end in the
// separator, and if not, append it", used by the settings, the settings window and
// orvikel-dump alike. Folder texts are CP932 bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvikel {

// The separator appended to a folder text: "\" on Windows.
#ifdef _WIN32
inline constexpr std::string_view kPathSeparator = "\\";
#else
inline constexpr std::string_view kPathSeparator = "/";
#endif

// Offset one past the last separator of a CP932 text, 0 when it has none. The text is read
// character by character: the second byte of a double-byte character can be 0x5C (ソ is
// 83 5C), which is a separator only when it stands alone.
std::size_t EndOfFolderPart(std::string_view cp932);

// True when the text ends in a separator character.
bool EndsWithSeparator(std::string_view cp932);

// The text with kPathSeparator appended unless it already ends in a separator.
std::string WithSeparator(std::string cp932);

}  // namespace orvikel
