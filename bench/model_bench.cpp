// Timings of the game model: dealing, marking, the state file in memory and on
// disk, reading a word list, and decoding the bingo pictures.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "model/archive.h"
#include "model/board.h"
#include "model/file_io.h"
#include "model/game_document.h"
#include "model/word_list.h"
#include "model/bingo_pictures.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace {

using palabrum::Archive;
using palabrum::Board;
using palabrum::Bytes;
using palabrum::CPalabrumDoc;
using palabrum::testing::ScriptedPort;
using palabrum::testing::TempDir;

// The same cheap generator the program's port would be replaced by in a test:
// the deal's cost, not the generator's, is what is measured.
palabrum::RandomSource Lcg() {
    return [seed = std::uint32_t{12345}]() mutable {
        seed = seed * 1664525u + 1013904223u;
        return seed;
    };
}

// A game under way: the built-in words dealt at random, a few squares marked
// (no line), and a custom picture path, so that every field of the record has
// something in it.
struct GameInProgress {
    TempDir dir;
    ScriptedPort port;
    CPalabrumDoc doc{port, dir.File("Palabrum.dat")};

    GameInProgress() {
        port.doc = &doc;
        doc.Options().m_randomBoard = 1;
        doc.Options().m_customPicturePath = u"/home/player/Pictures/bingo-40x40.bmp";
        doc.NewDocument();
        for (int square : {0, 6, 8, 12, 17}) doc.SetMark(square, 1);
    }
};

// Syncing to the disk is most of a file save. This seam drops the sync of the
// file itself; the sync of its folder after the rename is not behind the seam
// and still happens, so the two costs can be told apart.
class NoFileSyncCalls : public palabrum::SystemCalls {
public:
    int Fsync(int) override { return 0; }
};

// Argument 0 deals in list order, 1 at random.
void BM_Deal(benchmark::State& state) {
    const auto words = palabrum::BuiltInWordList();
    const auto random = Lcg();
    const bool randomOrder = state.range(0) != 0;
    Board board;
    for (auto _ : state) {
        board.Deal(words, randomOrder, random);
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_Deal)->ArgName("random")->Arg(0)->Arg(1);

// One mark and the bingo test that follows it, alternately set and cleared so
// the board stays as it was. The other marks leave four of row 2 set: the
// test walks every line and finds none complete.
void BM_SetMark(benchmark::State& state) {
    Board board;
    board.Deal(palabrum::BuiltInWordList(), false, Lcg());
    for (int square : {10, 11, 13, 14, 2, 22}) board.SetMark(square, 1);
    std::uint32_t value = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.SetMark(12, value));
        value ^= 1;
    }
}
BENCHMARK(BM_SetMark);

