// Reading the player's word lists, and what a refused file leaves behind.
#include <gtest/gtest.h>

#include <sstream>

#include "model/game_document.h"
#include "model/word_list.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::NumberedLines;
using testing::ShownBox;

WordListRead Read(const std::string& bytes) {
    std::istringstream in(bytes);
    return ReadWordList(in, u"/lists/meeting.txt");
}

TEST(WordListFormat, WindowsLineEndsWithoutAFinalLineFeedLoad) {
    std::string text;
    for (int i = 1; i <= 25; ++i) text += "phrase " + std::to_string(i) + (i < 25 ? "\r\n" : "");
    const auto list = Read(text);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list.words.size(), 25u);
    EXPECT_EQ(list.words[0], u"phrase 1");
    EXPECT_EQ(list.words[24], u"phrase 25");
}

TEST(WordListFormat, BlankLinesAreSkippedAndBlanksAreKept) {
    std::string text = "\n\r\n\n  padded  \n\t\nleft\tright\n\x7f\n";
    text += NumberedLines(21);
    text += "\n\n";
    const auto list = Read(text);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list.words[0], u"  padded  ");
    EXPECT_EQ(list.words[1], u" ");  // a lone tab is a word of one blank
    EXPECT_EQ(list.words[2], u"left right");
    EXPECT_EQ(list.words[3], u"\x7f");
    EXPECT_EQ(list.words[4], u"w1");
}

TEST(WordListFormat, CarriageReturnsAreDroppedEverywhere) {
    std::string text = NumberedLines(24) + "a\rb\r\r";
    const auto list = Read(text);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list.words[24], u"ab");
}

TEST(WordListFormat, DuplicateLinesAreAccepted) {
    std::string text;
    for (int i = 0; i < 25; ++i) text += "same\n";
    EXPECT_TRUE(Read(text).ok());
}

TEST(WordListFormat, A240CharacterLineLoadsAnd241Fail) {
    const std::string line240(240, 'x');
    EXPECT_TRUE(Read(line240 + "\n" + NumberedLines(24)).ok());
    // Carriage returns do not count towards the length.
    EXPECT_TRUE(Read(std::string(120, 'x') + "\r\r" + std::string(120, 'x') + "\n" + NumberedLines(24)).ok());

    const auto refused = Read(NumberedLines(3) + std::string(300, 'y') + "\n");
    EXPECT_EQ(refused.error, u"Line too long: " + std::u16string(241, u'y'));
    EXPECT_TRUE(refused.words.empty());
}

TEST(WordListFormat, CarriageReturnOnlyFilesAreOneLine) {
    EXPECT_EQ(Read("a\rb\rc\r").error, u"List has 1 lines.\n(I need 25.)");
    std::string longLine;
    for (int i = 0; i < 70; ++i) longLine += "word\r";  // 280 characters, no line feed
    EXPECT_EQ(Read(longLine).error.substr(0, 15), u"Line too long: ");
}

TEST(WordListFormat, LineCountMessagesNameTheCount) {
    EXPECT_EQ(Read("").error, u"List has 0 lines.\n(I need 25.)");
    EXPECT_EQ(Read(NumberedLines(24)).error, u"List has 24 lines.\n(I need 25.)");
    EXPECT_EQ(Read(NumberedLines(26)).error, u"More than 25 lines.");
    // The 26th line without a final line feed ends at the end of the file.
    std::string text = NumberedLines(25) + "last";
    EXPECT_EQ(Read(text).error, u"More than 25 lines.");
}

TEST(WordListFormat, EveryByteOutsideSevenBitTextIsRefused) {
    const std::u16string notText = u"/lists/meeting.txt is not a text file";
    for (int b : {0, 1, 8, 11, 12, 14, 31, 128, 0xE9, 0xFF}) {
        EXPECT_EQ(Read(NumberedLines(2) + static_cast<char>(b) + "\n").error, notText) << "byte " << b;
    }
    EXPECT_EQ(Read("\xEF\xBB\xBF" + NumberedLines(25)).error, notText);  // UTF-8 byte-order mark
    EXPECT_EQ(Read(std::string("\xFF\xFEw\0", 4)).error, notText);       // UTF-16
}

TEST(WordListFormat, TheFirstProblemInFileOrderWins) {
    // The 26th line ends before a bad byte further on.
    EXPECT_EQ(Read(NumberedLines(26) + "\x01").error, u"More than 25 lines.");
    // A bad byte before an over-long line.
    EXPECT_EQ(Read("\x02" + std::string(300, 'x')).error, u"/lists/meeting.txt is not a text file");
    // An over-long line before a bad byte in the same line.
    EXPECT_EQ(Read(std::string(241, 'x') + "\x02").error.substr(0, 15), u"Line too long: ");
    // An over-long 26th line is reported as too long: it never ends.
    EXPECT_EQ(Read(NumberedLines(25) + std::string(241, 'x')).error.substr(0, 15), u"Line too long: ");
}

