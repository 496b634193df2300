// The state file: its bytes, its fallbacks, and saves that never lose a game.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numeric>

#include "model/archive.h"
#include "model/file_io.h"
#include "tests/support/session.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::DealtBuiltInListInOrder;
using testing::Session;
using testing::ShownBox;

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

// The fresh game, written out by hand: default options, the built-in list in
// list order, nothing marked.
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

// A started game with default options and the given board arrays, so that a
// board wrongly accepted shows as a game under way.
Bytes StartedGame(std::vector<std::u16string> words, std::vector<std::uint16_t> marks,
                  std::vector<std::uint16_t> order) {
    Bytes b;
    auto ar = Archive::Storing(b);
    PalabrumOptions().Serialize(ar);
    std::uint32_t started = 1;
    ar.StringArray(words);
    ar.U16Array(marks);
    ar.U16Array(order);
    ar.U32(started);
    return b;
}

// The order 0..size-1, its last entry replaced by `last` when given.
std::vector<std::uint16_t> Order(std::size_t size = kSquares, int last = -1) {
    std::vector<std::uint16_t> order(size);
    std::iota(order.begin(), order.end(), 0);
    if (last >= 0) order.back() = static_cast<std::uint16_t>(last);
    return order;
}

const ShownBox kSaveError{ShownBox::kError, u"Error saving state", u"Can't Save State"};

std::ptrdiff_t FilesIn(const std::filesystem::path& dir) {
    return std::distance(std::filesystem::directory_iterator(dir), {});
}

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

class StateFile : public ::testing::Test {
protected:
    std::filesystem::path path() const { return dir.File("Palabrum.dat"); }
    testing::TempDir dir;
};

TEST_F(StateFile, AFreshGameIsWrittenByteForByteAndReadBackAsTheSameGame) {
    const auto nested = dir.File("a") / "b" / "Palabrum.dat";  // a missing directory is created
    Session first(nested);
    EXPECT_TRUE(DealtBuiltInListInOrder(first.doc));
    EXPECT_EQ(first.doc.Options(), PalabrumOptions{});
    first.doc.OnFrameClosing();
    const Bytes bytes = ReadBytes(nested);
    EXPECT_EQ(bytes.size(), 712u);
    EXPECT_EQ(bytes, WorkedExample());
    EXPECT_TRUE(first.port.boxes.empty());
    EXPECT_EQ(FilesIn(dir.File("a") / "b"), 1);
    first.doc.SetMark(0, 1);
    EXPECT_TRUE(first.doc.ReadState(bytes));
    EXPECT_TRUE(DealtBuiltInListInOrder(first.doc));
}

