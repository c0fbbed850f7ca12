#include "platform/paths.hpp"

#include "platform/bytes.hpp"

namespace orvikel {

namespace {

// Windows takes "/" as well as "\" between folder names.
bool IsSeparatorByte(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

}  // namespace

std::size_t EndOfFolderPart(std::string_view cp932) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) {
            ++i;
        } else if (IsSeparatorByte(cp932[i])) {
            end = i + 1;
        }
    }
    return end;
}

bool EndsWithSeparator(std::string_view cp932) {
    return !cp932.empty() && EndOfFolderPart(cp932) == cp932.size();
}

std::string WithSeparator(std::string cp932) {
    if (!EndsWithSeparator(cp932)) {
        cp932 += kPathSeparator;
    }
    return cp932;
}

}  // namespace orvikel
