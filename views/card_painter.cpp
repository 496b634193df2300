#include "views/card_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/game_document.h"
#include "views/board_window.h"
#include "views/contrast.h"
#include "views/qt_text.h"
#include "views/square_words.h"
#include "views/word_fit.h"

namespace palabrum {

namespace {

// The winning line's frame, inside its squares, as a fraction of a square's side.
constexpr double kBingoFrameWidth = 0.045;

QFont CardFont() {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Fills a frame of `width` just inside `r`.
void FillFrame(QPainter& painter, const QRectF& r, double width, const QColor& color) {
    painter.fillRect(QRectF(r.left(), r.top(), r.width(), width), color);
    painter.fillRect(QRectF(r.left(), r.bottom() - width, r.width(), width), color);
    painter.fillRect(QRectF(r.left(), r.top(), width, r.height()), color);
    painter.fillRect(QRectF(r.right() - width, r.top(), width, r.height()), color);
}

bool IsLine(int start, int step) {
    if (start < 0 || start >= kSquares) return false;
    if (step == 1) return start % kSide == 0;
    if (step == kSide) return start < kSide;
    if (step == kSide + 1) return start == 0;
    if (step == kSide - 1) return start == kSide - 1;
    return false;
}

void PaintTitle(QPainter& painter, const CardLayout& layout) {
    QFont font = CardFont();
    font.setBold(true);
    font.setPixelSize(std::max(1, static_cast<int>(layout.title.height() * 0.62)));
    font.setLetterSpacing(QFont::PercentageSpacing, 106);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(kCardLine));
    painter.drawText(layout.title, Qt::AlignCenter, QStringLiteral("Palabrum"));
}

void PaintGrid(QPainter& painter, const CardLayout& layout) {
    const QColor line = QColor::fromRgba(kCardLine);
    const QRectF grid = layout.Grid();
    for (int k = 0; k <= kSide; ++k) {
        painter.fillRect(QRectF(grid.left() + k * layout.pitch, grid.top(), layout.line, grid.height()), line);
        painter.fillRect(QRectF(grid.left(), grid.top() + k * layout.pitch, grid.width(), layout.line), line);
    }
    const double d = layout.line;
    FillFrame(painter, grid.adjusted(-d, -d, d, d), d, line);
}

void PaintMarks(QPainter& painter, const CardLayout& layout, const CardFace& face) {
    for (int s = 0; s < kSquares; ++s) {
        if (face.marked[s]) painter.fillRect(SquareRectOnCard(layout, s), face.markColor);
    }
    if (!IsLine(face.lineStart, face.lineStep)) return;
    const QColor frame = BingoFrameColor(face.markColor);
    const double width = std::max(1.0, std::round(kBingoFrameWidth * (layout.pitch - layout.line)));
    for (int k = 0, s = face.lineStart; k < kSide; ++k, s += face.lineStep)
        FillFrame(painter, SquareRectOnCard(layout, s), width, frame);
}

void PaintWords(QPainter& painter, const CardLayout& layout, const CardFace& face) {
    const QColor onMark = TextColorOn(face.markColor);
    for (int s = 0; s < kSquares; ++s) {
        if (face.words[s].isEmpty()) continue;
        const QRectF square = SquareRectOnCard(layout, s);
        const QRectF area = TextAreaOfSquare(square);
        const WordFit fit = FitWords({face.words[s]}, area, WordSizesOfSquare(square), CardFont(), painter.device());
        // Paper has no tooltip: a word too long for any line is broken rather than cut short. The
        // painter clips to the text area, so even a word that overflows at the floor size keeps
        // clear of the grid and of its neighbours.
        const QStringList lines = WrapWord(face.words[s], area.size(), fit.font, painter.device(),
                                           (fit.flags & Qt::TextWrapAnywhere) != 0);
        PaintSquareWord(painter, area, lines, fit.font, face.marked[s] ? onMark : QColor::fromRgba(kCardInk));
    }
}

}  // namespace

CardFace FaceOfGame(const CPalabrumDoc& doc) {
    CardFace face;
    for (int s = 0; s < kSquares; ++s) {
        face.words[s] = ToQString(doc.GetWord(s));
        face.marked[s] = doc.GetMark(s) != 0;
    }
    face.markColor = ColorFromValue(doc.Options().m_boardColor);
    if (doc.IsBingo()) {
        face.lineStart = doc.GetBingoLineStart();
        face.lineStep = doc.GetBingoLineStep();
    }
    return face;
}

void PaintCard(QPainter& painter, const CardLayout& layout, const CardFace& face) {
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.fillRect(QRectF(0, 0, device->width(), device->height()), QColor::fromRgba(kCardPaper));
    PaintTitle(painter, layout);
    PaintGrid(painter, layout);
    PaintMarks(painter, layout, face);
    PaintWords(painter, layout, face);
    painter.restore();
}

}  // namespace palabrum
