#pragma once
// Command line of orvikel-dump.
#include <optional>
#include <string>
#include <vector>

namespace orvikel::dump {

struct DumpOptions {
    std::optional<std::string> iniFile;  // UTF-8 path
    std::optional<std::string> dataDir;  // UTF-8 path
    int meeting = 0;                     // 1..6
    int race = 0;                        // 0..12
    std::optional<std::string> outDir;   // UTF-8 path
    bool grid = false;
    bool history = false;  // print the race's stored odds snapshots after everything else
    bool value = false;    // print the theoretical odds after the trio items
    std::string trioMode;  // "", "box" or "wheel"
    std::vector<int> horses;
    std::string trioOrder;              // "", "popularity" or "number"
    std::optional<std::string> csvDir;  // UTF-8 path: write the race's lists as CSV files there
    bool help = false;
};

// Parses args; returns nullopt with a reason in error for wrong usage.
std::optional<DumpOptions> ParseDumpOptions(const std::vector<std::string>& args,
                                            std::string& error);

}  // namespace orvikel::dump
