// Paints one card: paper, title, grid, marked squares, the bingo line's frame
// and the words, each at the largest size that fits its square.
#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "model/board.h"
#include "views/card_layout.h"

class QPainter;

namespace palabrum {

class CPalabrumDoc;

inline constexpr QRgb kCardPaper = 0xFFFFFFFF;
inline constexpr QRgb kCardLine = 0xFF3C4450;  // grid and title
inline constexpr QRgb kCardInk = 0xFF1B1F24;   // words on unmarked squares

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
// Paints the whole card over the painter's device.
void PaintCard(QPainter& painter, const CardLayout& layout, const CardFace& face);

}  // namespace palabrum
