// ICU backing of the text edge (every platform but Windows), held to Windows' answers. ICU
// supplies only CP932's table of double-byte characters (windows-31j), read once into arrays;
// what lies around it follows Windows as the golden tables record it: what single bytes and
// broken pairs decode to, which of two byte forms a character takes, refusing every
// character without a form of its own, and the full-width mapping.
#include <unicode/ucnv.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/encoding.hpp"

namespace orvikel::text {
namespace {

constexpr char16_t kMiddleDot = u'\u30FB';  // what Windows decodes a broken character to
constexpr std::uint16_t kRefused = 0xFFFF;  // no CP932 form (never a valid byte sequence)

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// What a byte decodes to on its own: ASCII and 0x80 as they are, the half-width katakana,
// the private-use characters Windows gives the bytes outside the table, and "・" for a lead
// byte with no byte after it.
char16_t SingleByte(unsigned char b) {
    if (b <= 0x80) {
        return b;
    }
    if (b == 0xA0) {
        return u'\uF8F0';
    }
    if (b >= 0xA1 && b <= 0xDF) {
        return static_cast<char16_t>(0xFF61 + (b - 0xA1));
    }
    if (b >= 0xFD) {
        return static_cast<char16_t>(0xF8F1 + (b - 0xFD));
    }
    return kMiddleDot;
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

struct Cp932Table {
    std::vector<char16_t> pair;         // [lead << 8 | trail], "・" when no character
    std::vector<std::uint16_t> encode;  // [code unit]: one byte, lead << 8 | trail, kRefused
};

Cp932Table BuildTable() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> conv(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status) || !conv) {
        throw std::runtime_error("ICU converter windows-31j is not available");
    }
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);

    Cp932Table table{std::vector<char16_t>(0x10000, kMiddleDot),
                     std::vector<std::uint16_t>(0x10000, kRefused)};
    for (unsigned b = 0; b < 0x100; ++b) {
        if (!IsLeadByte(static_cast<unsigned char>(b))) {
            table.encode[SingleByte(static_cast<unsigned char>(b))] = static_cast<std::uint16_t>(b);
        }
    }
    std::vector<char16_t> twoForms;  // characters with more than one byte form
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            UChar out[4];
            status = U_ZERO_ERROR;
            const int32_t length = ucnv_toUChars(conv.get(), out, 4, bytes, 2, &status);
            if (U_FAILURE(status) || length != 1) {
                continue;
            }
            const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
            table.pair[code] = out[0];
            std::uint16_t& form = table.encode[out[0]];
            if (form == kRefused) {
                form = code;
            } else {
                twoForms.push_back(out[0]);
            }
        }
    }
    // Of two forms (NEC and IBM rows), Windows writes the one ICU's table also writes.
    for (char16_t c : twoForms) {
        char bytes[4];
        status = U_ZERO_ERROR;
        const UChar unit = c;
        const int32_t length = ucnv_fromUChars(conv.get(), bytes, 4, &unit, 1, &status);
        if (U_SUCCESS(status) && length == 2) {
            const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                         static_cast<unsigned char>(bytes[1]));
            if (table.pair[code] == c) {
                table.encode[c] = code;
            }
        }
    }
    return table;
}

const Cp932Table& Table() {
    static const Cp932Table table = BuildTable();
    return table;
}

// Calls emit(unit) for each UTF-16 unit of the CP932 text, as Windows decodes it: a lead
// byte takes any next byte but NUL with it, and gives "・" when the two make no character.
template <class Emit>
void Decode(std::string_view cp932, Emit&& emit) {
    const Cp932Table& table = Table();
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(b) && i + 1 < cp932.size() && cp932[i + 1] != '\0') {
            emit(table.pair[b << 8 | static_cast<unsigned char>(cp932[i + 1])]);
            ++i;
        } else {
            emit(SingleByte(b));
        }
    }
}

// CP932 never decodes to a surrogate, so every unit is a whole character.
void AppendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

[[noreturn]] void ThrowNotUtf8() {
    throw std::runtime_error("text is not valid UTF-8");
}

[[noreturn]] void ThrowNoForm() {
    throw std::runtime_error("text has a character that CP932 cannot hold");
}

