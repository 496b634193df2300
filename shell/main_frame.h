// The main window: menus, shortcuts, the toolbar, and the help window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <filesystem>
#include <vector>

#include "shell/card_print_dialog.h"
#include "shell/help_viewer.h"

class QAction;
class QMenu;

namespace palabrum {

class CPalabrumDoc;
class CPalabrumView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kHelpTopics = 32773;
    static constexpr int kRecentFiles = 4;

    CMainFrame(CPalabrumDoc& doc, CPalabrumView* view);

    void OnHelpTopics();
    // The help window, once Help Topics has opened it.
    HelpViewer* HelpWindow() const { return m_help; }

    // Closing saves the game unless this is off (a screenshot run).
    void SetSaveOnClose(bool save) { m_saveOnClose = save; }

    // Remembers a file opened or saved by the player, newest first.
    void AddRecentFile(const std::filesystem::path& path);
    std::vector<std::filesystem::path> RecentFiles() const;

    QAction* Action(int commandId) const;

    // Where the first window goes on a screen with this available area (logical pixels, whatever
    // the scale): 480 by 600, twice the handheld's area, shrunk with its shape where there is not
    // room for that and a frame around it, and centred.
    static QRect FirstWindowRect(const QRect& available);
    // The last session's size, place and state, unless `fresh` or there is none: then the first window's.
    void RestoreOrPlace(bool fresh);

    // What Print Cards asks through: the desktop's print dialog, or a test's stand-in that sets up
    // the printer itself.
    using PrintDialog = std::function<bool(QPrinter& printer, CardRun& run)>;
    void SetPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

signals:
    void openFileRequested(const std::filesystem::path& path);
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, const QString& text, int commandId, const QKeySequence& keys = {});
    void BuildMenusAndToolbar();
    void UpdateRecentMenu();
    void OnOpenGame();
    void OnSave();
    void OnPrintCards();
    void OnSaveCardsAsPdf();
    void OnExportCard();

    CPalabrumDoc& m_doc;
    CPalabrumView* m_view;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QList<QAction*> m_recentActions;
    QPointer<HelpViewer> m_help;
    bool m_saveOnClose = true;
    PrintDialog m_printDialog;
    CardRun m_lastRun;  // the next print dialog starts from the last run's settings
};

}  // namespace palabrum
