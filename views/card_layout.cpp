#include "views/card_layout.h"

#include <algorithm>
#include <cmath>

namespace palabrum {

namespace {
// The title band's height, as a share of the grid's side.
constexpr double kTitleShare = 0.13;
}  // namespace

CardLayout LayOutCard(const QSizeF& page) {
    const double w = std::max(0.0, page.width());
    const double h = std::max(0.0, page.height());
    const double margin = std::round(0.06 * std::min(w, h));
    const double room = std::max(0.0, std::min(w - 2 * margin, (h - 2 * margin) / (1 + kTitleShare)));
    CardLayout layout;
    layout.line = std::max(1.0, std::round(room / 500));
    // Five pitches, one closing inner line and the outer frame's extra width on both sides.
    layout.pitch = std::max(layout.line + 1, std::floor((room - 3 * layout.line) / kSide));
    const double side = kSide * layout.pitch + layout.line;
    const double titleHeight = std::round(side * kTitleShare);
    const double blockTop = std::round((h - titleHeight - side - 2 * layout.line) / 2);
    layout.left = std::round((w - side) / 2);
    layout.top = blockTop + titleHeight + layout.line;
    layout.title = QRectF(layout.left, blockTop, side, titleHeight);
    return layout;
}

QRectF SquareRectOnCard(const CardLayout& layout, int square) {
    const int row = square / kSide;
    const int col = square % kSide;
    const double inner = layout.pitch - layout.line;
    return {layout.left + col * layout.pitch + layout.line, layout.top + row * layout.pitch + layout.line, inner, inner};
}

QRectF TextAreaOfSquare(const QRectF& square) {
    const double m = kWordMargin * std::min(square.width(), square.height());
    return square.adjusted(m, m, -m, -m);
}

FontSizes WordSizesOfSquare(const QRectF& square) {
    const double side = std::min(square.width(), square.height());
    return {static_cast<int>(side * kWordStartSize), static_cast<int>(side * kWordFloorSize)};
}

}  // namespace palabrum
