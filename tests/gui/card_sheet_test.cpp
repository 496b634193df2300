// Cards to share: distinct deals, the PDF's pages, words that stay on their
// squares, and the board written out without touching the game.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>

#include "model/word_list.h"
#include "tests/gui/gui_fixture.h"
#include "views/card_sheet.h"

namespace palabrum {
namespace {

using testing::TempDir;

// A seeded generator (the C++ library's minimal standard one).
RandomSource Seeded(std::uint32_t seed) {
    return [state = seed]() mutable { return state = std::uint64_t{state} * 48271u % 2147483647u; };
}

// The list in order, square by square.
const CardOrder kInOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

// Draws each of `deals` square by square, over and over. An order that is its
// own inverse, as the list in order or reversed, is dealt from its own draws.
RandomSource Scripted(std::vector<CardOrder> deals) {
    return [deals = std::move(deals), next = std::size_t{0}]() mutable {
        const std::size_t at = next++ % (deals.size() * kSquares);
        return static_cast<std::uint32_t>(deals[at / kSquares][at % kSquares]);
    };
}

QString FileName(const TempDir& dir, const std::string& name) { return QString::fromStdString(dir.File(name).string()); }
std::filesystem::path Native(const QString& name) { return name.toStdString(); }

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pages of a PDF: every "/Type /Page" that is not "/Type /Pages". The writer
// puts object dictionaries in plain text and compresses only the streams.
qsizetype PdfPages(const QByteArray& pdf) { return pdf.count("/Type /Page") - pdf.count("/Type /Pages"); }

// Files left in a directory: a failed write must leave none behind.
std::set<std::string> Entries(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) names.insert(entry.path().filename());
    return names;
}

// A failure gives one line that names the file.
void ExpectReason(const QString& error, const QString& path) {
    EXPECT_TRUE(error.startsWith("Could not write " + path) && !error.contains(u'\n')) << error.toStdString();
}

// Pixels of `image` inside `r` for which `test(point, pixel)` holds.
template <class Test>
int Count(const QImage& image, const QRect& r, Test test) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += test(QPoint(x, y), image.pixel(x, y));
    return n;
}

TEST(CardDeals, DistinctPermutationsReproducibleFromTheSource) {
    const auto cards = DealCards(BuiltInWordList(), 30, Seeded(2024));
    ASSERT_EQ(cards.size(), 30u);
    for (const CardOrder& order : cards)
        EXPECT_TRUE(std::is_permutation(order.begin(), order.end(), kInOrder.begin())) << "each word once a card";
    EXPECT_EQ(std::set<CardOrder>(cards.begin(), cards.end()).size(), 30u);
    EXPECT_EQ(DealCards(BuiltInWordList(), 30, Seeded(2024)), cards);
    EXPECT_NE(DealCards(BuiltInWordList(), 30, Seeded(2025)), cards);
    // Orders, not words, tell cards apart.
    const auto same = DealCards(std::vector<std::u16string>(kSquares, u"synergy"), 10, Seeded(5));
    EXPECT_EQ(std::set<CardOrder>(same.begin(), same.end()).size(), 10u);
}

TEST(CardDeals, ARepeatedDealIsDrawnAgainAndNoneAreMadeWithoutTwentyFiveWordsOrFreshDraws) {
    CardOrder reversed;
    std::reverse_copy(kInOrder.begin(), kInOrder.end(), reversed.begin());
    EXPECT_EQ(DealCards(BuiltInWordList(), 2, Scripted({kInOrder, kInOrder, reversed})),
              (std::vector{kInOrder, reversed}));
    EXPECT_TRUE(DealCards(BuiltInWordList(), 2, Scripted({kInOrder})).empty()) << "a source that only repeats itself";
    EXPECT_TRUE(DealCards(BuiltInWordList(), 1, RandomSource{}).empty());
    for (std::size_t n : {24, 26}) EXPECT_TRUE(DealCards(std::vector<std::u16string>(n, u"x"), 1, Seeded(1)).empty());
}

TEST(CardPrint, OnePagePerCardAndNoTemporaryFileLeft) {
    for (int count : {1, 30, 99}) {
        SCOPED_TRACE(count);
        TempDir dir;
        const QString path = FileName(dir, "cards.pdf");
        QString error;
        ASSERT_TRUE(PrintCards(BuiltInWordList(), count, Seeded(11), Native(path), &error)) << error.toStdString();
        const QByteArray pdf = ReadAll(path);
        EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.contains("/Type /Pages")) << "a page tree the count can trust";
        EXPECT_EQ(PdfPages(pdf), count);
        EXPECT_EQ(Entries(dir), std::set<std::string>{"cards.pdf"});
    }
}

