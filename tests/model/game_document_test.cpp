// The document's commands, its questions, and the hints the views receive.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/game_document.h"
#include "model/word_list.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::RecordingView;
using testing::ScriptedPort;
using testing::ShownBox;

const ShownBox kCancelQuestion{ShownBox::kQuestion, u"Cancel current game?", u"Cancel game?"};

class GameDocument : public ::testing::Test {
protected:
    GameDocument() : doc(port, dir.File("Palabrum.dat")) {
        port.doc = &doc;
        doc.AddView(view);
        doc.NewDocument();  // no state file: the built-in list in list order
        view.calls.clear();
    }

    void MarkOne() { doc.SetMark(7, 1); view.calls.clear(); }
    void MarkRow() {
        for (int s = 0; s < 5; ++s) doc.SetMark(s, 1);
        view.calls.clear();
    }

    testing::TempDir dir;
    ScriptedPort port;
    CPalabrumDoc doc;
    RecordingView view;
};

TEST_F(GameDocument, StartsWithTheBuiltInListAndItsTitle) {
    EXPECT_EQ(doc.GetWord(0), u"proactive");
    EXPECT_EQ(doc.GetWord(24), u"mindset");
    EXPECT_EQ(doc.GetTitle(), u"Palabrum!");
    EXPECT_FALSE(doc.IsStarted());
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(GameDocument, SetMarkSendsTheSquareAndValueInTheHighBits) {
    doc.SetMark(7, 1);
    doc.SetMark(24, 0);
    ASSERT_EQ(view.calls.size(), 2u);
    EXPECT_EQ(view.calls[0] >> 16, 0x0071u);
    EXPECT_EQ(view.calls[0] & 0xFFFF, 3u);
    EXPECT_EQ(view.calls[1] >> 16, 0x0180u);
    EXPECT_EQ(doc.GetMark(7), 1);
}

TEST_F(GameDocument, SetMarksReplacesEveryMarkAndSendsOneHint) {
    doc.SetMark(3, 1);
    const std::int32_t squares[] = {10, 11, 12, 13, 14};
    view.calls.clear();
    doc.SetMarks(squares);
    EXPECT_EQ(view.calls, (std::vector<std::uint32_t>{2}));
    EXPECT_EQ(doc.GetMark(3), 0);
    EXPECT_TRUE(doc.IsBingo());
    EXPECT_EQ(doc.GetBingoLineStart(), 10);
    EXPECT_EQ(doc.GetBingoLineStep(), 1);
}

TEST_F(GameDocument, SelectingNothingStillStartsTheGame) {
    doc.SetMarks({});
    EXPECT_TRUE(doc.IsStarted());
    EXPECT_TRUE(doc.OnCmdMsg(kCmdNew));
    EXPECT_EQ(port.boxes, (std::vector<ShownBox>{kCancelQuestion}));
}

TEST_F(GameDocument, NewAsksOnlyWhileAGameIsInPlay) {
    doc.OnCmdMsg(kCmdNew);  // freshly dealt
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(port.newCommands, 1);

    MarkRow();  // won
    doc.OnCmdMsg(kCmdNew);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(port.newCommands, 2);
    EXPECT_EQ(view.calls, (std::vector<std::uint32_t>{RecordingView::kInitialUpdate}));
    EXPECT_EQ(doc.GetMark(0), 0);
}

TEST_F(GameDocument, NoKeepsTheGameAndYesDealsAgain) {
    doc.SetMark(7, 1);
    doc.SetMark(7, 0);  // marked then unmarked: still a game under way
    view.calls.clear();

    port.answers = {false};
    doc.OnCmdMsg(kCmdNew);
    EXPECT_EQ(port.boxes, (std::vector<ShownBox>{kCancelQuestion}));
    EXPECT_EQ(port.newCommands, 0);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(doc.IsStarted());

    port.answers = {true};
    doc.SetMark(2, 1);
    doc.OnCmdMsg(kCmdNew);
    EXPECT_EQ(port.newCommands, 1);
    EXPECT_FALSE(doc.IsStarted());
    EXPECT_EQ(doc.GetMark(2), 0);
    EXPECT_EQ(doc.GetWord(2), u"core competency");
}

TEST_F(GameDocument, NewDealsAtRandomOnlyOnceTheOptionIsOn) {
    doc.Options().m_randomBoard = 1;  // as the Options dialog would
    EXPECT_EQ(doc.GetWord(0), u"proactive");  // the board is not touched
    doc.OnCmdMsg(kCmdNew);
    bool moved = false;
    for (int s = 0; s < kSquares; ++s) moved |= doc.GetWord(s) != kBuiltInWords[static_cast<std::size_t>(s)];
    EXPECT_TRUE(moved);
}

TEST_F(GameDocument, LoadDefaultListDealsTheBuiltInWordsThenRunsNew) {
    port.filePicks = {dir.Write("list.txt", testing::NumberedLines(25))};
    doc.OnCmdMsg(kCmdLoadCustomList);
    ASSERT_EQ(doc.GetWord(0), u"w1");
    doc.SetMark(0, 1);
    port.answers = {true};
    view.calls.clear();

    doc.OnCmdMsg(kCmdLoadDefaultList);
    EXPECT_EQ(port.boxes, (std::vector<ShownBox>{kCancelQuestion}));
    EXPECT_EQ(port.newCommands, 1);
    EXPECT_EQ(view.calls, (std::vector<std::uint32_t>{RecordingView::kInitialUpdate}));
    for (int s = 0; s < kSquares; ++s) EXPECT_EQ(doc.GetWord(s), kBuiltInWords[static_cast<std::size_t>(s)]);
}

TEST_F(GameDocument, DeclinedLoadDefaultListChangesNothing) {
    MarkOne();
    doc.OnCmdMsg(kCmdLoadDefaultList);  // unscripted question: No
    EXPECT_EQ(port.newCommands, 0);
    EXPECT_EQ(doc.GetMark(7), 1);
}

TEST_F(GameDocument, LoadCustomListOffersTextFilesThenAllFiles) {
    doc.OnCmdMsg(kCmdLoadCustomList);  // cancelled dialog
    ASSERT_EQ(port.dialogs.size(), 1u);
    ASSERT_EQ(port.dialogs[0].size(), 2u);
    EXPECT_EQ(port.dialogs[0][0].name, u"Text Files (*.txt)");
    EXPECT_EQ(port.dialogs[0][0].pattern, u"*.txt");
    EXPECT_EQ(port.dialogs[0][1].pattern, u"*.*");
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(GameDocument, CancellingTheFileDialogKeepsAGameTheDocumentAgreedToDrop) {
    MarkOne();
    port.answers = {true};
    doc.OnCmdMsg(kCmdLoadCustomList);
    EXPECT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(doc.GetMark(7), 1);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(GameDocument, DeclinedLoadCustomListOpensNoDialog) {
    MarkOne();
    doc.OnCmdMsg(kCmdLoadCustomList);
    EXPECT_TRUE(port.dialogs.empty());
}

TEST_F(GameDocument, OptionsSendHintOneOnlyWhenAccepted) {
    doc.OnCmdMsg(kCmdOptions);
    EXPECT_EQ(port.optionsRuns, 1);
    EXPECT_TRUE(view.calls.empty());

    port.optionsDialog = [](CPalabrumDoc& d) {
        d.Options().m_listPosition = kListTop;
        return true;
    };
    MarkOne();
    doc.OnCmdMsg(kCmdOptions);
    EXPECT_EQ(view.calls, (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(doc.GetMark(7), 1);  // options never touch the board
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(GameDocument, UnknownCommandsAreNotHandled) {
    EXPECT_FALSE(doc.OnCmdMsg(57665));
}

TEST_F(GameDocument, ResetBingoMessageKeepsTheOtherOptions) {
    auto& o = doc.Options();
    o.m_listPosition = kListTop;
    o.m_randomBoard = 1;
    o.m_boardColor = 0xFF00;
    o.SetBingoMessage(kCustomPicture);
    o.m_customPicturePath = u"/tmp/x.bmp";
    doc.ResetBingoMessage();
    EXPECT_EQ(doc.GetBingoMessage(), kBingoPicture);
    EXPECT_TRUE(o.m_customPicturePath.empty());
    EXPECT_EQ(o.m_listPosition, kListTop);
    EXPECT_EQ(o.m_randomBoard, 1);
    EXPECT_EQ(o.m_boardColor, 0xFF00u);
}

TEST_F(GameDocument, ShowErrorWithAbandonEndsTheCommandQuietly) {
    doc.ShowError(u"text", u"caption", false);
    EXPECT_EQ(port.boxes.size(), 1u);
    EXPECT_THROW(doc.ShowError(u"text", u"caption", true), CommandAbandoned);
    EXPECT_EQ(port.boxes.size(), 2u);
    EXPECT_EQ(port.boxes[1].kind, ShownBox::kError);
}

}  // namespace
}  // namespace palabrum
