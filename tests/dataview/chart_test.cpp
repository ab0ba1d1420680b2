// The chart: what it records of each draw, what it draws on screen, in a picture, on paper and
// on the clipboard.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "dataview/cctwx.h"
#include "dataview/chart_painter.h"
#include "dataview/chart_setup.h"

namespace korvel {
namespace {

int countColour(const QImage& image, QRgb colour, QRect* box = nullptr) {
    int count = 0;
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                ++count;
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    if (box != nullptr) {
        *box = bounds;
    }
    return count;
}

class ChartTest : public testing::Test {
  protected:
    void SetUp() override { chart.resize(572, 258); }

    // A filled area from 0 up to 50 over the whole width, in slot 19.
    void loadHalfArea() {
        chart.setSeriesFilled(19, true);
        chart.loadSeries(19, "Bar Data", {0, 0, 180, 180}, {0, 50, 50, 0}, 4);
        chart.setSeriesShown(19, true);
        chart.setSeriesColour(19, kChartGreen);
    }

    CCTWX chart;
};

TEST_F(ChartTest, RecordsEachDrawUpToItsRedraw) {
    chart.setAxisHigh(0, 180);
    chart.setSeriesShown(3, true);
    chart.redraw();
    chart.setTitle(0, "PIPE1.CSV - ID # 0001");
    chart.loadSeries(2, "Scatter Data", {41}, {-5}, 1);
    chart.redraw();

    const std::vector<ChartCall> expected = {
        {ChartOp::Title, 0, 0, "PIPE1.CSV - ID # 0001"},
        {ChartOp::LoadSeries, 2, 1, "Scatter Data"},
        {ChartOp::Redraw, 0, 0, ""},
    };
    EXPECT_EQ(chart.lastDrawCalls(), expected);
    EXPECT_EQ(chart.drawCount(), 2);
    EXPECT_EQ(chart.model().axes[0].high, 180);
    EXPECT_TRUE(chart.model().series.at(3).shown);
    EXPECT_EQ(chart.model().title, "PIPE1.CSV - ID # 0001");
}

TEST_F(ChartTest, LoadTakesNoMorePointsThanGivenOrAsked) {
    struct Case {
        std::vector<double> x, y;
        int count;
        std::size_t kept;
    };
    const Case cases[] = {
        {{1, 2, 3}, {4, 5, 6}, 2, 2}, {{1, 2, 3}, {4, 5, 6}, 10, 3}, {{1, 2, 3}, {4, 5}, 3, 2},
        {{1, 2, 3}, {4, 5, 6}, 0, 0}, {{1, 2, 3}, {4, 5, 6}, -7, 0},
    };
    for (const Case& c : cases) {
        chart.loadSeries(0, "Bar Data", c.x, c.y, c.count);
        EXPECT_EQ(chart.model().series.at(0).x.size(), c.kept) << c.count;
        EXPECT_EQ(chart.model().series.at(0).y.size(), c.kept) << c.count;
    }
}

TEST_F(ChartTest, AxisOutsideTheFourIsRecordedButChangesNothing) {
    const ChartModel before = chart.model();
    chart.setAxisHigh(4, 99);
    chart.setAxisHigh(-1, 99);
    chart.redraw();
    for (int axis = 0; axis < kAxisCount; ++axis) {
        EXPECT_EQ(chart.model().axes[axis].high, before.axes[axis].high);
    }
    EXPECT_EQ(chart.lastDrawCalls().size(), 3u);
}

TEST_F(ChartTest, DepthAxisRunsDownwardsInTheCrossSection) {
    loadHalfArea();
    applyAScanAxes(chart, "");
    QRect upright;
    ASSERT_GT(countColour(chart.picture(), qRgb(0, 255, 0), &upright), 1000);
    applyBScanAxes(chart, "");
    QRect reversed;
    ASSERT_GT(countColour(chart.picture(), qRgb(0, 255, 0), &reversed), 1000);

    const int middle = chart.height() / 2;
    EXPECT_GT(upright.center().y(), middle);   // 0..50 of -5..100: the lower half
    EXPECT_LT(reversed.center().y(), middle);  // 0..50 of 102..-5: the upper half
    EXPECT_NEAR(upright.height(), reversed.height(), 3);
}

TEST_F(ChartTest, HiddenSeriesAndPointsAreDrawnAsAsked) {
    loadHalfArea();
    applyAScanAxes(chart, "");
    chart.setSeriesShown(19, false);
    EXPECT_EQ(countColour(chart.picture(), qRgb(0, 255, 0)), 0);

    drawWhitePoint(chart, 10, 90, 50);
    chart.setAxisGrid(0, false);
    chart.setAxisGrid(1, false);
    chart.setAxisGrid(2, false);
    chart.setAxisGrid(3, false);
    const QImage picture = chart.picture();
    QRect point;
    countColour(picture, qRgb(255, 255, 255), &point);
    // Apart from the axes, the white point of size 5 stands in the middle of the plot.
    const QImage withoutPoint = [&] {
        chart.setSeriesShown(10, false);
        return chart.picture();
    }();
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != withoutPoint.pixel(x, y)) {
                ++differing;
                EXPECT_NEAR(x, picture.width() / 2, 6);
            }
        }
    }
    EXPECT_GE(differing, 12);
    EXPECT_LE(differing, 36);
}

