// Reading the player's word lists, and what a refused file leaves behind.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <utility>

#include "model/word_list.h"
#include "tests/support/session.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::NumberedLines;
using testing::ShownBox;
using testing::U16;

std::string Repeat(const std::string& text, int times) {
    std::string out;
    while (times-- > 0) out += text;
    return out;
}

std::u16string TooLong(const std::string& line) { return u"Line too long: " + U16(line); }
std::u16string Has(int lines) { return U16("List has " + std::to_string(lines) + " lines.\n(I need 25.)"); }
const std::u16string kMore = u"More than 25 lines.";
const std::u16string kNotText = u"/lists/meeting.txt is not a text file";

struct ReadCase {
    std::string what;
    std::string bytes;
    std::u16string error;                                     // empty when the list is read
    std::vector<std::pair<int, std::u16string>> words = {};  // some of the words read, by index
};

TEST(WordListFormat, ReadsOrNamesTheFirstProblemInFileOrder) {
    std::string windows;
    for (int i = 1; i <= 25; ++i) windows += "phrase " + std::to_string(i) + (i < 25 ? "\r\n" : "");
    const std::string x240(240, 'x');
    const std::string x241(241, 'x');
    std::vector<ReadCase> cases = {
        {"CR LF, no final LF", windows, u"", {{0, u"phrase 1"}, {24, u"phrase 25"}}},
        {"blank lines skipped, blanks and tabs kept",
         "\n\r\n\n  padded  \n\t\nleft\tright\n\x7f\n" + NumberedLines(21) + "\n\n", u"",
         {{0, u"  padded  "}, {1, u" "}, {2, u"left right"}, {3, u"\x7f"}, {4, u"w1"}}},
        {"CR dropped inside a line", NumberedLines(24) + "a\rb\r\r", u"", {{24, u"ab"}}},
        {"duplicates", Repeat("same\n", 25), u""},
        {"240 characters", x240 + "\n" + NumberedLines(24), u"", {{0, U16(x240)}}},
        {"CR not counted", x240.substr(120) + "\r\r" + x240.substr(120) + "\n" + NumberedLines(24), u""},
        {"241 characters", NumberedLines(3) + std::string(300, 'x') + "\n", TooLong(x241)},
        {"CR-only file", "a\rb\rc\r", Has(1)},
        {"CR-only long file", Repeat("word\r", 70), TooLong(Repeat("word", 61).substr(0, 241))},
        {"empty", "", Has(0)},
        {"24 lines", NumberedLines(24), Has(24)},
        {"26 lines", NumberedLines(26), kMore},
        {"26th line without LF", NumberedLines(25) + "last", kMore},
        {"5 million LFs", std::string(5'000'000, '\n'), Has(0)},  // memory stays bounded
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + NumberedLines(25), kNotText},
        {"UTF-16", std::string("\xFF\xFEw\0", 4), kNotText},
        {"26th line before a bad byte", NumberedLines(26) + "\x01", kMore},
        {"bad byte before a long line", "\x02" + std::string(300, 'x'), kNotText},
        {"long line before a bad byte", x241 + "\x02", TooLong(x241)},
        {"long 26th line", NumberedLines(25) + x241, TooLong(x241)},  // it never ends
    };
    for (int b : {0, 1, 8, 11, 12, 14, 31, 128, 0xE9, 0xFF}) {
        cases.push_back({"byte " + std::to_string(b), NumberedLines(2) + static_cast<char>(b) + "\n", kNotText});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto list = ReadWordList(
            {reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()}, u"/lists/meeting.txt");
        EXPECT_EQ(list.error, c.error);
        EXPECT_EQ(list.words.size(), c.error.empty() ? 25u : 0u);
        if (!list.ok()) continue;
        for (const auto& [i, word] : c.words) EXPECT_EQ(list.words[static_cast<std::size_t>(i)], word);
    }
}

// Loading through the document: the error box, and a game left as it was.
class LoadCustomList : public ::testing::Test {
protected:
    testing::TempDir dir;
    testing::Session g{dir.File("state.dat")};
};

