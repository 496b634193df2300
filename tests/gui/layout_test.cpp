// Where the list, label, board and pane go, at the handheld's client size.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include "tests/gui/gui_fixture.h"
#include "views/board_window.h"
#include "views/layout.h"
#include "views/status_pane.h"

namespace palabrum {

// Lets failures show rectangles as (left,top)-(right,bottom).
void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

TEST(FitSquare, ShrinksTheLongerSideAndEndsOnFiveNPlusThree) {
    EXPECT_EQ(FitSquare({0, 0, 110, 124}), (Rect{0, 7, 113, 120}));
    EXPECT_EQ(FitSquare({0, 0, 111, 100}), (Rect{5, 0, 108, 103}));
    EXPECT_EQ(FitSquare({0, 0, 114, 114}), (Rect{0, 0, 113, 113}));
    EXPECT_EQ(FitSquare({0, 0, 0, 0}), (Rect{0, 0, 3, 3}));
    EXPECT_EQ(FitSquare({10, 10, 5, 5}), (Rect{10, 10, 13, 13}));  // a negative width grows to 3
}

TEST(FormLayout, LeftAndTopAtTheHandheldSize) {
    const FormLayout left = LayOutForm(240, 268, 0);
    EXPECT_EQ(left.list, (Rect{0, 0, 120, 268}));
    EXPECT_EQ(left.board, (Rect{125, 139, 235, 263}));
    EXPECT_EQ(FitSquare(left.board), (Rect{125, 146, 238, 259}));
    EXPECT_EQ(left.pane, (Rect{125, 5, 235, 129}));
    EXPECT_EQ(FitSquare(left.pane), (Rect{125, 12, 238, 125}));
    EXPECT_EQ(left.label, (Rect{125, 62, 235, 129}));

    const FormLayout top = LayOutForm(240, 268, 1);
    EXPECT_EQ(top.list, (Rect{0, 0, 240, 134}));
    EXPECT_EQ(FitSquare(top.board), (Rect{125, 146, 238, 259}));
    EXPECT_EQ(top.pane, (Rect{5, 139, 115, 263}));
    EXPECT_EQ(FitSquare(top.pane), (Rect{5, 146, 118, 259}));
    EXPECT_EQ(top.label, (Rect{5, 196, 115, 263}));

    const FormLayout other = LayOutForm(240, 268, 7);
    EXPECT_EQ(other.list, (Rect{0, 0, 240, 268}));
    EXPECT_EQ(other.board, other.list);
}

TEST(FormLayout, TheViewPlacesItsChildrenAndRaisesTheAboutText) {
    testing::GameWindow w;
    EXPECT_EQ(w.view.WordList()->geometry(), QRect(0, 0, 120, 268));
    EXPECT_EQ(w.view.Board()->geometry(), QRect(125, 146, 113, 113));
    EXPECT_TRUE(w.view.Board()->isVisible());
    EXPECT_EQ(w.view.Pane()->geometry(), QRect(125, 12, 113, 113));
    EXPECT_EQ(w.view.WordLabel()->geometry(), QRect(125, 32, 110, 97));
    EXPECT_EQ(w.view.WordLabel()->text(), CPalabrumView::AboutText());
    EXPECT_EQ(w.view.WordLabel()->text().count(QLatin1Char('\n')), 6);

    // Options changed to "Top": hint 1 lays the view out again.
    w.doc.Options().m_listPosition = kListTop;
    w.doc.UpdateAllViews({DocumentChange::Kind::kOptionsChanged});
    EXPECT_EQ(w.view.WordList()->geometry(), QRect(0, 0, 240, 134));
    EXPECT_EQ(w.view.Pane()->geometry(), QRect(5, 146, 113, 113));
    EXPECT_EQ(w.view.WordLabel()->geometry(), QRect(5, 196, 110, 67));

    // A resize lays out again.
    w.view.resize(480, 536);
    EXPECT_EQ(w.view.WordList()->geometry(), QRect(0, 0, 480, 268));
}

}  // namespace
}  // namespace palabrum
