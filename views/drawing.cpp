#include "views/drawing.h"

#include <QPainter>

namespace palabrum {

void FrameRect(QPainter& painter, const Rect& r, const QColor& color) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    painter.fillRect(r.left, r.top, r.Width(), 1, color);
    painter.fillRect(r.left, r.bottom - 1, r.Width(), 1, color);
    painter.fillRect(r.left, r.top, 1, r.Height(), color);
    painter.fillRect(r.right - 1, r.top, 1, r.Height(), color);
}

}  // namespace palabrum
