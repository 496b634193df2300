// The Options dialog and its colour swatch: what they show, what taps, Load... and OK do,
// and what the Options command hands the document and views.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "model/bingo_pictures.h"
#include "model/file_name.h"
#include "options/color_wnd.h"
#include "options/options_dlg.h"
#include "tests/gui/gui_fixture.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

using testing::ShownBox;

// Cells 15 pixels square and 18 apart, each colour a 9 pixel square 3 in; only a plain left tap on a
// cell picks it, framed in black then (and none framed for a stored colour of no cell).
TEST(Swatch, ShowsSevenColoursAndOnlyAPlainTapOnACellPicksAndFramesOne) {
    const std::uint32_t values[] = {0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF};  // BBGGRR
    const auto drawn = [&](int i) { return qRgb(values[i] & 0xFF, values[i] >> 8 & 0xFF, values[i] >> 16); };
    const Qt::MouseButtons left = Qt::LeftButton, both = left | Qt::RightButton;
    const std::tuple<QPoint, Qt::MouseButtons, Qt::KeyboardModifiers, int> taps[] = {  // and the cell picked since
        {{15, 5}, left, {}, -1}, {{40, 15}, left, {}, -1}, {{60, 7}, left, {}, 3}, {{72, 0}, left, {}, 4},
        {{122, 14}, left, {}, 6}, {{0, 0}, left, {}, 0}, {{17, 5}, left, {}, 0}, {{95, 5}, both, {}, 0},
        {{95, 5}, left, Qt::ShiftModifier, 0}};
    CColorWnd swatch;
    swatch.m_selectedColor = 0x808080;
    for (const auto& [at, buttons, modifiers, picked] : taps) {
        swatch.OnLButtonDown(at, buttons, modifiers);
        const QImage image = testing::Render(swatch);
        for (int cell = 0, x = 0; cell < 7; ++cell, x += 18) {
            const bool framed = image.pixel(x, 0) == qRgb(0, 0, 0) && image.pixel(x + 14, 14) == qRgb(0, 0, 0);
            const std::uint32_t selected = picked < 0 ? 0x808080 : values[picked];
            EXPECT_EQ(std::tuple(swatch.m_selectedColor, image.pixel(x + 3, 3), image.pixel(x + 11, 11),
                                 image.pixel(x + 12, 3) != drawn(cell), framed),
                      std::tuple(selected, drawn(cell), drawn(cell), true, cell == picked))
                << at.x() << "," << at.y() << ": " << cell;
        }
    }
}

// A 40 pixel wide 24-bit BMP of one colour, as paint programs write them.
std::string SolidBmp(char r, char g, char b, char height = 40) {
    std::string file(54, '\0');
    file[0] = 'B', file[1] = 'M', file[10] = 54, file[14] = 40, file[18] = 40, file[22] = height, file[26] = 1,
    file[28] = 24;
    for (int i = 0; i < 40 * height; ++i) file += {b, g, r};
    return file;
}

class OptionsDialog : public ::testing::Test {
protected:
    // Opens the dialog on the stored options, as the Options command would.
    COptionsDlg& Open() { return *(d = std::make_unique<COptionsDlg>(w.doc.Options(), w.port, nullptr)); }
    // Runs the Options command on the open dialog, closed by OK; whether OK was taken.
    bool Close() {
        preview = testing::Render(*d).copy(d->PreviewRect());
        bool accepted = false;
        w.port.optionsDialog = [&](const PalabrumOptions&) {
            return (accepted = d->OnOK()) ? std::optional(d->TakeChoice()) : std::nullopt;
        };
        w.doc.OnCmdMsg(kCmdOptions);
        return accepted;
    }
    testing::GameWindow w;
    std::unique_ptr<COptionsDlg> d;
    QImage preview;  // as the player last saw it
};

// Each built-in choice previews its own picture, pixel for pixel.
TEST_F(OptionsDialog, OpensWithTheStoredOptionsThePreviewAndThePartsInPlace) {
    w.doc.Options() = {kListTop, kBingoPicture, 1, u"", 0x00FF00};
    const QComboBox& list = *Open().BingoMessageList();
    EXPECT_EQ(std::tuple(d->windowTitle(), list.itemText(0), list.itemText(1), list.itemText(2), list.count()),
              std::tuple(QString("Options"), QString("Bingo!"), QString("Bullsh#t!"), QString("Custom"), 3));
    EXPECT_EQ(std::tuple(list.currentIndex(), d->ListPositionList()->currentText(), d->RandomBoardBox()->isChecked(),
                         d->Swatch()->geometry(), d->Swatch()->m_selectedColor, d->LoadButton()->isVisibleTo(d.get())),
              std::tuple(0, QString("Top"), true, QRect(95, 89, 123, 16), 0x00FF00u, false));  // its place grown 1.2
    for (int id : {kBingoPictureId, kBullPictureId}) {
        PictureHolder picture;
        LoadBuiltInPicture(id, picture);
        const QImage image(reinterpret_cast<const uchar*>(picture.Get()->pixels.data()), 40, 40, QImage::Format_RGB32);
        EXPECT_EQ(testing::Render(*d).copy(d->PreviewRect()), image) << id;
        d->BingoMessageList()->setCurrentIndex(kBullPicture), d->OnBingoMessagePicked();
    }
}

