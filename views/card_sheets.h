// Cards on sheets of paper: fresh deals of the word list, one, two or four to
// a sheet, painted onto any paged device (a printer, a PDF writer) on the
// paper the player's locale uses.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

#include "model/board.h"
#include "views/card_painter.h"

class QPagedPaintDevice;

namespace palabrum {

inline constexpr int kMaxCards = 99;

// `count` (1 to 99) different deals of the 25 `words`, drawn with `random` as
// the game deals; or none, with a one-line reason in *why.
std::vector<CardFace> DealCardFaces(const std::vector<std::u16string>& words, int count, const RandomSource& random,
                                    QString* why);

// Where each of `perSheet` (1, 2 or 4) cards goes on a page of `page` device
// units: the whole page, its upper and lower halves, or its quarters.
std::vector<QRectF> CardSlots(const QSizeF& page, int perSheet);

// Paints `faces` onto `device`, `perSheet` to a page, starting a new page as
// each fills; false when the device cannot be painted on.
bool PaintCardSheets(QPagedPaintDevice& device, const std::vector<CardFace>& faces, int perSheet);

// Letter where the locale's country uses it, A4 everywhere else.
QPageSize PaperOfLocale(const QLocale& locale = QLocale());

}  // namespace palabrum
