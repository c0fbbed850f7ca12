// ICU backing of the text edge (every platform but a future native Windows one).
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "common/encoding.hpp"

namespace orvikel::text {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenCp932(bool strictFromUnicode) {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status) || !conv) {
        throw std::runtime_error("ICU converter windows-31j is not available");
    }
    if (strictFromUnicode) {
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
    }
    return conv;
}

// One converter of each kind per thread, opened on first use: opening one costs more than
// converting a grid cell, and the conversions never nest, so a thread's converter is free
// whenever a conversion starts. Each use starts from the reset state.
UConverter* Cp932(bool strictFromUnicode) {
    thread_local ConverterPtr lenient = OpenCp932(false);
    thread_local ConverterPtr strict = OpenCp932(true);
    UConverter* conv = strictFromUnicode ? strict.get() : lenient.get();
    ucnv_reset(conv);
    return conv;
}

icu::UnicodeString DecodeCp932(std::string_view cp932) {
    UConverter* conv = Cp932(false);
    std::vector<UChar> buffer(cp932.size() * 2 + 2);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(conv, buffer.data(), static_cast<int32_t>(buffer.size()),
                                         cp932.data(), static_cast<int32_t>(cp932.size()), &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("CP932 decoding failed");
    }
    return icu::UnicodeString(buffer.data(), length);
}

std::string EncodeCp932(const icu::UnicodeString& text) {
    UConverter* conv = Cp932(true);
    std::string out(static_cast<std::size_t>(text.length()) * 2 + 2, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                                           text.getBuffer(), text.length(), &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("text has a character that CP932 cannot hold");
    }
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// Full-width text back to CP932, leniently: a malformed input byte must not stop the grid.
std::string EncodeFullWidth(const icu::UnicodeString& text, int32_t start, int32_t length) {
    UConverter* conv = Cp932(false);
    std::string out(static_cast<std::size_t>(length) * 2 + 2, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                                            text.getBuffer() + start, length, &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("full-width conversion failed");
    }
    out.resize(static_cast<std::size_t>(written));
    return out;
}

icu::Transliterator& FullWidthTransliterator() {
    static std::unique_ptr<icu::Transliterator> transliterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Halfwidth-Fullwidth", UTRANS_FORWARD, status));
        if (U_FAILURE(status) || !t) {
            throw std::runtime_error("ICU transliterator Halfwidth-Fullwidth is not available");
        }
        return t;
    }();
    return *transliterator;
}

}  // namespace

std::string ToUtf8(std::string_view cp932) {
    std::string out;
    DecodeCp932(cp932).toUTF8String(out);
    return out;
}

std::string ToCp932(std::string_view utf8) {
    return EncodeCp932(icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size()))));
}

std::string ToFullWidth(std::string_view cp932) {
    icu::UnicodeString text = DecodeCp932(cp932);
    FullWidthTransliterator().transliterate(text);
    return EncodeFullWidth(text, 0, text.length());
}

std::vector<std::string> ToFullWidthEach(const std::vector<std::string_view>& cp932) {
    // Each text is decoded on its own, so a malformed byte at the end of one cannot swallow
    // the next; the decoded texts are joined by line feeds, which the transliterator leaves
    // alone and across which nothing composes, and transliterated in one call.
    constexpr char16_t kBreak = u'\n';
    icu::UnicodeString joined;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const icu::UnicodeString piece = DecodeCp932(cp932[i]);
        if (piece.indexOf(kBreak) >= 0) {
            std::vector<std::string> out;  // a text holding the break itself: one by one
            for (std::string_view text : cp932) {
                out.push_back(ToFullWidth(text));
            }
            return out;
        }
        if (i > 0) {
            joined.append(kBreak);
        }
        joined.append(piece);
    }
    FullWidthTransliterator().transliterate(joined);
    std::vector<std::string> out;
    out.reserve(cp932.size());
    int32_t start = 0;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        int32_t end = joined.indexOf(kBreak, start);
        if (end < 0) {
            end = joined.length();
        }
        out.push_back(EncodeFullWidth(joined, start, end - start));
        start = end + 1;
    }
    return out;
}

std::filesystem::path NativePath(std::string_view cp932) {
    const std::string utf8 = ToUtf8(cp932);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    const std::string utf8(u8.begin(), u8.end());
    try {
        return ToCp932(utf8);
    } catch (const std::runtime_error&) {
        return utf8;  // a path outside CP932 is still worth naming in a message
    }
}

}  // namespace orvikel::text
