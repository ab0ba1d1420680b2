#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <map>

#include "app/platform.h"
#include "app/profile_file.h"
#include "app/safe_file.h"
#include "app/ui/file_list_view.h"
#include "app/ui/folder_controls.h"
#include "app/ui/gauge_operation_runner.h"
#include "dataview/dialog/data_view_dialog.h"
#include "modal_answer.h"
#include "page_environment.h"
#include "pages/file_transfer_page.h"
#include "simulated_gauge_setup.h"
#include "tests/support/recording_voice.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel {
namespace {

// A data file with the product line, the header and its value line.
std::string dataFile(const std::string& name, const std::string& type) {
    return "Product:40-102,Version:v1.09A,\r\nFilename,Type,Version,AScan,\r\n" + name + "," +
           type + ",1,OFF,\r\n";
}

class FileTransferPageTest : public testing::Test {
  protected:
    void SetUp() override {
        environment.start();
        folder = environment.app().pcDataFolder();
    }

    // Puts a file into the PC data folder.
    void put(const std::string& name, const std::string& bytes) {
        environment.write("docs/Korvel/data/" + name, bytes);
    }

    CFileTransferPage& openPage() {
        page = std::make_unique<CFileTransferPage>(environment.context());
        page->setVoice(&voice);
        page->ensureInitialised();
        page->activated();
        page->resize(900, 500);
        page->show();
        return *page;
    }

    QStringList names(const FileListView* list) const {
        QStringList result;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            result << list->nameAt(row);
        }
        return result;
    }

    int rowNamed(const FileListView* list, const QString& name) const {
        return names(list).indexOf(name);
    }

