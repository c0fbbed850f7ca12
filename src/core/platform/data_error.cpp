#include "platform/data_error.hpp"

#include "platform/bytes.hpp"
#include "platform/encoding.hpp"
#include "platform/literals.hpp"

namespace orvikel {

std::string EscapeNul(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    for (char c : message) {
        if (c == '\0') {
            out += "\\0";
        } else {
            out += c;
        }
    }
    return out;
}

void ThrowNotANumber(std::string_view file, std::string_view field, std::string_view value) {
    throw DataError(
        Concat({file, ": ", field, lit::kNotANumberMid, lit::kOpenQuote, value, lit::kCloseQuote}));
}

void ThrowCannotOpen(const std::string& file) {
    throw DataError(Concat({lit::kFilePrefixMsg, file, lit::kCannotOpenSuffix}));
}

void ThrowNoLine(const std::string& file) {
    throw DataError(file + std::string(lit::kNoLineSuffix));
}

void ThrowCannotWrite(const std::string& file) {
    throw DataError(file + std::string(lit::kCannotWriteSuffix));
}

void ThrowCannotOpen(const std::filesystem::path& file) {
    ThrowAboutPath(lit::kFilePrefixMsg, file, lit::kCannotOpenSuffix);
}

void ThrowCannotWrite(const std::filesystem::path& file) {
    ThrowAboutPath({}, file, lit::kCannotWriteSuffix);
}

DataError ErrorAboutPath(std::string_view before, const std::filesystem::path& path,
                         std::string_view after) {
    const std::u8string u8 = path.u8string();
    const std::string utf8Name(u8.begin(), u8.end());
    try {
        return DataError(Concat({before, text::ToCp932(utf8Name), after}));
    } catch (const std::runtime_error&) {
        return DataError(Concat({before, utf8Name, after}),
                         Concat({text::ToUtf8(before), utf8Name, text::ToUtf8(after)}));
    }
}

void ThrowAboutPath(std::string_view before, const std::filesystem::path& path,
                    std::string_view after) {
    throw ErrorAboutPath(before, path, after);
}

void ThrowAboutName(std::string_view before, const std::string& utf8Name, std::string_view after) {
    std::string cp932;
    try {
        cp932 = text::ToCp932(utf8Name);
    } catch (const std::runtime_error&) {
        throw DataError(Concat({before, utf8Name, after}),
                        Concat({text::ToUtf8(before), utf8Name, text::ToUtf8(after)}));
    }
    throw DataError(Concat({before, cp932, after}));
}

}  // namespace orvikel
