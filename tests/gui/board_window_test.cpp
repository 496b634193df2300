// The board on screen, with the flash and the bingo pane's ripple each turned by its timer alone,
// and on cards: dealt, laid out, worded in colours that read, and written.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QToolTip>
#include <QWindow>
#include <fstream>
#include <random>

#include "model/word_list.h"
#include "tests/gui/gui_fixture.h"
#include "views/board_window.h"
#include "views/card_files.h"
#include "views/card_painter.h"
#include "views/contrast.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255);

class Board : public ::testing::Test {
protected:
    UIBoard& board() { return *w.view.Board(); }
    QString Word() { return w.view.WordLabel()->text(); }
    void MarkRow0() { w.doc.SetMarks(std::vector<std::int32_t>{0, 1, 2, 3, 4}); }
    testing::GameWindow w;
};

// Pitch 22: lines on 1, 23, ..., 111, a mark on 3 to 21 of its pitch; the strip past the squares hits none.
TEST_F(Board, GridMarksAndHitsCoverExactlyTheirPixels) {
    w.doc.Options().m_boardColor = 0x00FF0000;  // blue, as 0x00BBGGRR
    w.doc.SetMarks(std::vector<std::int32_t>{0, 24});
    const QImage image = testing::Render(board());
    const auto line = [](int v, int across) { return v % 22 == 1 && across >= 1 && across <= 111; };
    const auto fill = [](int x, int y, int at) { return x >= at && x <= at + 18 && y >= at && y <= at + 18; };
    for (int y = 0; y < 113; ++y)
        for (int x = 0; x < 113; ++x)
            ASSERT_EQ(image.pixel(x, y), line(y, x) || line(x, y) || fill(x, y, 3) || fill(x, y, 91) ? kBlue : kWhite)
                << x << "," << y;
    for (const auto& [p, square] :
         {std::pair(QPoint(0, 0), 0), {{65, 30}, 7}, {{109, 109}, 24}, {{110, 50}, -1}, {{50, 110}, -1}, {{-1, 5}, -1}})
        EXPECT_EQ(board().SquareFromPoint(p), square) << p.x() << "," << p.y();
}

// The real sequence of a double click: press, release, double click, release.
TEST_F(Board, APressOrARestShowsTheWordAndADoubleClickTogglesTheMark) {
    QWindow* window = w.view.window()->windowHandle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QPoint square7 = board().mapTo(w.view.window(), QPoint(65, 30));
    const QImage before = testing::Render(board());
    QTest::mousePress(window, Qt::LeftButton, {}, square7);  // the keyboard's square now, but outlined only by keys
    EXPECT_EQ(std::tuple(Word(), board().FocusSquare(), board().hasFocus(), testing::Render(board()) == before),
              std::tuple("refocus", 7, true, true));
    QTest::mouseRelease(window, Qt::LeftButton, {}, square7);
    EXPECT_EQ(Word(), "");
    QTest::mouseDClick(window, Qt::LeftButton, {}, square7);
    EXPECT_EQ(w.doc.GetMark(7), 1);
    board().OnMouseMove(Qt::NoButton);  // a second's rest shows the word under the pointer
    EXPECT_EQ(std::pair(board().HoverTimer().interval(), board().IsHoverTimerActive()), std::pair(1000, true));
    QCursor::setPos(board().mapToGlobal(QPoint(100, 10)));
    board().OnTimer(UIBoard::kHoverTimer);
    EXPECT_EQ(Word(), "facilitate");
    board().OnMouseMove(Qt::NoButton);
    board().OnLButtonDown({65, 30});  // a rest begun before a press ends with it
    EXPECT_EQ(std::pair(Word(), board().IsHoverTimerActive()), std::pair(QString("refocus"), false));
    MarkRow0();  // during a bingo neither a press nor a rest shows a word, but a double press toggles
    board().OnLButtonDown({30, 30});
    EXPECT_EQ(Word(), "refocus");
    board().OnMouseMove(Qt::NoButton);
    EXPECT_FALSE(board().IsHoverTimerActive());
    board().OnLButtonDblClk({30, 5});
    board().OnMouseMove(Qt::NoButton);
    EXPECT_EQ(std::pair(w.doc.IsBingo(), board().IsHoverTimerActive()), std::pair(false, true));
}

