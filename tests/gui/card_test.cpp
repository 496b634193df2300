// Cards to share: distinct deals, the card's geometry, words fitted to their
// squares in colours that read, the PDF's pages, and the board written out
// without touching the game.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
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
#include "views/card_files.h"
#include "views/card_painter.h"
#include "views/contrast.h"
#include "views/word_fit.h"

namespace palabrum {
namespace {

using testing::TempDir;

// A seeded generator (the C++ library's minimal standard one).
RandomSource Seeded(std::uint32_t seed) {
    return [state = seed]() mutable { return state = std::uint64_t{state} * 48271u % 2147483647u; };
}

// The list in order, square by square.
const WordOrder kInOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

// Draws each of `deals` square by square, over and over. An order that is its
// own inverse, as the list in order or reversed, is dealt from its own draws.
RandomSource Scripted(std::vector<WordOrder> deals) {
    return [deals = std::move(deals), next = std::size_t{0}]() mutable {
        const std::size_t at = next++ % (deals.size() * kSquares);
        return static_cast<std::uint32_t>(deals[at / kSquares][at % kSquares]);
    };
}

QString Text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

QByteArray ReadAll(const std::filesystem::path& path) {
    QFile file(Text(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pages of a PDF: every "/Type /Page" that is not "/Type /Pages". The writer
// puts object dictionaries in plain text and compresses only the streams.
qsizetype PdfPages(const QByteArray& pdf) { return pdf.count("/Type /Page") - pdf.count("/Type /Pages"); }

// Each stream of a PDF once: different cards draw pages of different contents.
std::set<QByteArray> Streams(const QByteArray& pdf) {
    std::set<QByteArray> streams;
    for (qsizetype at = pdf.indexOf("\nstream\n"); at >= 0; at = pdf.indexOf("\nstream\n", at + 1))
        streams.insert(pdf.mid(at, pdf.indexOf("endstream", at) - at));
    return streams;
}

// Files left in a directory: a failed write must leave none behind.
std::set<std::string> Entries(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) names.insert(entry.path().filename());
    return names;
}

// A failure gives one line that names the file.
void ExpectReason(const QString& error, const std::filesystem::path& path) {
    EXPECT_TRUE(error.startsWith("Could not write " + Text(path)) && !error.contains(u'\n')) << error.toStdString();
}

// Pixels of `image` inside `r` for which `test(point, pixel)` holds.
template <class Test>
int Count(const QImage& image, const QRect& r, Test test) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += test(QPoint(x, y), image.pixel(x, y));
    return n;
}

TEST(CardDeals, DifferentOrdersOfEveryWordDrawnAgainOnARepeatAndReproducibleFromTheSource) {
    const auto cards = DealCards(30, Seeded(2024));
    ASSERT_EQ(cards.size(), 30u);
    for (const WordOrder& order : cards)
        EXPECT_TRUE(std::is_permutation(order.begin(), order.end(), kInOrder.begin())) << "each word once a card";
    EXPECT_EQ(std::set(cards.begin(), cards.end()).size(), 30u);
    EXPECT_EQ(DealCards(30, Seeded(2024)), cards);
    EXPECT_NE(DealCards(30, Seeded(2025)), cards);
    WordOrder reversed;
    std::reverse_copy(kInOrder.begin(), kInOrder.end(), reversed.begin());
    EXPECT_EQ(DealCards(2, Scripted({kInOrder, kInOrder, reversed})), (std::vector{kInOrder, reversed}));
    EXPECT_TRUE(DealCards(2, Scripted({kInOrder})).empty()) << "a source that only repeats itself";
    EXPECT_TRUE(DealCards(1, RandomSource{}).empty());
}

TEST(CardPrint, OnePageACardOrARefusalThatLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    std::ofstream(dir.File("cards.pdf")) << "the previous run";
    std::ofstream(dir.File("plain")) << "not a folder";  // nothing under it can be made, even by the superuser
    const std::vector<std::u16string> all = BuiltInWordList(), few(all.begin() + 1, all.end());
    // `says`: for a refusal, the number its reason ends on, if any; null for a print run.
    struct Case { const char* name; std::vector<std::u16string> words; int count; RandomSource random;
                  const char* says; const char* file = "cards.pdf"; };
    for (const Case& c : {Case{"24 words", few, 1, Seeded(1), " 24."}, Case{"no source", all, 1, {}, ""},
                          Case{"a source that only repeats itself", all, 2, Scripted({kInOrder}), ""},
                          Case{"0 cards", all, 0, Seeded(1), " 0."}, Case{"100 cards", all, 100, Seeded(1), " 100."},
                          Case{"unwritable path", all, 3, Seeded(1), "", "plain/cards.pdf"},
                          Case{"1 card", all, 1, Seeded(11), nullptr}, Case{"99 cards", all, 99, Seeded(11), nullptr}}) {
        SCOPED_TRACE(c.name);
        QString error;
        const bool printed = PrintCards(c.words, c.count, c.random, dir.File(c.file), &error);
        ASSERT_EQ(printed, c.says == nullptr) << error.toStdString();
        const QByteArray pdf = ReadAll(dir.File("cards.pdf"));
        if (printed) {
            EXPECT_EQ(PdfPages(pdf), c.count);
            EXPECT_GE(Streams(pdf).size(), std::size_t(c.count)) << "a different card on every page";
        } else {
            ExpectReason(error, dir.File(c.file));
            EXPECT_TRUE(error.contains(QLatin1String(c.says))) << error.toStdString();
            EXPECT_EQ(pdf, QByteArray("the previous run"));
        }
        EXPECT_EQ(Entries(dir), (std::set<std::string>{"cards.pdf", "plain"}));
    }
}

TEST(CardLayoutGeometry, TitleAndGridCentredOnWholeUnitsWithSquaresInReadingOrder) {
    struct Case { QSizeF page; QRectF title, firstSquare; double pitch, line; };
    for (const Case& c : {Case{QSizeF(kExportImageSize), {69, 61, 862, 112}, {71, 177, 170, 170}, 172, 2},
                          Case{{9921, 14031}, {612, 2085, 8697, 1131}, {629, 3250, 1719, 1719}, 1736, 17},  // A4 PDF
                          Case{{400, 300}, {85, 19, 231, 30}, {86, 51, 45, 45}, 46, 1}}) {
        SCOPED_TRACE(c.page.width());
        const CardLayout l = LayOutCard(c.page);
        EXPECT_EQ(std::tuple(l.title, SquareRectOnCard(l, 0), l.pitch, l.line),
                  std::tuple(c.title, c.firstSquare, c.pitch, c.line));
        EXPECT_EQ(SquareRectOnCard(l, 23), c.firstSquare.translated(3 * c.pitch, 4 * c.pitch)) << "row 4, column 3";
    }
    // On the exported card: words from 24 down to 10 pixels, 11.9 clear of each side.
    const QRectF square(71, 177, 170, 170);
    EXPECT_EQ(TextAreaOfSquare(square), square.adjusted(11.9, 11.9, -11.9, -11.9));
    EXPECT_EQ(WordSizesOfSquare(square), (FontSizes{24, 10}));
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

TEST(CardWordFit, LargestSizeKeepingWordsWholeThenBreakingThemNoSmallerThanTheFloorOneSizeForASet) {
    QBuffer buffer;
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const QRectF a4 = SquareRectOnCard(LayOutCard(QSizeF(writer.width(), writer.height())), 12);
    const std::pair<QRectF, const QPaintDevice*> squares[] = {
        {SquareRectOnCard(LayOutCard(QSizeF(kExportImageSize)), 12), nullptr}, {a4, &writer}};
    for (const auto& [square, device] : squares) {
        const QRectF area = TextAreaOfSquare(square);
        const FontSizes sizes = WordSizesOfSquare(square);
        QStringList whole;  // the words that fit without a break
        int smallest = sizes.largest;
        for (const FitCase& c : kFitCases) {
            SCOPED_TRACE(std::string(c.name) + (device ? ", for the PDF" : ", for the PNG"));
            const WordFit fit = FitWords({c.word}, area, sizes, QFont(), device);
            const QFontMetricsF metrics = device ? QFontMetricsF(fit.font, device) : QFontMetricsF(fit.font);
            EXPECT_TRUE(fit.fits == c.fits && area.contains(metrics.boundingRect(area, fit.flags, c.word)) == c.fits);
            EXPECT_EQ(fit.flags, Qt::AlignCenter | Qt::TextWordWrap | (c.breaksInside ? Qt::TextWrapAnywhere : 0));
            const int size = fit.font.pixelSize();
            if (c.size != Size::InRange) { EXPECT_EQ(size, c.size == Size::Start ? sizes.largest : sizes.smallest); }
            if (!c.breaksInside) whole << c.word, smallest = std::min(smallest, size);
        }
        const WordFit all = FitWords(whole, area, sizes, QFont(), device);
        EXPECT_TRUE(all.fits && all.font.pixelSize() == smallest && !(all.flags & Qt::TextWrapAnywhere))
            << "the largest size at which every word fits";
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

TEST(CardColours, WordsInBlackOrWhiteWhicheverContrastsMoreAndABingoFrameApartFromTheSquares) {
    const QColor black(Qt::black), white(Qt::white), red(214, 0, 28), blue(0, 84, 214);
    struct Case { QColor fill, text, frame; };
    for (const Case& c : {Case{Qt::red, black, blue},  // 4.0:1 with white, 5.3:1 with black
                          Case{QColor(200, 30, 40), white, blue}, Case{QColor(128, 0, 0), white, blue},
                          Case{QColor(128, 128, 128), black, red}, Case{Qt::blue, white, red},
                          Case{QColor(255, 255, 0), black, red}, Case{black, white, red}, Case{white, black, red}}) {
        SCOPED_TRACE(c.fill.name().toStdString());
        EXPECT_EQ(std::pair(TextColorOn(c.fill), BingoFrameColor(c.fill)), std::pair(c.text, c.frame));
        EXPECT_GE(ContrastRatio(c.text, c.fill), 4.5);
    }
    EXPECT_DOUBLE_EQ(ContrastRatio(white, black), 21);
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
        ASSERT_TRUE(ExportCard(g.doc, g.dir.File("board.png"), &error)) << error.toStdString();
        const QImage image(Text(g.dir.File("board.png")));
        ASSERT_EQ(image.size(), kExportImageSize);
        for (int k : {0, kSide}) {  // the first and the closing line
            const QPointF onLine(layout.left + k * layout.pitch, layout.top + 2.5 * layout.pitch);
            EXPECT_EQ(image.pixel(onLine.toPoint()), kCardLine);
        }
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

TEST(CardExport, WritesEitherEndingInAnyCaseAndRefusesTheRestLeavingOtherFilesAlone) {
    testing::GameWindow g;
    TempDir out;
    std::ofstream(out.File("plain")) << "not a folder";
    std::ofstream(out.File("kept.png")) << "made read-only";
    using std::filesystem::perms;
    std::filesystem::permissions(out.File("kept.png"), perms::owner_read | perms::group_read | perms::others_read);
    enum Kind { kPdf, kPng, kBadName, kUnwritable };
    const std::pair<std::string, Kind> cases[] = {
        {"board.pdf", kPdf}, {"BOARD.PDF", kPdf}, {"Board.Pdf", kPdf}, {"board.PNG", kPng}, {"board.jpg", kBadName},
        {"board", kBadName}, {"board.png.txt", kBadName}, {"png", kBadName}, {"board.pdfx", kBadName},
        {"plain/board.png", kUnwritable}, {"plain/board.pdf", kUnwritable}, {"kept.png", kUnwritable}};
    for (const auto& [name, kind] : cases) {
        SCOPED_TRACE(name);
        const std::filesystem::path path = out.File(name);
        QString error;
        EXPECT_EQ(ExportCard(g.doc, path, &error), kind <= kPng) << error.toStdString();
        if (kind == kPdf) { EXPECT_EQ(PdfPages(ReadAll(path)), 1); }
        if (kind == kPng) { EXPECT_FALSE(QImage(Text(path)).isNull()); }
        if (kind >= kBadName) ExpectReason(error, path);
        if (kind == kBadName) { EXPECT_TRUE(error.contains(".png") && error.contains(".pdf")) << "the endings"; }
    }
    EXPECT_EQ(Entries(out),
              (std::set<std::string>{"board.pdf", "BOARD.PDF", "Board.Pdf", "board.PNG", "kept.png", "plain"}));
    EXPECT_EQ(ReadAll(out.File("kept.png")), QByteArray("made read-only"));
}

}  // namespace
}  // namespace palabrum
