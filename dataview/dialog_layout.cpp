#include "dataview/dialog_layout.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace korvel {

DialogUnits::DialogUnits(const QFontMetrics& metrics)
    : baseX_(std::max(1, (metrics.horizontalAdvance(QStringLiteral(
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) +
                          26) /
                             52)),
      baseY_(std::max(1, metrics.height())) {}

void placeControls(const std::vector<ControlPlace>& places, const DialogUnits& units,
                   const QSize& designSize, const QSize& actualSize) {
    const int extraWidth = std::max(0, actualSize.width() - designSize.width());
    const int extraHeight = std::max(0, actualSize.height() - designSize.height());
    for (const ControlPlace& place : places) {
        const Growth& g = place.growth;
        int width = units.x(place.rect.width) + int(g.width * extraWidth);
        if (place.fitsCaption) {
            width = std::max(width, place.widget->sizeHint().width());
        }
        place.widget->setGeometry(units.x(place.rect.x) + int(g.x * extraWidth),
                                  units.y(place.rect.y) + int(g.y * extraHeight), width,
                                  units.y(place.rect.height) + int(g.height * extraHeight));
    }
}

}  // namespace korvel