// The anti-diagonal and square 0 off it; paints in between (an expose, a focus change) keep the phase.
TEST_F(Board, TheWinningLineAloneFlashesTwiceASecondMarksFirstUntilTheBingoEnds) {
    w.doc.SetMarks(std::vector<std::int32_t>{4, 8, 12, 16, 20, 0});
    EXPECT_EQ(std::pair(board().FlashTimer().interval(), board().FlashTimer().isActive()), std::pair(500, true));
    for (int tick = 0; tick < 5; ++tick, board().OnTimer(UIBoard::kFlashTimer)) {
        testing::Render(board());
        const QImage image = testing::Render(board());
        const QRgb line = tick % 2 == 0 ? kBlack : kWhite;
        EXPECT_EQ(std::tuple(image.pixel(98, 10), image.pixel(55, 55), image.pixel(10, 10)),
                  std::tuple(line, line, kBlack)) << tick;
    }
    w.doc.SetMark(8, 0);  // in the blank phase, the bingo ends: every mark steady again
    EXPECT_EQ(std::pair(board().FlashTimer().isActive(), testing::Render(board()).pixel(98, 10)),
              std::pair(false, kBlack));
}

// Rings 7 pixels apart every 200 ms round a picture chosen before the bingo; a blank tick once they
// have reached the pane's edge twice, and over again; a resize starts over round the moved picture.
TEST_F(Board, ThePaneRipplesOutFromThePictureAndCyclesUntilTheBingoEnds) {
    auto picture = std::make_unique<Picture>();
    picture->pixels.fill(0xFFFF0000u);
    w.doc.PendingPicture().Give(std::move(picture));
    w.doc.UpdateAllViews({DocumentChange::Kind::kOptionsChanged});
    MarkRow0();
    StatusPane& pane = *w.view.Pane();
    const auto rings = [&] {  // the black pixels along the middle row up to the picture's left column
        const QImage image = testing::Render(pane);
        std::vector<int> black;
        for (int x = 0; x <= image.width() / 2 - 20; ++x)
            if (image.pixel(x, image.height() / 2) == kBlack) black.push_back(x);
        return black;
    };
    const std::pair<int, std::vector<std::vector<int>>> sides[] = {
        {113,
         {{}, {29}, {22, 29}, {15, 22, 29}, {8, 15, 22, 29}, {1, 8, 15, 22, 29}, {0, 1, 8, 15, 22, 29}, {}, {}, {29}}},
        {60, {{}, {3}, {0, 3}, {}, {}, {3}, {0, 3}, {}, {}, {3}}}};
    for (const auto& [side, expected] : sides) {
        pane.resize(side, side);
        EXPECT_EQ(std::tuple(pane.RippleTimer().interval(), pane.RippleTimer().isActive(), rings()),
                  std::tuple(200, true, std::vector<int>{}));
        for (std::size_t tick = 0; tick < expected.size(); ++tick) {
            pane.OnTimer();
            rings();  // another paint changes nothing
            EXPECT_EQ(rings(), expected[tick]) << "side " << side << ", tick " << tick + 1;
        }
    }
    const QImage image = testing::Render(pane);  // the picture on 10 to 49, the first ring's right side on 56
    EXPECT_EQ(std::tuple(w.doc.PendingPicture().IsEmpty(), image.pixel(10, 49), image.pixel(49, 10),
                         image.pixel(50, 30), image.pixel(56, 30)),
              std::tuple(true, kRed, kRed, kWhite, kBlack));
    w.doc.SetMark(2, 0);
    EXPECT_EQ(std::pair(pane.RippleTimer().isActive(), pane.isVisibleTo(&w.view)), std::pair(false, false));
}

