#pragma once
// A small RFC 4180 reader for the tests: it reads back what the CSV export wrote, strictly, so
// a stray quote, a bare LF or a missing byte-order mark fails the test instead of passing by
// luck.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel::testing {

struct CsvReadField {
    std::string text;  // UTF-8, quotes removed and doubled quotes undone
    bool quoted = false;

    friend bool operator==(const CsvReadField&, const CsvReadField&) = default;
};
using CsvReadRow = std::vector<CsvReadField>;

// The rows of a whole file: UTF-8 with a byte-order mark and CR LF after every row. Throws
// std::runtime_error for anything else.
std::vector<CsvReadRow> ReadCsv(std::string_view bytes);

// The texts of a row, for compact comparisons.
std::vector<std::string> Texts(const CsvReadRow& row);

}  // namespace orvikel::testing
