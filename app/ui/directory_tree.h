#pragma once
// The folder tree of the directory chooser: the file-system roots at the top, each folder read
// only when it is opened, one level at a time, and read anew after it was closed. Only folders
// are shown; hidden folders only when they lie on the path of the folder selected at opening.

#include <QString>
#include <QTreeWidget>

namespace korvel {

class DirectoryTree : public QTreeWidget {
    Q_OBJECT
  public:
    explicit DirectoryTree(QWidget* parent = nullptr);

    // Lists the roots again, with nothing opened.
    void listRoots();
    // Opens the branch down to the folder and selects it; false (nothing selected) when the
    // folder does not exist or is not under a listed root.
    bool selectPath(const QString& path);
    // The folder an item stands for: the root's text and each component below it.
    QString pathOf(const QTreeWidgetItem* item) const;
    // The roots listed at the top; the tests give their own.
    void setRoots(const QStringList& roots) { roots_ = roots; }

    static bool isPlaceholder(const QTreeWidgetItem* item);

  private:
    // Whether the folder is the path last given to selectPath() or one of its ancestors.
    bool onSelectedPath(const QString& path) const;
    QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& path, const QString& text);
    void fill(QTreeWidgetItem* item);
    void reset(QTreeWidgetItem* item);
    QTreeWidgetItem* childNamed(QTreeWidgetItem* parent, const QString& name) const;

    QStringList roots_;
    QString selectedPath_;
    QIcon driveIcon_;
    QIcon folderIcon_;
};

// Whether the folder holds at least one folder (stops at the first one found).
bool hasSubFolders(const QString& path);

}  // namespace korvel
