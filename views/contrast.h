// Colours that read well on a fill, by relative luminance and contrast ratio
// as the accessibility guidelines for the web define them (WCAG 2).
#pragma once

#include <QColor>

class QPalette;

namespace palabrum {

// From 0 for black to 1 for white, as the eye weighs the sRGB channels.
double RelativeLuminance(const QColor& color);
// From 1 (no contrast) to 21 (black on white), in either order.
double ContrastRatio(const QColor& a, const QColor& b);
// Black or white, whichever contrasts more with `fill`.
QColor TextColorOn(const QColor& fill);
// Red, unless `fill` itself is reddish; then a blue that stands apart from it.
QColor BingoFrameColor(const QColor& fill);

// What the desktop board draws on and writes with under a palette: its base and text, unless
// `lines` (the board colour) would stand out less than 3:1 from the base, then a white card as
// paper is; and unless the text would read less than 4.5:1 there, then black or white.
struct Ground {
    QColor ground;
    QColor ink;
};
Ground GroundFor(const QPalette& palette, const QColor& lines);

}  // namespace palabrum
