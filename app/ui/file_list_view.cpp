#include "app/ui/file_list_view.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>

namespace korvel {

namespace {
constexpr int kWidthParts = 25;
constexpr int kNameParts = 10;
constexpr int kTypeParts = 6;
constexpr int kModifiedParts = 12;
// The least a list shrinks to on a small screen: its header and about five rows.
constexpr int kShortestHeight = 120;
}  // namespace

FileListView::FileListView(const TextTable& texts, Screen screen, bool severalRows, QWidget* parent)
    : QTreeWidget(parent) {
    setColumnCount(3);
    setHeaderLabels({toQt(texts.caption(screen, "IDC_LIST_COL_NAME")),
                     toQt(texts.caption(screen, "IDC_LIST_COL_TYPE")),
                     toQt(texts.caption(screen, "IDC_LIST_COL_MODIFIED"))});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(severalRows ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    fitColumns();
}

void FileListView::setComfortableSize(QSize size) {
    comfortable_ = size;
    setMinimumSize(size.width(), std::min(size.height(), kShortestHeight));
    updateGeometry();
}

QSize FileListView::sizeHint() const {
    return comfortable_.isValid() ? comfortable_ : QTreeWidget::sizeHint();
}

void FileListView::insertOnTop(const QString& name, const QString& type, const QString& modified) {
    insertTopLevelItem(0, new QTreeWidgetItem(QStringList{name, type, modified}));
}

QList<int> FileListView::selectedRows() const {
    QList<int> rows;
    for (QTreeWidgetItem* item : selectedItems()) {
        rows.append(indexOfTopLevelItem(item));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int FileListView::focusRow() const {
    QTreeWidgetItem* item = currentItem();
    return item ? indexOfTopLevelItem(item) : -1;
}

int FileListView::selectedRow() const {
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

bool FileListView::selectName(const QString& name) {
    if (name.isEmpty()) {
        return false;
    }
    const QList<QTreeWidgetItem*> found = findItems(name, Qt::MatchExactly, NameColumn);
    if (found.isEmpty()) {
        return false;
    }
    setCurrentItem(found.first());
    return true;
}

QString FileListView::cellText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

void FileListView::fitColumns() {
    const int part = viewport()->width() / kWidthParts;
    setColumnWidth(NameColumn, kNameParts * part);
    setColumnWidth(TypeColumn, kTypeParts * part);
    setColumnWidth(ModifiedColumn, kModifiedParts * part);
}

void FileListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    fitColumns();
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    emit keyPressed();
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit mouseClicked();
}

}  // namespace korvel
