// Colours that read well on a fill, by relative luminance and contrast ratio
// as the accessibility guidelines for the web define them (WCAG 2).
#pragma once

#include <QColor>

namespace palabrum {

// From 0 for black to 1 for white, as the eye weighs the sRGB channels.
double RelativeLuminance(const QColor& color);
// From 1 (no contrast) to 21 (black on white), in either order.
double ContrastRatio(const QColor& a, const QColor& b);
// Black or white, whichever contrasts more with `fill`.
QColor TextColorOn(const QColor& fill);
// Red, unless `fill` itself is reddish; then a blue that stands apart from it.
QColor BingoFrameColor(const QColor& fill);

}  // namespace palabrum
