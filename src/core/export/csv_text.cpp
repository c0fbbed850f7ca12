#include "export/csv_text.hpp"

#include <algorithm>
#include <cstddef>

#include "platform/bytes.hpp"
#include "platform/encoding.hpp"

namespace orvikel {

namespace {

constexpr std::string_view kFullWidthBlank = "\x81\x40";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string TrimBlanks(std::string_view cp932) {
    // Walk the characters, so a trail byte 0x40 is never read as half a full-width blank.
    std::size_t begin = cp932.size();
    std::size_t end = 0;
    for (std::size_t i = 0; i < cp932.size();) {
        const std::size_t width =
            IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
        const std::string_view character = cp932.substr(i, width);
        if (character != " " && character != kFullWidthBlank) {
            begin = std::min(begin, i);
            end = i + width;
        }
        i += width;
    }
    return begin < end ? std::string(cp932.substr(begin, end - begin)) : std::string();
}

CsvCell CsvText(std::string_view cp932) {
    return CsvCell{TrimBlanks(cp932), false};
}

CsvCell CsvInteger(std::int64_t value) {
    return CsvCell{DecimalText(value), true};
}

CsvCell CsvTenths(std::int64_t tenths) {
    return CsvCell{TenthsText(tenths), true};
}

CsvCell CsvEmpty() {
    return CsvCell{};
}

std::string CsvField(const CsvCell& cell) {
    if (cell.number) {
        return cell.cp932;
    }
    // In UTF-8 no byte of a multi-byte character is ASCII, so a byte test is safe.
    const std::string utf8 = text::ToUtf8(cell.cp932);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        return utf8;
    }
    std::string quoted = "\"";
    for (const char c : utf8) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

std::string CsvBytes(const std::vector<CsvRow>& rows) {
    std::string utf8(kByteOrderMark);
    for (const CsvRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                utf8 += ',';
            }
            utf8 += CsvField(row[i]);
        }
        utf8 += "\r\n";
    }
    return utf8;
}

}  // namespace orvikel
