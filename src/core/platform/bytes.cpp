#include "platform/bytes.hpp"

#include <array>
#include <charconv>
#include <limits>

namespace orvikel {

std::string Cut(std::string_view line, int column, int width) {
    return std::string(CutView(line, column, width));
}

std::string SlotText(int n) {
    std::string text = std::to_string(n);
    if (text.size() < 2) {
        text.insert(0, 2 - text.size(), ' ');
    }
    return text;
}

bool IsBlanks(std::string_view s, std::size_t width) {
    return s.size() == width && s.find_first_not_of(' ') == std::string_view::npos;
}

namespace {
std::string_view SkipLeadingBlanks(std::string_view s) {
    // A plain loop: the fields are a few bytes, shorter than a call to find_first_not_of.
    std::size_t first = 0;
    while (first < s.size() && s[first] == ' ') {
        ++first;
    }
    return s.substr(first);
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::optional<std::int64_t> ParseInteger(std::string_view s) {
    s = SkipLeadingBlanks(s);
    if (s.empty()) {
        return std::nullopt;
    }
    // One pass, as horse numbers are read by the thousand per refresh.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (char c : s) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        const int digit = c - '0';
        // Compared with constants: a division per digit would cost more than the rest.
        if (value > kMax / 10 || (value == kMax / 10 && digit > kMax % 10)) {
            return std::nullopt;  // out of range
        }
        value = value * 10 + digit;
    }
    return value;
}

std::optional<double> ParseDecimal(std::string_view s) {
    s = SkipLeadingBlanks(s);
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    // digits, optionally "." and digits; at least one digit somewhere
    std::size_t i = 0;
    std::size_t digits = 0;
    std::uint64_t mantissa = 0;  // all digits, point ignored; exact while digits <= 15
    while (i < s.size() && IsDigit(s[i])) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(s[i] - '0');
        ++i;
        ++digits;
    }
    const std::size_t wholeDigits = digits;
    bool point = false;
    if (i < s.size() && s[i] == '.') {
        point = true;
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(s[i] - '0');
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != s.size()) {
        return std::nullopt;
    }
    // An odds file holds hundreds of short numbers. Up to 15 digits the mantissa and the power
    // of ten are exact doubles, so one division gives the correctly rounded value that
    // from_chars would give, at a fraction of its cost.
    static constexpr std::array<double, 16> kPowersOfTen{
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const std::size_t fractionDigits = digits - wholeDigits;
    if (digits <= 15 && wholeDigits > 0 && (!point || fractionDigits > 0)) {
        return static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> ParseTenths(std::string_view s) {
    s = SkipLeadingBlanks(s);
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t whole = 0;  // at most kMax / 10, so that its tenths can fit
    std::size_t i = 0;
    std::size_t digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
        const int digit = s[i] - '0';
        if (whole > (kMax / 10 - digit) / 10) {
            return std::nullopt;
        }
        whole = whole * 10 + digit;
    }
    int tenth = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (std::size_t first = i; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
            if (i == first) {
                tenth = s[i] - '0';
            }
        }
    }
    if (digits == 0 || i != s.size() || whole > (kMax - tenth) / 10) {
        return std::nullopt;
    }
    return whole * 10 + tenth;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (const std::string_view part : parts) {
        size += part.size();
    }
    std::string out;
    out.reserve(size);
    for (const std::string_view part : parts) {
        out += part;
    }
    return out;
}

std::string DecimalText(std::int64_t value) {
    return std::to_string(value);
}

std::string TenthsText(std::int64_t tenths) {
    const std::string sign = tenths < 0 ? "-" : "";
    // the magnitude as unsigned, so the most negative value does not overflow
    const std::uint64_t magnitude =
        tenths < 0 ? 0 - static_cast<std::uint64_t>(tenths) : static_cast<std::uint64_t>(tenths);
    return sign + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

}  // namespace orvikel
