#include "common/data_error.hpp"

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

}  // namespace orvikel