// A saved game comes back whole after a restart. Cut at any offset, the file
// gives the built-in words and exactly the option fields complete in it.
TEST_F(StateFile, AGameSurvivesARestartAndACutFileKeepsTheCompleteOptionFields) {
    const PalabrumOptions options{kListTop, kCustomPicture, 1, std::u16string(300, u'\u00E9'), 0x00FFFF00};
    std::vector<std::u16string> words;
    {
        Session first(path());
        first.doc.Options() = options;
        first.doc.OnCmdMsg(kCmdNew);  // a random deal
        for (int s : {2, 7, 12, 17, 22}) first.doc.SetMark(s, 1);
        for (int s = 0; s < kSquares; ++s) words.push_back(first.doc.GetWord(s));
        first.doc.OnFrameClosing();
    }
    const Bytes saved = ReadBytes(path());
    {
        Session second(path());
        EXPECT_EQ(second.doc.Options(), options);
        for (int s = 0; s < kSquares; ++s) {
            EXPECT_EQ(second.doc.GetWord(s), words[static_cast<std::size_t>(s)]);
            EXPECT_EQ(second.doc.GetMark(s), s % 5 == 2 ? 1 : 0);
        }
        EXPECT_TRUE(second.doc.IsStarted());
        EXPECT_TRUE(second.doc.IsBingo());
        EXPECT_EQ(second.doc.GetBingoLineStart(), 2);
        EXPECT_EQ(second.doc.GetBingoLineStep(), 5);
        second.doc.OnFrameClosing();
        EXPECT_EQ(ReadBytes(path()), saved);
    }
    const std::size_t pathEnd = 14 + 2 * options.m_customPicturePath.size();  // past the longer length form
    for (std::size_t cut = 1; cut < saved.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        WriteBytes(path(), Bytes(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(cut)));
        Session run(path());
        PalabrumOptions kept;
        if (cut >= 2) kept.m_listPosition = options.m_listPosition;
        if (cut >= 4) kept.m_bingoMessage = options.m_bingoMessage;
        if (cut >= 8) kept.m_randomBoard = options.m_randomBoard;
        if (cut >= pathEnd) kept.m_customPicturePath = options.m_customPicturePath;
        if (cut >= pathEnd + 4) kept.m_boardColor = options.m_boardColor;
        EXPECT_EQ(run.doc.Options(), kept);
        EXPECT_TRUE(cut >= 8 || DealtBuiltInListInOrder(run.doc));  // from 8 bytes on, the deal is random
        for (int s = 0; s < kSquares; ++s) EXPECT_EQ(run.doc.GetMark(s), 0);
        EXPECT_FALSE(run.doc.IsStarted());
        EXPECT_TRUE(run.port.boxes.empty());
    }
}

TEST_F(StateFile, OnlyAWholeBoardInAFileOfAtMostOneMebibyteIsRead) {
    const auto words = BuiltInWordList();
    const std::vector<std::uint16_t> marks(kSquares);
    const Bytes started = StartedGame(words, marks, Order());
    Bytes trailing = started;
    trailing.insert(trailing.end(), {1, 2, 3, 0xFF});
    Bytes mebibyte = started;
    mebibyte.resize(1u << 20);  // a saved game is some 20 KB at most
    Bytes overMebibyte = mebibyte;
    overMebibyte.push_back(0);
    // The path's length becomes 0xFFFFFFF0 units, or the word count 0x7FFFFFFF, in some 700 bytes.
    Bytes hugePath = started;
    hugePath.erase(hugePath.begin() + 11);
    hugePath.insert(hugePath.begin() + 11, {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});
    Bytes hugeCount = started;
    hugeCount.erase(hugeCount.begin() + 16, hugeCount.begin() + 18);
    hugeCount.insert(hugeCount.begin() + 16, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});

    const std::tuple<const char*, Bytes, bool> cases[] = {
        {"a started game", started, true},
        {"trailing bytes", trailing, true},
        {"exactly 1 MiB", mebibyte, true},
        {"over 1 MiB", overMebibyte, false},
        {"empty", {}, false},
        {"24 words", StartedGame({words.begin(), words.end() - 1}, marks, Order()), false},
        {"24 marks", StartedGame(words, {marks.begin(), marks.end() - 1}, Order()), false},
        {"26 marks", StartedGame(words, std::vector<std::uint16_t>(26), Order()), false},
        {"24 in the order", StartedGame(words, marks, Order(24)), false},
        {"26 in the order", StartedGame(words, marks, Order(26)), false},
        {"a duplicate in the order", StartedGame(words, marks, Order(25, 3)), false},
        {"order beyond 24", StartedGame(words, marks, Order(25, 25)), false},
        {"unfilled order", StartedGame(words, marks, Order(25, 0xFFFF)), false},
        {"huge path length", hugePath, false},
        {"huge word count", hugeCount, false},
    };
    for (const auto& [what, bytes, read] : cases) {
        SCOPED_TRACE(what);
        WriteBytes(path(), bytes);
        Session run(path());
        EXPECT_TRUE(read ? run.doc.IsStarted() : DealtBuiltInListInOrder(run.doc));
        EXPECT_TRUE(run.port.boxes.empty());
    }
    Session directory(dir.Path());
    EXPECT_TRUE(DealtBuiltInListInOrder(directory.doc));
    EXPECT_TRUE(directory.port.boxes.empty());
}