TEST(WordListFormat, MemoryStaysBoundedForEndlessBlankLines) {
    const auto list = Read(std::string(5'000'000, '\n'));
    EXPECT_EQ(list.error, u"List has 0 lines.\n(I need 25.)");
}

// Loading through the document: the error box, and a game left as it was.
class LoadCustomList : public ::testing::Test {
protected:
    LoadCustomList() : doc(port, dir.File("state.dat")) {
        port.doc = &doc;
        doc.AddView(view);
        doc.NewDocument();
        doc.SetMark(3, 1);
        doc.SetMark(9, 1);
        view.calls.clear();
        port.answers = {true};
    }

    // Loads `bytes` as the player's pick and returns the one error box shown.
    ShownBox Refuse(const std::u16string& path) {
        port.filePicks = {path};
        EXPECT_TRUE(doc.OnCmdMsg(kCmdLoadCustomList));
        EXPECT_EQ(port.boxes.size(), 2u);  // the question, then the error
        ShownBox box = port.boxes.back();
        port.boxes.clear();
        port.answers = {true};
        // The game as it was: words, marks, started flag; and no view told.
        EXPECT_EQ(doc.GetWord(3), u"utilize");
        EXPECT_EQ(doc.GetMark(3), 1);
        EXPECT_EQ(doc.GetMark(9), 1);
        EXPECT_EQ(doc.GetMark(4), 0);
        EXPECT_TRUE(doc.IsStarted());
        EXPECT_TRUE(view.calls.empty());
        return box;
    }

    testing::TempDir dir;
    testing::ScriptedPort port;
    CPalabrumDoc doc;
    testing::RecordingView view;
};

TEST_F(LoadCustomList, EveryRefusalShowsOneBoxAndKeepsTheGame) {
    const auto missing = dir.File("missing.txt").u16string();
    EXPECT_EQ(Refuse(missing), (ShownBox{ShownBox::kError, u"Error reading " + missing, u"File Read Error"}));
    EXPECT_EQ(Refuse(dir.Path().u16string()).text, u"Error reading " + dir.Path().u16string());

    const auto binary = dir.Write("binary.txt", NumberedLines(5) + "caf\xE9\n");
    EXPECT_EQ(Refuse(binary), (ShownBox{ShownBox::kError, binary + u" is not a text file", u"File Read Error"}));

    const auto longLine = dir.Write("long.txt", std::string(250, 'z'));
    EXPECT_EQ(Refuse(longLine).text, u"Line too long: " + std::u16string(241, u'z'));

    EXPECT_EQ(Refuse(dir.Write("many.txt", NumberedLines(40))).text, u"More than 25 lines.");
    EXPECT_EQ(Refuse(dir.Write("few.txt", NumberedLines(7))),
              (ShownBox{ShownBox::kError, u"List has 7 lines.\n(I need 25.)", u"File Read Error"}));
    EXPECT_EQ(Refuse(dir.Write("empty.txt", "")).text, u"List has 0 lines.\n(I need 25.)");
}

TEST_F(LoadCustomList, AGoodFileIsDealtInLineOrderAndAnnounced) {
    port.filePicks = {dir.Write("good.txt", NumberedLines(25, "item "))};
    doc.OnCmdMsg(kCmdLoadCustomList);
    EXPECT_EQ(view.calls, (std::vector<std::uint32_t>{4}));
    for (int s = 0; s < kSquares; ++s) {
        EXPECT_EQ(doc.GetWord(s), testing::U16("item " + std::to_string(s + 1)));
        EXPECT_EQ(doc.GetMark(s), 0);
    }
    EXPECT_FALSE(doc.IsStarted());
    // A new game keeps these words.
    doc.OnCmdMsg(kCmdNew);
    EXPECT_EQ(doc.GetWord(0), u"item 1");
}

TEST_F(LoadCustomList, NonAsciiPathsReachTheFileAndTheMessage) {
    const auto path = dir.Write("r\xC3\xA9union.txt", NumberedLines(3));
    EXPECT_EQ(Refuse(path).text, u"List has 3 lines.\n(I need 25.)");
    EXPECT_NE(path.find(u'\u00E9'), std::u16string::npos);
}

}  // namespace
}  // namespace palabrum
