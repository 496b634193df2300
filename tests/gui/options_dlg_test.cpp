// The Options dialog run through the document's command: the preview, Load...,
// OK and Cancel, and what reaches the document and the views.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
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

// A 40 by 40 24-bit BMP of one colour, as paint programs write them.
std::string SolidBmp(std::uint8_t r, std::uint8_t g, std::uint8_t b, int height = 40) {
    std::string file(54, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(10, 54);
    put32(14, 40);
    put32(18, 40);
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (int i = 0; i < 40 * 40; ++i) file += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
    return file;
}

QRgb PreviewAt(COptionsDlg& dialog, int x, int y) {
    return testing::Render(dialog).pixel(COptionsDlg::kPreviewRect.topLeft() + QPoint(x, y));
}

class OptionsDialog : public ::testing::Test {
protected:
    // Runs Options through the document; `play` works the open dialog and says
    // whether to press OK (false: Cancel). Returns what OK said.
    bool Run(const std::function<bool(COptionsDlg&)>& play) {
        bool accepted = false;
        w.port.optionsDialog = [&](const PalabrumOptions& current) -> std::optional<OptionsChoice> {
            COptionsDlg dialog(current, w.port, nullptr, [this] { ++helpOpened; });
            if (!play(dialog) || !(accepted = dialog.OnOK())) return std::nullopt;
            return dialog.TakeChoice();
        };
        w.doc.OnCmdMsg(kCmdOptions);
        return accepted;
    }
    testing::GameWindow w;
    int helpOpened = 0;
};

TEST_F(OptionsDialog, OpensWithTheStoredOptionsThePreviewAndThePartsInPlace) {
    w.doc.Options() = {kListTop, kBullPicture, 1, u"", 0x00FF00};
    Run([&](COptionsDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Options"));
        QStringList items;
        for (int i = 0; i < d.BingoMessageList()->count(); ++i) items << d.BingoMessageList()->itemText(i);
        EXPECT_EQ(items, (QStringList{"Bingo!", "Bullsh#t!", "Custom"}));
        EXPECT_EQ(d.BingoMessageList()->currentIndex(), kBullPicture);
        EXPECT_EQ(d.ListPositionList()->currentText(), QStringLiteral("Top"));
        EXPECT_TRUE(d.RandomBoardBox()->isChecked());
        EXPECT_EQ(d.Swatch()->geometry(), QRect(79, 74, 123, 16));
        EXPECT_EQ(d.Swatch()->m_selectedColor, 0x00FF00u);
        EXPECT_FALSE(d.LoadButton()->isVisibleTo(&d));
        PictureHolder bull;
        LoadBuiltInPicture(kBullPictureId, bull);
        const QImage image = testing::Render(d);
        int differing = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                differing += image.pixel(COptionsDlg::kPreviewRect.topLeft() + QPoint(x, y)) !=
                             (bull.Get()->At(x, y) | 0xFF000000u);
            }
        }
        EXPECT_EQ(differing, 0);
        d.OnHelp();  // the help opens and the dialog stays
        EXPECT_EQ(helpOpened, 1);
        return false;
    });
    EXPECT_TRUE(w.port.boxes.empty());
    EXPECT_EQ(w.doc.Options().m_randomBoard, 1);
}

