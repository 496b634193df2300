#include "shell/link_static.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace palabrum {

CLinkStatic::CLinkStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setObjectName(QStringLiteral("link"));
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    // The palette's link colour on whatever the dialog's background is: the label paints none of its own.
    QPalette link = palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    setPalette(link);
    setAutoFillBackground(false);
}

void CLinkStatic::SetHover(bool on) {
    if (on == m_hover) return;
    m_hover = on;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
    if (on) setCursor(Qt::PointingHandCursor);
    else unsetCursor();
    update();
}

void CLinkStatic::OnMouseMove(QPoint p) { SetHover(rect().contains(p)); }

void CLinkStatic::OnLButtonUp(QPoint p) {
    // A press that slid off the link opens nothing.
    const bool over = rect().contains(p);
    SetHover(false);
    if (over) QDesktopServices::openUrl(QUrl(m_url));
}

void CLinkStatic::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    OnMouseMove(event->position().toPoint());
}

void CLinkStatic::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) OnLButtonUp(event->position().toPoint());
}

void CLinkStatic::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    SetHover(false);
}

}  // namespace palabrum
