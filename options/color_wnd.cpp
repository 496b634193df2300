#include "options/color_wnd.h"

#include <QMouseEvent>
#include <QPainter>

#include "views/board_window.h"
#include "views/drawing.h"

namespace palabrum {

// Every mix of 0 and 255 for red, green and blue but white, red varying slowest.
const std::array<std::uint32_t, CColorWnd::kCells> CColorWnd::kColors = {
    0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF,
};

Rect CColorWnd::CellRect(int cell) { return {cell * 18, 0, cell * 18 + 15, 15}; }

Rect CColorWnd::ColorRect(int cell) { return {cell * 18 + 3, 3, cell * 18 + 12, 12}; }

CColorWnd::CColorWnd(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ColorWnd"));
    setFixedSize(kWidth, kHeight);
}

void CColorWnd::OnLButtonDown(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    if (buttons != Qt::LeftButton || modifiers != Qt::NoModifier) return;
    const int cell = CellAt(p);  // every pixel of a cell counts, (0, 0) included
    if (cell < 0) return;
    m_selectedColor = kColors[cell];
    update();
}

void CColorWnd::OnPaint(QPainter& painter) {
    // The dialog's own background, whatever the style makes it.
    const QWidget* dialog = parentWidget() ? parentWidget() : this;
    painter.fillRect(rect(), dialog->palette().color(QPalette::Window));
    for (int cell = 0; cell < kCells; ++cell) {
        const Rect r = CellRect(cell);
        if (kColors[cell] == m_selectedColor) FrameRect(painter, r, Qt::black);
        painter.fillRect(ColorRect(cell).ToQRect(), ColorFromValue(kColors[cell]));
    }
}

int CColorWnd::CellAt(QPoint p) {
    for (int cell = 0; cell < kCells; ++cell) {
        if (CellRect(cell).ToQRect().contains(p)) return cell;
    }
    return -1;
}

void CColorWnd::mousePressEvent(QMouseEvent* event) {
    OnLButtonDown(event->position().toPoint(), event->buttons(), event->modifiers());
}

void CColorWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnPaint(painter);
}

}  // namespace palabrum
