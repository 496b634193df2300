// Timings of what the player waits for on screen: painting the board, the
// whole window, one ripple of the bingo pane, one mark from the double press
// to the last repaint it causes, and writing cards to share. Runs headless
// unless told otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <cstdio>
#include <filesystem>

#include "model/game_document.h"
#include "model/word_list.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"
#include "views/board_window.h"
#include "views/card_files.h"
#include "views/form_view.h"
#include "views/square_words.h"
#include "views/status_pane.h"

namespace {

using palabrum::CPalabrumApp;
using palabrum::CPalabrumDoc;
using palabrum::testing::ScriptedPort;
using palabrum::testing::TempDir;

// The program as a player starts it, with a fresh data folder and no boxes.
struct RunningGame {
    TempDir dir;
    ScriptedPort port;
    CPalabrumApp app{dir.File("Palabrum.dat"), &port};

    RunningGame() {
        port.doc = &app.Document();
        CPalabrumApp::Options options;
        options.singleInstance = false;
        app.InitInstance(options);
        Settle();
    }

    CPalabrumDoc& Doc() { return app.Document(); }
    palabrum::CPalabrumView& View() { return *app.View(); }

    // Lets the first show, layout and paint finish before anything is timed.
    static void Settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject* watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Paints a board of `side` pixels, a few squares marked, with or without its words.
void PaintBoard(benchmark::State& state, int side, bool words) {
    TempDir dir;
    ScriptedPort port;
    CPalabrumDoc doc(port, dir.File("Palabrum.dat"));
    port.doc = &doc;
    doc.NewDocument();
    for (int square : {0, 6, 12, 19}) doc.SetMark(square, 1);
    palabrum::UIBoard board(doc, nullptr);
    board.resize(side, side);
    board.SetWordsShown(words);
    QImage image(board.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        board.OnPaint(painter);
    }
    if (words) state.counters["font_px"] = board.Words().font.pixelSize();
}

// The handheld's board alone at side 113 (5 * 22 + 3).
void BM_PaintBoard(benchmark::State& state) { PaintBoard(state, 113, false); }
BENCHMARK(BM_PaintBoard)->Unit(benchmark::kMicrosecond);

// The desktop board 1000 pixels a side (5 * 199 + 3) with its words: a paint only draws the words as set,
// and setting them (the font fitted to the squares) happens once a size or a list, timed on its own.
void BM_PaintBoardWithWords(benchmark::State& state) { PaintBoard(state, 998, true); }
BENCHMARK(BM_PaintBoardWithWords)->Unit(benchmark::kMicrosecond);

void BM_SetWordsAt1000(benchmark::State& state) {
    const std::vector<std::u16string> list = palabrum::BuiltInWordList();
    std::array<QString, palabrum::kSquares> words;
    for (int s = 0; s < palabrum::kSquares; ++s) words[s] = QString::fromStdU16String(list[s]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(palabrum::SetSquareWords(words, {186, 186}, {63, 9}, QFont()));
    }
}
BENCHMARK(BM_SetWordsAt1000)->Unit(benchmark::kMicrosecond);

// Everything in the main window at its default size: menu bar, toolbar, list,
// label and board.
void BM_RenderMainWindow(benchmark::State& state) {
    RunningGame game;
    QWidget* frame = game.app.MainFrame();
    QImage image(frame->size(), QImage::Format_RGB32);
    for (auto _ : state) frame->render(&image);
    state.counters["width"] = frame->width();
    state.counters["height"] = frame->height();
}
BENCHMARK(BM_RenderMainWindow)->Unit(benchmark::kMicrosecond);

// One tick of the bingo ripple: the next ring, and the pane painted again.
void BM_RippleTick(benchmark::State& state) {
    RunningGame game;
    for (int square = 0; square < 5; ++square) game.Doc().SetMark(square, 1);
    RunningGame::Settle();
    palabrum::StatusPane& pane = *game.View().Pane();
    if (!pane.IsAnimating()) {
        state.SkipWithError("the bingo pane is not rippling");
        return;
    }
    QImage image(pane.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        pane.OnTimer();
        QPainter painter(&image);
        pane.OnPaint(painter);
    }
    state.counters["side"] = pane.width();
}
BENCHMARK(BM_RippleTick)->Unit(benchmark::kMicrosecond);

// One mark the whole way: the double press, the document, the list's
// selection, and every repaint that follows. Marks and unmarks in turn so the
// game stays put.
void BM_MarkSquare(benchmark::State& state) {
    RunningGame game;
    palabrum::UIBoard& board = *game.View().Board();
    QWidget* frame = game.app.MainFrame();
    PaintCounter boardPaints(&board);
    PaintCounter listPaints(game.View().WordList()->viewport());
    const int square = 12;
    const palabrum::Rect r = board.SquareRect(square);
    const QPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    const int before = game.Doc().GetMark(square);
    std::int64_t marks = 0;
    for (auto _ : state) {
        board.OnLButtonDblClk(centre);
        QCoreApplication::processEvents();
        ++marks;
        // A platform that paces repaints to its frames leaves them pending:
        // do them now, as the next frame would.
        if (boardPaints.paints < marks || listPaints.paints < marks) {
            QEvent paintNow(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(frame, &paintNow);
        }
    }
    if (game.Doc().GetMark(square) != (marks % 2 ? !before : before)) state.SkipWithError("the mark did not toggle");
    if (boardPaints.paints < marks || listPaints.paints < marks)
        state.SkipWithError("a mark went without its repaint");
    state.counters["board_paints"] = benchmark::Counter(boardPaints.paints, benchmark::Counter::kAvgIterations);
    state.counters["list_paints"] = benchmark::Counter(listPaints.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MarkSquare)->Unit(benchmark::kMicrosecond);

// A full print run: 99 fresh deals of the built-in list, one A4 page each.
void BM_PrintCards99(benchmark::State& state) {
    TempDir dir;
    const auto path = dir.File("cards.pdf");
    const auto words = palabrum::BuiltInWordList();
    ScriptedPort port;
    for (auto _ : state) {
        QString error;
        if (!palabrum::PrintCards(words, palabrum::kMaxCards, [&port] { return port.Random(); }, path, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
    }
    state.counters["pdf_kib"] = static_cast<double>(std::filesystem::file_size(dir.File("cards.pdf"))) / 1024;
}
BENCHMARK(BM_PrintCards99)->Unit(benchmark::kMillisecond);

// The board in play with a bingo and two more marks, written out as the player shares it.
void ExportBoard(benchmark::State& state, const char* name) {
    TempDir dir;
    ScriptedPort port;
    CPalabrumDoc doc(port, dir.File("Palabrum.dat"));
    port.doc = &doc;
    doc.NewDocument();
    for (int square : {0, 6, 12, 18, 24, 3, 15}) doc.SetMark(square, 1);
    const auto path = dir.File(name);
    for (auto _ : state) {
        QString error;
        if (!palabrum::ExportCard(doc, path, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
    }
    state.counters["kib"] = static_cast<double>(std::filesystem::file_size(dir.File(name))) / 1024;
}

void BM_ExportCardPng(benchmark::State& state) { ExportBoard(state, "board.png"); }
BENCHMARK(BM_ExportCardPng)->Unit(benchmark::kMillisecond);

void BM_ExportCardPdf(benchmark::State& state) { ExportBoard(state, "board.pdf"); }
BENCHMARK(BM_ExportCardPdf)->Unit(benchmark::kMillisecond);

// The headless platform warns on every window it cannot hint sizes to; that
// says nothing about the game and buries the figures.
QtMessageHandler g_standardHandler = nullptr;

void QuietHeadlessWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
    if (g_standardHandler) g_standardHandler(type, context, message);
    else std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char* argv[]) {
    g_standardHandler = qInstallMessageHandler(QuietHeadlessWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and games go to a folder of the run's own, never the player's.
    const TempDir home;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.File("config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.File("data").string()));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationName(QStringLiteral("Palabrum"));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
