// A document with a scripted port and a real form view, sized as on the handheld.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <ostream>
#include <QWidget>

#include "model/game_document.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"
#include "views/form_view.h"

// Failures show Qt strings as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace palabrum::testing {

class GameWindow {
public:
    explicit GameWindow(int width = 240, int height = 268) : doc(port, dir.File("Palabrum.dat")), view(doc, port) {
        port.doc = &doc;
        view.resize(width, height);
        view.show();
        doc.NewDocument();
    }

    TempDir dir;
    ScriptedPort port;
    CPalabrumDoc doc;
    CPalabrumView view;
};

// The widget drawn one image pixel per logical pixel.
inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// What a widget's paint handler draws, on a magenta ground so unpainted pixels show.
template <class Widget>
QImage PaintOf(Widget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    widget.OnPaint(painter);
    return image;
}

}  // namespace palabrum::testing
