#pragma once
// Lines of a text: the splitting rule every reader shares, and TextLines, a list's lines kept
// in one byte buffer.
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel {

// Where the line starting at byte `from` ends: at its first CR or LF, or at the end.
std::size_t LineEnd(std::string_view bytes, std::size_t from);

// Calls line(offset, size) for each line of the bytes, split at CR LF, LF or CR; a final line
// break does not start a new line.
template <class Line>
void ForEachLine(std::string_view bytes, Line&& line) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = LineEnd(bytes, start);
        line(start, end - start);
        if (end == bytes.size()) {
            return;
        }
        const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
}

// The lines of a list as the file's bytes and where each line sits in them. A list holds up
// to ~900 lines; loading one costs two allocations instead of one per line, and a refresh
// loads five of them.
class TextLines {
  public:
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const TextLines* lines, std::size_t index) : lines_(lines), index_(index) {}
        std::string_view operator*() const { return (*lines_)[index_]; }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

      private:
        const TextLines* lines_ = nullptr;
        std::size_t index_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    TextLines() = default;
    // Splits the bytes at CR LF, LF or CR.
    explicit TextLines(std::string bytes);

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(bytes_).substr(spans_[i].offset, spans_[i].size);
    }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, spans_.size()); }
    void clear();

    friend bool operator==(const TextLines& a, const std::vector<std::string>& b);

  private:
    struct Span {
        std::size_t offset;
        std::size_t size;
    };
    std::string bytes_;
    std::vector<Span> spans_;
};

}  // namespace orvikel
