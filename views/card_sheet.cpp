#include "views/card_sheet.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <set>

#include "model/file_io.h"
#include "model/file_name.h"
#include "model/game_document.h"
#include "views/board_window.h"

namespace palabrum {

namespace {

const QString kTitle = QStringLiteral("Palabrum");

// A card deal repeating an earlier one is drawn again; a source that keeps
// repeating itself this often is not random at all.
constexpr int kMaxRedeals = 1000;

// The title band's height, as a share of the grid's side.
constexpr double kTitleShare = 0.13;

QFont WordFont() {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Fills a frame of `width` just inside `r`.
void FillFrame(QPainter& painter, const QRectF& r, double width, const QColor& color) {
    painter.fillRect(QRectF(r.left(), r.top(), r.width(), width), color);
    painter.fillRect(QRectF(r.left(), r.bottom() - width, r.width(), width), color);
    painter.fillRect(QRectF(r.left(), r.top(), width, r.height()), color);
    painter.fillRect(QRectF(r.right() - width, r.top(), width, r.height()), color);
}

double RelativeLuminance(const QColor& c) {
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

int NextSmaller(int size, int floor) { return std::max(floor, std::min(size - 1, static_cast<int>(size * 0.93))); }

bool Within(const QRectF& inner, const QRectF& outer) {
    // Measured widths carry rounding noise far below a device unit.
    constexpr double slack = 1e-3;
    return inner.left() >= outer.left() - slack && inner.top() >= outer.top() - slack &&
           inner.right() <= outer.right() + slack && inner.bottom() <= outer.bottom() + slack;
}

bool IsLine(int start, int step) {
    if (start < 0 || start >= kSquares) return false;
    if (step == 1) return start % kSide == 0;
    if (step == kSide) return start < kSide;
    if (step == kSide + 1) return start == 0;
    if (step == kSide - 1) return start == kSide - 1;
    return false;
}

bool Fail(const std::filesystem::path& path, const QString& why, QString* error) {
    if (error) *error = QStringLiteral("Could not write %1: %2").arg(QString::fromStdU16String(DisplayName(path)), why);
    return false;
}

// Writes what was drawn through the program's one safe writer.
bool Save(const std::filesystem::path& path, const QByteArray& drawn, QString* error) {
    if (WriteFileAtomically(path, Bytes(drawn.begin(), drawn.end()))) return true;
    return Fail(path, QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.'), error);
}

// One card to an A4 page each, into `device`.
bool WritePdf(QIODevice& device, const QString& title, const std::vector<CardFace>& faces) {
    QPdfWriter writer(&device);
    writer.setCreator(kTitle);
    writer.setTitle(title);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const CardLayout layout = LayOutCard(QSizeF(writer.width(), writer.height()));
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (i > 0 && !writer.newPage()) return false;
        PaintCard(painter, layout, faces[i]);
    }
    return painter.end();
}

}  // namespace

CardLayout LayOutCard(const QSizeF& page) {
    const double w = std::max(0.0, page.width());
    const double h = std::max(0.0, page.height());
    const double margin = std::round(0.06 * std::min(w, h));
    const double room = std::max(0.0, std::min(w - 2 * margin, (h - 2 * margin) / (1 + kTitleShare)));
    CardLayout layout;
    layout.line = std::max(1.0, std::round(room / 500));
    // Five pitches, one closing inner line and the outer frame's extra width on both sides.
    layout.pitch = std::max(layout.line + 1, std::floor((room - 3 * layout.line) / kSide));
    const double side = kSide * layout.pitch + layout.line;
    const double titleHeight = std::round(side * kTitleShare);
    const double blockTop = std::round((h - titleHeight - side - 2 * layout.line) / 2);
    layout.left = std::round((w - side) / 2);
    layout.top = blockTop + titleHeight + layout.line;
    layout.title = QRectF(layout.left, blockTop, side, titleHeight);
    return layout;
}

QRectF SquareRectOnCard(const CardLayout& layout, int square) {
    const int row = square / kSide;
    const int col = square % kSide;
    const double inner = layout.pitch - layout.line;
    return {layout.left + col * layout.pitch + layout.line, layout.top + row * layout.pitch + layout.line, inner, inner};
}

QRectF TextAreaOfSquare(const QRectF& square) {
    const double m = kWordMargin * std::min(square.width(), square.height());
    return square.adjusted(m, m, -m, -m);
}

WordFit FitWordFont(const QString& word, const QRectF& square, const QPaintDevice* device) {
    const QRectF area = TextAreaOfSquare(square);
    const double side = std::min(square.width(), square.height());
    const int start = std::max(1, static_cast<int>(side * kWordStartSize));
    const int floor = std::clamp(static_cast<int>(side * kWordFloorSize), 1, start);
    QFont font = WordFont();
    auto layOut = [&](int size, int wrap) {
        font.setPixelSize(size);
        const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
        WordFit fit{font, {}, Qt::AlignCenter | wrap, false};
        fit.bounds = metrics.boundingRect(area, fit.flags, word);
        fit.fits = Within(fit.bounds, area);
        return fit;
    };
    // Breaking inside a word is the last resort: only when no size keeps every word whole.
    for (int wrap : {int(Qt::TextWordWrap), Qt::TextWordWrap | Qt::TextWrapAnywhere}) {
        for (int size = start;; size = NextSmaller(size, floor)) {
            const WordFit fit = layOut(size, wrap);
            if (fit.fits) return fit;
            if (size == floor) break;
        }
    }
    return layOut(floor, Qt::TextWordWrap | Qt::TextWrapAnywhere);
}

CardFace FaceOfGame(const CPalabrumDoc& doc) {
    CardFace face;
    for (int s = 0; s < kSquares; ++s) {
        face.words[s] = QString::fromStdU16String(doc.GetWord(s));
        face.marked[s] = doc.GetMark(s) != 0;
    }
    face.markColor = ColorFromValue(doc.Options().m_boardColor);
    if (doc.IsBingo()) {
        face.lineStart = doc.GetBingoLineStart();
        face.lineStep = doc.GetBingoLineStep();
    }
    return face;
}

void PaintCard(QPainter& painter, const CardLayout& layout, const CardFace& face) {
    const QPaintDevice* device = painter.device();
    const QColor line = QColor::fromRgba(kCardLine);
    painter.save();
    painter.fillRect(QRectF(0, 0, device->width(), device->height()), QColor::fromRgba(kCardPaper));

    QFont titleFont = WordFont();
    titleFont.setBold(true);
    titleFont.setPixelSize(std::max(1, static_cast<int>(layout.title.height() * 0.62)));
    titleFont.setLetterSpacing(QFont::PercentageSpacing, 106);
    painter.setFont(titleFont);
    painter.setPen(line);
    painter.drawText(layout.title, Qt::AlignCenter, kTitle);

    const QRectF grid = layout.Grid();
    for (int k = 0; k <= kSide; ++k) {
        painter.fillRect(QRectF(grid.left() + k * layout.pitch, grid.top(), layout.line, grid.height()), line);
        painter.fillRect(QRectF(grid.left(), grid.top() + k * layout.pitch, grid.width(), layout.line), line);
    }
    const double d = layout.line;
    FillFrame(painter, grid.adjusted(-d, -d, d, d), d, line);

    for (int s = 0; s < kSquares; ++s) {
        if (face.marked[s]) painter.fillRect(SquareRectOnCard(layout, s), face.markColor);
    }
    if (IsLine(face.lineStart, face.lineStep)) {
        const QColor frame = BingoFrameColor(face.markColor);
        const double width = std::max(1.0, std::round(kBingoFrameWidth * (layout.pitch - layout.line)));
        for (int k = 0, s = face.lineStart; k < kSide; ++k, s += face.lineStep)
            FillFrame(painter, SquareRectOnCard(layout, s), width, frame);
    }

    for (int s = 0; s < kSquares; ++s) {
        if (face.words[s].isEmpty()) continue;
        const QRectF square = SquareRectOnCard(layout, s);
        const WordFit fit = FitWordFont(face.words[s], square, device);
        painter.save();
        // Even a word that overflows at the floor size stays on its own square.
        painter.setClipRect(square, Qt::IntersectClip);
        painter.setFont(fit.font);
        painter.setPen(face.marked[s] ? TextColorOn(face.markColor) : QColor::fromRgba(kCardInk));
        painter.drawText(TextAreaOfSquare(square), fit.flags, face.words[s]);
        painter.restore();
    }
    painter.restore();
}

QColor TextColorOn(const QColor& fill) {
    // The contrast ratio of each against the fill; the larger one wins.
    const double l = RelativeLuminance(fill);
    return (1.05 / (l + 0.05)) >= ((l + 0.05) / 0.05) ? QColor(Qt::white) : QColor(Qt::black);
}

QColor BingoFrameColor(const QColor& fill) {
    const int hue = fill.hslHue();
    const bool reddish = hue >= 0 && (hue <= 30 || hue >= 330) && fill.hslSaturation() >= 80;
    return reddish ? QColor(0, 84, 214) : QColor(214, 0, 28);
}

std::vector<CardOrder> DealCards(const std::vector<std::u16string>& words, int count, const RandomSource& random) {
    if (words.size() != static_cast<std::size_t>(kSquares) || count < 0 || !random) return {};
    // Dealing the square numbers rather than the words tells the order even
    // when the list repeats a word.
    std::vector<std::u16string> numbers;
    for (int i = 0; i < kSquares; ++i) {
        const std::string digits = std::to_string(i);
        numbers.emplace_back(digits.begin(), digits.end());
    }
    Board scratch;
    std::set<CardOrder> seen;
    std::vector<CardOrder> cards;
    cards.reserve(static_cast<std::size_t>(count));
    while (static_cast<int>(cards.size()) < count) {
        CardOrder order{};
        int deals = 0;
        do {
            if (deals++ == kMaxRedeals) return {};
            scratch.Deal(numbers, true, random);
            for (int s = 0; s < kSquares; ++s) {
                int index = 0;
                for (char16_t c : scratch.GetWord(s)) index = 10 * index + (c - u'0');
                order[static_cast<std::size_t>(s)] = index;
            }
        } while (!seen.insert(order).second);
        cards.push_back(order);
    }
    return cards;
}

bool PrintCards(const std::vector<std::u16string>& words, int count, RandomSource random,
                const std::filesystem::path& pdfPath, QString* error) {
    if (count < 1 || count > kMaxCards)
        return Fail(pdfPath, QStringLiteral("a print run is 1 to %1 cards, not %2.").arg(kMaxCards).arg(count), error);
    if (words.size() != static_cast<std::size_t>(kSquares))
        return Fail(pdfPath, QStringLiteral("a card needs 25 words, not %1.").arg(words.size()), error);
    if (!random) return Fail(pdfPath, QStringLiteral("there is no random source to deal with."), error);
    const std::vector<CardOrder> orders = DealCards(words, count, random);
    if (orders.size() != static_cast<std::size_t>(count))
        return Fail(pdfPath, QStringLiteral("the random source keeps repeating the same deals."), error);

    std::vector<CardFace> faces(orders.size());
    for (std::size_t i = 0; i < orders.size(); ++i) {
        for (int s = 0; s < kSquares; ++s)
            faces[i].words[s] = QString::fromStdU16String(words[static_cast<std::size_t>(orders[i][s])]);
    }
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!WritePdf(pdf, QStringLiteral("Palabrum cards"), faces))
        return Fail(pdfPath, QStringLiteral("the PDF could not be drawn."), error);
    return Save(pdfPath, pdf.data(), error);
}

bool ExportCard(const CPalabrumDoc& doc, const std::filesystem::path& path, QString* error) {
    const QString name = QString::fromStdU16String(DisplayName(path.filename()));
    const bool png = name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    const bool pdf = name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!png && !pdf) return Fail(path, QStringLiteral("the name must end in .png or .pdf."), error);

    const CardFace face = FaceOfGame(doc);
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (png) {
        QImage image(kExportImageSize, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            PaintCard(painter, LayOutCard(image.size()), face);
        }
        drawn = image.save(&file, "PNG");
    } else {
        drawn = WritePdf(file, QStringLiteral("Palabrum board"), {face});
    }
    if (!drawn) return Fail(path, QStringLiteral("the card could not be drawn."), error);
    return Save(path, file.data(), error);
}

}  // namespace palabrum
