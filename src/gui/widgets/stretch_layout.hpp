#pragma once
// Controls placed at the layout's fixed positions that follow a window made larger: each edge
// moves by a fixed share of the extra width or height, so at the first size every control is
// exactly where the layout puts it.
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace orvikel::gui {

// Shares of the extra room: where the left and top edges move to, and how much wider and taller
// the control grows.
struct Stretch {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

class StretchLayout {
  public:
    explicit StretchLayout(QSize firstSize) : first_(firstSize) {}
    // Takes widget's present geometry as its place at the first size.
    void Add(QWidget* widget, Stretch stretch);
    // Places every control for a client area of size (never smaller than the first size).
    void Apply(QSize size) const;

  private:
    struct Entry {
        QWidget* widget;
        QRect first;
        Stretch stretch;
    };
    QSize first_;
    std::vector<Entry> entries_;
};

}  // namespace orvikel::gui
