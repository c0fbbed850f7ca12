#include "session_fixture.hpp"

#include <algorithm>

#include "platform/literals.hpp"
#include "sample/sample_folder.hpp"
#include "settings/settings.hpp"

namespace orvikel::testing {

void CompleteSampleRace::SetUp() {
    std::filesystem::create_directories(data());
    std::filesystem::create_directories(program());
    sample::GenerateSampleFolder(data(), sample::kDefaultSeed);
    Settings settings;
    settings.KelDir = text::PathText(data()) + "/";
    settings.MinusSign = lit::kSignFilled;
    session_.Create(settings);
    session_.ClickVenue(1);
    for (int r = 1; r <= kRaces && race_ == 0; ++r) {
        const auto& flags = session_.selection().RaceFileExists[r];
        if (std::count(flags.begin(), flags.end(), true) == kDataKinds) {
            race_ = r;
        }
    }
    ASSERT_NE(race_, 0) << "the sample meeting 1 has no race with all seven kinds";
    session_.ClickRace(race_);
}

}  // namespace orvikel::testing
