// The board window: draws the 25 squares in the board colour, shows a pressed
// square's word through the view, toggles marks on a double press, and
// flashes the winning line. It reads the game at paint time and keeps none.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

#include "model/board.h"
#include "views/layout.h"
#include "views/square_words.h"

namespace palabrum {

class CPalabrumDoc;

class UIBoard : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFlashInterval = 500;
    static constexpr int kHoverInterval = 1000;
    enum TimerId { kFlashTimer = 1004, kHoverTimer = 1005 };

    UIBoard(CPalabrumDoc& doc, QWidget* parent);

    // The square under a point in this window, or -1 outside the 5 by 5 squares.
    int SquareFromPoint(QPoint p) const;
    // The rectangle a marked square fills.
    Rect SquareRect(int square) const;

    // Reads the game's bingo state: starts the flash on a new bingo (marks
    // shown first), stops it when the bingo is gone, and repaints.
    void Refresh();

    // Words on the squares, as the desktop board shows them, or none, as the handheld did.
    void SetWordsShown(bool shown);
    bool WordsShown() const { return m_wordsShown; }
    // The words as set for the board's size and list; valid while they are shown.
    const SquareWords& Words() const { return m_words; }
    // Where a square's word goes: inside the square's fill, clear of the outline.
    QRectF WordArea(int square) const;

    // Toggles a square's mark, as a double press or the keyboard asks.
    void ToggleMark(int square);
    // The square the keyboard works on, or the last one pressed. Outlined while the board has
    // the focus, once the keyboard reached it or moved: never after a press.
    int FocusSquare() const { return m_focusSquare; }
    bool IsOutlined() const { return m_outlined; }

    // Handlers, callable directly by tests.
    void OnPaint(QPainter& painter);
    // Arrows move the focus square; Space and Enter toggle its mark. False for other keys.
    bool OnKeyDown(int key);
    void OnLButtonDown(QPoint p);
    void OnLButtonUp();
    void OnLButtonDblClk(QPoint p);
    void OnMouseMove(Qt::MouseButtons buttons);
    void OnTimer(int id);

    const CPalabrumDoc& Document() const { return m_doc; }
    bool IsFlashing() const { return m_flashing; }
    bool FlashPhase() const { return m_flashPhase; }
    bool IsHoverTimerActive() const { return m_hoverTimer.isActive(); }
    const QTimer& FlashTimer() const { return m_flashTimer; }
    const QTimer& HoverTimer() const { return m_hoverTimer; }

signals:
    // The word label should show this square's word, or nothing for -1.
    void squareWordRequested(int square);
    // The keyboard moved to another square.
    void focusSquareChanged(int square);

protected:
    bool event(QEvent* event) override;  // a tooltip gives an elided word whole
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Sets the words again when the size or the list changed since they were set.
    void SetWords();
    // The white between a square's fill and its grid lines: the handheld's one pixel, or two on the
    // desktop board, where the keyboard's outline goes.
    int Gap() const { return m_wordsShown ? 2 : 1; }

    CPalabrumDoc& m_doc;
    bool m_flashing = false;
    bool m_flashPhase = false;  // true while the winning line shows unmarked
    int m_focusSquare = 0;
    bool m_outlined = false;
    QTimer m_flashTimer;
    QTimer m_hoverTimer;
    bool m_wordsShown = false;
    SquareWords m_words;
    std::array<QString, kSquares> m_wordsSet;  // the list and size m_words was set for
    QSize m_sizeSet;
};

// 0x00BBGGRR, as the options keep it, to a Qt colour.
QColor ColorFromValue(unsigned value);

}  // namespace palabrum
