#include "platform/text_lines.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

namespace orvikel {

std::size_t LineEnd(std::string_view bytes, std::size_t from) {
    // Two memchr calls instead of a test per byte: data lines run to thousands of bytes.
    const char* begin = bytes.data() + from;
    const std::size_t rest = bytes.size() - from;
    const void* lf = std::memchr(begin, '\n', rest);
    const std::size_t toLf =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : rest;
    const void* cr = std::memchr(begin, '\r', toLf);
    const std::size_t length =
        cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : toLf;
    return from + length;
}

TextLines::TextLines(std::string bytes) : bytes_(std::move(bytes)) {
    // A list line with its CR LF takes at least ~24 bytes: usually one allocation.
    spans_.reserve(bytes_.size() / 24 + 1);
    ForEachLine(bytes_, [this](std::size_t offset, std::size_t size) {
        spans_.push_back(Span{offset, size});
    });
}

void TextLines::clear() {
    bytes_.clear();
    spans_.clear();
}

bool operator==(const TextLines& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace orvikel
