#include "pages/file_merge_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform.h"
#include "app/ui/desktop_open.h"
#include "app/ui/file_list_view.h"
#include "app/ui/folder_controls.h"
#include "app/ui/qt_text.h"
#include "datafile/file_merge.h"
#include "pages/pc_folder_listing.h"

namespace korvel {

CFileMergePage::CFileMergePage(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::FileMerge, "IDD_DIALOG_TITLE_FILEMERGE", parent),
      context_(context) {}

QString CFileMergePage::folder() const {
    return folderControls_ ? folderControls_->folder() : QString();
}

void CFileMergePage::initialise() {
    auto* layout = new QHBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildSelectBox(), 1);
    layout->addWidget(buildMergeBox(), 1);

    connect(folderControls_, &FolderControls::refreshRequested, this,
            &CFileMergePage::refreshFileList);
    connect(fileList_, &FileListView::mouseClicked, this, &CFileMergePage::applyFileListClick);
    connect(matchingList_, &FileListView::mouseClicked, this,
            &CFileMergePage::applyMatchingListClick);
    connect(fileList_, &QTreeWidget::itemDoubleClicked, this,
            [this] { openWithDesktopFrom(fileList_); });
    connect(matchingList_, &QTreeWidget::itemDoubleClicked, this,
            [this] { openWithDesktopFrom(matchingList_); });
    connect(search_, &QPushButton::clicked, this, &CFileMergePage::searchMatchingFiles);
    connect(merge_, &QPushButton::clicked, this, &CFileMergePage::mergeSelectedFiles);

    merge_->setEnabled(false);
    nameBox_->setEnabled(false);
    search_->setEnabled(false);
}

// The folder is the current directory of the moment the page is first shown: the one the
// transfer page moved to.
void CFileMergePage::firstShown() {
    folderControls_->setFolder(toQt(currentDirectory()));
}

// The list is read again each time the page becomes active, so that a file copied from the
// gauge or made on another page is there; the selected file stays selected while it exists.
void CFileMergePage::activated() {
    const int row = fileList_->selectedRow();
    const QString selected = row < 0 ? QString() : fileList_->nameAt(row);
    refreshFileList();
    if (!fileList_->selectName(selected)) {
        search_->setEnabled(false);
    }
}

QWidget* CFileMergePage::buildSelectBox() {
    selectBox_ = new QGroupBox(caption("IDC_STATIC_MERGEFILES_SELECTFILE"), body());
    selectFolder_ = new QPushButton(caption("IDC_BTN_HOST_DIR"), selectBox_);
    refreshFolder_ = new QPushButton(caption("IDC_BTN_HOST_DIR_REFRESH"), selectBox_);
    folderBox_ = new FolderBox(selectBox_);
    folderBox_->setObjectName("folderBox");
    auto* firstFileLabel = new QLabel(caption("IDC_STATIC_FIRST_FILE"), selectBox_);
    fileList_ = new FileListView(app().texts(), Screen::FileMerge, false, selectBox_);
    fileList_->setObjectName("fileList");
    fileList_->setComfortableSize({380, 260});
    search_ = new QPushButton(caption("IDC_BTN_SEARCH_MATCHING_FILES"), selectBox_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectFolder_);
    buttons->addWidget(refreshFolder_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(selectBox_);
    layout->addLayout(buttons);
    layout->addWidget(folderBox_);
    layout->addWidget(firstFileLabel);
    layout->addWidget(fileList_, 1);
    layout->addWidget(search_, 0, Qt::AlignRight);
    folderControls_ = new FolderControls(app(), selectFolder_, refreshFolder_, folderBox_, this);
    folderControls_->setChooserRoots(context_.chooserRoots);
    return selectBox_;
}

QWidget* CFileMergePage::buildMergeBox() {
    mergeBox_ = new QGroupBox(caption("IDC_STATIC_MERGEFILES"), body());
    auto* nameLabel = new QLabel(caption("IDC_STATIC_MERGED_FILE"), mergeBox_);
    nameBox_ = new QLineEdit(mergeBox_);
    nameBox_->setObjectName("nameBox");
    auto* matchingLabel = new QLabel(caption("IDC_STATIC_OTHER_FILES"), mergeBox_);
    matchingList_ = new FileListView(app().texts(), Screen::FileMerge, true, mergeBox_);
    matchingList_->setObjectName("matchingList");
    matchingList_->setComfortableSize({380, 260});
    merge_ = new QPushButton(caption("IDC_BTN_MERGE_FILES"), mergeBox_);
    auto* layout = new QVBoxLayout(mergeBox_);
    layout->addWidget(nameLabel);
    layout->addWidget(nameBox_);
    layout->addWidget(matchingLabel);
    layout->addWidget(matchingList_, 1);
    layout->addWidget(merge_, 0, Qt::AlignRight);
    return mergeBox_;
}

void CFileMergePage::refreshFileList() {
    FillFileList(fileList_, listMergeFolder(fromQt(folder())));
}

void CFileMergePage::applyFileListClick() {
    const bool selected = !fileList_->selectedRows().isEmpty();
    search_->setEnabled(selected);
    if (selected) {
        merge_->setEnabled(false);
    } else {
        nameBox_->setEnabled(false);
    }
}

void CFileMergePage::applyMatchingListClick() {
    const bool selected = !matchingList_->selectedRows().isEmpty();
    merge_->setEnabled(selected);
    if (selected) {
        search_->setEnabled(false);
    }
}

void CFileMergePage::searchMatchingFiles() {
    const QList<int> rows = fileList_->selectedRows();
    if (rows.isEmpty()) {
        return;
    }
    const std::string first = fromQt(fileList_->nameAt(rows.first()));
    matchingList_->clear();
    for (const std::string& name :
         findMatchingFiles(fromQt(folder()), first, voice(), app().texts())) {
        matchingList_->insertOnTop(toQt(name), QString(),
                                   toQt(modifiedTimeOf(joinPath(fromQt(folder()), name))));
    }
    const bool found = matchingList_->topLevelItemCount() > 0;
    nameBox_->setEnabled(found);
    if (found) {
        nameBox_->setFocus();
    }
    search_->setEnabled(false);
}

void CFileMergePage::mergeSelectedFiles() {
    std::vector<std::string> names;
    for (int row : matchingList_->selectedRows()) {
        names.push_back(fromQt(matchingList_->nameAt(row)));
    }
    const MergeResult result =
        mergeFiles(fromQt(folder()), names, fromQt(nameBox_->text()), voice(), app().texts());
    if (result.focusName) {
        nameBox_->setFocus();
    }
    if (result.written) {
        refreshFileList();
    }
    merge_->setEnabled(false);
    search_->setEnabled(false);
}

void CFileMergePage::openWithDesktopFrom(FileListView* list) {
    const int row = list->focusRow();
    if (row >= 0) {
        openWithDesktop(joinPath(fromQt(folder()), fromQt(list->nameAt(row))), voice(),
                        app().texts());
    }
}

}  // namespace korvel
