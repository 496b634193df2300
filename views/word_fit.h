// Fitting words into a rectangle: the largest font size at which they fit,
// breaking lines between words, and inside a word only when nothing else fits.
// Knows nothing of cards or boards; sizes are in the paint device's units.
#pragma once

#include <QFont>
#include <QRectF>
#include <QStringList>

class QPaintDevice;

namespace palabrum {

// Pixel sizes to try, from the largest down to the smallest still readable.
struct FontSizes {
    int largest = 1;
    int smallest = 1;

    bool operator==(const FontSizes&) const = default;
};

struct WordFit {
    QFont font;         // the given font at the size found, pixel-sized
    int flags = 0;      // Qt text flags to lay out and draw with: centred, wrapped
    bool fits = false;  // false: even the smallest size overflows
};

// The next size to try below `size`, about 7 % smaller (fine enough that a word loses little, few
// enough to stay quick), never below `smallest`.
int NextSmaller(int size, int smallest);

// The largest size from sizes.largest down to sizes.smallest at which each of
// `words`, centred in `area` and wrapped between words, stays inside it;
// failing that, the same search wrapping anywhere, for a word too long for any
// line; failing that, the smallest size wrapped anywhere. All words share the
// size, so that a set of squares reads evenly. Measured for `device`, or the
// screen.
WordFit FitWords(const QStringList& words, const QRectF& area, FontSizes sizes, const QFont& font,
                 const QPaintDevice* device = nullptr);

}  // namespace palabrum
