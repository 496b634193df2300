// The help window: the help file in a browser of the program's own (desktop
// viewers may drop the anchor), with Back, Forward and Home, and closed by
// Escape or Ctrl+W as other viewers are.
#pragma once

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;

namespace palabrum {

class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent);

    // Opens `url` and brings the window to the front.
    void Open(const QUrl& url);
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

}  // namespace palabrum
