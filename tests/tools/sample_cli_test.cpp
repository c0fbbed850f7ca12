// orvikel-sample's command line, end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "jra_fixture.hpp"
#include "platform/file_io.hpp"
#include "run_program.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;

int RunSample(const std::vector<std::string>& args) {
    return testing::RunProgram(ORVIKEL_SAMPLE_EXE, args);
}

std::string PathArg(const fs::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

TEST(SampleCommandLine, WrongUsageExitsWithTwoAndWritesNothing) {
    testing::TempDir tmp;
    const std::string dir = PathArg(tmp.path() / "data");
    const std::vector<std::string> cases[] = {
        {},
        {"--seed", "5"},
        {dir, "--seed"},
        {dir, "--seed", "x"},
        {dir, "--seed", "-1"},
        {dir, "--seed", "5x"},
        {dir, dir},
        {dir, "--bogus"},
        {dir, "--minutes"},
        {dir, "--minutes", "-1"},
        {dir, "--minutes", "1441"},
        {dir, "--minutes", "5m"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(RunSample(args), 2) << ::testing::PrintToString(args);
    }
    EXPECT_FALSE(fs::exists(tmp.path() / "data"));
}

TEST(SampleCommandLine, WritesTheFolderAndTheDefaultSeedIsAFixedOne) {
    testing::TempDir tmp;
    const fs::path byDefault = tmp.path() / "default";
    const fs::path seeded = tmp.path() / "seeded";
    ASSERT_EQ(RunSample({PathArg(byDefault)}), 0);
    ASSERT_EQ(RunSample({PathArg(seeded), "--seed", "20061029"}), 0);
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
    ASSERT_EQ(RunSample({PathArg(dir)}), 0);
    const auto first = folder();
    ASSERT_EQ(RunSample({PathArg(dir), "--minutes", "30"}), 0);
    EXPECT_NE(folder(), first);
    ASSERT_EQ(RunSample({PathArg(dir), "--minutes", "0"}), 0);
    EXPECT_EQ(folder(), first);
}

}  // namespace
}  // namespace orvikel