// The most any pixel of a rectangle stands out from a colour: the ink of the word drawn there.
double MostContrast(const QImage& image, const QRect& r, const QColor& against) {
    double most = 1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) most = std::max(most, ContrastRatio(image.pixel(x, y), against));
    return most;
}

// Words change only pixels in word areas inside the fills (which leave the outline a second pixel), centred, at
// one size, light on a dark mark and dark on white (in the flash's blank phase too); one too long at any size is
// elided, whole in a tooltip. The picture grows with the pane. Switched off, all is the handheld's to the pixel.
TEST(BoardWords, StayInTheirSquaresReadInAnyPaletteFlashAndGoWithTheSwitch) {
    testing::GameWindow w(480, 536);
    const std::string huge = std::string(60, 'W') + QString(" and").repeated(30).toStdString();  // too wide, too long
    const std::string numbered = testing::NumberedLines(24, "r\xC3\xA9sult-driven \xE4\xBC\x9A ");  // UTF-8
    w.port.filePicks = {w.dir.Write("list.txt", numbered + huge + "\n")};
    w.doc.OnCmdMsg(kCmdLoadCustomList);
    w.doc.SetMarks(std::vector<std::int32_t>{0, 1, 2, 3, 4, 23});
    UIBoard& board = *w.view.Board();
    const QImage handheld = testing::Render(board);
    w.view.SetWordsOnBoard(true);  // the desktop's layout: a larger board
    const QImage words = testing::Render(board);
    board.SetWordsShown(false);
    const QImage bare = testing::Render(board);  // the same board without its words
    board.SetWordsShown(true);
    std::array<QRect, kSquares> inked{};
    for (int y = 0; y < words.height(); ++y)
        for (int x = 0; x < words.width(); ++x) {
            if (words.pixel(x, y) == bare.pixel(x, y)) continue;
            const int s = board.SquareFromPoint({x, y});
            ASSERT_GE(s, 0) << x << "," << y;
            const QRect fill = board.SquareRect(s).ToQRect();
            if (fill.adjusted(-1, -1, 1, 1).contains(x, y) && !fill.contains(x, y)) continue;  // the outline's room
            const QRectF area = board.WordArea(s);
            ASSERT_TRUE(area.contains(QPointF(x + 0.5, y + 0.5)) && QRectF(fill).contains(area)) << x << "," << y;
            inked[static_cast<std::size_t>(s)] |= QRect(x, y, 1, 1);
        }
    const auto area = [&](int s) { return board.WordArea(s).toAlignedRect(); };
    for (int s = 0; s < kSquares; ++s) {  // centred, to the pixel
        const QPoint off = inked[static_cast<std::size_t>(s)].center() - area(s).center();
        EXPECT_LE(std::max(std::abs(off.x()), std::abs(off.y())), 1) << "square " << s;
    }
    const QColor black(Qt::black), white(Qt::white);  // white words on the black marks, black ones off them
    EXPECT_GE(std::min({MostContrast(words, area(0), black), MostContrast(words, area(23), black),
                        MostContrast(words, area(7), white)}), 15);
    board.OnTimer(UIBoard::kFlashTimer);  // the blank phase: the line's words black on white
    EXPECT_GE(MostContrast(testing::Render(board), area(0), white), 15);
    const SquareWords& set = board.Words();
    const QString utf8 = QString::fromUtf8("r\xC3\xA9sult-driven \xE4\xBC\x9A 1");  // as the list's UTF-8 gave it
    const auto listed = w.view.WordList()->findItems(utf8, Qt::MatchExactly).size();
    EXPECT_EQ(std::pair(set.lines[0].join(QString()).remove(u' '), listed),
              std::pair(QString(utf8).remove(u' '), qsizetype{1}));  // wrapped at each blank and after the hyphen
    EXPECT_EQ(std::tuple(std::count(set.elided.begin(), set.elided.end(), true), set.elided[24],
                         set.lines[24].back().endsWith(u'…'), set.font.pixelSize() > 9,
                         w.view.Pane()->PictureRect().Width()),
              std::tuple(1, true, true, true, 160));  // none held back by the one too long; the picture 4 times 40
    QHelpEvent tip(QEvent::ToolTip, area(24).center(), board.mapToGlobal(area(24).center()));
    QApplication::sendEvent(&board, &tip);
    EXPECT_EQ(QToolTip::text(), QString::fromStdString(huge));
    board.OnLButtonDown(area(23).center());  // then reached by Tab: two pixels round it, ink outside, white by the mark
    QApplication::setActiveWindow(&w.view);
    board.setFocus(Qt::TabFocusReason);
    const QImage outlined = testing::Render(board);
    const auto at = [&](int x) { return outlined.pixel(board.width() / 5 * 3 + x, area(23).center().y()); };
    EXPECT_EQ(std::tuple(at(1), at(2), at(3), at(4)), std::tuple(kBlack, kBlack, kWhite, kBlack));  // grid to mark
    board.clearFocus();
    w.view.SetWordsOnBoard(false);
    board.OnTimer(UIBoard::kFlashTimer);  // the marked phase again, as at first
    EXPECT_EQ(std::pair(testing::Render(board), w.view.Pane()->PictureRect().Width()), std::pair(handheld, 40));
    w.view.SetWordsOnBoard(true);
    // For every board colour, on the rendered pixels: words read 4.5:1 on and off a mark in any palette; in a
    // dark one, lines, marks and rings stand out 3:1 from the base (or a white card where a colour would not).
    StatusPane& pane = *w.view.Pane();
    const QPalette dark(Qt::white, Qt::black, Qt::gray, Qt::black, Qt::darkGray, Qt::lightGray, QColor(30, 30, 30));
    for (const bool isDark : {false, true}) {
        const QPalette palette = isDark ? dark : QApplication::palette();
        w.view.setPalette(palette);  // and so the board's and the pane's
        for (unsigned value : {0x000000u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu}) {
            w.doc.Options().m_boardColor = value;
            const QImage image = testing::Render(board);
            const QColor ground = image.pixel(board.SquareRect(7).ToQRect().topLeft()), line = image.pixel(5, 1);
            const QColor mark = image.pixel(board.SquareRect(0).ToQRect().topLeft());
            const QColor base = palette.color(QPalette::Base);
            EXPECT_EQ(ground, ContrastRatio(mark, base) >= 3 ? base : QColor(Qt::white)) << "a white card, as paper";
            const auto ink = [&](int s, QColor on) { return MostContrast(image, board.WordArea(s).toRect(), on); };
            EXPECT_GE(std::min(ink(0, mark), ink(7, ground)), 4.5) << value << (isDark ? " dark" : " light");
            EXPECT_GE(std::min(ContrastRatio(line, ground), ContrastRatio(mark, ground)), isDark ? 3 : 1) << value;
        }
        pane.OnSize();  // the ripple from its start: two ticks give the first ring
        for (int tick = 0; tick < 2; ++tick) pane.OnTimer();
        const QImage rings = testing::Render(pane);
        const QColor paneGround = rings.pixel(1, 1), ring = rings.pixel(pane.PictureRect().left - 7, pane.height() / 2);
        EXPECT_TRUE(paneGround == palette.color(QPalette::Base) && ContrastRatio(ring, paneGround) >= 3) << isDark;
    }
    w.view.resize(240, 268);  // set again for the new size
    EXPECT_EQ(board.Words().font.pixelSize(), 9);
}

