#include "tools/sample_files.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "app/folder_chain.h"
#include "app/platform.h"
#include "app/safe_file.h"
#include "datafile/data_file_writer.h"
#include "datafile/field_split.h"
#include "datafile/letter_code.h"
#include "datafile/number_text.h"
#include "datafile/text_report_writer.h"

namespace korvel::samples {

namespace {

constexpr int kTraceLength = 180;

// Portable across standard libraries: raw engine output, our own scaling.
class Random {
  public:
    explicit Random(unsigned seed) : engine_(seed) {}
    double uniform() { return static_cast<double>(engine_()) / 4294967296.0; }
    double between(double low, double high) { return low + (high - low) * uniform(); }
    int below(int count) { return static_cast<int>(uniform() * count); }
    bool chance(double probability) { return uniform() < probability; }

  private:
    std::mt19937 engine_;
};

const char* const kSetupColumns[] = {
    "Setup #",  "Units",         "Velocity", "Diff Ref",   "Low Alarm", "High Alarm", "Alarm %",
    "BS Range", "BS Resolution", "Gain",     "Transducer", "MB_Blank",  "IF_Blank",   "Meas Mode"};

struct Header {
    std::vector<std::pair<std::string, std::string>> columns;
};

DataFile startFile(const std::string& product, const Header& header) {
    DataFile file;
    file.hasProductLine = !product.empty();
    file.product = product.empty() ? std::string(kUnnamedProduct) : product;
    file.productVersion = std::string(kFormatVersion);
    for (const auto& [name, value] : header.columns) {
        file.headerNames.push_back(name);
        file.headerValues.push_back(value);
    }
    file.readingColumns = splitFields(kReadingColumnLine);
    file.setupColumns.assign(std::begin(kSetupColumns), std::end(kSetupColumns));
    file.setups = {
        {"1", "IN", "0.2330", "0.500", "0.170", "0.300", "20", "1.000", "0.010", "61", "D790",
         "0.050", "0.000", "STD"},
        {"2", "IN", "0.2330", "0.250", "0.150", "0.400", "10", "0.500", "0.005", "55", "D798",
         "0.040", "0.000", "E TO E"},
        {"3", "IN", "0.1280", "0.500", "0.080", "0.600", "20", "2.000", "0.020", "64", "D791",
         "0.060", "0.010", "C1"},
        {"4", "IN", "0.2330", "0.500", "0.170", "0.300", "20", "1.000", "0.010", "58", "D798",
         "0.040", "0.010", "C2"},
        {"5", "IN", "0.2330", "0.500", "0.170", "0.300", "20", "1.000", "0.010", "58", "D798",
         "0.040", "0.010", "C3"},
    };
    file.noteColumns = {"Note #", "Line1", "Line2", "Line3"};
    file.notes = {{"1", "Heavy scale", "cleaned with wire brush", ""},
                  {"2", "Near weld seam", "", ""},
                  {"3", "Pitting", "depth checked with pit gauge", "recheck next outage"}};
    return file;
}

void finishCounts(DataFile& file) {
    file.setHeaderValue("# ID", std::to_string(file.readings.size()));
    file.setHeaderValue("# Setup", std::to_string(file.setups.size()));
    file.setHeaderValue("# Notes", std::to_string(file.notes.size()));
}

Header commonHeader(const std::string& name, const std::string& type, bool ascan) {
    return {
        {{"Filename", name}, {"Type", type}, {"Version", "1"}, {"AScan", ascan ? "ON" : "OFF"}}};
}

void addDates(Header& header) {
    header.columns.push_back({"# ID", "0"});
    header.columns.push_back({"# Setup", "0"});
    header.columns.push_back({"# Notes", "0"});
    header.columns.push_back({"Created", "11/18/2026 08:42 AM"});
    header.columns.push_back({"Last Saved", "11/19/2026 03:17 PM"});
}

std::string alarmFor(double thickness) {
    if (thickness < 0.170) {
        return "LOW";
    }
    if (thickness < 0.190) {
        return "LOW WARNING";
    }
    if (thickness > 0.300) {
        return "HIGH";
    }
    return thickness > 0.290 ? "HIGH WARNING" : "OFF";
}

// A wall of nominal thickness with slow corrosion and the odd missing reading.
std::string thicknessText(double thickness) {
    return fixedDecimals(thickness, 3);
}

Reading reading(const std::string& id, double thickness, bool missing, Random& random,
                const std::string& bscan = "OFF", bool ascan = false) {
    const int setup = 1 + (random.chance(0.1) ? 1 : 0);
    const std::string note = random.chance(0.05) ? std::to_string(1 + random.below(3)) : "0";
    return {
        {id, missing ? "--.---" : thicknessText(thickness), "IN",
         missing ? "OFF" : alarmFor(thickness), "OFF", random.chance(0.1) ? "HIGH" : "STD", "OFF",
         note, std::to_string(setup), setup == 2 ? "E TO E" : "STD", bscan, ascan ? "ON" : "OFF"},
        std::nullopt};
}

double wallAt(double position, Random& random) {
    return 0.25 + 0.05 * std::sin(position * 0.7) - 0.04 * std::exp(-std::pow(position - 6.0, 2)) +
           random.between(-0.004, 0.004);
}

// Initial pulse, back-wall echoes every 2 * thickness / velocity, decaying, with noise; the
// maximum trace holds the positive peaks, the minimum trace the negative ones.
AScan waveform(double thickness, Random& random) {
    AScan ascan;
    const double range = 1.0;  // inches shown across the trace
    const double echoSpacing = thickness / range * kTraceLength;
    ascan.max.lineFields = {"", "Max Data", "2", "90"};
    ascan.min.lineFields = {"", "Min Data", "2", "90"};
    for (int i = 0; i < kTraceLength; ++i) {
        double amplitude = 95.0 * std::exp(-i / 4.0);  // initial pulse ringing down
        for (int echo = 1; echo <= 4; ++echo) {
            const double centre = echo * echoSpacing;
            amplitude +=
                80.0 * std::pow(0.55, echo - 1) * std::exp(-std::pow((i - centre) / 1.8, 2));
        }
        const double noise = random.between(0.0, 3.0);
        const double high = amplitude * (0.6 + 0.4 * std::fabs(std::cos(i * 0.8))) + noise;
        const double low = amplitude * (0.5 + 0.4 * std::fabs(std::sin(i * 0.8))) + noise;
        ascan.max.values.push_back(std::to_string(std::lround(std::min(100.0, high))));
        ascan.min.values.push_back(std::to_string(-std::lround(std::min(100.0, low))));
    }
    // Markers and blanking ends stand in samples (0 .. 180), on the back-wall echoes.
    const auto sample = [](double position) {
        return std::to_string(std::clamp(std::lround(position), 0L, long(kTraceLength)));
    };
    ascan.settings = {
        "DELAY=0.000",
        "RANGE=" + fixedDecimals(range, 3),
        "MARKER1=" + sample(echoSpacing),
        "MARKER2=" + sample(2 * echoSpacing),
        "MARKER3=" + sample(3 * echoSpacing),
        "MB_BLANK=" + sample(echoSpacing / 4),
        "IF_BLANK=" + sample(echoSpacing / 3),
        "C3_BLANK=" + sample(2.5 * echoSpacing),
        "ECHO_WINDOW=" + sample(std::min(double(kTraceLength - 1), 3.5 * echoSpacing))};
    return ascan;
}

void setSetup(const DataFile& file, Reading& row, int setup) {
    row.fields[*file.readingColumn("Setup #")] = std::to_string(setup);
    row.fields[*file.readingColumn("Meas Mode")] = file.setups[setup - 1].back();
}

DataFile linearFile(const std::string& name, int readings, bool ascans, unsigned seed,
                    double missingChance) {
    Header header = commonHeader(name, "LINEAR", ascans);
    header.columns.push_back({"Start Row", "1"});
    header.columns.push_back({"End Row", std::to_string(readings)});
    addDates(header);
    DataFile file = startFile("40-102", header);
    Random random(seed);
    for (int i = 0; i < readings; ++i) {
        const double thickness = wallAt(i * 0.05, random);
        const bool missing = !ascans && random.chance(missingChance);
        Reading row = reading(zeroPadded(i + 1, 4), thickness, missing, random, "OFF", ascans);
        if (ascans) {
            row.ascan = waveform(thickness, random);
            // Each measuring mode in turn, so the traces show every kind of marker.
            setSetup(file, row, 1 + i % int(file.setups.size()));
        }
        file.readings.push_back(std::move(row));
    }
    finishCounts(file);
    return file;
}

}  // namespace

DataFile linearWithAscans(const std::string& name, int readings, unsigned seed) {
    return linearFile(name, readings, true, seed, 0.0);
}

DataFile grid2D(const std::string& name, int columns, int rows, const std::string& firstInc,
                unsigned seed) {
    Header header = commonHeader(name, "2D", false);
    header.columns.push_back({"Start Col", "A"});
    header.columns.push_back({"Start Row", "1"});
    header.columns.push_back({"End Col", letterCodeText(columns)});
    header.columns.push_back({"End Row", std::to_string(rows)});
    header.columns.push_back({"1st Inc", firstInc});
    addDates(header);
    DataFile file = startFile("40-101", header);
    Random random(seed);
    const bool rowByRow = firstInc == "COL";
    for (int outer = 0; outer < (rowByRow ? rows : columns); ++outer) {
        for (int inner = 0; inner < (rowByRow ? columns : rows); ++inner) {
            const int column = rowByRow ? inner : outer;
            const int row = rowByRow ? outer : inner;
            const double thickness = wallAt(column * 0.9 + row * 0.3, random);
            file.readings.push_back(reading(letterCodeText(column + 1) + zeroPadded(row + 1, 4),
                                            thickness, random.chance(0.04), random));
        }
    }
    finishCounts(file);
    return file;
}

DataFile tank3D(const std::string& name, unsigned seed) {
    Header header = commonHeader(name, "3D", false);
    for (const auto& [column, value] :
         std::vector<std::pair<std::string, std::string>>{{"Start Col", "A"},
                                                          {"Start Row", "1"},
                                                          {"Start Elev", "1"},
                                                          {"End Col", "D"},
                                                          {"End Row", "5"},
                                                          {"End Elev", "3"},
                                                          {"1st Inc", "ROW"},
                                                          {"2nd Inc", "COL"}}) {
        header.columns.push_back({column, value});
    }
    addDates(header);
    DataFile file = startFile("40-104", header);
    Random random(seed);
    for (int elev = 1; elev <= 3; ++elev) {
        for (int column = 1; column <= 4; ++column) {
            for (int row = 1; row <= 5; ++row) {
                const std::string id =
                    "E" + zeroPadded(elev, 2) + letterCodeText(column) + zeroPadded(row, 3);
                file.readings.push_back(reading(id, wallAt(elev + column * 0.5 + row * 0.2, random),
                                                random.chance(0.03), random));
            }
        }
    }
    finishCounts(file);
    return file;
}

DataFile boiler(const std::string& name, unsigned seed) {
    Header header = commonHeader(name, "BOILER", false);
    for (const auto& [column, value] :
         std::vector<std::pair<std::string, std::string>>{{"Start Tube", "1"},
                                                          {"Start Test Pt", "L"},
                                                          {"Start Elev", "1"},
                                                          {"End Tube", "12"},
                                                          {"End Test Pt", "R"},
                                                          {"End Elev", "4"},
                                                          {"Test Pts", "LCR"},
                                                          {"1st Inc", "TEST PTS"},
                                                          {"2nd Inc", "TUBE"}}) {
        header.columns.push_back({column, value});
    }
    addDates(header);
    DataFile file = startFile("40-103", header);
    Random random(seed);
    for (int elev = 1; elev <= 4; ++elev) {
        for (int tube = 1; tube <= 12; ++tube) {
            for (const char* point : {"L", "C", "R"}) {
                const std::string id =
                    "T" + zeroPadded(tube, 3) + "E" + zeroPadded(elev, 2) + point;
                file.readings.push_back(reading(id, wallAt(tube * 0.4 + elev, random) * 0.8,
                                                random.chance(0.02), random));
            }
        }
    }
    finishCounts(file);
    return file;
}

DataFile bscanRuns(const std::string& name, unsigned seed) {
    Header header = commonHeader(name, "LINEAR", true);
    header.columns.push_back({"Start Row", "1"});
    header.columns.push_back({"End Row", "120"});
    addDates(header);
    DataFile file = startFile("40-102", header);
    Random random(seed);
    int id = 1;
    const int runLengths[] = {40, 30, 35};
    for (int run = 0; run < 3; ++run) {
        const int length = runLengths[run];
        const int minAt = 5 + random.below(length - 10);
        for (int i = 0; i < length; ++i) {
            const double thickness = wallAt(id * 0.15, random) - (i == minAt ? 0.06 : 0.0);
            std::string bscan = i == 0 ? "START" : i == length - 1 ? "STOP" : "BODY";
            if (i == minAt) {
                bscan = "BODY MIN";
            } else if (i == 1) {
                bscan = "BODY ZERO";
            }
            if (run == 2 && i == 0) {
                bscan = "START MIN";
            }
            if (run == 1 && i == length - 1) {
                bscan = "STOP MIN";
            }
            const bool ascan = run == 0 && i % 10 == 5;
            Reading row = reading(zeroPadded(id++, 4), thickness, false, random, bscan, ascan);
            row.fields[9] = "BSCAN";
            if (ascan) {
                row.ascan = waveform(thickness, random);
            }
            file.readings.push_back(std::move(row));
        }
        for (int i = 0; i < 5; ++i) {
            const double thickness = wallAt(id * 0.15, random);
            file.readings.push_back(reading(zeroPadded(id++, 4), thickness, false, random));
        }
    }
    finishCounts(file);
    return file;
}

DataFile largestThicknessOnly(const std::string& name, unsigned seed) {
    return linearFile(name, 5000, false, seed, 0.02);
}

DataFile largestWithAscans(const std::string& name, unsigned seed) {
    return linearWithAscans(name, 160, seed);
}

// The tank wall's grid survey: columns A to P, rows 1 to 12.
constexpr int kTankColumns = 16;
constexpr int kTankRows = 12;

std::string mergeGrid(int firstColumn, int columns, int rows, unsigned seed) {
    Random random(seed);
    std::string out = ",";
    for (int c = 0; c < columns; ++c) {
        out += std::to_string(firstColumn + c) + ",";
    }
    out += "\r\n";
    for (int r = 0; r < rows; ++r) {
        out += "R" + zeroPadded(r + 1, 3) + ",";
        for (int c = 0; c < columns; ++c) {
            out += thicknessText(wallAt((firstColumn + c) * 0.3 + r * 0.2, random)) + ",";
        }
        out += "\r\n";
    }
    return out;
}

DataFile tankSurvey(const std::string& name, int age, const std::string& lastSaved, unsigned seed) {
    Header header = commonHeader(name, "2D", false);
    header.columns.push_back({"Start Col", "A"});
    header.columns.push_back({"Start Row", "1"});
    header.columns.push_back({"End Col", letterCodeText(kTankColumns)});
    header.columns.push_back({"End Row", std::to_string(kTankRows)});
    header.columns.push_back({"1st Inc", "ROW"});
    addDates(header);
    DataFile file = startFile("40-102", header);
    file.setHeaderValue("Created", lastSaved);
    file.setHeaderValue("Last Saved", lastSaved);
    Random random(seed);
    for (int column = 0; column < kTankColumns; ++column) {
        for (int row = 0; row < kTankRows; ++row) {
            // General loss everywhere, and a pit that grows near the floor at column K.
            const double pit =
                std::exp(-(std::pow(column - 10.0, 2) / 6.0 + std::pow(row - 8.5, 2) / 4.0));
            const double rate = 0.0025 + 0.0125 * pit + 0.0004 * std::sin(column * 0.8 + row);
            const double thickness = 0.300 - age * rate + random.between(-0.002, 0.002);
            file.readings.push_back(reading(letterCodeText(column + 1) + zeroPadded(row + 1, 4),
                                            thickness, random.chance(0.03), random));
        }
    }
    finishCounts(file);
    return file;
}

std::vector<SampleFile> sampleSet() {
    std::vector<SampleFile> files;
    const auto add = [&](const DataFile& file) {
        files.push_back({file.headerValue("Filename"), dataFileBytes(file)});
    };
    add(linearWithAscans("PIPE-A.CSV", 24, 11));
    add(grid2D("ELBOW-R.CSV", 8, 12, "ROW", 12));
    const DataFile byColumn = grid2D("ELBOW-C.CSV", 8, 12, "COL", 13);
    add(byColumn);
    add(tank3D("TANK3D.CSV", 14));
    add(boiler("BOILER1.CSV", 15));
    add(bscanRuns("BSCAN1.CSV", 16));
    add(largestThicknessOnly("BIG5000.CSV", 17));
    add(largestWithAscans("BIG160A.CSV", 18));
    DataFile older = linearFile("OLDPIPE.CSV", 30, false, 19, 0.1);
    older.hasProductLine = false;
    add(older);
    files.push_back({"ELBOW-C.DAT", textReportBytes(byColumn).value_or("")});
    files.push_back({"MERGE-1.CSV", mergeGrid(1, 6, 20, 20)});
    files.push_back({"MERGE-2.CSV", mergeGrid(7, 6, 20, 21)});
    files.push_back({"MERGE-3.CSV", mergeGrid(13, 6, 20, 22)});
    add(tankSurvey("TANK-N.CSV", 10, "11/19/2026 03:17 PM", 23));
    add(tankSurvey("TANK-N-24.CSV", 8, "11/14/2024 09:40 AM", 24));
    add(tankSurvey("TANK-N-22.CSV", 6, "11/08/2022 10:05 AM", 25));
    return files;
}

bool writeSampleSet(const std::string& folder, std::string* error) {
    makeFolderChain(folder);
    for (const auto& file : sampleSet()) {
        if (!writeFileSafely(joinPath(folder, file.name), file.bytes, error)) {
            return false;
        }
    }
    return true;
}

}  // namespace korvel::samples
