// The state file: its bytes, its fallbacks, and saves that never lose a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "model/archive.h"
#include "model/file_io.h"
#include "model/game_document.h"
#include "model/word_list.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::ShownBox;

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

// One run of the program against a state file: start-up reads it, Close() writes it.
struct Session {
    explicit Session(const std::filesystem::path& statePath) : doc(port, statePath) {
        port.doc = &doc;
        doc.AddView(view);
        doc.NewDocument();
    }
    void Close() { doc.OnFrameClosing(); }

    testing::ScriptedPort port;
    CPalabrumDoc doc;
    testing::RecordingView view;
};

bool DealtBuiltInListInOrder(const CPalabrumDoc& doc) {
    for (int s = 0; s < kSquares; ++s) {
        if (doc.GetWord(s) != kBuiltInWords[static_cast<std::size_t>(s)] || doc.GetMark(s) != 0) return false;
    }
    return !doc.IsStarted();
}

// The fresh game: default options, the built-in list in list order, nothing marked.
Bytes WorkedExample() {
    Bytes b{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0, 0, 0, 0, 0, 0x19, 0};
    for (auto word : kBuiltInWords) {
        b.insert(b.end(), {0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(word.size())});
        for (char16_t c : word) b.insert(b.end(), {static_cast<std::uint8_t>(c), 0});
    }
    b.insert(b.end(), {0x19, 0});
    b.insert(b.end(), 50, 0);
    b.insert(b.end(), {0x19, 0});
    for (std::uint8_t i = 0; i < 25; ++i) b.insert(b.end(), {i, 0});
    b.insert(b.end(), 4, 0);
    return b;
}

class StateFile : public ::testing::Test {
protected:
    std::filesystem::path path() const { return dir.File("Palabrum.dat"); }
    testing::TempDir dir;
};

TEST_F(StateFile, FirstRunDealsTheBuiltInListAndWritesTheWorkedExample) {
    Session first(path());
    EXPECT_TRUE(DealtBuiltInListInOrder(first.doc));
    EXPECT_EQ(first.doc.Options(), PalabrumOptions{});
    first.Close();
    const Bytes bytes = ReadBytes(path());
    EXPECT_EQ(bytes.size(), 712u);
    EXPECT_EQ(bytes, WorkedExample());
    EXPECT_TRUE(first.port.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("Palabrum.dat.tmp")));
}

TEST_F(StateFile, TheWorkedExampleReadsBackAsTheSameGame) {
    WriteBytes(path(), WorkedExample());
    Session run(path());
    EXPECT_TRUE(DealtBuiltInListInOrder(run.doc));
    run.Close();
    EXPECT_EQ(ReadBytes(path()), WorkedExample());
}

TEST_F(StateFile, GameMarksAndOptionsSurviveARestart) {
    {
        Session first(path());
        auto& o = first.doc.Options();
        o.m_listPosition = kListTop;
        o.SetBingoMessage(kCustomPicture);
        o.m_randomBoard = 1;
        o.m_customPicturePath = std::u16string(300, u'\u00E9');
        o.m_boardColor = 0x00FFFF00;
        first.port.answers = {true};
        first.doc.OnCmdMsg(kCmdNew);  // a random deal
        first.doc.SetMark(6, 1);
        first.Close();
    }
    const Bytes saved = ReadBytes(path());
    // A path of 300 characters takes the longer length form: FF, then a u16.
    EXPECT_EQ((Bytes(saved.begin() + 8, saved.begin() + 14)), (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));

    Session second(path());
    EXPECT_EQ(second.doc.Options().m_listPosition, kListTop);
    EXPECT_EQ(second.doc.Options().m_customPicturePath, std::u16string(300, u'\u00E9'));
    EXPECT_EQ(second.doc.Options().m_boardColor, 0x00FFFF00u);
    EXPECT_EQ(second.doc.GetMark(6), 1);
    EXPECT_TRUE(second.doc.IsStarted());
    // Still in play: New asks before dropping it.
    second.doc.OnCmdMsg(kCmdNew);
    EXPECT_EQ(second.port.boxes.size(), 1u);
    second.Close();
    EXPECT_EQ(ReadBytes(path()), saved);
}

