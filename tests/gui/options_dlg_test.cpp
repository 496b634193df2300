// The Options dialog driven through the scripted port: the preview, Load...,
// OK and Cancel, and what reaches the document and the views.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <fstream>

#include "model/file_name.h"
#include "options/bingo_pictures.h"
#include "options/color_wnd.h"
#include "options/options_dlg.h"
#include "tests/gui/gui_fixture.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

using testing::ShownBox;

// A 40 by 40 24-bit BMP of one colour, as paint programs write them.
std::string SolidBmp(std::uint8_t r, std::uint8_t g, std::uint8_t b, int height = 40) {
    std::string file(54, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, 54 + 120 * 40);
    put32(10, 54);
    put32(14, 40);
    put32(18, 40);
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (int i = 0; i < 40 * 40; ++i) file += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
    return file;
}

class OptionsDialog : public ::testing::Test {
protected:
    std::unique_ptr<COptionsDlg> Open() {
        return std::make_unique<COptionsDlg>(w.doc, w.doc.Options(), w.port, nullptr, [this] { ++helpOpened; });
    }
    QRgb PreviewCentre(COptionsDlg& dialog) {
        QImage image(dialog.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        dialog.render(&image);
        return image.pixel(COptionsDlg::kPreviewRect.center());
    }
    testing::GameWindow w;
    int helpOpened = 0;
};

TEST_F(OptionsDialog, OpensWithTheStoredOptionsAndThePartsInPlace) {
    w.doc.Options().m_listPosition = kListTop;
    w.doc.Options().m_randomBoard = 1;
    w.doc.Options().m_boardColor = 0x00FF00;
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(dialog->BingoMessageList()->currentText(), QStringLiteral("Bingo!"));
    EXPECT_EQ(dialog->BingoMessageList()->count(), 3);
    EXPECT_EQ(dialog->BingoMessageList()->itemText(1), QStringLiteral("Bullsh#t!"));
    EXPECT_EQ(dialog->ListPositionList()->currentText(), QStringLiteral("Top"));
    EXPECT_TRUE(dialog->RandomBoardBox()->isChecked());
    EXPECT_EQ(dialog->Swatch()->geometry(), QRect(79, 74, 123, 16));
    EXPECT_EQ(dialog->Swatch()->m_selectedColor, 0x00FF00u);
    EXPECT_FALSE(dialog->LoadButton()->isVisibleTo(dialog.get()));
    EXPECT_FALSE(dialog->Preview().IsEmpty());
    // The preview square shows the built-in picture pixel for pixel.
    PictureHolder bingo;
    LoadBuiltInPicture(kBingoPictureId, bingo);
    QImage image(dialog->size(), QImage::Format_RGB32);
    dialog->render(&image);
    const QRect r = COptionsDlg::kPreviewRect;
    int differing = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) differing += image.pixel(r.left() + x, r.top() + y) != (bingo.Get()->At(x, y) | 0xFF000000u);
    }
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(w.port.boxes.empty());
}

TEST_F(OptionsDialog, AStoredCustomPictureThatIsGoneIsReportedFirstAndOkIsRefused) {
    const auto gone = w.dir.File("gone.bmp").u16string();
    w.doc.Options().SetBingoMessage(kCustomPicture);
    w.doc.Options().m_customPicturePath = gone;
    auto dialog = Open();
    EXPECT_EQ(w.port.boxes, (std::vector<ShownBox>{{ShownBox::kError, u"Could not open " + gone, u"Open Failed"}}));
    EXPECT_TRUE(dialog->Preview().IsEmpty());
    EXPECT_EQ(PreviewCentre(*dialog), qRgb(255, 255, 255));
    EXPECT_TRUE(dialog->LoadButton()->isVisibleTo(dialog.get()));
    EXPECT_TRUE(dialog->WorkingPath().empty());

    EXPECT_FALSE(dialog->OnOK());
    EXPECT_EQ(w.port.boxes.back(), (ShownBox{ShownBox::kError, u"Please load a bitmap", u"Custom Bitmap"}));
    EXPECT_EQ(w.doc.Options().m_customPicturePath, gone);  // nothing written
}

