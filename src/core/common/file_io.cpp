#include "common/file_io.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "common/data_error.hpp"
#include "common/encoding.hpp"

namespace orvikel {

namespace fs = std::filesystem;

std::string ReadFileBytes(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        ThrowCannotOpen(text::PathText(path));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ThrowCannotOpen(text::PathText(path));
    }
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        ThrowCannotOpen(text::PathText(path));
    }
    return bytes;
}

std::string ReadFileBytes(const std::string& cp932Path) {
    return ReadFileBytes(text::NativePath(cp932Path));
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    // A work file has up to ~900 lines: one allocation instead of a growing vector.
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}

std::string ReadFirstLine(const std::string& cp932Path) {
    // Only line 1 is ever used, so reading stops at its end: a data file with a huge tail
    // costs no more than its first line.
    const fs::path path = text::NativePath(cp932Path);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        ThrowCannotOpen(cp932Path);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ThrowCannotOpen(cp932Path);
    }
    std::string line;
    char buffer[1 << 16];
    bool any = false;
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const std::string_view chunk(buffer, static_cast<std::size_t>(in.gcount()));
        any = true;
        // One pass over the bytes: find_first_of would call memchr once per byte.
        const auto end =
            std::find_if(chunk.begin(), chunk.end(), [](char c) { return c == '\r' || c == '\n'; });
        line.append(chunk.begin(), end);
        if (end != chunk.end()) {
            return line;
        }
    }
    if (in.bad()) {
        ThrowCannotOpen(cp932Path);
    }
    if (!any) {
        ThrowNoLine(cp932Path);
    }
    return line;
}

std::uintmax_t FileSize(const std::string& cp932Path) {
    std::error_code ec;
    const auto size = fs::file_size(text::NativePath(cp932Path), ec);
    if (ec) {
        ThrowCannotOpen(cp932Path);
    }
    return size;
}

bool IsRegularFile(const std::string& cp932Path) {
    std::error_code ec;
    return fs::is_regular_file(text::NativePath(cp932Path), ec);
}

std::vector<std::string> ReadWorkFile(const fs::path& dir, std::string_view name) {
    return SplitLines(ReadFileBytes(dir / fs::path(name)));
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    fs::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.flush();
        }
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            ThrowCannotWrite(text::PathText(path));
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        ThrowCannotWrite(text::PathText(path));
    }
}

void WriteWorkFile(const fs::path& dir, std::string_view name,
                   const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteFileAtomically(dir / fs::path(name), bytes);
}

}  // namespace orvikel
