// The application with a scripted port, the About box, dialog fonts, and the one running copy.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QDesktopServices>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QToolBar>

#include "options/options_dlg.h"
#include "palabrum/product_info.h"
#include "shell/about_dlg.h"
#include "shell/app.h"
#include "shell/help_file.h"
#include "shell/help_viewer.h"
#include "shell/link_static.h"
#include "shell/main_frame.h"
#include "shell/native_path.h"
#include "shell/qt_platform_port.h"
#include "shell/quit_signals.h"
#include "shell/single_instance.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/child_process.h"
#include "views/dialog_units.h"

namespace palabrum {
namespace {

namespace fs = std::filesystem;
using testing::ShownBox;
constexpr uid_t kNobody = 65534;

// One run of the program on a data folder; the one running copy when `alone`.
struct Program {
    explicit Program(fs::path state, const fs::path& file = {}, std::deque<bool> answers = {}, bool alone = false)
        : app(state, &port) {
        QSettings().remove(QStringLiteral("RecentFiles"));  // another test's would be in the way
        port.doc = &app.Document();
        port.answers = std::move(answers);
        started = app.InitInstance({.file = file, .singleInstance = alone});
    }
    CMainFrame& Frame() { return *app.MainFrame(); }
    int Mark(int square) { return app.Document().GetMark(square); }
    QAction* Find(const QString& text) {
        for (QAction* action : Frame().findChildren<QAction*>()) if (action->text() == text) return action;
        ADD_FAILURE() << "no command " << text.toStdString();
        return new QAction(&Frame());
    }
    testing::ScriptedPort port;
    CPalabrumApp app;
    bool started = false;
};

struct App : ::testing::Test {
    fs::path state() const { return dir.File("Palabrum.dat"); }
    testing::TempDir dir;
};

// A game under way is dropped only when the player agrees; a name need not be
// UTF-8 to open, be remembered and open again. Failures name their command.
TEST_F(App, GamesOpenFromTheCommandLineAndTheRecentListWhenThePlayerAgrees) {
    const fs::path game = dir.File("caf\xE9.dat"), saved = dir.File("saved.dat"), nothing = dir.File("nothing.dat"),
                   card = dir.File("card.png"), blocked = card / "x";
    Program first(state());  // leaves a game under way, and the game file
    first.app.Document().SetMark(3, 1);
    ASSERT_TRUE(first.app.Document().SaveDocumentFile(game));
    first.app.Document().SetMark(4, 1);
    first.Frame().close();
    const ShownBox question{ShownBox::kQuestion, u"Cancel current game?", u"Cancel game?"};
    const ShownBox missing{ShownBox::kError, u"Could not open the game " + nothing.u16string() +
                           u".\nIt is missing, unreadable or not a saved Palabrum game.", u"File Open Error"};
    EXPECT_EQ(Program(state(), nothing, {true}).port.boxes, (std::vector{question, missing}));
    EXPECT_EQ(Program(state(), game, {false}).Mark(4), 1);  // declined
    Program p(state(), game, {true});
    EXPECT_EQ(std::tuple(p.port.boxes, p.Mark(3), p.Mark(4)), std::tuple(std::vector{question}, 1, 0));
    p.port.filePicks = {card, std::nullopt, blocked, saved, blocked};  // none for the PDF of cards: no number given
    for (auto command : {"Save Cards as P&DF...", "&Export Card...", "&Save...", "&Save...", "&Save...", "&Export Card..."})
        p.Find(command)->trigger();
    EXPECT_EQ(std::tuple(p.port.askedNumber, QImage(card.c_str()).isNull(), p.port.dialogs.at(1).at(0).pattern),
              std::tuple(std::tuple(10, 1, 99), false, u"*.palabrum"));
    const ShownBox notSaved{ShownBox::kError, u"Error saving " + blocked.u16string() + u".palabrum", u"Can't Save Game"};
    EXPECT_EQ(p.port.boxes, (std::vector{question, notSaved, ShownBox{ShownBox::kError, p.port.boxes.at(2).text,
                                                                      u"Can't Export Card"}}));
    EXPECT_EQ(p.Frame().RecentFiles(), (std::vector{saved, game}));
    p.app.Document().SetMark(3, 0);
    p.port.answers = {true};
    p.Find(QStringLiteral("&2 ") + ShownName(game))->trigger();  // shown as "...caf\uFFFD.dat"
    EXPECT_EQ(std::tuple(p.Mark(3), p.Frame().RecentFiles()), std::tuple(1, std::vector{game, saved}));
    p.app.Document().SetMark(3, 0);
    p.port.answers = {true};
    p.port.filePicks = {saved};
    p.Find("&Open Game...")->trigger();
    EXPECT_EQ(std::tuple(p.Mark(3), p.Frame().RecentFiles(), p.port.dialogs.back().at(0).pattern, p.port.boxes.size()),
              std::tuple(1, std::vector{saved, game}, u"*.palabrum *.dat", 5u));
}

// Print Cards goes through the desktop's print dialog to a real printer (here Qt's PDF printer): 1, 2 or 4 fresh
// cards a sheet on the locale's paper (Letter in the United States and Mexico, A4 in Germany and Spain).
TEST_F(App, PrintCardsFillsSheetsOfTheLocalesPaper) {
    Program p(state());
    for (const auto& [count, perSheet, locale, pages, paper] :
         {std::tuple(5, 1, "de_DE", 5, "595.000000 842.000000"), {5, 2, "en_US", 3, "612.000000 792.000000"},
          {5, 4, "es_MX", 2, "612.000000 792.000000"}, {1, 4, "es_ES", 1, "595.000000 842.000000"}}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        const fs::path pdf = dir.File(std::string(locale) + ".pdf");
        p.Frame().SetPrintDialog([&, count = count, perSheet = perSheet](QPrinter& printer, CardRun& run) {
            printer.setOutputFileName(QString::fromStdString(pdf.string()));  // Qt's own PDF printer
            run = {count, perSheet};
            return true;
        });
        p.Find("&Print Cards...")->trigger();
        const std::string text = testing::ReadFile(pdf);
        const std::size_t box = text.find("/MediaBox [0 0 ") + 15;
        EXPECT_EQ(std::pair(testing::PdfPages(text), text.substr(box, text.find(']', box) - box)),
                  std::pair(qsizetype{pages}, std::string(paper))) << locale;
    }
    QLocale::setDefault(QLocale::system());
}

// Help opens beside the game at its anchor, from the installed copy when there is one.
TEST_F(App, MenusToolbarAndHelpCarryTheirCommands) {
    Program p(state());
    QStringList seen = {p.Frame().windowTitle()};
    for (QAction* menu : p.Frame().menuBar()->actions()) {
        seen << menu->text();
        for (QAction* item : menu->menu()->actions()) {
            const QString keys = QKeySequence::listToString(item->shortcuts());
            if (!item->isSeparator() && item->isVisible()) seen << item->text() + (keys.isEmpty() ? "" : "\t" + keys);
        }
    }
    for (QAction* button : p.Frame().findChild<QToolBar*>()->actions()) seen << button->text();  // "": a separator
    EXPECT_EQ(seen, (QStringList{"Palabrum", "&File", "&New\tCtrl+N", "&Open Game...\tCtrl+Shift+O",
                                 "&Load Custom List...\tCtrl+O", "&Load Default List...\tCtrl+D", "&Save...\tCtrl+S",
                                 "&Print Cards...", "Save Cards as P&DF...", "&Export Card...", "Recent File", "E&xit\tCtrl+Q", "&View",
                                 "&Words on Board", "&Tools", "&Options...", "&Meeting", "&Start Meeting...", "&Join Meeting...",
                                    "&New Round", "&Leave Meeting", "&Players Panel", "Se&ttings...", "&Help", "&Help Topics\tF1; Help",
                                 "&About Palabrum...", "", "&New", "&About Palabrum...", "", "&Help Topics"}));
    QAction* words = p.Find("&Words on Board");  // on at first; a setting of the desktop's, kept for the next start
    words->trigger();
    const bool next = Program(state()).app.View()->WordsOnBoard();
    EXPECT_EQ(std::tuple(words->isChecked(), p.app.View()->WordsOnBoard(), next), std::tuple(false, false, false));
    words->trigger();  // on again for the tests that follow
    p.Find(QStringLiteral("&About Palabrum..."))->trigger();
    p.Frame().Action(CMainFrame::kHelpTopics)->trigger();
    HelpViewer* help = p.Frame().HelpWindow();
    ASSERT_NE(help, nullptr);
    QTextBrowser& browser = *help->Browser();
    const QUrl start = HelpFileUrl(QCoreApplication::applicationDirPath());
    EXPECT_EQ(std::tuple(p.port.aboutBoxes, help->isVisible(), help->isModal(), help->windowTitle(), browser.source()),
              std::tuple(1, true, false, "Palabrum Help", start));
    browser.setSource(QUrl("#options"));  // a link followed, then Back, Forward, Home, and Escape closes
    QApplication::setActiveWindow(help);
    QStringList visited;
    const std::vector<QKeySequence> keys = {QKeySequence::Back, QKeySequence::Forward, Qt::ALT | Qt::Key_Home};
    for (const QKeySequence& key : keys) {
        QTest::keySequence(help, key);
        visited << browser.source().fragment();
    }
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_EQ(std::pair(visited, help->isVisible()),
              std::pair(QStringList{"start_topic", "options", "start_topic"}, false));
    fs::create_directories(dir.File("share/palabrum"));
    const fs::path installed = dir.Write("share/palabrum/Palabrum.htm", "<p>installed</p>");
    EXPECT_EQ(HelpFileUrl(QString::fromStdString(dir.File("share").string())),  // any folder beside share/ for bin/
              QUrl(QString::fromStdString("file://" + installed.string() + "#start_topic")));
    EXPECT_EQ(HelpFileUrl(QString::fromStdString(dir.File("share").string()), QLocale("de_DE")),  // language first
              QUrl("qrc:/help/Palabrum.de.htm#start_topic"));
}

// The first window keeps the 480 by 600 shape inside any screen's available area (1024 by 768 and 1920 by 1080
// at twice the scale, then a full HD screen at 1x, where it has its full size); the last one comes back.
TEST_F(App, TheFirstWindowFitsTheScreenAndTheLastOneComesBack) {
    for (const QRect available : {QRect(0, 0, 512, 360), QRect(0, 0, 960, 516), QRect(0, 27, 1920, 1026)}) {
        const QRect r = CMainFrame::FirstWindowRect(available);
        const bool shaped = std::abs(r.width() * 5 - r.height() * 4) < 5;  // 480 by 600, or smaller in proportion
        EXPECT_TRUE(available.contains(r) && r.center() == available.center() && shaped &&
                    (available.height() < 800 ? r.width() < 480 : r.size() == QSize(480, 600))) << r.x();
    }
    Program first(state());
    first.Frame().setGeometry(100, 120, 520, 430);
    first.Frame().close();
    EXPECT_EQ(Program(state()).Frame().geometry(), QRect(100, 120, 520, 430));
}

// A long text wraps, and a word too wide for any line (a file's name) is cut in the middle: a box is never
// wider than 600 pixels, and the whole text, selectable, is in its details whenever a word was cut.
TEST(MessageBox, StaysWithinSixHundredPixelsWithTheWholeTextAtHand) {
    const std::u16string text = u"Line too long: here" + std::u16string(300, u'x') + u" and there";
    const auto box = MakeMessageBox(nullptr, QMessageBox::Critical, text, u"File Read Error", QMessageBox::Ok);
    box->show();
    EXPECT_EQ(std::tuple(box->width() <= 600, box->detailedText().toStdU16String(), box->textInteractionFlags(),
                         box->findChild<QLabel*>("qt_msgbox_label")->maximumWidth() <= 480),  // wraps on any screen
              std::tuple(true, text, Qt::TextSelectableByMouse, true));
}

// Stands in for the desktop's browser: records what it is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    Q_INVOKABLE void Open(const QUrl& url) { opened << url; }
    QList<QUrl> opened;
};

TEST(AboutBox, ShowsNameVersionAndALinkThatUnderlinesOnHoverAndOpensOnRelease) {
    UrlRecorder browser;
    CAboutDlg about;
    QStringList texts = {about.windowTitle()};
    for (auto* label : about.findChildren<QLabel*>()) texts << label->text();
    EXPECT_EQ(texts, (QStringList{"About Palabrum", "", "Palabrum(TM) Version 1.00", product::kNotice,
                                  "Instructions and terms of use: Help/Help Topics", product::kWebHost}));
    // OK at 88,46 dialog units of 1.5 and 1.625 pixels, grown by 1.2 for the desktop's 9 point font, with the
    // focus, answering Enter; the link in the palette's link colour, unfilled.
    auto* ok = about.findChild<QPushButton*>();
    CLinkStatic& link = *about.Link();
    EXPECT_EQ(std::tuple(ok->geometry(), about.focusWidget() == ok, ok->isDefault(),
                         link.palette().color(QPalette::WindowText), link.autoFillBackground()),
              std::tuple(QRect(158, 90, 65, 25), true, true, QColor(0, 0, 255), false));
    // Hovered, left, hovered, slid off and released there: nothing opens; released over it: the page.
    for (const QPoint p : {QPoint(2, 2), QPoint(-1, 2), QPoint(2, 2), QPoint(link.width() + 5, 2), QPoint(2, 2)}) {
        link.OnMouseMove(p);
        const bool over = link.rect().contains(p);
        EXPECT_EQ(std::pair(link.font().underline(), link.cursor().shape() == Qt::PointingHandCursor),
                  std::pair(over, over));
        if (!over && p.x() > 0) link.OnLButtonUp(p);
    }
    about.show();
    link.OnLButtonUp({2, 2});
    EXPECT_EQ(browser.opened, QList<QUrl>{QUrl(QString::fromUtf8(product::kWebAddress))});
    EXPECT_EQ(std::tuple(link.font().underline(), about.isVisible()), std::tuple(false, true));
}

// The dialogs grow from their design just enough for every text in the desktop's font (none is shrunk):
// beside a button's bevel (8 pixels) or a check box's box (22), a label's text within it, at 7 and 14 points.
TEST(DialogLayout, GrowsTheDesignForEveryTextInTheDesktopFont) {
    const QFont before = QApplication::font();
    testing::ScriptedPort port;
    for (int points : {7, 14}) {
        const QFont font(before.family(), points);
        QApplication::setFont(font);
        CAboutDlg about;
        COptionsDlg options({}, port, nullptr);
        EXPECT_TRUE(points > 7 || options.size() == DialogUnits(0, 0, 137, 103).size()) << "grown though it fits";
        QWidget alone;  // a check box that alone decides the scale, its text clear of a bevel but not of a box
        const int units = (QFontMetrics(font).horizontalAdvance("Random") + 10) * 2 / 3;
        LayOutDialog(alone, {90, 20}, {{new QCheckBox("&Random", &alone), {0, 0, units, 10}}});
        for (const auto* b : about.findChildren<QAbstractButton*>() + options.findChildren<QAbstractButton*>() +
                                 alone.findChildren<QAbstractButton*>()) {
            const int chrome = qobject_cast<const QCheckBox*>(b) ? 22 : 8;
            const int needed = QFontMetrics(font).horizontalAdvance(QString(b->text()).remove('&')) + chrome;
            EXPECT_TRUE(needed <= b->width() && b->parentWidget()->rect().contains(b->geometry())) << needed;
        }
        for (const QLabel* l : about.findChildren<QLabel*>() + options.findChildren<QLabel*>()) {
            const QSize hint = l->wordWrap() ? QSize(0, l->heightForWidth(l->width())) : l->sizeHint();
            EXPECT_TRUE(hint.width() <= l->width() && hint.height() <= l->height() + 2) << l->text().toStdString();
        }
    }
    QApplication::setFont(before);
}

// Only the first signal asks to quit, however late the next ones come; one not caught would end the test.
TEST_F(App, QuitSignalsAskToQuitOnce) {
    QuitSignals quit;
    QSignalSpy asked(&quit, &QuitSignals::quitRequested);
    for (int signal : {SIGHUP, SIGTERM, SIGINT})
        ::raise(signal), QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(asked, QList<QVariantList>{{SIGHUP}});
}

// The descriptor, or -1; allocates nothing, so that a forked child may call it.
int ConnectTo(const fs::path& path) {
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    path.native().copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? fd : -1;
}

// Sets (or with nullptr removes) an environment variable for one scope.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value)
        : name(name), old(std::getenv(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        Set(value);
    }
    ~ScopedEnv() { Set(old ? old->constData() : nullptr); }
    void Set(const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); }
    const char* name;
    std::optional<QByteArray> old;
};

