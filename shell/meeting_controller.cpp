#include "shell/meeting_controller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <sodium.h>

#include "meeting/room_code.h"
#include "meeting/topics.h"
#include "model/game_document.h"
#include "model/platform_port.h"
#include "model/utf8.h"
#include "shell/main_frame.h"
#include "shell/meeting_dialogs.h"
#include "shell/meeting_session.h"
#include "views/players_panel.h"

namespace palabrum {

namespace {

const QString kGroup = QStringLiteral("Meeting");
constexpr int kBingoShownMs = 15000;

std::u16string U16(const QString& text) { return text.toStdU16String(); }

}  // namespace

MeetingController::MeetingController(CPalabrumDoc& doc, CMainFrame& frame, PlatformPort& port,
                                     MeetingDialogs& dialogs)
    : m_doc(doc), m_frame(frame), m_port(port), m_dialogs(dialogs) {
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(250);
    connect(&m_refresh, &QTimer::timeout, this, &MeetingController::ShowRoom);

    auto* menu = new QMenu(tr("&Meeting"), &frame);
    const QList<QAction*> menus = frame.menuBar()->actions();
    frame.menuBar()->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);  // before Help
    m_start = menu->addAction(tr("&Start Meeting..."), this, &MeetingController::Start);
    m_join = menu->addAction(tr("&Join Meeting..."), this, &MeetingController::Join);
    m_newRound = menu->addAction(tr("&New Round"), this, &MeetingController::NewRound);
    m_leave = menu->addAction(tr("&Leave Meeting"), this, &MeetingController::Leave);
    menu->addSeparator();
    // The panel is made when first shown: most starts never need it.
    m_panelAction = menu->addAction(tr("&Players Panel"));
    m_panelAction->setCheckable(true);
    connect(m_panelAction, &QAction::triggered, this, [this](bool on) { Dock()->setVisible(on); });
    menu->addAction(tr("Se&ttings..."), this, &MeetingController::Settings);
    UpdateActions();
}

MeetingController::~MeetingController() {
    // Leaving tells the room, and the room tells no one here any more.
    if (m_session) m_session->disconnect(this);
    m_session.reset();
}

BrokerSettings MeetingController::SavedSettings() {
    QSettings settings;
    settings.beginGroup(kGroup);
    BrokerSettings saved;
    saved.host = settings.value(QStringLiteral("Host"), QString::fromStdString(saved.host)).toString().toStdString();
    saved.port = settings.value(QStringLiteral("Port"), saved.port).toInt();
    saved.tls = settings.value(QStringLiteral("Tls"), false).toBool();
    saved.caFile = settings.value(QStringLiteral("CaFile")).toString().toStdString();
    saved.user = settings.value(QStringLiteral("User")).toString().toStdString();
    return saved;
}

QDockWidget* MeetingController::Dock() {
    if (!m_dock) {
        m_panel = new PlayersPanel;
        m_dock = new QDockWidget(tr("Players"), &m_frame);
        m_dock->setObjectName(QStringLiteral("playersDock"));
        m_dock->setWidget(m_panel);
        m_dock->setFocusPolicy(Qt::NoFocus);
        m_frame.addDockWidget(Qt::RightDockWidgetArea, m_dock);
        m_dock->hide();
        // Tied to the action and the dock alone: both outlive this controller in the frame.
        connect(m_dock, &QDockWidget::visibilityChanged, m_panelAction, &QAction::setChecked);
    }
    return m_dock;
}

PlayersPanel* MeetingController::Panel() {
    Dock();
    return m_panel;
}

void MeetingController::Settings() {
    const std::optional<BrokerSettings> chosen = m_dialogs.AskSettings(SavedSettings());
    if (!chosen) return;
    QSettings settings;
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("Host"), QString::fromStdString(chosen->host));
    settings.setValue(QStringLiteral("Port"), chosen->port);
    settings.setValue(QStringLiteral("Tls"), chosen->tls);
    settings.setValue(QStringLiteral("CaFile"), QString::fromStdString(chosen->caFile));
    settings.setValue(QStringLiteral("User"), QString::fromStdString(chosen->user));
    m_password.reset();
}