TEST(CardPrint, RefusedRunsLeaveTheOldFileAlone) {
    TempDir dir;
    std::ofstream(dir.File("old.pdf")) << "the previous run";
    std::ofstream(dir.File("plain")) << "not a folder";  // nothing under it can be made, even by the superuser
    const std::vector<std::u16string> all = BuiltInWordList(), few(all.begin() + 1, all.end());
    struct Case {
        const char* name;
        std::vector<std::u16string> words;
        int count;
        RandomSource random;
        const char* says;  // the number the reason ends on, if any
        const char* file = "old.pdf";
    };
    for (const Case& c : {Case{"24 words", few, 1, Seeded(1), " 24."}, Case{"no source", all, 1, {}, ""},
                          Case{"a source that only repeats itself", all, 2, Scripted({kInOrder}), ""},
                          Case{"0 cards", all, 0, Seeded(1), " 0."}, Case{"100 cards", all, 100, Seeded(1), " 100."},
                          Case{"unwritable path", all, 3, Seeded(1), "", "plain/cards.pdf"}}) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(PrintCards(c.words, c.count, c.random, Native(FileName(dir, c.file)), &error));
        ExpectReason(error, FileName(dir, c.file));
        EXPECT_TRUE(error.contains(QLatin1String(c.says))) << error.toStdString();
        EXPECT_EQ(ReadAll(FileName(dir, "old.pdf")), QByteArray("the previous run"));
        EXPECT_EQ(Entries(dir), (std::set<std::string>{"old.pdf", "plain"}));
    }
}

TEST(CardLayoutGeometry, SquaresOnWholeUnitsInReadingOrderUnderTheTitle) {
    for (const QSizeF page : {QSizeF(kExportImageSize), QSizeF(9921, 14031), QSizeF(400, 300)}) {
        SCOPED_TRACE(page.width());
        const CardLayout l = LayOutCard(page);
        const QRectF paper(QPointF(0, 0), page), grid = l.Grid(), first = SquareRectOnCard(l, 0);
        const QRectF last = SquareRectOnCard(l, 23);  // row 4, column 3
        EXPECT_TRUE(paper.contains(grid.adjusted(-l.line, -l.line, l.line, l.line)) && paper.contains(l.title));
        EXPECT_TRUE(l.title.height() > 0 && l.title.bottom() <= grid.top() - l.line);
        EXPECT_EQ(last, first.translated(3 * l.pitch, 4 * l.pitch));
        EXPECT_TRUE(first == first.toRect().toRectF() && grid.contains(first) && grid.contains(last));
    }
}

enum class Size { Start, InRange, Floor };
struct FitCase { const char* name; QString word; bool fits, breaksInside; Size size; };
const FitCase kFitCases[] = {
    {"short", QStringLiteral("vision"), true, false, Size::Start},
    {"closing brackets", QStringLiteral("best interest(s))"), true, false, Size::InRange},
    {"240 with spaces", QStringLiteral("leverage ").repeated(27).left(240), true, false, Size::InRange},
    {"long hyphenated", QStringLiteral("supercalifragilistic-expialidocious-synergy"), true, false, Size::InRange},
    {"240 without spaces", QStringLiteral("abcdefghij").repeated(24), true, true, Size::InRange},
    // Every glyph as wide as it gets: too much even for the smallest size.
    {"overflowing at the floor", QString(240, u'W'), false, true, Size::Floor},
};

