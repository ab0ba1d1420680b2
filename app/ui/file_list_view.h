#pragma once
// The three-column file lists of the transfer and merge pages: Name, Type and Modified, whole
// rows selected, columns 10, 6 and 12 twenty-fifths of the list's width, no sorting.

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

    // Inserts a row as the top row.
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
    // A key was pressed in the list, after the list moved its selection.
    void keyPressed();
    // A mouse click in the list (on a row or beside the rows), after the selection changed.
    void mouseClicked();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString cellText(int row, int column) const;
    void fitColumns();

    QSize comfortable_;
};

// Shows the entries, each inserted at the top: the list ends up in the reverse of their order.
template <class Entries>
void FillFileList(FileListView* list, const Entries& entries) {
    list->clear();
    for (const auto& entry : entries) {
        list->insertOnTop(toQt(entry.name), toQt(entry.type), toQt(entry.modified));
    }
}

}  // namespace korvel
