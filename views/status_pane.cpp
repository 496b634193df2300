#include "views/status_pane.h"

#include <QImage>
#include <QPainter>

#include "model/game_document.h"
#include "model/picture.h"
#include "views/contrast.h"
#include "views/drawing.h"

namespace palabrum {

namespace {

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Grown, the picture keeps three ring spacings free on every side.
Rect PictureRectIn(const Rect& client, bool grows) {
    const int room = std::min(client.Width(), client.Height()) - 6 * StatusPane::kRingSpacing;
    const int half = kPictureSide * (grows ? std::max(1, room / kPictureSide) : 1) / 2;
    const int cx = client.right / 2;
    const int cy = client.bottom / 2;
    return {cx - half, cy - half, cx + half, cy + half};
}

// Walks the rings outward from `start`, one step per ring, each clamped to
// the client once it would leave it; calls `ring(i, r)` for rings 0 to
// `count` - 1 and returns the index at which the walk has met the client's
// own edge twice (the end of a cycle), or `count` if it gets no further.
template <class Ring>
int WalkRings(const Rect& client, Rect r, int count, Ring ring) {
    int clamps = 0;
    for (int i = 0; i < count; ++i) {
        if (r == client && clamps == 2) return i;
        ring(i, r);
        r = {r.left - StatusPane::kRingSpacing, r.top - StatusPane::kRingSpacing, r.right + StatusPane::kRingSpacing,
             r.bottom + StatusPane::kRingSpacing};
        if (!Contains(client, r)) {
            r = client;
            ++clamps;
        }
    }
    return count;
}

}  // namespace

StatusPane::StatusPane(CPalabrumDoc& doc, PictureHolder& picture, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_picture(picture) {
    setObjectName(QStringLiteral("StatusPane"));
    m_timer.setInterval(kRippleInterval);
    connect(&m_timer, &QTimer::timeout, this, &StatusPane::OnTimer);
}

void StatusPane::Refresh() {
    if (!m_doc.IsBingo()) {
        m_animating = false;
        m_timer.stop();
        hide();
        return;
    }
    if (!m_doc.PendingPicture().IsEmpty()) m_picture.TakeFrom(m_doc.PendingPicture());
    if (!m_animating) StartRipple();
    show();
    raise();
    update();
}

void StatusPane::StartRipple() {
    m_ringCount = 0;
    m_pictureRect = PictureRectIn(Client(), m_pictureGrows);
    m_animating = true;
    m_timer.start();
}

int StatusPane::CycleEnd() const {
    // Long enough for any pane: each ring grows the outline by a spacing.
    const int most = 4 + (std::max(width(), height()) + 1) / kRingSpacing;
    return WalkRings(Client(), m_pictureRect, most, [](int, const Rect&) {});
}

void StatusPane::OnPaint(QPainter& painter) {
    if (!m_animating) return;
    const Rect client = Client();
    // Every tick starts from a blank pane: white as on the handheld, or the desktop's base.
    const Ground ground = m_pictureGrows ? GroundFor(palette(), palette().color(QPalette::Text))
                                         : Ground{Qt::white, Qt::black};
    painter.fillRect(client.ToQRect(), ground.ground);
    if (const Picture* picture = m_picture.Get()) {
        // Scaled without smoothing, so that every pixel of the picture stays a crisp square.
        painter.drawImage(m_pictureRect.ToQRect(), PictureImage(*picture));
    }
    const int drawn = WalkRings(client, m_pictureRect, m_ringCount, [&](int i, const Rect& r) {
        if (i > 0) FrameRect(painter, r, ground.ink);
    });
    if (drawn < m_ringCount) painter.fillRect(client.ToQRect(), ground.ground);  // a cycle shown: a blank pane
}

void StatusPane::OnTimer() {
    // Past the blank pane that ends a cycle, the ripple starts over.
    m_ringCount = m_ringCount > CycleEnd() ? 1 : m_ringCount + 1;
    update();
}

void StatusPane::SetPictureGrows(bool grows) {
    m_pictureGrows = grows;
    OnSize();
}

void StatusPane::OnSize() {
    if (!m_animating) return;
    // The ripple starts again around the picture in its new place.
    StartRipple();
    update();
}

void StatusPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnPaint(painter);
}

void StatusPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnSize();
}

}  // namespace palabrum
