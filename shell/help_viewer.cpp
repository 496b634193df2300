#include "shell/help_viewer.h"

#include <QAction>
#include <QIcon>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>

namespace palabrum {

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent), m_browser(new QTextBrowser(this)) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Palabrum Help"));
    m_browser->setOpenExternalLinks(true);
    // Colours from the desktop's palette, so that the page reads in a dark one too.
    const QPalette colours = palette();
    m_browser->document()->setDefaultStyleSheet(
        QStringLiteral("h1, h2 { color: %1; } th, pre { background-color: %2; }")
            .arg(colours.color(QPalette::Link).name(), colours.color(QPalette::AlternateBase).name()));
    setCentralWidget(m_browser);
    resize(520, 560);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setObjectName(QStringLiteral("helpBar"));
    bar->setMovable(false);
    QAction* back = bar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), tr("&Back"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(QIcon::fromTheme(QStringLiteral("go-next")), tr("&Forward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* home = bar->addAction(QIcon::fromTheme(QStringLiteral("go-home")), tr("&Home"));
    home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    connect(home, &QAction::triggered, m_browser, &QTextBrowser::home);

    auto* closing = new QAction(tr("&Close"), this);
    closing->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closing, &QAction::triggered, this, &QWidget::close);
    addAction(closing);
}

void HelpViewer::Open(const QUrl& url) {
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
}

}  // namespace palabrum
