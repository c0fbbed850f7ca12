#pragma once
// The results memo text from the "Ks-" file, in its short (up to 800 bytes) and long layout.
#include <string>
#include <vector>

#include "domain/race_files.hpp"

namespace orvikel {

// The memo lines of a present results file (CP932).
std::vector<std::string> BuildResultsText(const std::string& path);

// The memo lines for the race: the results text, or "備考：特になし（データなし）".
std::vector<std::string> ResultsMemo(const RaceFiles& files);

}  // namespace orvikel
