// The form view: its layout, the word list, the keyboard and screen readers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <array>

#include "tests/gui/gui_fixture.h"
#include "views/board_accessible.h"
#include "views/board_window.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

// The board and the pane are squares of 5n + 3 pixels, the label in the pane's lower half.
TEST(FormView, IsLaidOutForTheListPositionAndSize) {
    testing::GameWindow w;
    const auto placed = [&] { return std::array{w.view.WordList()->geometry(), w.view.Board()->geometry(),
                                                w.view.Pane()->geometry(), w.view.WordLabel()->geometry()}; };
    EXPECT_EQ(placed(),
              std::to_array<QRect>({{0, 0, 120, 268}, {125, 146, 113, 113}, {125, 12, 113, 113}, {125, 32, 110, 97}}));
    w.doc.Options().m_listPosition = kListTop;
    w.view.resize(480, 536);  // a resize lays the form out again too
    EXPECT_EQ(placed(),
              std::to_array<QRect>({{0, 0, 480, 268}, {245, 287, 233, 233}, {5, 287, 233, 233}, {5, 397, 230, 134}}));
    w.doc.Options().m_listPosition = kListLeft;
    w.view.resize(640, 400);
    w.view.SetWordsOnBoard(true);  // the desktop's: the list in a third, the board under a quarter's pane
    EXPECT_EQ(placed(),
              std::to_array<QRect>({{0, 0, 213, 400}, {281, 105, 293, 293}, {379, 5, 98, 98}, {218, 47, 417, 53}}));
}

// Items sort as a person expects whatever the locale and show plain text; the
// selection equals the marks both ways, equal words each their own square.
TEST(FormView, TheWordListIsSortedAndItsSelectionFollowsTheMarks) {
    testing::GameWindow w;
    w.port.filePicks = {w.dir.Write("list.txt", "Zebra\napple\n<b>x</b>\nsame\n" + testing::NumberedLines(10) +
                                                    "same\n" + testing::NumberedLines(10, "v"))};
    w.doc.OnCmdMsg(kCmdLoadCustomList);
    QListWidget& list = *w.view.WordList();
    EXPECT_EQ(std::tuple(list.item(0)->text(), list.item(1)->text(), list.item(24)->text()),
              std::tuple("<b>x</b>", "apple", "Zebra"));
    const auto same = list.findItems(QStringLiteral("same"), Qt::MatchExactly);
    ASSERT_EQ(same.size(), 2);
    const auto item = [&](const char* word) { return list.findItems(word, Qt::MatchExactly).first(); };
    item("apple")->setSelected(true);  // square 1
    item("w1")->setSelected(true);     // square 4
    w.doc.SetMark(14, 1);
    item("apple")->setSelected(false);
    EXPECT_EQ(std::tuple(w.doc.GetMark(1), w.doc.GetMark(4), same[0]->isSelected(), same[1]->isSelected()),
              std::tuple(0, 1, false, true));
    w.doc.SetMark(14, 0);
    EXPECT_EQ(list.selectedItems(), QList<QListWidgetItem*>{item("w1")});
    w.view.ShowSquareWord(3);
    w.port.answers = {true};
    w.doc.OnCmdMsg(kCmdNew);
    EXPECT_EQ(std::tuple(list.selectedItems().size(), w.view.WordLabel()->text()),
              std::tuple(0, CPalabrumView::AboutText()));
}

// A restored bingo shows at once; a custom picture gone since falls back to the built-in one.
TEST(FormView, ARestoredGameShowsItsBingoAndAMissingPictureFallsBack) {
    testing::GameWindow before;
    before.doc.SetMarks(std::vector<std::int32_t>{0, 6, 12, 18, 24});
    before.doc.Options() = {kListLeft, kCustomPicture, 0, before.dir.File("gone.bmp").u16string(), 0};
    before.doc.OnFrameClosing();
    testing::GameWindow w(240, 268, before.dir.File("Palabrum.dat"));
    const testing::ShownBox bad{testing::ShownBox::kError, u"Invalid custom bitmap.\nUsing default.", u"Bad bitmap"};
    EXPECT_EQ(std::tuple(w.port.boxes.size(), w.port.boxes.at(0).caption, w.port.boxes.at(1)),
              std::tuple(2, u"Open Failed", bad));
    EXPECT_EQ(std::tuple(w.doc.GetBingoMessage(), w.doc.Options().m_customPicturePath, w.view.Picture().IsEmpty(),
                         w.view.Pane()->isVisible(), w.view.WordList()->selectedItems().size()),
              std::tuple(kBingoPicture, u"", false, true, 5));
}

