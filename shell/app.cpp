#include "shell/app.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>

#include "model/file_name.h"
#include "model/game_document.h"
#include "shell/main_frame.h"
#include "shell/meeting_controller.h"
#include "shell/meeting_dialogs.h"
#include "shell/qt_platform_port.h"
#include "shell/resources.h"
#include "shell/single_instance.h"
#include "views/form_view.h"
#include "views/qt_text.h"

namespace palabrum {

CPalabrumApp::CPalabrumApp(std::filesystem::path statePath, PlatformPort* port)
    : m_statePath(std::move(statePath)),
      m_qtPort(port ? nullptr : std::make_unique<QtPlatformPort>([this] { DoFileNew(); })),
      m_port(port ? port : m_qtPort.get()),
      m_doc(std::make_unique<CPalabrumDoc>(*m_port, m_statePath)) {
    InitResources();
}

CPalabrumApp::~CPalabrumApp() = default;

bool CPalabrumApp::InitInstance(const Options& options) {
    if (options.singleInstance) {
        // Without a folder that only this user can write, run on our own.
        if (const auto folder = SingleInstance::TrustedFolder()) {
            m_instance = std::make_unique<SingleInstance>(*folder, SingleInstance::NameFor(m_statePath.parent_path()));
            StartRequest request;
            if (const char* token = std::getenv("XDG_ACTIVATION_TOKEN")) request.activationToken = token;
            std::error_code error;
            // The running copy has its own working folder.
            if (!options.file.empty()) request.file = std::filesystem::absolute(options.file, error);
            if (error) request.file.reset();
            if (!m_instance->Claim(request)) return false;
        }
    }

    m_view = new CPalabrumView(*m_doc, *m_port);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_view);
    if (m_qtPort) {
        m_qtPort->SetOwner(m_frame.get());
        m_qtPort->SetUnattended(options.unattended);
        m_qtPort->SetHelpTopics([this] { m_frame->OnHelpTopics(); });
    }
    QObject::connect(m_frame.get(), &CMainFrame::openFileRequested, m_frame.get(),
                     [this](const std::filesystem::path& path) { OpenFileAfterAsking(path); });
    QObject::connect(m_frame.get(), &CMainFrame::aboutRequested, m_frame.get(), [this] { OnAppAbout(); });
    if (m_instance) {
        QObject::connect(m_instance.get(), &SingleInstance::activationRequested, m_frame.get(),
                         [this](const QByteArray& token) {
                             if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token);
                             m_frame->setWindowState(m_frame->windowState() & ~Qt::WindowMinimized);
                             m_frame->show();
                             m_frame->raise();
                             m_frame->activateWindow();
                         });
        QObject::connect(m_instance.get(), &SingleInstance::openRequested, m_frame.get(),
                         [this](const std::filesystem::path& path) { OpenFileAfterAsking(path); });
    }

    if (!m_meetingDialogs) {
        m_qtMeetingDialogs = std::make_unique<QtMeetingDialogs>(m_frame.get());
        m_meetingDialogs = m_qtMeetingDialogs.get();
    }
    m_meeting = std::make_unique<MeetingController>(*m_doc, *m_frame, *m_port, *m_meetingDialogs);

    m_frame->RestoreOrPlace(options.unattended);  // a screenshot always shows the first window
    m_frame->show();
    DoFileNew();
    if (!options.file.empty()) OpenFileAfterAsking(options.file);
    // A restart in a meeting goes back to it (not for a screenshot, whose run is no session).
    if (!options.unattended) m_meeting->RejoinSaved();
    return true;
}

void CPalabrumApp::DoFileNew() { m_doc->NewDocument(); }

bool CPalabrumApp::OpenFile(const std::filesystem::path& path) {
    if (!m_doc->OpenDocumentFile(path)) {
        m_doc->ShowError(tr("Could not open the game %1.\nIt is missing, unreadable or not a saved Palabrum game.")
                             .arg(ToQString(DisplayName(path)))
                             .toStdU16String(),
                         tr("File Open Error").toStdU16String(), false);
        return false;
    }
    m_frame->AddRecentFile(path);
    return true;
}

bool CPalabrumApp::OpenFileAfterAsking(const std::filesystem::path& path) {
    return m_doc->ConfirmCancelGame() && OpenFile(path);
}

void CPalabrumApp::OnAppAbout() { m_port->ShowAbout(); }

}  // namespace palabrum
