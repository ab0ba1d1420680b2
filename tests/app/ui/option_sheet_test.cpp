#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/ui/about_box.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/korvel_page.h"
#include "app/ui/main_window.h"
#include "app/ui/option_sheet.h"
#include "dataview/dialog/data_view_dialog.h"
#include "pages/file_create_page.h"
#include "pages/file_transfer_page.h"
#include "pages/page_set.h"
#include "tests/support/modal_answer.h"
#include "tests/support/page_environment.h"

namespace korvel {
namespace {

QStringList tabTitles(const COptionSheet& sheet) {
    QStringList titles;
    for (int i = 0; i < sheet.pageCount(); ++i) {
        titles << sheet.page(i)->title();
    }
    return titles;
}

TEST(OptionSheetTest, TabsFollowThePageFlags) {
    struct Case {
        const char* appConfig;  // nullptr: no AppConfig.ini
        QStringList tabs;
    } cases[] = {
        {nullptr,
         {"Data File Transfer", "Software Upgrade", "Terminal", "Preferences", "File Merge",
          "File Create", "Inspection History"}},
        {"[CONFIG]\r\nShowFileTransferTabOnly=1\r\nUserVelocity=1\r\n",
         {"Data File Transfer", "User Velocity"}},
        {"[CONFIG]\r\nDataLogger=0\r\nShowFileTransferTabOnly=0\r\n",
         {"Software Upgrade", "Terminal", "Preferences"}},
        {"[CONFIG]\r\nDataLogger=2\r\nShowFileTransferTabOnly=2\r\nUserVelocity=1\r\n",
         {"User Velocity"}},
        {"[CONFIG]\r\nDataLogger=1\r\nUserVelocity=1\r\n",
         {"Data File Transfer", "Software Upgrade", "Terminal", "Preferences", "File Merge",
          "File Create", "Inspection History", "User Velocity"}},
        {"[CONFIG]\r\nInspectionHistory=0\r\n",
         {"Data File Transfer", "Software Upgrade", "Terminal", "Preferences", "File Merge",
          "File Create"}},
    };
    for (const Case& c : cases) {
        test::PageEnvironment environment;
        if (c.appConfig) {
            environment.write("work/AppConfig.ini", c.appConfig);
        }
        const PalimarApp& app = environment.start();
        COptionSheet sheet(app, createPageSet(environment.context()));
        EXPECT_EQ(tabTitles(sheet), c.tabs) << (c.appConfig ? c.appConfig : "no AppConfig.ini");
        EXPECT_EQ(sheet.currentPage(), sheet.page(0));
        EXPECT_TRUE(sheet.page(0)->isInitialised());
        EXPECT_EQ(sheet.noPagesNotice(), nullptr);
        // Every page object exists, shown or not, and only the first shown one is set up.
        const auto pages = sheet.findChildren<KorvelPage*>();
        EXPECT_EQ(pages.size(), 8);
        const auto initialised = std::count_if(pages.begin(), pages.end(),
                                               [](KorvelPage* p) { return p->isInitialised(); });
        EXPECT_EQ(initialised, 1);
    }
}

TEST(OptionSheetTest, NoEnabledPageShowsWhatToChange) {
    test::PageEnvironment environment;
    environment.write("work/AppConfig.ini", test::pageFlags(0, 1, 0));
    const PalimarApp& app = environment.start();
    COptionSheet sheet(app, createPageSet(environment.context()));
    EXPECT_EQ(sheet.pageCount(), 0);
    EXPECT_EQ(sheet.currentPage(), nullptr);
    ASSERT_NE(sheet.noPagesNotice(), nullptr);
    EXPECT_EQ(sheet.noPagesNotice()->text().toStdString(),
              "No page is enabled by the configuration. Set DataLogger=1 or UserVelocity=1, or "
              "ShowFileTransferTabOnly=0, in the [CONFIG] section of AppConfig.ini and start the "
              "program again.");
    EXPECT_TRUE(sheet.closeButton()->isEnabled());
    sheet.show();
    sheet.closeButton()->click();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST(OptionSheetTest, LanguageFileRenamesTabAndPageTitle) {
    test::PageEnvironment environment;
    environment.write("work/Language.ini",
                      "[Language]\r\nSupported=ENU,\r\n[Language Definition]\r\nENU=English\r\n"
                      "[ENU]\r\nIDD_DIALOG_TITLE_TERMINAL=Console\r\n");
    const PalimarApp& app = environment.start();
    COptionSheet sheet(app, createPageSet(environment.context()));
    ASSERT_GE(sheet.pageCount(), 3);
    EXPECT_EQ(sheet.page(2)->title(), "Console");
    EXPECT_EQ(sheet.page(2)->windowTitle(), "Console");
    EXPECT_EQ(sheet.page(1)->title(), "Software Upgrade");
}

TEST(OptionSheetTest, TitlesButtonsAndAboutBox) {
    test::PageEnvironment environment;
    environment.write("work/AppConfig.ini", "[CONFIG]\r\nAppTitle=Inspector\r\n");
    const PalimarApp& app = environment.start();
    COptionSheet sheet(app, createPageSet(environment.context()));
    EXPECT_EQ(sheet.windowTitle(), "Inspector - Version 3.7.3");
    EXPECT_EQ(sheet.closeButton()->text(), "C&lose");
    EXPECT_EQ(sheet.aboutButton()->text(), "&About PalimarApp...");
    EXPECT_TRUE(sheet.windowFlags() & Qt::WindowMinimizeButtonHint);
    // No Apply, Help or Cancel: the close button and the About button are the only buttons
    // outside the pages.
    int sheetButtons = 0;
    for (QPushButton* button : sheet.findChildren<QPushButton*>()) {
        sheetButtons += button->parent() == &sheet ? 1 : 0;
    }
    EXPECT_EQ(sheetButtons, 2);

    QString aboutText;
    QString aboutTitle;
    test::answerNextModal([&](QDialog* dialog) {
        aboutTitle = dialog->windowTitle();
        aboutText = dialog->findChild<QLabel*>("aboutText")->text();
        dialog->accept();
    });
    sheet.aboutButton()->click();
    EXPECT_EQ(aboutTitle, "About PalimarApp");
    EXPECT_EQ(aboutText, "File Transfer Application - Version 3.7.1");
}

TEST(OptionSheetTest, ChangingTabsLeavesOnePageAndActivatesTheOther) {
    test::PageEnvironment environment;
    const PalimarApp& app = environment.start();
    COptionSheet sheet(app, createPageSet(environment.context()));
    sheet.setCurrentPage(3);
    EXPECT_EQ(sheet.currentPage(), sheet.page(3));
    EXPECT_TRUE(sheet.page(3)->isInitialised());
    EXPECT_FALSE(sheet.page(4)->isInitialised());
}

TEST(OptionSheetTest, EnterAndEscapeInEveryTextBoxKeepTheSheetOpen) {
    test::PageEnvironment environment;
    environment.write("work/AppConfig.ini", test::pageFlags(1, 0, 1));
    const PalimarApp& app = environment.start();
    // Enter in the Terminal's command box writes the command: to no gauge, without a box. The
    // pages speak to this voice until the sheet is gone, so it is made before the sheet.
    SilentVoice silent;
    COptionSheet sheet(app, createPageSet(environment.context()));
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    int boxesTried = 0;
    for (int tab = sheet.pageCount() - 1; tab >= 0; --tab) {
        sheet.page(tab)->setVoice(&silent);
        sheet.setCurrentPage(tab);
        QApplication::processEvents();
        for (QLineEdit* box : sheet.page(tab)->findChildren<QLineEdit*>()) {
            if (!box->isVisible() || !box->isEnabled() || box->isReadOnly()) {
                continue;
            }
            box->setFocus();
            QTest::keyClicks(box, "12");
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(box, key);
                sheet.page(tab)->operation().waitUntilEnded();
                ASSERT_TRUE(sheet.isVisible()) << sheet.page(tab)->title().toStdString() << " "
                                               << box->objectName().toStdString() << " " << key;
            }
            ++boxesTried;
        }
    }
    EXPECT_GE(boxesTried, 8);  // folder boxes, merge name, create boxes, velocities, terminal
    EXPECT_FALSE(sheet.closeButton()->isDefault());

    QTest::mouseClick(sheet.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    sheet.show();
    sheet.close();  // the close box
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
}

TEST(MainWindowTest, RunsTheSheetOnceAndClosesWithIt) {
    test::PageEnvironment environment;
    environment.write("work/AppConfig.ini", "[CONFIG]\r\nAppTitle=Inspector\r\n");
    const PalimarApp& app = environment.start();
    int sheetsBuilt = 0;
    MainWindow window(app, [&] {
        ++sheetsBuilt;
        return createPageSet(environment.context());
    });
    EXPECT_EQ(window.windowTitle(), "Inspector - Version 3.7.3");
    EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_TRUE(window.sheetTimerActive());

    QString sheetTitle;
    QObject::connect(&window, &MainWindow::sheetOpened, [&](COptionSheet* sheet) {
        sheetTitle = sheet->windowTitle();
        test::answerNextModal([](QDialog* dialog) { dialog->reject(); });  // the close box
    });
    QSignalSpy closed(&window, &MainWindow::sheetClosed);
    window.show();
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_EQ(sheetsBuilt, 1);
    EXPECT_EQ(sheetTitle, "Inspector - Version 3.7.3");
    EXPECT_FALSE(window.sheetTimerActive());
    EXPECT_FALSE(window.isVisible());
}

// "New Survey from This..." in a data view of the transfer page fills File Create, which the
// sheet shows; without File Create in the sheet the entry is disabled.
TEST(OptionSheetTest, NewSurveyFromADataViewOpensFileCreateFilled) {
    for (const bool withCreate : {true, false}) {
        SCOPED_TRACE(withCreate);
        test::PageEnvironment environment;
        environment.write("work/AppConfig.ini", test::pageFlags(1, withCreate ? 0 : 1, 0));
        environment.write("docs/Korvel/data/TANK-2.CSV",
                          "Product:40-104,Version:v1.09A,\r\nFilename,Type,Version,AScan,Start "
                          "Col,Start Row,End Col,End Row,1st Inc,\r\nTANK-2.CSV,2D,1,ON,A,1,J,"
                          "16,COL,\r\n");
        const PalimarApp& app = environment.start();
        COptionSheet sheet(app, createPageSet(environment.context()));
        sheet.show();
        auto* transfer = qobject_cast<CFileTransferPage*>(sheet.page(0));
        ASSERT_NE(transfer, nullptr);
        transfer->openDataViewOf("TANK-2.CSV");
        const auto views = transfer->findChildren<DataViewDialog*>();
        ASSERT_EQ(views.size(), 1);
        EXPECT_EQ(views[0]->nextSurveyAction()->isEnabled(), withCreate);
        if (!withCreate) {
            continue;
        }
        views[0]->nextSurveyAction()->trigger();
        auto* create = qobject_cast<CFileCreatePage*>(sheet.currentPage());
        ASSERT_NE(create, nullptr);
        const CreateRequest request = create->request();
        EXPECT_EQ(request.fileName, "TANK-3");
        EXPECT_EQ(create->productList()->currentText(), "Color Precision Gage");
        EXPECT_EQ(request.type + request.saveMode, "2DTHK+ASCAN");
        EXPECT_EQ(request.startCol + request.endCol + request.startRow + request.endRow +
                      request.firstInc,
                  "AJ116COL");
        EXPECT_TRUE(create->box(CreateBox::StartCol)->isEnabled());
    }
}

}  // namespace
}  // namespace korvel