TEST_F(OptionsDialog, ChoosingCustomLoadsARememberedPathAtOnce) {
    const auto path = w.dir.Write("red.bmp", SolidBmp(255, 0, 0));
    w.doc.Options().m_customPicturePath = path.u16string();  // from an earlier run
    auto dialog = Open();
    dialog->BingoMessageList()->setCurrentIndex(kCustomPicture);
    dialog->OnBingoMessagePicked();
    EXPECT_TRUE(w.port.dialogs.empty()) << "no file prompt";
    EXPECT_EQ(PreviewCentre(*dialog), qRgb(255, 0, 0));
    EXPECT_TRUE(dialog->LoadButton()->isVisibleTo(dialog.get()));
}

TEST_F(OptionsDialog, LoadAcceptsGoodFilesAndRefusesMissingWrongSizedAndCancelled) {
    auto dialog = Open();
    dialog->BingoMessageList()->setCurrentIndex(kCustomPicture);
    dialog->OnBingoMessagePicked();

    w.port.filePicks = {std::nullopt};  // cancel: nothing changes
    dialog->OnLoad();
    ASSERT_EQ(w.port.dialogs.size(), 1u);
    EXPECT_EQ(w.port.dialogs[0][0].name, u"Bitmap Files (*.bmp)");
    EXPECT_EQ(w.port.dialogs[0][0].pattern, u"*.bmp");
    EXPECT_TRUE(dialog->Preview().IsEmpty());

    const auto good = w.dir.Write("cyan.bmp", SolidBmp(0, 255, 255));
    w.port.filePicks = {good};
    dialog->OnLoad();
    EXPECT_EQ(PreviewCentre(*dialog), qRgb(0, 255, 255));
    EXPECT_EQ(dialog->WorkingPath(), good.u16string());

    const auto tall = w.dir.Write("tall.bmp", SolidBmp(0, 0, 0, 41));
    w.port.filePicks = {tall};
    dialog->OnLoad();
    EXPECT_EQ(w.port.boxes.back(), (ShownBox{ShownBox::kError, u"Bitmap must be 40x40 pixels.", u"Bad Size"}));
    EXPECT_TRUE(dialog->Preview().IsEmpty());
    EXPECT_TRUE(dialog->WorkingPath().empty());

    const auto missing = w.dir.File("nope.bmp");
    w.port.filePicks = {missing};
    dialog->OnLoad();
    EXPECT_EQ(w.port.boxes.back().text, u"Could not open " + missing.u16string());
    EXPECT_TRUE(dialog->LoadButton()->isVisibleTo(dialog.get()));
}

// The file's name is not UTF-8: its bytes are kept all the same.
TEST_F(OptionsDialog, OkHandsThePictureOverAndTheNextBingoShowsIt) {
    const auto path = w.dir.Write("gr\xFCn.bmp", SolidBmp(0, 255, 0));
    w.port.optionsDialog = [&](CPalabrumDoc&) {
        auto dialog = Open();
        dialog->BingoMessageList()->setCurrentIndex(kCustomPicture);
        dialog->OnBingoMessagePicked();
        w.port.filePicks = {path};
        dialog->OnLoad();
        dialog->ListPositionList()->setCurrentIndex(kListTop);
        dialog->Swatch()->m_selectedColor = 0xFFFF00;  // cyan
        return dialog->OnOK();
    };
    w.doc.OnCmdMsg(kCmdOptions);
    const auto& o = w.doc.Options();
    EXPECT_EQ(o.m_bingoMessage, kCustomPicture);
    EXPECT_EQ(PathFromUtf16(o.m_customPicturePath), path);
    EXPECT_EQ(o.m_listPosition, kListTop);
    EXPECT_EQ(o.m_boardColor, 0xFFFF00u);
    EXPECT_FALSE(w.doc.PendingPicture().IsEmpty());
    EXPECT_EQ(w.view.WordList()->geometry().height(), 134) << "hint 1 moved the list to the top";

    for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    StatusPane& pane = *w.view.Pane();
    const QImage image = testing::PaintOf(pane);
    EXPECT_EQ(image.pixel(pane.width() / 2, pane.height() / 2), qRgb(0, 255, 0));
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());
}