// Past starts that connect and say nothing, and what a crash left; what it hands over is checked through the
// application. Another user's request is dropped unread (as root).
TEST(SingleInstance, ASecondStartReachesTheFirstButAnotherUsersRequestIsDropped) {
    testing::TempDir dir;
    dir.Write("copy.socket", "left by a crash");
    SingleInstance first(dir.Path(), "copy");
    ASSERT_TRUE(first.Claim({}));
    QSignalSpy tokens(&first, &SingleInstance::activationRequested);
    const fs::path socket = first.SocketPath();
    std::vector<int> silent;
    for (int i = 0; i < SingleInstance::kMaxConnections + 2; ++i) silent.push_back(ConnectTo(socket));
    EXPECT_FALSE(SingleInstance(dir.Path(), "copy").Claim({"token-1", std::nullopt}));
    EXPECT_TRUE(tokens.wait(8000));
    for (int fd : silent) ::close(fd);
    if (::geteuid() == 0) {
        ::chmod(dir.Path().c_str(), 0711);  // opened only so that the other user reaches the socket at all
        ::chmod(socket.c_str(), 0666);
        const std::string message = *EncodeStartRequest({"foreign", fs::path("/tmp/foreign.dat")});
        testing::Child intruder = testing::Child::Fork([&] {  // 0 once its request is sent
            const int fd = ::setuid(kNobody) == 0 ? ConnectTo(socket) : -1;
            return fd < 0 || ::send(fd, message.data(), message.size(), MSG_NOSIGNAL) != ssize_t(message.size());
        });
        EXPECT_EQ(testing::ExitCode(intruder.Wait(std::chrono::seconds(10))), 0) << "the other user did not connect";
        EXPECT_FALSE(tokens.wait(1000));  // the request would be read within the second
    }
    // Every spelling of a data folder names one copy, and another folder another.
    const std::string name = SingleInstance::NameFor(dir.File("data"));  // made, so that it has a canonical name
    fs::create_directory_symlink(dir.File("data"), dir.File("link"));
    EXPECT_EQ(SingleInstance::NameFor(dir.Path().string() + "//link/../data/"), name);
    EXPECT_NE(SingleInstance::NameFor(dir.File("other")), name);
}

