#include "shell/app.h"

#include <QGuiApplication>
#include <QWindow>

#include "model/game_document.h"
#include "shell/about_dlg.h"
#include "shell/main_frame.h"
#include "shell/qt_platform_port.h"
#include "shell/resources.h"
#include "shell/single_instance.h"
#include "views/form_view.h"

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
        m_instance = std::make_unique<SingleInstance>(
            SingleInstance::SocketPathFor(QString::fromStdString(m_statePath.parent_path().string())));
        if (!m_instance->Claim()) return false;
    }

    m_view = new CPalabrumView(*m_doc, *m_port);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_view);
    if (m_qtPort) {
        m_qtPort->SetOwner(m_frame.get());
        m_qtPort->SetHelpTopics([this] { m_frame->OnHelpTopics(); });
    }
    QObject::connect(m_frame.get(), &CMainFrame::openFileRequested, m_frame.get(),
                     [this](const QString& path) { OpenFile(path.toStdString()); });
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
    }

    // Twice the handheld's client area: comfortable on a desktop.
    m_frame->resize(480, 600);
    m_frame->show();
    DoFileNew();
    if (!options.file.empty()) OpenFile(options.file);
    return true;
}

void CPalabrumApp::DoFileNew() { m_doc->NewDocument(); }

bool CPalabrumApp::OpenFile(const std::filesystem::path& path) {
    if (!m_doc->OpenDocumentFile(path)) {
        m_doc->ShowError(u"Could not open the game " + path.u16string() +
                             u".\nIt is missing, unreadable or not a saved Palabrum game.",
                         u"File Open Error", false);
        return false;
    }
    m_frame->AddRecentFile(QString::fromStdString(path.string()));
    return true;
}

void CPalabrumApp::OnAppAbout() {
    CAboutDlg about(m_frame.get());
    about.exec();
}

}  // namespace palabrum
