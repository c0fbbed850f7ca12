// orvikel-sample DIR [--seed N] [--minutes M]: writes a made-up data folder of the KEL client.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "common/data_error.hpp"
#include "common/encoding.hpp"
#include "sample/sample_folder.hpp"

namespace {

int Usage() {
    std::fputs(
        "usage: orvikel-sample DIR [--seed N] [--minutes M]\n"
        "  Writes a made-up data folder (meeting files Uy-a.jra .. and the race files) into\n"
        "  DIR, replacing the data files an earlier run left there. The same seed N (a\n"
        "  decimal number, default 20061029) always gives the same files.\n"
        "  --minutes M  the same races M minutes later (0 to 1440, default 0): odds moved,\n"
        "               odds times moved on, more votes sold, races run and their results\n"
        "               out. Run it again with a larger M over a folder a viewer is showing\n"
        "               to see it follow the client.\n",
        stderr);
    return 2;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size();
}

constexpr int kMaxMinutes = 24 * 60;

}  // namespace

int main(int argc, char** argv) {
    std::string dir;
    std::uint64_t seed = orvikel::sample::kDefaultSeed;
    int minutes = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed") {
            if (i + 1 >= argc || !ParseNumber(std::string_view(argv[i + 1]), seed)) {
                return Usage();
            }
            ++i;
        } else if (arg == "--minutes") {
            if (i + 1 >= argc || !ParseNumber(std::string_view(argv[i + 1]), minutes) ||
                minutes < 0 || minutes > kMaxMinutes) {
                return Usage();
            }
            ++i;
        } else if (arg.empty() || arg[0] == '-' || !dir.empty()) {
            return Usage();
        } else {
            dir = arg;
        }
    }
    if (dir.empty()) {
        return Usage();
    }
    try {
        const auto summary = orvikel::sample::GenerateSampleFolder(dir, seed, minutes);
        std::printf("orvikel-sample: %d meetings, %d files written to %s\n", summary.meetings,
                    summary.files, dir.c_str());
        return 0;
    } catch (const orvikel::DataError& e) {
        std::fprintf(stderr, "orvikel-sample: %s\n", orvikel::text::ToUtf8(e.what()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvikel-sample: %s\n", e.what());
    }
    return 1;
}
