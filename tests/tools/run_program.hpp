#pragma once
// Runs one of our programs as a user or a script would, on Linux through the shell and on
// Windows through CreateProcessW (no cmd.exe quoting, names outside the ANSI code page).
#include <filesystem>
#include <string>
#include <vector>

namespace orvikel::testing {

// Runs exe with the UTF-8 arguments; its standard output goes to stdoutFile (or nowhere when
// empty), its standard error nowhere. Returns the exit status, -1 when it did not exit.
int RunProgram(const std::filesystem::path& exe, const std::vector<std::string>& args,
               const std::filesystem::path& stdoutFile = {});

}  // namespace orvikel::testing
