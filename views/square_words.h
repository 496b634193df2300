// Words set in the 25 squares of a board: one font size for the whole set, the
// largest at which every word fits its square, wrapped between words (and
// after hyphens) and centred; a word that cannot fit even at the smallest size
// is elided with "…". Set once per size or list, then only drawn.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QStringList>
#include <array>

#include "model/board.h"
#include "views/word_fit.h"

class QColor;
class QPainter;
class QPaintDevice;
class QRectF;

namespace palabrum {

struct SquareWords {
    QFont font;                                // the given font at the size found, pixel-sized
    std::array<QStringList, kSquares> lines;  // each word as drawn, line by line
    std::array<bool, kSquares> elided{};       // true where a word is shown cut short
};

// Sets `words` in text areas of `area` each, measured for `device` (or the screen).
SquareWords SetSquareWords(const std::array<QString, kSquares>& words, QSizeF area, FontSizes sizes,
                           const QFont& font, const QPaintDevice* device = nullptr);

// `word` wrapped at `area`'s width between words, or anywhere when `anywhere`: its lines as drawn.
QStringList WrapWord(const QString& word, QSizeF area, const QFont& font, const QPaintDevice* device,
                     bool anywhere = false);

// Draws one square's lines centred in `area`, clipped to it: the one word painter of the board and
// the cards, so both show a word alike.
void PaintSquareWord(QPainter& painter, const QRectF& area, const QStringList& lines, const QFont& font,
                     const QColor& ink);

}  // namespace palabrum
