#pragma once
// The chart on paper and in files: the same drawing as on screen, on a white ground with every
// light colour turned dark, so that a printout does not empty the ink cartridge. Saves it as a
// PNG picture or a PDF page by the file's type.

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <optional>

#include "dataview/chart_model.h"

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

// The chart, as it looks at logicalSize, as the bytes of a PNG of kGraphPictureScale times its
// size or of a one-page PDF of the chart's proportions; empty when it could not be drawn.
QByteArray graphBytes(const ChartModel& model, const QSizeF& logicalSize, GraphFormat format);

}  // namespace korvel