TEST_F(StateFile, ABingoIsRebuiltOnLoad) {
    {
        Session first(path());
        for (int s : {2, 7, 12, 17, 22}) first.doc.SetMark(s, 1);
        first.Close();
    }
    Session second(path());
    EXPECT_TRUE(second.doc.IsBingo());
    EXPECT_EQ(second.doc.GetBingoLineStart(), 2);
    EXPECT_EQ(second.doc.GetBingoLineStep(), 5);
}

TEST_F(StateFile, EmptyMissingAndDirectoryStateFilesFallBackSilently) {
    WriteBytes(path(), {});
    Session empty(path());
    EXPECT_TRUE(DealtBuiltInListInOrder(empty.doc));

    std::filesystem::create_directory(dir.File("adir"));
    Session directory(dir.File("adir"));
    EXPECT_TRUE(DealtBuiltInListInOrder(directory.doc));
    EXPECT_TRUE(empty.port.boxes.empty());
    EXPECT_TRUE(directory.port.boxes.empty());
}

TEST_F(StateFile, AFileOverOneMebibyteIsNotReadAtAll) {
    Bytes bytes = WorkedExample();
    bytes[712 - 4] = 1;
    WriteBytes(path(), bytes);
    EXPECT_TRUE(Session(path()).doc.IsStarted());
    bytes.resize((1u << 20) + 1);  // a saved game is some 20 KB at most
    WriteBytes(path(), bytes);
    EXPECT_FALSE(Session(path()).doc.IsStarted());
}

TEST_F(StateFile, TrailingBytesAreIgnored) {
    Bytes bytes = WorkedExample();
    bytes[712 - 4] = 1;  // started
    bytes.insert(bytes.end(), {1, 2, 3, 0xFF});
    WriteBytes(path(), bytes);
    Session run(path());
    EXPECT_TRUE(run.doc.IsStarted());
}

// A saved file with every option set, cut at each offset: every run falls back
// to the built-in list, and exactly the option fields complete in it are kept.
TEST_F(StateFile, AFileCutAtAnyOffsetKeepsTheCompleteOptionFields) {
    PalabrumOptions saved;
    saved.m_listPosition = kListTop;
    saved.SetBingoMessage(kBullPicture);
    saved.m_randomBoard = 1;
    saved.m_customPicturePath = u"/pics/a.bmp";
    saved.m_boardColor = 0xFF;
    {
        Session first(path());
        first.doc.Options() = saved;
        first.doc.SetMark(0, 1);
        first.Close();
    }
    const Bytes full = ReadBytes(path());
    const std::size_t pathEnd = 12 + 2 * saved.m_customPicturePath.size();

    for (std::size_t cut = 1; cut < full.size(); ++cut) {
        WriteBytes(path(), Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)));
        Session run(path());
        const auto& o = run.doc.Options();
        SCOPED_TRACE("cut at " + std::to_string(cut));
        EXPECT_EQ(o.m_listPosition, cut >= 2 ? kListTop : kListLeft);
        EXPECT_EQ(o.m_bingoMessage, cut >= 4 ? kBullPicture : kBingoPicture);
        EXPECT_EQ(o.m_randomBoard, cut >= 8 ? 1 : 0);
        EXPECT_EQ(o.m_customPicturePath, cut >= pathEnd ? saved.m_customPicturePath : u"");
        EXPECT_EQ(o.m_boardColor, cut >= pathEnd + 4 ? 0xFFu : 0u);
        EXPECT_FALSE(run.doc.IsStarted());
        if (cut < 8) {
            EXPECT_TRUE(DealtBuiltInListInOrder(run.doc));
        }
        for (int s = 0; s < kSquares; ++s) EXPECT_EQ(run.doc.GetMark(s), 0);
        EXPECT_TRUE(run.port.boxes.empty());
    }
}

