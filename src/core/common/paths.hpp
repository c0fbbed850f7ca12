#pragma once
// The platform's path separator as it is appended to the data folder: "\" on Windows.
#include <string_view>

namespace orvikel {

#ifdef _WIN32
inline constexpr std::string_view kPathSeparator = "\\";
#else
inline constexpr std::string_view kPathSeparator = "/";
#endif

}  // namespace orvikel
