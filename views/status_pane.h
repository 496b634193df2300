// The status pane: announces a bingo with the bingo picture in its centre and
// square outlines rippling outward from it, one more every 200 ms.
#pragma once

#include <QTimer>
#include <QWidget>

#include "views/layout.h"

namespace palabrum {

class CPalabrumDoc;
class PictureHolder;

class StatusPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRippleInterval = 200;
    static constexpr int kRingSpacing = 7;

    // `picture` is the view's picture holder; a picture the document holds
    // pending replaces it when a bingo is shown.
    StatusPane(CPalabrumDoc& doc, PictureHolder& picture, QWidget* parent);

    // Reads the game: on a bingo takes over a pending picture, shows itself
    // and starts the ripple if it is not running; without one stops and hides.
    void Refresh();

    // The desktop's pane, in the palette's colours with the picture at the largest whole multiple of
    // its size that leaves room for ripples all round, or the handheld's, white with the picture as it is.
    void SetPictureGrows(bool grows);
    // Where the picture is drawn: 40 by 40 pixels, or a whole multiple of that.
    Rect PictureRect() const { return m_pictureRect; }

    void OnPaint(QPainter& painter);
    void OnTimer();
    void OnSize();

    bool IsAnimating() const { return m_animating; }
    const QTimer& RippleTimer() const { return m_timer; }
    // Ticks since the ripple (re)started; one past a full cycle shows a blank pane.
    int RingCount() const { return m_ringCount; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Rect Client() const { return {0, 0, width(), height()}; }
    void StartRipple();
    // The tick at which the rings have filled the pane twice over and it is
    // blanked before starting over.
    int CycleEnd() const;

    CPalabrumDoc& m_doc;
    PictureHolder& m_picture;
    int m_ringCount = 0;
    Rect m_pictureRect;
    bool m_animating = false;
    bool m_pictureGrows = false;
    QTimer m_timer;
};

}  // namespace palabrum
