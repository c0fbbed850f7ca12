#include "dump/dump_options.hpp"

#include <charconv>

namespace orvikel::dump {

namespace {

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<int>> ParseHorses(const std::string& text) {
    std::vector<int> horses;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const auto part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto horse = ParseNumber(part, 1, 18);
        if (!horse) {
            return std::nullopt;
        }
        horses.push_back(*horse);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return horses;
}

}  // namespace

std::optional<DumpOptions> ParseDumpOptions(const std::vector<std::string>& args,
                                            std::string& error) {
    DumpOptions options;
    bool horsesGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = arg + " には値が必要です";
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--grid") {
            options.grid = true;
            continue;
        }
        if (arg == "--history") {
            options.history = true;
            continue;
        }
        if (arg == "--value") {
            options.value = true;
            continue;
        }
        const std::string* v = nullptr;
        if (arg == "--ini" || arg == "--data" || arg == "--meeting" || arg == "--race" ||
            arg == "--out" || arg == "--trio" || arg == "--horses" || arg == "--trio-order" ||
            arg == "--csv") {
            v = value();
            if (v == nullptr) {
                return std::nullopt;
            }
        } else {
            error = "知らない引数です: " + arg;
            return std::nullopt;
        }
        if (arg == "--ini") {
            options.iniFile = *v;
        } else if (arg == "--data") {
            options.dataDir = *v;
        } else if (arg == "--out") {
            options.outDir = *v;
        } else if (arg == "--csv") {
            options.csvDir = *v;
        } else if (arg == "--meeting") {
            const auto k = ParseNumber(*v, 1, 6);
            if (!k) {
                error = "--meeting は 1〜6 で指定してください";
                return std::nullopt;
            }
            options.meeting = *k;
        } else if (arg == "--race") {
            const auto r = ParseNumber(*v, 0, 12);
            if (!r) {
                error = "--race は 0〜12 で指定してください";
                return std::nullopt;
            }
            options.race = *r;
        } else if (arg == "--trio") {
            if (*v != "box" && *v != "wheel") {
                error = "--trio は box か wheel で指定してください";
                return std::nullopt;
            }
            options.trioMode = *v;
        } else if (arg == "--horses") {
            const auto horses = ParseHorses(*v);
            if (!horses) {
                error = "--horses は 1〜18 の馬番をコンマで区切って指定してください";
                return std::nullopt;
            }
            options.horses = *horses;
            horsesGiven = true;
        } else {  // --trio-order
            if (*v != "popularity" && *v != "number") {
                error = "--trio-order は popularity か number で指定してください";
                return std::nullopt;
            }
            options.trioOrder = *v;
        }
    }
    if (options.meeting == 0) {
        error = "--meeting を指定してください";
        return std::nullopt;
    }
    if (options.trioMode.empty() != !horsesGiven) {
        error = "--trio と --horses は一緒に指定してください";
        return std::nullopt;
    }
    return options;
}

}  // namespace orvikel::dump
