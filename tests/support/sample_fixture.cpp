#include "sample_fixture.hpp"

#include <gtest/gtest.h>

#include "platform/bytes.hpp"
#include "platform/literals.hpp"
#include "sample/sample_folder.hpp"

namespace orvikel::sample::testing {

namespace fs = std::filesystem;

GeneratedFolder::GeneratedFolder(std::uint64_t seed, int minutesLater) {
    GenerateSampleFolder(dir_.path(), seed, minutesLater);
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
        bytes_[entry.path().filename().string()] = ::orvikel::testing::ReadBytes(entry.path());
    }
    const std::string codes = "abcdef";
    for (int slot = 1; slot <= 6; ++slot) {
        const std::string name =
            std::string("Uy-") + codes[static_cast<std::size_t>(slot - 1)] + ".jra";
        if (!Has(name)) {
            continue;
        }
        const std::string line = Line(name);
        MeetingKeys keys;
        keys.slot = slot;
        keys.venue = static_cast<int>(ParseInteger(Cut(line, 59, 2)).value_or(0));
        keys.keyA = static_cast<int>(ParseInteger(Cut(line, 64, 1)).value_or(-1));
        keys.keyB = static_cast<int>(ParseInteger(Cut(line, 65, 2)).value_or(-1));
        keys.keyC = static_cast<int>(ParseInteger(Cut(line, 67, 2)).value_or(-1));
        meetings_.push_back(keys);
    }
}

const GeneratedFolder& GeneratedFolder::ForSeed(std::uint64_t seed, int minutesLater) {
    static std::map<std::pair<std::uint64_t, int>, std::unique_ptr<GeneratedFolder>> folders;
    auto& folder = folders[{seed, minutesLater}];
    if (!folder) {
        folder = std::make_unique<GeneratedFolder>(seed, minutesLater);
    }
    return *folder;
}

std::string GeneratedFolder::Line(const std::string& name) const {
    const std::string& bytes = bytes_.at(name);
    return bytes.substr(0, bytes.find("\r\n"));
}

std::string GeneratedFolder::RaceFile(int kind, const MeetingKeys& meeting, int race) {
    static const char* const kPrefixes[] = {"De-", "Ut-", "Zo-", "Uo-", "Ks-", "So-", "Yo-"};
    static const char* const kCodes = "123456789abcdef";
    std::string name = kPrefixes[kind - 1];
    name += kCodes[meeting.venue - 1];
    if (kind == 5) {
        name += std::to_string(meeting.keyA) + std::to_string(meeting.keyB);
    }
    return name + std::to_string(meeting.keyC) + kCodes[race - 1] + ".jra";
}

std::vector<std::uint64_t> TestSeeds() {
    return {kDefaultSeed, 1, 77};
}

bool IsCancelled(const std::string& field) {
    return field.size() >= 4 && field.substr(field.size() - 4) == lit::kCancelledMark &&
           IsBlanks(field.substr(0, field.size() - 4), field.size() - 4);
}

std::optional<double> Odds(const std::string& field) {
    if (IsBlanks(field, field.size()) || IsCancelled(field)) {
        return std::nullopt;
    }
    return ParseDecimal(field);
}

}  // namespace orvikel::sample::testing
