#pragma once
// Group boxes framed as the layout places their controls: the frame's top line runs through the
// middle of the title, so a control right under the title (top 16) sits inside the frame
// instead of across its line.
#include <QString>

namespace orvikel::gui {

// The style sheet for a window whose group boxes follow the layout's positions.
QString GroupFrameStyle();

}  // namespace orvikel::gui
