// The game: the board, the document's commands and its views' hints, word lists, and the state file and its saves.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <set>

#include "model/ascii.h"
#include "model/archive.h"
#include "model/file_io.h"
#include "model/word_list.h"
#include "tests/support/session.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using namespace testing;
using Hints = std::vector<std::optional<DocumentChange>>;

TEST(BingoTest, RecordsTheFirstCompleteLineInTestOrder) {
    const std::tuple<std::vector<int>, bool, int, int> cases[] = {
        {{4, 8, 12, 16, 20}, true, 4, 4},                   // anti-diagonal
        {{20, 21, 22, 23, 24, 0, 5, 10, 15}, true, 20, 1},  // the last row beats column 0
        {{4, 9, 14, 19, 24, 0, 6, 12, 18}, true, 4, 5},     // the last column beats the diagonal
        {{0, 6, 12, 18, 24, 4, 8, 16, 20}, true, 0, 6},     // main beats anti-diagonal
        {{0, 1, 2, 3, 5, 10, 15, 6, 12, 18}, false, 4, 4},  // four of row 0, column 0, diagonal: the last tried stays
    };
    for (const auto& [marked, bingo, start, step] : cases) {
        Board board;
        board.Deal(BuiltInWordList(), false, {});
        for (int s : marked) board.SetMark(s, 1);
        EXPECT_EQ(std::tuple(board.IsBingo(), board.LineStart(), board.LineStep()), std::tuple(bingo, start, step));
    }
}

struct GameDocument : ::testing::Test {
    std::filesystem::path path() const { return dir.File("Palabrum.dat"); }
    testing::TempDir dir;
    Session g{dir.File("new") / "game.dat"};
};

TEST_F(GameDocument, NewAndBothListCommandsAskOnlyWhileAGameIsInPlay) {
    // States a game can be in, and whether dropping it asks; the player says No and cancels the list dialog.
    const std::tuple<const char*, void (*)(CPalabrumDoc&), bool> states[] = {
        {"freshly dealt", [](CPalabrumDoc&) {}, false},
        {"marked then unmarked", [](CPalabrumDoc& d) { d.SetMark(7, 1), d.SetMark(7, 0); }, true},
        {"won", [](CPalabrumDoc& d) { d.SetMarks(std::vector<std::int32_t>{0, 1, 2, 3, 4}); }, false}};
    const std::vector<ShownBox> question{{ShownBox::kQuestion, u"Cancel current game?", u"Cancel game?"}};
    for (int command : {kCmdNew, kCmdLoadDefaultList, kCmdLoadCustomList}) {
        for (const auto& [what, play, asks] : states) {
            SCOPED_TRACE(::testing::Message() << "command " << command << ", " << what);
            Session s(path());
            play(s.doc);
            const bool started = s.doc.IsStarted(), renewed = !asks && command != kCmdLoadCustomList;
            EXPECT_TRUE(s.doc.OnCmdMsg(command));
            EXPECT_EQ(s.port.boxes, asks ? question : std::vector<ShownBox>{});
            EXPECT_EQ(s.port.newCommands, renewed ? 1 : 0);
            EXPECT_EQ(s.port.dialogs.size(), !asks && command == kCmdLoadCustomList ? 1u : 0u);
            EXPECT_EQ(s.doc.IsStarted(), !renewed && started);
        }
    }
}

