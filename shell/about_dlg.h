// The About box: the program's name and version, its credits, and a link to
// its web page.
#pragma once

#include <QDialog>

namespace palabrum {

class CLinkStatic;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    CLinkStatic* Link() const { return m_link; }

private:
    CLinkStatic* m_link;
};

}  // namespace palabrum
