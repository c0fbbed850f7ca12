#include "platform/file_io.hpp"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <new>
#include <system_error>
#include <thread>

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/literals.hpp"
#include "platform/temp_file.hpp"
#include "platform/text_lines.hpp"

namespace orvikel {

namespace fs = std::filesystem;

namespace {

// Opens a regular file to read; false when it is missing, a folder, or cannot be opened. On
// Windows a file that another program is replacing at that moment (a work file, a data file
// the KEL client rewrites) cannot be looked at or opened for a few milliseconds, so there an
// existing name is tried again for a while.
bool OpenToRead(const fs::path& path, std::ifstream& in) {
    for (int attempt = 0;; ++attempt) {
        std::error_code ec;
        const fs::file_status status = fs::status(path, ec);
        if (status.type() == fs::file_type::not_found || fs::is_directory(status)) {
            return false;
        }
        if (fs::is_regular_file(status)) {
            in.open(path, std::ios::binary);
            if (in) {
                return true;
            }
            in.clear();
        }
#ifdef _WIN32
        if (attempt < 50) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
#endif
        return false;
    }
}

}  // namespace

namespace {

std::string ReadBytesUpTo(const fs::path& path, std::size_t maxBytes) {
    std::ifstream in;
    if (!OpenToRead(path, in)) {
        ThrowCannotOpen(path);
    }
    std::string bytes;
    try {
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (bytes.size() > maxBytes) {
                bytes = std::string();
                ThrowAboutPath(lit::kFilePrefixMsg, path, lit::kFileTooLargeSuffix);
            }
        }
    } catch (const std::bad_alloc&) {
        bytes = std::string();  // what was read goes before the message is made
        ThrowAboutPath(lit::kFilePrefixMsg, path, lit::kNoMemoryToReadSuffix);
    }
    if (in.bad()) {
        ThrowCannotOpen(path);
    }
    return bytes;
}

}  // namespace

std::string ReadFileBytes(const fs::path& path) {
    return ReadBytesUpTo(path, std::string().max_size());
}

std::string ReadSmallFileBytes(const fs::path& path) {
    return ReadBytesUpTo(path, kMaxSmallFileBytes);
}

std::string ReadFileBytes(const std::string& cp932Path) {
    return ReadFileBytes(text::NativePath(cp932Path));
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&](std::size_t offset, std::size_t size) {
        lines.emplace_back(bytes.substr(offset, size));
    });
    return lines;
}

std::string ReadFirstLine(const std::string& cp932Path) {
    // Only line 1 is ever used, so reading stops at its end: a data file with a huge tail
    // costs no more than its first line, and one without a line end no more than the limit.
    const fs::path path = text::NativePath(cp932Path);
    std::ifstream in;
    if (!OpenToRead(path, in)) {
        ThrowCannotOpen(cp932Path);
    }
    std::string line;
    char buffer[1 << 16];
    bool any = false;
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const std::string_view chunk(buffer, static_cast<std::size_t>(in.gcount()));
        any = true;
        const std::size_t end = LineEnd(chunk, 0);
        if (line.size() + end > kMaxFirstLineBytes) {
            throw DataError(Concat({lit::kFilePrefixMsg, cp932Path, lit::kLineTooLongSuffix}));
        }
        line.append(chunk.substr(0, end));
        if (end != chunk.size()) {
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

TextLines ReadWorkFileLines(const fs::path& dir, std::string_view name) {
    return TextLines(ReadFileBytes(dir / fs::path(name)));
}

namespace {

// On Windows a file cannot be replaced while another program (a viewer loading it, a virus
// scanner) has it open. Such a hold lasts milliseconds, so the rename is tried again for a
// while before the write counts as failed.
void Replace(const fs::path& temp, const fs::path& path, std::error_code& ec) {
    fs::rename(temp, path, ec);
#ifdef _WIN32
    for (int attempt = 0; ec && attempt < 100; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        fs::rename(temp, path, ec);
    }
#endif
}

}  // namespace

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path temp = WriteTempFile(path, bytes);
    std::error_code ec;
    Replace(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        ThrowCannotWrite(path);
    }
}

void WriteFileSetAtomically(const std::vector<FileToWrite>& files) {
    std::vector<fs::path> temps;
    const auto removeTemps = [&temps](std::size_t from) {
        for (std::size_t i = from; i < temps.size(); ++i) {
            std::error_code ignored;
            fs::remove(temps[i], ignored);
        }
    };
    for (const FileToWrite& file : files) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(file.path, ec);
        if (fs::exists(status) && !fs::is_regular_file(status)) {
            removeTemps(0);
            ThrowCannotWrite(file.path);
        }
        try {
            temps.push_back(WriteTempFile(file.path, file.bytes));
        } catch (const DataError&) {
            removeTemps(0);
            throw;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code ec;
        Replace(temps[i], files[i].path, ec);
        if (ec) {
            removeTemps(i);
            ThrowCannotWrite(files[i].path);
        }
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
