// The Meeting menu and what its commands do: start or join a room (and come
// back to it after a restart), deal a new round, leave, set the broker; the
// players panel in a dock beside the board; bingos announced in the status
// bar, never in a box, so that play never stops.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <string>
#include <memory>
#include <optional>

#include "meeting/broker_settings.h"

class QAction;
class QDockWidget;

namespace palabrum {

class CMainFrame;
class CPalabrumDoc;
class MeetingDialogs;
class MeetingSession;
class PlatformPort;
class PlayersPanel;
struct MeetingSeat;

class MeetingController : public QObject {
    Q_OBJECT
public:
    MeetingController(CPalabrumDoc& doc, CMainFrame& frame, PlatformPort& port, MeetingDialogs& dialogs);
    ~MeetingController() override;

    void Start();
    void Join();
    void NewRound();
    void Leave();
    void Settings();
    // Comes back to the meeting the player was in when the program closed.
    void RejoinSaved();

    MeetingSession* Session() const { return m_session.get(); }
    // The players panel in its dock, made on first use.
    PlayersPanel* Panel();
    QDockWidget* Dock();
    QAction* StartAction() const { return m_start; }
    QAction* JoinAction() const { return m_join; }
    QAction* NewRoundAction() const { return m_newRound; }
    QAction* LeaveAction() const { return m_leave; }

    static BrokerSettings SavedSettings();

private:
    // Opens the session; `fresh` for a room just started, whose code is shown.
    void Begin(const MeetingSeat& seat, bool fresh);
    // The name the player typed, or none (they were told why).
    std::optional<std::string> NameOf(const QString& typed, const QString& caption);
    void OnJoined();
    void OnJoinFailed(const QString& why);
    void ShowRoom();
    void UpdateActions();
    void SaveSeat();

    CPalabrumDoc& m_doc;
    CMainFrame& m_frame;
    PlatformPort& m_port;
    MeetingDialogs& m_dialogs;
    std::unique_ptr<MeetingSession> m_session;
    std::optional<QString> m_password;
    bool m_fresh = false;
    std::uint32_t m_savedRound = 0;
    QTimer m_refresh;  // the panel is drawn at most four times a second, however busy the room  // asked once a run, kept in memory only
    PlayersPanel* m_panel = nullptr;
    QDockWidget* m_dock = nullptr;
    QAction* m_panelAction;
    QAction* m_start;
    QAction* m_join;
    QAction* m_newRound;
    QAction* m_leave;
};

}  // namespace palabrum