TEST_F(OptionsDialog, AStoredCustomPictureThatIsGoneIsReportedAndOkIsRefusedUntilOneIsLoaded) {
    const auto gone = w.dir.File("gone.bmp").u16string();
    w.doc.Options() = {kListLeft, kCustomPicture, 0, gone, 0};
    const auto tall = w.dir.Write("tall.bmp", SolidBmp(0, 0, 0, 41));
    const auto cyan = w.dir.Write("cyan.bmp", SolidBmp(0, 255, 255));
    const bool accepted = Run([&](COptionsDlg& d) {
        EXPECT_EQ(w.port.boxes, (std::vector<ShownBox>{{ShownBox::kError, u"Could not open " + gone, u"Open Failed"}}));
        EXPECT_EQ(PreviewAt(d, 20, 20), qRgb(255, 255, 255));
        EXPECT_TRUE(d.LoadButton()->isVisibleTo(&d));
        EXPECT_FALSE(d.OnOK());
        EXPECT_EQ(w.port.boxes.back(), (ShownBox{ShownBox::kError, u"Please load a bitmap", u"Custom Bitmap"}));

        w.port.filePicks = {std::nullopt, tall, cyan};
        d.OnLoad();  // cancelled
        EXPECT_EQ(w.port.dialogs.at(0).at(0).name, u"Bitmap Files (*.bmp)");
        EXPECT_EQ(w.port.dialogs.at(0).at(0).pattern, u"*.bmp");
        d.OnLoad();
        EXPECT_EQ(w.port.boxes.back(), (ShownBox{ShownBox::kError, u"Bitmap must be 40x40 pixels.", u"Bad Size"}));
        EXPECT_TRUE(d.WorkingPath().empty());
        d.OnLoad();
        EXPECT_EQ(PreviewAt(d, 20, 20), qRgb(0, 255, 255));
        return true;
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(w.doc.Options().m_customPicturePath, cyan.u16string());
}

// The file's name is not UTF-8: its bytes are kept all the same.
TEST_F(OptionsDialog, OkHandsOptionsAndPictureToTheDocumentAndTheViewsFollow) {
    const auto green = w.dir.Write("gr\xFCn.bmp", SolidBmp(0, 255, 0));
    EXPECT_TRUE(Run([&](COptionsDlg& d) {
        d.BingoMessageList()->setCurrentIndex(kCustomPicture);
        d.OnBingoMessagePicked();
        w.port.filePicks = {green};
        d.OnLoad();
        d.ListPositionList()->setCurrentIndex(kListTop);
        d.Swatch()->m_selectedColor = 0xFFFF00;  // cyan
        return true;
    }));
    EXPECT_EQ(w.doc.Options(), (PalabrumOptions{kListTop, kCustomPicture, 0, Utf16FromPath(green), 0xFFFF00}));
    EXPECT_EQ(w.view.WordList()->geometry().height(), 134) << "the list moved to the top";

    for (int s = 0; s < 5; ++s) w.doc.SetMark(s, 1);
    StatusPane& pane = *w.view.Pane();
    EXPECT_EQ(testing::PaintOf(pane).pixel(pane.width() / 2, pane.height() / 2), qRgb(0, 255, 0));
    EXPECT_TRUE(w.doc.PendingPicture().IsEmpty());

    // A remembered custom path loads at once when Custom is chosen again, without a prompt.
    w.doc.Options().SetBingoMessage(kBingoPicture);
    Run([&](COptionsDlg& d) {
        d.BingoMessageList()->setCurrentIndex(kCustomPicture);
        d.OnBingoMessagePicked();
        EXPECT_EQ(PreviewAt(d, 20, 20), qRgb(0, 255, 0));
        return false;
    });
    EXPECT_EQ(w.port.dialogs.size(), 1u);
}

// A built-in choice keeps the custom path; indices outside the lists select
// nothing and are kept; Cancel keeps everything.
TEST_F(OptionsDialog, WhatThePlayerDidNotChangeIsKept) {
    struct Case {
        PalabrumOptions stored;
        std::function<bool(COptionsDlg&)> play;
        PalabrumOptions expected;
    };
    const Case cases[] = {
        {{kListLeft, kBingoPicture, 0, u"/pictures/mine.bmp", 0},
         [](COptionsDlg& d) {
             d.BingoMessageList()->setCurrentIndex(kBullPicture);
             d.OnBingoMessagePicked();
             return true;
         },
         {kListLeft, kBullPicture, 0, u"/pictures/mine.bmp", 0}},
        {{-3, 9, 0, u"", 0xFF},
         [](COptionsDlg& d) {
             EXPECT_EQ(d.BingoMessageList()->currentIndex(), -1);
             EXPECT_EQ(d.ListPositionList()->currentIndex(), -1);
             EXPECT_FALSE(d.LoadButton()->isVisibleTo(&d));
             return true;
         },
         {-3, 9, 0, u"", 0xFF}},
        {{kListLeft, kBingoPicture, 0, u"", 0},
         [](COptionsDlg& d) {
             d.RandomBoardBox()->setChecked(true);
             d.ListPositionList()->setCurrentIndex(kListTop);
             return false;
         },
         {kListLeft, kBingoPicture, 0, u"", 0}},
    };
    for (const Case& c : cases) {
        w.doc.Options() = c.stored;
        w.doc.PendingPicture().Empty();
        const bool accepted = Run(c.play);
        EXPECT_EQ(w.doc.Options(), c.expected);
        EXPECT_EQ(w.doc.PendingPicture().IsEmpty(), !accepted || c.stored.m_bingoMessage == 9)
            << "an accept hands over the preview it shows";
    }
    EXPECT_TRUE(w.port.boxes.empty());
}

TEST_F(OptionsDialog, TheRandomBoardNoticeComesOnlyOnARealChangeAndTheBoardWaits) {
    Run([](COptionsDlg& d) {
        d.RandomBoardBox()->setChecked(true);
        d.RandomBoardBox()->setChecked(false);
        return true;
    });
    EXPECT_TRUE(w.port.boxes.empty());
    Run([](COptionsDlg& d) {
        d.RandomBoardBox()->setChecked(true);
        return true;
    });
    EXPECT_EQ(w.port.boxes, (std::vector<ShownBox>{{ShownBox::kNotice,
                                                    u"The Random Board change\nwill take effect when you\nstart a new game.",
                                                    u"Random Board"}}));
    EXPECT_EQ(w.doc.Options().m_randomBoard, 1);
    EXPECT_EQ(w.doc.GetWord(0), u"proactive") << "the board waits for the next deal";
}

}  // namespace
}  // namespace palabrum
