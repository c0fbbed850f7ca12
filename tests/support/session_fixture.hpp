#pragma once
// The viewer on a generated folder's race that has every kind of file: the start of the tests
// that break a file of a whole race or hold its program folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "jra_fixture.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel::testing {

class CompleteSampleRace : public ::testing::Test {
  protected:
    // Generates the folder, opens meeting 1 and clicks its first race with all seven kinds.
    void SetUp() override;

    std::filesystem::path data() const { return dir_.path() / "data"; }
    std::filesystem::path program() const { return dir_.path() / "program"; }

    TempDir dir_;
    ViewerSession session_{dir_.path() / "program"};
    int race_ = 0;
};

}  // namespace orvikel::testing
