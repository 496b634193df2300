#include "shell/about_dlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "palabrum/product_info.h"
#include "shell/link_static.h"
#include "views/dialog_units.h"

namespace palabrum {

namespace {

QLabel* Text(const QString& text, Qt::Alignment alignment, bool wrap, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setWordWrap(wrap);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Palabrum"));
    setObjectName(QStringLiteral("AboutDialog"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/palabrum-32.png")).pixmap(32, 32));
    icon->setAccessibleName(tr("Palabrum"));
    // Shown as major.minor with two digits: 1.0.0.1 is "1.00".
    const QString version =
        QStringLiteral("%1.%2").arg(product::kVersionMajor).arg(product::kVersionMinor, 2, 10, QLatin1Char('0'));
    QLabel* name = Text(tr("Palabrum(TM) Version %1").arg(version), Qt::AlignLeft, false, this);
    QLabel* notice = Text(QString::fromUtf8(product::kNotice), Qt::AlignLeft, false, this);
    QLabel* terms = Text(tr("Instructions and terms of use: Help/Help Topics"), Qt::AlignHCenter, true, this);
    m_link = new CLinkStatic(QString::fromUtf8(product::kWebHost), this);
    m_link->m_url = QString::fromUtf8(product::kWebAddress);
    m_link->setAccessibleName(tr("Palabrum web page"));
    m_link->setAccessibleDescription(m_link->m_url);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setFocus();
    // The icon's box is 22 units wide, so that the 32 pixel icon is whole at the design's own scale.
    LayOutDialog(*this, {128, 61},
                 {{icon, {8, 5, 22, 20}}, {name, {36, 5, 90, 8}}, {notice, {36, 14, 90, 8}}, {terms, {15, 27, 97, 16}},
                  {m_link, {7, 49, 64, 8}}, {ok, {88, 46, 36, 13}}});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace palabrum
