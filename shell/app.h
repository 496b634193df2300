// The application: makes sure one copy runs, builds document, frame and view,
// restores the game, and saves it when the frame closes.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <filesystem>
#include <memory>

namespace palabrum {

class CMainFrame;
class CPalabrumDoc;
class CPalabrumView;
class MeetingController;
class MeetingDialogs;
class PlatformPort;
class QtPlatformPort;
class SingleInstance;

class CPalabrumApp {
    Q_DECLARE_TR_FUNCTIONS(CPalabrumApp)

public:
    struct Options {
        std::filesystem::path file;  // a saved game to open after the state file
        bool singleInstance = true;
        bool unattended = false;  // nobody at the screen: boxes go to standard error
    };

    // Without a `port` of the caller's (tests pass a scripted one), boxes and
    // dialogs are the desktop's own.
    explicit CPalabrumApp(std::filesystem::path statePath, PlatformPort* port = nullptr);
    ~CPalabrumApp();

    // False when another copy runs (it was brought to the front): end at once.
    bool InitInstance(const Options& options);
    // The application's New command: a fresh game shown afresh.
    void DoFileNew();
    void OnAppAbout();
    // Opens a saved game through the document; tells the player when it cannot.
    bool OpenFile(const std::filesystem::path& path);
    // The same, once the player agreed to drop a game under way.
    bool OpenFileAfterAsking(const std::filesystem::path& path);

    // The meeting's dialogs come from `dialogs` (a test's script) instead of the desktop; before InitInstance.
    void SetMeetingDialogs(MeetingDialogs& dialogs) { m_meetingDialogs = &dialogs; }
    MeetingController* Meeting() const { return m_meeting.get(); }

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CPalabrumDoc& Document() const { return *m_doc; }
    CPalabrumView* View() const { return m_view; }

private:
    std::filesystem::path m_statePath;
    std::unique_ptr<QtPlatformPort> m_qtPort;
    PlatformPort* m_port;
    std::unique_ptr<CPalabrumDoc> m_doc;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<CMainFrame> m_frame;
    CPalabrumView* m_view = nullptr;  // owned by the frame
    std::unique_ptr<MeetingDialogs> m_qtMeetingDialogs;
    MeetingDialogs* m_meetingDialogs = nullptr;
    std::unique_ptr<MeetingController> m_meeting;  // goes first: it leaves the room while the frame still stands
};

}  // namespace palabrum