// Read-only is the file's own mode, whoever we are, and a FIFO is neither
// waited on at the start nor replaced at the end.
TEST_F(StateFile, AFileThatMayNotBeWrittenIsReportedAndKeptByteForByteAndModeForMode) {
    WriteBytes(dir.File("notadir"), {1});
    const Bytes old = WorkedExample();
    WriteBytes(dir.File("readonly.dat"), old);
    ::chmod(dir.File("readonly.dat").c_str(), 0444);
    ASSERT_EQ(::mkfifo(dir.File("fifo.dat").c_str(), 0600), 0);
    for (const auto& path : {dir.File("notadir") / "Palabrum.dat", dir.File("readonly.dat"), dir.File("fifo.dat")}) {
        SCOPED_TRACE(path.string());
        Session run(path);
        EXPECT_TRUE(DealtBuiltInListInOrder(run.doc));
        run.doc.SetMark(0, 1);
        run.doc.OnFrameClosing();
        EXPECT_EQ(run.port.boxes, (std::vector<ShownBox>{kSaveError}));
    }
    EXPECT_EQ(ReadBytes(dir.File("readonly.dat")), old);
    EXPECT_EQ(ModeOf(dir.File("readonly.dat")), 0444u);
    EXPECT_EQ(std::filesystem::symlink_status(dir.File("fifo.dat")).type(), std::filesystem::file_type::fifo);
    EXPECT_EQ(FilesIn(dir.Path()), 3);
}

// Records how the save creates its temporary file.
struct OpenRecord {
    std::string name;
    int flags;
    mode_t mode;
};
class RecordingCalls : public SystemCalls {
public:
    int Open(const char* path, int flags, mode_t mode) override {
        opened.push_back({std::filesystem::path(path).filename(), flags, mode});
        return SystemCalls::Open(path, flags, mode);
    }
    std::vector<OpenRecord> opened;
};

TEST_F(StateFile, ASaveGoesThroughLinksToTheirFileAndNeverThroughAPlantedOne) {
    // Someone plants links where a temporary might go: the file they point at stays as it was.
    WriteBytes(dir.File("victim"), {1, 2, 3});
    std::filesystem::create_symlink(dir.File("victim"), dir.File("Palabrum.dat.tmp"));
    // The player keeps the game in a synced folder, behind a relative link.
    std::filesystem::create_directory(dir.File("synced"));
    WriteBytes(dir.File("synced") / "game.dat", {});
    ::chmod((dir.File("synced") / "game.dat").c_str(), 0600);
    std::filesystem::create_symlink("synced/game.dat", path());

    Session run(path());
    RecordingCalls calls;
    run.doc.SetSystemCalls(calls);
    run.doc.SetMark(6, 1);
    run.doc.OnFrameClosing();
    run.doc.OnFrameClosing();
    EXPECT_TRUE(run.port.boxes.empty());
    EXPECT_EQ(ReadBytes(dir.File("victim")), (Bytes{1, 2, 3}));
    EXPECT_TRUE(std::filesystem::is_symlink(path()));
    EXPECT_EQ(std::filesystem::read_symlink(path()), "synced/game.dat");
    EXPECT_EQ(Session(path()).doc.GetMark(6), 1);
    EXPECT_EQ(ModeOf(dir.File("synced") / "game.dat"), 0600u);  // mode kept
    EXPECT_EQ(FilesIn(dir.File("synced")), 1);

    ASSERT_EQ(calls.opened.size(), 2u);
    for (const OpenRecord& open : calls.opened) {
        EXPECT_EQ(open.flags & (O_CREAT | O_EXCL | O_NOFOLLOW), O_CREAT | O_EXCL | O_NOFOLLOW);
        EXPECT_EQ(open.mode, 0600u);
        EXPECT_NE(open.name, "Palabrum.dat.tmp");
        EXPECT_NE(open.name, "game.dat.tmp");
    }
    EXPECT_NE(calls.opened[0].name, calls.opened[1].name);  // a fresh name each time
}

