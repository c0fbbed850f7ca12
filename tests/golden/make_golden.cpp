// make_golden DIR: writes Windows' own answers for the text edge into DIR, as the tables the
// golden test holds every backend to. It calls the system functions directly, never the
// viewer's backend, so the tables stay the reference even if the backend goes wrong.
//
// Every line is "KEY : VALUE", hex tokens separated by blanks (format in golden_tables.hpp).
// Only answers that do not follow from others are written, so the files stay small:
// - cp932-decode.txt: every single byte; every pair of bytes whose answer is not the two
//   single bytes' answers one after the other; and a set of longer texts.
// - cp932-encode.txt: every BMP code point (surrogates aside) whose answer is not "the one
//   byte sequence that decodes to it, or refused when there is not exactly one".
// - fullwidth.txt: every CP932 character, every half-width katakana or ASCII character
//   followed by a voiced or semi-voiced mark, every full-width kana followed by a half-width
//   mark, every half-width katakana followed by a double-byte mark, and the longer texts,
//   where the full-width form is not the text itself.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Units = std::wstring;
using Bytes = std::string;

Units Decode(const Bytes& bytes) {
    const int n =
        MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    Units out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

// False when Windows cannot map the text without its default character.
bool Encode(const Units& units, Bytes& out) {
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, units.data(), static_cast<int>(units.size()),
                            nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) {
        return false;
    }
    out.assign(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, units.data(), static_cast<int>(units.size()),
                        out.data(), n, nullptr, nullptr);
    return true;
}

Units FullWidth(const Units& units) {
    if (units.empty()) {
        return {};
    }
    const int n = LCMapStringEx(L"ja-JP", LCMAP_FULLWIDTH, units.data(),
                                static_cast<int>(units.size()), nullptr, 0, nullptr, nullptr, 0);
    Units out(static_cast<std::size_t>(n), L'\0');
    LCMapStringEx(L"ja-JP", LCMAP_FULLWIDTH, units.data(), static_cast<int>(units.size()),
                  out.data(), n, nullptr, nullptr, 0);
    return out;
}

std::string HexBytes(const Bytes& bytes) {
    std::string s;
    char buf[3];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        s += buf;
    }
    return s;
}

std::string HexUnits(const Units& units) {
    std::string s;
    char buf[6];
    for (wchar_t u : units) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(u));
        if (!s.empty()) {
            s += ' ';
        }
        s += buf;
    }
    return s;
}

// Writes "KEY : VALUE" lines, folding runs of consecutive keys into "FIRST-LAST : VALUE"
// (the same value each time) or "FIRST-LAST : +VALUE" (one unit, one higher each time).
class RunWriter {
  public:
    explicit RunWriter(std::FILE* file) : file_(file) {}
    ~RunWriter() { Flush(); }

    // key: a number whose hex text has width digits; value: UTF-16 units or a byte text.
    void Add(std::uint32_t key, int width, const std::string& value, long number = -1) {
        if (open_ && key == last_ + 1 && width == width_) {
            if (value == value_ && (mode_ == Mode::kSame || count_ == 1)) {
                mode_ = Mode::kSame;
                last_ = key;
                ++count_;
                return;
            }
            if (number >= 0 && number == number_ + count_ &&
                (mode_ == Mode::kRising || count_ == 1)) {
                mode_ = Mode::kRising;
                last_ = key;
                ++count_;
                return;
            }
        }
        Flush();
        open_ = true;
        first_ = last_ = key;
        width_ = width;
        value_ = value;
        number_ = number;
        count_ = 1;
        mode_ = Mode::kNone;
    }

    void Flush() {
        if (!open_) {
            return;
        }
        if (count_ == 1) {
            std::fprintf(file_, "%0*X : %s\n", width_, first_, value_.c_str());
        } else {
            std::fprintf(file_, "%0*X-%0*X : %s%s\n", width_, first_, width_, last_,
                         mode_ == Mode::kRising ? "+" : "", value_.c_str());
        }
        open_ = false;
    }

  private:
    enum class Mode { kNone, kSame, kRising };
    std::FILE* file_;
    bool open_ = false;
    std::uint32_t first_ = 0;
    std::uint32_t last_ = 0;
    int width_ = 0;
    std::string value_;
    long number_ = -1;
    long count_ = 0;
    Mode mode_ = Mode::kNone;
};

long SingleUnit(const Units& units) {
    return units.size() == 1 ? static_cast<long>(units[0]) : -1;
}

// Texts of 3 to 6 bytes from the bytes where decoding has choices to make: lead bytes, the
// bytes that can and cannot follow them, control bytes and the bytes outside the table.
std::vector<Bytes> LongerTexts() {
    const unsigned char pool[] = {0x00, 0x0A, 0x0D, 0x1A, 0x20, 0x3F, 0x40, 0x5C, 0x7E, 0x7F,
                                  0x80, 0x81, 0x82, 0x83, 0x87, 0x9F, 0xA0, 0xA5, 0xB6, 0xDE,
                                  0xDF, 0xE0, 0xEA, 0xED, 0xEF, 0xF0, 0xFA, 0xFC, 0xFD, 0xFF};
    std::uint32_t state = 20061029;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    std::vector<Bytes> texts;
    for (int i = 0; i < 400; ++i) {
        Bytes text;
        const int length = 3 + static_cast<int>(next() % 4);
        for (int k = 0; k < length; ++k) {
            text += static_cast<char>(pool[next() % sizeof pool]);
        }
        texts.push_back(text);
    }
    return texts;
}

