#include "dataview/readings/bscan_book.h"

#include "app/text_rules.h"

namespace korvel {

bool isSegmentStart(std::string_view bscan) {
    return bscan == "START" || bscan == "START MIN";
}

bool isSegmentStop(std::string_view bscan) {
    return bscan == "STOP" || bscan == "STOP MIN";
}

bool isBScanRow(std::string_view bscan) {
    return isSegmentStart(bscan) || isSegmentStop(bscan) || bscan == "BODY" || bscan == "BODY MIN";
}

bool isBScanOrZeroRow(std::string_view bscan) {
    return isBScanRow(bscan) || bscan == "BODY ZERO";
}

bool isMinRow(std::string_view bscan) {
    return contains(bscan, "MIN");
}

const BScanSegment* BScanBook::segmentOf(int row) const {
    for (const BScanSegment& segment : segments) {
        if (segment.holds(row)) {
            return &segment;
        }
    }
    return nullptr;
}

namespace {

class Booking {
  public:
    void take(int row, std::string_view bscan) {
        if (isBScanRow(bscan)) {
            book_.hasBScan = true;
        }
        if (isSegmentStart(bscan)) {
            open(row);
        }
        if (isMinRow(bscan)) {
            noteMin(row);
        }
        if (isSegmentStop(bscan)) {
            close(row);
        } else if (bscan == "BODY ZERO" && open_) {
            book_.segments.back().bodyZero = row;
        }
    }

    BScanBook finish(int lastRow) {
        if (open_) {
            close(lastRow);
        }
        return std::move(book_);
    }

  private:
    void noteMin(int row) {
        book_.hasMinRow = true;
        if (book_.minTarget == -1) {
            book_.minTarget = row;
        }
        if (open_ && book_.segments.back().firstMin == -1) {
            book_.segments.back().firstMin = row;
        }
    }

    // A second START before a STOP starts the open segment again; a STOP without a START
    // closes nothing.
    void open(int row) {
        if (!open_) {
            if (book_.segments.size() >= kMaxBScanSegments) {
                return;
            }
            book_.segments.emplace_back();
            open_ = true;
        }
        book_.segments.back() = BScanSegment{};
        book_.segments.back().start = row;
    }

    void close(int row) {
        if (open_) {
            book_.segments.back().stop = row;
            open_ = false;
        }
    }

    BScanBook book_;
    bool open_ = false;
};

}  // namespace

BScanBook bookBScan(const DataFile& file) {
    Booking booking;
    const int count = static_cast<int>(file.readings.size());
    for (int row = 0; row < count; ++row) {
        booking.take(row, file.readingField(file.readings[row], "B Scan"));
    }
    return booking.finish(count - 1);
}

}  // namespace korvel