// The next code point of UTF-8 text at i, strictly (no overlong forms, no surrogates).
char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int more = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, c = lead & 0x07, least = 0x10000;
    } else {
        ThrowNotUtf8();
    }
    for (int k = 0; k < more; ++k) {
        if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            ThrowNotUtf8();
        }
        c = c << 6 | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ThrowNotUtf8();
    }
    return c;
}

// Full-width forms of the half-width katakana U+FF61..U+FF9F.
constexpr char16_t kFullKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ',     u'ィ',    u'ゥ', u'ェ', u'ォ',
    u'ャ', u'ュ', u'ョ', u'ッ', u'ー', u'ア', u'イ',     u'ウ',    u'エ', u'オ', u'カ',
    u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス',     u'セ',    u'ソ', u'タ', u'チ',
    u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ',     u'ノ',    u'ハ', u'ヒ', u'フ',
    u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ',     u'ヤ',    u'ユ', u'ヨ', u'ラ',
    u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'\u3099', u'\u309A'};
static_assert(sizeof kFullKana / sizeof kFullKana[0] == 0xFF9F - 0xFF61 + 1);

constexpr char16_t kVoicedMark = u'\uFF9E';      // ﾞ
constexpr char16_t kSemiVoicedMark = u'\uFF9F';  // ﾟ

// The voiced form of a full-width katakana, or 0.
char16_t Voiced(char16_t kana) {
    switch (kana) {
        case u'ウ':
            return u'ヴ';
        case u'ワ':
            return u'ヷ';
        case u'ヰ':
            return u'ヸ';
        case u'ヱ':
            return u'ヹ';
        case u'ヲ':
            return u'ヺ';
        default:
            break;
    }
    if ((kana >= u'カ' && kana <= u'ヂ' && (kana - u'カ') % 2 == 0) ||
        (kana >= u'ツ' && kana <= u'ド' && (kana - u'ツ') % 2 == 0) ||
        (kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0)) {
        return static_cast<char16_t>(kana + 1);
    }
    return 0;
}

// The semi-voiced form (ハ行 only), or 0.
char16_t SemiVoiced(char16_t kana) {
    return (kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0)
               ? static_cast<char16_t>(kana + 2)
               : 0;
}

// Windows' full-width mapping of a decoded text: ASCII but "\" to its full-width form, the
// half-width katakana to full width with a following ﾞ or ﾟ composed where a composed
// katakana exists (of the full-width ones only ヰ and ヱ take a following ﾞ), the marks
// otherwise to their combining forms, and the double-byte marks ゛゜ to those as well.
std::string FullWidthOf(const std::u16string& text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
        char16_t wide = c;
        if (c == u' ') {
            wide = u'\u3000';
        } else if (c > u' ' && c < 0x7F && c != u'\\') {
            wide = static_cast<char16_t>(c - u'!' + u'！');
        } else if (c >= u'\uFF61' && c <= kSemiVoicedMark) {
            wide = kFullKana[c - u'\uFF61'];
            const char16_t composed = next == kVoicedMark       ? Voiced(wide)
                                      : next == kSemiVoicedMark ? SemiVoiced(wide)
                                                                : 0;
            if (c < kVoicedMark && composed != 0) {
                wide = composed;
                ++i;
            }
        } else if ((c == u'ヰ' || c == u'ヱ') && next == kVoicedMark) {
            wide = Voiced(c);
            ++i;
        } else if (c == u'゛' || c == u'゜') {
            wide = static_cast<char16_t>(c - u'゛' + u'\u3099');
        }
        AppendUtf8(out, wide);
    }
    return out;
}

}  // namespace

std::string ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    Decode(cp932, [&out](char16_t c) { AppendUtf8(out, c); });
    return out;
}

std::string ToCp932(std::string_view utf8) {
    const Cp932Table& table = Table();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        const std::uint16_t form = c > 0xFFFF ? kRefused : table.encode[c];
        if (form == kRefused) {
            ThrowNoForm();
        }
        if (form > 0xFF) {
            out += static_cast<char>(form >> 8);
        }
        out += static_cast<char>(form & 0xFF);
    }
    return out;
}

std::string FullWidthUtf8(std::string_view cp932) {
    std::u16string decoded;
    decoded.reserve(cp932.size());
    Decode(cp932, [&decoded](char16_t c) { decoded.push_back(c); });
    return FullWidthOf(decoded);
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