bool IsLeadByte(unsigned c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_golden DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    auto open = [&dir](const char* name) {
        std::FILE* f = std::fopen((dir + "/" + name).c_str(), "wb");
        if (f == nullptr) {
            std::fprintf(stderr, "make_golden: cannot write %s/%s\n", dir.c_str(), name);
            std::exit(1);
        }
        return f;
    };

    // Decoding.
    Units single[256];
    std::map<Bytes, Units> pairs;  // every pair's answer, for the encoding rule below
    {
        std::FILE* f = open("cp932-decode.txt");
        std::fputs("# CP932 bytes : UTF-16 units (MultiByteToWideChar, code page 932)\n", f);
        {
            RunWriter w(f);
            for (unsigned b = 0; b < 256; ++b) {
                single[b] = Decode(Bytes(1, static_cast<char>(b)));
                w.Add(b, 2, HexUnits(single[b]), SingleUnit(single[b]));
            }
        }
        {
            RunWriter w(f);
            for (unsigned b1 = 0; b1 < 256; ++b1) {
                for (unsigned b2 = 0; b2 < 256; ++b2) {
                    const Bytes bytes{static_cast<char>(b1), static_cast<char>(b2)};
                    const Units units = Decode(bytes);
                    if (units != single[b1] + single[b2]) {
                        pairs[bytes] = units;
                        w.Add(b1 << 8 | b2, 4, HexUnits(units), SingleUnit(units));
                    }
                }
            }
        }
        for (const Bytes& text : LongerTexts()) {
            std::fprintf(f, "%s : %s\n", HexBytes(text).c_str(), HexUnits(Decode(text)).c_str());
        }
        std::fclose(f);
    }

    // Encoding: the one byte sequence that decodes to a code point is its expected form.
    {
        std::map<wchar_t, std::vector<Bytes>> preimages;
        for (unsigned b = 0; b < 256; ++b) {
            if (single[b].size() == 1) {
                preimages[single[b][0]].push_back(Bytes(1, static_cast<char>(b)));
            }
        }
        for (const auto& [bytes, units] : pairs) {
            if (units.size() == 1) {
                preimages[units[0]].push_back(bytes);
            }
        }
        std::FILE* f = open("cp932-encode.txt");
        std::fputs(
            "# UTF-16 unit : CP932 bytes, or - when refused (WideCharToMultiByte, code page 932, "
            "no best fit),\n# where that is not the one byte sequence that decodes to it\n",
            f);
        RunWriter w(f);
        for (std::uint32_t u = 0; u < 0x10000; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF) {
                continue;
            }
            Bytes bytes;
            const bool ok = Encode(Units(1, static_cast<wchar_t>(u)), bytes);
            const auto found = preimages.find(static_cast<wchar_t>(u));
            const bool derivedOk = found != preimages.end() && found->second.size() == 1;
            if (ok == derivedOk && (!ok || bytes == found->second[0])) {
                continue;
            }
            w.Add(u, 4, ok ? HexBytes(bytes) : "-");
        }
        w.Flush();
        std::fclose(f);
    }

    // Full width of CP932 texts.
    {
        std::FILE* f = open("fullwidth.txt");
        std::fputs(
            "# CP932 bytes : UTF-16 units of the full-width form (LCMapStringEx ja-JP, "
            "LCMAP_FULLWIDTH),\n# where that is not the decoded text itself\n",
            f);
        std::vector<Bytes> inputs;
        for (unsigned b = 0; b < 256; ++b) {
            inputs.push_back(Bytes(1, static_cast<char>(b)));
        }
        for (unsigned b1 = 0; b1 < 256; ++b1) {
            for (unsigned b2 = 0; b2 < 256; ++b2) {
                const Bytes bytes{static_cast<char>(b1), static_cast<char>(b2)};
                const bool character = IsLeadByte(b1) && pairs.count(bytes) != 0 &&
                                       pairs[bytes].size() == 1 && pairs[bytes][0] != 0x30FB;
                const bool marked = (b2 == 0xDE || b2 == 0xDF) &&
                                    ((b1 >= 0x20 && b1 <= 0x7E) || (b1 >= 0xA1 && b1 <= 0xDF));
                if (character || marked || (b1 == 0x81 && b2 == 0x45)) {
                    inputs.push_back(bytes);
                }
            }
        }
        // Full-width kana and the double-byte voiced marks next to the half-width ones.
        for (unsigned trail = 0x40; trail <= 0xF1; ++trail) {
            for (unsigned lead : {0x82u, 0x83u}) {
                const Bytes kana{static_cast<char>(lead), static_cast<char>(trail)};
                if (pairs.count(kana) != 0 && pairs[kana].size() == 1 && pairs[kana][0] != 0x30FB) {
                    inputs.push_back(kana + "\xDE");
                    inputs.push_back(kana + "\xDF");
                }
            }
        }
        for (unsigned b = 0xA1; b <= 0xDF; ++b) {
            inputs.push_back(Bytes(1, static_cast<char>(b)) + "\x81\x4A");
            inputs.push_back(Bytes(1, static_cast<char>(b)) + "\x81\x4B");
        }
        for (const Bytes& text : LongerTexts()) {
            inputs.push_back(text);
        }
        RunWriter w(f);
        for (const Bytes& bytes : inputs) {
            const Units decoded = Decode(bytes);
            const Units wide = FullWidth(decoded);
            if (wide == decoded) {
                continue;
            }
            if (bytes.size() <= 2) {
                std::uint32_t key = 0;
                for (unsigned char b : bytes) {
                    key = key << 8 | b;
                }
                w.Add(key, static_cast<int>(bytes.size() * 2), HexUnits(wide), SingleUnit(wide));
            } else {
                w.Flush();
                std::fprintf(f, "%s : %s\n", HexBytes(bytes).c_str(), HexUnits(wide).c_str());
            }
        }
        w.Flush();
        std::fclose(f);
    }
    return 0;
}
