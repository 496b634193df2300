#include "shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <algorithm>

#include "model/game_document.h"
#include "model/platform_port.h"
#include "shell/help_file.h"
#include "shell/help_viewer.h"
#include "shell/native_path.h"
#include "views/card_files.h"
#include "views/card_sheets.h"
#include "views/form_view.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {
const QString kRecentKey = QStringLiteral("RecentFiles");
const QString kWordsKey = QStringLiteral("WordsOnBoard");
const QString kGeometryKey = QStringLiteral("WindowGeometry");
constexpr int kAboutCommand = 57664;
constexpr int kOpenGameCommand = 32774;  // the next free id after Help Topics
constexpr int kSaveCommand = 57603;
constexpr int kExitCommand = 57665;
}  // namespace

CMainFrame::CMainFrame(CPalabrumDoc& doc, CPalabrumView* view)
    : m_doc(doc), m_view(view), m_printDialog([this](QPrinter& printer, CardRun& run) {
          return AskToPrintCards(this, printer, run);
      }) {
    setWindowTitle(QStringLiteral("Palabrum"));  // never the document's title
    // Bitmaps, so no SVG plugin is needed; the large sizes come from the
    // installed icon theme, and would only slow the start.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) icon.addFile(QStringLiteral(":/icons/palabrum-%1.png").arg(size));
    setWindowIcon(icon);
    setCentralWidget(view);
    setMinimumSize(200, 260);  // the board still some 20 pixels a square
    BuildMenusAndToolbar();
}

QRect CMainFrame::FirstWindowRect(const QRect& available) {
    // A tenth of the width and a sixth of the height left for the desktop's frame and title.
    const double scale = std::min({1.0, available.width() * 0.9 / 480, available.height() * 0.83 / 600});
    QRect r(0, 0, static_cast<int>(480 * scale), static_cast<int>(600 * scale));
    r.moveCenter(available.center());
    return r;
}

void CMainFrame::RestoreOrPlace(bool fresh) {
    if (!fresh && restoreGeometry(QSettings().value(kGeometryKey).toByteArray())) return;
    const QRect r = FirstWindowRect(screen()->availableGeometry());
    resize(r.size().expandedTo(minimumSize()));
    move(r.topLeft());
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, int commandId, const QKeySequence& keys) {
    auto* action = menu->addAction(text);
    action->setData(commandId);
    if (!keys.isEmpty()) action->setShortcut(keys);
    if (commandId == kCmdNew || commandId == kCmdLoadCustomList || commandId == kCmdLoadDefaultList ||
        commandId == kCmdOptions) {
        connect(action, &QAction::triggered, this, [this, commandId] { m_doc.OnCmdMsg(commandId); });
    }
    return action;
}

void CMainFrame::BuildMenusAndToolbar() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newGame = AddCommand(file, tr("&New"), kCmdNew, QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* open =
        AddCommand(file, tr("&Open Game..."), kOpenGameCommand, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(open, &QAction::triggered, this, &CMainFrame::OnOpenGame);
    AddCommand(file, tr("&Load Custom List..."), kCmdLoadCustomList, QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(file, tr("&Load Default List..."), kCmdLoadDefaultList, QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction* save = AddCommand(file, tr("&Save..."), kSaveCommand, QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &CMainFrame::OnSave);
    file->addSeparator();
    connect(file->addAction(tr("&Print Cards...")), &QAction::triggered, this, &CMainFrame::OnPrintCards);
    connect(file->addAction(tr("Save Cards as P&DF...")), &QAction::triggered, this, &CMainFrame::OnSaveCardsAsPdf);
    connect(file->addAction(tr("&Export Card...")), &QAction::triggered, this, &CMainFrame::OnExportCard);
    file->addSeparator();
    m_recentPlaceholder = file->addAction(tr("Recent File"));
    m_recentPlaceholder->setEnabled(false);
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* recent = file->addAction(QString());
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, recent] {
            const QByteArray name = recent->data().toByteArray();
            emit openFileRequested(std::filesystem::path(name.begin(), name.end()));
        });
        m_recentActions << recent;
    }
    file->addSeparator();
    QAction* exit = AddCommand(file, tr("E&xit"), kExitCommand, QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // A setting of this desktop, not of the game: it lives with the settings, not in the state file.
    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    QAction* words = viewMenu->addAction(tr("&Words on Board"));
    words->setCheckable(true);
    words->setChecked(QSettings().value(kWordsKey, true).toBool());
    m_view->SetWordsOnBoard(words->isChecked());
    connect(words, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(kWordsKey, on);
        m_view->SetWordsOnBoard(on);
    });

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    AddCommand(tools, tr("&Options..."), kCmdOptions);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* topics = AddCommand(help, tr("&Help Topics"), kHelpTopics, QKeySequence(Qt::Key_F1));
    topics->setShortcuts({QKeySequence(Qt::Key_F1), QKeySequence(Qt::Key_Help)});  // F1 and the keyboard's Help key
    connect(topics, &QAction::triggered, this, &CMainFrame::OnHelpTopics);
    help->addSeparator();
    QAction* about = AddCommand(help, tr("&About Palabrum..."), kAboutCommand);
    connect(about, &QAction::triggered, this, &CMainFrame::aboutRequested);

    QToolBar* bar = addToolBar(tr("Commands"));
    bar->setObjectName(QStringLiteral("commandBar"));
    bar->setMovable(false);
    newGame->setIcon(QIcon(QStringLiteral(":/toolbar/new.png")));
    about->setIcon(QIcon(QStringLiteral(":/toolbar/about.png")));
    topics->setIcon(QIcon(QStringLiteral(":/toolbar/help.png")));
    bar->addSeparator();
    bar->addAction(newGame);
    bar->addAction(about);
    bar->addSeparator();
    bar->addAction(topics);
    UpdateRecentMenu();
}

