// Printing and the clipboard: the rows' text, the graph's picture, the page and the printer
// that is not there.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "dataview/dialog/cctwx.h"
#include "dataview/readings/id_rows_text.h"
#include "tests/dataview/view_file_builder.h"

namespace korvel::test {
namespace {

std::string threeReadings() {
    ViewFileBuilder file;
    for (int i = 1; i <= 3; ++i) {
        Row row;
        row.id = "000" + std::to_string(i);
        row.thickness = "0." + std::to_string(4 - i) + "00";
        file.reading(row);
    }
    return file.text();
}

void selectRows(DataViewDialog& view, const std::vector<int>& rows) {
    auto* selection = view.readingsList()->selectionModel();
    selection->clearSelection();
    for (int row : rows) {
        selection->select(view.readingsList()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

std::string clipboardText() {
    return QGuiApplication::clipboard()->text().toLatin1().toStdString();
}

class OutputTest : public testing::Test {
  protected:
    std::unique_ptr<QPrinter> pdfPrinter(const QString& name) {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(fixture.folder()) + "/" + name);
        return printer;
    }

    ViewFixture fixture;
};

TEST_F(OutputTest, CopyIdRowsPutsTheSelectedRowsAsText) {
    auto& view = fixture.openText(threeReadings());
    const std::string row1 = "0001,0.300,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,";
    const std::string row3 = "0003,0.100,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,";
    struct Case {
        std::vector<int> rows;
        std::string text;
    };
    const Case cases[] = {
        {{0}, row1},
        {{2, 0}, row1 + "\r\n" + row3},
        {{}, ""},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText("before");
        selectRows(view, c.rows);
        view.copyIdRows();
        EXPECT_EQ(clipboardText(), c.text);
    }
}

TEST_F(OutputTest, CopyIdRowsOfASortedListFollowsTheDisplayedOrder) {
    auto& view = fixture.openText(threeReadings());
    view.sortByColumn(1);  // by thickness, ascending: 0003, 0002, 0001
    selectRows(view, {0, 1});
    view.copyIdRows();
    const std::string text = clipboardText();
    EXPECT_EQ(text.substr(0, 5), "0003,");
    EXPECT_EQ(text.substr(text.find("\r\n") + 2, 5), "0002,");
}

TEST_F(OutputTest, CopyIdRowsOfAnEmptyTableLeavesTheClipboard) {
    auto& view = fixture.openText(ViewFileBuilder().readingCount(0).text());
    QGuiApplication::clipboard()->setText("kept");
    view.copyIdRows();
    EXPECT_EQ(clipboardText(), "kept");
}

TEST_F(OutputTest, IdRowsTextSkipsRowsOutsideTheTableAndRepeats) {
    auto& view = fixture.openText(threeReadings());
    EXPECT_EQ(idRowsText(view.table(), {1, 1, 7, -1}),
              "0002,0.200,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,");
}

TEST_F(OutputTest, CopyGraphPutsThePictureOfTheChartOnTheClipboard) {
    auto& view = fixture.openText(threeReadings());
    QGuiApplication::clipboard()->clear();
    view.copyGraph();
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), view.chart()->size());
}

TEST_F(OutputTest, PrintPageAndPrintGraphWriteOnePageEach) {
    auto& view = fixture.openText(threeReadings());
    view.setPrinterSource([&] { return pdfPrinter("page.pdf"); });
    view.printPage();
    view.setPrinterSource([&] { return pdfPrinter("graph.pdf"); });
    view.printGraph();
    EXPECT_TRUE(fixture.voice.said.empty());
    for (const char* name : {"page.pdf", "graph.pdf"}) {
        QFile pdf(QString::fromStdString(fixture.folder()) + "/" + name);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = pdf.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF")) << name;
        EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1) << name;
    }
}

TEST_F(OutputTest, NoDefaultPrinterIsToldInsteadOfPassedOverSilently) {
    auto& view = fixture.openText(threeReadings());
    view.setPrinterSource([] { return nullptr; });
    view.printPage();
    view.printGraph();
    const Said expected{MessageKind::Error,
                        "No default printer is set up. Set up a printer and make it the default, "
                        "then print again. Without a printer, Report > Save Graph saves the graph "
                        "as a PNG or PDF file and Report > Save Report as PDF saves the inspection "
                        "report."};
    EXPECT_EQ(fixture.voice.said, (std::vector<Said>{expected, expected}));
}

TEST_F(OutputTest, PrinterThatRefusesThePageIsTold) {
    auto& view = fixture.openText(threeReadings());
    view.setPrinterSource([&] { return pdfPrinter("no/such/folder/page.pdf"); });
    view.printPage();
    view.printGraph();
    const Said expected{MessageKind::Error,
                        "The printer did not accept the page. Check the printer and print again."};
    EXPECT_EQ(fixture.voice.said, (std::vector<Said>{expected, expected}));
}

TEST_F(OutputTest, CloseButtonClosesTheViewAndDeletesIt) {
    auto* view = new DataViewDialog(fixture.write("C.CSV", threeReadings()), fixture.texts, nullptr,
                                    &fixture.voice);
    QPointer<DataViewDialog> guard(view);
    view->show();
    QPushButton* close = nullptr;
    for (QPushButton* button : view->findChildren<QPushButton*>()) {
        close = button->text() == "&Close" ? button : close;
    }
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

}  // namespace
}  // namespace korvel::test
