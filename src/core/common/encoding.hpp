#pragma once
// The one edge between CP932 bytes and Unicode. Core keeps every text as CP932 bytes; the
// window, the terminal and the tests convert here. The three conversions sit behind this
// narrow interface so that a Windows build can back them with the system's own functions.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel::text {

// CP932 bytes to UTF-8. Bytes that are not valid CP932 become U+FFFD; never throws.
std::string ToUtf8(std::string_view cp932);

// UTF-8 to CP932 bytes. Throws std::runtime_error for a character CP932 cannot hold.
std::string ToCp932(std::string_view utf8);

// Half-width to full-width (ASCII letters, digits, blanks and symbols, half-width katakana
// with their voiced marks composed), CP932 in and CP932 out.
std::string ToFullWidth(std::string_view cp932);

// ToFullWidth of each text, the same as converting them one by one (a voiced mark never
// joins the text before it), in one pass: the grid converts 72 cells per refresh.
std::vector<std::string> ToFullWidthEach(const std::vector<std::string_view>& cp932);

// A CP932 path text (a data-folder name from the settings file) as a native path.
std::filesystem::path NativePath(std::string_view cp932);

// A native path as CP932 text, for messages and for the settings file.
std::string PathText(const std::filesystem::path& path);

}  // namespace orvikel::text
