// The whole program started as a player starts it, with a scripted port:
// start-up, restart, the menus, help, files on the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>

#include <QApplication>
#include <QTimer>
#include <QToolBar>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSettings>
#include <QTextBrowser>
#include <fstream>

#include "tests/gui/gui_fixture.h"
#include "shell/about_dlg.h"
#include "shell/app.h"
#include "shell/help_file.h"
#include "shell/main_frame.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"
#include "views/form_view.h"
#include "views/status_pane.h"

namespace palabrum {
namespace {

using testing::ShownBox;

// One run of the program on a data folder; Close() is the player closing the window.
struct Program {
    explicit Program(const std::filesystem::path& statePath, const std::filesystem::path& file = {},
                     std::deque<bool> answers = {})
        : app(statePath, &port) {
        port.doc = &app.Document();
        port.answers = std::move(answers);
        CPalabrumApp::Options options;
        options.file = file;
        options.singleInstance = false;
        started = app.InitInstance(options);
    }
    void Close() { app.MainFrame()->close(); }

    testing::ScriptedPort port;
    CPalabrumApp app;
    bool started = false;
};

class App : public ::testing::Test {
protected:
    App() { QSettings().remove(QStringLiteral("RecentFiles")); }  // each test starts with none

    std::filesystem::path state() const { return dir.File("Palabrum.dat"); }
    testing::TempDir dir;
};

TEST_F(App, AFirstStartDealsTheBuiltInListUnderTheProgramsCaption) {
    Program p(state());
    ASSERT_TRUE(p.started);
    EXPECT_EQ(p.app.MainFrame()->windowTitle(), QStringLiteral("Palabrum"));
    EXPECT_EQ(p.app.View()->WordList()->count(), 25);
    EXPECT_EQ(p.app.View()->WordLabel()->text(), CPalabrumView::AboutText());
    EXPECT_TRUE(p.port.boxes.empty());
    p.Close();
    EXPECT_EQ(std::filesystem::file_size(state()), 712u);
}

TEST_F(App, CloseThenRestartRestoresBoardMarksAndBingo) {
    {
        Program first(state());
        for (int s : {4, 8, 12, 16, 20}) first.app.Document().SetMark(s, 1);
        first.Close();
    }
    Program second(state());
    EXPECT_TRUE(second.app.Document().IsBingo());
    EXPECT_EQ(second.app.View()->WordList()->selectedItems().size(), 5);
    EXPECT_TRUE(second.app.View()->Pane()->isVisible());
}

TEST_F(App, ADamagedStateFileStartsTheBuiltInListSilently) {
    std::ofstream(state(), std::ios::binary) << std::string("\x01\x00\x00\x00\x00\x00\x00\x00\xFF\xFE\xFF\x09", 12);
    Program p(state());
    EXPECT_TRUE(p.port.boxes.empty());
    EXPECT_EQ(p.app.Document().GetWord(0), u"proactive");
    EXPECT_EQ(p.app.Document().Options().m_listPosition, kListTop);  // complete before the damage
}

// A game under way is dropped only when the player agrees; a file that is no
// game (a FIFO among them, never waited on) is named and changes nothing.
TEST_F(App, AFileOnTheCommandLineAsksFirstDuringAGameAndAnUnreadableOneIsNamed) {
    {
        Program first(state());
        first.app.Document().SetMark(3, 1);
        ASSERT_TRUE(first.app.Document().SaveDocumentFile(dir.File("fresh.dat")));
        first.app.Document().SetMark(4, 1);
        first.Close();
    }
    std::ofstream(dir.File("notagame.dat")) << "hello";
    ASSERT_EQ(::mkfifo(dir.File("fifo.dat").c_str(), 0600), 0);
    const ShownBox question{ShownBox::kQuestion, u"Cancel current game?", u"Cancel game?"};
    for (const char* name : {"notagame.dat", "fifo.dat"}) {
        Program p(state(), dir.File(name), {true});
        ASSERT_EQ(p.port.boxes.size(), 2u);
        EXPECT_EQ(p.port.boxes[0], question);
        EXPECT_EQ(p.port.boxes[1].kind, ShownBox::kError);
        EXPECT_NE(p.port.boxes[1].text.find(dir.File(name).u16string()), std::u16string::npos);
        EXPECT_EQ(p.app.Document().GetMark(4), 1);
    }
    Program declined(state(), dir.File("fresh.dat"), {false});
    EXPECT_EQ(declined.port.boxes, std::vector<ShownBox>{question});
    EXPECT_EQ(declined.app.Document().GetMark(4), 1);
}

// File names are bytes: one that is not UTF-8 opens, is remembered and opens
// again from the recent-file list, shown as readably as it can be.
TEST_F(App, AGoodFileOnTheCommandLineOpensAndComesBackFromTheRecentList) {
    const std::filesystem::path game = dir.File("caf\xE9.dat");
    {
        Program first(state());
        first.app.Document().SetMark(9, 1);
        ASSERT_TRUE(first.app.Document().SaveDocumentFile(game));
        first.app.MainFrame()->SetSaveOnClose(false);
    }
    Program p(state(), game);
    EXPECT_TRUE(p.port.boxes.empty());
    EXPECT_EQ(p.app.Document().GetMark(9), 1);
    EXPECT_EQ(p.app.View()->WordList()->selectedItems().size(), 1);
    ASSERT_EQ(p.app.MainFrame()->RecentFiles().size(), 1u);
    EXPECT_EQ(p.app.MainFrame()->RecentFiles()[0], game);

    p.app.Document().SetMark(9, 0);
    QAction* recent = nullptr;
    for (QAction* item : p.app.MainFrame()->menuBar()->actions().value(0)->menu()->actions()) {
        if (item->text().startsWith(QStringLiteral("&1 "))) recent = item;
    }
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->text().endsWith(QStringLiteral("caf\uFFFD.dat")));
    p.port.answers = {true};
    recent->trigger();
    EXPECT_EQ(p.app.Document().GetMark(9), 1);
}

TEST_F(App, MenusCarryTheirTextsAndShortcuts) {
    Program p(state());
    QStringList seen;
    for (QAction* menu : p.app.MainFrame()->menuBar()->actions()) {
        seen << menu->text();
        for (QAction* item : menu->menu()->actions()) {
            if (!item->isSeparator() && item->isVisible()) {
                seen << item->text() + (item->shortcut().isEmpty() ? QString() : "\t" + item->shortcut().toString());
            }
        }
    }
    const QStringList expected = {
        "&File", "&New\tCtrl+N", "&Load Custom List...\tCtrl+O", "&Load Default List...\tCtrl+D",
        "&Save...\tCtrl+S", "&Print Cards...", "&Export Card...", "Recent File", "E&xit", "&Tools", "&Options...", "&Help", "&Help Topics\tF1",
        "&About Palabrum..."};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(p.app.MainFrame()->Action(kCmdNew)->icon().isNull());
}

TEST_F(App, TheNewCommandAsksDuringAGameAndDealsAgainOnYes) {
    Program p(state());
    p.app.Document().SetMark(0, 1);
    p.port.answers = {true};
    p.app.MainFrame()->Action(kCmdNew)->trigger();
    ASSERT_EQ(p.port.boxes.size(), 1u);
    EXPECT_EQ(p.port.boxes[0].text, u"Cancel current game?");
    EXPECT_EQ(p.app.Document().GetMark(0), 0);
    EXPECT_TRUE(p.app.View()->WordList()->selectedItems().isEmpty());
}

TEST_F(App, HelpTopicsOpensTheHelpFileAtItsAnchorAndTheGameGoesOn) {
    Program p(state());
    p.app.MainFrame()->Action(CMainFrame::kHelpTopics)->trigger();
    QTextBrowser* help = p.app.MainFrame()->HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->source().fragment(), QStringLiteral("start_topic"));
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("25")));
    p.app.Document().SetMark(1, 1);  // the game keeps working
    EXPECT_EQ(p.app.Document().GetMark(1), 1);
}

