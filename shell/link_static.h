// A text link: blue on its dialog's background, underlined with a pointing
// hand while the pointer is over it; a release over it opens its address.
#pragma once

#include <QLabel>
#include <QString>

namespace palabrum {

class CLinkStatic : public QLabel {
    Q_OBJECT
public:
    explicit CLinkStatic(const QString& text, QWidget* parent = nullptr);

    QString m_url;

    void SetHover(bool on);
    bool IsHover() const { return m_hover; }
    void OnMouseMove(QPoint p);
    void OnLButtonUp(QPoint p);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_hover = false;
};

}  // namespace palabrum
