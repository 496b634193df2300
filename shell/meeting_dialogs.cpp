#include "shell/meeting_dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "meeting/message.h"

namespace palabrum {

namespace {

struct MeetingDialogTexts {
    Q_DECLARE_TR_FUNCTIONS(MeetingDialogs)
};

// A form in a dialog with OK and Cancel; true on OK.
bool RunForm(QDialog& dialog, QFormLayout* form) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

std::optional<MeetingEntry> QtMeetingDialogs::AskEntry(bool withCode, const QString& name) {
    QDialog dialog(m_parent);
    dialog.setWindowTitle(withCode ? MeetingDialogTexts::tr("Join Meeting") : MeetingDialogTexts::tr("Start Meeting"));
    auto* form = new QFormLayout(&dialog);
    auto* code = new QLineEdit(&dialog);
    code->setPlaceholderText(QStringLiteral("ABCDE-FGHJK"));
    if (withCode) form->addRow(MeetingDialogTexts::tr("Meeting &code:"), code);
    auto* yours = new QLineEdit(name, &dialog);
    yours->setMaxLength(static_cast<int>(kMaxNameLength));
    form->addRow(MeetingDialogTexts::tr("Your &name:"), yours);
    if (!RunForm(dialog, form)) return std::nullopt;
    return MeetingEntry{code->text(), yours->text().trimmed()};
}

std::optional<BrokerSettings> QtMeetingDialogs::AskSettings(const BrokerSettings& current) {
    QDialog dialog(m_parent);
    dialog.setWindowTitle(MeetingDialogTexts::tr("Meeting Settings"));
    auto* form = new QFormLayout(&dialog);
    auto* host = new QLineEdit(QString::fromStdString(current.host), &dialog);
    auto* port = new QSpinBox(&dialog);
    port->setRange(1, 65535);
    port->setValue(current.port);
    auto* tls = new QCheckBox(MeetingDialogTexts::tr("&Encrypt the connection (TLS)"), &dialog);
    tls->setChecked(current.tls);
    auto* ca = new QLineEdit(QString::fromStdString(current.caFile), &dialog);
    ca->setPlaceholderText(MeetingDialogTexts::tr("the system's certificate authorities"));
    auto* browse = new QPushButton(MeetingDialogTexts::tr("&Browse..."), &dialog);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        const QString file = QFileDialog::getOpenFileName(&dialog, MeetingDialogTexts::tr("Certificate Authority"));
        if (!file.isEmpty()) ca->setText(file);
    });
    auto* caRow = new QHBoxLayout;
    caRow->addWidget(ca);
    caRow->addWidget(browse);
    auto* user = new QLineEdit(QString::fromStdString(current.user), &dialog);
    user->setPlaceholderText(MeetingDialogTexts::tr("none"));
    form->addRow(MeetingDialogTexts::tr("&Server:"), host);
    form->addRow(MeetingDialogTexts::tr("&Port:"), port);
    form->addRow(tls);
    form->addRow(MeetingDialogTexts::tr("&Certificate authority:"), caRow);
    form->addRow(MeetingDialogTexts::tr("&User name:"), user);
    if (!RunForm(dialog, form)) return std::nullopt;
    BrokerSettings chosen;
    chosen.host = host->text().trimmed().toStdString();
    chosen.port = port->value();
    chosen.tls = tls->isChecked();
    chosen.caFile = ca->text().trimmed().toStdString();
    chosen.user = user->text().trimmed().toStdString();
    if (chosen.host.empty()) chosen.host = current.host;
    return chosen;
}

std::optional<QString> QtMeetingDialogs::AskPassword(const BrokerSettings& settings) {
    bool ok = false;
    const QString password = QInputDialog::getText(
        m_parent, MeetingDialogTexts::tr("Meeting Server Password"),
        MeetingDialogTexts::tr("Password of %1 on %2:")
            .arg(QString::fromStdString(settings.user), QString::fromStdString(settings.host)),
        QLineEdit::Password, QString(), &ok);
    if (!ok) return std::nullopt;
    return password;
}

}  // namespace palabrum
