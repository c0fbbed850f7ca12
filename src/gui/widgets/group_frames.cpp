#include "widgets/group_frames.hpp"

namespace orvikel::gui {

QString GroupFrameStyle() {
    // The title is drawn from the top of the margin, over the line six pixels down.
    return QStringLiteral(
        "QGroupBox { border: 1px solid palette(dark); border-radius: 0px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 4px; padding: 0px 1px; }");
}

}  // namespace orvikel::gui
