// The colour swatch: its cells, its frame, and which taps pick a colour.
#include <gtest/gtest.h>

#include <QPainter>

#include "options/color_wnd.h"
#include "tests/gui/gui_fixture.h"

namespace palabrum {
namespace {

class Swatch : public ::testing::Test {
protected:
    QImage Paint() { return testing::PaintOf(swatch); }
    // A tap takes effect at once, painted or not.
    void Tap(QPoint p, Qt::MouseButtons buttons = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        swatch.OnLButtonDown(p, buttons, mods);
    }
    // The cells whose outline is black.
    std::vector<int> Framed(const QImage& image) {
        std::vector<int> cells;
        for (int cell = 0; cell < CColorWnd::kCells; ++cell) {
            const Rect r = CColorWnd::CellRect(cell);
            if (image.pixel(r.left, r.top) == qRgb(0, 0, 0) && image.pixel(r.right - 1, r.bottom - 1) == qRgb(0, 0, 0))
                cells.push_back(cell);
        }
        return cells;
    }
    CColorWnd swatch;
};

TEST_F(Swatch, SevenCellsInTheirColoursWithBlackFramedAtFirst) {
    const QImage image = Paint();
    EXPECT_EQ(swatch.size(), QSize(123, 16));
    const QRgb expected[] = {qRgb(0, 0, 0),   qRgb(0, 0, 255),   qRgb(0, 255, 0),  qRgb(0, 255, 255),
                             qRgb(255, 0, 0), qRgb(255, 0, 255), qRgb(255, 255, 0)};
    for (int cell = 0; cell < CColorWnd::kCells; ++cell) {
        const Rect c = CColorWnd::ColorRect(cell);
        EXPECT_EQ(image.pixel(c.left, c.top), expected[cell]);
        EXPECT_EQ(image.pixel(c.right - 1, c.bottom - 1), expected[cell]);
        EXPECT_NE(image.pixel(c.right, c.top), expected[cell]) << "the colour square is 9 pixels wide";
    }
    EXPECT_EQ(CColorWnd::CellRect(6), (Rect{108, 0, 123, 15}));
    EXPECT_EQ(CColorWnd::ColorRect(3), (Rect{57, 3, 66, 12}));
    EXPECT_EQ(Framed(image), std::vector<int>{0});
}

TEST_F(Swatch, ATapOnACellOrItsBorderPicksItsColour) {
    Tap({60, 7});
    EXPECT_EQ(swatch.m_selectedColor, 0xFFFF00u);  // cyan
    EXPECT_EQ(Framed(Paint()), std::vector<int>{3});
    Tap({72, 0});  // the first pixel of cell 4
    EXPECT_EQ(swatch.m_selectedColor, 0x0000FFu);  // red
    Tap({122, 14});  // the last pixel of cell 6
    EXPECT_EQ(swatch.m_selectedColor, 0x00FFFFu);  // yellow
    Tap({0, 0});  // the top-left pixel of the black cell counts too
    EXPECT_EQ(swatch.m_selectedColor, 0u);
}

TEST_F(Swatch, GapsTheBottomRowAndOtherButtonsPickNothingAndKeepTheFrame) {
    swatch.m_selectedColor = 0xFF0000;  // blue
    for (QPoint miss : {QPoint(15, 5), QPoint(17, 5), QPoint(40, 15), QPoint(122, 15)}) {
        Tap(miss);
        EXPECT_EQ(swatch.m_selectedColor, 0xFF0000u);
        EXPECT_EQ(Framed(Paint()), std::vector<int>{1});
    }
    Tap({60, 7}, Qt::LeftButton | Qt::RightButton);
    Tap({60, 7}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(swatch.m_selectedColor, 0xFF0000u);
}

TEST_F(Swatch, AStoredColourOfNoCellShowsNoFrameUntilATap) {
    swatch.m_selectedColor = 0x808080;
    EXPECT_TRUE(Framed(Paint()).empty());
    EXPECT_EQ(swatch.m_selectedColor, 0x808080u);
    Tap({95, 5});
    EXPECT_EQ(Framed(Paint()), std::vector<int>{5});
}

}  // namespace
}  // namespace palabrum
