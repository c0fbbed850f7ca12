#pragma once
// orvikel-dump as a function over streams, so tests run it in-process.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace orvikel::dump {

enum ExitCode : int {
    kExitOk = 0,
    kExitRefreshFailed = 1,  // also: standard output could not be written
    kExitUsage = 2,
    kExitNoRace = 3,
};

// args excludes the program name; exeDir is the folder of the executable (default settings
// file and default work-file folder).
int RunDump(const std::vector<std::string>& args, const std::filesystem::path& exeDir,
            std::ostream& out, std::ostream& err);

const char* UsageText();

}  // namespace orvikel::dump
