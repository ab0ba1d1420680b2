#include <gtest/gtest.h>

#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
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
#include "pages/file_transfer_page.h"
#include "tests/support/modal_answer.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"
#include "tests/support/simulated_gauge_setup.h"
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

TEST_F(FileTransferPageTest, ListsTheFolderWithTypesInNameOrder) {
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
    EXPECT_EQ(names(page->pcList()),
              (QStringList{"GRID.csv", "NOTES.TXT", "PIPE1.CSV", "SUB", "TYPEFIRST.CSV"}));
    EXPECT_EQ(page->pcList()->typeAt(4), "");  // "Type" in the first column does not count
    EXPECT_EQ(page->pcList()->typeAt(3), "");  // a folder
    EXPECT_EQ(page->pcList()->typeAt(2), "LINEAR");
    EXPECT_EQ(page->pcList()->typeAt(1), "");  // only .CSV files are opened
    EXPECT_EQ(page->pcList()->typeAt(0), "2D");
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

// The buttons a row gives: Data View, Export, to gauge, Import.
const std::map<QString, std::vector<bool>> kButtonsOfRow = {
    {"A.CSV", {true, true, true, false}},
    {"B.CSV", {false, false, true, false}},  // a setup file goes to the gauge, is not viewed
    {"C.dat", {false, false, false, true}},
    {"D.DAT", {false, false, false, true}},
    {"E.CSV", {false, false, false, false}},  // no header, no type
    {"KQ77-DEMO.bin", {false, false, false, false}},
};

TEST_F(FileTransferPageTest, ButtonRulesOnClickAndOnKeysAlike) {
    for (const auto& [name, buttons] : kButtonsOfRow) {
        put(name.toStdString(), name == "A.CSV"   ? dataFile("A.CSV", "LINEAR")
                                : name == "B.CSV" ? dataFile("B.CSV", "SETUP")
                                                  : std::string("FILE NAME: X\r\n"));
    }
    openPage();
    FileListView* list = page->pcList();
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QString name = list->nameAt(row);
        click(list, row);
        EXPECT_EQ(fileButtons(), kButtonsOfRow.at(name)) << name.toStdString() << " clicked";
        // Reached with the Down key from the row above it, or the Up key from the one below.
        click(list, row > 0 ? row - 1 : row + 1);
        QTest::keyClick(list, row > 0 ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(fileButtons(), kButtonsOfRow.at(name)) << name.toStdString() << " by keys";
        EXPECT_EQ(list->selectedRows(), QList<int>{row});
    }
    // A click beside the rows clears the selection and the buttons.
    list->clearSelection();
    page->applyPcClickRule();
    EXPECT_EQ(fileButtons(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(FileTransferPageTest, RulesFollowTheRowTheListMovedTo) {
    for (const char* name : {"A.CSV", "B.CSV", "KQ77-DEMO.bin", "D.DAT"}) {
        put(name, std::string(name) == "A.CSV"   ? dataFile("A.CSV", "LINEAR")
                  : std::string(name) == "B.CSV" ? dataFile("B.CSV", "SETUP")
                                                 : std::string("FILE NAME: D\r\n"));
    }
    openPage();
    FileListView* list = page->pcList();
    // Type-ahead searches the column clicked last: click on the name.
    const QRect nameCell = list->visualRect(list->model()->index(rowNamed(list, "A.CSV"), 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, nameCell.center());
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* selected;  // "": none
    } steps[] = {
        {'k', Qt::NoModifier, "KQ77-DEMO.bin"},  // type-ahead
        {Qt::Key_Home, Qt::NoModifier, "A.CSV"},  {Qt::Key_End, Qt::NoModifier, "KQ77-DEMO.bin"},
        {Qt::Key_Up, Qt::NoModifier, "D.DAT"},    {Qt::Key_Up, Qt::NoModifier, "B.CSV"},
        {Qt::Key_Space, Qt::ControlModifier, ""},  // the focused row loses its selection
        {Qt::Key_Space, Qt::NoModifier, "B.CSV"},  // and Space selects it again
    };
    for (const Step& step : steps) {
        if (step.key < 0x80) {
            QTest::keyClick(list, static_cast<char>(step.key), step.modifiers);
        } else {
            QTest::keyClick(list, static_cast<Qt::Key>(step.key), step.modifiers);
        }
        const int row = list->selectedRow();
        EXPECT_EQ(row < 0 ? QString() : list->nameAt(row), step.selected) << step.key;
        const auto expected = row < 0 ? std::vector<bool>{false, false, false, false}
                                      : kButtonsOfRow.at(list->nameAt(row));
        EXPECT_EQ(fileButtons(), expected) << step.key << " " << row;
    }
}

TEST_F(FileTransferPageTest, SortsByAnyColumnKeepingTheSelection) {
    put("B.CSV", dataFile("B.CSV", "2D"));
    put("a.CSV", dataFile("a.CSV", "LINEAR"));
    put("C.CSV", dataFile("C.CSV", "3D"));
    // As text "01/05/2024 01:00 PM" would come before "01/05/2024 11:00 AM" and "12/01/2023".
    const std::pair<const char*, QDateTime> times[] = {
        {"a.CSV", QDateTime(QDate(2023, 12, 1), QTime(9, 0))},
        {"B.CSV", QDateTime(QDate(2024, 1, 5), QTime(11, 0))},
        {"C.CSV", QDateTime(QDate(2024, 1, 5), QTime(13, 0))}};
    for (const auto& [name, time] : times) {
        QFile file(QString::fromStdString(folder + "/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
    openPage();
    FileListView* list = page->pcList();
    EXPECT_EQ(names(list), (QStringList{"a.CSV", "B.CSV", "C.CSV"}));  // by name at first
    click(list, rowNamed(list, "B.CSV"));
    const struct {
        int column;
        Qt::SortOrder order;
        QStringList names;
    } sorts[] = {
        {FileListView::TypeColumn, Qt::AscendingOrder, {"B.CSV", "C.CSV", "a.CSV"}},
        {FileListView::ModifiedColumn, Qt::AscendingOrder, {"a.CSV", "B.CSV", "C.CSV"}},
        {FileListView::ModifiedColumn, Qt::DescendingOrder, {"C.CSV", "B.CSV", "a.CSV"}},
        {FileListView::NameColumn, Qt::DescendingOrder, {"C.CSV", "B.CSV", "a.CSV"}},
    };
    for (const auto& sort : sorts) {
        list->sortByColumn(sort.column, sort.order);
        EXPECT_EQ(names(list), sort.names) << sort.column;
        EXPECT_EQ(list->selectedRows(), QList<int>{rowNamed(list, "B.CSV")});
        EXPECT_EQ(fileButtons(), kButtonsOfRow.at("A.CSV"));
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

TEST_F(FileTransferPageTest, DataViewsAreModelessOnePerPressAndDoubleClick) {
    put("A.CSV", dataFile("A.CSV", "LINEAR"));
    put("B.TXT", "notes\r\n");
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

    // A data file opens in a third view, any other file with the desktop's program.
    DesktopRecorder desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    for (int row : {1, 0}) {
        click(page->pcList(), row);
        const QRect rect = page->pcList()->visualItemRect(page->pcList()->topLevelItem(row));
        QTest::mouseDClick(page->pcList()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(page->findChildren<DataViewDialog*>().size(), 3);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0].toLocalFile().toStdString(), folder + "/B.TXT");
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
    EXPECT_EQ(names(page->gaugeList()), (QStringList{"GRID7.CSV", "PIPE1.CSV"}));
    EXPECT_EQ(page->gaugeList()->typeAt(0), "CSV");
    EXPECT_EQ(voice.status, "Gage directory file list refresh complete");
    EXPECT_TRUE(voice.said.empty());

    // From the gauge: the file lands in the PC folder and the PC list shows it. The keys
    // select as a click does.
    EXPECT_FALSE(page->fromGaugeButton()->isEnabled());
    selectGaugeRow("GRID7.CSV");
    QTest::keyClick(page->gaugeList(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(page->fromGaugeButton()->isEnabled());
    QTest::keyClick(page->gaugeList(), Qt::Key_Down);
    EXPECT_EQ(page->gaugeList()->selectedRows(), QList<int>{1});
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
    // The PC file stays selected, and so the button that sends it stays enabled.
    EXPECT_EQ(page->pcList()->selectedRows(), QList<int>{rowNamed(page->pcList(), "NEW-2.CSV")});
    EXPECT_TRUE(page->toGaugeButton()->isEnabled());
    EXPECT_FALSE(page->fromGaugeButton()->isEnabled());
    // The gauge list is taken again after the upload, leaving the status as the batch left it.
    EXPECT_EQ(names(page->gaugeList()), (QStringList{"GRID7.CSV", "NEW-2.CSV", "PIPE1.CSV"}));

    // A file the gauge list shows is replaced only after Yes: No keeps the gauge's file.
    put("PIPE1.CSV", dataFile("PIPE1.CSV", "2D"));
    page->RefreshPcFileList();
    click(page->pcList(), rowNamed(page->pcList(), "PIPE1.CSV"));
    voice.answers = {false};
    page->toGaugeButton()->click();
    page->operation().waitUntilEnded();
    ASSERT_EQ(voice.said.size(), 2u);
    EXPECT_EQ(voice.said[1],
              (test::Said{MessageKind::Question,
                          "File already exists. Do you want to overwrite?\n\nPIPE1.CSV"}));
    EXPECT_EQ(environment.read("gauge/PIPE1.CSV"), dataFile("PIPE1.CSV", "LINEAR"));
    EXPECT_EQ(voice.status, "The file PIPE1.CSV was kept as it was; it was not transferred.");
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
