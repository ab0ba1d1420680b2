#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/ui/file_list_view.h"
#include "pages/file_merge_page.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

class FileMergePageTest : public testing::Test {
  protected:
    void SetUp() override {
        environment.write("grids/A.CSV", ",1,2,\r\nR1,10,11,\r\nR2,20,21,\r\n");
        environment.write("grids/B.CSV", ",3,4,\r\nR1,12,13,\r\nR2,22,23,\r\n");
        environment.write("grids/OTHER.CSV", ",1,\r\nX1,5,\r\n");
        environment.write("grids/EMPTY.CSV", "\r\nR1,1,\r\n");
        environment.write("grids/NOTES.TXT", ",1,\r\nR1,1,\r\n");
        environment.start();
        setCurrentDirectory(environment.path("grids"));
        page = std::make_unique<CFileMergePage>(environment.context());
        page->setVoice(&voice);
        page->ensureInitialised();
        page->activated();
        page->resize(900, 500);
        page->show();
    }

    QStringList names(const FileListView* list) const {
        QStringList result;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            result << list->nameAt(row);
        }
        return result;
    }
    void click(FileListView* list, const QString& name) {
        const int row = names(list).indexOf(name);
        ASSERT_GE(row, 0);
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void ctrlClick(FileListView* list, const QString& name) {
        const int row = names(list).indexOf(name);
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rect.center());
    }

    test::PageEnvironment environment;
    test::RecordingVoice voice;
    std::unique_ptr<CFileMergePage> page;
};

TEST_F(FileMergePageTest, StartsAtTheCurrentFolderWithTheCsvFiles) {
    EXPECT_EQ(page->folder().toStdString(), environment.path("grids"));
    // Files with an empty first line and files not ending in CSV are left out.
    EXPECT_EQ(names(page->fileList()), (QStringList{"OTHER.CSV", "B.CSV", "A.CSV"}));
    EXPECT_FALSE(page->searchButton()->isEnabled());
    EXPECT_FALSE(page->mergeButton()->isEnabled());
    EXPECT_FALSE(page->nameBox()->isEnabled());
}

TEST_F(FileMergePageTest, SearchListsTheMatchingFilesAndMergeWritesThem) {
    click(page->fileList(), "A.CSV");
    EXPECT_TRUE(page->searchButton()->isEnabled());
    page->searchButton()->click();
    EXPECT_EQ(names(page->matchingList()), (QStringList{"B.CSV", "A.CSV"}));
    EXPECT_EQ(page->matchingList()->typeAt(0), "");
    EXPECT_TRUE(page->nameBox()->isEnabled());
    EXPECT_EQ(page->focusWidget(), page->nameBox());
    EXPECT_FALSE(page->searchButton()->isEnabled());

    click(page->matchingList(), "A.CSV");
    ctrlClick(page->matchingList(), "B.CSV");
    EXPECT_TRUE(page->mergeButton()->isEnabled());

    // Without a name: the warning and the focus on the name box.
    page->mergeButton()->click();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0], (test::Said{MessageKind::Warning, "Enter file name for merged file"}));
    EXPECT_EQ(page->focusWidget(), page->nameBox());

    click(page->matchingList(), "A.CSV");
    ctrlClick(page->matchingList(), "B.CSV");
    page->nameBox()->setText("PIPE");
    page->mergeButton()->click();
    ASSERT_EQ(voice.said.size(), 2u);
    EXPECT_EQ(voice.said[1].kind, MessageKind::Notice);
    EXPECT_EQ(voice.said[1].text,
              "Successfully created new merged file : " + environment.path("grids/PIPE.CSV"));
    EXPECT_EQ(environment.read("grids/PIPE.CSV"),
              ",1,2,3,4,\r\nR1,10,11,12,13,\r\nR2,20,21,22,23,\r\n");
    EXPECT_FALSE(page->mergeButton()->isEnabled());
    EXPECT_FALSE(page->searchButton()->isEnabled());
    EXPECT_TRUE(names(page->fileList()).contains("PIPE.CSV"));

    // Back on the page: a file made meanwhile is listed and the selected file stays selected.
    click(page->fileList(), "B.CSV");
    environment.write("grids/C.CSV", ",5,\r\nR1,14,\r\nR2,24,\r\n");
    page->activated();
    EXPECT_TRUE(names(page->fileList()).contains("C.CSV"));
    EXPECT_EQ(page->fileList()->nameAt(page->fileList()->selectedRow()), "B.CSV");
    EXPECT_TRUE(page->searchButton()->isEnabled());
}

TEST_F(FileMergePageTest, ClickRulesOfBothLists) {
    click(page->fileList(), "OTHER.CSV");
    page->searchButton()->click();
    EXPECT_EQ(names(page->matchingList()), QStringList{"OTHER.CSV"});
    click(page->matchingList(), "OTHER.CSV");
    EXPECT_TRUE(page->mergeButton()->isEnabled());
    EXPECT_FALSE(page->searchButton()->isEnabled());
    // A click in the file list enables the search again and takes the merge away.
    click(page->fileList(), "A.CSV");
    EXPECT_TRUE(page->searchButton()->isEnabled());
    EXPECT_FALSE(page->mergeButton()->isEnabled());
    // Nothing selected: no search and no name.
    page->fileList()->clearSelection();
    page->applyFileListClick();
    EXPECT_FALSE(page->searchButton()->isEnabled());
    EXPECT_FALSE(page->nameBox()->isEnabled());
    page->matchingList()->clearSelection();
    page->applyMatchingListClick();
    EXPECT_FALSE(page->mergeButton()->isEnabled());
}

}  // namespace
}  // namespace korvel
