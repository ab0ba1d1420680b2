#pragma once
// The B-scan bookkeeping of a data file: which readings form cross-section segments (a "START"
// row to the next "STOP" row), each segment's first MIN row and its zero row, and where the MIN
// button jumps first.

#include <string_view>
#include <vector>

#include "datafile/data_file.h"

namespace korvel {

struct BScanSegment {
    int start = 0;
    int stop = 0;
    int firstMin = -1;  // -1: no MIN row
    int bodyZero = 0;   // 0: no "BODY ZERO" row

    bool holds(int row) const { return start <= row && row <= stop; }
};

struct BScanBook {
    bool hasBScan = false;  // some reading is a B-scan row
    bool hasMinRow = false;
    int minTarget = -1;                  // the first MIN row of the file
    std::vector<BScanSegment> segments;  // at most kMaxBScanSegments, in file order

    // The first segment that holds the row, or null.
    const BScanSegment* segmentOf(int row) const;
};

// "START", "START MIN", "BODY", "BODY MIN", "STOP" or "STOP MIN".
bool isBScanRow(std::string_view bscan);
// The same or "BODY ZERO".
bool isBScanOrZeroRow(std::string_view bscan);
bool isSegmentStart(std::string_view bscan);
bool isSegmentStop(std::string_view bscan);
bool isMinRow(std::string_view bscan);

// Books the readings in file order (row i is readings[i]). A segment still open at the end of
// the file runs to the last reading; segments beyond the capacity are not booked.
BScanBook bookBScan(const DataFile& file);

}  // namespace korvel
