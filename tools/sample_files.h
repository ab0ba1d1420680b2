#pragma once
// Realistic gauge-style data files for the tests, the benchmarks and the demo. Every file is a
// valid data file; the same seed always gives the same bytes.

#include <string>
#include <vector>

#include "datafile/data_file.h"

namespace korvel::samples {

struct SampleFile {
    std::string name;
    std::string bytes;
};

// LINEAR readings, each with an A-scan.
DataFile linearWithAscans(const std::string& name, int readings, unsigned seed);
// A 2D grid; firstInc "ROW" stores it column by column, "COL" row by row.
DataFile grid2D(const std::string& name, int columns, int rows, const std::string& firstInc,
                unsigned seed);
// A 3D layout and a BOILER layout with the gauge's own location codes.
DataFile tank3D(const std::string& name, unsigned seed);
DataFile boiler(const std::string& name, unsigned seed);
// LINEAR runs of B-scan rows: START, BODY, BODY ZERO, MIN rows and STOP.
DataFile bscanRuns(const std::string& name, unsigned seed);
// The largest files the limits allow: 5000 readings without A-scans; 160 with.
DataFile largestThicknessOnly(const std::string& name, unsigned seed);
DataFile largestWithAscans(const std::string& name, unsigned seed);
// A 2D grid survey of a tank wall (A1 to P12) after `age` years of corrosion, saved on the
// date given; two ages give a survey and an earlier survey of the same layout, three a history
// of the tank.
DataFile tankSurvey(const std::string& name, int age, const std::string& lastSaved, unsigned seed);
// A grid file for merging: heading line ",first,...,last," and rows R001 ... keyed alike.
std::string mergeGrid(int firstColumn, int columns, int rows, unsigned seed);

// The whole sample set, names upper case.
std::vector<SampleFile> sampleSet();

// Writes the sample set into the folder (made when missing); false when a file fails.
bool writeSampleSet(const std::string& folder, std::string* error = nullptr);

}  // namespace korvel::samples
