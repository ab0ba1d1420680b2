#include "dataview/chart/paper_chart.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "dataview/chart/chart_painter.h"

namespace korvel {
namespace {

// The darkest channel value a colour on paper may keep as its brightest one.
constexpr double kPaperBrightness = 0.55;
constexpr double kScreenDotsPerInch = 96.0;
constexpr double kInchesPerMetre = 1.0 / 0.0254;
constexpr int kPdfResolution = 300;

bool writePng(const GraphPicture& picture, QBuffer& file) {
    const QSize pixels = (picture.logicalSize * kGraphPictureScale).toSize();
    QImage image(pixels, QImage::Format_RGB32);
    const int dotsPerMetre =
        static_cast<int>(kScreenDotsPerInch * kGraphPictureScale * kInchesPerMetre + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    picture.paint(painter, QRectF(image.rect()));
    painter.end();
    return image.save(&file, "PNG");
}

bool writePdf(const GraphPicture& picture, QBuffer& file) {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    const QSizeF points = picture.logicalSize * (72.0 / kScreenDotsPerInch);
    writer.setPageSize(QPageSize(points, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    picture.paint(painter, QRectF(QPointF(0, 0), QSizeF(page.size())));
    return painter.end();
}

}  // namespace

ChartColour darkOnWhite(ChartColour colour) {
    const int red = (colour >> 16) & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = colour & 0xFF;
    const int brightest = std::max({red, green, blue});
    const int limit = static_cast<int>(255 * kPaperBrightness);
    if (brightest <= limit) {
        return colour;
    }
    if (red == green && green == blue) {
        return kChartBlack;
    }
    auto scaled = [&](int channel) {
        return static_cast<ChartColour>(channel * limit / brightest);
    };
    return (scaled(red) << 16) | (scaled(green) << 8) | scaled(blue);
}

ChartModel paperChart(const ChartModel& screen) {
    ChartModel paper = screen;
    paper.background = kChartWhite;
    paper.titleColour = darkOnWhite(screen.titleColour);
    for (ChartAxis& axis : paper.axes) {
        axis.gridColour = darkOnWhite(axis.gridColour);
        axis.textColour = darkOnWhite(axis.textColour);
        axis.titleColour = darkOnWhite(axis.titleColour);
    }
    for (auto& [slot, series] : paper.series) {
        series.colour = darkOnWhite(series.colour);
        series.pointColour = darkOnWhite(series.pointColour);
    }
    return paper;
}

std::optional<GraphFormat> graphFormatOf(const QString& path) {
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        return GraphFormat::Png;
    }
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        return GraphFormat::Pdf;
    }
    return std::nullopt;
}

GraphPicture chartGraph(const ChartModel& model, const QSizeF& logicalSize) {
    return {logicalSize, [model, logicalSize](QPainter& painter, const QRectF& target) {
                paintChart(painter, target, logicalSize, model);
            }};
}

QByteArray graphBytes(const GraphPicture& picture, GraphFormat format) {
    if (picture.logicalSize.isEmpty()) {
        return {};
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool drawn =
        format == GraphFormat::Png ? writePng(picture, buffer) : writePdf(picture, buffer);
    return drawn ? buffer.data() : QByteArray();
}

QImage graphImage(const GraphPicture& picture) {
    QImage image(picture.logicalSize.toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    picture.paint(painter, QRectF(image.rect()));
    return image;
}

}  // namespace korvel
