#include "views/dialog_units.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <cmath>

namespace palabrum {

namespace {

QString WithoutMnemonic(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

bool TextsFit(const QWidget& dialog, const QFont& font) {
    const QFontMetrics metrics(font);
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 1000), flags,
                                                  WithoutMnemonic(label->text()));
        if (needed.width() > label->width() || needed.height() > label->height() + 2) return false;
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        const int chrome = qobject_cast<const QCheckBox*>(button) ? 22 : 8;  // the box, or the bevel
        if (metrics.horizontalAdvance(WithoutMnemonic(button->text())) + chrome > button->width()) return false;
    }
    return true;
}

}  // namespace

QRect DialogUnits(int x, int y, int width, int height) {
    const auto px = [](double v) { return static_cast<int>(std::lround(v)); };
    return QRect(px(x * kDialogUnitX), px(y * kDialogUnitY), px(width * kDialogUnitX), px(height * kDialogUnitY));
}

void FitDialogFont(QWidget& dialog) {
    QFont font = dialog.font();
    for (int pixels = 11; pixels >= 8; --pixels) {
        font.setPixelSize(pixels);
        if (TextsFit(dialog, font)) break;
    }
    dialog.setFont(font);
}

}  // namespace palabrum
