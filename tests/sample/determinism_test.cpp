#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "platform/file_io.hpp"
#include "sample/sample_folder.hpp"
#include "sample_fixture.hpp"

namespace orvikel::sample::testing {
namespace {

namespace fs = std::filesystem;

TEST(SampleDeterminism, TheSameSeedGivesTheSameBytesAndAnotherSeedOtherBytes) {
    const auto& first = GeneratedFolder::ForSeed(kDefaultSeed);
    const GeneratedFolder again(kDefaultSeed);
    EXPECT_EQ(first.Files(), again.Files());

    const auto& other = GeneratedFolder::ForSeed(1);
    EXPECT_NE(first.Files(), other.Files());
}

TEST(SampleDeterminism, ARunReplacesTheDataFilesOfAnEarlierOneAndLeavesOtherFiles) {
    // Seed 1 gives five meetings and the default six, so the sixth meeting of the first run
    // and every race file of it must be gone after the second.
    ::orvikel::testing::TempDir dir;
    dir.Write("notes.txt", "mine");
    GenerateSampleFolder(dir.path(), kDefaultSeed);
    ASSERT_TRUE(fs::exists(dir.path() / "Uy-f.jra"));
    GenerateSampleFolder(dir.path(), 1);

    const auto& expected = GeneratedFolder::ForSeed(1);
    EXPECT_FALSE(expected.Has("Uy-f.jra"));
    std::size_t dataFiles = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name == "notes.txt") {
            continue;
        }
        ++dataFiles;
        ASSERT_TRUE(expected.Has(name)) << name << " left from the earlier run";
        EXPECT_EQ(::orvikel::testing::ReadBytes(entry.path()), expected.Files().at(name)) << name;
    }
    EXPECT_EQ(dataFiles, expected.Files().size());
    EXPECT_EQ(::orvikel::testing::ReadBytes(dir.path() / "notes.txt"), "mine");
}

}  // namespace
}  // namespace orvikel::sample::testing
