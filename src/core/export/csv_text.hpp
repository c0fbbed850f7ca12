#pragma once
// Comma-separated text as spreadsheets on Japanese Windows open it: UTF-8 with a byte-order
// mark (without it they guess Shift-JIS and garble every name), CR LF after every row, and a
// text quoted as RFC 4180 asks when it holds a comma, a double quote or a line break. Cells are
// built from the core's CP932 texts and converted one by one at the text edge, so a stray byte
// in a data file can never run into the comma after it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel {

struct CsvCell {
    std::string cp932;    // the cell's text, CP932 (a number: ASCII digits, "-" and ".")
    bool number = false;  // written bare, so a spreadsheet reads it as a number
};

// A text cell, with blanks (half and full width) trimmed from both ends.
CsvCell CsvText(std::string_view cp932);
// A number cell: an integer, or a value in tenths with one decimal ("2.5").
CsvCell CsvInteger(std::int64_t value);
CsvCell CsvTenths(std::int64_t tenths);
// An empty cell (no value).
CsvCell CsvEmpty();

using CsvRow = std::vector<CsvCell>;

// One field as it stands in the file (UTF-8): quoted, with its quotes doubled, when it needs it.
std::string CsvField(const CsvCell& cell);

// The file's bytes: a UTF-8 byte-order mark, then every row with CR LF after it.
std::string CsvBytes(const std::vector<CsvRow>& rows);

// A CP932 text without the half-width and full-width blanks at its ends; the second byte of
// a double-byte character is never taken for a blank.
std::string TrimBlanks(std::string_view cp932);

}  // namespace orvikel