TEST(SingleInstance, LockAndSocketLiveOnlyInAFolderNoOtherUserCanEnter) {
    // XDG_RUNTIME_DIR: unset, "run" (made with `mode`, another user's when `theirs`), "link" to it, or relative;
    // whether our folder in the temporary one stands open to anyone; the folder expected: "run", "own" or none.
    const std::tuple<std::string, mode_t, bool, bool, std::string> rows[] = {
        {"run", 0700, false, false, "run"}, {"run", 0707, false, false, "own"}, {"run", 0750, false, false, "own"},
        {"relative", 0700, false, false, "own"}, {"link", 0700, false, false, "own"}, {"run", 0700, true, false, "own"},
        {"", 0700, false, false, "own"}, {"", 0700, false, true, ""}};
    for (const auto& [runtime, mode, theirs, ownOpen, expected] : rows) {
        if (theirs && ::geteuid() != 0) continue;
        SCOPED_TRACE(runtime + " " + std::to_string(mode) + (theirs ? " theirs" : "") + (ownOpen ? " open" : ""));
        testing::TempDir scratch;  // the temporary folder too
        const fs::path own = scratch.File("palabrum-" + std::to_string(::getuid())), run = scratch.File("run");
        if (ownOpen) fs::create_directory(own);
        fs::create_directory(run);
        fs::create_directory_symlink(run, scratch.File("link"));
        EXPECT_EQ(::chmod(run.c_str(), mode) | ::chown(run.c_str(), theirs ? kNobody : ::getuid(), -1), 0);
        if (ownOpen) ::chmod(own.c_str(), 0777);
        const std::string xdgValue = runtime == "relative" ? "run" : scratch.File(runtime).string();
        const ScopedEnv tmpdir("TMPDIR", scratch.Path().c_str());
        const ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.empty() ? nullptr : xdgValue.c_str());
        EXPECT_EQ(SingleInstance::TrustedFolder(), expected == "run" ? std::optional(run)
                                                   : expected == "own" ? std::optional(own) : std::nullopt);
        EXPECT_EQ(fs::status(own).permissions() == fs::perms::owner_all, expected == "own");  // made when needed, ours
    }
}

// `palabrum GAME` while a copy runs, even one in the task bar: it comes to the front and opens GAME.
TEST_F(App, ASecondStartRaisesTheRunningCopyAndOpensItsGameThere) {
    ScopedEnv token("XDG_ACTIVATION_TOKEN", nullptr);
    Program p(state(), {}, {}, true);
    p.app.Document().SetMark(9, 1);
    ASSERT_TRUE(p.app.Document().SaveDocumentFile(dir.File("caf\xe9\nmeeting.dat")));  // a name is bytes, any bytes
    p.app.DoFileNew();
    p.Frame().setWindowState(Qt::WindowMinimized);
    token.Set("token-7");
    EXPECT_FALSE(Program(state(), dir.File("caf\xe9\nmeeting.dat"), {}, true).started);
    token.Set(nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return qgetenv("XDG_ACTIVATION_TOKEN") == "token-7"; }));
    EXPECT_EQ(std::tuple(p.Frame().windowState() & Qt::WindowMinimized, p.Mark(9)), std::tuple(false, 1));
}

}  // namespace
}  // namespace palabrum

#include "app_test.moc"
