// The yardstick for palabrum's start-up: the same shape of window with
// nothing behind it (a main window, three menus, a toolbar of three plain
// actions, a list of 25 words and a 5 by 5 grid), written to a PNG once
// painted, as `palabrum --screenshot PNG` does, and then it ends.
//
// bare_qt_start --screenshot PNG
#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QToolBar>
#include <cstdio>
#include <cstring>

namespace {

class Grid : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int side = qMin(width(), height());
        const int pitch = side / 5;
        painter.fillRect(rect(), Qt::white);
        for (int k = 0; k <= 5; ++k) {
            painter.fillRect(1 + k * pitch, 1, 1, 5 * pitch, Qt::darkBlue);
            painter.fillRect(1, 1 + k * pitch, 5 * pitch, 1, Qt::darkBlue);
        }
        for (int square = 0; square < 25; square += 6)
            painter.fillRect((square % 5) * pitch + 3, (square / 5) * pitch + 3, pitch - 3, pitch - 3, Qt::darkBlue);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    const char* shotPath = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--screenshot")) shotPath = argv[i + 1];
    }
    if (!shotPath) {
        std::fputs("Usage: bare_qt_start --screenshot PNG\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    QAction* newGame = file->addAction(QStringLiteral("&New"));
    file->addAction(QStringLiteral("&Open..."));
    file->addAction(QStringLiteral("&Save..."));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), &window, &QWidget::close);
    QMenu* tools = window.menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->addAction(QStringLiteral("&Options..."));
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* topics = help->addAction(QStringLiteral("&Help Topics"));
    QAction* about = help->addAction(QStringLiteral("&About..."));

    QToolBar* bar = window.addToolBar(QStringLiteral("Commands"));
    bar->addAction(newGame);
    bar->addAction(about);
    bar->addAction(topics);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    auto* list = new QListWidget;
    for (int i = 1; i <= 25; ++i) list->addItem(QStringLiteral("word %1").arg(i));
    layout->addWidget(list);
    layout->addWidget(new Grid, 1);
    window.setCentralWidget(central);

    window.resize(480, 600);
    window.show();
    QTimer::singleShot(0, &window, [&] {
        const bool saved = window.grab().save(QString::fromLocal8Bit(shotPath), "PNG");
        if (!saved) std::fprintf(stderr, "bare_qt_start: could not write %s\n", shotPath);
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
