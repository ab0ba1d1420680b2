// The readings header: the sort mark's triangles and the caption's room.

#include <gtest/gtest.h>

#include <QStandardItemModel>
#include <QTableView>

#include "dataview/dialog/list_header_ctrl.h"

namespace korvel {
namespace {

class ListHeaderTest : public testing::Test {
  protected:
    void SetUp() override {
        model.setHorizontalHeaderLabels({"ID", "Thickness", "Units"});
        model.appendRow(
            {new QStandardItem("0001"), new QStandardItem("0.254"), new QStandardItem("IN")});
        view.setHorizontalHeader(header);
        view.setModel(&model);
        view.resize(400, 200);
        view.setColumnWidth(0, 120);
        view.setColumnWidth(1, 120);
        view.setColumnWidth(2, 120);
        view.show();
    }

    // Rows of the section's right part that hold the mark's shadow colour: (first, last) pixel
    // columns of the topmost and the bottommost such row.
    struct Mark {
        int pixels = 0;
        int topWidth = 0;
        int bottomWidth = 0;
    };
    Mark markIn(int section) {
        const QImage image = header->grab().toImage();
        const int left = header->sectionViewportPosition(section);
        const int right = left + header->sectionSize(section);
        const int s = header->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        const QRgb light = header->palette().color(QPalette::Light).rgb();
        const QRgb dark = header->palette().color(QPalette::Dark).rgb();
        Mark mark;
        int top = -1, bottom = -1;
        std::vector<int> widths(std::size_t(image.height()), 0);
        for (int y = 0; y < image.height(); ++y) {
            int first = -1, last = -1;
            for (int x = right - 6 * s; x < right - 2 * s; ++x) {
                const QRgb p = image.pixel(x, y);
                if (p == light || p == dark) {
                    ++mark.pixels;
                    first = first < 0 ? x : first;
                    last = x;
                }
            }
            if (first >= 0) {
                widths[std::size_t(y)] = last - first + 1;
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        if (top >= 0) {
            mark.topWidth = widths[std::size_t(top)];
            mark.bottomWidth = widths[std::size_t(bottom)];
        }
        return mark;
    }

    QStandardItemModel model;
    QTableView view;
    CListHeaderCtrl* header = new CListHeaderCtrl;
};

TEST_F(ListHeaderTest, StoresTheMarkAndReturnsThePreviousColumn) {
    EXPECT_EQ(header->sortColumn(), -1);
    EXPECT_EQ(header->setSortMark(0, false), -1);
    EXPECT_EQ(header->setSortMark(2, true), 0);
    EXPECT_EQ(header->sortColumn(), 2);
    EXPECT_TRUE(header->ascending());
}

TEST_F(ListHeaderTest, TrianglePointsUpAscendingAndDownDescending) {
    ASSERT_NE(header->palette().color(QPalette::Light), header->palette().color(QPalette::Button));
    header->setSortMark(1, true);
    const Mark up = markIn(1);
    ASSERT_GT(up.pixels, 5);
    EXPECT_LT(up.topWidth, up.bottomWidth);
    EXPECT_EQ(markIn(0).pixels, 0);

    header->setSortMark(1, false);
    const Mark down = markIn(1);
    ASSERT_GT(down.pixels, 5);
    EXPECT_GT(down.topWidth, down.bottomWidth);
}

TEST_F(ListHeaderTest, CaptionLeavesRoomForTheMarkAndVanishesWhenNothingFits) {
    header->setSortMark(1, true);
    const int s = header->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const QRect section(0, 0, 120, 24);
    EXPECT_EQ(header->captionRect(section, 0, false),
              QRect(QPoint(2 * s, 0), QPoint(119 - 2 * s, 23)));
    EXPECT_EQ(header->captionRect(section, 1, false).right(), 119 - 8 * s);
    EXPECT_EQ(header->captionRect(section, 0, true).topLeft(), QPoint(2 * s + 1, 2));
    EXPECT_TRUE(header->captionRect(QRect(0, 0, 9 * s, 24), 1, false).isEmpty());

    // A column too narrow for its caption still shows the mark.
    view.setColumnWidth(1, 10 * s);
    EXPECT_GT(markIn(1).pixels, 5);
}

}  // namespace
}  // namespace korvel
