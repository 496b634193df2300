#include "views/board_window.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <array>

#include "model/game_document.h"
#include "views/board_accessible.h"
#include "views/contrast.h"
#include "views/drawing.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {

// The smallest word size still easy to read (logical pixels), and the share of a word area's
// height that one line may take at most: a one-word square should not shout.
constexpr int kSmallestWordPixels = 9;
constexpr double kLargestWordShare = 0.34;

}  // namespace

QColor ColorFromValue(unsigned value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

UIBoard::UIBoard(CPalabrumDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    InstallBoardAccessibility();  // first: naming the board already asks for its interface
    setObjectName(QStringLiteral("UIBoard"));
    setAccessibleName(tr("Board"));
    setMouseTracking(true);  // hovering shows words too
    setFocusPolicy(Qt::StrongFocus);  // Tab or a click, for play from the keyboard
    m_flashTimer.setInterval(kFlashInterval);
    m_hoverTimer.setInterval(kHoverInterval);
    connect(&m_flashTimer, &QTimer::timeout, this, [this] { OnTimer(kFlashTimer); });
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] { OnTimer(kHoverTimer); });
}

int UIBoard::SquareFromPoint(QPoint p) const {
    const int px = width() / kSide;
    const int py = height() / kSide;
    // Pixels right of or below the fifth square (and any board too small for
    // a pitch) belong to no square: a square number must stay within 0..24.
    if (px == 0 || py == 0 || p.x() < 0 || p.y() < 0 || p.x() >= kSide * px || p.y() >= kSide * py) return -1;
    return kSide * (p.y() / py) + p.x() / px;
}

Rect UIBoard::SquareRect(int square) const {
    const int px = width() / kSide;
    const int py = height() / kSide;
    const int gap = Gap();
    const int left = (square % kSide) * px + 2 + gap;
    const int top = (square / kSide) * py + 2 + gap;
    return {left, top, left + px - 1 - 2 * gap, top + py - 1 - 2 * gap};
}

QRectF UIBoard::WordArea(int square) const {
    const Rect r = SquareRect(square);
    const double pad = std::max(1, r.Width() / 16);
    return QRectF(r.left + pad, r.top + pad, r.Width() - 2 * pad, r.Height() - 2 * pad);
}

void UIBoard::SetWordsShown(bool shown) {
    m_wordsShown = shown;
    m_sizeSet = {};
    SetWords();
    update();
}

void UIBoard::SetWords() {
    if (!m_wordsShown) return;
    std::array<QString, kSquares> words;
    for (int s = 0; s < kSquares; ++s) words[static_cast<std::size_t>(s)] = ToQString(m_doc.GetWord(s));
    if (words == m_wordsSet && size() == m_sizeSet) return;
    const QSizeF area = WordArea(0).size();
    m_wordsSet = words;
    m_sizeSet = size();
    // Before the layout gives the board its size, no line fits: nothing to set, and no time spent at start.
    if (area.height() < kSmallestWordPixels) {
        m_words = {};
        return;
    }
    const int largest = std::max(kSmallestWordPixels, static_cast<int>(area.height() * kLargestWordShare));
    m_words = SetSquareWords(words, area, {largest, kSmallestWordPixels}, font(), this);
}

void UIBoard::Refresh() {
    SetWords();
    const bool bingo = m_doc.IsBingo();
    if (bingo && !m_flashing) {
        m_flashing = true;
        m_flashPhase = false;
        m_flashTimer.start();
    } else if (!bingo && m_flashing) {
        m_flashing = false;
        m_flashPhase = false;
        m_flashTimer.stop();
    }
    update();
}

