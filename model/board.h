// The board: 25 words dealt onto a 5 by 5 grid, their marks, and the bingo test.
//
// Squares are numbered 0..24 row by row from the top left. Marks belong to
// words, not squares: the mark of square s is the mark of the word dealt onto
// it. Square numbers are the caller's to keep in range; nothing here checks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace palabrum {

class Archive;

inline constexpr int kSquares = 25;
inline constexpr int kSide = 5;

// Supplies the unsigned 32-bit draws of a random deal.
using RandomSource = std::function<std::uint32_t()>;

// The index of the word on each square, square by square.
using WordOrder = std::array<int, kSquares>;

// A random order, drawn as every deal of the game draws it: word i goes to a
// uniformly chosen free square, drawing again on a taken one.
WordOrder RandomWordOrder(const RandomSource& random);

// `count` random orders, no two alike, as for a stack of cards to hand out.
// Empty when `random` is empty or keeps repeating earlier orders.
std::vector<WordOrder> DealCards(int count, const RandomSource& random);

class Board {
public:
    // Deals 25 words (word i first) in list order, or at random squares with
    // draws from `random`. Clears every mark and the started and bingo flags.
    void Deal(const std::vector<std::u16string>& words, bool randomOrder, const RandomSource& random);
    // Deals the board's own words again.
    void Redeal(bool randomOrder, const RandomSource& random);

    std::u16string GetWord(int square) const { return m_words[m_order[square]]; }
    std::uint16_t GetMark(int square) const { return m_marks[m_order[square]]; }
    // Stores the mark (low 16 bits), counts the game as started, and returns
    // the result of a fresh bingo test.
    bool SetMark(int square, std::uint32_t value);

    // Records the line, then tells whether all five of its squares are marked.
    bool CheckLine(int start, int step);
    // Tests rows, columns, the main and the anti-diagonal in that order and
    // records the first complete line.
    bool CheckBingo();

    // The most marked squares in any one row, column or diagonal, 0 to 5: how
    // near the board is to a bingo.
    int MostMarksInALine() const;

    bool IsStarted() const { return m_started != 0; }
    bool IsBingo() const { return m_bingo != 0; }
    int LineStart() const { return m_lineStart; }
    int LineStep() const { return m_lineStep; }
    const std::vector<std::u16string>& Words() const { return m_words; }

    // Reads or writes the board record. A record whose arrays do not hold 25
    // entries, or whose order is no permutation of 0..24, throws ArchiveError
    // and leaves the board as it was.
    void Serialize(Archive& ar);

private:
    std::vector<std::u16string> m_words;
    std::vector<std::uint16_t> m_marks;
    std::vector<std::uint16_t> m_order;
    std::int32_t m_started = 0;
    std::int32_t m_bingo = 0;
    std::int32_t m_lineStart = 0;
    std::int32_t m_lineStep = 0;
};

}  // namespace palabrum
