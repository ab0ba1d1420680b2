#pragma once
// The three-column file lists of the transfer and merge pages: Name, Type and Modified, whole
// rows selected, columns 10, 6 and 12 twenty-fifths of the list's width. Unsorted unless the
// page lets the person sort by any column (then by name until a heading is clicked).

#include <QTreeWidget>

#include "app/text_table.h"
#include "app/ui/qt_text.h"

namespace korvel {

class FileListView : public QTreeWidget {
    Q_OBJECT
  public:
    enum Column { NameColumn = 0, TypeColumn = 1, ModifiedColumn = 2 };

    // Column captions come from the screen's caption slots.
    FileListView(const TextTable& texts, Screen screen, bool severalRows, QWidget* parent);

    // The size the list opens at; on a screen without room for it, it shrinks to a few rows.
    void setComfortableSize(QSize size);
    QSize sizeHint() const override;

    // Sorted by name, ascending, until a heading is clicked; Modified sorts by time. A sort
    // keeps the selection.
    void sortByAnyColumn();
    // Inserts a row as the top row (a sorted list puts it in its place).
    void insertOnTop(const QString& name, const QString& type, const QString& modified);

    // The selected rows in ascending row order.
    QList<int> selectedRows() const;
    QString nameAt(int row) const { return cellText(row, NameColumn); }
    QString typeAt(int row) const { return cellText(row, TypeColumn); }
    // The row that holds the keyboard focus, -1 for none.
    int focusRow() const;
    // The first selected row, -1 for none.
    int selectedRow() const;
    // Selects the row of that name and makes it current; false when no row has it.
    bool selectName(const QString& name);

  signals:
    // A mouse click in the list (on a row or beside the rows), after the selection changed.
    void mouseClicked();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString cellText(int row, int column) const;
    void fitColumns();

    QSize comfortable_;
};

// Shows the entries, each inserted at the top: an unsorted list ends up in the reverse of their
// order, a sorted one in its sort order.
template <class Entries>
void FillFileList(FileListView* list, const Entries& entries) {
    const bool sorted = list->isSortingEnabled();
    list->setSortingEnabled(false);
    list->clear();
    for (const auto& entry : entries) {
        list->insertOnTop(toQt(entry.name), toQt(entry.type), toQt(entry.modified));
    }
    list->setSortingEnabled(sorted);
}

}  // namespace korvel
