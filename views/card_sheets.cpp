#include "views/card_sheets.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "views/card_layout.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {

// The texts of this file, for the translation tools and at run time.
struct CardSheets {
    Q_DECLARE_TR_FUNCTIONS(CardSheets)
};

}  // namespace

std::vector<CardFace> DealCardFaces(const std::vector<std::u16string>& words, int count, const RandomSource& random,
                                    QString* why) {
    if (count < 1 || count > kMaxCards) {
        *why = CardSheets::tr("a print run is 1 to %1 cards, not %2.").arg(kMaxCards).arg(count);
    } else if (words.size() != static_cast<std::size_t>(kSquares)) {
        *why = CardSheets::tr("a card needs 25 words, not %1.").arg(words.size());
    } else if (!random) {
        *why = CardSheets::tr("there is no random source to deal with.");
    }
    if (!why->isEmpty()) return {};
    const std::vector<WordOrder> orders = DealCards(count, random);
    if (orders.size() != static_cast<std::size_t>(count)) {
        *why = CardSheets::tr("the random source keeps repeating the same deals.");
        return {};
    }
    std::vector<CardFace> faces(orders.size());
    for (std::size_t i = 0; i < orders.size(); ++i) {
        for (int s = 0; s < kSquares; ++s) faces[i].words[s] = ToQString(words[static_cast<std::size_t>(orders[i][s])]);
    }
    return faces;
}

std::vector<QRectF> CardSlots(const QSizeF& page, int perSheet) {
    const double w = page.width(), h = page.height();
    if (perSheet == 2) return {{0, 0, w, h / 2}, {0, h / 2, w, h / 2}};
    if (perSheet == 4) return {{0, 0, w / 2, h / 2}, {w / 2, 0, w / 2, h / 2}, {0, h / 2, w / 2, h / 2},
                               {w / 2, h / 2, w / 2, h / 2}};
    return {{0, 0, w, h}};
}

bool PaintCardSheets(QPagedPaintDevice& device, const std::vector<CardFace>& faces, int perSheet) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const std::vector<QRectF> places = CardSlots(QSizeF(device.width(), device.height()), perSheet);
    const CardLayout layout = LayOutCard(places.front().size());
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const QRectF slot = places[i % places.size()];
        if (i > 0 && i % places.size() == 0 && !device.newPage()) return false;
        painter.save();
        painter.setClipRect(slot);
        painter.translate(slot.topLeft());
        PaintCard(painter, layout, faces[i]);
        painter.restore();
    }
    return painter.end();
}

QPageSize PaperOfLocale(const QLocale& locale) {
    // The countries whose printers are loaded with Letter.
    static const QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,   QLocale::Mexico,     QLocale::Philippines,
        QLocale::Chile,        QLocale::Colombia, QLocale::Venezuela,  QLocale::PuertoRico,
        QLocale::CostaRica,    QLocale::Panama,   QLocale::Guatemala,  QLocale::DominicanRepublic};
    const bool usesLetter = std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter);
    return QPageSize(usesLetter ? QPageSize::Letter : QPageSize::A4);
}

}  // namespace palabrum
