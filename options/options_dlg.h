// The Options dialog: bingo picture with its preview, list position, random
// dealing and board colour. It writes to the options and hands the previewed
// picture to the document only when OK is accepted.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "model/picture.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace palabrum {

class CColorWnd;
class CPalabrumDoc;
class PalabrumOptions;
class PlatformPort;

class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr QRect kPreviewRect{106, 94, 40, 40};
    static constexpr QRect kSwatchRect{79, 74, 123, 16};

    // Initialises at once: the lists, the preview (which may show an error box
    // for a stored custom picture) and the swatch. `helpTopics` opens the help.
    COptionsDlg(CPalabrumDoc& doc, PalabrumOptions& options, PlatformPort& port, QWidget* parent,
                std::function<void()> helpTopics = {});

    bool IsCustomSelected() const;
    void UpdatePicturePreview();
    void LoadCustomPreview();
    void OnBingoMessagePicked();
    void OnLoad();
    void OnHelp();
    // The OK button: false, with the dialog left open, when "Custom" has no picture.
    bool OnOK();

    QComboBox* BingoMessageList() const { return m_bingoMessage; }
    QComboBox* ListPositionList() const { return m_listPosition; }
    QCheckBox* RandomBoardBox() const { return m_randomBoard; }
    QPushButton* LoadButton() const { return m_load; }
    CColorWnd* Swatch() const { return m_swatch; }
    const PictureHolder& Preview() const { return m_preview; }
    const std::u16string& WorkingPath() const { return m_customPath; }

    void accept() override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    CPalabrumDoc& m_doc;
    PalabrumOptions& m_options;
    PlatformPort& m_port;
    std::function<void()> m_helpTopics;
    QComboBox* m_bingoMessage;
    QComboBox* m_listPosition;
    QCheckBox* m_randomBoard;
    QPushButton* m_load;
    CColorWnd* m_swatch;
    PictureHolder m_preview;
    std::u16string m_customPath;
};

}  // namespace palabrum
