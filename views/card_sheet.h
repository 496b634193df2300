// Cards to share: fresh deals of the word list printed one card to a page,
// and the board in play written out as a picture or a page.
//
// A card is the program's name over a 5 by 5 grid of words, square
// s = 5 * row + col. All geometry is in the paint device's own units and falls
// on whole units, so on an image every line and fill covers exact pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/board.h"

class QPainter;
class QPaintDevice;

namespace palabrum {

class CPalabrumDoc;

// Word sizes and spacing, as fractions of a square's side. A word starts at
// the comfortable size and never grows past it; it shrinks no lower than the
// floor, which still prints at about 6 pt on an A4 card.
inline constexpr double kWordStartSize = 1.0 / 7;
inline constexpr double kWordFloorSize = 1.0 / 17;
inline constexpr double kWordMargin = 0.07;      // kept clear inside each side of a square
inline constexpr double kBingoFrameWidth = 0.045;  // the winning line's frame, inside its squares

inline constexpr QRgb kCardPaper = 0xFFFFFFFF;
inline constexpr QRgb kCardLine = 0xFF3C4450;  // grid and title
inline constexpr QRgb kCardInk = 0xFF1B1F24;   // words on unmarked squares

inline constexpr int kMaxCards = 99;
inline constexpr QSize kExportImageSize{1000, 1100};

struct CardLayout {
    QRectF title;    // the program's name
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

struct WordFit {
    QFont font;     // pixel-sized, in the device's units
    QRectF bounds;  // the laid-out text, centred in the square's text area
    int flags = 0;  // Qt text flags it is laid out and drawn with
    bool fits = false;  // false: even the floor size overflows, and drawing clips it
};

// The largest size from the start down to the floor at which `word`, wrapped
// at word boundaries, fits the text area of `square`; failing that, the same
// search wrapping anywhere, for a word too long for any line; failing that,
// the floor size wrapped anywhere. Measured for `device`, or the screen.
WordFit FitWordFont(const QString& word, const QRectF& square, const QPaintDevice* device = nullptr);

// What one card shows. A printed card leaves every square unmarked.
struct CardFace {
    std::array<QString, kSquares> words;
    std::array<bool, kSquares> marked{};
    QColor markColor;
    int lineStart = -1;  // the bingo line's first square, or -1 for none
    int lineStep = 0;
};

// The board in play as a card face.
CardFace FaceOfGame(const CPalabrumDoc& doc);
// Paints a whole card: paper, title, grid, marks, the bingo frame and the words.
void PaintCard(QPainter& painter, const CardLayout& layout, const CardFace& face);

// Black or white, whichever reads better on `fill`.
QColor TextColorOn(const QColor& fill);
// Red, unless the squares themselves are reddish; then a colour that stands apart.
QColor BingoFrameColor(const QColor& fill);

// Index of the word on each square, square by square.
using CardOrder = std::array<int, kSquares>;

// `count` random deals of the 25 words, each in a different order, drawn with
// `random` as the game deals. Empty when there are not exactly 25 words, or
// when the source keeps repeating earlier deals.
std::vector<CardOrder> DealCards(const std::vector<std::u16string>& words, int count, const RandomSource& random);

// Writes `count` (1 to 99) fresh deals of `words`, one card to an A4 page, to
// the PDF `pdfPath`. The game is never involved. On failure returns false,
// leaves no partial file and puts a one-line reason naming the file in *error.
bool PrintCards(const std::vector<std::u16string>& words, int count, RandomSource random,
                const std::filesystem::path& pdfPath, QString* error);

// Writes the board in play, marks and bingo line included, to `path`: a
// 1000 by 1100 PNG for a name ending in .png, an A4 PDF page for .pdf (any
// case). Errors as for PrintCards.
bool ExportCard(const CPalabrumDoc& doc, const std::filesystem::path& path, QString* error);

}  // namespace palabrum
