// The board and the bingo pane: exact pixels, hits, presses, the flash and the
// ripple, each turned by its timer alone however often the widget is painted.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QWindow>

#include "tests/gui/gui_fixture.h"
#include "views/board_window.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

class Board : public ::testing::Test {
protected:
    Board() { board().resize(113, 113); }
    UIBoard& board() { return *w.view.Board(); }
    QString Word() { return w.view.WordLabel()->text(); }
    void MarkRow0() {
        for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    }
    testing::GameWindow w;
};

// At side 113 the pitch is 22: lines on 1, 23, ..., 111, and a mark fills 3 to 21 of its pitch.
TEST_F(Board, GridAndMarksCoverExactlyTheirPixelsInTheBoardColour) {
    w.doc.Options().m_boardColor = 0x00FF0000;  // blue, as 0x00BBGGRR
    w.doc.SetMarks(std::vector<std::int32_t>{0, 24});
    const QImage image = testing::PaintOf(board());
    const auto line = [](int v, int across) { return v % 22 == 1 && across >= 1 && across <= 111; };
    const auto fill = [](int x, int y, int at) { return x >= at && x <= at + 18 && y >= at && y <= at + 18; };
    for (int y = 0; y < 113; ++y)
        for (int x = 0; x < 113; ++x) {
            const bool blue = line(y, x) || line(x, y) || fill(x, y, 3) || fill(x, y, 91);
            ASSERT_EQ(image.pixel(x, y), blue ? qRgb(0, 0, 255) : kWhite) << x << "," << y;
        }
}

TEST_F(Board, PointsMapToSquaresRowByRowAndTheEdgeStripToNone) {
    const std::pair<QPoint, int> hits[] = {{{0, 0}, 0},     {{65, 30}, 7},  {{109, 109}, 24}, {{110, 50}, -1},
                                           {{50, 110}, -1}, {{112, 5}, -1}, {{-1, 5}, -1}};
    for (const auto& [p, square] : hits) EXPECT_EQ(board().SquareFromPoint(p), square) << p.x() << "," << p.y();
    board().resize(4, 4);  // no pitch: no square, and no division by zero
    EXPECT_EQ(board().SquareFromPoint({1, 1}), -1);
    testing::PaintOf(board());
}

// The real sequence of a double click: press, release, double click, release.
TEST_F(Board, APressOrARestShowsTheWordAndADoubleClickTogglesTheMarkAndTheList) {
    QWindow* window = w.view.window()->windowHandle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QPoint square7 = board().mapTo(w.view.window(), QPoint(65, 30));
    QTest::mousePress(window, Qt::LeftButton, {}, square7);
    board().OnMouseMove(Qt::LeftButton);  // dragging keeps the word
    EXPECT_EQ(Word(), "refocus");
    QTest::mouseRelease(window, Qt::LeftButton, {}, square7);
    EXPECT_EQ(Word(), "");
    const QListWidgetItem* item = w.view.WordList()->item(w.view.FindListItem(7));
    for (int mark : {1, 0}) {
        QTest::mouseDClick(window, Qt::LeftButton, {}, square7);
        EXPECT_EQ(std::pair(int(w.doc.GetMark(7)), item->isSelected()), std::pair(mark, mark == 1));
    }
    board().OnMouseMove(Qt::NoButton);  // a second's rest shows the word under the pointer
    EXPECT_EQ(std::pair(board().HoverTimer().interval(), board().IsHoverTimerActive()), std::pair(1000, true));
    QCursor::setPos(board().mapToGlobal(QPoint(100, 10)));
    board().OnTimer(UIBoard::kHoverTimer);
    EXPECT_EQ(std::pair(Word(), board().IsHoverTimerActive()), std::pair(QString("facilitate"), false));
    // During a bingo neither a press nor a rest shows a word, but a double press still toggles.
    MarkRow0();
    const QString shown = Word();
    board().OnLButtonDown({30, 30});
    EXPECT_EQ(Word(), shown);
    board().OnMouseMove(Qt::NoButton);
    EXPECT_FALSE(board().IsHoverTimerActive());
    board().OnLButtonDblClk({30, 5});
    board().OnMouseMove(Qt::NoButton);
    EXPECT_EQ(std::tuple(w.doc.IsBingo(), board().IsHoverTimerActive(), Word()), std::tuple(false, true, QString()));
}

