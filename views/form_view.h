// The form view: the word list, the word label, the board window and the
// status pane, laid out for the list position. Keeps the list's selection
// equal to the marks, both ways, and shows the pane when the game is won.
#pragma once

#include <QString>
#include <QWidget>

#include "model/document_view.h"
#include "model/picture.h"
#include "views/layout.h"

class QLabel;
class QListWidget;

namespace palabrum {

class CPalabrumDoc;
class PlatformPort;
class StatusPane;
class UIBoard;

class CPalabrumView : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // Shown in the word label at the start of every game.
    static QString AboutText();

    CPalabrumView(CPalabrumDoc& doc, PlatformPort& port, QWidget* parent = nullptr);
    ~CPalabrumView() override;

    void OnInitialUpdate() override;
    void OnUpdate(const DocumentChange& change) override;

    void RefreshAll();
    void ShowBingoIfWon();
    int FindListItem(int square) const;
    void ShowSquareWord(int square);
    void OnWordListSelChange();
    // The desktop board (words on the squares, a picture that grows with the pane) or the handheld's.
    void SetWordsOnBoard(bool on);
    bool WordsOnBoard() const { return m_wordsOnBoard; }

    QListWidget* WordList() const { return m_wordList; }
    QLabel* WordLabel() const { return m_wordLabel; }
    UIBoard* Board() const { return m_boardWnd; }
    StatusPane* Pane() const { return m_statusPane; }
    PictureHolder& Picture() { return m_picture; }
    Rect BoardArea() const { return m_boardArea; }
    Rect PaneArea() const { return m_paneArea; }
    Rect LabelArea() const { return m_labelArea; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadPicture();
    void LayOut();

    CPalabrumDoc& m_doc;
    PlatformPort& m_port;
    QLabel* m_wordLabel;
    QListWidget* m_wordList;
    PictureHolder m_picture;
    UIBoard* m_boardWnd = nullptr;
    StatusPane* m_statusPane = nullptr;
    Rect m_boardArea;
    Rect m_paneArea;
    Rect m_labelArea;
    bool m_wordsOnBoard = false;
};

}  // namespace palabrum