void MeetingController::Start() {
    if (m_session || !m_doc.ConfirmCancelGame()) return;
    const std::optional<MeetingEntry> entry =
        m_dialogs.AskEntry(false, QSettings().value(kGroup + QStringLiteral("/Name")).toString());
    if (!entry) return;
    MeetingSeat seat;
    seat.code = NewRoomCode();
    const std::optional<std::string> name = NameOf(entry->name, tr("Start Meeting"));
    if (!name) return;
    std::vector<std::string> words;
    for (const std::u16string& word : m_doc.GetBoard().Words()) words.push_back(Utf8FromUtf16(word));
    if (!RoomListFits(words, *name)) {
        m_port.ShowError(U16(tr("This word list is too long to share in a meeting: its words may take some "
                                "3,900 bytes together. Load a list of shorter words, then start the meeting.")),
                         U16(tr("Start Meeting")));
        return;
    }
    seat.name = *name;
    seat.starter = true;
    randombytes_buf(seat.self.data(), seat.self.size());
    Begin(seat, true);
}

void MeetingController::Join() {
    if (m_session) return;
    const std::optional<MeetingEntry> entry =
        m_dialogs.AskEntry(true, QSettings().value(kGroup + QStringLiteral("/Name")).toString());
    if (!entry) return;
    const std::optional<RoomCode> code = ParseRoomCode(entry->code.toStdString());
    if (!code) {
        m_port.ShowError(U16(tr("\"%1\" is no meeting code: a code has ten letters and digits, such as ABCDE-FGHJK.")
                                 .arg(entry->code)),
                         U16(tr("Join Meeting")));
        return;
    }
    const std::optional<std::string> name = NameOf(entry->name, tr("Join Meeting"));
    if (!name || !m_doc.ConfirmCancelGame()) return;
    MeetingSeat seat;
    seat.code = *code;
    seat.name = *name;
    randombytes_buf(seat.self.data(), seat.self.size());
    Begin(seat, false);
}

std::optional<std::string> MeetingController::NameOf(const QString& typed, const QString& caption) {
    const std::string name = typed.trimmed().toStdString();
    if (IsGoodName(name)) return name;
    m_port.ShowError(U16(tr("A name has 1 to 40 characters, and no control characters.")), U16(caption));
    return std::nullopt;
}

void MeetingController::Begin(const MeetingSeat& seat, bool fresh) {
    const BrokerSettings settings = SavedSettings();
    if (!settings.user.empty() && !m_password) {
        m_password = m_dialogs.AskPassword(settings);
        if (!m_password) return;
    }
    const std::optional<RoomSecrets> secrets = DeriveRoomSecrets(seat.code);
    if (!secrets) {
        m_port.ShowError(U16(tr("Not enough memory to open the meeting.")), U16(tr("Meeting")));
        return;
    }
    QSettings().setValue(kGroup + QStringLiteral("/Name"), QString::fromStdString(seat.name));
    m_fresh = fresh;
    m_session = std::make_unique<MeetingSession>(m_doc, seat, *secrets, settings,
                                                 m_password.value_or(QString()).toStdString());
    connect(m_session.get(), &MeetingSession::joined, this, &MeetingController::OnJoined);
    connect(m_session.get(), &MeetingSession::joinFailed, this, &MeetingController::OnJoinFailed,
            Qt::QueuedConnection);  // the session goes, so not from inside its own signal
    connect(m_session.get(), &MeetingSession::roomChanged, this, [this] {
        if (!m_refresh.isActive()) m_refresh.start();
    });
    connect(m_session.get(), &MeetingSession::onlineChanged, this, &MeetingController::ShowRoom);
    connect(m_session.get(), &MeetingSession::bingoCalled, this, [this](const QString& name, const QStringList& words) {
        m_frame.statusBar()->showMessage(tr("Bingo! %1").arg(PlayersPanel::BingoLine(name, words)), kBingoShownMs);
    });
    UpdateActions();
}

