#include "dataview/chart/graph_drawer.h"

#include "datafile/number_text.h"
#include "dataview/chart/ascan_drawing.h"
#include "dataview/chart/chart_setup.h"
#include "dataview/chart/graph_title.h"
#include "dataview/readings/bscan_book.h"
#include "dataview/readings/reading_selection.h"
#include "dataview/readings/reading_table.h"
#include "dataview/readings/setup_and_note.h"

namespace korvel {
namespace {

constexpr int kBScanSeries[] = {9, 10, 11, 19, 20, 21};
constexpr int kProfileSlots[] = {kNormalProfileSeries, kAlarmProfileSeries, kWarningProfileSeries};
constexpr const char* kProfileNames[] = {"Bar Data", "Bar Data2", "Bar Data3"};
constexpr ChartColour kProfileColours[] = {kChartGreen, kChartRed, kChartYellow};
// The reading in view stands at this x once it lies this far into its segment.
constexpr int kLastWindowColumn = 179;

bool choosesBScanAtStart(const ReadingSelection& selection) {
    return isBScanOrZeroRow(selection.bscan) ||
           (selection.bscan == "OFF" && selection.ascan == "OFF");
}

const AScan* waveformOf(const GraphScene& scene) {
    if (!scene.selection.valid) {
        return nullptr;
    }
    const auto& ascan = scene.table.reading(scene.selection.row).ascan;
    return ascan ? &*ascan : nullptr;
}

}  // namespace

GraphDrawer::GraphDrawer() {
    prepareChart(chart_);
}

const ChartModel& GraphDrawer::draw(const GraphScene& scene, DisplayMode& mode) {
    const ReadingSelection& selection = scene.selection;
    for (int slot = kEnvelopeSeries; slot <= kEchoWindowSeries; ++slot) {
        chart_.series[slot].shown = false;
    }
    if (mode.initialSelection && choosesBScanAtStart(selection)) {
        mode.bscanChoice = true;
        mode.initialSelection = false;
    }
    bool drawn = false;
    mode.shown = ChartShown::Nothing;
    chart_.notice.clear();
    if (selection.bscan.empty() || selection.bscan == "OFF" || mode.ascanChoice) {
        const std::string& measMode =
            scene.setup.measMode.empty() ? selection.measMode : scene.setup.measMode;
        const AScan* waveform = waveformOf(scene);
        drawAScan(chart_, {waveform, selection.alarm, measMode});
        if (!waveform || waveform->max.values.empty()) {
            chart_.notice = scene.noWaveformText;
        }
        drawn = true;
        mode.shown = ChartShown::AScan;
    }
    if (drawnAtStop_) {
        hideBScan();
        drawnAtStop_ = false;
    }
    if (isBScanOrZeroRow(selection.bscan) && !mode.ascanChoice) {
        drawBScan(scene);
        drawn = true;
        mode.shown = ChartShown::BScan;
    }
    const std::string title = withDistance(
        graphTitle({scene.displayName, selection.id, drawn ? selection.thickness : std::string(),
                    scene.setup.units, isMinRow(selection.bscan)}),
        distanceFromZero(scene.book, selection.row, leadingDecimal(scene.setup.bsResolution)));
    chart_.title = title;
    chart_.titleColour = kChartYellow;
    return chart_;
}

void GraphDrawer::hideBScan() {
    for (int slot : kBScanSeries) {
        chart_.series[slot].shown = false;
    }
    profileShown_ = false;
}

void GraphDrawer::drawBScan(const GraphScene& scene) {
    applyBScanAxes(chart_, scene.setup.bsRange + scene.setup.units + std::string(76, ' '),
                   scene.setup.bsRange, scene.setup.units);
    for (int slot : kProfileSlots) {
        chart_.series[slot].filled = true;
    }
    const int current = scene.selection.row;
    const BScanSegment* segment = scene.book.segmentOf(current);
    if (segment == nullptr) {
        hideBScan();
        segmentStart_ = -1;
        return;
    }
    drawnAtStop_ = isSegmentStop(scene.selection.bscan);
    const int distance = current - segment->start;
    const int windowStart =
        distance < kLastWindowColumn ? segment->start : current - kLastWindowColumn;
    if (isSegmentStart(scene.selection.bscan) || !profileShown_ ||
        segment->start != segmentStart_ || windowStart != windowStart_) {
        profile_ = buildProfile(scene.table, windowStart, segment->stop,
                                leadingDecimal(scene.setup.bsRange));
        loadProfile();
    }
    drawWhitePoint(chart_, kBScanMarkerSeries, current - windowStart, 102.0);
    segmentStart_ = segment->start;
    windowStart_ = windowStart;
}

void GraphDrawer::loadProfile() {
    for (std::size_t i = 0; i < profile_.series.size(); ++i) {
        const ProfileSeries& series = profile_.series[i];
        const int slot = kProfileSlots[i];
        loadSeries(chart_, slot, kProfileNames[i], series.x, series.y, series.visibleCount());
        ChartSeries& shown = chart_.series[slot];
        shown.filled = true;
        shown.shown = true;
        shown.colour = kProfileColours[i];
        shown.style = SeriesStyle::Line;
    }
    profileShown_ = true;
    ++profileLoads_;
}

}  // namespace korvel
