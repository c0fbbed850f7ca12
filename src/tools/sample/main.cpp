// orvikel-sample DIR [--seed N] [--minutes M]: writes a made-up data folder of the KEL client.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "console.hpp"
#include "platform/error_text.hpp"
#include "sample/sample_folder.hpp"

namespace {

int Usage() {
    std::fputs(
        "使い方: orvikel-sample DIR [--seed N] [--minutes M]\n"
        "  作り物のデータフォルダ（開催ファイル Uy-a.jra .. とレースのファイル）を DIR に\n"
        "  書き込みます。前の実行が残したデータファイルは置き換えます。同じシード N（10進数、\n"
        "  省略時は 20061029）からはいつも同じファイルができます。\n"
        "  --minutes M  同じレースの M 分後（0～1440、省略時は 0）: オッズが動き、オッズの時刻が\n"
        "               進み、票数が増え、発走したレースには成績が出ます。ビューアが表示中の\n"
        "               フォルダに M を増やして書き直すと、自動更新を試せます。\n",
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
    [[maybe_unused]] const orvikel::tools::Utf8Console console;
    const std::vector<std::string> args = orvikel::tools::Utf8Arguments(argc, argv);
    std::string dir;  // UTF-8
    std::uint64_t seed = orvikel::sample::kDefaultSeed;
    int minutes = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--seed") {
            if (i + 1 >= args.size() || !ParseNumber(std::string_view(args[i + 1]), seed)) {
                return Usage();
            }
            ++i;
        } else if (arg == "--minutes") {
            if (i + 1 >= args.size() || !ParseNumber(std::string_view(args[i + 1]), minutes) ||
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
        const auto summary =
            orvikel::sample::GenerateSampleFolder(orvikel::tools::Utf8Path(dir), seed, minutes);
        std::printf("orvikel-sample: %s に %d 開催、%d ファイルを書き込みました\n", dir.c_str(),
                    summary.meetings, summary.files);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvikel-sample: %s\n", orvikel::ErrorTextUtf8(e).c_str());
    }
    return 1;
}