QString Refusal(const std::filesystem::path& file, const QString& why) {
    return why.isEmpty() ? QString() : "Could not write " + QString::fromStdString(file) + ": " + why;
}

// A run prints a page for each card, a repeated deal dealt again, or is refused leaving the file alone.
TEST(Cards, APrintRunDealsDifferentCardsOnePageEachOrLeavesTheFileAlone) {
    const auto inOrder = [n = 0u]() mutable -> std::uint32_t { return n++ % kSquares; };
    const auto twiceThenReversed = [n = 0u]() mutable -> std::uint32_t { return n < 50 ? n++ % 25 : 24 - n++ % 25; };
    testing::TempDir dir;
    std::ofstream(dir.File("cards.pdf")) << "the last run";
    std::ofstream(dir.File("plain")) << "not a folder";  // nothing under it can be made, even by the superuser
    const std::vector<std::u16string> all = BuiltInWordList(), few(all.begin() + 1, all.end());
    struct Case { std::vector<std::u16string> words; int count; RandomSource random; const char* file; QString why; };
    for (const Case& c :
         {Case{few, 1, inOrder, "cards.pdf", "a card needs 25 words, not 24."},
          Case{all, 1, {}, "cards.pdf", "there is no random source to deal with."},
          Case{all, 2, inOrder, "cards.pdf", "the random source keeps repeating the same deals."},
          Case{all, 0, inOrder, "cards.pdf", "a print run is 1 to 99 cards, not 0."},
          Case{all, 100, inOrder, "cards.pdf", "a print run is 1 to 99 cards, not 100."},
          Case{all, 1, inOrder, "plain/cards.pdf", "Not a directory."}, Case{all, 1, inOrder, "cards.pdf", ""},
          Case{all, 2, twiceThenReversed, "cards.pdf", ""}, Case{all, 99, std::minstd_rand(11), "cards.pdf", ""}}) {
        QString error;
        EXPECT_EQ(PrintCards(c.words, c.count, c.random, dir.File(c.file), &error), c.why.isEmpty()) << c.count;
        EXPECT_EQ(std::tuple(error, testing::PdfPages(testing::ReadFile(dir.File("cards.pdf")))),
                  std::tuple(Refusal(dir.File(c.file), c.why), c.why.isEmpty() ? c.count : 0));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
    }
}

