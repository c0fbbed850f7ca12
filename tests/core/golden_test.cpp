// The text edge against Windows' own answers, recorded by tests/golden/make_golden.cpp: every
// 1- and 2-byte sequence decoded, every BMP code point encoded, the full width of every
// character and voiced-mark pair. The same test holds the ICU backend (Linux) and the Windows
// backend (under Wine) to them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/encoding.hpp"

namespace orvikel {
namespace {

using Units = std::u16string;

// A table "KEY : VALUE": keys are hex byte texts or code units, "FIRST-LAST" a run of keys
// with the same value, or with "+VALUE" a single unit one higher for each key.
class GoldenTable {
  public:
    explicit GoldenTable(const std::string& name) {
        std::ifstream in(std::string(ORVIKEL_GOLDEN_DIR) + "/" + name, std::ios::binary);
        if (!in) {
            throw std::runtime_error("missing golden table " + name);
        }
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            const auto colon = line.find(" : ");
            const std::string key = line.substr(0, colon);
            std::string value = line.substr(colon + 3);
            const bool rising = !value.empty() && value[0] == '+';
            if (rising) {
                value.erase(0, 1);
            }
            const auto dash = key.find('-');
            if (dash == std::string::npos) {
                entries_[key] = value;
                continue;
            }
            const std::size_t width = dash;
            const std::uint32_t first = Hex(key.substr(0, dash));
            const std::uint32_t last = Hex(key.substr(dash + 1));
            const std::uint32_t start = rising ? Hex(value) : 0;
            for (std::uint32_t k = first; k <= last; ++k) {
                entries_[HexText(k, width)] = rising ? HexText(start + k - first, 4) : value;
            }
        }
    }

    const std::map<std::string, std::string>& entries() const { return entries_; }
    const std::string* Find(const std::string& key) const {
        const auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : &it->second;
    }

    static std::uint32_t Hex(const std::string& text) {
        return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    }
    static std::string HexText(std::uint32_t value, std::size_t width) {
        static const char kDigits[] = "0123456789ABCDEF";
        std::string s(width, '0');
        for (std::size_t i = width; i-- > 0; value >>= 4) {
            s[i] = kDigits[value & 0xF];
        }
        return s;
    }

  private:
    std::map<std::string, std::string> entries_;
};

std::string BytesOf(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(GoldenTable::Hex(hex.substr(i, 2)));
    }
    return bytes;
}

std::string HexOf(std::string_view bytes) {
    std::string hex;
    for (unsigned char b : bytes) {
        hex += GoldenTable::HexText(b, 2);
    }
    return hex;
}

Units UnitsOf(const std::string& value) {
    Units units;
    std::istringstream in(value);
    std::string token;
    while (in >> token) {
        units.push_back(static_cast<char16_t>(GoldenTable::Hex(token)));
    }
    return units;
}

std::string Utf8(const Units& units) {
    std::string out;
    for (char16_t c : units) {
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
    return out;
}

// Collects mismatches so one run names the first few instead of thousands of failures.
class Mismatches {
  public:
    void Add(const std::string& what) {
        if (++count_ <= 20) {
            list_ += what + "\n";
        }
    }
    ::testing::AssertionResult Result() const {
        if (count_ == 0) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << count_ << " mismatches, first:\n" << list_;
    }

  private:
    int count_ = 0;
    std::string list_;
};

// Windows' decoding as the tables give it: single bytes, pairs (those not listed decode as
// their two bytes one after the other) and the longer texts.
class GoldenDecoding {
  public:
    GoldenDecoding() : table_("cp932-decode.txt") {
        for (unsigned b = 0; b < 256; ++b) {
            single_[b] = UnitsOf(*table_.Find(GoldenTable::HexText(b, 2)));
        }
    }
    Units Pair(unsigned b1, unsigned b2) const {
        const std::string* listed = table_.Find(GoldenTable::HexText(b1 << 8 | b2, 4));
        return listed ? UnitsOf(*listed) : single_[b1] + single_[b2];
    }
    const Units& Single(unsigned b) const { return single_[b]; }
    // The longer texts: hex bytes and their units.
    std::vector<std::pair<std::string, Units>> Texts() const {
        std::vector<std::pair<std::string, Units>> texts;
        for (const auto& [key, value] : table_.entries()) {
            if (key.size() > 4) {
                texts.emplace_back(key, UnitsOf(value));
            }
        }
        return texts;
    }
    Units Of(const std::string& bytes) const {
        if (bytes.size() == 1) {
            return single_[static_cast<unsigned char>(bytes[0])];
        }
        if (bytes.size() == 2) {
            return Pair(static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[1]));
        }
        return UnitsOf(*table_.Find(HexOf(bytes)));
    }

  private:
    GoldenTable table_;
    Units single_[256];
};

