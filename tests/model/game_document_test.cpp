// The document's commands, its questions, and the hints the views receive.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/session.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::RecordingView;
using testing::Session;
using testing::ShownBox;
using Hints = std::vector<std::optional<DocumentChange>>;
using Kind = DocumentChange::Kind;

std::vector<std::uint16_t> Marks(const CPalabrumDoc& doc) {
    std::vector<std::uint16_t> marks;
    for (int s = 0; s < kSquares; ++s) marks.push_back(doc.GetMark(s));
    return marks;
}

class GameDocument : public ::testing::Test {
protected:
    std::filesystem::path StatePath() const { return dir.File("Palabrum.dat"); }
    testing::TempDir dir;
};

// A game in each state a command can find it in, and whether dropping it needs the player's word.
struct GameState {
    const char* what;
    std::function<void(CPalabrumDoc&)> play;
    bool asks;
};

TEST_F(GameDocument, NewAndBothListCommandsAskOnlyWhileAGameIsInPlay) {
    const GameState states[] = {
        {"freshly dealt", [](CPalabrumDoc&) {}, false},
        {"marked then unmarked", [](CPalabrumDoc& d) { d.SetMark(7, 1); d.SetMark(7, 0); }, true},
        {"nothing selected", [](CPalabrumDoc& d) { d.SetMarks({}); }, true},
        {"won", [](CPalabrumDoc& d) { for (int s = 0; s < 5; ++s) d.SetMark(s, 1); }, false},
    };
    const std::vector<ShownBox> question{{ShownBox::kQuestion, u"Cancel current game?", u"Cancel game?"}};
    for (int command : {kCmdNew, kCmdLoadDefaultList, kCmdLoadCustomList}) {
        for (const auto& state : states) {
            for (bool yes : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "command " << command << ", " << state.what << ", yes " << yes);
                Session g(StatePath());
                state.play(g.doc);
                const auto marks = Marks(g.doc);
                const bool started = g.doc.IsStarted();
                g.view.calls.clear();
                g.port.answers = {yes};
                EXPECT_TRUE(g.doc.OnCmdMsg(command));
                EXPECT_EQ(g.port.boxes, state.asks ? question : std::vector<ShownBox>{});

                // New and the built-in list start afresh; the list file dialog
                // is cancelled here, which keeps the game as it was.
                const bool goesOn = yes || !state.asks;
                const bool renewed = goesOn && command != kCmdLoadCustomList;
                EXPECT_EQ(g.port.newCommands, renewed ? 1 : 0);
                EXPECT_EQ(g.port.dialogs.size(), goesOn && command == kCmdLoadCustomList ? 1u : 0u);
                EXPECT_EQ(g.view.calls, renewed ? Hints{std::nullopt} : Hints{});
                EXPECT_EQ(Marks(g.doc), renewed ? std::vector<std::uint16_t>(kSquares) : marks);
                EXPECT_EQ(g.doc.IsStarted(), !renewed && started);
                EXPECT_TRUE(testing::DealtBuiltInListInOrder(g.doc) || !renewed);
            }
        }
    }
}

// Remembers the word on the first square at each initial update.
struct FirstWordView : DocumentView {
    explicit FirstWordView(CPalabrumDoc& d) : doc(d) {}
    void OnInitialUpdate() override { seen.push_back(doc.GetWord(0)); }
    void OnUpdate(const DocumentChange&) override {}
    CPalabrumDoc& doc;
    std::vector<std::u16string> seen;
};

TEST_F(GameDocument, LoadDefaultListDealsTheBuiltInWordsBeforeNew) {
    Session g(StatePath());
    g.port.filePicks = {dir.Write("list.txt", testing::NumberedLines(25))};
    g.doc.OnCmdMsg(kCmdLoadCustomList);
    std::vector<std::pair<std::u16string, std::u16string>> filters;
    for (const auto& f : g.port.dialogs.at(0)) filters.emplace_back(f.name, f.pattern);
    EXPECT_EQ(filters, (decltype(filters){{u"Text Files (*.txt)", u"*.txt"}, {u"All Files (*.*)", u"*.*"}}));
    ASSERT_EQ(g.doc.GetWord(0), u"w1");

    FirstWordView view(g.doc);
    g.doc.AddView(view);
    g.doc.OnCmdMsg(kCmdLoadDefaultList);
    g.doc.RemoveView(view);
    EXPECT_EQ(view.seen, std::vector<std::u16string>{u"proactive"});
    EXPECT_TRUE(testing::DealtBuiltInListInOrder(g.doc));
}

TEST_F(GameDocument, ViewsHearEachChangeAsOneHint) {
    Session g(StatePath());
    EXPECT_EQ(g.doc.GetTitle(), u"Palabrum!");
    g.doc.SetMark(7, 1);
    g.doc.SetMark(24, 0);
    EXPECT_EQ(g.view.calls, (Hints{DocumentChange::Square(7, true), DocumentChange::Square(24, false)}));

    g.view.calls.clear();
    const std::int32_t squares[] = {10, 11, 12, 13, 14};
    g.doc.SetMarks(squares);
    EXPECT_EQ(g.view.calls, Hints{DocumentChange{Kind::kMarksReplaced}});
    EXPECT_EQ(g.doc.GetMark(7), 0);
    EXPECT_EQ(g.doc.GetMark(12), 1);
    EXPECT_TRUE(g.doc.IsBingo());
}

TEST_F(GameDocument, OptionsNeverTouchTheBoardAndAreAnnouncedOnlyWhenAccepted) {
    Session g(StatePath());
    g.doc.SetMark(7, 1);
    g.view.calls.clear();
    EXPECT_TRUE(g.doc.OnCmdMsg(kCmdOptions));  // cancelled
    EXPECT_EQ(g.port.optionsRuns, 1);
    EXPECT_TRUE(g.view.calls.empty());

    g.port.optionsDialog = [](const PalabrumOptions& current) {
        OptionsChoice choice{current, std::make_unique<Picture>()};
        choice.options.m_randomBoard = 1;
        return std::optional(std::move(choice));
    };
    g.doc.OnCmdMsg(kCmdOptions);
    EXPECT_EQ(g.view.calls, Hints{DocumentChange{Kind::kOptionsChanged}});
    EXPECT_EQ(g.doc.Options().m_randomBoard, 1);
    EXPECT_FALSE(g.doc.PendingPicture().IsEmpty());
    EXPECT_EQ(g.doc.GetMark(7), 1);
    EXPECT_TRUE(g.port.boxes.empty());

    g.port.answers = {true};
    g.doc.OnCmdMsg(kCmdNew);  // the next game is the one dealt at random
    EXPECT_FALSE(testing::DealtBuiltInListInOrder(g.doc));
}

TEST_F(GameDocument, ErrorsResetsAndUnknownCommands) {
    Session g(StatePath());
    EXPECT_FALSE(g.doc.OnCmdMsg(57665));

    g.doc.ShowError(u"text", u"caption", false);
    EXPECT_THROW(g.doc.ShowError(u"text", u"caption", true), CommandAbandoned);
    const ShownBox box{ShownBox::kError, u"text", u"caption"};
    EXPECT_EQ(g.port.boxes, (std::vector<ShownBox>{box, box}));

    auto& o = g.doc.Options();
    o = {kListTop, kCustomPicture, 1, u"/tmp/x.bmp", 0xFF00};
    PalabrumOptions expected = o;
    expected.m_bingoMessage = kBingoPicture;
    expected.m_customPicturePath.clear();
    g.doc.ResetBingoMessage();
    EXPECT_EQ(o, expected);
}

}  // namespace
}  // namespace palabrum