// A Load... cancelled, then one of a picture too tall, whose path is forgotten.
TEST_F(OptionsDialog, AStoredCustomPictureThatIsGoneIsReportedAndOkIsRefusedUntilOneIsLoaded) {
    const auto gone = w.dir.File("gone.bmp").u16string();
    w.doc.Options() = {kListLeft, kCustomPicture, 0, gone, 0};
    w.port.filePicks = {std::nullopt, w.dir.Write("tall.bmp", SolidBmp(0, 0, 0, 41)),
                        w.dir.Write("cyan.bmp", SolidBmp(0, -1, -1))};
    Open().OnLoad();  // cancelled
    d->OnLoad();      // too tall, and its path forgotten
    EXPECT_FALSE(Close());
    EXPECT_EQ(std::tuple(preview.pixel(20, 20), d->WorkingPath(), d->LoadButton()->isVisibleTo(d.get())),
              std::tuple(qRgb(255, 255, 255), std::u16string(), true));
    EXPECT_EQ(w.port.boxes, (std::vector<ShownBox>{{ShownBox::kError, u"Could not open " + gone, u"Open Failed"},
                                                   {ShownBox::kError, u"Bitmap must be 40x40 pixels.", u"Bad Size"},
                                                   {ShownBox::kError, u"Please load a bitmap", u"Custom Bitmap"}}));
    EXPECT_EQ(w.port.dialogs.at(0).at(0).name + w.port.dialogs.at(0).at(0).pattern, u"Bitmap Files (*.bmp)*.bmp");
    d->OnLoad();
    EXPECT_TRUE(Close());
    EXPECT_EQ(std::pair(preview.pixel(20, 20), w.doc.Options().m_customPicturePath),
              std::pair(qRgb(0, 255, 255), w.dir.File("cyan.bmp").u16string()));
}

// The file's name is not UTF-8: its bytes are kept all the same.
TEST_F(OptionsDialog, OkHandsOptionsAndPictureToTheDocumentAndTheViewsFollow) {
    const auto green = w.dir.Write("gr\xFCn.bmp", SolidBmp(0, -1, 0));
    w.port.filePicks = {green};
    Open().BingoMessageList()->setCurrentIndex(kCustomPicture);
    d->OnBingoMessagePicked();
    d->OnLoad();
    d->ListPositionList()->setCurrentIndex(kListTop);
    d->Swatch()->m_selectedColor = 0xFFFF00;
    EXPECT_TRUE(Close());
    EXPECT_EQ(w.doc.Options(), (PalabrumOptions{kListTop, kCustomPicture, 0, Utf16FromPath(green), 0xFFFF00}));
    EXPECT_EQ(w.view.WordList()->geometry().height(), 134) << "the list moved to the top";
    for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    StatusPane& pane = *w.view.Pane();
    EXPECT_EQ(testing::Render(pane).pixel(pane.width() / 2, pane.height() / 2), qRgb(0, 255, 0));
}

// A built-in choice keeps the custom path; indices outside the lists select
// nothing and are kept; Random Board is told of, and waits for the next deal.
TEST_F(OptionsDialog, OkKeepsWhatThePlayerDidNotChange) {
    const std::u16string notice = u"The Random Board change\nwill take effect when you\nstart a new game.";
    struct Case { PalabrumOptions stored; std::function<void(COptionsDlg&)> play; PalabrumOptions kept; bool told; };
    const auto pickBull = [](COptionsDlg& d) { d.BingoMessageList()->setCurrentIndex(1), d.OnBingoMessagePicked(); };
    const auto checkRandom = [](COptionsDlg& d) { d.RandomBoardBox()->setChecked(true); };
    for (const Case& c : {Case{{0, 0, 0, u"/mine.bmp", 0}, pickBull, {0, 1, 0, u"/mine.bmp", 0}, false},
                          Case{{-3, 9, 0, u"", 0xFF}, [](COptionsDlg&) {}, {-3, 9, 0, u"", 0xFF}, false},
                          Case{{}, checkRandom, {0, 0, 1, u"", 0}, true}}) {
        w.doc.Options() = c.stored;
        c.play(Open());
        EXPECT_TRUE(Close());
        EXPECT_EQ(std::pair(w.doc.Options(), w.port.boxes),
                  std::pair(c.kept, c.told ? std::vector<ShownBox>{{ShownBox::kNotice, notice, u"Random Board"}}
                                               : std::vector<ShownBox>{}));
    }
    EXPECT_EQ(w.doc.GetWord(0), u"proactive");
}

}  // namespace
}  // namespace palabrum