// Lets the save's system calls through until `budget` units are spent, one per
// byte written and one per other call. The call that finds nothing left fails
// and later ones go through. With `crash`, the failing call never returns.
struct Crash {};
class StoppingCalls : public SystemCalls {
public:
    StoppingCalls(std::size_t budget, bool crash) : m_budget(budget), m_crash(crash) {}
    int Open(const char* p, int flags, mode_t mode) override {
        return Stop(1) ? -1 : SystemCalls::Open(p, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (m_full) return Fail();
        const std::size_t n = std::min(size, m_budget);
        if (Stop(n)) return -1;
        if (n < size) {  // the disk is full: later writes fail, other calls go through
            m_full = true;
            m_budget = SIZE_MAX;
        }
        return SystemCalls::Write(fd, data, n);
    }
    int Fchmod(int fd, mode_t mode) override { return Stop(1) ? -1 : SystemCalls::Fchmod(fd, mode); }
    int Fsync(int fd) override { return Stop(1) ? -1 : SystemCalls::Fsync(fd); }
    int Close(int fd) override {
        const int result = SystemCalls::Close(fd);  // closed all the same, as the kernel would
        return Stop(1) ? -1 : result;
    }
    int Rename(const char* from, const char* to) override { return Stop(1) ? -1 : SystemCalls::Rename(from, to); }

private:
    int Fail() const {
        if (m_crash) throw Crash{};
        errno = ENOSPC;
        return -1;
    }
    bool Stop(std::size_t units) {
        if (m_budget > 0) {
            m_budget -= units;
            return false;
        }
        m_budget = SIZE_MAX;
        return Fail() < 0;
    }
    std::size_t m_budget;
    bool m_crash;
    bool m_full = false;
};

TEST_F(StateFile, ASaveFailingOrStoppedAtAnyPointLeavesTheOldFileOrTheNewOne) {
    const Bytes before = WorkedExample();
    Session next(path());
    next.doc.SetMark(12, 1);
    Bytes after;
    auto ar = Archive::Storing(after);
    next.doc.Serialize(ar);
    ASSERT_NE(before, after);

    std::size_t whole = 0;
    const std::size_t steps = 1 + after.size() + 4;  // open, every byte, fchmod, fsync, close, rename
    for (std::size_t budget = 0; budget <= steps; ++budget) {
        SCOPED_TRACE("budget " + std::to_string(budget));
        // A failing call (open, write, short write, fchmod, fsync, close, rename) is reported and keeps the
        // old file. (A stopped save below leaves its temporary, as a crash would: clear it first.)
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) std::filesystem::remove(entry);
        WriteBytes(path(), before);
        next.port.boxes.clear();
        StoppingCalls failing(budget, false);
        next.doc.SetSystemCalls(failing);
        next.doc.SaveState();
        const bool saved = budget == steps;
        EXPECT_EQ(ReadBytes(path()), saved ? after : before);
        EXPECT_EQ(next.port.boxes, saved ? std::vector<ShownBox>{} : std::vector<ShownBox>{kSaveError});
        EXPECT_EQ(FilesIn(dir.Path()), 1);  // no temporary left behind

        // A save that never finishes leaves a whole file, and the next start reads it.
        WriteBytes(path(), before);
        StoppingCalls crashing(budget, true);
        next.doc.SetSystemCalls(crashing);
        try {
            next.doc.SaveState();
        } catch (const Crash&) {
        }
        const Bytes found = ReadBytes(path());
        whole += found == before || found == after;
        Session restart(path());
        EXPECT_EQ(restart.doc.GetMark(12), found == after ? 1 : 0);
    }
    EXPECT_EQ(whole, steps + 1) << whole << " of " << steps + 1 << " stops left a whole file";
    std::printf("save stopped at each of %zu points: %zu of %zu left the old or the new file\n", steps + 1, whole,
                steps + 1);
}

}  // namespace
}  // namespace palabrum