void UIBoard::OnPaint(QPainter& painter) {
    const int w = width();
    const int h = height();
    const int px = w / kSide;
    const int py = h / kSide;
    const QColor color = ColorFromValue(m_doc.Options().m_boardColor);
    // The handheld's board is white whatever the desktop's colours.
    const Ground ground = m_wordsShown ? GroundFor(palette(), color) : Ground{Qt::white, Qt::black};

    painter.fillRect(0, 0, w, h, ground.ground);
    // One-pixel grid lines as filled rectangles, so exactly their pixels are covered.
    for (int k = 0; 1 + k * py <= h + 2; ++k) {
        painter.fillRect(1, 1 + k * py, w - 2, 1, color);
        if (py == 0) break;
    }
    for (int k = 0; 1 + k * px <= w + 2; ++k) {
        painter.fillRect(1 + k * px, 1, 1, h - 2, color);
        if (px == 0) break;
    }

    std::array<bool, kSquares> showMark;
    showMark.fill(true);
    if (m_flashing && m_flashPhase) {
        int s = m_doc.GetBingoLineStart();
        for (int k = 0; k < kSide; ++k, s += m_doc.GetBingoLineStep()) {
            if (s >= 0 && s < kSquares) showMark[static_cast<std::size_t>(s)] = false;
        }
    }
    for (int i = 0; i < kSquares; ++i) {
        const Rect r = SquareRect(i);
        if (m_doc.GetMark(i) && showMark[static_cast<std::size_t>(i)]) {
            painter.fillRect(r.ToQRect(), color);
        } else {
            const int g = Gap();
            painter.fillRect(QRect(r.left - g, r.top - g, r.Width() + 2 * g, r.Height() + 2 * g), ground.ground);
        }
    }
    if (m_wordsShown) {
        // Marked words in black or white, whichever reads better on the mark; the flash shows them unmarked.
        const QColor onMark = TextColorOn(color);
        for (int i = 0; i < kSquares; ++i) {
            const bool marked = m_doc.GetMark(i) && showMark[static_cast<std::size_t>(i)];
            PaintSquareWord(painter, WordArea(i), m_words.lines[static_cast<std::size_t>(i)], m_words.font,
                            marked ? onMark : ground.ink);
        }
    }
    if (hasFocus() && m_outlined) {
        // On the gap between the square's fill and its grid lines:
        // it never covers a mark, the flash or the grid.
        const Rect r = SquareRect(m_focusSquare);
        const Rect inner{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        if (!m_wordsShown) {
            FrameRect(painter, inner, palette().color(QPalette::Highlight));
        } else {
            // Two pixels: the ink outside, which reads on the ground, and inside whatever reads on the mark.
            const bool marked = m_doc.GetMark(m_focusSquare) && showMark[static_cast<std::size_t>(m_focusSquare)];
            FrameRect(painter, {r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, ground.ink);
            FrameRect(painter, inner, marked ? TextColorOn(color) : ground.ink);
        }
    }
}

void UIBoard::ToggleMark(int square) {
    if (square < 0 || square >= kSquares) return;
    m_doc.SetMark(square, m_doc.GetMark(square) ? 0 : 1);
}

bool UIBoard::OnKeyDown(int key) {
    int row = m_focusSquare / kSide;
    int column = m_focusSquare % kSide;
    switch (key) {
    case Qt::Key_Left: column = std::max(column - 1, 0); break;
    case Qt::Key_Right: column = std::min(column + 1, kSide - 1); break;
    case Qt::Key_Up: row = std::max(row - 1, 0); break;
    case Qt::Key_Down: row = std::min(row + 1, kSide - 1); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: ToggleMark(m_focusSquare); return true;
    default: return false;
    }
    m_focusSquare = kSide * row + column;
    m_outlined = true;
    update();
    // As a press does: the word shows, except during a bingo.
    if (!m_doc.IsBingo()) emit squareWordRequested(m_focusSquare);
    emit focusSquareChanged(m_focusSquare);
    return true;
}

void UIBoard::OnLButtonDown(QPoint p) {
    m_hoverTimer.stop();  // else a rest begun before the press could change the pressed word
    const int square = SquareFromPoint(p);
    // The keyboard goes on from the pressed square, but a press shows nothing on the board.
    if (m_outlined) {
        m_outlined = false;
        update();
    }
    if (square >= 0 && square != m_focusSquare) {
        m_focusSquare = square;
        emit focusSquareChanged(square);
    }
    if (m_doc.IsBingo()) return;  // during a bingo a press shows no word
    emit squareWordRequested(square);
}

void UIBoard::OnLButtonUp() { emit squareWordRequested(-1); }

void UIBoard::OnLButtonDblClk(QPoint p) { ToggleMark(SquareFromPoint(p)); }

void UIBoard::OnMouseMove(Qt::MouseButtons buttons) {
    if (buttons != Qt::NoButton) return;  // the pressed square's word stays while dragging
    m_hoverTimer.stop();
    emit squareWordRequested(-1);
    if (!m_doc.IsBingo()) m_hoverTimer.start();
}

void UIBoard::OnTimer(int id) {
    if (id == kHoverTimer) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        emit squareWordRequested(rect().contains(p) ? SquareFromPoint(p) : -1);
        m_hoverTimer.stop();
    } else if (id == kFlashTimer && m_flashing) {
        m_flashPhase = !m_flashPhase;
        update();
    }
}

bool UIBoard::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int square = m_wordsShown ? SquareFromPoint(help->pos()) : -1;
    if (square >= 0 && m_words.elided[static_cast<std::size_t>(square)]) {
        QToolTip::showText(help->globalPos(), ToQString(m_doc.GetWord(square)), this);
    } else {
        QToolTip::hideText();
    }
    return true;
}

void UIBoard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetWords();
}

void UIBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnPaint(painter);
}

void UIBoard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint());
}

void UIBoard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonUp();
}

void UIBoard::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().toPoint());
}

void UIBoard::mouseMoveEvent(QMouseEvent* event) { OnMouseMove(event->buttons()); }

void UIBoard::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyDown(event->key())) QWidget::keyPressEvent(event);
}

void UIBoard::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
        m_outlined = true;
    }
    update();
}

void UIBoard::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}


}  // namespace palabrum
