// Cards to share: distinct deals, the PDF's pages, words that stay on their
// squares, and the board written out without touching the game.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
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
    return [state = seed]() mutable {
        state = static_cast<std::uint32_t>((static_cast<std::uint64_t>(state) * 48271u) % 2147483647u);
        return state;
    };
}

// Plays the given draws over and over.
RandomSource Scripted(std::vector<std::uint32_t> draws) {
    return [draws = std::move(draws), next = std::size_t{0}]() mutable { return draws[next++ % draws.size()]; };
}

std::vector<std::uint32_t> Ascending() {
    std::vector<std::uint32_t> v(kSquares);
    for (int i = 0; i < kSquares; ++i) v[i] = static_cast<std::uint32_t>(i);
    return v;
}

QString FileName(const TempDir& dir, const std::string& name) { return QString::fromStdString(dir.File(name).string()); }

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Pages of a PDF: every "/Type /Page" that is not "/Type /Pages". The writer
// puts object dictionaries in plain text and compresses only the streams.
int PdfPages(const QByteArray& pdf) {
    const QByteArray key("/Type /Page");
    int pages = 0;
    for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
        const qsizetype after = at + key.size();
        if (after >= pdf.size() || pdf[after] != 's') ++pages;
    }
    return pages;
}

// Files left in a directory: a failed write must leave none behind.
std::set<std::string> Entries(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) names.insert(entry.path().filename());
    return names;
}

// ---------------------------------------------------------------- deals

TEST(CardDeals, ThirtyDealsAreDifferentPermutationsOfTheList) {
    const auto cards = DealCards(BuiltInWordList(), 30, Seeded(2024));
    ASSERT_EQ(cards.size(), 30u);
    std::set<CardOrder> distinct;
    for (const CardOrder& order : cards) {
        CardOrder sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < kSquares; ++i) EXPECT_EQ(sorted[i], i) << "each word once on every card";
        distinct.insert(order);
    }
    EXPECT_EQ(distinct.size(), 30u);
}

TEST(CardDeals, TheSameSourceDealsTheSameCards) {
    EXPECT_EQ(DealCards(BuiltInWordList(), 5, Seeded(7)), DealCards(BuiltInWordList(), 5, Seeded(7)));
    EXPECT_NE(DealCards(BuiltInWordList(), 5, Seeded(7)), DealCards(BuiltInWordList(), 5, Seeded(8)));
}

TEST(CardDeals, FollowTheGamesOwnDeal) {
    Board board;
    board.Deal(BuiltInWordList(), true, Seeded(99));
    const auto cards = DealCards(BuiltInWordList(), 1, Seeded(99));
    ASSERT_EQ(cards.size(), 1u);
    for (int s = 0; s < kSquares; ++s) EXPECT_EQ(BuiltInWordList()[cards[0][s]], board.GetWord(s)) << "square " << s;
}

TEST(CardDeals, ARepeatedDealIsDrawnAgain) {
    // Draws 0..24 deal the list in order, 24..0 reversed; the first deal comes twice.
    std::vector<std::uint32_t> draws = Ascending();
    draws.insert(draws.end(), draws.begin(), draws.end());
    for (int i = kSquares - 1; i >= 0; --i) draws.push_back(static_cast<std::uint32_t>(i));
    const auto cards = DealCards(BuiltInWordList(), 2, Scripted(draws));
    ASSERT_EQ(cards.size(), 2u);
    for (int s = 0; s < kSquares; ++s) {
        EXPECT_EQ(cards[0][s], s);
        EXPECT_EQ(cards[1][s], kSquares - 1 - s);
    }
}

TEST(CardDeals, ListsWithARepeatedWordStillGiveDistinctOrders) {
    std::vector<std::u16string> words(kSquares, u"synergy");
    const auto cards = DealCards(words, 10, Seeded(5));
    ASSERT_EQ(cards.size(), 10u);
    EXPECT_EQ(std::set<CardOrder>(cards.begin(), cards.end()).size(), 10u);
}

