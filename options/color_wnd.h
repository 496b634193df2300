// The colour swatch of the Options dialog: seven colour cells in a row; a tap
// picks one, and the selected colour's cell carries a black frame.
#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>

#include "views/layout.h"

namespace palabrum {

class CColorWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 123;
    static constexpr int kHeight = 16;
    static constexpr int kCells = 7;

    // The colour values, 0x00BBGGRR, of the cells from left to right.
    static const std::array<std::uint32_t, kCells> kColors;
    // The cell's outline, and the square its colour fills.
    static Rect CellRect(int cell);
    static Rect ColorRect(int cell);
    // The cell containing a point, or -1.
    static int CellAt(QPoint p);

    explicit CColorWnd(QWidget* parent = nullptr);

    // The board colour chosen; may be a colour of no cell, until a cell is tapped.
    std::uint32_t m_selectedColor = 0;

    // A plain left tap on a cell picks its colour; anywhere else, nothing.
    void OnLButtonDown(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void OnPaint(QPainter& painter);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;
};

}  // namespace palabrum
