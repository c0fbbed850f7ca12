#pragma once
// Before the main window opens: this viewer claims its program folder, or says that another
// viewer runs there and the program stops.
#include <filesystem>
#include <optional>

#include "shell/viewer_instance.hpp"

namespace orvikel::gui {

class UiSeams;

// The claim, held for the whole run; nullopt after the message has been shown.
std::optional<ViewerInstance> ClaimProgramFolder(const std::filesystem::path& programDir,
                                                 UiSeams& seams);

}  // namespace orvikel::gui
