#pragma once
// Draws the selected reading into a chart model: its waveform (A-scan) or the cross-section of
// the segment it belongs to (B-scan), and the title. Keeps the model between draws and
// remembers which part of which segment it holds, so that moving within it only moves the
// marker. The data view paints the model on screen; the report paints it on paper.

#include <string>

#include "dataview/chart/bscan_profile.h"
#include "dataview/chart/chart_model.h"

namespace korvel {

class ReadingTable;
struct BScanBook;
struct ReadingSelection;
struct SetupValues;

enum class ChartShown { Nothing, AScan, BScan };

struct DisplayMode {
    bool ascanChoice = false;
    bool bscanChoice = false;
    bool initialSelection = false;           // on while the first reading after loading is shown
    ChartShown shown = ChartShown::Nothing;  // what the last draw put in the chart
};

struct GraphScene {
    const ReadingTable& table;
    const BScanBook& book;
    const ReadingSelection& selection;
    const SetupValues& setup;
    const std::string& displayName;
    // Said across an A-scan without a waveform (the window's words; none in the report).
    std::string noWaveformText = {};
};

class GraphDrawer {
  public:
    GraphDrawer();

    // Draws the scene into the model and returns it.
    const ChartModel& draw(const GraphScene& scene, DisplayMode& mode);
    const ChartModel& model() const { return chart_; }

    // The profile the chart holds (for tests and the benchmarks).
    const BScanProfile& profile() const { return profile_; }
    // How many times the profile series were sent to the chart.
    int profileLoads() const { return profileLoads_; }

  private:
    void drawBScan(const GraphScene& scene);
    void hideBScan();
    void loadProfile();

    ChartModel chart_;
    BScanProfile profile_;
    bool profileShown_ = false;
    int segmentStart_ = -1;  // the segment the chart holds
    int windowStart_ = -1;   // its first reading in the chart
    bool drawnAtStop_ = false;
    int profileLoads_ = 0;
};

}  // namespace korvel
