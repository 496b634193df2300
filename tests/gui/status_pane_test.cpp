// The bingo announcement: the picture, the rippling outlines and their cycle.
#include <gtest/gtest.h>

#include <QPainter>

#include "options/bingo_pictures.h"
#include "tests/gui/gui_fixture.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

class StatusPaneTest : public ::testing::Test {
protected:
    StatusPaneTest() {
        for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    }
    StatusPane& pane() { return *w.view.Pane(); }
    QImage Paint() { return testing::PaintOf(pane()); }
    // The outlines drawn: the left ends of black runs along the middle row,
    // left of the picture.
    std::vector<int> Rings(const QImage& image) {
        std::vector<int> lefts;
        const int y = image.height() / 2;
        for (int x = 0; x < image.width() / 2 - 20; ++x) {
            if (image.pixel(x, y) == qRgb(0, 0, 0)) lefts.push_back(x);
        }
        return lefts;
    }
    testing::GameWindow w;
};

TEST_F(StatusPaneTest, RipplesSevenPixelsApartAndCyclesEveryEightTicksAtSide113) {
    pane().resize(113, 113);
    QImage start = Paint();
    ASSERT_TRUE(pane().IsAnimating());
    EXPECT_TRUE(Rings(start).empty());
    // The picture sits at (36,36)-(76,76).
    const Picture* picture = w.view.Picture().Get();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(start.pixel(36, 36), picture->At(0, 0) | 0xFF000000u);
    EXPECT_EQ(start.pixel(75, 75), picture->At(39, 39) | 0xFF000000u);
    EXPECT_EQ(start.pixel(35, 35), qRgb(255, 255, 255));

    const std::vector<std::vector<int>> expected = {
        {}, {29}, {22, 29}, {15, 22, 29}, {8, 15, 22, 29}, {1, 8, 15, 22, 29}, {0, 1, 8, 15, 22, 29}, {}, {}};
    for (std::size_t tick = 0; tick < expected.size(); ++tick) {
        pane().OnTimer();
        const QImage image = Paint();
        EXPECT_EQ(Rings(image), expected[tick]) << "tick " << tick + 1;
        if (tick == 7) {
            EXPECT_EQ(image.pixel(56, 56), qRgb(255, 255, 255)) << "the blank tick covers the picture";
        }
    }
    // The outline at (29,29)-(83,83) covers exactly its border.
    pane().OnTimer();
    pane().OnTimer();
    const QImage ring = Paint();
    EXPECT_EQ(ring.pixel(82, 40), qRgb(0, 0, 0));
    EXPECT_EQ(ring.pixel(83, 40), qRgb(255, 255, 255));
    EXPECT_EQ(ring.pixel(40, 29), qRgb(0, 0, 0));
}

TEST_F(StatusPaneTest, ASixtyPixelPaneCyclesEveryFourTicks) {
    pane().resize(60, 60);
    Paint();
    std::vector<std::vector<int>> seen;
    for (int tick = 0; tick < 8; ++tick) {
        pane().OnTimer();
        seen.push_back(Rings(Paint()));
    }
    const std::vector<std::vector<int>> expected = {{}, {3}, {0, 3}, {}, {}, {3}, {0, 3}, {}};
    EXPECT_EQ(seen, expected);
}

TEST_F(StatusPaneTest, TheBingoEndingStopsAndHidesThePane) {
    w.view.ShowBingoIfWon();
    Paint();
    ASSERT_TRUE(pane().IsAnimating());
    w.doc.SetMark(2, 0);
    Paint();
    EXPECT_FALSE(pane().IsAnimating());
    EXPECT_FALSE(pane().isVisible());
}

TEST_F(StatusPaneTest, APendingPictureIsTakenOverAtTheNextBingoPaint) {
    auto custom = std::make_unique<Picture>();
    custom->pixels.fill(0xFFFF0000u);  // red
    w.doc.PendingPicture().Give(std::move(custom));
    const QImage image = Paint();
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 0, 0));
}

TEST_F(StatusPaneTest, AResizeRestartsTheRippleAroundTheMovedPicture) {
    Paint();
    pane().OnTimer();
    pane().OnTimer();
    pane().resize(60, 60);
    EXPECT_FALSE(pane().IsAnimating());
    Paint();
    EXPECT_TRUE(pane().IsAnimating());
    EXPECT_EQ(pane().RingCount(), 0);
}

TEST_F(StatusPaneTest, WithoutAPictureThePaneShowsWhiteWhereItWouldStand) {
    w.view.Picture().Empty();
    pane().resize(113, 113);
    const QImage image = Paint();
    EXPECT_EQ(image.pixel(56, 56), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(36, 36), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace palabrum
