#pragma once
// The one error type of the core. Its message is CP932 text that names the file and, where
// there is one, the field; the window and orvikel-dump convert it at their edge.
#include <stdexcept>
#include <string>

namespace orvikel {

class DataError : public std::runtime_error {
  public:
    explicit DataError(const std::string& cp932Message) : std::runtime_error(cp932Message) {}
};

// "<file>: <field> が数値ではありません (「<value>」)" and similar, built in one place so every
// reader words its failures alike. All arguments are CP932.
[[noreturn]] void ThrowNotANumber(const std::string& file, const std::string& field,
                                  const std::string& value);
[[noreturn]] void ThrowCannotOpen(const std::string& file);
[[noreturn]] void ThrowNoLine(const std::string& file);
[[noreturn]] void ThrowCannotWrite(const std::string& file);

}  // namespace orvikel