void BM_StateEncode(benchmark::State& state) {
    GameInProgress game;
    std::size_t size = 0;
    for (auto _ : state) {
        Bytes bytes;
        auto ar = Archive::Storing(bytes);
        game.doc.Serialize(ar);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_StateEncode);

void BM_StateDecode(benchmark::State& state) {
    GameInProgress game;
    Bytes bytes;
    auto ar = Archive::Storing(bytes);
    game.doc.Serialize(ar);
    GameInProgress reader;
    for (auto _ : state) {
        if (!reader.doc.ReadState(bytes)) state.SkipWithError("ReadState refused its own bytes");
    }
}
BENCHMARK(BM_StateDecode);

// Save plus load of the whole state, in memory: what a close and the next
// start spend on the record itself.
void BM_StateEncodeDecode(benchmark::State& state) {
    GameInProgress game;
    GameInProgress reader;
    for (auto _ : state) {
        Bytes bytes;
        auto ar = Archive::Storing(bytes);
        game.doc.Serialize(ar);
        if (!reader.doc.ReadState(bytes)) state.SkipWithError("ReadState refused its own bytes");
    }
}
BENCHMARK(BM_StateEncodeDecode);

void BM_WriteFileAtomically(benchmark::State& state) {
    GameInProgress game;
    Bytes bytes;
    auto ar = Archive::Storing(bytes);
    game.doc.Serialize(ar);
    const auto path = game.dir.File("written.dat");
    for (auto _ : state) {
        if (!palabrum::WriteFileAtomically(path, bytes)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteFileAtomically)->Unit(benchmark::kMicrosecond);

void BM_SaveDocumentFile(benchmark::State& state) {
    GameInProgress game;
    const auto path = game.dir.File("saved.dat");
    for (auto _ : state) {
        if (!game.doc.SaveDocumentFile(path)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveDocumentFile)->Unit(benchmark::kMicrosecond);

void BM_SaveDocumentFileNoFileSync(benchmark::State& state) {
    GameInProgress game;
    NoFileSyncCalls calls;
    game.doc.SetSystemCalls(calls);
    const auto path = game.dir.File("saved.dat");
    for (auto _ : state) {
        if (!game.doc.SaveDocumentFile(path)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveDocumentFileNoFileSync)->Unit(benchmark::kMicrosecond);

void BM_LoadStateFile(benchmark::State& state) {
    GameInProgress game;
    game.doc.SaveState();
    GameInProgress reader;
    CPalabrumDoc doc(reader.port, game.doc.GetStatePath());
    for (auto _ : state) {
        doc.LoadState();
        benchmark::DoNotOptimize(doc.GetBoard());
    }
    if (doc.GetMark(12) != game.doc.GetMark(12) || doc.GetWord(0) != game.doc.GetWord(0))
        state.SkipWithError("the state file did not come back");
}
BENCHMARK(BM_LoadStateFile)->Unit(benchmark::kMicrosecond);

// Save plus load through the state file, as a close and the next start do it.
void BM_SaveLoadStateFile(benchmark::State& state) {
    GameInProgress game;
    GameInProgress reader;
    CPalabrumDoc doc(reader.port, game.doc.GetStatePath());
    for (auto _ : state) {
        game.doc.SaveState();
        doc.LoadState();
    }
    if (!game.port.boxes.empty()) state.SkipWithError("a save failed");
}
BENCHMARK(BM_SaveLoadStateFile)->Unit(benchmark::kMicrosecond);

void BM_SaveLoadStateFileNoFileSync(benchmark::State& state) {
    GameInProgress game;
    NoFileSyncCalls calls;
    game.doc.SetSystemCalls(calls);
    GameInProgress reader;
    CPalabrumDoc doc(reader.port, game.doc.GetStatePath());
    for (auto _ : state) {
        game.doc.SaveState();
        doc.LoadState();
    }
    if (!game.port.boxes.empty()) state.SkipWithError("a save failed");
}
BENCHMARK(BM_SaveLoadStateFileNoFileSync)->Unit(benchmark::kMicrosecond);

void BM_ReadWordList(benchmark::State& state) {
    std::string text;
    for (auto word : palabrum::kBuiltInWords) {
        text.append(word.begin(), word.end());
        text += "\r\n";
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    for (auto _ : state) {
        const auto list = palabrum::ReadWordList({bytes, text.size()}, u"list.txt");
        if (!list.ok()) state.SkipWithError("the list was refused");
        benchmark::DoNotOptimize(list.words.data());
    }
}
BENCHMARK(BM_ReadWordList);

// 200 MB of blank lines: no list, but the verdict needs the size bound only.
void BM_RefuseHugeWordListFile(benchmark::State& state) {
    TempDir dir;
    const auto path = dir.File("blank.txt");
    {
        std::ofstream out(path, std::ios::binary);
        const std::string block(1 << 20, '\n');
        for (int i = 0; i < 200; ++i) out << block;
    }
    for (auto _ : state) {
        const auto list = palabrum::ReadWordListFile(path);
        if (list.ok()) state.SkipWithError("a file of blank lines was taken");
        benchmark::DoNotOptimize(list.error.data());
    }
}
BENCHMARK(BM_RefuseHugeWordListFile)->Unit(benchmark::kMillisecond);

void BM_DecodeBuiltInPicture(benchmark::State& state) {
    const auto file = palabrum::BuiltInPictureFile(palabrum::kBingoPictureId);
    for (auto _ : state) {
        const auto decoded = palabrum::DecodeBmp(file);
        if (!decoded.picture) state.SkipWithError("refused");
        benchmark::DoNotOptimize(decoded.picture.get());
    }
}
BENCHMARK(BM_DecodeBuiltInPicture);

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v);
    Put16(out, v >> 16);
}

// A player's picture: 40 by 40, 24 bits, bottom-up, rows of 120 bytes (no padding needed).
Bytes TrueColourBmp() {
    constexpr std::uint32_t kRow = 40 * 3;
    constexpr std::uint32_t kOffset = 14 + 40;
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, kOffset + kRow * 40);
    Put32(b, 0);
    Put32(b, kOffset);
    Put32(b, 40);      // header size
    Put32(b, 40);      // width
    Put32(b, 40);      // height
    Put16(b, 1);       // planes
    Put16(b, 24);      // bits per pixel
    Put32(b, 0);       // uncompressed
    Put32(b, kRow * 40);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            b.push_back(static_cast<std::uint8_t>(x * 6));
            b.push_back(static_cast<std::uint8_t>(y * 6));
            b.push_back(static_cast<std::uint8_t>((x + y) * 3));
        }
    }
    return b;
}

void BM_DecodeTrueColourPicture(benchmark::State& state) {
    const Bytes file = TrueColourBmp();
    for (auto _ : state) {
        const auto decoded = palabrum::DecodeBmp(file);
        if (!decoded.picture) state.SkipWithError("refused");
        benchmark::DoNotOptimize(decoded.picture.get());
    }
}
BENCHMARK(BM_DecodeTrueColourPicture);

}  // namespace

BENCHMARK_MAIN();
