// The bingo announcement: the picture, the rippling outlines and their cycle,
// driven by the timer alone however often the pane is painted.
#include <gtest/gtest.h>

#include "model/bingo_pictures.h"
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

TEST_F(StatusPaneTest, RipplesSevenPixelsApartEveryTwoHundredMillisecondsAndCycles) {
    const std::pair<int, std::vector<std::vector<int>>> sides[] = {
        {113, {{}, {29}, {22, 29}, {15, 22, 29}, {8, 15, 22, 29}, {1, 8, 15, 22, 29}, {0, 1, 8, 15, 22, 29}, {}, {}, {29}}},
        {60, {{}, {3}, {0, 3}, {}, {}, {3}, {0, 3}, {}}},
    };
    for (const auto& [side, expected] : sides) {
        SCOPED_TRACE(side);
        pane().resize(side, side);
        ASSERT_TRUE(pane().IsAnimating());
        EXPECT_EQ(pane().RippleTimer().interval(), 200);
        EXPECT_TRUE(pane().RippleTimer().isActive());
        EXPECT_TRUE(Rings(Paint()).empty());
        for (std::size_t tick = 0; tick < expected.size(); ++tick) {
            pane().OnTimer();
            Paint();  // extra paints change nothing
            const QImage image = Paint();
            EXPECT_EQ(Rings(image), expected[tick]) << "tick " << tick + 1;
            if (side == 113 && tick == 7) EXPECT_EQ(image.pixel(56, 56), qRgb(255, 255, 255)) << "a blank tick";
        }
    }
}

TEST_F(StatusPaneTest, ThePictureIsCentredAndTheOutlinesCoverExactlyTheirBorder) {
    pane().resize(113, 113);
    const QImage start = Paint();
    const Picture* picture = w.view.Picture().Get();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(start.pixel(36, 36), picture->At(0, 0) | 0xFF000000u);
    EXPECT_EQ(start.pixel(75, 75), picture->At(39, 39) | 0xFF000000u);
    EXPECT_EQ(start.pixel(35, 35), qRgb(255, 255, 255));
    for (int tick = 0; tick < 3; ++tick) pane().OnTimer();
    const QImage ring = Paint();  // the outline at (29,29)-(83,83)
    EXPECT_EQ(ring.pixel(82, 40), qRgb(0, 0, 0));
    EXPECT_EQ(ring.pixel(83, 40), qRgb(255, 255, 255));
    EXPECT_EQ(ring.pixel(40, 29), qRgb(0, 0, 0));

    w.view.Picture().Empty();  // no picture: white where it would stand
    EXPECT_EQ(Paint().pixel(56, 56), qRgb(255, 255, 255));
}

TEST_F(StatusPaneTest, AResizeRestartsTheRippleAroundTheMovedPicture) {
    pane().OnTimer();
    pane().OnTimer();
    pane().resize(60, 60);
    EXPECT_TRUE(pane().IsAnimating());
    EXPECT_EQ(pane().RingCount(), 0);
    EXPECT_EQ(Paint().pixel(10, 10), w.view.Picture().Get()->At(0, 0) | 0xFF000000u);
}

TEST_F(StatusPaneTest, TheBingoEndingStopsAndHidesThePaneAtOnce) {
    ASSERT_TRUE(pane().isVisibleTo(&w.view));
    w.doc.SetMark(2, 0);
    EXPECT_FALSE(pane().IsAnimating());
    EXPECT_FALSE(pane().RippleTimer().isActive());
    EXPECT_FALSE(pane().isVisibleTo(&w.view));
}

// A picture chosen in Options waits for the next bingo, or shows at once during one.
TEST_F(StatusPaneTest, APendingPictureIsTakenOverWhenABingoShows) {
    const auto red = [] {
        auto picture = std::make_unique<Picture>();
        picture->pixels.fill(0xFFFF0000u);
        return picture;
    };
    w.doc.PendingPicture().Give(red());
    w.doc.UpdateAllViews({DocumentChange::Kind::kOptionsChanged});
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());
    const QImage image = Paint();
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 0, 0));

    w.doc.SetMark(2, 0);
    w.doc.PendingPicture().Give(red());
    w.doc.UpdateAllViews({DocumentChange::Kind::kOptionsChanged});
    EXPECT_FALSE(w.doc.PendingPicture().IsEmpty());
    w.doc.SetMark(2, 1);
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());
}

}  // namespace
}  // namespace palabrum