TEST(CardDeals, ASourceThatOnlyRepeatsItselfGivesUp) {
    EXPECT_TRUE(DealCards(BuiltInWordList(), 2, Scripted(Ascending())).empty());
    TempDir dir;
    QString error;
    EXPECT_FALSE(PrintCards(BuiltInWordList(), 2, Scripted(Ascending()), FileName(dir, "cards.pdf"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("cards.pdf"))) << error.toStdString();
    EXPECT_TRUE(Entries(dir).empty());
}

TEST(CardDeals, NeedExactlyTwentyFiveWords) {
    std::vector<std::u16string> words = BuiltInWordList();
    words.pop_back();
    EXPECT_TRUE(DealCards(words, 1, Seeded(1)).empty());
    TempDir dir;
    QString error;
    EXPECT_FALSE(PrintCards(words, 1, Seeded(1), FileName(dir, "cards.pdf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(CardDeals, AMissingRandomSourceIsRefused) {
    EXPECT_TRUE(DealCards(BuiltInWordList(), 1, RandomSource{}).empty());
    TempDir dir;
    QString error;
    EXPECT_FALSE(PrintCards(BuiltInWordList(), 1, RandomSource{}, FileName(dir, "cards.pdf"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("cards.pdf"))) << error.toStdString();
    EXPECT_TRUE(Entries(dir).empty());
}

// ---------------------------------------------------------------- printed cards

class CardPdf : public ::testing::TestWithParam<int> {};

TEST_P(CardPdf, HasOnePagePerCard) {
    TempDir dir;
    const QString path = FileName(dir, "cards.pdf");
    QString error;
    ASSERT_TRUE(PrintCards(BuiltInWordList(), GetParam(), Seeded(11), path, &error)) << error.toStdString();
    const QByteArray pdf = ReadAll(path);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.contains("/Type /Pages")) << "the page tree is readable, so the count below means something";
    EXPECT_EQ(PdfPages(pdf), GetParam());
    EXPECT_EQ(Entries(dir), std::set<std::string>{"cards.pdf"}) << "no temporary file is left";
}
INSTANTIATE_TEST_SUITE_P(CardCounts, CardPdf, ::testing::Values(1, 30, 99),
                         [](const auto& info) { return std::to_string(info.param) + "Cards"; });

TEST(CardPdfRefuses, ZeroAndMoreThanNinetyNineCards) {
    TempDir dir;
    const QString path = FileName(dir, "cards.pdf");
    for (int count : {0, 100, -1}) {
        QString error;
        EXPECT_FALSE(PrintCards(BuiltInWordList(), count, Seeded(1), path, &error)) << count;
        EXPECT_TRUE(error.contains(QStringLiteral("cards.pdf")) && error.contains(QString::number(count)))
            << error.toStdString();
        EXPECT_FALSE(error.contains(u'\n'));
    }
    EXPECT_TRUE(Entries(dir).empty());
}

TEST(CardPdfRefuses, AnUnwritablePathAndKeepsTheOldFile) {
    TempDir dir;
    std::ofstream(dir.File("plain")) << "not a folder";
    // A path under a plain file cannot be created, even by the superuser.
    const QString path = FileName(dir, "plain") + QStringLiteral("/cards.pdf");
    QString error;
    EXPECT_FALSE(PrintCards(BuiltInWordList(), 3, Seeded(1), path, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Could not write ") + path)) << error.toStdString();
    EXPECT_FALSE(error.contains(u'\n'));

    const QString existing = FileName(dir, "old.pdf");
    std::ofstream(dir.File("old.pdf")) << "the previous run";
    EXPECT_FALSE(PrintCards(BuiltInWordList(), 100, Seeded(1), existing, &error));
    EXPECT_EQ(ReadAll(existing), QByteArray("the previous run"));
    EXPECT_EQ(Entries(dir), (std::set<std::string>{"old.pdf", "plain"}));
}

// ---------------------------------------------------------------- words on squares

const QString kSpacedWord = [] {
    QString text;
    while (text.size() < 240) text += QStringLiteral("leverage ");
    return text.left(240);
}();
const QString kSolidWord = QString(QStringLiteral("abcdefghij")).repeated(24);
const QString kHyphenWord = QStringLiteral("supercalifragilistic-expialidocious-synergy");
// Every glyph as wide as it gets: too much even for the smallest size.
const QString kOverflowingWord = QString(240, u'W');

// The exported picture's squares, and an A4 page at the PDF writer's resolution.
CardLayout ImageLayout() { return LayOutCard(QSizeF(kExportImageSize)); }
CardLayout PageLayout() { return LayOutCard(QSizeF(9921, 14031)); }

int StartSize(const QRectF& square) { return static_cast<int>(square.width() * kWordStartSize); }
int FloorSize(const QRectF& square) { return static_cast<int>(square.width() * kWordFloorSize); }

TEST(CardLayoutGeometry, SquaresAreEvenWholeUnitsInsideTheGridUnderTheTitle) {
    for (const QSizeF page : {QSizeF(kExportImageSize), QSizeF(9921, 14031), QSizeF(400, 300)}) {
        const CardLayout layout = LayOutCard(page);
        const QRectF pageRect(QPointF(0, 0), page);
        const QRectF grid = layout.Grid();
        EXPECT_TRUE(pageRect.contains(grid.adjusted(-layout.line, -layout.line, layout.line, layout.line)));
        EXPECT_TRUE(pageRect.contains(layout.title));
        EXPECT_LE(layout.title.bottom(), grid.top() - layout.line);
        EXPECT_GT(layout.title.height(), 0);
        for (int s = 0; s < kSquares; ++s) {
            const QRectF r = SquareRectOnCard(layout, s);
            EXPECT_EQ(r.size(), SquareRectOnCard(layout, 0).size());
            EXPECT_EQ(r, r.toRect().toRectF()) << "square " << s << " on whole units";
            EXPECT_TRUE(grid.contains(r));
            // Square 5 * row + col.
            EXPECT_DOUBLE_EQ(r.left() - SquareRectOnCard(layout, 0).left(), (s % kSide) * layout.pitch);
            EXPECT_DOUBLE_EQ(r.top() - SquareRectOnCard(layout, 0).top(), (s / kSide) * layout.pitch);
        }
    }
    // The exported picture keeps the grid large.
    EXPECT_GE(SquareRectOnCard(ImageLayout(), 0).width(), 170);
}

TEST(CardWordFit, AShortWordKeepsTheStartSizeAndALongerOneIsNoLarger) {
    const QRectF square = SquareRectOnCard(ImageLayout(), 0);
    const WordFit shortWord = FitWordFont(QStringLiteral("vision"), square);
    EXPECT_TRUE(shortWord.fits);
    EXPECT_EQ(shortWord.font.pixelSize(), StartSize(square));
    EXPECT_TRUE(shortWord.flags & Qt::AlignHCenter && shortWord.flags & Qt::AlignVCenter);
    const WordFit longer = FitWordFont(QStringLiteral("enterprise-wide paradigm shift"), square);
    EXPECT_TRUE(longer.fits);
    EXPECT_LE(longer.font.pixelSize(), shortWord.font.pixelSize());
    EXPECT_GT(longer.bounds.height(), shortWord.bounds.height()) << "wrapped onto more lines";
}

TEST(CardWordFit, WordsWrapWholeWhenTheyCan) {
    const QRectF square = SquareRectOnCard(ImageLayout(), 0);
    for (const QString& word : {kHyphenWord, kSpacedWord, QStringLiteral("best interest(s))")}) {
        const WordFit fit = FitWordFont(word, square);
        EXPECT_TRUE(fit.fits) << word.toStdString();
        EXPECT_FALSE(fit.flags & Qt::TextWrapAnywhere) << word.toStdString();
    }
    EXPECT_TRUE(FitWordFont(kSolidWord, square).flags & Qt::TextWrapAnywhere);
}

struct FitCase {
    const char* name;
    QString word;
};
void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class CardWordFitLong : public ::testing::TestWithParam<FitCase> {};

TEST_P(CardWordFitLong, StaysInsideItsSquareNoSmallerThanTheFloor) {
    for (const CardLayout& layout : {ImageLayout(), PageLayout()}) {
        const QRectF square = SquareRectOnCard(layout, 7);
        const WordFit fit = FitWordFont(GetParam().word, square);
        EXPECT_TRUE(fit.fits);
        EXPECT_GE(fit.font.pixelSize(), FloorSize(square));
        EXPECT_LE(fit.font.pixelSize(), StartSize(square));
        EXPECT_TRUE(TextAreaOfSquare(square).contains(fit.bounds));
        EXPECT_TRUE(square.contains(fit.bounds));
    }
}

TEST_P(CardWordFitLong, FitsAsMeasuredForThePdfWriter) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const QRectF square = SquareRectOnCard(LayOutCard(QSizeF(writer.width(), writer.height())), 12);
    const WordFit fit = FitWordFont(GetParam().word, square, &writer);
    EXPECT_TRUE(fit.fits);
    EXPECT_GE(fit.font.pixelSize(), FloorSize(square));
    EXPECT_TRUE(TextAreaOfSquare(square).contains(fit.bounds));
}

INSTANTIATE_TEST_SUITE_P(CardWords, CardWordFitLong,
                         ::testing::Values(FitCase{"Spaced240", kSpacedWord}, FitCase{"Solid240", kSolidWord},
                                           FitCase{"Hyphenated", kHyphenWord}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CardWordFit, AWordTooLargeEvenAtTheFloorOverflowsAtTheFloor) {
    const QRectF square = SquareRectOnCard(ImageLayout(), 0);
    const WordFit fit = FitWordFont(kOverflowingWord, square);
    EXPECT_FALSE(fit.fits);
    EXPECT_EQ(fit.font.pixelSize(), FloorSize(square));
    EXPECT_GT(fit.bounds.height(), TextAreaOfSquare(square).height());
}

// One card with a single word on square 12 and the rest empty, drawn to the
// exported picture's size: outside that square (and the title) only paper
// and grid may show, and inside it ink stays within the text area.
class CardDrawing : public ::testing::TestWithParam<FitCase> {};

TEST_P(CardDrawing, PaintsNothingOutsideTheWordsSquare) {
    const CardLayout layout = ImageLayout();
    CardFace face;
    face.words[12] = GetParam().word;
    QImage image(kExportImageSize, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        PaintCard(painter, layout, face);
    }
    const QRect square = SquareRectOnCard(layout, 12).toRect();
    const QRect title = layout.title.toRect();
    const QRect area = TextAreaOfSquare(SquareRectOnCard(layout, 12)).toAlignedRect();
    int stray = 0;
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (title.contains(x, y)) continue;
            if (square.contains(x, y)) {
                if (pixel != kCardPaper) {
                    ++inked;
                    if (!area.contains(x, y)) ++stray;
                }
                continue;
            }
            if (pixel != kCardPaper && pixel != kCardLine) ++stray;
        }
    }
    EXPECT_EQ(stray, 0);
    EXPECT_GT(inked, 500) << "the word is drawn";
}

INSTANTIATE_TEST_SUITE_P(CardWords, CardDrawing,
                         ::testing::Values(FitCase{"Spaced240", kSpacedWord}, FitCase{"Solid240", kSolidWord},
                                           FitCase{"Hyphenated", kHyphenWord},
                                           FitCase{"OverflowingAtTheFloor", kOverflowingWord}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- the board in play

// Everything a player could tell apart in the game.
struct GameState {
    std::vector<std::u16string> words;
    std::vector<int> marks;
    bool started, bingo;
    int lineStart, lineStep;
    bool operator==(const GameState&) const = default;
};

GameState StateOf(const CPalabrumDoc& doc) {
    GameState state{{}, {}, doc.IsStarted(), doc.IsBingo(), doc.GetBingoLineStart(), doc.GetBingoLineStep()};
    for (int s = 0; s < kSquares; ++s) {
        state.words.push_back(doc.GetWord(s));
        state.marks.push_back(doc.GetMark(s));
    }
    return state;
}

const QRgb kBlue = qRgb(0, 0, 255);

class CardExport : public ::testing::Test {
protected:
    CardExport() { w.doc.Options().m_boardColor = 0x00FF0000; }  // blue, as the options keep it

    // Exports to a PNG and reads it back.
    QImage ExportedPng() {
        const QString path = FileName(w.dir, "board.png");
        QString error;
        EXPECT_TRUE(ExportCard(w.doc, path, &error)) << error.toStdString();
        return QImage(path);
    }
    // A pixel inside a square just within its edge, where a bingo frame lies,
    // and one just within its text area, clear of any frame and of the word.
    static QPoint EdgeOf(int square) { return SquareRectOnCard(ImageLayout(), square).topLeft().toPoint() + QPoint(1, 1); }
    static QPoint InsideOf(int square) {
        return TextAreaOfSquare(SquareRectOnCard(ImageLayout(), square)).topLeft().toPoint() + QPoint(1, 1);
    }

    testing::GameWindow w;
};

TEST_F(CardExport, PngIsTheStatedSizeWithMarksInTheBoardColour) {
    w.doc.SetMark(0, 1);
    w.doc.SetMark(12, 1);
    ASSERT_FALSE(w.doc.IsBingo());
    const QImage image = ExportedPng();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), kExportImageSize);
    for (int s = 0; s < kSquares; ++s) {
        const QRgb expected = s == 0 || s == 12 ? kBlue : kCardPaper;
        EXPECT_EQ(image.pixel(EdgeOf(s)), expected) << "square " << s;
        EXPECT_EQ(image.pixel(InsideOf(s)), expected) << "square " << s;
    }
    const CardLayout layout = ImageLayout();
    EXPECT_EQ(image.pixel(QPointF(layout.left, layout.top + 2.5 * layout.pitch).toPoint()), kCardLine);
}

TEST_F(CardExport, WordsOnMarkedSquaresTakeTheContrastingColour) {
    struct Case {
        unsigned boardColor;
        QRgb text;
    };
    for (const Case c : {Case{0x00800000, qRgb(255, 255, 255)}, Case{0x0000FFFF, qRgb(0, 0, 0)}}) {
        w.doc.Options().m_boardColor = c.boardColor;
        w.doc.SetMark(7, 1);
        const QImage image = ExportedPng();
        const QRect area = TextAreaOfSquare(SquareRectOnCard(ImageLayout(), 7)).toRect();
        int textPixels = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) textPixels += image.pixel(x, y) == c.text;
        }
        EXPECT_GT(textPixels, 50) << std::hex << c.boardColor;
    }
    EXPECT_EQ(TextColorOn(Qt::black), QColor(Qt::white));
    EXPECT_EQ(TextColorOn(Qt::white), QColor(Qt::black));
    EXPECT_EQ(TextColorOn(QColor(0, 0, 128)), QColor(Qt::white));
    EXPECT_EQ(TextColorOn(QColor(255, 255, 0)), QColor(Qt::black));
}

struct LineCase {
    const char* name;
    std::array<int, kSide> squares;
    int start, step;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class CardExportBingo : public CardExport, public ::testing::WithParamInterface<LineCase> {};

TEST_P(CardExportBingo, FramesTheFiveSquaresOfTheLine) {
    const LineCase& line = GetParam();
    for (int s : line.squares) w.doc.SetMark(s, 1);
    w.doc.SetMark(line.squares[0] == 0 ? 24 : 0, 1);  // a mark off the line
    ASSERT_TRUE(w.doc.IsBingo());
    ASSERT_EQ(w.doc.GetBingoLineStart(), line.start);
    ASSERT_EQ(w.doc.GetBingoLineStep(), line.step);
    const QRgb frame = BingoFrameColor(QColor(kBlue)).rgb();
    ASSERT_NE(frame, kBlue);
    const QImage image = ExportedPng();
    for (int s = 0; s < kSquares; ++s) {
        const bool onLine = std::find(line.squares.begin(), line.squares.end(), s) != line.squares.end();
        const bool marked = w.doc.GetMark(s) != 0;
        EXPECT_EQ(image.pixel(EdgeOf(s)), onLine ? frame : marked ? kBlue : kCardPaper) << "square " << s;
        EXPECT_EQ(image.pixel(InsideOf(s)), marked ? kBlue : kCardPaper) << "square " << s;
    }
}

INSTANTIATE_TEST_SUITE_P(CardLines, CardExportBingo,
                         ::testing::Values(LineCase{"Row", {10, 11, 12, 13, 14}, 10, 1},
                                           LineCase{"Column", {2, 7, 12, 17, 22}, 2, 5},
                                           LineCase{"Diagonal", {0, 6, 12, 18, 24}, 0, 6},
                                           LineCase{"AntiDiagonal", {4, 8, 12, 16, 20}, 4, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CardBingoFrame, StandsApartFromTheSquaresItFrames) {
    for (const QColor fill : {QColor(Qt::red), QColor(200, 30, 40), QColor(128, 0, 0), QColor(Qt::blue),
                              QColor(Qt::black), QColor(Qt::white), QColor(255, 255, 0)}) {
        const QColor frame = BingoFrameColor(fill);
        const int distance = std::abs(frame.red() - fill.red()) + std::abs(frame.green() - fill.green()) +
                             std::abs(frame.blue() - fill.blue());
        EXPECT_GT(distance, 200) << fill.name().toStdString();
    }
    // Red wherever red stands apart.
    auto reddish = [](const QColor& c) { return c.hslSaturation() > 128 && (c.hslHue() >= 330 || c.hslHue() <= 30); };
    for (const QColor fill : {QColor(Qt::blue), QColor(Qt::green), QColor(Qt::black), QColor(Qt::white)})
        EXPECT_TRUE(reddish(BingoFrameColor(fill))) << fill.name().toStdString();
    EXPECT_FALSE(reddish(BingoFrameColor(Qt::red)));
}

TEST_F(CardExport, PdfHasOnePageWhateverTheCaseOfItsEnding) {
    for (const char* name : {"board.pdf", "BOARD.PDF", "Board.Pdf"}) {
        const QString path = FileName(w.dir, name);
        QString error;
        ASSERT_TRUE(ExportCard(w.doc, path, &error)) << name << ": " << error.toStdString();
        EXPECT_EQ(PdfPages(ReadAll(path)), 1) << name;
    }
    QString error;
    EXPECT_TRUE(ExportCard(w.doc, FileName(w.dir, "board.PNG"), &error)) << error.toStdString();
    EXPECT_FALSE(QImage(FileName(w.dir, "board.PNG")).isNull());
}

TEST_F(CardExport, RefusesOtherEndingsAndUnwritablePaths) {
    TempDir out;
    for (const char* name : {"board.jpg", "board", "board.png.txt", "png", "board.pdfx"}) {
        QString error;
        EXPECT_FALSE(ExportCard(w.doc, FileName(out, name), &error)) << name;
        EXPECT_TRUE(error.contains(QString::fromLatin1(name)) && error.contains(QStringLiteral(".png")) &&
                    error.contains(QStringLiteral(".pdf")))
            << error.toStdString();
    }
    EXPECT_TRUE(Entries(out).empty());

    std::ofstream(out.File("plain")) << "not a folder";
    for (const char* name : {"/board.png", "/board.pdf"}) {
        const QString path = FileName(out, "plain") + QString::fromLatin1(name);
        QString error;
        EXPECT_FALSE(ExportCard(w.doc, path, &error)) << name;
        EXPECT_TRUE(error.startsWith(QStringLiteral("Could not write ") + path)) << error.toStdString();
        EXPECT_FALSE(error.contains(u'\n'));
    }
    EXPECT_EQ(Entries(out), std::set<std::string>{"plain"});
}

TEST_F(CardExport, LeavesTheGameAsItWas) {
    const GameState fresh = StateOf(w.doc);
    ASSERT_FALSE(fresh.started);
    QString error;
    ASSERT_TRUE(ExportCard(w.doc, FileName(w.dir, "a.png"), &error));
    ASSERT_TRUE(ExportCard(w.doc, FileName(w.dir, "a.pdf"), &error));
    EXPECT_EQ(StateOf(w.doc), fresh);

    for (int s : {3, 8, 13, 18, 23, 11}) w.doc.SetMark(s, 1);
    const GameState bingo = StateOf(w.doc);
    ASSERT_TRUE(bingo.bingo);
    ASSERT_TRUE(ExportCard(w.doc, FileName(w.dir, "b.png"), &error));
    ASSERT_TRUE(ExportCard(w.doc, FileName(w.dir, "b.pdf"), &error));
    EXPECT_EQ(StateOf(w.doc), bingo);
}

}  // namespace
}  // namespace palabrum