// Save..., Print Cards..., Export Card... and About ask the port for every
// answer, as the document's commands do.
TEST_F(App, FileCommandsAndAboutAskThroughThePort) {
    Program p(state());
    CMainFrame& frame = *p.app.MainFrame();
    const auto trigger = [&](const QString& text) {
        for (QAction* action : frame.findChildren<QAction*>()) {
            if (action->text() == text) return action->trigger();
        }
        ADD_FAILURE() << text.toStdString();
    };
    std::ofstream(dir.File("plain")) << "not a folder";
    p.app.Document().SetMark(6, 1);

    p.port.filePicks = {std::nullopt, dir.File("game.dat"), dir.File("plain") / "game.dat"};
    for (int i = 0; i < 3; ++i) trigger(QStringLiteral("&Save..."));
    EXPECT_EQ(p.port.saveTitles, (std::vector<std::u16string>(3, u"Save Game")));
    EXPECT_EQ(p.port.dialogs.at(0).at(0).pattern, u"*.dat");
    EXPECT_EQ(frame.RecentFiles(), std::vector<std::filesystem::path>{dir.File("game.dat")});
    EXPECT_EQ(Program(dir.File("other.dat"), dir.File("game.dat")).app.Document().GetMark(6), 1);
    EXPECT_EQ(p.port.boxes, (std::vector<ShownBox>{{ShownBox::kError,
                                                    u"Error saving " + (dir.File("plain") / "game.dat").u16string(),
                                                    u"Can't Save Game"}}));

    p.port.boxes.clear();
    p.port.numbers = {std::nullopt, 3};
    p.port.filePicks = {dir.File("cards.pdf")};
    trigger(QStringLiteral("&Print Cards..."));  // the number is cancelled: no file asked for
    EXPECT_EQ(p.port.saveTitles.size(), 3u);
    trigger(QStringLiteral("&Print Cards..."));
    EXPECT_EQ(p.port.saveTitles.back(), u"Print Cards");
    EXPECT_GT(std::filesystem::file_size(dir.File("cards.pdf")), 1000u);

    p.port.filePicks = {dir.File("card.png"), dir.File("plain") / "card.png"};
    trigger(QStringLiteral("&Export Card..."));
    trigger(QStringLiteral("&Export Card..."));
    EXPECT_FALSE(QImage(QString::fromStdString(dir.File("card.png").string())).isNull());
    ASSERT_EQ(p.port.boxes.size(), 1u);
    EXPECT_EQ(p.port.boxes[0].caption, u"Can't Export Card");
    EXPECT_EQ(p.app.Document().GetMark(6), 1) << "cards never touch the game";

    // The toolbar's question-mark button and Help > About share one action.
    QAction* about = frame.Action(57664);
    EXPECT_TRUE(frame.findChild<QToolBar*>()->actions().contains(about));
    about->trigger();
    EXPECT_EQ(p.port.aboutBoxes, 1);
}

TEST(HelpFile, IsFoundInstalledThenInTheSourceTreeThenBuiltIn) {
    testing::TempDir prefix;
    std::filesystem::create_directories(prefix.File("bin"));
    const QString bin = QString::fromStdString(prefix.File("bin").string());
    // A development build finds the source tree's copy.
    const QUrl dev = HelpFileUrl(bin);
    EXPECT_TRUE(dev.isLocalFile());
    EXPECT_TRUE(dev.toLocalFile().endsWith(QStringLiteral("resources/Palabrum.htm")));
    EXPECT_EQ(dev.fragment(), QStringLiteral("start_topic"));
    // An installed program finds its own.
    std::filesystem::create_directories(prefix.File("share") / "palabrum");
    std::ofstream(prefix.File("share") / "palabrum" / "Palabrum.htm") << "<p>installed</p>";
    const QUrl installed = HelpFileUrl(bin);
    EXPECT_EQ(installed.toLocalFile(), QString::fromStdString((prefix.File("share") / "palabrum" / "Palabrum.htm").string()));
    EXPECT_EQ(installed.fragment(), QStringLiteral("start_topic"));
}

}  // namespace
}  // namespace palabrum
