// Playing from the keyboard alone, and the board as accessibility tools see it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <tuple>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "options/options_dlg.h"
#include "tests/gui/gui_fixture.h"
#include "views/board_accessible.h"
#include "views/board_window.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

class Keyboard : public ::testing::Test {
protected:
    Keyboard() {
        QApplication::setActiveWindow(&w.view);
        board().setFocus();
    }
    UIBoard& board() { return *w.view.Board(); }
    void Keys(std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) QTest::keyClick(&board(), key);
    }
    testing::GameWindow w;
};

TEST_F(Keyboard, TabReachesTheBoardFromTheList) {
    w.view.WordList()->setFocus();
    QTest::keyClick(w.view.WordList(), Qt::Key_Tab);
    EXPECT_TRUE(board().hasFocus());
}

TEST_F(Keyboard, ArrowsMoveTheFocusSquareWithinTheBoardAndShowItsWord) {
    Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down});
    EXPECT_EQ(board().FocusSquare(), 7);
    EXPECT_EQ(w.view.WordLabel()->text(), QStringLiteral("refocus"));
    Keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left});
    EXPECT_EQ(board().FocusSquare(), 0) << "stops at the edges";
    for (int i = 0; i < 6; ++i) Keys({Qt::Key_Right, Qt::Key_Down});
    EXPECT_EQ(board().FocusSquare(), 24);
}

TEST_F(Keyboard, SpaceAndEnterToggleLikeADoublePressAndTheRestFollows) {
    Keys({Qt::Key_Down, Qt::Key_Space});
    EXPECT_EQ(w.doc.GetMark(5), 1);
    EXPECT_TRUE(w.view.WordList()->item(w.view.FindListItem(5))->isSelected());
    Keys({Qt::Key_Return});
    EXPECT_EQ(w.doc.GetMark(5), 0);
    // A whole row from the keyboard wins.
    for (int i = 0; i < 5; ++i) Keys({Qt::Key_Enter, Qt::Key_Right});
    EXPECT_TRUE(w.doc.IsBingo());
    EXPECT_TRUE(w.view.Pane()->isVisible());
    testing::PaintOf(board());
    EXPECT_TRUE(board().IsFlashing());
}

TEST_F(Keyboard, TheFocusOutlineSitsBetweenFillAndGridAndOnlyWithFocus) {
    w.doc.SetMark(0, 1);
    board().resize(113, 113);
    const QImage focused = testing::PaintOf(board());
    const QRgb highlight = board().palette().color(QPalette::Highlight).rgb();
    EXPECT_EQ(focused.pixel(2, 10), highlight);   // the gap left of square 0
    EXPECT_EQ(focused.pixel(22, 10), highlight);  // and right of it
    EXPECT_EQ(focused.pixel(10, 10), qRgb(0, 0, 0)) << "the mark stays whole";
    EXPECT_EQ(focused.pixel(1, 10), qRgb(0, 0, 0)) << "the grid line stays";
    board().clearFocus();
    EXPECT_EQ(testing::PaintOf(board()).pixel(2, 10), qRgb(255, 255, 255));
}


TEST(Accessibility, TheBoardIsATableOfWordsThatKnowTheirMarks) {
    testing::GameWindow w;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.view.Board());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Board"));
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(table->childCount(), 25);

    QAccessibleInterface* cell = grid->cellAt(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("refocus"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("Row 2, column 3, not marked"));
    EXPECT_FALSE(cell->state().checked);
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 1);
    EXPECT_EQ(cell->tableCellInterface()->columnIndex(), 2);
    EXPECT_EQ(table->indexOfChild(cell), 7);

    w.doc.SetMark(7, 1);
    EXPECT_TRUE(cell->state().checked);
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("Row 2, column 3, marked"));
}

TEST(Accessibility, MarksAndABingoAreAnnounced) {
    testing::GameWindow w;
    std::vector<std::tuple<QAccessible::Event, QObject*, int>> events;
    SetAccessibilityListener([&](const QAccessibleEvent& e) { events.emplace_back(e.type(), e.object(), e.child()); });
    w.doc.SetMark(7, 1);
    for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    w.doc.SetMark(9, 1);  // the pane is showing already: no second alert
    SetAccessibilityListener(nullptr);
    const auto count = [&](QAccessible::Event type, QObject* object, int child) {
        return std::count(events.begin(), events.end(), std::make_tuple(type, object, child));
    };
    EXPECT_EQ(count(QAccessible::StateChanged, w.view.Board(), 7), 1);
    EXPECT_EQ(count(QAccessible::StateChanged, w.view.Board(), 4), 1);
    EXPECT_EQ(count(QAccessible::Alert, w.view.Pane(), -1), 1);
}

TEST(Accessibility, ControlsCarryNames) {
    testing::GameWindow w;
    EXPECT_EQ(w.view.WordList()->accessibleName(), QStringLiteral("Words"));
    EXPECT_EQ(w.view.WordLabel()->accessibleName(), QStringLiteral("Word"));
    EXPECT_EQ(w.view.Pane()->accessibleName(), QStringLiteral("Bingo"));
    COptionsDlg dialog(w.doc.Options(), w.port, nullptr);
    EXPECT_EQ(dialog.BingoMessageList()->accessibleName(), QStringLiteral("Bingo Message"));
    EXPECT_EQ(dialog.ListPositionList()->accessibleName(), QStringLiteral("List Position"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog.RandomBoardBox())->text(QAccessible::Name),
              QStringLiteral("Random Board"));
}

}  // namespace
}  // namespace palabrum
