// The About box and its link: hover, cursor, and the address it opens.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "palabrum/product_info.h"
#include "shell/about_dlg.h"
#include "shell/link_static.h"
#include "tests/gui/gui_fixture.h"

namespace palabrum {
namespace {

// Stands in for the desktop's browser: records what it is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST(AboutBox, ShowsNameVersionCreditsAndTheHostAsALink) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Palabrum"));
    QStringList texts;
    for (auto* label : about.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Palabrum(TM) Version 1.00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Instructions and terms of use: Help/Help Topics")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8(product::kNotice)));
    EXPECT_EQ(about.Link()->text(), QString::fromUtf8(product::kWebHost));
    EXPECT_EQ(about.Link()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(about.Link()->font().underline());
    EXPECT_FALSE(about.Link()->autoFillBackground());  // the dialog's background shows through
}

TEST(AboutBox, TheLinkUnderlinesOnHoverAndLosesItOnLeaving) {
    CAboutDlg about;
    CLinkStatic& link = *about.Link();
    link.OnMouseMove({2, 2});
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    link.OnMouseMove({-1, 2});
    EXPECT_FALSE(link.font().underline());
    EXPECT_NE(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutBox, AReleaseOverTheLinkOpensThePageAndLeavesTheBoxOpen) {
    UrlRecorder browser;
    CAboutDlg about;
    about.show();
    CLinkStatic& link = *about.Link();
    link.OnMouseMove({2, 2});
    link.OnLButtonUp({2, 2});
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl(QString::fromUtf8(product::kWebAddress)));
    EXPECT_FALSE(link.font().underline());
    EXPECT_TRUE(about.isVisible());

    // Pressed on the link, slid off, released elsewhere: nothing opens.
    link.OnMouseMove({2, 2});
    link.OnMouseMove({link.width() + 5, 2});
    link.OnLButtonUp({link.width() + 5, 2});
    EXPECT_EQ(browser.opened.size(), 1);
}

TEST(AboutBox, EveryOpeningStartsUnhighlighted) {
    {
        CAboutDlg first;
        first.Link()->OnMouseMove({2, 2});
    }
    CAboutDlg second;
    EXPECT_FALSE(second.Link()->IsHover());
    EXPECT_FALSE(second.Link()->font().underline());
}

}  // namespace
}  // namespace palabrum

#include "about_dlg_test.moc"
