// Dialogs laid out in dialog units, as the game's dialogs were designed, and grown for the desktop's font.
#pragma once

#include <QRect>
#include <vector>

class QWidget;

namespace palabrum {

inline constexpr double kDialogUnitX = 1.5;    // pixels across
inline constexpr double kDialogUnitY = 1.625;  // pixels down

// A rectangle in dialog units as pixels, the units grown by `scale`.
QRect DialogUnits(int x, int y, int width, int height, double scale = 1);

struct Placement {
    QWidget* widget;
    QRect units;
};

// Lays `dialog` out as designed, its children at `placed` and itself `size` (dialog units), all grown by the
// smallest scale from 1 up at which the text of every label, check box and push button fits its box in the
// dialog's own font: a larger desktop font gives a larger dialog, never clipped or shrunken text. Returns the
// scale, for what the dialog places or draws in pixels of its own.
double LayOutDialog(QWidget& dialog, QSize size, const std::vector<Placement>& placed);

}  // namespace palabrum
