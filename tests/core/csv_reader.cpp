#include "csv_reader.hpp"

namespace orvikel::testing {

std::vector<CsvReadRow> ReadCsv(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) != kBom) {
        throw std::runtime_error("no byte-order mark");
    }
    bytes.remove_prefix(kBom.size());
    std::vector<CsvReadRow> rows;
    CsvReadRow row;
    CsvReadField field;
    std::size_t i = 0;
    bool fieldStarted = false;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (!fieldStarted && c == '"') {
            // a quoted field runs to the quote that is not doubled
            field.quoted = true;
            ++i;
            for (;;) {
                if (i >= bytes.size()) {
                    throw std::runtime_error("unterminated quoted field");
                }
                if (bytes[i] == '"') {
                    if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
                        field.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.text += bytes[i++];
            }
            fieldStarted = true;
            if (i < bytes.size() && bytes[i] != ',' && bytes[i] != '\r') {
                throw std::runtime_error("text after a closing quote");
            }
            continue;
        }
        if (c == ',') {
            row.push_back(field);
            field = {};
            fieldStarted = false;
            ++i;
        } else if (c == '\r') {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
                throw std::runtime_error("CR without LF");
            }
            row.push_back(field);
            rows.push_back(row);
            row = {};
            field = {};
            fieldStarted = false;
            i += 2;
        } else if (c == '\n') {
            throw std::runtime_error("LF without CR");
        } else if (c == '"') {
            throw std::runtime_error("quote inside an unquoted field");
        } else {
            if (field.quoted) {
                throw std::runtime_error("text after a closing quote");
            }
            field.text += c;
            fieldStarted = true;
            ++i;
        }
    }
    if (fieldStarted || !row.empty()) {
        throw std::runtime_error("last row without CR LF");
    }
    return rows;
}

std::vector<std::string> Texts(const CsvReadRow& row) {
    std::vector<std::string> texts;
    for (const auto& field : row) {
        texts.push_back(field.text);
    }
    return texts;
}

}  // namespace orvikel::testing