TEST(CardWordFit, LargestSizeKeepingWordsWholeThenBreakingThemNoSmallerThanTheFloor) {
    QBuffer buffer;
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const QRectF a4 = SquareRectOnCard(LayOutCard(QSizeF(writer.width(), writer.height())), 12);
    const std::pair<QRectF, const QPaintDevice*> squares[] = {
        {SquareRectOnCard(LayOutCard(QSizeF(kExportImageSize)), 12), nullptr}, {a4, nullptr}, {a4, &writer}};
    for (const auto& [square, device] : squares) {
        const int start = static_cast<int>(square.width() * kWordStartSize);
        const int floor = static_cast<int>(square.width() * kWordFloorSize);
        for (const FitCase& c : kFitCases) {
            SCOPED_TRACE(std::string(c.name) + (device ? ", for the PDF" : "") + ", start " + std::to_string(start));
            const WordFit fit = FitWordFont(c.word, square, device);
            EXPECT_TRUE(fit.fits == c.fits && TextAreaOfSquare(square).contains(fit.bounds) == c.fits);
            EXPECT_EQ(fit.flags & Qt::AlignCenter, int(Qt::AlignCenter)) << "centred";
            EXPECT_EQ((fit.flags & Qt::TextWrapAnywhere) != 0, c.breaksInside);
            const int size = fit.font.pixelSize();
            EXPECT_TRUE(size >= floor && size <= start) << size << " not in " << floor << ".." << start;
            if (c.size != Size::InRange) { EXPECT_EQ(size, c.size == Size::Start ? start : floor); }
        }
    }
}