TEST_F(OptionsDialog, ChoosingABuiltInPictureKeepsTheCustomPath) {
    w.doc.Options().m_customPicturePath = u"/pictures/mine.bmp";
    auto dialog = Open();
    dialog->BingoMessageList()->setCurrentIndex(kBullPicture);
    dialog->OnBingoMessagePicked();
    ASSERT_TRUE(dialog->OnOK());
    EXPECT_EQ(w.doc.Options().m_bingoMessage, kBullPicture);
    EXPECT_EQ(w.doc.Options().m_customPicturePath, u"/pictures/mine.bmp");
    EXPECT_FALSE(w.doc.PendingPicture().IsEmpty()) << "an unchanged accept still hands the preview over";
}

TEST_F(OptionsDialog, CancelChangesNothing) {
    const auto path = w.dir.Write("red.bmp", SolidBmp(255, 0, 0));
    auto dialog = Open();
    dialog->BingoMessageList()->setCurrentIndex(kCustomPicture);
    w.port.filePicks = {path};
    dialog->OnLoad();
    dialog->RandomBoardBox()->setChecked(true);
    const PalabrumOptions before = w.doc.Options();
    dialog->reject();
    EXPECT_EQ(w.doc.Options(), before);
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());
}

TEST_F(OptionsDialog, TheRandomBoardNoticeComesOnceAndOnlyOnARealChange) {
    auto unchanged = Open();
    unchanged->RandomBoardBox()->setChecked(true);
    unchanged->RandomBoardBox()->setChecked(false);
    ASSERT_TRUE(unchanged->OnOK());
    EXPECT_TRUE(w.port.boxes.empty());

    auto changed = Open();
    changed->RandomBoardBox()->setChecked(true);
    ASSERT_TRUE(changed->OnOK());
    EXPECT_EQ(w.port.boxes, (std::vector<ShownBox>{{ShownBox::kNotice,
                                                    u"The Random Board change\nwill take effect when you\nstart a new game.",
                                                    u"Random Board"}}));
    EXPECT_EQ(w.doc.Options().m_randomBoard, 1);
    EXPECT_EQ(w.doc.GetWord(0), u"proactive") << "the board waits for the next deal";
}

TEST_F(OptionsDialog, StoredIndicesOutsideTheListsSelectNothingAndAreKept) {
    w.doc.Options().SetBingoMessage(9);
    w.doc.Options().m_listPosition = -3;
    auto dialog = Open();
    EXPECT_EQ(dialog->BingoMessageList()->currentIndex(), -1);
    EXPECT_EQ(dialog->ListPositionList()->currentIndex(), -1);
    EXPECT_FALSE(dialog->IsCustomSelected());
    EXPECT_FALSE(dialog->LoadButton()->isVisibleTo(dialog.get()));
    EXPECT_TRUE(dialog->Preview().IsEmpty());
    ASSERT_TRUE(dialog->OnOK());
    EXPECT_EQ(w.doc.Options().m_bingoMessage, 9);
    EXPECT_EQ(w.doc.Options().m_listPosition, -3);
}

TEST_F(OptionsDialog, HelpOpensTheHelpAndTheDialogStays) {
    auto dialog = Open();
    dialog->show();
    dialog->OnHelp();
    EXPECT_EQ(helpOpened, 1);
    EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
}  // namespace palabrum
