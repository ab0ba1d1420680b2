// The chart: its model, what the model looks like in a picture, and the widget that shows a
// model on screen, on paper and on the clipboard.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "dataview/chart/chart_painter.h"
#include "dataview/chart/chart_setup.h"
#include "dataview/chart/paper_chart.h"
#include "dataview/dialog/cctwx.h"

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
    // A filled area from 0 up to 50 over the whole width, in slot 19.
    void loadHalfArea() {
        loadSeries(chart, 19, "Bar Data", {0, 0, 180, 180}, {0, 50, 50, 0}, 4);
        ChartSeries& area = chart.series[19];
        area.filled = true;
        area.shown = true;
        area.colour = kChartGreen;
    }

    QImage picture() const { return graphImage(chartGraph(chart, kSize)); }

    static constexpr QSizeF kSize{572, 258};
    ChartModel chart;
};

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
        chart.series[0].colour = kChartRed;
        loadSeries(chart, 0, "Bar Data", c.x, c.y, c.count);
        EXPECT_EQ(chart.series.at(0).x.size(), c.kept) << c.count;
        EXPECT_EQ(chart.series.at(0).y.size(), c.kept) << c.count;
        EXPECT_EQ(chart.series.at(0).colour, kChartRed) << "a load keeps the looks";
    }
}

TEST_F(ChartTest, WidgetShowsTheModelItIsGiven) {
    CCTWX view;
    view.resize(kSize.toSize());
    loadHalfArea();
    applyAScanAxes(chart, "");
    view.redraw(chart);
    EXPECT_EQ(view.model(), chart);
    EXPECT_EQ(view.drawCount(), 1);
    EXPECT_EQ(view.picture(), picture());
    chart.series[19].shown = false;
    EXPECT_NE(view.picture(), picture()) << "the widget holds its own copy";
}

TEST_F(ChartTest, DepthAxisRunsDownwardsInTheCrossSection) {
    loadHalfArea();
    applyAScanAxes(chart, "");
    QRect upright;
    ASSERT_GT(countColour(picture(), qRgb(0, 255, 0), &upright), 1000);
    applyBScanAxes(chart, "", "", "");
    QRect reversed;
    ASSERT_GT(countColour(picture(), qRgb(0, 255, 0), &reversed), 1000);

    const int middle = int(kSize.height()) / 2;
    EXPECT_GT(upright.center().y(), middle);   // 0..50 of -5..100: the lower half
    EXPECT_LT(reversed.center().y(), middle);  // 0..50 of 102..-5: the upper half
    EXPECT_NEAR(upright.height(), reversed.height(), 3);
}

TEST_F(ChartTest, HiddenSeriesAndPointsAreDrawnAsAsked) {
    loadHalfArea();
    applyAScanAxes(chart, "");
    chart.series[19].shown = false;
    EXPECT_EQ(countColour(picture(), qRgb(0, 255, 0)), 0);

    drawWhitePoint(chart, 10, 90, 50);
    for (ChartAxis& axis : chart.axes) {
        axis.grid = false;
    }
    const QImage withPoint = picture();
    QRect point;
    countColour(withPoint, qRgb(255, 255, 255), &point);
    // Apart from the axes, the white point of size 5 stands in the middle of the plot.
    const QImage withoutPoint = [&] {
        chart.series[10].shown = false;
        return picture();
    }();
    int differing = 0;
    for (int y = 0; y < withPoint.height(); ++y) {
        for (int x = 0; x < withPoint.width(); ++x) {
            if (withPoint.pixel(x, y) != withoutPoint.pixel(x, y)) {
                ++differing;
                EXPECT_NEAR(x, withPoint.width() / 2, 6);
            }
        }
    }
    EXPECT_GE(differing, 12);
    EXPECT_LE(differing, 36);
}

TEST_F(ChartTest, TracesStayInsideThePlotAndEdgeMarkersShow) {
    const QRect plot = chartPlotRect(kSize).toAlignedRect();
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
        ChartModel model;
        c.crossSection ? applyBScanAxes(model, "12.0IN", "12.0", "IN")
                       : applyAScanAxes(model, "0.000");
        loadSeries(model, 5, "Scatter Data", c.x, c.y, int(c.x.size()));
        ChartSeries& series = model.series[5];
        series.shown = true;
        series.style = c.style;
        series.colour = kChartOrange;
        series.pointColour = kChartOrange;
        series.lineWidth = 3;
        QRect drawn;
        const int pixels =
            countColour(graphImage(chartGraph(model, kSize)), qRgb(255, 165, 0), &drawn);
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
    chart.title = "PIPE1.CSV - ID # 0001";
    chart.titleColour = kChartYellow;
    const QImage titled = picture();
    const int height = titled.height();
    // The chart title stands centred at the top.
    const QRect title = yellowText(titled, 0, height / 8);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.center().x(), titled.width() / 2, 10);
    // The axis title's two ends reach from near the left edge to near the right edge.
    const QRect ends = yellowText(titled, height * 7 / 8, height);
    ASSERT_FALSE(ends.isEmpty());
    EXPECT_LT(ends.left(), titled.width() / 8);
    EXPECT_GT(ends.right(), titled.width() * 7 / 8);

    chart.axes[kAxisBottom].title = "1.000IN" + std::string(76, ' ');
    const QRect left = yellowText(picture(), height * 7 / 8, height);
    EXPECT_LT(left.right(), titled.width() / 4);
}

TEST_F(ChartTest, PrintsIntoAPdfAndCopiesAPicture) {
    loadHalfArea();
    applyAScanAxes(chart, "");
    CCTWX view;
    view.resize(kSize.toSize());
    view.redraw(chart);
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("graph.pdf"));
    ASSERT_TRUE(view.printChart(printer));
    QFile pdf(dir.filePath("graph.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_GT(pdf.size(), 1000);

    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(view.copyToClipboard());
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), view.size());
    EXPECT_EQ(countColour(copied, qRgb(0, 255, 0)), countColour(picture(), qRgb(0, 255, 0)));
}

}  // namespace
}  // namespace korvel
