#include "shell/about_dlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "palabrum/product_info.h"
#include "shell/link_static.h"
#include "views/dialog_units.h"

namespace palabrum {

namespace {

QLabel* Text(const QString& text, const QRect& where, Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setWordWrap(where.height() > 20);
    label->setGeometry(where);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Palabrum"));
    setObjectName(QStringLiteral("AboutDialog"));
    setFixedSize(DialogUnits(0, 0, 128, 61).size());

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/palabrum-32.png")).pixmap(32, 32));
    icon->setGeometry(DialogUnits(8, 5, 20, 20));
    icon->setAccessibleName(tr("Palabrum"));
    // Shown as major.minor with two digits: 1.0.0.1 is "1.00".
    const QString version = QStringLiteral("%1.%2").arg(product::kVersionMajor).arg(product::kVersionMinor, 2, 10, QLatin1Char('0'));
    Text(tr("Palabrum(TM) Version %1").arg(version), DialogUnits(36, 5, 90, 8), Qt::AlignLeft, this);
    Text(QString::fromUtf8(product::kNotice), DialogUnits(36, 14, 90, 8), Qt::AlignLeft, this);
    Text(tr("Instructions and terms of use: Help/Help Topics"), DialogUnits(15, 27, 97, 16), Qt::AlignHCenter, this);
    m_link = new CLinkStatic(QString::fromUtf8(product::kWebHost), this);
    m_link->setGeometry(DialogUnits(7, 49, 64, 8));
    m_link->m_url = QString::fromUtf8(product::kWebAddress);
    m_link->setAccessibleName(tr("Palabrum web page"));
    m_link->setAccessibleDescription(m_link->m_url);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(DialogUnits(88, 46, 36, 13));
    ok->setDefault(true);
    ok->setFocus();
    FitDialogFont(*this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace palabrum