// Offsets into the worked example.
constexpr std::size_t kWordsCount = 16;
constexpr std::size_t kMarksCount = 712 - 4 - 52 - 52;
constexpr std::size_t kOrderCount = 712 - 4 - 52;

Bytes WithCount(std::size_t at, std::uint8_t count) {
    Bytes b = WorkedExample();
    b[at] = count;
    b[712 - 4] = 1;  // started, so a wrongly accepted board would show
    return b;
}

TEST_F(StateFile, BoardsWithoutTwentyFiveEntriesOrAPermutationAreRefused) {
    Bytes duplicate = WithCount(kOrderCount, 25);
    duplicate[kOrderCount + 2 + 2 * 24] = 3;  // square 24 shows word 3 again
    Bytes outOfRange = WithCount(kOrderCount, 25);
    outOfRange[kOrderCount + 2 + 2 * 24] = 25;
    Bytes unfilled = WithCount(kOrderCount, 25);
    unfilled[kOrderCount + 2 + 2 * 24] = 0xFF;
    unfilled[kOrderCount + 3 + 2 * 24] = 0xFF;

    const std::pair<const char*, Bytes> damaged[] = {
        {"marks count 24", WithCount(kMarksCount, 24)},
        {"marks count 26", WithCount(kMarksCount, 26)},
        {"order count 24", WithCount(kOrderCount, 24)},
        {"words count 0", WithCount(kWordsCount, 0)},
        {"duplicate order", duplicate},
        {"order beyond 24", outOfRange},
        {"unfilled order", unfilled},
    };
    for (const auto& [what, bytes] : damaged) {
        WriteBytes(path(), bytes);
        Session run(path());
        EXPECT_TRUE(DealtBuiltInListInOrder(run.doc)) << what;
    }
}

