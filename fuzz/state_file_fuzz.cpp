// Fuzzes the state-file reader. The state file is whatever the disk hands back
// at start-up, so any bytes at all must leave a playable board: a refused file
// changes no square, and an accepted one saves and restores unchanged.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/require.h"
#include "model/archive.h"
#include "model/board.h"
#include "model/game_document.h"
#include "model/palabrum_options.h"
#include "tests/support/scripted_port.h"

namespace palabrum {
namespace {

// A document as the program has it after start-up with no saved game: the
// empty path never names a file, so StartGame deals the built-in list.
struct Game {
    testing::ScriptedPort port;
    CPalabrumDoc doc{port, std::filesystem::path()};

    Game() { doc.StartGame(); }
};

// Everything a player can see of the board, read through the document.
struct Seen {
    std::array<std::u16string, kSquares> words;
    std::array<std::uint16_t, kSquares> marks{};
    bool started = false;
    bool bingo = false;
    int lineStart = 0;
    int lineStep = 0;

    bool operator==(const Seen&) const = default;
};

Seen Look(const CPalabrumDoc& doc) {
    Seen seen;
    for (int square = 0; square < kSquares; ++square) {
        seen.words[square] = doc.GetWord(square);
        seen.marks[square] = doc.GetMark(square);
    }
    seen.started = doc.IsStarted();
    seen.bingo = doc.IsBingo();
    seen.lineStart = doc.GetBingoLineStart();
    seen.lineStep = doc.GetBingoLineStep();
    return seen;
}

struct Line {
    int start;
    int step;
};

// The twelve lines in the order the bingo test tries them.
constexpr std::array<Line, 12> kLines = {{
    {0, 1}, {5, 1}, {10, 1}, {15, 1}, {20, 1},
    {0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5},
    {0, 6}, {4, 4},
}};

bool Complete(const Seen& seen, Line line) {
    for (int k = 0; k < kSide; ++k) {
        if (seen.marks[line.start + k * line.step] == 0) return false;
    }
    return true;
}

// The bingo flag must say whether any line is complete, and the line shown
// must be the first complete one, so the strike-through lands on marked squares.
void CheckBingo(const Seen& seen) {
    const Line* first = nullptr;
    for (const auto& line : kLines) {
        if (Complete(seen, line)) {
            first = &line;
            break;
        }
    }
    REQUIRE(seen.bingo == (first != nullptr));
    if (first) {
        REQUIRE(seen.lineStart == first->start);
        REQUIRE(seen.lineStep == first->step);
    }
}

Bytes Save(CPalabrumDoc& doc) {
    Bytes bytes;
    auto ar = Archive::Storing(bytes);
    doc.Serialize(ar);
    return bytes;
}

}  // namespace
}  // namespace palabrum

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace palabrum;

    Game game;
    const Seen dealt = Look(game.doc);
    const bool accepted = game.doc.ReadState(std::span<const std::uint8_t>(data, size));
    const Seen seen = Look(game.doc);
    CheckBingo(seen);

    if (!accepted) {
        // Options read before the damage may have changed; the board may not.
        REQUIRE(seen == dealt);
        return 0;
    }

    // What we write must read back as the same game and write the same bytes,
    // or a game would drift a little with every start of the program.
    const Bytes first = Save(game.doc);
    Game restored;
    REQUIRE(restored.doc.ReadState(first));
    REQUIRE(Look(restored.doc) == seen);
    REQUIRE(restored.doc.Options() == game.doc.Options());
    REQUIRE(Save(restored.doc) == first);

    // Play on the restored board: marking every square is a bingo on the top row.
    for (int square = 0; square < kSquares; ++square) restored.doc.SetMark(square, 1);
    const Seen full = Look(restored.doc);
    CheckBingo(full);
    REQUIRE(full.bingo && full.lineStart == 0 && full.lineStep == 1);
    REQUIRE(full.words == seen.words);
    return 0;
}
