#include "views/square_words.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace palabrum {

namespace {

// Measured widths carry rounding noise far below a device unit.
constexpr double kSlack = 1e-3;

// The word wrapped at `area`'s width: its lines, and whether they all fit `area`.
std::pair<QStringList, bool> Wrap(const QString& word, QSizeF area, const QFont& font, const QPaintDevice* device,
                                  bool anywhere = false) {
    QTextLayout layout(word, font, const_cast<QPaintDevice*>(device));
    QTextOption option(Qt::AlignCenter);
    option.setWrapMode(anywhere ? QTextOption::WrapAnywhere : QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    bool fits = true;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        lines << word.mid(line.textStart(), line.textLength()).trimmed();
        fits = fits && line.naturalTextWidth() <= area.width() + kSlack;
    }
    layout.endLayout();
    // Lines are drawn a line spacing apart.
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    return {lines, fits && lines.size() * metrics.lineSpacing() <= area.height() + kSlack};
}

// As many wrapped lines as the height takes, each no wider than the area; the
// last one shown and any too wide end in "…".
QStringList Elide(const QString& word, QSizeF area, const QFont& font, const QPaintDevice* device) {
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    const auto most = std::max<qsizetype>(1, static_cast<qsizetype>((area.height() + kSlack) / metrics.lineSpacing()));
    QStringList lines = Wrap(word, area, font, device).first;
    if (lines.size() > most) {
        QStringList rest = lines.mid(most - 1);
        lines = lines.first(most - 1);
        lines << rest.join(QLatin1Char(' '));  // wider than a line, as the wrap broke it: cut below with "…"
    }
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, area.width());
    return lines;
}

}  // namespace

SquareWords SetSquareWords(const std::array<QString, kSquares>& words, QSizeF area, FontSizes sizes,
                           const QFont& font, const QPaintDevice* device) {
    const int largest = std::max(1, sizes.largest);
    const int smallest = std::clamp(sizes.smallest, 1, largest);
    SquareWords set{font, {}, {}};
    const auto at = [&](int size) {
        QFont sized = font;
        sized.setPixelSize(size);
        return sized;
    };
    // A word that does not fit at the smallest size is elided, and does not hold the others back.
    for (int s = 0; s < kSquares; ++s) set.elided[s] = !Wrap(words[s], area, at(smallest), device).second;
    int size = largest;
    for (;; size = NextSmaller(size, smallest)) {
        const QFont sized = at(size);
        bool all = true;
        for (int s = 0; s < kSquares && all; ++s) {
            if (!set.elided[s]) all = Wrap(words[s], area, sized, device).second;
        }
        if (all || size == smallest) break;
    }
    set.font = at(size);
    for (int s = 0; s < kSquares; ++s) {
        set.lines[s] = set.elided[s] ? Elide(words[s], area, set.font, device)
                                     : Wrap(words[s], area, set.font, device).first;
    }
    return set;
}

QStringList WrapWord(const QString& word, QSizeF area, const QFont& font, const QPaintDevice* device,
                     bool anywhere) {
    return Wrap(word, area, font, device, anywhere).first;
}

void PaintSquareWord(QPainter& painter, const QRectF& area, const QStringList& lines, const QFont& font,
                     const QColor& ink) {
    const QFontMetricsF metrics(font, painter.device());
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(ink);
    double y = area.center().y() - metrics.lineSpacing() * lines.size() / 2;
    for (const QString& line : lines) {
        painter.drawText(QRectF(area.left(), y, area.width(), metrics.lineSpacing()), Qt::AlignCenter, line);
        y += metrics.lineSpacing();
    }
    painter.restore();
}

}  // namespace palabrum
