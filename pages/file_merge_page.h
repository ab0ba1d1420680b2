#pragma once
// The File Merge page: pick a folder and a first file, list the files whose rows match it,
// select some, name the result and merge them into one file.

#include "app/ui/korvel_page.h"
#include "pages/page_context.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class FileListView;
class FolderBox;
class FolderControls;

class CFileMergePage : public KorvelPage {
    Q_OBJECT
  public:
    explicit CFileMergePage(const PageContext& context, QWidget* parent = nullptr);

    QString folder() const;
    void refreshFileList();
    void searchMatchingFiles();
    void mergeSelectedFiles();
    void applyFileListClick();
    void applyMatchingListClick();

    FolderControls* folderControls() const { return folderControls_; }
    FolderBox* folderBox() const { return folderBox_; }
    FileListView* fileList() const { return fileList_; }
    FileListView* matchingList() const { return matchingList_; }
    QLineEdit* nameBox() const { return nameBox_; }
    QPushButton* searchButton() const { return search_; }
    QPushButton* mergeButton() const { return merge_; }

    void activated() override;

  protected:
    void initialise() override;
    void firstShown() override;

  private:
    QWidget* buildSelectBox();
    QWidget* buildMergeBox();
    void openWithDesktopFrom(FileListView* list);

    PageContext context_;
    QGroupBox* selectBox_ = nullptr;
    QGroupBox* mergeBox_ = nullptr;
    QPushButton* selectFolder_ = nullptr;
    QPushButton* refreshFolder_ = nullptr;
    FolderBox* folderBox_ = nullptr;
    FolderControls* folderControls_ = nullptr;
    FileListView* fileList_ = nullptr;
    QPushButton* search_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    FileListView* matchingList_ = nullptr;
    QPushButton* merge_ = nullptr;
};

}  // namespace korvel
