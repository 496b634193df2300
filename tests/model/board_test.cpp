// Dealing, marking and the bingo test with its recorded line.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <initializer_list>

#include "model/archive.h"
#include "model/board.h"
#include "model/word_list.h"

namespace palabrum {
namespace {

RandomSource Sequence(std::deque<std::uint32_t> draws) {
    return [draws = std::move(draws)]() mutable {
        const auto r = draws.empty() ? 0u : draws.front();
        if (!draws.empty()) draws.pop_front();
        return r;
    };
}

RandomSource Lcg(std::uint32_t seed) {
    return [seed]() mutable { return seed = seed * 1103515245u + 12345u; };
}

Board ListOrderBoard() {
    Board board;
    board.Deal(BuiltInWordList(), false, Lcg(1));
    return board;
}

void Mark(Board& board, std::initializer_list<int> squares) {
    for (int s : squares) board.SetMark(s, 1);
}

TEST(BoardDeal, ListOrderPutsWordIOnSquareI) {
    const Board board = ListOrderBoard();
    EXPECT_EQ(board.GetWord(0), u"proactive");
    EXPECT_EQ(board.GetWord(19), u"best interest(s))");
    EXPECT_EQ(board.GetWord(24), u"mindset");
    EXPECT_FALSE(board.IsStarted());
    EXPECT_FALSE(board.IsBingo());
}

TEST(BoardDeal, RandomDealsArePermutationsWithNoMarks) {
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        Board board = ListOrderBoard();
        board.SetMark(3, 1);
        board.Deal(BuiltInWordList(), true, Lcg(seed));
        std::vector<std::u16string> shown;
        for (int s = 0; s < kSquares; ++s) {
            shown.push_back(board.GetWord(s));
            EXPECT_EQ(board.GetMark(s), 0);
        }
        std::sort(shown.begin(), shown.end());
        auto words = BuiltInWordList();
        std::sort(words.begin(), words.end());
        EXPECT_EQ(shown, words) << "seed " << seed;
        EXPECT_FALSE(board.IsStarted());
    }
}

TEST(BoardDeal, RandomPlacementDrawsAgainOnTakenSquares) {
    // Word 0 draws 27 -> square 2; word 1 draws 2 (taken), then 50 -> square 0;
    // every later word draws 0 (taken) until it draws its own free square.
    std::deque<std::uint32_t> draws{27, 2, 50};
    for (std::uint32_t i = 2; i < 25; ++i) {
        draws.push_back(0);
        const std::uint32_t free = i == 2 ? 1 : i;  // squares 0 and 2 are taken
        draws.push_back(free);
    }
    Board board;
    board.Deal(BuiltInWordList(), true, Sequence(draws));
    EXPECT_EQ(board.GetWord(2), u"proactive");
    EXPECT_EQ(board.GetWord(0), u"fast track");
    EXPECT_EQ(board.GetWord(1), u"core competency");
    EXPECT_EQ(board.GetWord(3), u"utilize");
}

TEST(BoardMarks, MarksBelongToWordsNotSquares) {
    Board board;
    board.Deal(BuiltInWordList(), true, Lcg(7));
    int squareOfWord5 = -1;
    for (int s = 0; s < kSquares; ++s) {
        if (board.GetWord(s) == u"enable") squareOfWord5 = s;
    }
    ASSERT_GE(squareOfWord5, 0);
    board.SetMark(squareOfWord5, 1);
    Bytes bytes;
    auto out = Archive::Storing(bytes);
    board.Serialize(out);
    // The marks array sits after the words; entry 5 is the mark of word 5.
    auto in = Archive::Loading(bytes);
    std::vector<std::u16string> words;
    std::vector<std::uint16_t> marks;
    in.StringArray(words);
    in.U16Array(marks);
    EXPECT_EQ(marks[5], 1);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 1);
}

TEST(BoardMarks, EveryMarkWriteStartsTheGame) {
    Board board = ListOrderBoard();
    EXPECT_FALSE(board.SetMark(12, 0));
    EXPECT_TRUE(board.IsStarted());
    EXPECT_EQ(board.GetMark(12), 0);
}