// Tab reaches the board; arrows move an outline that stops at the edges and shows the word;
// Space and Enter mark. Screen readers see a table of cells that know word, place, mark and focus.
TEST(FormView, IsPlayedFromTheKeyboardAndSeenAsATableByScreenReaders) {
    testing::GameWindow w;
    UIBoard& board = *w.view.Board();
    const auto keys = [&](std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) QTest::keyClick(&board, key);
    };
    QApplication::setActiveWindow(&w.view);
    w.view.WordList()->setFocus();
    QTest::keyClick(w.view.WordList(), Qt::Key_Tab);
    ASSERT_TRUE(board.hasFocus());
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface* grid = table->tableInterface();
    EXPECT_EQ(std::tuple(table->role(), table->text(QAccessible::Name), grid->rowCount(), grid->columnCount(),
                         table->childCount(), grid->cellAt(5, 0), grid->cellAt(0, 5)),
              std::tuple(QAccessible::Table, "Board", 5, 5, 25, nullptr, nullptr));
    QAccessibleInterface* cell = grid->cellAt(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(std::tuple(cell->role(), cell->text(QAccessible::Name), cell->text(QAccessible::Description),
                         table->indexOfChild(cell)),
              std::tuple(QAccessible::Cell, "refocus", "Row 2, column 3, not marked", 7));
    // Square 7 is 19 pixels wide at (47,25) on the board, itself at (125,146) in the view.
    EXPECT_EQ(cell->rect(), QRect(w.view.mapToGlobal(QPoint(172, 171)), QSize(19, 19)));
    EXPECT_EQ(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);

    std::vector<std::tuple<QAccessible::Event, QObject*, int>> events;
    SetAccessibilityListener([&](const QAccessibleEvent& e) { events.emplace_back(e.type(), e.object(), e.child()); });
    keys({Qt::Key_Down, Qt::Key_Space, Qt::Key_Return, Qt::Key_Right, Qt::Key_Right});  // square 5 marked, unmarked
    EXPECT_EQ(std::tuple(w.doc.GetMark(5), board.FocusSquare(), w.view.WordLabel()->text(), table->focusChild(),
                         cell->state().focused),
              std::tuple(0, 7, "refocus", cell, 1u));
    for (int i = 0; i < 6; ++i) keys({Qt::Key_Right, Qt::Key_Down});
    EXPECT_EQ(board.FocusSquare(), 24);
    for (int i = 0; i < 6; ++i) keys({Qt::Key_Up, Qt::Key_Left});
    keys({Qt::Key_Enter});
    const QImage focused = testing::Render(board);  // around marked square 0: the outline, the mark, the grid
    const QRgb highlight = board.palette().color(QPalette::Highlight).rgb();
    EXPECT_EQ(std::tuple(focused.pixel(2, 10), focused.pixel(22, 10), focused.pixel(10, 10), focused.pixel(1, 10)),
              std::tuple(highlight, highlight, qRgb(0, 0, 0), qRgb(0, 0, 0)));
    board.OnLButtonDown({10, 10});  // a press takes the outline away, not the focus
    EXPECT_EQ(std::pair(testing::Render(board).pixel(2, 10), board.hasFocus()), std::pair(qRgb(255, 255, 255), true));
    board.clearFocus();
    EXPECT_EQ(std::tuple(table->focusChild(), grid->cellAt(0, 0)->state().focused), std::tuple(nullptr, 0u));

    // Marks and a bingo are announced, the bingo once; the controls carry names.
    for (int s : {7, 1, 2, 3, 4, 9}) w.doc.SetMark(s, 1);
    SetAccessibilityListener(nullptr);
    EXPECT_EQ(std::tuple(cell->state().checked, cell->text(QAccessible::Description)),
              std::tuple(1u, "Row 2, column 3, marked"));
    const auto count = [&](auto... event) { return std::count(events.begin(), events.end(), std::tuple(event...)); };
    EXPECT_EQ(std::tuple(count(QAccessible::StateChanged, &board, 7), count(QAccessible::StateChanged, &board, 4),
                         count(QAccessible::Alert, w.view.Pane(), -1), w.view.WordList()->accessibleName(),
                         w.view.WordLabel()->accessibleName(), w.view.Pane()->accessibleName()),
              std::tuple(1, 1, 1, "Words", "Word", "Bingo"));
}

}  // namespace
}  // namespace palabrum
