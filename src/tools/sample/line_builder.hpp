#pragma once
// One line of a data file assembled by 1-based byte columns, the way every layout of the
// client is described. Unset bytes are blanks. A field that does not fit its width is a fault
// of the generator and throws std::logic_error rather than shifting the fields behind it.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvikel::sample {

class LineBuilder {
  public:
    explicit LineBuilder(std::size_t length = 0) : bytes_(length, ' ') {}

    // CP932 bytes at column, exactly as given; the line grows with blanks as needed.
    LineBuilder& Put(int column, std::string_view cp932);
    // CP932 text left-aligned in width bytes, blank-padded.
    LineBuilder& Left(int column, int width, std::string_view cp932);
    // Text right-aligned in width bytes behind blanks.
    LineBuilder& Right(int column, int width, std::string_view text);
    // A number right-aligned behind blanks.
    LineBuilder& Number(int column, int width, std::int64_t value);
    // A number with leading zeros ("04").
    LineBuilder& Zeros(int column, int width, std::int64_t value);

    const std::string& Line() const { return bytes_; }
    // The whole file: this one line and CR LF.
    std::string FileBytes() const { return bytes_ + "\r\n"; }

  private:
    std::string bytes_;
};

// Decimal text with one decimal place from tenths: 123 -> "12.3", 0 -> "0.0".
std::string TenthsText(std::int64_t tenths);

}  // namespace orvikel::sample