// Whole units, squares in reading order, words clear of the sides at the largest size that fits them
// whole, else broken anywhere; too wide even at the floor (every glyph as wide as it gets): at the floor.
TEST(Cards, LayOutOnWholeUnitsWithWordsAsLargeAsTheyFit) {
    struct Case { QSizeF page; QRectF title, firstSquare; double pitch, line; QRectF text; FontSizes sizes; };
    for (const Case& c :
         {Case{{1000, 1100}, {69, 61, 862, 112}, {71, 177, 170, 170}, 172, 2, {82.9, 188.9, 146.2, 146.2}, {24, 10}},
          Case{{9921, 14031}, {612, 2085, 8697, 1131}, {629, 3250, 1719, 1719}, 1736, 17,  // an A4 PDF
               {749.33, 3370.33, 1478.34, 1478.34}, {245, 101}}}) {
        const CardLayout l = LayOutCard(c.page);
        const QRectF square = SquareRectOnCard(l, 0);
        EXPECT_EQ(std::tuple(l.title, square, l.pitch, l.line), std::tuple(c.title, c.firstSquare, c.pitch, c.line));
        EXPECT_EQ(SquareRectOnCard(l, 23), c.firstSquare.translated(3 * c.pitch, 4 * c.pitch)) << "row 4, column 3";
        EXPECT_EQ(std::pair(TextAreaOfSquare(square), WordSizesOfSquare(square)), std::pair(c.text, c.sizes));
    }
    const QRectF area(0, 0, 146.2, 146.2);
    const int whole = Qt::TextWordWrap, anywhere = Qt::TextWordWrap | Qt::TextWrapAnywhere;
    const std::tuple<QString, int, int, bool> words[] = {
        {"vision", 24, whole, true}, {QString("leverage ").repeated(12), 0, whole, true},
        {QString("abcdefghij").repeated(3), 0, anywhere, true}, {QString(240, u'W'), 15, anywhere, false}};
    for (const auto& [word, size, wrap, fits] : words) {
        const WordFit fit = FitWords({word}, area, {24, 15}, QFont());
        const bool inside = area.contains(QFontMetricsF(fit.font).boundingRect(area, fit.flags, word));
        EXPECT_EQ(std::tuple(fit.flags, fit.fits, inside, size ? fit.font.pixelSize() : 0),
                  std::tuple(Qt::AlignCenter | wrap, fits, fits, size)) << word.left(20).toStdString();
    }
}