QAction* CMainFrame::Action(int commandId) const {
    for (QAction* action : findChildren<QAction*>()) {
        if (action->data().toInt() == commandId && !m_recentActions.contains(action)) return action;
    }
    return nullptr;
}

void CMainFrame::OnHelpTopics() {
    if (!m_help) m_help = new HelpViewer(this);
    m_help->Open(HelpFileUrl(QCoreApplication::applicationDirPath()));
}

// Kept as the names' bytes, which need not be text; lists of strings from
// earlier versions still read.
std::vector<std::filesystem::path> CMainFrame::RecentFiles() const {
    std::vector<std::filesystem::path> files;
    for (const QVariant& entry : QSettings().value(kRecentKey).toList()) {
        if (entry.typeId() == QMetaType::QByteArray) {
            const QByteArray name = entry.toByteArray();
            files.emplace_back(std::string(name.begin(), name.end()));
        } else {
            files.push_back(PathFromUtf16(entry.toString().toStdU16String()));
        }
    }
    return files;
}

void CMainFrame::AddRecentFile(const std::filesystem::path& path) {
    std::vector<std::filesystem::path> files = RecentFiles();
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFiles) files.resize(kRecentFiles);
    QVariantList names;
    for (const auto& file : files) names << QByteArray::fromStdString(file.native());
    QSettings().setValue(kRecentKey, names);
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() {
    const std::vector<std::filesystem::path> files = RecentFiles();
    m_recentPlaceholder->setVisible(files.empty());
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        QAction* action = m_recentActions[static_cast<qsizetype>(i)];
        action->setVisible(i < files.size());
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(ShownName(files[i])));
            action->setData(QByteArray::fromStdString(files[i].native()));
        }
    }
}

// Through the same path as a game named on the command line: all or nothing, after asking.
void CMainFrame::OnOpenGame() {
    // Games were saved as .dat before they had a type of their own.
    const auto file = m_doc.Port().ChooseFileToOpen(
        {{tr("Palabrum games (*.palabrum *.dat)").toStdU16String(), u"*.palabrum *.dat"},
         {tr("All files (*)").toStdU16String(), u"*"}});
    if (file) emit openFileRequested(*file);
}

void CMainFrame::OnSave() {
    auto file = m_doc.Port().ChooseFileToSave(tr("Save Game").toStdU16String(),
                                              tr("Meeting.palabrum").toStdU16String(),
                                              {{tr("Palabrum games (*.palabrum)").toStdU16String(), u"*.palabrum"},
                                               {tr("All files (*)").toStdU16String(), u"*"}});
    if (!file) return;
    // The ending is what lets a file manager know the file and open it here.
    if (!file->has_extension()) file->replace_extension(".palabrum");
    if (!m_doc.SaveDocumentFile(*file)) {
        m_doc.ShowError(tr("Error saving %1").arg(ToQString(DisplayName(*file))).toStdU16String(),
                        tr("Can't Save Game").toStdU16String(), false);
        return;
    }
    AddRecentFile(*file);
}

// To a printer through the desktop's print dialog; the cards are fresh deals of the current words,
// and the game itself is untouched.
void CMainFrame::OnPrintCards() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(PaperOfLocale());
    printer.setDocName(tr("Palabrum cards"));
    CardRun run = m_lastRun;
    if (!m_printDialog(printer, run)) return;
    m_lastRun = run;
    PlatformPort& port = m_doc.Port();
    QString why;
    const std::vector<CardFace> faces =
        DealCardFaces(m_doc.GetBoard().Words(), run.count, [&port] { return port.Random(); }, &why);
    if (why.isEmpty() && !PaintCardSheets(printer, faces, run.perSheet)) why = tr("the printer could not be used.");
    if (!why.isEmpty()) {
        m_doc.ShowError(tr("Could not print the cards: %1").arg(why).toStdU16String(),
                        tr("Can't Print Cards").toStdU16String(), false);
    }
}

void CMainFrame::OnSaveCardsAsPdf() {
    PlatformPort& port = m_doc.Port();
    const std::u16string caption = tr("Save Cards as PDF").toStdU16String();
    const auto count = port.AskNumber(caption, tr("How many cards (1 to 99)?").toStdU16String(), 10, 1, kMaxCards);
    if (!count) return;
    const auto file = port.ChooseFileToSave(caption, tr("Palabrum cards.pdf").toStdU16String(),
                                            {{tr("PDF documents (*.pdf)").toStdU16String(), u"*.pdf"}});
    if (!file) return;
    QString error;
    // Each card is a fresh deal of the current words; the game itself is untouched.
    if (!PrintCards(m_doc.GetBoard().Words(), *count, [&port] { return port.Random(); }, *file, &error)) {
        m_doc.ShowError(error.toStdU16String(), tr("Can't Print Cards").toStdU16String(), false);
    }
}

void CMainFrame::OnExportCard() {
    const auto file = m_doc.Port().ChooseFileToSave(tr("Export Card").toStdU16String(),
                                                    tr("Palabrum card.png").toStdU16String(),
                                                    {{tr("PNG images (*.png)").toStdU16String(), u"*.png"},
                                                     {tr("PDF documents (*.pdf)").toStdU16String(), u"*.pdf"}});
    if (!file) return;
    QString error;
    if (!ExportCard(m_doc, *file, &error))
        m_doc.ShowError(error.toStdU16String(), tr("Can't Export Card").toStdU16String(), false);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_saveOnClose) {
        m_doc.OnFrameClosing();
        QSettings().setValue(kGeometryKey, saveGeometry());
    }
    if (m_help) m_help->close();
    event->accept();
}

}  // namespace palabrum
