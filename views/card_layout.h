// Where things go on a card: the program's name over a 5 by 5 grid of words,
// square s = 5 * row + col. All geometry is in the paint device's own units and
// falls on whole units, so on an image every line and fill covers exact pixels.
#pragma once

#include <QRectF>
#include <QSizeF>

#include "model/board.h"
#include "views/word_fit.h"

namespace palabrum {

// Word sizes and spacing, as fractions of a square's side. A word starts at
// the comfortable size and never grows past it; it shrinks no lower than the
// floor, which still prints at about 6 pt on an A4 card.
inline constexpr double kWordStartSize = 1.0 / 7;
inline constexpr double kWordFloorSize = 1.0 / 17;
inline constexpr double kWordMargin = 0.07;  // kept clear inside each side of a square

struct CardLayout {
    QRectF title;      // the program's name
    double left = 0;   // left edge of the grid's first vertical line
    double top = 0;    // top edge of the grid's first horizontal line
    double pitch = 0;  // from one grid line to the next
    double line = 0;   // width of an inner grid line; the outer frame is twice as wide

    QRectF Grid() const { return {left, top, kSide * pitch + line, kSide * pitch + line}; }
};

// Centres the title and the largest grid that fits inside a margin on a page
// of `page` device units.
CardLayout LayOutCard(const QSizeF& page);
// The inside of a square, between its grid lines.
QRectF SquareRectOnCard(const CardLayout& layout, int square);
// Where a square's word may go: the square less its margin.
QRectF TextAreaOfSquare(const QRectF& square);
// The sizes a word on `square` may take, from the comfortable size down to the floor.
FontSizes WordSizesOfSquare(const QRectF& square);

}  // namespace palabrum
