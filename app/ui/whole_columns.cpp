#include "app/ui/whole_columns.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace korvel {

int cellTextWidth(const QAbstractItemView* view, const QString& text) {
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return view->fontMetrics().horizontalAdvance(text) + 2 * margin + 2;
}

void showColumnsWhole(QAbstractItemView* view, QHeaderView* header, const std::vector<int>& least,
                      int stretch) {
    header->setStretchLastSection(false);
    int width = 0;
    for (int column = 0; column < static_cast<int>(least.size()); ++column) {
        const int needed =
            std::max(header->sectionSizeHint(column), least[static_cast<std::size_t>(column)]);
        header->setSectionResizeMode(
            column, column == stretch ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
        width += needed;
    }
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setMinimumWidth(width + 2 * view->frameWidth() +
                          view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view));
}

}  // namespace korvel
