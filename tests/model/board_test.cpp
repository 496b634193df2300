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

bool InListOrder(const Board& board) {
    for (int s = 0; s < kSquares; ++s) {
        if (board.GetWord(s) != kBuiltInWords[static_cast<std::size_t>(s)]) return false;
    }
    return true;
}

TEST(BoardDeal, DealsInListOrderOrAsARandomPermutationAndEndsTheGame) {
    Board board = ListOrderBoard();
    EXPECT_TRUE(InListOrder(board));
    auto sorted = BuiltInWordList();
    std::sort(sorted.begin(), sorted.end());
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        SCOPED_TRACE(seed);
        Mark(board, {0, 1, 2, 3, 4});  // a won game, which the deal must end
        board.Redeal(true, Lcg(seed));
        std::vector<std::u16string> shown;
        for (int s = 0; s < kSquares; ++s) {
            shown.push_back(board.GetWord(s));
            EXPECT_EQ(board.GetMark(s), 0);
        }
        EXPECT_FALSE(InListOrder(board));
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, sorted);
        EXPECT_FALSE(board.IsStarted());
        EXPECT_FALSE(board.IsBingo());
    }
    board.Redeal(false, Lcg(0));
    EXPECT_TRUE(InListOrder(board));
}

TEST(BoardDeal, RandomPlacementDrawsAgainOnTakenSquares) {
    // Word 0 draws 27 -> square 2; word 1 draws 2 (taken), then 50 -> square 0;
    // every later word draws 0 (taken) until it draws its own free square.
    std::deque<std::uint32_t> draws{27, 2, 50};
    for (std::uint32_t i = 2; i < 25; ++i) draws.insert(draws.end(), {0, i == 2 ? 1 : i});
    Board board;
    board.Deal(BuiltInWordList(), true, [&draws] {
        const auto r = draws.at(0);  // throws once the script runs out
        draws.pop_front();
        return r;
    });
    EXPECT_EQ(board.GetWord(2), u"proactive");
    EXPECT_EQ(board.GetWord(0), u"fast track");
    EXPECT_EQ(board.GetWord(1), u"core competency");
    EXPECT_EQ(board.GetWord(3), u"utilize");
}

TEST(BoardMarks, EveryWriteStartsTheGameAndMarksBelongToWords) {
    Board board;
    board.Deal(BuiltInWordList(), true, Lcg(7));
    EXPECT_FALSE(board.SetMark(12, 0));
    EXPECT_TRUE(board.IsStarted());
    int squareOfWord5 = 0;
    while (board.GetWord(squareOfWord5) != kBuiltInWords[5]) ++squareOfWord5;
    ASSERT_NE(squareOfWord5, 5);  // the deal moved it, so a square number would be the wrong index
    board.SetMark(squareOfWord5, 1);

    // The marks array follows the words; entry 5 is the mark of word 5.
    Bytes bytes;
    auto out = Archive::Storing(bytes);
    board.Serialize(out);
    auto in = Archive::Loading(bytes);
    std::vector<std::u16string> words;
    std::vector<std::uint16_t> marks;
    in.StringArray(words);
    in.U16Array(marks);
    EXPECT_EQ(marks[5], 1);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 1);
}

struct LineCase {
    std::initializer_list<int> marked;
    bool bingo;
    int start;
    int step;
};

TEST(BingoTest, RecordsTheFirstCompleteLineInTestOrder) {
    const LineCase cases[] = {
        {{4, 8, 12, 16, 20}, true, 4, 4},                   // anti-diagonal
        {{0, 6, 12, 18, 24}, true, 0, 6},                   // main diagonal
        {{20, 21, 22, 23, 24}, true, 20, 1},                // last row
        {{4, 9, 14, 19, 24}, true, 4, 5},                   // last column
        {{15, 16, 17, 18, 19, 0, 5, 10, 20}, true, 15, 1},  // row 3 beats column 0
        {{5, 6, 7, 8, 9, 15, 16, 17, 18, 19}, true, 5, 1},  // row 1 beats row 3
        {{2, 7, 12, 17, 22, 0, 6, 18, 24}, true, 2, 5},     // column 2 beats the diagonal
        {{0, 6, 12, 18, 24, 4, 8, 16, 20}, true, 0, 6},     // main beats anti-diagonal
        // Corners, centre, most of row 0 and column 0: no line, and the last one tried stays.
        {{0, 4, 20, 24, 12, 1, 2, 5, 10}, false, 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "line " << c.start << "/" << c.step);
        Board board = ListOrderBoard();
        Mark(board, c.marked);
        EXPECT_EQ(board.IsBingo(), c.bingo);
        EXPECT_EQ(board.LineStart(), c.start);
        EXPECT_EQ(board.LineStep(), c.step);
    }
}

TEST(BingoTest, OnlyTheLow16BitsOfAMarkCount) {
    Board board = ListOrderBoard();
    for (int s = 10; s < 15; ++s) board.SetMark(s, 0x10000u + static_cast<unsigned>(s));
    EXPECT_TRUE(board.IsBingo());
    EXPECT_EQ(board.GetMark(14), 14);
    EXPECT_FALSE(board.SetMark(12, 0x10000u));  // clears the square, and with it the only line
    EXPECT_FALSE(board.IsBingo());
}

}  // namespace
}  // namespace palabrum
