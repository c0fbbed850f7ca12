#include "common/data_error.hpp"

#include "common/encoding.hpp"
#include "common/literals.hpp"

namespace orvikel {

void ThrowNotANumber(const std::string& file, const std::string& field, const std::string& value) {
    throw DataError(file + ": " + field + lit::kNotANumberMid + lit::kOpenQuote + value +
                    lit::kCloseQuote);
}

void ThrowCannotOpen(const std::string& file) {
    throw DataError(lit::kFilePrefixMsg + file + lit::kCannotOpenSuffix);
}

void ThrowNoLine(const std::string& file) {
    throw DataError(file + lit::kNoLineSuffix);
}

void ThrowCannotWrite(const std::string& file) {
    throw DataError(file + lit::kCannotWriteSuffix);
}

void ThrowCannotOpen(const std::filesystem::path& file) {
    ThrowAboutPath(lit::kFilePrefixMsg, file, lit::kCannotOpenSuffix);
}

void ThrowCannotWrite(const std::filesystem::path& file) {
    ThrowAboutPath({}, file, lit::kCannotWriteSuffix);
}

void ThrowAboutPath(const std::string& before, const std::filesystem::path& path,
                    const std::string& after) {
    const std::u8string u8 = path.u8string();
    ThrowAboutName(before, std::string(u8.begin(), u8.end()), after);
}

void ThrowAboutName(const std::string& before, const std::string& utf8Name,
                    const std::string& after) {
    std::string cp932;
    try {
        cp932 = text::ToCp932(utf8Name);
    } catch (const std::runtime_error&) {
        throw DataError(before + utf8Name + after,
                        text::ToUtf8(before) + utf8Name + text::ToUtf8(after));
    }
    throw DataError(before + cp932 + after);
}

}  // namespace orvikel