void MeetingController::OnJoined() {
    SaveSeat();
    ShowRoom();
    Dock()->show();
    UpdateActions();
    const MeetingSeat& seat = m_session->Seat();
    if (m_fresh) {
        m_fresh = false;
        const QString code = QString::fromStdString(seat.code.Shown());
        QApplication::clipboard()->setText(code);
        m_port.ShowNotice(U16(tr("The meeting's code is %1. It is on the clipboard: read it out, or paste it into "
                                 "the meeting's chat, and everyone joins with Meeting > Join Meeting...")
                                  .arg(code)),
                          U16(tr("Start Meeting")));
    }
}

void MeetingController::OnJoinFailed(const QString& why) {
    if (!m_session) return;
    const MeetingSeat seat = m_session->Seat();
    const BrokerSettings settings = SavedSettings();
    m_session.reset();
    const QString text =
        why.isEmpty()
            ? tr("There is no meeting with the code %1.").arg(QString::fromStdString(seat.code.Shown()))
            : tr("Could not reach the meeting server %1, port %2: %3")
                  .arg(QString::fromStdString(settings.host))
                  .arg(settings.port)
                  .arg(why);
    UpdateActions();
    m_port.ShowError(U16(text), U16(seat.starter ? tr("Start Meeting") : tr("Join Meeting")));
}

void MeetingController::NewRound() {
    if (m_session && m_doc.ConfirmCancelGame()) m_session->NewRound();
}

void MeetingController::Leave() {
    if (m_session) m_session->disconnect(this);
    m_session.reset();
    QSettings().remove(kGroup + QStringLiteral("/Seat"));
    if (m_dock) {
        m_panel->ShowNoMeeting();
        m_dock->hide();
    }
    UpdateActions();
}

void MeetingController::SaveSeat() {
    const MeetingSeat& seat = m_session->Seat();
    QSettings settings;
    settings.beginGroup(kGroup + QStringLiteral("/Seat"));
    settings.setValue(QStringLiteral("Code"), QString::fromStdString(seat.code.Shown()));
    settings.setValue(QStringLiteral("Player"), QString::fromStdString(HexOf(seat.self)));
    settings.setValue(QStringLiteral("Starter"), seat.starter);
    settings.setValue(QStringLiteral("Round"), seat.dealtRound);
    m_savedRound = seat.dealtRound;
}

void MeetingController::RejoinSaved() {
    QSettings settings;
    settings.beginGroup(kGroup + QStringLiteral("/Seat"));
    const std::optional<RoomCode> code = ParseRoomCode(settings.value(QStringLiteral("Code")).toString().toStdString());
    const QByteArray player = QByteArray::fromHex(settings.value(QStringLiteral("Player")).toByteArray());
    if (!code || player.size() != static_cast<qsizetype>(PlayerId{}.size())) return;
    MeetingSeat seat;
    seat.code = *code;
    seat.name = QSettings().value(kGroup + QStringLiteral("/Name")).toString().toStdString();
    std::copy(player.begin(), player.end(), seat.self.begin());
    seat.starter = settings.value(QStringLiteral("Starter")).toBool();
    seat.dealtRound = settings.value(QStringLiteral("Round")).toUInt();
    Begin(seat, false);
    if (m_session) {
        Dock()->show();  // offline or not, the player is back in the meeting
        ShowRoom();
    }
}

void MeetingController::ShowRoom() {
    if (!m_session) return;
    if (m_session->Seat().dealtRound != m_savedRound) SaveSeat();
    Panel()->ShowRoom(QString::fromStdString(m_session->Seat().code.Shown()), m_session->IsOnline());
    m_panel->ShowPlayers(m_session->GetRoom().Players(), m_session->GetRoom().Bingos());
}

void MeetingController::UpdateActions() {
    const bool in = m_session != nullptr;
    m_start->setEnabled(!in);
    m_join->setEnabled(!in);
    m_leave->setEnabled(in);
    m_newRound->setEnabled(in && m_session->IsPlaying() && m_session->GetRoom().IsStarter(m_session->Seat().self));
}

}  // namespace palabrum