// The anti-diagonal and square 0 off it; paints in between (an expose, a focus change) see the same phase.
TEST_F(Board, TheWinningLineAloneFlashesTwiceASecondMarksFirstUntilTheBingoEnds) {
    w.doc.SetMarks(std::vector<std::int32_t>{4, 8, 12, 16, 20, 0});
    EXPECT_EQ(std::pair(board().FlashTimer().interval(), board().FlashTimer().isActive()), std::pair(500, true));
    for (int tick = 0; tick < 5; ++tick, board().OnTimer(UIBoard::kFlashTimer)) {
        const QRgb line = tick % 2 == 0 ? kBlack : kWhite;
        for (int paint = 0; paint < 3; ++paint) {
            const QImage image = testing::PaintOf(board());
            EXPECT_EQ(std::tuple(image.pixel(98, 10), image.pixel(55, 55), image.pixel(10, 10)), std::tuple(line, line, kBlack))
                << "tick " << tick;
        }
    }
    w.doc.SetMark(8, 0);  // in the blank phase, the bingo ends: every mark steady again
    EXPECT_EQ(std::pair(board().FlashTimer().isActive(), testing::PaintOf(board()).pixel(98, 10)), std::pair(false, kBlack));
}

// Rings 7 pixels apart every 200 ms, around the picture a bingo takes over
// when chosen before it; a blank tick once the rings have reached the pane's
// edge twice, and over again; a resize starts over around the moved picture.
TEST_F(Board, ThePaneRipplesOutFromThePictureAndCyclesUntilTheBingoEnds) {
    auto picture = std::make_unique<Picture>();
    picture->pixels.fill(0xFFFF0000u);
    w.doc.PendingPicture().Give(std::move(picture));
    w.doc.UpdateAllViews({DocumentChange::Kind::kOptionsChanged});
    MarkRow0();
    StatusPane& pane = *w.view.Pane();
    const auto rings = [&] {
        const QImage image = testing::PaintOf(pane);
        std::vector<int> lefts;  // of the black runs along the middle row, left of the picture
        for (int x = 0; x < image.width() / 2 - 20; ++x) if (image.pixel(x, image.height() / 2) == kBlack) lefts.push_back(x);
        return lefts;
    };
    const std::pair<int, std::vector<std::vector<int>>> sides[] = {
        {113, {{}, {29}, {22, 29}, {15, 22, 29}, {8, 15, 22, 29}, {1, 8, 15, 22, 29}, {0, 1, 8, 15, 22, 29}, {}, {}, {29}}},
        {60, {{}, {3}, {0, 3}, {}, {}, {3}, {0, 3}, {}}}};
    for (const auto& [side, expected] : sides) {
        pane.resize(side, side);
        EXPECT_EQ(std::tuple(pane.RippleTimer().interval(), pane.RippleTimer().isActive(), rings()), std::tuple(200, true, std::vector<int>{}));
        for (std::size_t tick = 0; tick < expected.size(); ++tick) {
            pane.OnTimer();
            rings();  // another paint changes nothing
            EXPECT_EQ(rings(), expected[tick]) << "side " << side << ", tick " << tick + 1;
        }
    }
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());
    const QRgb red = qRgb(255, 0, 0);
    pane.resize(113, 113);
    for (int tick = 0; tick < 3; ++tick) pane.OnTimer();
    const QImage image = testing::PaintOf(pane);  // the picture at 36 to 75, the first ring's right side on 82
    EXPECT_EQ(std::tuple(image.pixel(35, 35), image.pixel(36, 36), image.pixel(75, 75), image.pixel(76, 76), image.pixel(82, 40), image.pixel(83, 40)),
              std::tuple(kWhite, red, red, kWhite, kBlack, kWhite));
    pane.resize(60, 60);
    EXPECT_EQ(std::tuple(pane.RingCount(), testing::PaintOf(pane).pixel(10, 10), testing::PaintOf(pane).pixel(49, 49)), std::tuple(0, red, red));
    w.doc.SetMark(2, 0);
    EXPECT_EQ(std::pair(pane.RippleTimer().isActive(), pane.isVisibleTo(&w.view)), std::pair(false, false));
}

}  // namespace
}  // namespace palabrum
