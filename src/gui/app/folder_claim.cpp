#include "app/folder_claim.hpp"

#include <QString>
#include <exception>

#include "app/seams.hpp"
#include "platform/error_text.hpp"

namespace orvikel::gui {

std::optional<ViewerInstance> ClaimProgramFolder(const std::filesystem::path& programDir,
                                                 UiSeams& seams) {
    try {
        return std::optional<ViewerInstance>(std::in_place, programDir);
    } catch (const std::exception& error) {
        seams.ShowMessage(nullptr, QString::fromStdString(ErrorTextUtf8(error)));
        return std::nullopt;
    }
}

}  // namespace orvikel::gui
