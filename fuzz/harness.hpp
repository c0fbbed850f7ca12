#pragma once
// One reader of outside input driven with arbitrary bytes. Every target has the same promise:
// the input either works or ends in a DataError whose message names the file it came from;
// no other exception, no stray temporary file, and for the settings file a faithful round.
// The libFuzzer executables abort on a broken promise; the regression tests expect none.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvikel::fuzz {

class Harness {
  public:
    // target: "meeting", "race_de" .. "race_yo" (one per data kind), "settings" or "trio".
    explicit Harness(std::string_view target);
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Runs one input; returns an empty text when every promise held, else what broke.
    std::string Run(std::string_view input);

    // The names Harness accepts.
    static const std::vector<std::string>& Targets();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Writes seed inputs for target into dir, one file each, from the made-up sample folder.
void WriteSeeds(std::string_view target, const std::filesystem::path& dir);

}  // namespace orvikel::fuzz