TEST_F(ChartTest, TracesStayInsideThePlotAndEdgeMarkersShow) {
    const QRect plot = chartPlotRect(QSizeF(chart.size())).toAlignedRect();
    struct Case {
        bool crossSection;
        std::vector<double> x, y;
        SeriesStyle style;
    } cases[] = {
        // A waveform far below the -5 line and above 100, and beyond both ends.
        {false, {-30, 0, 60, 90, 120, 250}, {-80, -40, 150, -6, 300, 20}, SeriesStyle::Line},
        {true, {-30, 0, 60, 200}, {-80, 140, 50, -40}, SeriesStyle::Line},
        // The cross-section's current reading at x = 179 on the bottom line, and a marker.
        {true, {179}, {102}, SeriesStyle::Points},
        {false, {41}, {-5}, SeriesStyle::Points},
    };
    for (const Case& c : cases) {
        CCTWX view;
        view.resize(chart.size());
        c.crossSection ? applyBScanAxes(view, "12.0IN") : applyAScanAxes(view, "0.000");
        view.loadSeries(5, "Scatter Data", c.x, c.y, int(c.x.size()));
        view.setSeriesShown(5, true);
        view.setSeriesStyle(5, c.style);
        view.setSeriesColour(5, kChartOrange);
        view.setSeriesPointColour(5, kChartOrange);
        view.setSeriesLineWidth(5, 3);
        QRect drawn;
        const int pixels = countColour(view.picture(), qRgb(255, 165, 0), &drawn);
        EXPECT_GE(pixels, c.style == SeriesStyle::Points ? 12 : 100) << c.x.front();
        EXPECT_TRUE(plot.contains(drawn))
            << c.x.front() << " drawn " << drawn.x() << "," << drawn.y() << " " << drawn.width()
            << "x" << drawn.height();
    }
}

// Box of the yellowish (text is smoothed) pixels in the rows from top to bottom.
QRect yellowText(const QImage& image, int top, int bottom) {
    QRect box;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() > 150 && c.blue() < 60) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST_F(ChartTest, TitleIsDrawnInItsColourAndEndTitlesAtBothEnds) {
    applyAScanAxes(chart, "0.500" + std::string(75, ' ') + "2.500");
    chart.setTitle(0, "PIPE1.CSV - ID # 0001");
    chart.setTitleColour(0, kChartYellow);
    const QImage picture = chart.picture();
    const int height = picture.height();
    // The chart title stands centred at the top.
    const QRect title = yellowText(picture, 0, height / 8);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.center().x(), picture.width() / 2, 10);
    // The axis title's two ends reach from near the left edge to near the right edge.
    const QRect ends = yellowText(picture, height * 7 / 8, height);
    ASSERT_FALSE(ends.isEmpty());
    EXPECT_LT(ends.left(), picture.width() / 8);
    EXPECT_GT(ends.right(), picture.width() * 7 / 8);

    chart.setAxisTitle(0, "1.000IN" + std::string(76, ' '));
    const QRect left = yellowText(chart.picture(), height * 7 / 8, height);
    EXPECT_LT(left.right(), picture.width() / 4);
}

TEST_F(ChartTest, PrintsIntoAPdfAndCopiesAPicture) {
    loadHalfArea();
    applyAScanAxes(chart, "");
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("graph.pdf"));
    ASSERT_TRUE(chart.printChart(printer));
    QFile pdf(dir.filePath("graph.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_GT(pdf.size(), 1000);

    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(chart.copyToClipboard());
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), chart.size());
    EXPECT_EQ(countColour(copied, qRgb(0, 255, 0)), countColour(chart.picture(), qRgb(0, 255, 0)));
}

}  // namespace
}  // namespace korvel
