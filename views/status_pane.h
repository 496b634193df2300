// The status pane: announces a bingo with the bingo picture in its centre and
// square outlines rippling outward from it, one more every 200 ms.
#pragma once

#include <QBasicTimer>
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
    // pending replaces it at the next bingo paint.
    StatusPane(CPalabrumDoc& doc, PictureHolder& picture, QWidget* parent);

    void OnPaint(QPainter& painter);
    void OnTimer();
    void OnSize();

    bool IsAnimating() const { return m_animating; }
    int RingCount() const { return m_ringCount; }

protected:
    void paintEvent(QPaintEvent*) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawRings(QPainter& painter, const Rect& client);

    CPalabrumDoc& m_doc;
    PictureHolder& m_picture;
    int m_ringCount = 0;
    Rect m_pictureRect;
    bool m_animating = false;
    QBasicTimer m_timer;
};

}  // namespace palabrum
