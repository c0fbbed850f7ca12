#pragma once
// The two fonts of the viewer. Lists are laid out by byte counts and only line up in a font
// where a double-byte character is exactly two single-byte cells wide; everything else uses a
// proportional Japanese font.
#include <QFont>
#include <QString>

namespace orvikel::gui {

// The first family of the candidates that is installed, else the first candidate.
QString FixedFamily();
QString ProportionalFamily();

QFont FixedFont(int pixelSize);
QFont ProportionalFont(int pixelSize);

}  // namespace orvikel::gui
