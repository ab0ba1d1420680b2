#include "app/ui/file_list_view.h"

#include <algorithm>

#include <QHeaderView>
#include <QRegularExpression>

namespace korvel {

namespace {
constexpr int kWidthParts = 25;
constexpr int kNameParts = 10;
constexpr int kTypeParts = 6;
constexpr int kModifiedParts = 12;
// The least a list shrinks to on a small screen: its header and about five rows.
constexpr int kShortestHeight = 120;

// "MM/DD/YYYY HH:MM AM" as "YYYYMMDDHHMM" on a 24-hour clock, so that times sort as text; any
// other text as it stands.
QString modifiedSortKey(const QString& text) {
    static const QRegularExpression time(
        QStringLiteral(R"(^(\d\d)/(\d\d)/(\d{4}) (\d\d):(\d\d) ([AP])M$)"));
    const QRegularExpressionMatch match = time.match(text);
    if (!match.hasMatch()) {
        return text;
    }
    const int hour = match.captured(4).toInt() % 12 + (match.captured(6) == "P" ? 12 : 0);
    return match.captured(3) + match.captured(1) + match.captured(2) +
           QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')) + match.captured(5);
}

// A row that sorts by its column without regard to case, times by when they were, and rows
// equal there by name.
class FileListItem : public QTreeWidgetItem {
  public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : FileListView::NameColumn;
        const int order = compareIn(column, other);
        return order != 0 ? order < 0 : compareIn(FileListView::NameColumn, other) < 0;
    }

  private:
    int compareIn(int column, const QTreeWidgetItem& other) const {
        if (column == FileListView::ModifiedColumn) {
            return modifiedSortKey(text(column)).compare(modifiedSortKey(other.text(column)));
        }
        const int folded = text(column).compare(other.text(column), Qt::CaseInsensitive);
        return folded != 0 ? folded : text(column).compare(other.text(column));
    }
};

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

void FileListView::sortByAnyColumn() {
    header()->setSortIndicator(NameColumn, Qt::AscendingOrder);
    setSortingEnabled(true);
}

void FileListView::insertOnTop(const QString& name, const QString& type, const QString& modified) {
    insertTopLevelItem(0, new FileListItem(QStringList{name, type, modified}));
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

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit mouseClicked();
}

}  // namespace korvel
