// The form's geometry: where the list, label, board and pane go. Pure integer
// arithmetic on rectangles whose right and bottom edges are exclusive.
#pragma once

#include <QRect>

namespace palabrum {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    bool operator==(const Rect&) const = default;
};

struct FormLayout {
    Rect list;
    Rect board;  // before FitSquare
    Rect pane;   // before FitSquare
    Rect label;
};

// Splits a client area of `width` by `height` for the list position
// (0 left, 1 top; any other value gives every part the whole area): as the
// handheld did, in halves, or for the desktop board, whose words want room,
// with the list in a third and the board as large as the rest allows.
FormLayout LayOutForm(int width, int height, int listPosition, bool desktop = false);

// Shrinks the longer side to the shorter, symmetrically, then adjusts the side
// to the form 5n + 3 so that five squares and their grid fit exactly.
Rect FitSquare(Rect r);

}  // namespace palabrum
