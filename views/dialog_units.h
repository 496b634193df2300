// Dialogs laid out in dialog units, as the game's dialogs were designed.
#pragma once

#include <QRect>

class QWidget;

namespace palabrum {

inline constexpr double kDialogUnitX = 1.5;    // pixels across
inline constexpr double kDialogUnitY = 1.625;  // pixels down

QRect DialogUnits(int x, int y, int width, int height);

// Gives `dialog` the largest font, from 11 pixels down to 8, at which the text
// of every label, check box and push button fits the box it stands in: the
// layout is fixed in pixels, and desktop fonts run wider than the ones it
// was measured with.
void FitDialogFont(QWidget& dialog);

}  // namespace palabrum
