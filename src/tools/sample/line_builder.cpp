#include "sample/line_builder.hpp"

#include <stdexcept>

namespace orvikel::sample {

LineBuilder& LineBuilder::Put(int column, std::string_view cp932) {
    if (column < 1) {
        throw std::logic_error("column before the start of the line");
    }
    const auto start = static_cast<std::size_t>(column - 1);
    if (bytes_.size() < start + cp932.size()) {
        bytes_.resize(start + cp932.size(), ' ');
    }
    bytes_.replace(start, cp932.size(), cp932);
    return *this;
}

LineBuilder& LineBuilder::Left(int column, int width, std::string_view cp932) {
    const auto w = static_cast<std::size_t>(width);
    if (cp932.size() > w) {
        throw std::logic_error("text wider than its field: " + std::string(cp932));
    }
    std::string field(cp932);
    field.append(w - cp932.size(), ' ');
    return Put(column, field);
}

LineBuilder& LineBuilder::Right(int column, int width, std::string_view text) {
    const auto w = static_cast<std::size_t>(width);
    if (text.size() > w) {
        throw std::logic_error("text wider than its field: " + std::string(text));
    }
    std::string field(w - text.size(), ' ');
    field.append(text);
    return Put(column, field);
}

LineBuilder& LineBuilder::Number(int column, int width, std::int64_t value) {
    return Right(column, width, std::to_string(value));
}

LineBuilder& LineBuilder::Zeros(int column, int width, std::int64_t value) {
    std::string text = std::to_string(value);
    if (text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return Right(column, width, text);
}

std::string TenthsText(std::int64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace orvikel::sample
