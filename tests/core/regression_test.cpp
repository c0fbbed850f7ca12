// Inputs the fuzzers once broke the viewer with, replayed through the same harness: each
// file under tests/data/fuzz/<target>/ must now keep every promise of that target.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "harness.hpp"
#include "platform/file_io.hpp"

namespace orvikel::testing {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegression, EveryKeptInputKeepsItsTargetsPromises) {
    const fs::path root = ORVIKEL_FUZZ_CASES;
    // A moved or emptied folder must not pass as "nothing broke".
    int replayed = 0;
    for (const auto& target : fuzz::Harness::Targets()) {
        if (!fs::is_directory(root / target)) {
            continue;
        }
        fuzz::Harness harness(target);
        for (const auto& entry : fs::directory_iterator(root / target)) {
            SCOPED_TRACE(target + "/" + entry.path().filename().string());
            EXPECT_EQ(harness.Run(ReadFileBytes(entry.path())), "");
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no kept fuzz input found under " << root.string();
}

TEST(FuzzRegression, EveryKeptFolderNamesATarget) {
    // A case kept under a misspelt folder would never be replayed.
    const auto& targets = fuzz::Harness::Targets();
    for (const auto& entry : fs::directory_iterator(fs::path(ORVIKEL_FUZZ_CASES))) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(entry.is_directory()) << name;
        EXPECT_NE(std::find(targets.begin(), targets.end(), name), targets.end()) << name;
    }
}

}  // namespace
}  // namespace orvikel::testing
