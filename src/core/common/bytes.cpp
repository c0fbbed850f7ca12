#include "common/bytes.hpp"

#include <charconv>

namespace orvikel {

std::string_view CutView(std::string_view line, int column, int width) {
    if (column < 1 || width <= 0) {
        return {};
    }
    const auto start = static_cast<std::size_t>(column - 1);
    if (start >= line.size()) {
        return {};
    }
    return line.substr(start, static_cast<std::size_t>(width));
}

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
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
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
    for (char c : s) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size()) {
        return std::nullopt;  // out of range
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
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != s.size()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return value;
}

std::string DecimalText(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace orvikel
