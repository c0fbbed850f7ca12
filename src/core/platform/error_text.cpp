#include "platform/error_text.hpp"

#include <new>

#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/literals.hpp"

namespace orvikel {

std::string ErrorTextUtf8(const std::exception& error) {
    if (const auto* data = dynamic_cast<const DataError*>(&error)) {
        return data->utf8Message().empty() ? text::ToUtf8(data->what()) : data->utf8Message();
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return text::ToUtf8(lit::kOutOfMemory);
    }
    return text::ToUtf8(lit::kInternalErrorPrefix) + error.what();
}

std::string UnknownErrorTextUtf8() {
    return text::ToUtf8(lit::kUnknownError);
}

}  // namespace orvikel
