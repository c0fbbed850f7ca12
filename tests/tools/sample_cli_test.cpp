// orvikel-sample's command line, end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "common/file_io.hpp"
#include "jra_fixture.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;

int RunSample(const std::string& args) {
    const std::string command = std::string(ORVIKEL_SAMPLE_EXE) + " " + args + " >" +
#ifdef _WIN32
                                "NUL 2>NUL";
    return std::system(command.c_str());
#else
                                "/dev/null 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST(SampleCommandLine, WrongUsageExitsWithTwoAndWritesNothing) {
    testing::TempDir tmp;
    const std::string dir = "'" + (tmp.path() / "data").string() + "'";
    const std::string cases[] = {
        "",
        "--seed 5",
        dir + " --seed",
        dir + " --seed x",
        dir + " --seed -1",
        dir + " --seed 5x",
        dir + " " + dir,
        dir + " --bogus",
        dir + " --minutes",
        dir + " --minutes -1",
        dir + " --minutes 1441",
        dir + " --minutes 5m",
    };
    for (const std::string& args : cases) {
        EXPECT_EQ(RunSample(args), 2) << args;
    }
    EXPECT_FALSE(fs::exists(tmp.path() / "data"));
}

TEST(SampleCommandLine, WritesTheFolderAndTheDefaultSeedIsAFixedOne) {
    testing::TempDir tmp;
    const fs::path byDefault = tmp.path() / "default";
    const fs::path seeded = tmp.path() / "seeded";
    ASSERT_EQ(RunSample("'" + byDefault.string() + "'"), 0);
    ASSERT_EQ(RunSample("'" + seeded.string() + "' --seed 20061029"), 0);
    ASSERT_TRUE(fs::is_regular_file(byDefault / "Uy-a.jra"));
    EXPECT_EQ(ReadFileBytes(byDefault / "Uy-a.jra"), ReadFileBytes(seeded / "Uy-a.jra"));
}

TEST(SampleCommandLine, MinutesRewritesTheSameFolderLaterAndZeroGoesBack) {
    testing::TempDir tmp;
    const fs::path dir = tmp.path() / "data";
    const auto folder = [&dir] {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(dir)) {
            files[entry.path().filename().string()] = ReadFileBytes(entry.path());
        }
        return files;
    };
    ASSERT_EQ(RunSample("'" + dir.string() + "'"), 0);
    const auto first = folder();
    ASSERT_EQ(RunSample("'" + dir.string() + "' --minutes 30"), 0);
    EXPECT_NE(folder(), first);
    ASSERT_EQ(RunSample("'" + dir.string() + "' --minutes 0"), 0);
    EXPECT_EQ(folder(), first);
}

}  // namespace
}  // namespace orvikel