TEST_F(GameDocument, ViewsHearEachChangeAsOneHintAndOptionsOnlyWhenAccepted) {
    g.doc.SetMark(7, 1);
    g.doc.SetMark(24, 0);
    g.doc.SetMarks(std::vector<std::int32_t>{10, 11, 12, 13, 14});
    EXPECT_EQ(g.view.calls, (Hints{DocumentChange::Square(7, true), DocumentChange::Square(24, false),
                                   DocumentChange{DocumentChange::Kind::kMarksReplaced}}));
    EXPECT_TRUE(g.doc.GetMark(7) == 0 && g.doc.IsBingo());

    g.view.calls.clear();
    EXPECT_TRUE(g.doc.OnCmdMsg(kCmdOptions));  // cancelled: nothing to tell
    g.port.optionsDialog = [](PalabrumOptions options) {
        options.m_randomBoard = 1;
        return std::optional(OptionsChoice{options, std::make_unique<Picture>()});
    };
    g.doc.OnCmdMsg(kCmdOptions);
    EXPECT_EQ(g.view.calls, Hints{DocumentChange{DocumentChange::Kind::kOptionsChanged}});
    EXPECT_FALSE(g.doc.PendingPicture().IsEmpty());
    EXPECT_EQ(g.doc.GetMark(12), 1);

    // Dealt at random: word 0 draws 27, square 2; word 1 draws 2 (taken), then 50: square 0; word 2 0, then 1.
    g.port.draws = {27, 2, 50, 0, 1};
    g.doc.OnCmdMsg(kCmdNew);
    for (int s : {0, 1, 2}) EXPECT_EQ(g.doc.GetWord(s), kBuiltInWords[(s + 1) % 3]) << s;
    for (int s : {2, 7, 12, 17, 22}) g.doc.SetMark(s, 1);  // marks belong to squares, whatever word they hold
    g.doc.OnFrameClosing();  // into a folder made for it
    Session restart(dir.File("new") / "game.dat");
    EXPECT_TRUE(restart.doc.GetWord(3) == g.doc.GetWord(3) && restart.doc.IsBingo());
    EXPECT_EQ(std::pair(restart.doc.GetBingoLineStart(), restart.doc.GetBingoLineStep()), std::pair(2, 5));
}

