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

QRect DialogUnits(int x, int y, int width, int height, double scale) {
    const auto px = [](double v) { return static_cast<int>(std::lround(v)); };
    const double ux = kDialogUnitX * scale, uy = kDialogUnitY * scale;
    return QRect(px(x * ux), px(y * uy), px(width * ux), px(height * uy));
}

double LayOutDialog(QWidget& dialog, QSize size, const std::vector<Placement>& placed) {
    // Steps of 5 %; four times the design is more than any desktop font needs.
    double scale = 1;
    for (; scale < 4; scale += 0.05) {
        for (const auto& [widget, r] : placed) {
            widget->setGeometry(DialogUnits(r.x(), r.y(), r.width(), r.height(), scale));
        }
        if (TextsFit(dialog, dialog.font())) break;
    }
    dialog.setFixedSize(DialogUnits(0, 0, size.width(), size.height(), scale).size());
    return scale;
}

}  // namespace palabrum
