#include "board.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <utility>

#include "archive.h"

namespace palabrum {

namespace {
// A card repeating an earlier one is dealt again; a source that keeps
// repeating itself this often is not random at all.
constexpr int kMaxRedeals = 1000;

bool IsPermutationOfSquares(const std::vector<std::uint16_t>& order) {
    std::array<bool, kSquares> seen{};
    for (auto index : order) {
        if (index >= kSquares || seen[index]) return false;
        seen.at(index) = true;  // at(): were the bound above ever wrong, this throws instead of writing past
    }
    return order.size() == kSquares;
}
}  // namespace

WordOrder RandomWordOrder(const RandomSource& random) {
    WordOrder order;
    order.fill(-1);
    for (int i = 0; i < kSquares; ++i) {
        std::uint32_t square = random() % kSquares;
        while (order[square] >= 0) square = random() % kSquares;
        order[square] = i;
    }
    return order;
}

std::vector<WordOrder> DealCards(int count, const RandomSource& random) {
    if (count < 0 || !random) return {};
    std::set<WordOrder> seen;
    std::vector<WordOrder> cards;
    cards.reserve(static_cast<std::size_t>(count));
    while (static_cast<int>(cards.size()) < count) {
        WordOrder order;
        int deals = 0;
        do {
            if (deals++ == kMaxRedeals) return {};
            order = RandomWordOrder(random);
        } while (!seen.insert(order).second);
        cards.push_back(order);
    }
    return cards;
}

void Board::Deal(const std::vector<std::u16string>& words, bool randomOrder, const RandomSource& random) {
    // Copy first: `words` may be our own m_words (Redeal).
    std::vector<std::u16string> dealt(words.begin(), words.begin() + kSquares);
    m_words = std::move(dealt);
    m_marks.assign(kSquares, 0);
    m_started = 0;
    m_bingo = 0;
    WordOrder order;
    if (randomOrder) order = RandomWordOrder(random);
    else std::iota(order.begin(), order.end(), 0);
    m_order.assign(order.begin(), order.end());
}

void Board::Redeal(bool randomOrder, const RandomSource& random) {
    Deal(m_words, randomOrder, random);
}

bool Board::SetMark(int square, std::uint32_t value) {
    m_marks[m_order[square]] = static_cast<std::uint16_t>(value);
    m_started = 1;
    return CheckBingo();
}

bool Board::CheckLine(int start, int step) {
    m_lineStart = start;
    m_lineStep = step;
    for (int k = 0; k < kSide; ++k) {
        if (GetMark(start + k * step) == 0) return false;
    }
    return true;
}

bool Board::CheckBingo() {
    m_bingo = 0;
    for (int start = 0; start < kSquares && !m_bingo; start += kSide) m_bingo = CheckLine(start, 1);
    for (int start = 0; start < kSide && !m_bingo; ++start) m_bingo = CheckLine(start, kSide);
    if (!m_bingo) m_bingo = CheckLine(0, kSide + 1) || CheckLine(kSide - 1, kSide - 1);
    return m_bingo != 0;
}

int Board::MostMarksInALine() const {
    if (m_words.empty()) return 0;
    const auto marks = [&](int start, int step) {
        int count = 0;
        for (int k = 0; k < kSide; ++k) count += GetMark(start + k * step) != 0;
        return count;
    };
    int most = std::max(marks(0, kSide + 1), marks(kSide - 1, kSide - 1));
    for (int i = 0; i < kSide; ++i) most = std::max({most, marks(i * kSide, 1), marks(i, kSide)});
    return most;
}

void Board::Serialize(Archive& ar) {
    if (!ar.IsLoading()) {
        ar.StringArray(m_words);
        ar.U16Array(m_marks);
        ar.U16Array(m_order);
        ar.U32(m_started);
        return;
    }
    // Read into a scratch board so that a damaged record changes nothing here.
    Board loaded;
    ar.StringArray(loaded.m_words);
    ar.U16Array(loaded.m_marks);
    ar.U16Array(loaded.m_order);
    ar.U32(loaded.m_started);
    if (loaded.m_words.size() != kSquares || loaded.m_marks.size() != kSquares ||
        !IsPermutationOfSquares(loaded.m_order)) {
        throw ArchiveError("board record does not hold 25 words in a valid order");
    }
    loaded.CheckBingo();
    *this = std::move(loaded);
}

}  // namespace palabrum
