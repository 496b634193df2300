// The Options dialog: bingo picture with its preview, list position, random
// dealing and board colour. It works on its own copy of the options; on OK
// the caller takes the options and the previewed picture and applies them.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "model/palabrum_options.h"
#include "model/picture.h"
#include "model/platform_port.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace palabrum {

class CColorWnd;

class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    // Where the preview and the swatch go at the design's own size.
    static constexpr QRect kPreviewRect{106, 94, 40, 40};
    static constexpr QRect kSwatchRect{79, 74, 123, 16};

    // Initialises at once: the lists, the preview (which may show an error box
    // for a stored custom picture) and the swatch. `helpTopics` opens the help.
    COptionsDlg(const PalabrumOptions& options, PlatformPort& port, QWidget* parent,
                std::function<void()> helpTopics = {});

    bool IsCustomSelected() const;
    void UpdatePicturePreview();
    void LoadCustomPreview();
    void OnBingoMessagePicked();
    void OnLoad();
    void OnHelp();
    // The OK button: false, with the dialog left open, when "Custom" has no picture.
    bool OnOK();
    // After OK: the options as the player left them, and the previewed picture.
    OptionsChoice TakeChoice();

    QComboBox* BingoMessageList() const { return m_bingoMessage; }
    QComboBox* ListPositionList() const { return m_listPosition; }
    QCheckBox* RandomBoardBox() const { return m_randomBoard; }
    QPushButton* LoadButton() const { return m_load; }
    CColorWnd* Swatch() const { return m_swatch; }
    const PictureHolder& Preview() const { return m_preview; }
    // Where the preview is drawn, its place grown with the dialog.
    QRect PreviewRect() const { return m_previewRect; }
    const std::u16string& WorkingPath() const { return m_customPath; }
    const PalabrumOptions& Options() const { return m_options; }

    void accept() override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PalabrumOptions m_options;
    PlatformPort& m_port;
    std::function<void()> m_helpTopics;
    QComboBox* m_bingoMessage;
    QComboBox* m_listPosition;
    QCheckBox* m_randomBoard;
    QPushButton* m_load;
    CColorWnd* m_swatch;
    PictureHolder m_preview;
    QRect m_previewRect = kPreviewRect;
    std::u16string m_customPath;
};

}  // namespace palabrum
