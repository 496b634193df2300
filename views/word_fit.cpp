#include "views/word_fit.h"

#include <QFontMetricsF>
#include <algorithm>

namespace palabrum {

namespace {

bool Within(const QRectF& inner, const QRectF& outer) {
    // Measured widths carry rounding noise far below a device unit.
    constexpr double slack = 1e-3;
    return inner.left() >= outer.left() - slack && inner.top() >= outer.top() - slack &&
           inner.right() <= outer.right() + slack && inner.bottom() <= outer.bottom() + slack;
}

}  // namespace

int NextSmaller(int size, int smallest) {
    return std::max(smallest, std::min(size - 1, static_cast<int>(size * 0.93)));
}

WordFit FitWords(const QStringList& words, const QRectF& area, FontSizes sizes, const QFont& font,
                 const QPaintDevice* device) {
    const int largest = std::max(1, sizes.largest);
    const int smallest = std::clamp(sizes.smallest, 1, largest);
    auto layOut = [&](int size, int wrap) {
        WordFit fit{font, Qt::AlignCenter | wrap, true};
        fit.font.setPixelSize(size);
        const QFontMetricsF metrics = device ? QFontMetricsF(fit.font, device) : QFontMetricsF(fit.font);
        fit.fits = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return Within(metrics.boundingRect(area, fit.flags, word), area);
        });
        return fit;
    };
    // Breaking inside a word is the last resort: only when no size keeps every word whole.
    for (int wrap : {int(Qt::TextWordWrap), Qt::TextWordWrap | Qt::TextWrapAnywhere}) {
        for (int size = largest;; size = NextSmaller(size, smallest)) {
            const WordFit fit = layOut(size, wrap);
            if (fit.fits) return fit;
            if (size == smallest) break;
        }
    }
    return layOut(smallest, Qt::TextWordWrap | Qt::TextWrapAnywhere);
}

}  // namespace palabrum