// Words in black or white, whichever reads better; a bingo frame red, or blue on a reddish fill. Marks in
// the board colour (0x00BBGGRR) with words that read on them, the line's squares (listed first) framed;
// no read-only file replaced.
TEST(Cards, TheExportedBoardShowsMarksInColoursThatStandApartAndFramesTheBingoLine) {
    const QColor black(Qt::black), white(Qt::white), red(214, 0, 28), blue(0, 84, 214);
    for (const auto& [fill, text, frame] :
         {std::tuple(QColor(Qt::red), black, blue),  // 4.0:1 with white, 5.3:1 with black
          {QColor(200, 30, 40), white, blue}, {QColor(128, 128, 128), black, red}, {QColor(Qt::blue), white, red}}) {
        EXPECT_EQ(std::tuple(TextColorOn(fill), BingoFrameColor(fill), ContrastRatio(text, fill) >= 4.5),
                  std::tuple(text, frame, true)) << fill.name().toStdString();
    }
    const CardLayout layout = LayOutCard(QSizeF(kExportImageSize));
    testing::GameWindow g;
    struct Case { unsigned color; QRgb fill; std::vector<int> marks; int line; };
    for (const Case& c :
         {Case{0x0000FFFF, qRgb(255, 255, 0), {0, 12}, 0}, Case{0x00FF0000, kBlue, {10, 11, 12, 13, 14, 0}, 5},
          Case{0x00FF0000, kBlue, {2, 7, 12, 17, 22, 0}, 5}, Case{0x00FF0000, kBlue, {0, 6, 12, 18, 24, 4}, 5},
          Case{0x00FF0000, kBlue, {4, 8, 12, 16, 20, 0}, 5}}) {
        g.doc.Options().m_boardColor = c.color;
        g.doc.SetMarks(std::vector<std::int32_t>(c.marks.begin(), c.marks.end()));
        ASSERT_TRUE(ExportCard(g.doc, g.dir.File("board.PNG"), nullptr));
        const QImage image(QString::fromStdString(g.dir.File("board.PNG")));
        ASSERT_EQ(image.size(), kExportImageSize);
        for (int s = 0; s < kSquares; ++s) {
            const auto at = std::find(c.marks.begin(), c.marks.end(), s) - c.marks.begin();
            const QRect square = SquareRectOnCard(layout, s).toRect(), area = TextAreaOfSquare(square).toRect();
            const QRgb fill = at < std::ssize(c.marks) ? c.fill : kCardPaper;
            const auto corner = [&](const QRect& r) { return image.pixel(r.topLeft() + QPoint(1, 1)); };
            EXPECT_EQ(std::tuple(corner(square), corner(area), MostContrast(image, area, QColor(fill)) >= 4.5),
                      std::tuple(at < c.line ? BingoFrameColor(QColor(c.fill)).rgb() : fill, fill, true)) << s;
        }
    }
    std::ofstream(g.dir.File("kept.png")) << "read-only";
    std::filesystem::permissions(g.dir.File("kept.png"), std::filesystem::perms::owner_read);
    for (const auto& [name, why] : {std::pair<std::string, QString>{"BOARD.PDF", ""},
                                    {"board.png.txt", "the name must end in .png or .pdf."},
                                    {"kept.png", "Permission denied."}}) {
        QString error;
        EXPECT_EQ(ExportCard(g.doc, g.dir.File(name), &error), why.isEmpty()) << name;
        EXPECT_EQ(error, Refusal(g.dir.File(name), why));
    }
    EXPECT_EQ(std::pair(testing::PdfPages(testing::ReadFile(g.dir.File("BOARD.PDF"))), testing::ReadFile(g.dir.File("kept.png"))),
              std::pair(qsizetype{1}, std::string("read-only")));
}

}  // namespace
}  // namespace palabrum
