#include "options/options_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "model/bingo_pictures.h"
#include "model/file_name.h"
#include "options/color_wnd.h"
#include "views/dialog_units.h"
#include "views/drawing.h"

namespace palabrum {

namespace {
}

COptionsDlg::COptionsDlg(const PalabrumOptions& options, PlatformPort& port, QWidget* parent,
                         std::function<void()> helpTopics)
    : QDialog(parent),
      m_options(options),
      m_port(port),
      m_helpTopics(std::move(helpTopics)),
      m_customPath(options.m_customPicturePath) {
    setWindowTitle(tr("Options"));
    setObjectName(QStringLiteral("OptionsDialog"));

    // Made in tab order.
    auto* messageLabel = new QLabel(tr("&Bingo Message:"), this);
    m_bingoMessage = new QComboBox(this);
    messageLabel->setBuddy(m_bingoMessage);
    m_bingoMessage->setAccessibleName(tr("Bingo Message"));
    auto* positionLabel = new QLabel(tr("List &Position:"), this);
    m_listPosition = new QComboBox(this);
    positionLabel->setBuddy(m_listPosition);
    m_listPosition->setAccessibleName(tr("List Position"));
    m_randomBoard = new QCheckBox(tr("&Random Board"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    auto* help = new QPushButton(tr("&Help"), this);
    auto* colorLabel = new QLabel(tr("Board &Color:"), this);
    m_load = new QPushButton(tr("&Load..."), this);
    m_swatch = new CColorWnd(this);

    // As designed: the labels reach the lists' and the swatch's edges.
    const double scale = LayOutDialog(*this, {137, 103},
                                      {{messageLabel, {7, 10, 54, 8}}, {m_bingoMessage, {62, 8, 68, 12}},
                                       {positionLabel, {7, 28, 50, 8}}, {m_listPosition, {62, 26, 68, 12}},
                                       {m_randomBoard, {7, 66, 63, 10}}, {ok, {10, 87, 34, 14}},
                                       {cancel, {52, 87, 34, 14}}, {help, {94, 87, 34, 14}},
                                       {colorLabel, {7, 46, 44, 8}}, {m_load, {99, 70, 30, 12}}});
    // The swatch's cells and the picture keep their pixel sizes; their places grow with the rest.
    const auto grown = [scale](QRect r) { return QRect((QPointF(r.topLeft()) * scale).toPoint(), r.size()); };
    m_swatch->setGeometry(grown(kSwatchRect));
    m_previewRect = grown(kPreviewRect);
    connect(ok, &QPushButton::clicked, this, &COptionsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);
    connect(help, &QPushButton::clicked, this, &COptionsDlg::OnHelp);
    connect(m_load, &QPushButton::clicked, this, &COptionsDlg::OnLoad);
    connect(m_bingoMessage, &QComboBox::activated, this, &COptionsDlg::OnBingoMessagePicked);

    // Initialisation.
    m_randomBoard->setChecked(options.m_randomBoard != 0);
    m_bingoMessage->addItems({tr("Bingo!"), tr("Bullsh#t!"), tr("Custom")});
    m_listPosition->addItems({tr("Left"), tr("Top")});
    // A stored index outside a list selects nothing there.
    const auto select = [](QComboBox* list, int index) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    };
    select(m_bingoMessage, m_options.m_bingoMessage);
    select(m_listPosition, m_options.m_listPosition);
    UpdatePicturePreview();
    m_swatch->m_selectedColor = options.m_boardColor;
    colorLabel->setBuddy(m_swatch);  // shows the mnemonic; the swatch itself takes no keys
    m_swatch->setAccessibleName(tr("Board Color"));
    m_load->setVisible(IsCustomSelected());
}

bool COptionsDlg::IsCustomSelected() const { return m_bingoMessage->currentIndex() == kCustomPicture; }

void COptionsDlg::UpdatePicturePreview() {
    // With no selection the preview stays as it is.
    const int choice = m_bingoMessage->currentIndex();
    if (choice == kCustomPicture) LoadCustomPreview();
    else if (choice >= 0) LoadChosenPicture(m_port, choice, m_customPath, m_preview);
    m_load->setVisible(IsCustomSelected());
    update();
}

void COptionsDlg::LoadCustomPreview() {
    // The loader has said why it failed; forget the path so the player loads another.
    if (!LoadChosenPicture(m_port, kCustomPicture, m_customPath, m_preview)) m_customPath.clear();
    update();
}

void COptionsDlg::OnBingoMessagePicked() { UpdatePicturePreview(); }

void COptionsDlg::OnLoad() {
    const auto path = m_port.ChooseFileToOpen(
        {{tr("Bitmap Files (*.bmp)").toStdU16String(), u"*.bmp"}, {tr("All Files (*.*)").toStdU16String(), u"*.*"}});
    if (!path) return;
    m_customPath = Utf16FromPath(*path);
    LoadCustomPreview();
}

void COptionsDlg::OnHelp() {
    if (m_helpTopics) m_helpTopics();
}

bool COptionsDlg::OnOK() {
    if (!m_preview.IsEmpty()) {
        if (IsCustomSelected()) m_options.m_customPicturePath = m_customPath;
    } else if (IsCustomSelected()) {
        m_port.ShowError(tr("Please load a bitmap").toStdU16String(), tr("Custom Bitmap").toStdU16String());
        return false;
    }
    // Lists with no selection keep what was stored.
    if (m_bingoMessage->currentIndex() >= 0) m_options.SetBingoMessage(m_bingoMessage->currentIndex());
    if (m_listPosition->currentIndex() >= 0) m_options.m_listPosition = m_listPosition->currentIndex();
    m_options.m_boardColor = m_swatch->m_selectedColor;
    const bool random = m_randomBoard->isChecked();
    if ((m_options.m_randomBoard != 0) != random) {
        m_port.ShowNotice(tr("The Random Board change\nwill take effect when you\nstart a new game.").toStdU16String(),
                          tr("Random Board").toStdU16String());
    }
    m_options.m_randomBoard = random ? 1 : 0;
    return true;
}

OptionsChoice COptionsDlg::TakeChoice() {
    PictureHolder picture;
    picture.TakeFrom(m_preview);
    return {m_options, picture.Release()};
}

void COptionsDlg::accept() {
    if (OnOK()) QDialog::accept();
}

void COptionsDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (const Picture* picture = m_preview.Get()) {
        painter.drawImage(m_previewRect.topLeft(), PictureImage(*picture));
    } else {
        painter.fillRect(m_previewRect, Qt::white);
    }
}

}  // namespace palabrum
