#pragma once
// The chart on paper and in files: the same drawing as on screen, on a white ground with every
// light colour turned dark, so that a printout does not empty the ink cartridge. Saves it as a
// PNG picture or a PDF page by the file's type.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

#include "dataview/chart/chart_model.h"

class QPainter;

namespace korvel {

// A saved picture holds this many pixels for every pixel of the chart on screen, and says so
// in its resolution, so that it prints at the chart's size at report quality.
inline constexpr int kGraphPictureScale = 3;

// The screen chart's model with a white ground and dark lines and texts.
ChartModel paperChart(const ChartModel& screen);

// The colour a line or text of this colour gets on white paper: dark enough to read,
// the hue kept (white becomes black).
ChartColour darkOnWhite(ChartColour colour);

enum class GraphFormat { Png, Pdf };

// The format the file name's type asks for (".png" or ".pdf", in any case), or none.
std::optional<GraphFormat> graphFormatOf(const QString& path);

// A picture of what the view shows as its graph (the chart, or the survey map): how it looks
// at its logical size, painted into any rectangle of any device.
struct GraphPicture {
    QSizeF logicalSize;
    std::function<void(QPainter&, const QRectF&)> paint;
};

// The chart of the model as it looks at logicalSize.
GraphPicture chartGraph(const ChartModel& model, const QSizeF& logicalSize);

// The picture as the bytes of a PNG of kGraphPictureScale times its size or of a one-page PDF
// of its proportions; empty when it could not be drawn.
QByteArray graphBytes(const GraphPicture& picture, GraphFormat format);

// The picture at its logical size, for the clipboard.
QImage graphImage(const GraphPicture& picture);

}  // namespace korvel
