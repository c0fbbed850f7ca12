// orvikel-sample DIR [--seed N]: writes a made-up data folder of the KEL client.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "common/data_error.hpp"
#include "common/encoding.hpp"
#include "console.hpp"
#include "sample/sample_folder.hpp"

namespace {

int Usage() {
    std::fputs(
        "usage: orvikel-sample DIR [--seed N]\n"
        "  Writes a made-up data folder (meeting files Uy-a.jra .. and the race files) into\n"
        "  DIR, replacing the data files an earlier run left there. The same seed N (a\n"
        "  decimal number, default 20061029) always gives the same files.\n",
        stderr);
    return 2;
}

bool ParseSeed(std::string_view text, std::uint64_t& seed) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    [[maybe_unused]] const orvikel::tools::Utf8Console console;
    const std::vector<std::string> args = orvikel::tools::Utf8Arguments(argc, argv);
    std::string dir;  // UTF-8
    std::uint64_t seed = orvikel::sample::kDefaultSeed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--seed") {
            if (i + 1 >= args.size() || !ParseSeed(args[i + 1], seed)) {
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
        const auto summary =
            orvikel::sample::GenerateSampleFolder(orvikel::tools::Utf8Path(dir), seed);
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
