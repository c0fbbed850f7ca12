// Windows backing of the text edge: the system's own code page 932 and full-width mapping,
// both named explicitly, so neither the machine's code page nor its locale plays a part.
#include <windows.h>

#include <stdexcept>

#include "platform/encoding.hpp"

namespace orvikel::text {
namespace {

constexpr UINT kCp932 = 932;
constexpr const wchar_t* kJapanese = L"ja-JP";

int Length(std::size_t size) {
    if (size > 0x7FFFFFFF) {
        throw std::runtime_error("text too long to convert");
    }
    return static_cast<int>(size);
}

std::wstring Decode(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = Length(bytes.size());
    const int units = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (units <= 0) {
        throw std::runtime_error(codePage == CP_UTF8 ? "text is not valid UTF-8"
                                                     : "CP932 decoding failed");
    }
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), units);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = Length(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

// No best fit: a character without its own CP932 form is refused, never replaced by a
// look-alike or a "?".
std::string EncodeCp932(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = Length(wide.size());
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                          0, nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault) {
        throw std::runtime_error("text has a character that CP932 cannot hold");
    }
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), bytes, nullptr,
                        nullptr);
    return out;
}

std::wstring FullWidth(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = Length(wide.size());
    const int units = LCMapStringEx(kJapanese, LCMAP_FULLWIDTH, wide.data(), size, nullptr, 0,
                                    nullptr, nullptr, 0);
    if (units <= 0) {
        throw std::runtime_error("full-width conversion failed");
    }
    std::wstring out(static_cast<std::size_t>(units), L'\0');
    LCMapStringEx(kJapanese, LCMAP_FULLWIDTH, wide.data(), size, out.data(), units, nullptr,
                  nullptr, 0);
    return out;
}

}  // namespace

std::string ToUtf8(std::string_view cp932) {
    return Utf8(Decode(kCp932, 0, cp932));
}

std::string ToCp932(std::string_view utf8) {
    return EncodeCp932(Decode(CP_UTF8, MB_ERR_INVALID_CHARS, utf8));
}

std::string FullWidthUtf8(std::string_view cp932) {
    return Utf8(FullWidth(Decode(kCp932, 0, cp932)));
}

std::filesystem::path NativePath(std::string_view cp932) {
    return std::filesystem::path(Decode(kCp932, 0, cp932));
}

std::string PathText(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    try {
        return EncodeCp932(wide);
    } catch (const std::runtime_error&) {
        return Utf8(wide);  // a path outside CP932 is still worth naming in a message
    }
}

}  // namespace orvikel::text