TEST(BoardMarks, RedealKeepsWordsAndClearsEverything) {
    Board board;
    board.Deal(BuiltInWordList(), true, Lcg(3));
    Mark(board, {0, 1, 2, 3, 4});
    ASSERT_TRUE(board.IsBingo());
    board.Redeal(false, Lcg(3));
    EXPECT_FALSE(board.IsStarted());
    EXPECT_FALSE(board.IsBingo());
    for (int s = 0; s < kSquares; ++s) {
        EXPECT_EQ(board.GetWord(s), kBuiltInWords[static_cast<std::size_t>(s)]);
        EXPECT_EQ(board.GetMark(s), 0);
    }
}

struct LineCase {
    std::initializer_list<int> marked;
    int start;
    int step;
};

TEST(BingoTest, RecordsTheFirstCompleteLineInTestOrder) {
    const LineCase cases[] = {
        {{4, 8, 12, 16, 20}, 4, 4},                                 // anti-diagonal
        {{0, 6, 12, 18, 24}, 0, 6},                                 // main diagonal
        {{20, 21, 22, 23, 24}, 20, 1},                              // last row
        {{4, 9, 14, 19, 24}, 4, 5},                                 // last column
        {{15, 16, 17, 18, 19, 0, 5, 10, 20}, 15, 1},                // row 3 beats column 0
        {{5, 6, 7, 8, 9, 15, 16, 17, 18, 19}, 5, 1},                // row 1 beats row 3
        {{2, 7, 12, 17, 22, 0, 6, 18, 24}, 2, 5},                   // column 2 beats the diagonal
        {{0, 6, 12, 18, 24, 4, 8, 16, 20}, 0, 6},                   // main beats anti-diagonal
    };
    for (const auto& c : cases) {
        Board board = ListOrderBoard();
        Mark(board, c.marked);
        EXPECT_TRUE(board.IsBingo());
        EXPECT_EQ(board.LineStart(), c.start);
        EXPECT_EQ(board.LineStep(), c.step);
    }
}

TEST(BingoTest, NoOtherPatternCounts) {
    Board board = ListOrderBoard();
    Mark(board, {0, 4, 20, 24, 12, 1, 2, 5, 10});  // corners, centre, most of row 0 and column 0
    EXPECT_FALSE(board.IsBingo());
    EXPECT_EQ(board.LineStart(), 4);  // a failed test leaves the last line tried
    EXPECT_EQ(board.LineStep(), 4);
}

TEST(BingoTest, ClearingASquareOfTheOnlyLineEndsTheBingo) {
    Board board = ListOrderBoard();
    Mark(board, {10, 11, 12, 13, 14});
    ASSERT_TRUE(board.IsBingo());
    EXPECT_FALSE(board.SetMark(12, 0));
    EXPECT_FALSE(board.IsBingo());
    EXPECT_TRUE(board.IsStarted());
}

TEST(BingoTest, AnyNonZeroMarkCounts) {
    Board board = ListOrderBoard();
    for (int s = 0; s < 5; ++s) board.SetMark(s, 0x10000u + static_cast<unsigned>(s) + 1);  // low 16 bits kept
    EXPECT_TRUE(board.IsBingo());
    EXPECT_EQ(board.GetMark(4), 5);
}

TEST(BoardRecord, RoundTripRebuildsTheBingo) {
    Board board;
    board.Deal(BuiltInWordList(), true, Lcg(11));
    Mark(board, {3, 8, 13, 18, 23, 0});
    Bytes bytes;
    auto out = Archive::Storing(bytes);
    board.Serialize(out);

    Board back;
    auto in = Archive::Loading(bytes);
    back.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    for (int s = 0; s < kSquares; ++s) {
        EXPECT_EQ(back.GetWord(s), board.GetWord(s));
        EXPECT_EQ(back.GetMark(s), board.GetMark(s));
    }
    EXPECT_TRUE(back.IsStarted());
    EXPECT_TRUE(back.IsBingo());
    EXPECT_EQ(back.LineStart(), 3);
    EXPECT_EQ(back.LineStep(), 5);
}

}  // namespace
}  // namespace palabrum