// Nothing that is not a regular file is ever waited on: a FIFO with no
// writer, a socket, a terminal-like device are refused at once.
TEST_F(LoadCustomList, EveryRefusalShowsOneBoxAndKeepsTheGame) {
    const auto missing = dir.File("missing.txt");
    const auto binary = dir.Write("binary.txt", NumberedLines(5) + "caf\xE9\n");
    const auto accented = dir.Write("r\xC3\xA9union.txt", NumberedLines(3));
    const auto fifo = dir.File("fifo.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto socket = dir.File("socket.txt");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    socket.native().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // A file past the size bound is refused without being read to its end,
    // unless an earlier verdict is known.
    const auto huge = dir.Write("huge.txt", std::string(kMaxWordListBytes + 1, '\n'));
    const auto hugeTail = dir.Write("huge-tail.txt", NumberedLines(26) + std::string(kMaxWordListBytes, '\n'));
    const auto latin1 = dir.Write("caf\xE9.txt", NumberedLines(4) + "\x01");
    const std::pair<std::filesystem::path, std::u16string> cases[] = {
        {missing, u"Error reading " + missing.u16string()},
        {dir.Path(), u"Error reading " + dir.Path().u16string()},
        {fifo, u"Error reading " + fifo.u16string()},
        {socket, u"Error reading " + socket.u16string()},
        {"/dev/tty", u"Error reading /dev/tty"},
        {huge, huge.u16string() + u" is too large for a word list."},
        {hugeTail, kMore},
        // A name that is not UTF-8 reaches the file, and shows as best it can.
        {latin1, (dir.Path() / "caf").u16string() + u"\uFFFD.txt is not a text file"},
        {binary, binary.u16string() + u" is not a text file"},
        {dir.Write("long.txt", std::string(250, 'z')), TooLong(std::string(241, 'z'))},
        {dir.Write("many.txt", NumberedLines(40)), kMore},
        {dir.Write("few.txt", NumberedLines(7)), Has(7)},
        {dir.Write("empty.txt", ""), Has(0)},
        {accented, Has(3)},  // the name reaches the file
    };
    g.doc.SetMark(3, 1);
    g.doc.SetMark(9, 1);
    g.view.calls.clear();
    for (const auto& [path, text] : cases) {
        SCOPED_TRACE(path.string());
        g.port.boxes.clear();
        g.port.answers = {true};
        g.port.filePicks = {path};
        EXPECT_TRUE(g.doc.OnCmdMsg(kCmdLoadCustomList));
        ASSERT_EQ(g.port.boxes.size(), 2u);  // the question, then the error
        EXPECT_EQ(g.port.boxes.back(), (ShownBox{ShownBox::kError, text, u"File Read Error"}));
        // The game as it was: words, marks, started flag; and no view told.
        EXPECT_EQ(g.doc.GetWord(3), u"utilize");
        for (int s = 0; s < kSquares; ++s) EXPECT_EQ(g.doc.GetMark(s), s == 3 || s == 9 ? 1 : 0);
        EXPECT_TRUE(g.doc.IsStarted());
        EXPECT_TRUE(g.view.calls.empty());
    }
    ::close(listener);
}

TEST_F(LoadCustomList, AGoodFileIsDealtInLineOrderAndAnnounced) {
    g.port.filePicks = {dir.Write("good.txt", NumberedLines(25, "item "))};
    g.doc.OnCmdMsg(kCmdLoadCustomList);
    EXPECT_EQ(g.view.calls, decltype(g.view.calls){DocumentChange{DocumentChange::Kind::kListLoaded}});
    for (int s = 0; s < kSquares; ++s) {
        EXPECT_EQ(g.doc.GetWord(s), U16("item " + std::to_string(s + 1)));
        EXPECT_EQ(g.doc.GetMark(s), 0);
    }
    EXPECT_FALSE(g.doc.IsStarted());
    g.doc.OnCmdMsg(kCmdNew);  // a new game keeps these words
    EXPECT_EQ(g.doc.GetWord(0), u"item 1");
}

}  // namespace
}  // namespace palabrum