    void click(FileListView* list, int row) {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // Data View, Export, transfer-to-gauge, Import.
    std::vector<bool> fileButtons() const {
        return {page->dataViewButton()->isEnabled(), page->exportButton()->isEnabled(),
                page->toGaugeButton()->isEnabled(), page->importButton()->isEnabled()};
    }

    test::PageEnvironment environment;
    test::RecordingVoice voice;
    std::string folder;
    std::unique_ptr<CFileTransferPage> page;
};

TEST_F(FileTransferPageTest, ListsTheFolderWithTypesNewestNameFirst) {
    put("PIPE1.CSV", dataFile("PIPE1.CSV", "LINEAR"));
    put("GRID.csv", dataFile("GRID.csv", "2D"));
    put("TYPEFIRST.CSV", "Type,Filename,\r\nLINEAR,TYPEFIRST.CSV,\r\n");
    put("NOTES.TXT", "Filename,Type,\r\nX,Y,\r\n");
    put(".kvAb12Cd34", "a save in progress is hidden");
    environment.makeFolder("docs/Korvel/data/SUB");
    openPage();
    EXPECT_EQ(page->pcDataFolder().toStdString(), folder);
    EXPECT_EQ(page->folderBox()->text().toStdString(), folder);
    EXPECT_EQ(currentDirectory(), folder);
    // Each row goes to the top: the list shows the name order reversed.
    EXPECT_EQ(names(page->pcList()),
              (QStringList{"TYPEFIRST.CSV", "SUB", "PIPE1.CSV", "NOTES.TXT", "GRID.csv"}));
    EXPECT_EQ(page->pcList()->typeAt(0), "");  // "Type" in the first column does not count
    EXPECT_EQ(page->pcList()->typeAt(1), "");  // a folder
    EXPECT_EQ(page->pcList()->typeAt(2), "LINEAR");
    EXPECT_EQ(page->pcList()->typeAt(3), "");  // only .CSV files are opened
    EXPECT_EQ(page->pcList()->typeAt(4), "2D");
    EXPECT_EQ(fileButtons(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(page->fromGaugeButton()->isEnabled());
    EXPECT_EQ(page->pcList()->headerItem()->text(0), "Name");
    EXPECT_EQ(page->pcList()->headerItem()->text(1), "Type");
    EXPECT_EQ(page->pcList()->headerItem()->text(2), "Modified");

    // A file another page made is listed when the page becomes active again.
    put("MADE.CSV", dataFile("MADE.CSV", "LINEAR"));
    page->left();
    page->activated();
    EXPECT_NE(rowNamed(page->pcList(), "MADE.CSV"), -1);
}

// Export to Workbook...: the selected file's workbook where the save dialog says, without a
// second overwrite question (the dialog asked).
TEST_F(FileTransferPageTest, ExportsTheSelectedFileToAWorkbook) {
    put("G1.CSV", test::currentGrid());
    put("chosen.xlsx", "old");
    openPage();
    page->setSavePathSource([&](const QString&, const QString& suggested, const QString&) {
        EXPECT_EQ(suggested.toStdString(), joinPath(folder, "G1.xlsx"));
        return QString::fromStdString(joinPath(folder, "chosen.xlsx"));
    });
    click(page->pcList(), rowNamed(page->pcList(), "G1.CSV"));
    ASSERT_TRUE(page->workbookButton()->isEnabled());
    page->workbookButton()->click();
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(readFileBytes(joinPath(folder, "chosen.xlsx")).value_or("").substr(0, 2), "PK");
    EXPECT_GE(rowNamed(page->pcList(), "chosen.xlsx"), 0);
}

TEST_F(FileTransferPageTest, ButtonRulesOnClickAndOnKeys) {
    put("A.CSV", dataFile("A.CSV", "LINEAR"));
    put("B.CSV", dataFile("B.CSV", "SETUP"));
    put("C.dat", "FILE NAME: C\r\n");
    put("D.DAT", "FILE NAME: D\r\n");
    put("E.CSV", "no header here\r\n");
    put("F.TXT", "text\r\n");
    openPage();
    struct Case {
        const char* name;
        std::vector<bool> onClick;  // Data View, Export, to gauge, Import
        std::vector<bool> onKeys;
    } cases[] = {
        {"A.CSV", {true, true, true, false}, {true, true, true, false}},
        // A setup file goes to the gauge but is not viewed, unless reached with the keys.
        {"B.CSV", {false, false, true, false}, {true, true, true, false}},
        // ".dat" in lower case imports on a click only.
        {"C.dat", {false, false, false, true}, {false, false, false, false}},
        {"D.DAT", {false, false, false, true}, {false, false, false, true}},
        {"E.CSV", {false, false, false, false}, {false, false, false, false}},
        {"F.TXT", {false, false, false, false}, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        const int row = rowNamed(page->pcList(), c.name);
        ASSERT_GE(row, 0) << c.name;
        click(page->pcList(), row);
        EXPECT_EQ(fileButtons(), c.onClick) << c.name << " clicked";

        // Reach the row with the Down key from the row above it (the rule predicts the row).
        page->DisableFileButtons();
        if (row > 0) {
            click(page->pcList(), row - 1);
            QTest::keyClick(page->pcList(), Qt::Key_Down);
        } else {
            click(page->pcList(), row + 1);
            QTest::keyClick(page->pcList(), Qt::Key_Up);
        }
        EXPECT_EQ(fileButtons(), c.onKeys) << c.name << " reached with keys";
        EXPECT_EQ(page->pcList()->selectedRows(), QList<int>{row});
    }
    // A click beside the rows clears the selection and the buttons.
    page->pcList()->clearSelection();
    page->applyPcClickRule();
    EXPECT_EQ(fileButtons(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(FileTransferPageTest, KeyRuleFollowsTheRowTheListMovedTo) {
    const std::map<QString, std::vector<bool>> onKeys = {
        {"A.CSV", {true, true, true, false}},
        {"B.CSV", {true, true, true, false}},  // SETUP: no setup case for keys
        {"KQ77-DEMO.bin", {false, false, false, false}},
        {"D.DAT", {false, false, false, true}},
    };
    put("A.CSV", dataFile("A.CSV", "LINEAR"));
    put("B.CSV", dataFile("B.CSV", "SETUP"));
    put("KQ77-DEMO.bin", "image");
    put("D.DAT", "FILE NAME: D\r\n");
    openPage();
    FileListView* list = page->pcList();
    // Type-ahead searches the column clicked last: click on the name.
    const QRect nameCell = list->visualRect(list->model()->index(rowNamed(list, "A.CSV"), 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, nameCell.center());
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* selected;  // nullptr: any row, "": none
    } steps[] = {
        {'k', Qt::NoModifier, "KQ77-DEMO.bin"},  // type-ahead
        {Qt::Key_Home, Qt::NoModifier, nullptr},  {Qt::Key_End, Qt::NoModifier, nullptr},
        {Qt::Key_Up, Qt::NoModifier, nullptr},    {'b', Qt::NoModifier, "B.CSV"},
        {Qt::Key_Space, Qt::ControlModifier, ""},  // the focused row loses its selection
    };
    for (const Step& step : steps) {
        if (step.key < 0x80) {
            QTest::keyClick(list, static_cast<char>(step.key), step.modifiers);
        } else {
            QTest::keyClick(list, static_cast<Qt::Key>(step.key), step.modifiers);
        }
        const int row = list->selectedRow();
        if (step.selected) {
            EXPECT_EQ(row < 0 ? QString() : list->nameAt(row), step.selected) << step.key;
        }
        const auto expected =
            row < 0 ? std::vector<bool>{false, false, false, false} : onKeys.at(list->nameAt(row));
        EXPECT_EQ(fileButtons(), expected) << step.key << " " << row;
    }
}

TEST_F(FileTransferPageTest, FolderBoxRefreshesOnlyWhenChanged) {
    put("A.CSV", dataFile("A.CSV", "LINEAR"));
    environment.write("other/Z.CSV", dataFile("Z.CSV", "2D"));
    openPage();
    EXPECT_EQ(names(page->pcList()), QStringList{"A.CSV"});
    // Leaving the box unchanged keeps the list (and the selection's buttons).
    click(page->pcList(), 0);
    emit page->folderBox()->focusLost();
    EXPECT_TRUE(page->dataViewButton()->isEnabled());

    page->folderBox()->setText(QString::fromStdString(environment.path("other")));
    emit page->folderBox()->focusLost();
    EXPECT_EQ(names(page->pcList()), QStringList{"Z.CSV"});
    EXPECT_EQ(page->pcDataFolder().toStdString(), environment.path("other"));
    EXPECT_FALSE(page->dataViewButton()->isEnabled());
}

TEST_F(FileTransferPageTest, CancelledChooserKeepsTheListAndDisablesButtons) {
    put("A.CSV", dataFile("A.CSV", "LINEAR"));
    openPage();
    click(page->pcList(), 0);
    ASSERT_TRUE(page->exportButton()->isEnabled());
    test::answerNextModal([](QDialog* chooser) { chooser->reject(); });
    page->folderControls()->chooseFolder();
    EXPECT_EQ(names(page->pcList()), QStringList{"A.CSV"});
    EXPECT_EQ(page->pcDataFolder().toStdString(), folder);
    EXPECT_EQ(fileButtons(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(FileTransferPageTest, StoresItsFolderWhenDestroyed) {
    openPage();
    page->folderBox()->setText(QString::fromStdString(environment.path("work")));
    emit page->folderBox()->focusLost();
    page.reset();
    EXPECT_EQ(readProfileString(environment.app().settingsFile(), "CONFIG", "HostDirPath", "", 511),
              environment.path("work"));
}

// Receives the files the page asks the desktop to open.
class DesktopRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(FileTransferPageTest, DataViewsAreModelessOnePerPressAndDoubleClickOpensWithTheDesktop) {
    put("A.CSV", dataFile("A.CSV", "LINEAR"));
    openPage();
    click(page->pcList(), 0);
    page->dataViewButton()->click();
    page->dataViewButton()->click();
    const auto views = page->findChildren<DataViewDialog*>();
    ASSERT_EQ(views.size(), 2);
    for (DataViewDialog* view : views) {
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(view->isModal());
        EXPECT_TRUE(view->windowTitle().contains("A.CSV")) << view->windowTitle().toStdString();
    }

    DesktopRecorder desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    const QRect rect = page->pcList()->visualItemRect(page->pcList()->topLevelItem(0));
    QTest::mouseDClick(page->pcList()->viewport(), Qt::LeftButton, {}, rect.center());
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0].toLocalFile().toStdString(), folder + "/A.CSV");
    EXPECT_TRUE(voice.said.empty());
}

// The page against the simulated gauge, on the virtual clock.
class FileTransferWithGaugeTest : public FileTransferPageTest {
  protected:
    void SetUp() override {
        FileTransferPageTest::SetUp();
        environment.write("gauge/PIPE1.CSV", dataFile("PIPE1.CSV", "LINEAR"));
        environment.write("gauge/GRID7.CSV", dataFile("GRID7.CSV", "2D"));
        gauge = std::make_unique<test::SimulatedGaugeSetup>(environment.path("gauge"));
    }
    void TearDown() override {
        page.reset();
        gauge.reset();
    }

    void selectGaugeRow(const QString& name) {
        const int row = rowNamed(page->gaugeList(), name);
        ASSERT_GE(row, 0);
        click(page->gaugeList(), row);
    }

    std::unique_ptr<test::SimulatedGaugeSetup> gauge;
};

TEST_F(FileTransferWithGaugeTest, RefreshCopyBothWaysAndRefuseAnOverwrite) {
    openPage();
    page->refreshGaugeButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(names(page->gaugeList()), (QStringList{"PIPE1.CSV", "GRID7.CSV"}));
    EXPECT_EQ(page->gaugeList()->typeAt(0), "CSV");
    EXPECT_EQ(voice.status, "Gage directory file list refresh complete");
    EXPECT_TRUE(voice.said.empty());

    // From the gauge: the file lands in the PC folder and the PC list shows it.
    EXPECT_FALSE(page->fromGaugeButton()->isEnabled());
    selectGaugeRow("PIPE1.CSV");
    EXPECT_TRUE(page->fromGaugeButton()->isEnabled());
    const auto before = gauge->clock.nowMs();
    page->fromGaugeButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(environment.read("docs/Korvel/data/PIPE1.CSV"), dataFile("PIPE1.CSV", "LINEAR"));
    EXPECT_EQ(names(page->pcList()), QStringList{"PIPE1.CSV"});
    EXPECT_EQ(page->pcList()->typeAt(0), "LINEAR");
    EXPECT_EQ(voice.status, "File transfer complete. File PIPE1.CSV saved");
    EXPECT_FALSE(page->fromGaugeButton()->isEnabled());
    EXPECT_FALSE(voice.waitCursor);
    EXPECT_GE(gauge->clock.nowMs() - before, 3000);  // drain, end of reply, pause

    // Again, answering No: the PC file stays as it was.
    put("PIPE1.CSV", "kept\r\n");
    voice.answers = {false};
    selectGaugeRow("PIPE1.CSV");
    page->fromGaugeButton()->click();
    page->operation().waitUntilEnded();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0],
              (test::Said{MessageKind::Question,
                          "File already exists. Do you want to overwrite?\n\nPIPE1.CSV"}));
    EXPECT_EQ(environment.read("docs/Korvel/data/PIPE1.CSV"), "kept\r\n");

    // To the gauge: a PC file goes into the data log.
    put("NEW-2.CSV", dataFile("NEW-2.CSV", "LINEAR"));
    page->RefreshPcFileList();
    click(page->pcList(), rowNamed(page->pcList(), "NEW-2.CSV"));
    ASSERT_TRUE(page->toGaugeButton()->isEnabled());
    page->toGaugeButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(voice.status, "Transfer complete");
    EXPECT_EQ(voice.said.size(), 1u);
    EXPECT_TRUE(fileExists(environment.path("gauge/NEW-2.CSV")));
    EXPECT_FALSE(page->toGaugeButton()->isEnabled());
}

TEST_F(FileTransferWithGaugeTest, UnpluggedGaugeShowsTheLinkFailureOnce) {
    openPage();
    gauge->unplug();
    page->refreshGaugeButton()->click();
    page->operation().waitUntilEnded();
    const std::string failure = environment.app().texts().linkFailureMessage();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0], (test::Said{MessageKind::Error, failure}));
    EXPECT_EQ(voice.status, failure);
    EXPECT_EQ(page->gaugeList()->topLevelItemCount(), 0);
}

TEST_F(FileTransferWithGaugeTest, LeavingThePageKeepsTheListWhenTheLinkIsClosed) {
    openPage();
    page->refreshGaugeButton()->click();
    page->operation().waitUntilEnded();
    page->left();  // every operation ended with the release sequence
    EXPECT_EQ(page->gaugeList()->topLevelItemCount(), 2);
}

}  // namespace
}  // namespace korvel

#include "file_transfer_page_test.moc"
