#pragma once
// The one edge between CP932 bytes and Unicode. Core keeps every text as CP932 bytes; the
// window, the terminal and the tests convert here. Windows' own answers (code page 932 and
// its full-width mapping) are the reference on every platform: a Windows build asks the
// system, other builds give the same answers through ICU, and golden tables made on Windows
// hold both to them.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel::text {

// CP932 bytes to UTF-8, as Windows decodes them; never throws. A lead byte at the end of the
// text, or followed by a byte that makes no character with it, gives "・" (U+30FB); 0x80
// gives U+0080, and 0xA0 and 0xFD-0xFF give U+F8F0-U+F8F3.
std::string ToUtf8(std::string_view cp932);

// UTF-8 to CP932 bytes. Throws std::runtime_error for text that is not UTF-8 and for any
// character without a CP932 form of its own (no look-alike is put in, nothing is dropped).
std::string ToCp932(std::string_view utf8);

// The full-width form of a CP932 text, in UTF-8 for the display: ASCII letters, digits,
// blanks and symbols ("\" excepted) and half-width katakana, voiced marks composed. The
// result may hold characters CP932 has no form for (ヷ, ヺ, a lone combining voiced mark),
// so it stays Unicode.
std::string FullWidthUtf8(std::string_view cp932);

// FullWidthUtf8 of each text, the same as converting them one by one (a voiced mark never
// joins the text before it): the grid converts 72 cells per refresh.
std::vector<std::string> FullWidthUtf8Each(const std::vector<std::string_view>& cp932);

// A CP932 path text (a data-folder name from the settings file) as a native path.
std::filesystem::path NativePath(std::string_view cp932);

// A native path as CP932 text, for messages and for the settings file.
std::string PathText(const std::filesystem::path& path);

}  // namespace orvikel::text
