// Cards to share: distinct deals, the card's geometry, words fitted to their
// squares in colours that read, printed runs and the board written out.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <fstream>
#include <numeric>
#include <random>
#include <set>

#include "model/word_list.h"
#include "tests/gui/gui_fixture.h"
#include "views/card_files.h"
#include "views/card_painter.h"
#include "views/contrast.h"

namespace palabrum {
namespace {

QByteArray ReadAll(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The writer keeps object dictionaries in plain text: each "/Type /Page" but "/Type /Pages" is a page.
qsizetype PdfPages(const QByteArray& pdf) { return pdf.count("/Type /Page") - pdf.count("/Type /Pages"); }

// "Could not write PATH: WHY", or nothing for no reason.
QString Refusal(const std::filesystem::path& path, const QString& why) {
    return why.isEmpty() ? QString() : "Could not write " + QString::fromStdString(path) + ": " + why;
}

// Each card a different order of every word, dealt again on a repeat; a
// source that only repeats itself is given up on. A run prints a PDF page a
// card, or is refused with the file left as it was and no other file made.
TEST(Cards, APrintRunDealsDifferentCardsOnePageEachOrLeavesTheFileAlone) {
    const auto inOrder = [n = 0u]() mutable -> std::uint32_t { return n++ % kSquares; };
    const auto twiceThenReversed = [n = 0u]() mutable -> std::uint32_t { return n < 50 ? n++ % kSquares : 24 - n++ % kSquares; };
    const auto cards = DealCards(30, std::minstd_rand(2024));
    WordOrder first, last;
    std::iota(first.begin(), first.end(), 0);
    std::reverse_copy(first.begin(), first.end(), last.begin());
    EXPECT_EQ(std::set(cards.begin(), cards.end()).size(), 30u);
    for (const WordOrder& order : cards) EXPECT_TRUE(std::is_permutation(order.begin(), order.end(), first.begin()));
    EXPECT_EQ(DealCards(2, twiceThenReversed), (std::vector{first, last}));

    testing::TempDir dir;
    std::ofstream(dir.File("cards.pdf")) << "the last run";
    std::ofstream(dir.File("plain")) << "not a folder";  // nothing under it can be made, even by the superuser
    const std::vector<std::u16string> all = BuiltInWordList(), few(all.begin() + 1, all.end());
    struct Case { std::vector<std::u16string> words; int count; RandomSource random; const char* file; QString why; };
    for (const Case& c : {Case{few, 1, inOrder, "cards.pdf", "a card needs 25 words, not 24."},
                          Case{all, 1, {}, "cards.pdf", "there is no random source to deal with."},
                          Case{all, 2, inOrder, "cards.pdf", "the random source keeps repeating the same deals."},
                          Case{all, 0, inOrder, "cards.pdf", "a print run is 1 to 99 cards, not 0."},
                          Case{all, 100, inOrder, "cards.pdf", "a print run is 1 to 99 cards, not 100."},
                          Case{all, 1, inOrder, "plain/cards.pdf", "Not a directory."},
                          Case{all, 1, inOrder, "cards.pdf", ""}, Case{all, 99, std::minstd_rand(11), "cards.pdf", ""}}) {
        QString error;
        EXPECT_EQ(PrintCards(c.words, c.count, c.random, dir.File(c.file), &error), c.why.isEmpty()) << c.count;
        EXPECT_EQ(error, Refusal(dir.File(c.file), c.why));
        EXPECT_EQ(PdfPages(ReadAll(dir.File("cards.pdf"))), c.why.isEmpty() ? c.count : 0);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
    }
}

// Title and grid centred on whole units, squares in reading order; words kept
// clear of a square's sides, at a seventh of it down to a seventeenth.
TEST(Cards, LayOutOnWholeUnitsWithWordsClearOfTheLines) {
    struct Case { QSizeF page; QRectF title, firstSquare; double pitch, line; QRectF text; FontSizes sizes; };
    for (const Case& c : {Case{{1000, 1100}, {69, 61, 862, 112}, {71, 177, 170, 170}, 172, 2, {82.9, 188.9, 146.2, 146.2}, {24, 10}},
                          Case{{9921, 14031}, {612, 2085, 8697, 1131}, {629, 3250, 1719, 1719}, 1736, 17,  // an A4 PDF
                               {749.33, 3370.33, 1478.34, 1478.34}, {245, 101}},
                          Case{{400, 300}, {85, 19, 231, 30}, {86, 51, 45, 45}, 46, 1, {89.15, 54.15, 38.7, 38.7}, {6, 2}}}) {
        const CardLayout l = LayOutCard(c.page);
        const QRectF square = SquareRectOnCard(l, 0);
        EXPECT_EQ(std::tuple(l.title, square, l.pitch, l.line), std::tuple(c.title, c.firstSquare, c.pitch, c.line));
        EXPECT_EQ(SquareRectOnCard(l, 23), c.firstSquare.translated(3 * c.pitch, 4 * c.pitch)) << "row 4, column 3";
        EXPECT_EQ(std::pair(TextAreaOfSquare(square), WordSizesOfSquare(square)), std::pair(c.text, c.sizes));
    }
}

// The largest size at which a word fits whole, else broken anywhere; a word
// too wide even at the floor (every glyph as wide as it gets) is broken at the floor.
TEST(Cards, WordsTakeTheLargestSizeThatFitsAndBreakOnlyWhenNothingElseDoes) {
    const QRectF area(0, 0, 146.2, 146.2);
    const int whole = Qt::TextWordWrap, anywhere = Qt::TextWordWrap | Qt::TextWrapAnywhere;
    const std::tuple<QString, int, int, bool> cases[] = {
        {"vision", 24, whole, true}, {QString("leverage ").repeated(12), 0, whole, true},
        {QString("abcdefghij").repeated(3), 0, anywhere, true}, {QString(240, u'W'), 15, anywhere, false}};
    for (const auto& [word, size, wrap, fits] : cases) {
        const WordFit fit = FitWords({word}, area, {24, 15}, QFont());
        const bool inside = area.contains(QFontMetricsF(fit.font).boundingRect(area, fit.flags, word));
        EXPECT_EQ(std::tuple(fit.flags, fit.fits, inside, size ? fit.font.pixelSize() : 0), std::tuple(Qt::AlignCenter | wrap, fits, fits, size))
            << word.left(20).toStdString() << " at " << fit.font.pixelSize();
    }
}

// Black or white, whichever contrasts more; a frame in red, or blue on a reddish fill.
TEST(Cards, WordsAndBingoFramesStandApartFromTheirFill) {
    const QColor black(Qt::black), white(Qt::white), red(214, 0, 28), blue(0, 84, 214);
    struct Case { QColor fill, text, frame; };
    for (const Case& c : {Case{Qt::red, black, blue},  // 4.0:1 with white, 5.3:1 with black
                          Case{QColor(200, 30, 40), white, blue}, Case{QColor(128, 128, 128), black, red},
                          Case{Qt::blue, white, red}, Case{QColor(255, 255, 0), black, red}, Case{black, white, red}}) {
        EXPECT_EQ(std::pair(TextColorOn(c.fill), BingoFrameColor(c.fill)), std::pair(c.text, c.frame)) << c.fill.name().toStdString();
        EXPECT_GE(ContrastRatio(c.text, c.fill), 4.5);
    }
}

// Marks in the board colour (0x00BBGGRR), the winning line's squares (listed
// first) framed; either ending in any case, and no file replaced that may not be written.
TEST(Cards, TheExportedBoardShowsMarksAndFramesTheBingoLine) {
    const CardLayout layout = LayOutCard(QSizeF(kExportImageSize));
    const QRgb blue = qRgb(0, 0, 255);
    struct Case { unsigned color; QRgb fill; std::vector<int> marks; int line; };
    for (const Case& c : {Case{0x0000FFFF, qRgb(255, 255, 0), {0, 12}, 0},
                          Case{0x00FF0000, blue, {10, 11, 12, 13, 14, 0}, 5}, Case{0x00FF0000, blue, {2, 7, 12, 17, 22, 0}, 5},
                          Case{0x00FF0000, blue, {0, 6, 12, 18, 24, 4}, 5}, Case{0x00FF0000, blue, {4, 8, 12, 16, 20, 0}, 5}}) {
        testing::GameWindow g;
        g.doc.Options().m_boardColor = c.color;
        for (int s : c.marks) g.doc.SetMark(s, 1);
        ASSERT_TRUE(ExportCard(g.doc, g.dir.File("board.png"), nullptr));
        const QImage image(QString::fromStdString(g.dir.File("board.png")));
        ASSERT_EQ(image.size(), kExportImageSize);
        for (int k : {0, kSide}) EXPECT_EQ(image.pixel(layout.left + k * layout.pitch, layout.top + 2.5 * layout.pitch), kCardLine);
        for (int s = 0; s < kSquares; ++s) {
            const auto at = std::find(c.marks.begin(), c.marks.end(), s) - c.marks.begin();
            const QRect square = SquareRectOnCard(layout, s).toRect(), area = TextAreaOfSquare(square).toRect();
            const QRgb fill = at < std::ssize(c.marks) ? c.fill : kCardPaper;
            EXPECT_EQ(std::pair(image.pixel(square.topLeft() + QPoint(1, 1)), image.pixel(area.topLeft() + QPoint(1, 1))),
                      std::pair(at < c.line ? BingoFrameColor(QColor(c.fill)).rgb() : fill, fill)) << "square " << s;
        }
    }
    testing::GameWindow g;
    std::ofstream(g.dir.File("kept.png")) << "read-only";
    std::filesystem::permissions(g.dir.File("kept.png"), std::filesystem::perms::owner_read);
    for (const auto& [name, why] : {std::pair<std::string, QString>{"BOARD.PDF", ""}, {"board.PNG", ""},
                                    {"board.png.txt", "the name must end in .png or .pdf."}, {"kept.png", "Permission denied."}}) {
        QString error;
        EXPECT_EQ(ExportCard(g.doc, g.dir.File(name), &error), why.isEmpty()) << name;
        EXPECT_EQ(error, Refusal(g.dir.File(name), why));
    }
    EXPECT_EQ(std::tuple(PdfPages(ReadAll(g.dir.File("BOARD.PDF"))), QImage(QString::fromStdString(g.dir.File("board.PNG"))).size(),
                         ReadAll(g.dir.File("kept.png"))),
              std::tuple(1, kExportImageSize, QByteArray("read-only")));
}

}  // namespace
}  // namespace palabrum