// A FIFO is not waited on. (The fuzz target checks the reading rules against a plain reader.)
TEST_F(GameDocument, EveryRefusedListShowsOneBoxAndKeepsTheGameAndAGoodOneIsDealt) {
    const auto missing = dir.File("missing.txt"), fifo = dir.File("fifo.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto huge = dir.Write("huge.txt", std::string(kMaxWordListBytes + 1, '\n'));
    const std::pair<std::filesystem::path, std::u16string> cases[] = {
        {missing, u"Error reading " + missing.u16string()},
        {fifo, u"Error reading " + fifo.u16string()},
        {huge, huge.u16string() + u" is too large for a word list."},
        // A name that is not UTF-8 reaches the file, and shows as best it can.
        {dir.Write("caf\xE9.txt", "w\n\x80"), (dir.Path() / "caf").u16string() + u"\uFFFD.txt is not a text file"},
        {dir.Write("r\xC3\xA9union.txt", NumberedLines(3)), u"List has 3 lines.\n(I need 25.)"},
    };
    g.doc.SetMark(3, 1);
    g.view.calls.clear();
    for (const auto& [file, text] : cases) {
        SCOPED_TRACE(file.string());
        g.port.boxes.clear();
        g.port.answers = {true};
        g.port.filePicks = {file};
        EXPECT_TRUE(g.doc.OnCmdMsg(kCmdLoadCustomList));
        EXPECT_EQ(g.port.boxes.at(1), (ShownBox{ShownBox::kError, text, u"File Read Error"}));
        EXPECT_TRUE(g.doc.GetMark(3) == 1 && g.doc.IsStarted() && g.view.calls.empty());
    }
    g.port.answers = {true};
    g.port.filePicks = {dir.Write("good.txt", NumberedLines(25, "\xC3\xADtem \xF0\x9F\x98\x80 "))};  // UTF-8
    g.doc.OnCmdMsg(kCmdLoadCustomList);
    std::vector<std::pair<std::u16string, std::u16string>> filters;
    for (const auto& f : g.port.dialogs.at(0)) filters.emplace_back(f.name, f.pattern);
    EXPECT_EQ(filters, (decltype(filters){{u"Text Files (*.txt)", u"*.txt"}, {u"All Files (*.*)", u"*.*"}}));
    EXPECT_EQ(g.view.calls, Hints{DocumentChange{DocumentChange::Kind::kListLoaded}});
    g.doc.OnCmdMsg(kCmdNew);  // a new game keeps the words, and so does the state file
    g.doc.SaveState();
    const Session next(dir.File("new") / "game.dat");
    for (int s = 0; s < kSquares; ++s)
        EXPECT_TRUE(g.doc.GetWord(s) == u"\u00EDtem \U0001F600 " + Ascii(std::to_string(s + 1)) &&
                    next.doc.GetWord(s) == g.doc.GetWord(s)) << s;
    g.doc.OnCmdMsg(kCmdLoadDefaultList);
    EXPECT_TRUE(DealtBuiltInListInOrder(g.doc));
    EXPECT_EQ(g.doc.GetWord(19), u"best interest(s))");  // as shipped, the stray parenthesis and all
}

// The fresh game written out by hand: default options, the built-in list in list order, no marks.
// From the end: the started flag (4 bytes), the order and the marks (each a count and 25 entries).
Bytes WorkedExample(std::uint8_t started = 0) {
    Bytes b{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0, 0, 0, 0, 0, 0x19, 0};
    for (auto word : kBuiltInWords) {
        b.insert(b.end(), {0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(word.size())});
        for (char16_t c : word) b.insert(b.end(), {static_cast<std::uint8_t>(c), 0});
    }
    b.insert(b.end(), {0x19, 0});
    b.insert(b.end(), 50, 0);
    b.insert(b.end(), {0x19, 0});
    for (std::uint8_t i = 0; i < 25; ++i) b.insert(b.end(), {i, 0});
    b.insert(b.end(), {started, 0, 0, 0});
    return b;
}

class StateFile : public GameDocument {};

// Opening a saved game holds the state file's bounds too, all or nothing. Each edit is made to the worked
// example as a game under way, so that a board wrongly accepted shows.
TEST_F(StateFile, OnlyAWholeBoardInAFileOfAtMostOneMebibyteIsReadOrOpened) {
    const std::pair<void (*)(Bytes&), bool> cases[] = {
        {[](Bytes&) {}, true},
        {[](Bytes& b) { b.resize(kMaxStateFileBytes); }, true},  // bytes after the board are ignored
        {[](Bytes& b) { b.resize(kMaxStateFileBytes + 1); }, false},
        {[](Bytes& b) { b.clear(); }, false},
        {[](Bytes& b) { b[16] = 26, b.insert(b.begin() + 18, {0xFF, 0xFE, 0xFF, 0}); }, false},  // 26 words
        {[](Bytes& b) { b[b.size() - 108] = 26, b.insert(b.end() - 56, {0, 0}); }, false},     // 26 marks
        {[](Bytes& b) { b[b.size() - 56] = 24, b.erase(b.end() - 6, b.end() - 4); }, false},   // 24 in order
        {[](Bytes& b) { b[b.size() - 56] = 26, b.insert(b.end() - 4, {25, 0}); }, false},      // 26 in order
        {[](Bytes& b) { b[b.size() - 6] = 3; }, false},   // 3 twice in the order
        {[](Bytes& b) { b[b.size() - 6] = 25; }, false},  // 25 in the order
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(&row - cases);
        const auto& [edit, read] = row;
        Bytes bytes = WorkedExample(1);
        edit(bytes);
        dir.Write("Palabrum.dat", {bytes.begin(), bytes.end()});
        Session run(path());
        EXPECT_TRUE(read ? run.doc.IsStarted() : DealtBuiltInListInOrder(run.doc));
        EXPECT_TRUE(run.port.boxes.empty());
        Session other(dir.File("other.dat"));
        EXPECT_EQ(other.doc.OpenDocumentFile(path()), read);
        EXPECT_EQ(other.doc.IsStarted(), read);
    }
}

// Fails the save's system call number `failAt`, and only that one. Writes take at most 100
// bytes a call, and a failing one reports an error or, in turn, nothing written.
struct FailingCalls : SystemCalls {
    explicit FailingCalls(int failAt) : m_left(failAt), m_writesNothing(failAt % 2 == 0) {}
    int Open(const char* path, int flags, mode_t mode) override {
        opened.emplace_back(std::filesystem::path(path).filename(), flags, mode);
        return Fails() ? -1 : SystemCalls::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        return Fails() ? (m_writesNothing ? 0 : -1) : SystemCalls::Write(fd, data, std::min<std::size_t>(size, 100));
    }
    int Fchmod(int fd, mode_t mode) override { return Fails() ? -1 : SystemCalls::Fchmod(fd, mode); }
    int Fsync(int fd) override { return Fails() ? -1 : SystemCalls::Fsync(fd); }
    int Close(int fd) override {
        const int result = SystemCalls::Close(fd);  // closed all the same, as the kernel does
        return Fails() ? -1 : result;
    }
    int Rename(const char* from, const char* to) override { return Fails() ? -1 : SystemCalls::Rename(from, to); }
    bool Fails() {
        if (m_left-- != 0) return false;
        errno = EIO;
        return true;
    }
    int m_left;
    bool m_writesNothing;
    std::vector<std::tuple<std::string, int, mode_t>> opened;  // each temporary's name, flags and mode
};

// A fresh game saved over a started one behind a relative link, as in a synced folder: through the link, to the
// worked layout, keeping the file's mode and owner. Last, a read-only file: kept, even by root.
TEST_F(StateFile, ASaveThroughALinkFailingAtAnyCallKeepsTheOldFile) {
    const auto game = dir.File("synced") / "game.dat";
    std::filesystem::create_directory(dir.File("synced"));
    std::filesystem::create_symlink("synced/game.dat", path());
    const bool root = ::geteuid() == 0;  // only root may keep another's ownership
    Session fresh(path());
    const Bytes before = WorkedExample(1), after = WorkedExample();
    const std::vector<ShownBox> error{{ShownBox::kError, u"Error saving state", u"Can't Save State"}};
    const int calls = 1 + static_cast<int>(after.size() + 99) / 100 + 4;  // open, writes, fchmod, fsync, close, rename
    std::set<std::string> names;
    for (int failAt = 0; failAt <= calls + 1; ++failAt) {
        SCOPED_TRACE(::testing::Message() << "call " << failAt << " fails");
        dir.Write("synced/game.dat", {before.begin(), before.end()});
        const mode_t kept = failAt > calls ? 0444 : 0640;
        ::chmod(game.c_str(), kept);
        ASSERT_TRUE(!root || ::chown(game.c_str(), 4321, 4322) == 0);
        fresh.port.boxes.clear();
        FailingCalls failing(failAt);
        fresh.doc.SetSystemCalls(failing);
        fresh.doc.SaveState();
        const bool saved = failAt == calls;
        std::ifstream in(path(), std::ios::binary);
        EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), saved ? after : before);
        EXPECT_EQ(fresh.port.boxes, saved ? std::vector<ShownBox>{} : error);
        EXPECT_EQ(std::filesystem::read_symlink(path()), "synced/game.dat");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("synced")), {}), 1);  // no temporary
        EXPECT_LE(failing.opened.size(), 1u);  // one temporary a save
        struct stat info {};
        ::stat(game.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, kept);
        EXPECT_TRUE(!root || (info.st_uid == 4321 && info.st_gid == 4322));
        for (const auto& [name, flags, mode] : failing.opened) {
            EXPECT_EQ(flags & (O_CREAT | O_EXCL | O_NOFOLLOW), O_CREAT | O_EXCL | O_NOFOLLOW);
            EXPECT_EQ(mode, 0600u);
            EXPECT_TRUE(names.insert(name).second) << name;  // a fresh temporary name each time
        }
    }
}

}  // namespace
}  // namespace palabrum
