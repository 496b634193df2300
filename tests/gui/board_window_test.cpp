// The board's pixels, its hit test, presses, double presses and the flash.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <QWindow>

#include "tests/gui/gui_fixture.h"
#include "views/board_window.h"

namespace palabrum {
namespace {

class BoardWindow : public ::testing::Test {
protected:
    BoardWindow() { board().resize(113, 113); }
    UIBoard& board() { return *w.view.Board(); }
    QImage Paint() { return testing::PaintOf(board()); }
    void MarkRow0() {
        for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    }
    testing::GameWindow w;
};

const QRgb kWhite = qRgb(255, 255, 255);

TEST_F(BoardWindow, GridAndMarksCoverExactlyTheirPixelsAtSide113) {
    w.doc.Options().m_boardColor = 0x00FF0000;  // blue
    const QRgb blue = qRgb(0, 0, 255);
    w.doc.SetMark(0, 1);
    w.doc.SetMark(24, 1);
    const QImage image = Paint();
    const int lines[] = {1, 23, 45, 67, 89, 111};
    for (int y = 0; y < 113; ++y) {
        for (int x = 0; x < 113; ++x) {
            const bool onLine = (std::find(std::begin(lines), std::end(lines), y) != std::end(lines) && x >= 1 && x <= 111) ||
                                (std::find(std::begin(lines), std::end(lines), x) != std::end(lines) && y >= 1 && y <= 111);
            const bool inSquare0 = x >= 3 && x <= 21 && y >= 3 && y <= 21;
            const bool inSquare24 = x >= 91 && x <= 109 && y >= 91 && y <= 109;
            const QRgb expected = onLine || inSquare0 || inSquare24 ? blue : kWhite;
            ASSERT_EQ(image.pixel(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_F(BoardWindow, PointsMapToSquaresAndTheEdgeStripToNone) {
    EXPECT_EQ(board().SquareFromPoint({0, 0}), 0);
    EXPECT_EQ(board().SquareFromPoint({109, 109}), 24);
    EXPECT_EQ(board().SquareFromPoint({65, 30}), 7);
    for (int edge = 110; edge <= 112; ++edge) {
        EXPECT_EQ(board().SquareFromPoint({edge, 50}), -1);
        EXPECT_EQ(board().SquareFromPoint({50, edge}), -1);
    }
    board().resize(4, 4);  // no pitch: no square, and no division by zero
    EXPECT_EQ(board().SquareFromPoint({1, 1}), -1);
    Paint();
}

TEST_F(BoardWindow, APressShowsTheWordUntilTheRelease) {
    board().OnLButtonDown({65, 30});
    EXPECT_EQ(w.view.WordLabel()->text(), QStringLiteral("refocus"));
    board().OnMouseMove(Qt::LeftButton);  // dragging keeps it
    EXPECT_EQ(w.view.WordLabel()->text(), QStringLiteral("refocus"));
    board().OnLButtonUp();
    EXPECT_TRUE(w.view.WordLabel()->text().isEmpty());

    board().OnLButtonDown({111, 5});  // the edge strip: no word
    EXPECT_TRUE(w.view.WordLabel()->text().isEmpty());
}

TEST_F(BoardWindow, DoublePressTogglesTheMarkAndTheListFollows) {
    board().OnLButtonDblClk({65, 30});
    EXPECT_EQ(w.doc.GetMark(7), 1);
    const int item = w.view.FindListItem(7);
    ASSERT_GE(item, 0);
    EXPECT_TRUE(w.view.WordList()->item(item)->isSelected());
    board().OnLButtonDblClk({65, 30});
    EXPECT_EQ(w.doc.GetMark(7), 0);
    EXPECT_FALSE(w.view.WordList()->item(item)->isSelected());

    board().OnLButtonDblClk({112, 112});  // no square, no change
    for (int s = 0; s < kSquares; ++s) EXPECT_EQ(w.doc.GetMark(s), 0);
}

TEST_F(BoardWindow, DuringABingoPressesShowNothingButDoublePressesStillToggle) {
    MarkRow0();
    board().OnLButtonDown({30, 30});
    EXPECT_NE(w.view.WordLabel()->text(), QStringLiteral("best practices"));
    board().OnMouseMove(Qt::NoButton);
    EXPECT_FALSE(board().IsHoverTimerActive());
    board().OnLButtonDblClk({30, 5});
    EXPECT_FALSE(w.doc.IsBingo());
    board().OnMouseMove(Qt::NoButton);
    EXPECT_TRUE(board().IsHoverTimerActive());
}

// The timer alone turns the phase: paints forced in between (an expose, a
// focus change) see the same phase.
TEST_F(BoardWindow, TheWinningLineFlashesTwiceASecondAndOnlyIt) {
    // The anti-diagonal, and square 0 marked off the line.
    w.doc.SetMarks(std::vector<std::int32_t>{4, 8, 12, 16, 20, 0});
    ASSERT_TRUE(w.doc.IsBingo());
    EXPECT_TRUE(board().IsFlashing());
    EXPECT_EQ(board().FlashTimer().interval(), 500);
    EXPECT_TRUE(board().FlashTimer().isActive());
    const QPoint square4(4 * 22 + 10, 10), square0(10, 10), square12(55, 55);
    const QRgb black = qRgb(0, 0, 0);
    for (int tick = 0; tick < 4; ++tick) {
        SCOPED_TRACE(tick);
        const bool shown = tick % 2 == 0;  // marks first, then white
        for (int paint = 0; paint < 3; ++paint) {
            const QImage image = Paint();
            EXPECT_EQ(image.pixel(square4), shown ? black : kWhite);
            EXPECT_EQ(image.pixel(square12), shown ? black : kWhite);
            EXPECT_EQ(image.pixel(square0), black);  // marked, not on the line
        }
        board().OnTimer(UIBoard::kFlashTimer);
    }
    board().OnTimer(UIBoard::kFlashTimer);  // the white phase
    w.doc.SetMark(8, 0);  // the bingo ends: every mark steady again
    EXPECT_FALSE(board().IsFlashing());
    EXPECT_FALSE(board().FlashTimer().isActive());
    EXPECT_EQ(Paint().pixel(square4), black);
}

TEST_F(BoardWindow, ARestingPointerShowsItsSquaresWordAfterTheHoverTimer) {
    board().OnMouseMove(Qt::NoButton);
    ASSERT_TRUE(board().IsHoverTimerActive());
    QCursor::setPos(board().mapToGlobal(QPoint(100, 10)));
    board().OnTimer(UIBoard::kHoverTimer);
    EXPECT_EQ(w.view.WordLabel()->text(), QStringLiteral("facilitate"));
    EXPECT_FALSE(board().IsHoverTimerActive());
    board().OnMouseMove(Qt::NoButton);  // moving on empties the label
    EXPECT_TRUE(w.view.WordLabel()->text().isEmpty());
}

// The real event sequence of a double click: press, release, double click, release.
TEST_F(BoardWindow, ARealDoubleClickMarksAndAPressShowsTheWord) {
    w.view.window()->resize(240, 268);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.view.window()));
    QWindow* window = w.view.window()->windowHandle();
    const QPoint square7 = board().mapTo(w.view.window(), QPoint(65, 30));
    QTest::mousePress(window, Qt::LeftButton, {}, square7);
    EXPECT_EQ(w.view.WordLabel()->text(), QStringLiteral("refocus"));
    QTest::mouseRelease(window, Qt::LeftButton, {}, square7);
    EXPECT_TRUE(w.view.WordLabel()->text().isEmpty());
    QTest::mouseDClick(window, Qt::LeftButton, {}, square7);
    EXPECT_EQ(w.doc.GetMark(7), 1);
}

}  // namespace
}  // namespace palabrum
