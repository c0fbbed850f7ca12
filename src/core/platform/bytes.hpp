#pragma once
// Byte-column helpers. Every layout of the data and work files counts CP932 bytes, so all
// fields are cut from std::string lines by 1-based byte columns through Cut().
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace orvikel {

// Bytes column..column+width-1 (1-based) of line. A cut that reaches past the end of the line
// yields the part that exists, possibly empty; it never throws.
std::string Cut(std::string_view line, int column, int width);

// The same bytes as Cut() without a copy, for hot paths; the view lives as long as line.
inline std::string_view CutView(std::string_view line, int column, int width) {
    if (column < 1 || width <= 0) {
        return {};
    }
    const auto start = static_cast<std::size_t>(column - 1);
    if (start >= line.size()) {
        return {};
    }
    return line.substr(start, static_cast<std::size_t>(width));
}

// True for a byte that starts a CP932 double-byte character (whose second byte may look like
// ASCII: "\", "[", "]").
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The 2-byte right-aligned slot number text: " 1" .. " 9", "10" .. "18".
std::string SlotText(int n);

// True when s is exactly width blanks (a field cut short is never "all blanks").
bool IsBlanks(std::string_view s, std::size_t width);

// Decimal integer: leading blanks allowed, then one or more digits and nothing else.
std::optional<std::int64_t> ParseInteger(std::string_view s);

// Decimal number with "." as the decimal point: leading and trailing blanks allowed.
std::optional<double> ParseDecimal(std::string_view s);

// An odds text in tenths, the unit the client prices in: "  2.5" -> 25, " 12.3" -> 123. It
// takes what ParseDecimal takes: a field without decimals is whole ("  12" -> 120), and
// decimals past the first are cut off, not rounded ("0.95" -> 9), so that a value below 1.0
// stays below 10 tenths and the state a list gives an entry agrees with its number.
// Nothing for a text that is not a number or a value beyond 64 bits.
std::optional<std::int64_t> ParseTenths(std::string_view s);

// The texts one after another. Joins the byte constants of platform/literals.hpp (views) with
// the texts around them, which + cannot do without making each view a string first.
std::string Concat(std::initializer_list<std::string_view> parts);

// Decimal text without leading zeros ("00" gives "0").
std::string DecimalText(std::int64_t value);

// A value in tenths as a decimal with one decimal place: 25 gives "2.5", 5 gives "0.5".
std::string TenthsText(std::int64_t tenths);

}  // namespace orvikel
