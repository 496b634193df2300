#include "views/status_pane.h"

#include <QImage>
#include <QPainter>
#include <QTimerEvent>

#include "model/game_document.h"
#include "model/picture.h"
#include "views/drawing.h"

namespace palabrum {

namespace {

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

StatusPane::StatusPane(CPalabrumDoc& doc, PictureHolder& picture, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_picture(picture) {
    setObjectName(QStringLiteral("StatusPane"));
}

void StatusPane::OnPaint(QPainter& painter) {
    const Rect client{0, 0, width(), height()};
    if (!m_doc.IsBingo()) {
        if (m_animating) {
            m_animating = false;
            m_timer.stop();
            hide();
        }
        return;
    }
    // Every tick starts from a white pane.
    painter.fillRect(client.ToQRect(), Qt::white);

    if (!m_doc.PendingPicture().IsEmpty()) m_picture.TakeFrom(m_doc.PendingPicture());

    const int cx = client.right / 2;
    const int cy = client.bottom / 2;
    const Rect pictureRect{cx - 20, cy - 20, cx + 20, cy + 20};
    if (const Picture* picture = m_picture.Get()) {
        painter.drawImage(pictureRect.left, pictureRect.top, PictureImage(*picture));
    }

    if (!m_animating) {
        m_ringCount = 0;
        m_pictureRect = pictureRect;
        m_animating = true;
        m_timer.start(kRippleInterval, this);
        return;
    }
    DrawRings(painter, client);
}

void StatusPane::DrawRings(QPainter& painter, const Rect& client) {
    Rect r = m_pictureRect;
    int clamps = 0;
    for (int i = 0; i < m_ringCount; ++i) {
        if (r == client && clamps == 2) {
            // One full cycle shown: blank the pane and start over.
            m_ringCount = 0;
            painter.fillRect(client.ToQRect(), Qt::white);
            break;
        }
        if (i > 0) FrameRect(painter, r, Qt::black);
        r = {r.left - kRingSpacing, r.top - kRingSpacing, r.right + kRingSpacing, r.bottom + kRingSpacing};
        if (!Contains(client, r)) {
            r = client;
            ++clamps;
        }
    }
}

void StatusPane::OnTimer() {
    ++m_ringCount;
    update();
}

void StatusPane::OnSize() {
    if (!m_animating) return;
    // The next paint restarts the ripple around the picture in its new place.
    m_animating = false;
    m_timer.stop();
    update();
}

void StatusPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnPaint(painter);
}

void StatusPane::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId()) OnTimer();
    else QWidget::timerEvent(event);
}

void StatusPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnSize();
}

}  // namespace palabrum
