#include "views/contrast.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace palabrum {

double RelativeLuminance(const QColor& color) {
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor TextColorOn(const QColor& fill) {
    const QColor white(Qt::white), black(Qt::black);
    return ContrastRatio(white, fill) >= ContrastRatio(black, fill) ? white : black;
}

QColor BingoFrameColor(const QColor& fill) {
    const int hue = fill.hslHue();
    const bool reddish = hue >= 0 && (hue <= 30 || hue >= 330) && fill.hslSaturation() >= 80;
    return reddish ? QColor(0, 84, 214) : QColor(214, 0, 28);
}

Ground GroundFor(const QPalette& palette, const QColor& lines) {
    const QColor base = palette.color(QPalette::Base), text = palette.color(QPalette::Text);
    const QColor ground = ContrastRatio(lines, base) >= 3 ? base : QColor(Qt::white);
    return {ground, ContrastRatio(text, ground) >= 4.5 ? text : TextColorOn(ground)};
}

}  // namespace palabrum