TEST_F(StateFile, HugeDeclaredLengthsFailAtOnce) {
    Bytes hugePath = WorkedExample();
    // The path's length becomes FF FF FF then 0xFFFFFFF0 units, in a 700-byte file.
    hugePath.erase(hugePath.begin() + 11);
    hugePath.insert(hugePath.begin() + 11, {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});
    Bytes hugeCount = WorkedExample();
    hugeCount.erase(hugeCount.begin() + kWordsCount, hugeCount.begin() + kWordsCount + 2);
    hugeCount.insert(hugeCount.begin() + kWordsCount, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    for (const Bytes& bytes : {hugePath, hugeCount}) {
        WriteBytes(path(), bytes);
        Session run(path());
        EXPECT_TRUE(DealtBuiltInListInOrder(run.doc));
    }
}

TEST_F(StateFile, AMissingDirectoryIsCreated) {
    const auto nested = dir.File("a") / "b" / "Palabrum.dat";
    Session run(nested);
    run.Close();
    EXPECT_EQ(ReadBytes(nested), WorkedExample());
    EXPECT_TRUE(run.port.boxes.empty());
}

const ShownBox kSaveError{ShownBox::kError, u"Error saving state", u"Can't Save State"};

TEST_F(StateFile, AStateFileThatCannotBeCreatedIsReported) {
    WriteBytes(dir.File("notadir"), {1});
    Session run(dir.File("notadir") / "Palabrum.dat");
    run.Close();
    EXPECT_EQ(run.port.boxes, (std::vector<ShownBox>{kSaveError}));
}

// System calls that fail at one chosen step of the save.
class FailingCalls : public SystemCalls {
public:
    enum Step { kOpen, kWrite, kShortWrite, kFsync, kClose, kRename };
    explicit FailingCalls(Step step) : m_step(step) {}

    int Open(const char* p, int flags, mode_t mode) override {
        return m_step == kOpen ? Fail(ENOSPC) : SystemCalls::Open(p, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (m_step == kWrite) return Fail(ENOSPC);
        if (m_step == kShortWrite) {
            if (m_wrote) return Fail(ENOSPC);  // the disk filled up after part of the file
            m_wrote = true;
            return SystemCalls::Write(fd, data, size / 2);
        }
        return SystemCalls::Write(fd, data, size);
    }
    int Fsync(int fd) override { return m_step == kFsync ? Fail(EIO) : SystemCalls::Fsync(fd); }
    int Close(int fd) override {
        const int result = SystemCalls::Close(fd);
        return m_step == kClose ? Fail(EIO) : result;
    }
    int Rename(const char* from, const char* to) override {
        return m_step == kRename ? Fail(EXDEV) : SystemCalls::Rename(from, to);
    }

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }
    Step m_step;
    bool m_wrote = false;
};

TEST_F(StateFile, AFailedSaveKeepsThePreviousFileAndSaysSo) {
    {
        Session first(path());
        first.doc.SetMark(12, 1);
        first.Close();
    }
    const Bytes previous = ReadBytes(path());
    for (auto step : {FailingCalls::kOpen, FailingCalls::kWrite, FailingCalls::kShortWrite, FailingCalls::kFsync,
                      FailingCalls::kClose, FailingCalls::kRename}) {
        SCOPED_TRACE("failing step " + std::to_string(step));
        Session run(path());
        FailingCalls calls(step);
        run.doc.SetSystemCalls(calls);
        run.doc.SetMark(0, 1);  // a change the failed save must not half-write
        run.Close();
        EXPECT_EQ(run.port.boxes, (std::vector<ShownBox>{kSaveError}));
        EXPECT_EQ(ReadBytes(path()), previous);
        EXPECT_FALSE(std::filesystem::exists(dir.File("Palabrum.dat.tmp")));
    }
}

// The process dies at some point of the save: after `budget` bytes have gone
// out, the next system call never returns.
struct Crash {};
class CrashingCalls : public SystemCalls {
public:
    explicit CrashingCalls(std::size_t budget) : m_budget(budget) {}
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (m_budget == 0) throw Crash{};
        const std::size_t n = std::min(size, m_budget);
        m_budget -= n;
        return SystemCalls::Write(fd, data, n);
    }
    int Fsync(int fd) override { return Survive() ? SystemCalls::Fsync(fd) : 0; }
    int Close(int fd) override {
        SystemCalls::Close(fd);  // the kernel closes a dead process's files too
        Survive();
        return 0;
    }
    int Rename(const char* from, const char* to) override { return Survive() ? SystemCalls::Rename(from, to) : 0; }

private:
    bool Survive() {
        if (m_budget == 0) throw Crash{};
        --m_budget;  // each later step costs one unit, so every step can be the last
        return true;
    }
    std::size_t m_budget;
};

TEST_F(StateFile, ASaveStoppedAtAnyPointLeavesTheOldFileOrTheNewOne) {
    {
        Session first(path());
        first.Close();
    }
    const Bytes before = ReadBytes(path());
    Session next(path());
    next.doc.SetMark(12, 1);
    Bytes after;
    auto ar = Archive::Storing(after);
    next.doc.Serialize(ar);
    ASSERT_NE(before, after);

    std::size_t whole = 0;
    const std::size_t steps = after.size() + 4;  // every byte, then fsync, close and rename
    for (std::size_t budget = 0; budget <= steps; ++budget) {
        WriteBytes(path(), before);
        CrashingCalls calls(budget);
        next.doc.SetSystemCalls(calls);
        try {
            next.doc.SaveState();
        } catch (const Crash&) {
        }
        const Bytes found = ReadBytes(path());
        whole += found == before || found == after;
        // The next start reads a whole game, whatever the temporary holds.
        Session restart(path());
        EXPECT_EQ(restart.doc.GetMark(12), found == after ? 1 : 0);
    }
    EXPECT_EQ(whole, steps + 1) << whole << " of " << steps + 1 << " stops left a whole file";
    std::printf("save stopped at each of %zu points: %zu of %zu left the old or the new file\n", steps + 1, whole,
                steps + 1);
}

}  // namespace
}  // namespace palabrum
