#pragma once
// What the window and orvikel-dump show for an error that ended an action: always Japanese
// UTF-8, the core's own message where there is one.
#include <exception>
#include <string>

namespace orvikel {

// DataError: its message; running out of memory: "メモリが足りません"; anything else (a fault
// of the program itself): "内部エラーです: " and its English detail for the report.
std::string ErrorTextUtf8(const std::exception& error);
// For an exception that is not a std::exception.
std::string UnknownErrorTextUtf8();

}  // namespace orvikel
