#pragma once
// A control's tooltip: its text stays when the display is switched off, as the window keeps it.
#include <string>

namespace orvikel {

struct Hint {
    bool show = false;
    std::string text;  // CP932; two lines are joined by CR LF
};

}  // namespace orvikel
