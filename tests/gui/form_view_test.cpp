// The word list and label: sorting, item data, selection equal to the marks.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include "tests/gui/gui_fixture.h"
#include "views/board_window.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

QStringList Items(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
}

void LoadList(testing::GameWindow& w, const std::string& text) {
    w.port.filePicks = {w.dir.Write("list.txt", text)};
    w.doc.OnCmdMsg(kCmdLoadCustomList);
}

TEST(WordList, IsSortedCaseInsensitivelyWhateverTheLocaleWithSquaresAsItemData) {
    testing::GameWindow w;
    LoadList(w, "zebra\nApple\n<b>x</b>\nbanana\n" + testing::NumberedLines(21, "Word "));
    const QStringList items = Items(*w.view.WordList());
    ASSERT_EQ(items.size(), 25);
    EXPECT_EQ(items[0], QStringLiteral("<b>x</b>"));  // plain text, never markup
    EXPECT_EQ(items[1], QStringLiteral("Apple"));
    EXPECT_EQ(items[2], QStringLiteral("banana"));
    EXPECT_EQ(items.last(), QStringLiteral("zebra"));
    for (int i = 0; i < items.size(); ++i) {
        const int square = w.view.WordList()->item(i)->data(Qt::UserRole).toInt();
        EXPECT_EQ(QString::fromStdU16String(w.doc.GetWord(square)), items[i]);
    }
}

TEST(WordList, SelectionFollowsTheMarksBothWays) {
    testing::GameWindow w;
    QListWidget& list = *w.view.WordList();
    // The player selects "vision" (square 14) and "enable" (square 5).
    for (const char* word : {"vision", "enable"}) {
        list.findItems(QString::fromLatin1(word), Qt::MatchExactly).first()->setSelected(true);
    }
    EXPECT_EQ(w.doc.GetMark(14), 1);
    EXPECT_EQ(w.doc.GetMark(5), 1);
    EXPECT_TRUE(w.doc.IsStarted());
    // The board marks square 7; its item is selected without the list echoing back.
    w.doc.SetMark(7, 1);
    EXPECT_TRUE(list.findItems(QStringLiteral("refocus"), Qt::MatchExactly).first()->isSelected());
    EXPECT_EQ(list.selectedItems().size(), 3);
    // A deselection in the list unmarks.
    list.findItems(QStringLiteral("vision"), Qt::MatchExactly).first()->setSelected(false);
    EXPECT_EQ(w.doc.GetMark(14), 0);
    EXPECT_EQ(w.doc.GetMark(7), 1);
}

TEST(WordList, EqualWordsMapToTheirOwnSquaresInOrder) {
    testing::GameWindow w;
    LoadList(w, "same\n" + testing::NumberedLines(10) + "same\n" + testing::NumberedLines(13, "v"));
    QListWidget& list = *w.view.WordList();
    const auto equal = list.findItems(QStringLiteral("same"), Qt::MatchExactly);
    ASSERT_EQ(equal.size(), 2);
    EXPECT_EQ(equal[0]->data(Qt::UserRole).toInt(), 0);
    EXPECT_EQ(equal[1]->data(Qt::UserRole).toInt(), 11);
    w.doc.SetMark(11, 1);
    EXPECT_FALSE(equal[0]->isSelected());
    EXPECT_TRUE(equal[1]->isSelected());
}

TEST(WordList, ANewGameClearsTheSelectionAndShowsTheAboutText) {
    testing::GameWindow w;
    w.doc.SetMark(3, 1);
    w.view.ShowSquareWord(3);
    w.port.answers = {true};
    w.doc.OnCmdMsg(kCmdNew);
    EXPECT_TRUE(w.view.WordList()->selectedItems().isEmpty());
    EXPECT_EQ(w.view.WordLabel()->text(), CPalabrumView::AboutText());
    EXPECT_FALSE(w.view.Pane()->isVisibleTo(&w.view));
}

TEST(WordList, AGameRestoredWithABingoShowsThePaneAtOnce) {
    testing::TempDir dir;
    {
        testing::ScriptedPort port;
        CPalabrumDoc doc(port, dir.File("Palabrum.dat"));
        doc.NewDocument();
        for (int s : {0, 6, 12, 18, 24}) doc.SetMark(s, 1);
        doc.OnFrameClosing();
    }
    testing::ScriptedPort port;
    CPalabrumDoc doc(port, dir.File("Palabrum.dat"));
    CPalabrumView view(doc, port);
    view.resize(240, 268);
    view.show();
    doc.NewDocument();
    EXPECT_TRUE(view.Pane()->isVisible());
    EXPECT_NE(view.WordLabel()->text(), CPalabrumView::AboutText());
    EXPECT_EQ(view.WordList()->selectedItems().size(), 5);
}

TEST(WordList, ABadCustomPictureAtStartFallsBackWithTwoBoxes) {
    testing::TempDir dir;
    {
        testing::ScriptedPort port;
        CPalabrumDoc doc(port, dir.File("Palabrum.dat"));
        doc.NewDocument();
        doc.Options().SetBingoMessage(kCustomPicture);
        doc.Options().m_customPicturePath = dir.File("gone.bmp").u16string();
        doc.OnFrameClosing();
    }
    testing::ScriptedPort port;
    CPalabrumDoc doc(port, dir.File("Palabrum.dat"));
    CPalabrumView view(doc, port);
    doc.NewDocument();
    ASSERT_EQ(port.boxes.size(), 2u);
    EXPECT_EQ(port.boxes[0].caption, u"Open Failed");
    EXPECT_EQ(port.boxes[1], (testing::ShownBox{testing::ShownBox::kError, u"Invalid custom bitmap.\nUsing default.",
                                                u"Bad bitmap"}));
    EXPECT_EQ(doc.GetBingoMessage(), kBingoPicture);
    EXPECT_TRUE(doc.Options().m_customPicturePath.empty());
    EXPECT_FALSE(view.Picture().IsEmpty());
}

}  // namespace
}  // namespace palabrum
