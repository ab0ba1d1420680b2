#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "app/platform.h"
#include "app/ui/directory_chooser.h"
#include "app/ui/directory_tree.h"
#include "tests/support/page_environment.h"

namespace korvel {
namespace {

QStringList childTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i) {
        texts << item->child(i)->text(0);
    }
    return texts;
}

class DirectoryChooserTest : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder : {"tree/gamma", "tree/alpha/inner", "tree/Beta", "tree/empty"}) {
            environment.makeFolder(folder);
        }
        environment.write("tree/file.txt", "not a folder");
        environment.start();
        root = QString::fromStdString(environment.path("tree"));
    }

    test::PageEnvironment environment;
    QString root;
};

TEST_F(DirectoryChooserTest, OpensAtTheCurrentDirectory) {
    setCurrentDirectory(environment.path("tree/alpha/inner"));
    CDirectoryChooser chooser(environment.app(), nullptr, {root});
    const QString expected = root + QDir::separator() + "alpha" + QDir::separator() + "inner";
    EXPECT_EQ(chooser.pathBox()->text(), expected);
    EXPECT_TRUE(chooser.pathBox()->isReadOnly());
    ASSERT_NE(chooser.tree()->currentItem(), nullptr);
    EXPECT_EQ(chooser.tree()->currentItem()->text(0), "inner");
    EXPECT_EQ(chooser.windowTitle(), "Select Directory for Data Files");
    EXPECT_EQ(chooser.okButton()->text(), "OK");
    EXPECT_EQ(chooser.cancelButton()->text(), "Cancel");
}

TEST_F(DirectoryChooserTest, FoldersSortedWithoutRegardToCaseWithPlaceholders) {
    setCurrentDirectory(environment.path("tree"));
    CDirectoryChooser chooser(environment.app(), nullptr, {root});
    QTreeWidgetItem* top = chooser.tree()->topLevelItem(0);
    // The current directory is the top item itself: selected, not opened.
    EXPECT_EQ(chooser.tree()->currentItem(), top);
    EXPECT_FALSE(top->isExpanded());
    ASSERT_EQ(top->childCount(), 1);
    EXPECT_TRUE(DirectoryTree::isPlaceholder(top->child(0)));
    chooser.tree()->expandItem(top);
    EXPECT_EQ(childTexts(top), (QStringList{"alpha", "Beta", "empty", "gamma"}));
    // Only a folder with sub-folders has a placeholder child; files are never shown.
    EXPECT_EQ(top->child(0)->childCount(), 1);
    EXPECT_TRUE(DirectoryTree::isPlaceholder(top->child(0)->child(0)));
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(top->child(i)->childCount(), 0) << top->child(i)->text(0).toStdString();
    }
    chooser.tree()->expandItem(top->child(0));
    EXPECT_EQ(childTexts(top->child(0)), QStringList{"inner"});
}

TEST_F(DirectoryChooserTest, ClosingAndOpeningReadsTheFolderAgain) {
    setCurrentDirectory(environment.path("tree"));
    CDirectoryChooser chooser(environment.app(), nullptr, {root});
    QTreeWidgetItem* top = chooser.tree()->topLevelItem(0);
    chooser.tree()->expandItem(top);
    environment.makeFolder("tree/delta");
    EXPECT_EQ(top->childCount(), 4);
    chooser.tree()->collapseItem(top);
    EXPECT_EQ(top->childCount(), 1);
    EXPECT_TRUE(DirectoryTree::isPlaceholder(top->child(0)));
    chooser.tree()->expandItem(top);
    EXPECT_EQ(childTexts(top), (QStringList{"alpha", "Beta", "delta", "empty", "gamma"}));
}

TEST_F(DirectoryChooserTest, OkHandsBackTheSelectionAndCancelNothing) {
    setCurrentDirectory(environment.path("tree"));
    {
        CDirectoryChooser chooser(environment.app(), nullptr, {root});
        QTreeWidgetItem* top = chooser.tree()->topLevelItem(0);
        chooser.tree()->expandItem(top);
        chooser.tree()->setCurrentItem(top->child(1));
        chooser.okButton()->click();
        EXPECT_EQ(chooser.result(), QDialog::Accepted);
        EXPECT_EQ(chooser.resultPath(), root + QDir::separator() + "Beta");
    }
    {
        CDirectoryChooser chooser(environment.app(), nullptr, {root});
        chooser.tree()->expandItem(chooser.tree()->topLevelItem(0));
        chooser.tree()->setCurrentItem(chooser.tree()->topLevelItem(0)->child(3));
        chooser.cancelButton()->click();
        EXPECT_EQ(chooser.result(), QDialog::Rejected);
        EXPECT_EQ(chooser.resultPath(), "");
    }
}

TEST_F(DirectoryChooserTest, CurrentDirectoryOutsideTheRootsSelectsNothing) {
    setCurrentDirectory(environment.path("work"));
    CDirectoryChooser chooser(environment.app(), nullptr, {root});
    EXPECT_EQ(chooser.tree()->currentItem(), nullptr);
    EXPECT_EQ(chooser.pathBox()->text(), "");
    chooser.okButton()->click();
    EXPECT_EQ(chooser.resultPath(), "");
}

TEST_F(DirectoryChooserTest, SelectingAFolderReopensItsBranchFromDisk) {
    CDirectoryChooser chooser(environment.app(), nullptr, {root});
    ASSERT_TRUE(chooser.tree()->selectPath(root + "/alpha/inner"));
    EXPECT_EQ(chooser.pathBox()->text(),
              root + QDir::separator() + "alpha" + QDir::separator() + "inner");
    environment.makeFolder("tree/alpha/later");
    ASSERT_TRUE(chooser.tree()->selectPath(root + "/alpha"));
    QTreeWidgetItem* alpha = chooser.tree()->currentItem();
    EXPECT_EQ(alpha->text(0), "alpha");
    chooser.tree()->expandItem(alpha);
    EXPECT_EQ(childTexts(alpha), (QStringList{"inner", "later"}));
    EXPECT_FALSE(chooser.tree()->selectPath(root + "/missing"));
}

TEST_F(DirectoryChooserTest, HiddenFoldersShowOnlyOnThePathOfTheCurrentFolder) {
    for (const char* folder : {"tree/.local/share/demo", "tree/.cache", "tree/.local/.other"}) {
        environment.makeFolder(folder);
    }
    setCurrentDirectory(environment.path("tree/.local/share/demo"));
    CDirectoryChooser chooser(environment.app(), nullptr, {root});
    const QString expected = QDir::toNativeSeparators(root + "/.local/share/demo");
    EXPECT_EQ(chooser.pathBox()->text(), expected);
    QTreeWidgetItem* top = chooser.tree()->topLevelItem(0);
    EXPECT_EQ(childTexts(top), (QStringList{".local", "alpha", "Beta", "empty", "gamma"}));
    EXPECT_EQ(childTexts(top->child(0)), QStringList{"share"});
    chooser.okButton()->click();
    EXPECT_EQ(chooser.resultPath(), expected);
}

TEST(DirectoryTreeTest, FileSystemRootIsTheTopItem) {
    DirectoryTree tree;
    tree.listRoots();
    ASSERT_GE(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.pathOf(tree.topLevelItem(0)), QDir::toNativeSeparators(QDir::rootPath()));
}

}  // namespace
}  // namespace korvel
