#pragma once
// Qt strings and file-system paths meet here, the same way on every platform.
#include <QString>
#include <filesystem>

namespace orvikel::gui {

inline std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

inline QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

}  // namespace orvikel::gui