// One card with a single word on square 12 and the rest empty: outside that
// square (and the title) only paper and grid may show, and inside it ink
// stays within the text area.
TEST(CardDrawing, PaintsNothingOutsideTheWordsSquare) {
    const CardLayout layout = LayOutCard(QSizeF(kExportImageSize));
    const QRect square = SquareRectOnCard(layout, 12).toRect(), title = layout.title.toRect();
    const QRect area = TextAreaOfSquare(SquareRectOnCard(layout, 12)).toAlignedRect();
    for (const FitCase& c : kFitCases) {
        SCOPED_TRACE(c.name);
        CardFace face;
        face.words[12] = c.word;
        QImage image(kExportImageSize, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        PaintCard(painter, layout, face);
        painter.end();
        EXPECT_EQ(Count(image, image.rect(), [&](QPoint p, QRgb px) {
                      if (title.contains(p) || px == kCardPaper) return false;
                      return square.contains(p) ? !area.contains(p) : px != kCardLine;
                  }), 0);
        EXPECT_GT(Count(image, area, [](QPoint, QRgb px) { return px != kCardPaper; }), 100) << "the word is drawn";
    }
}

// Everything a player could tell apart in the game.
auto StateOf(const CPalabrumDoc& doc) {
    std::vector<std::u16string> words;
    std::vector<int> marks;
    for (int s = 0; s < kSquares; ++s) words.push_back(doc.GetWord(s)), marks.push_back(doc.GetMark(s));
    return std::tuple(words, marks, doc.IsStarted(), doc.IsBingo(), doc.GetBingoLineStart(), doc.GetBingoLineStep());
}

TEST(CardExport, PngShowsMarksInTheBoardColourWithContrastingWordsAndFramesTheBingoLine) {
    const CardLayout layout = LayOutCard(QSizeF(kExportImageSize));
    // Board colours as the options keep them, 0x00BBGGRR; the line's squares come first in `marks`.
    struct Case { const char* name; unsigned boardColor; QRgb fill, text; std::vector<int> marks; int lineLength; };
    const QRgb blue = qRgb(0, 0, 255), white = qRgb(255, 255, 255);
    for (const Case& c : {Case{"no line", 0x0000FFFF, qRgb(255, 255, 0), qRgb(0, 0, 0), {0, 12}, 0},
                          Case{"row", 0x00FF0000, blue, white, {10, 11, 12, 13, 14, 0}, 5},
                          Case{"column", 0x00FF0000, blue, white, {2, 7, 12, 17, 22, 0}, 5},
                          Case{"diagonal", 0x00FF0000, blue, white, {0, 6, 12, 18, 24, 4}, 5},
                          Case{"other diagonal", 0x00FF0000, blue, white, {4, 8, 12, 16, 20, 0}, 5}}) {
        SCOPED_TRACE(c.name);
        testing::GameWindow g;
        g.doc.Options().m_boardColor = c.boardColor;
        for (int s : c.marks) g.doc.SetMark(s, 1);
        ASSERT_EQ(g.doc.IsBingo(), c.lineLength > 0);
        QString error;
        ASSERT_TRUE(ExportCard(g.doc, Native(FileName(g.dir, "board.png")), &error)) << error.toStdString();
        const QImage image(FileName(g.dir, "board.png"));
        ASSERT_EQ(image.size(), kExportImageSize);
        EXPECT_EQ(image.pixel(QPointF(layout.left, layout.top + 2.5 * layout.pitch).toPoint()), kCardLine);
        const QRgb frame = BingoFrameColor(QColor(c.fill)).rgb();
        for (int s = 0; s < kSquares; ++s) {
            SCOPED_TRACE("square " + std::to_string(s));
            const auto at = std::find(c.marks.begin(), c.marks.end(), s) - c.marks.begin();
            const QRectF square = SquareRectOnCard(layout, s);
            const QRect area = TextAreaOfSquare(square).toRect();
            const QRgb fill = at < std::ssize(c.marks) ? c.fill : kCardPaper;
            // Just within the edge, where a frame lies, and just within the text area, clear of frame and word.
            EXPECT_EQ(image.pixel(square.topLeft().toPoint() + QPoint(1, 1)), at < c.lineLength ? frame : fill);
            EXPECT_EQ(image.pixel(area.topLeft() + QPoint(1, 1)), fill);
            if (fill == kCardPaper) continue;
            EXPECT_GT(Count(image, area, [&](QPoint, QRgb px) { return px == c.text; }), 50) << "contrasting words";
        }
    }
}

TEST(CardBingoFrame, StandsApartFromTheSquaresItFramesRedWhereverRedDoes) {
    auto reddish = [](const QColor& c) { return c.hslSaturation() > 128 && (c.hslHue() >= 330 || c.hslHue() <= 30); };
    for (const QColor fill : {QColor(Qt::red), QColor(200, 30, 40), QColor(128, 0, 0), QColor(Qt::blue),
                              QColor(Qt::green), QColor(Qt::black), QColor(Qt::white), QColor(255, 255, 0)}) {
        const QColor f = BingoFrameColor(fill);
        const int apart = std::abs(f.red() - fill.red()) + std::abs(f.green() - fill.green()) +
                          std::abs(f.blue() - fill.blue());
        EXPECT_TRUE(apart > 200 && (reddish(fill) || reddish(f))) << fill.name().toStdString();
    }
}

TEST(CardExport, WritesEitherEndingInAnyCaseLeavingTheGameAsItWasAndRefusesTheRest) {
    testing::GameWindow g;
    ASSERT_FALSE(g.doc.IsStarted());
    for (const bool bingo : {false, true}) {
        SCOPED_TRACE(bingo ? "after a bingo" : "before the game starts");
        if (bingo) for (int s : {3, 8, 13, 18, 23, 11}) g.doc.SetMark(s, 1);
        const auto before = StateOf(g.doc);
        for (const std::string name : {"board.pdf", "BOARD.PDF", "Board.Pdf", "board.PNG"}) {
            const QString path = FileName(g.dir, name);
            QString error;
            ASSERT_TRUE(ExportCard(g.doc, Native(path), &error)) << name << ": " << error.toStdString();
            EXPECT_TRUE(name.ends_with("PNG") ? !QImage(path).isNull() : PdfPages(ReadAll(path)) == 1) << name;
        }
        // Dealt from the game's own source, as the menu does.
        QString error;
        EXPECT_TRUE(PrintCards(g.doc.GetBoard().Words(), 3, [&] { return g.doc.Port().Random(); },
                               Native(FileName(g.dir, "cards.pdf")), &error))
            << error.toStdString();
        EXPECT_EQ(StateOf(g.doc), before);
        EXPECT_EQ(g.doc.IsBingo(), bingo);
    }
    TempDir out;
    std::ofstream(out.File("plain")) << "not a folder";
    std::ofstream(out.File("kept.png")) << "made read-only";
    std::filesystem::permissions(out.File("kept.png"), std::filesystem::perms::owner_read | std::filesystem::perms::group_read | std::filesystem::perms::others_read);
    for (const std::string name : {"board.jpg", "board", "board.png.txt", "png", "board.pdfx", "plain/board.png",
                                   "plain/board.pdf", "kept.png"}) {
        SCOPED_TRACE(name);
        QString error;
        EXPECT_FALSE(ExportCard(g.doc, Native(FileName(out, name)), &error));
        ExpectReason(error, FileName(out, name));
        EXPECT_TRUE(name.starts_with("plain/") || name == "kept.png" ||
                    (error.contains(".png") && error.contains(".pdf")))
            << "the endings";
    }
    EXPECT_EQ(Entries(out), (std::set<std::string>{"kept.png", "plain"}));
    EXPECT_EQ(ReadAll(FileName(out, "kept.png")), QByteArray("made read-only"));
}

}  // namespace
}  // namespace palabrum