bool IsLeadByte(unsigned c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

TEST(GoldenTables, EverySequenceDecodesAsWindowsDecodesIt) {
    const GoldenDecoding golden;
    Mismatches wrong;
    for (unsigned b1 = 0; b1 < 256; ++b1) {
        const std::string one(1, static_cast<char>(b1));
        if (text::ToUtf8(one) != Utf8(golden.Single(b1))) {
            wrong.Add(HexOf(one));
        }
        for (unsigned b2 = 0; b2 < 256; ++b2) {
            const std::string two = one + static_cast<char>(b2);
            if (text::ToUtf8(two) != Utf8(golden.Pair(b1, b2))) {
                wrong.Add(HexOf(two));
            }
        }
    }
    for (const auto& [hex, units] : golden.Texts()) {
        if (text::ToUtf8(BytesOf(hex)) != Utf8(units)) {
            wrong.Add(hex);
        }
    }
    EXPECT_TRUE(wrong.Result());
}

// Expected: the listed answer, else the byte sequence that alone decodes to the code point,
// else refused.
TEST(GoldenTables, EveryCodePointEncodesAsWindowsEncodesItOrIsRefused) {
    const GoldenDecoding golden;
    const GoldenTable table("cp932-encode.txt");
    std::map<char16_t, std::vector<std::string>> preimages;
    for (unsigned b1 = 0; b1 < 256; ++b1) {
        const Units one = golden.Single(b1);
        if (!IsLeadByte(b1) && one.size() == 1) {
            preimages[one[0]].push_back(std::string(1, static_cast<char>(b1)));
        }
        for (unsigned b2 = 0; IsLeadByte(b1) && b2 < 256; ++b2) {
            const Units two = golden.Pair(b1, b2);
            if (two.size() == 1) {
                preimages[two[0]].push_back(
                    std::string{static_cast<char>(b1), static_cast<char>(b2)});
            }
        }
    }
    Mismatches wrong;
    for (std::uint32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) {
            continue;
        }
        const std::string key = GoldenTable::HexText(u, 4);
        std::string expected = "-";
        if (const std::string* listed = table.Find(key)) {
            expected = *listed;
        } else if (const auto it = preimages.find(static_cast<char16_t>(u));
                   it != preimages.end() && it->second.size() == 1) {
            expected = HexOf(it->second[0]);
        }
        std::string actual;
        try {
            actual = HexOf(text::ToCp932(Utf8(Units(1, static_cast<char16_t>(u)))));
        } catch (const std::runtime_error&) {
            actual = "-";
        }
        if (actual != expected) {
            wrong.Add(key + " gives " + actual + ", Windows " + expected);
        }
    }
    EXPECT_TRUE(wrong.Result());
}

TEST(GoldenTables, FullWidthIsWindowsFullWidth) {
    const GoldenDecoding golden;
    const GoldenTable table("fullwidth.txt");
    std::vector<std::string> inputs;  // what the generator asked Windows about
    for (unsigned b1 = 0; b1 < 256; ++b1) {
        inputs.push_back(std::string(1, static_cast<char>(b1)));
        for (unsigned b2 = 0; IsLeadByte(b1) && b2 < 256; ++b2) {
            const Units two = golden.Pair(b1, b2);
            if (two.size() == 1 && (two[0] != u'\u30FB' || (b1 == 0x81 && b2 == 0x45))) {
                inputs.push_back(std::string{static_cast<char>(b1), static_cast<char>(b2)});
            }
        }
    }
    for (const auto& [key, value] : table.entries()) {
        if (key.size() > 2 &&
            (key.size() != 4 || !IsLeadByte(GoldenTable::Hex(key.substr(0, 2))))) {
            inputs.push_back(BytesOf(key));  // the marked pairs and the longer texts
        }
    }
    Mismatches wrong;
    for (const std::string& bytes : inputs) {
        const std::string* listed = table.Find(HexOf(bytes));
        const std::string expected = Utf8(listed ? UnitsOf(*listed) : golden.Of(bytes));
        if (text::FullWidthUtf8(bytes) != expected) {
            wrong.Add(HexOf(bytes));
        }
    }
    EXPECT_TRUE(wrong.Result());
}

}  // namespace
}  // namespace orvikel
