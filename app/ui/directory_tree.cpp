#include "app/ui/directory_tree.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStyle>

namespace korvel {

namespace {

constexpr QDir::Filters kFolders = QDir::Dirs | QDir::NoDotAndDotDot;

// A drive's root without its trailing separator ("C:"), or the root itself ("/").
QString rootText(const QString& root) {
    QString text = QDir::toNativeSeparators(root);
    while (text.size() > 1 && text.endsWith(QDir::separator())) {
        text.chop(1);
    }
    return text;
}

QString appendComponent(const QString& path, const QString& component) {
    return path.endsWith(QDir::separator()) ? path + component
                                            : path + QDir::separator() + component;
}

// The icon pair of a tree item: its own icon, and the open one while it is selected.
QIcon withSelectedLook(const QIcon& normal, const QIcon& selected) {
    QIcon icon;
    for (const QSize& size : {QSize(16, 16), QSize(32, 32)}) {
        icon.addPixmap(normal.pixmap(size), QIcon::Normal);
        icon.addPixmap(selected.pixmap(size), QIcon::Selected);
    }
    return icon;
}

}  // namespace

bool hasSubFolders(const QString& path) {
    QDirIterator it(path, kFolders);
    return it.hasNext();
}

DirectoryTree::DirectoryTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    const QStyle* look = style();
    const QIcon open = look->standardIcon(QStyle::SP_DirOpenIcon);
    driveIcon_ = withSelectedLook(look->standardIcon(QStyle::SP_DriveHDIcon), open);
    folderIcon_ = withSelectedLook(look->standardIcon(QStyle::SP_DirClosedIcon), open);
    for (const QFileInfo& drive : QDir::drives()) {
        roots_.append(drive.absoluteFilePath());
    }
    connect(this, &QTreeWidget::itemExpanded, this, &DirectoryTree::fill);
    connect(this, &QTreeWidget::itemCollapsed, this, &DirectoryTree::reset);
}

bool DirectoryTree::isPlaceholder(const QTreeWidgetItem* item) {
    return item->parent() != nullptr && item->data(0, Qt::UserRole).toString().isEmpty();
}

QTreeWidgetItem* DirectoryTree::addFolder(QTreeWidgetItem* parent, const QString& path,
                                          const QString& text) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, Qt::UserRole, path);
    item->setIcon(0, parent ? folderIcon_ : driveIcon_);
    if (hasSubFolders(path) || (onSelectedPath(path) && path != selectedPath_)) {
        new QTreeWidgetItem(item);  // placeholder, so that the folder can be opened
    }
    return item;
}

void DirectoryTree::listRoots() {
    clear();
    for (const QString& root : roots_) {
        addFolder(nullptr, root, rootText(root));
    }
}

QString DirectoryTree::pathOf(const QTreeWidgetItem* item) const {
    QStringList texts;
    for (; item; item = item->parent()) {
        texts.prepend(item->text(0));
    }
    if (texts.isEmpty()) {
        return {};
    }
    QString path = texts.takeFirst();
    for (const QString& component : texts) {
        path = appendComponent(path, component);
    }
    return path;
}

void DirectoryTree::fill(QTreeWidgetItem* item) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    qDeleteAll(item->takeChildren());
    const QString path = pathOf(item);
    QStringList names = QDir(path).entryList(kFolders);
    for (const QString& hidden : QDir(path).entryList(kFolders | QDir::Hidden)) {
        if (!names.contains(hidden) && onSelectedPath(appendComponent(path, hidden))) {
            names.append(hidden);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const QString& name : names) {
        addFolder(item, appendComponent(path, name), name);
    }
    setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

bool DirectoryTree::onSelectedPath(const QString& path) const {
    return selectedPath_ == path || selectedPath_.startsWith(appendComponent(path, QString()));
}

void DirectoryTree::reset(QTreeWidgetItem* item) {
    qDeleteAll(item->takeChildren());
    new QTreeWidgetItem(item);
}

QTreeWidgetItem* DirectoryTree::childNamed(QTreeWidgetItem* parent, const QString& name) const {
    const int count = parent ? parent->childCount() : topLevelItemCount();
    auto at = [&](int i) { return parent ? parent->child(i) : topLevelItem(i); };
    // The exact name first: on a case-sensitive file system "Data" and "data" both exist.
    for (int i = 0; i < count; ++i) {
        if (at(i)->text(0) == name) {
            return at(i);
        }
    }
    for (int i = 0; i < count; ++i) {
        if (at(i)->text(0).compare(name, Qt::CaseInsensitive) == 0) {
            return at(i);
        }
    }
    return nullptr;
}

bool DirectoryTree::selectPath(const QString& path) {
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(path));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return false;
    }
    QTreeWidgetItem* current = nullptr;
    QString rest;
    for (int i = 0; i < topLevelItemCount() && !current; ++i) {
        const QString root = topLevelItem(i)->text(0);
        if (folder.compare(root, Qt::CaseInsensitive) == 0 ||
            folder.startsWith(appendComponent(root, QString()), Qt::CaseInsensitive)) {
            current = topLevelItem(i);
            rest = folder.mid(root.size());
        }
    }
    if (!current) {
        return false;
    }
    selectedPath_ = folder;
    setUpdatesEnabled(false);
    for (const QString& component : rest.split(QDir::separator(), Qt::SkipEmptyParts)) {
        collapseItem(current);
        expandItem(current);
        QTreeWidgetItem* next = childNamed(current, component);
        if (!next) {
            break;
        }
        current = next;
    }
    setCurrentItem(current);
    setUpdatesEnabled(true);
    scrollToItem(current);
    return true;
}

}  // namespace korvel
