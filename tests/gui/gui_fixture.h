// A document with a scripted port and a real form view sized as on the handheld; pictures of widgets.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <ostream>

#include "model/game_document.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"
#include "views/form_view.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace palabrum::testing {

// Starts from `state`, a state file an earlier game left, when one is given.
struct GameWindow {
    explicit GameWindow(int width = 240, int height = 268, const std::filesystem::path& state = {})
        : doc(port, state.empty() ? dir.File("Palabrum.dat") : state), view(doc, port) {
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

// The widget drawn by its own paint handler and its children's, on a magenta ground so that unpainted pixels show.
inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// Qt's PDF writer keeps object dictionaries in plain text: each "/Type /Page" but "/Type /Pages" is a page.
inline qsizetype PdfPages(const std::string& pdf) {
    const QByteArray bytes = QByteArray::fromStdString(pdf);
    return bytes.count("/Type /Page") - bytes.count("/Type /Pages");
}

}  // namespace palabrum::testing
