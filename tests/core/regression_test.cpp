// Inputs the fuzzers once broke the viewer with, replayed through the same harness: each
// file under tests/data/fuzz/<target>/ must now keep every promise of that target.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "harness.hpp"

namespace orvikel::testing {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegression, EveryKeptInputKeepsItsTargetsPromises) {
    const fs::path root = ORVIKEL_FUZZ_CASES;
    for (const auto& target : fuzz::Harness::Targets()) {
        if (!fs::is_directory(root / target)) {
            continue;
        }
        fuzz::Harness harness(target);
        for (const auto& entry : fs::directory_iterator(root / target)) {
            SCOPED_TRACE(target + "/" + entry.path().filename().string());
            EXPECT_EQ(harness.Run(ReadFileBytes(entry.path())), "");
        }
    }
}

}  // namespace
}  // namespace orvikel::testing
