#include "widgets/stretch_layout.hpp"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace orvikel::gui {

void StretchLayout::Add(QWidget* widget, Stretch stretch) {
    entries_.push_back({widget, widget->geometry(), stretch});
}

void StretchLayout::Apply(QSize size) const {
    const int dx = std::max(0, size.width() - first_.width());
    const int dy = std::max(0, size.height() - first_.height());
    // Both edges are rounded from their own shares, so neighbours that share an edge meet.
    const auto move = [](int edge, double share, int extra) {
        return edge + static_cast<int>(std::lround(share * extra));
    };
    for (const Entry& entry : entries_) {
        const Stretch& s = entry.stretch;
        const QRect& r = entry.first;
        const int left = move(r.left(), s.left, dx);
        const int top = move(r.top(), s.top, dy);
        const int right = move(r.left() + r.width(), s.left + s.width, dx);
        const int bottom = move(r.top() + r.height(), s.top + s.height, dy);
        entry.widget->setGeometry(left, top, right - left, bottom - top);
    }
}

}  // namespace orvikel::gui
