#include "jra_fixture.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <fstream>
#include <random>

#include "platform/file_io.hpp"
#include "platform/paths.hpp"

namespace orvikel::testing {

namespace fs = std::filesystem;

JraLine& JraLine::At(int column, std::string_view cp932) {
    const auto start = static_cast<std::size_t>(column - 1);
    if (bytes_.size() < start + cp932.size()) {
        bytes_.resize(start + cp932.size(), ' ');
    }
    bytes_.replace(start, cp932.size(), cp932);
    return *this;
}

JraLine& JraLine::Length(std::size_t length) {
    bytes_.resize(length, ' ');
    return *this;
}

TempDir::TempDir() {
    std::random_device rd;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "orvikel-test-";
    if (info != nullptr) {
        name += std::string(info->test_suite_name()) + "-" + info->name() + "-";
    }
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    path_ = fs::temp_directory_path() / (name + std::to_string(rd()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::DirText() const {
    return text::PathText(path_) + std::string(kPathSeparator);
}

std::string TempDir::Write(std::string_view name, std::string_view bytes) const {
    const fs::path file = path_ / fs::path(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return text::PathText(file);
}

#ifndef _WIN32
FileSizeLimit::FileSizeLimit(std::uint64_t limit) {
    rlimit current{};
    getrlimit(RLIMIT_FSIZE, &current);
    oldSoftLimit_ = current.rlim_cur;
    // A write past the limit fails with EFBIG instead of ending the process.
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    current.rlim_cur = static_cast<rlim_t>(limit);
    setrlimit(RLIMIT_FSIZE, &current);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit current{};
    getrlimit(RLIMIT_FSIZE, &current);
    current.rlim_cur = static_cast<rlim_t>(oldSoftLimit_);
    setrlimit(RLIMIT_FSIZE, &current);
    std::signal(SIGXFSZ, oldHandler_);
}
#else
// Windows has no such limit; the tests that need one skip before making one.
FileSizeLimit::FileSizeLimit(std::uint64_t) {}
FileSizeLimit::~FileSizeLimit() = default;
#endif

std::vector<std::string> ReadLines(const fs::path& file) {
    return SplitLines(ReadBytes(file));
}

std::string ReadBytes(const fs::path& file) {
    return ReadFileBytes(file);
}

}  // namespace orvikel::testing
