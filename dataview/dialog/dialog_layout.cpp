#include "dataview/dialog/dialog_layout.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace korvel {

DialogUnits::DialogUnits(const QFontMetrics& metrics)
    : baseX_(std::max(1, (metrics.horizontalAdvance(QStringLiteral(
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) +
                          26) /
                             52)),
      baseY_(std::max(1, metrics.height())) {}

namespace {

// The height a label's text takes: a Chinese caption is drawn in a fallback font that may be
// taller than the dialog's font, from which the dialog units come.
int captionHeight(const QWidget& widget) {
    const auto* label = qobject_cast<const QLabel*>(&widget);
    return label ? label->fontMetrics().boundingRect(label->text()).height() : 0;
}

}  // namespace

void placeControls(const std::vector<ControlPlace>& places, const DialogUnits& units,
                   const QSize& designSize, const QSize& actualSize) {
    const int extraWidth = std::max(0, actualSize.width() - designSize.width());
    const int extraHeight = std::max(0, actualSize.height() - designSize.height());
    for (const ControlPlace& place : places) {
        const Growth& g = place.growth;
        int width = units.x(place.rect.width) + int(g.width * extraWidth);
        int height = units.y(place.rect.height) + int(g.height * extraHeight);
        if (place.fitsCaption) {
            width = std::max(width, place.widget->sizeHint().width());
            height = std::max(height, captionHeight(*place.widget));
        }
        place.widget->setGeometry(units.x(place.rect.x) + int(g.x * extraWidth),
                                  units.y(place.rect.y) + int(g.y * extraHeight), width, height);
    }
}

}  // namespace korvel
