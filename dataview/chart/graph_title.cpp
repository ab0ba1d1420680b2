#include "dataview/chart/graph_title.h"

#include <cstdlib>

#include "datafile/number_text.h"
#include "dataview/readings/bscan_book.h"

namespace korvel {

std::string graphTitle(const TitleParts& parts) {
    std::string title = parts.displayName + " - ID # " + parts.id;
    if (!parts.thickness.empty()) {
        title +=
            " THK " + parts.thickness + ' ' + parts.units + ' ' + (parts.minimum ? "(MIN)" : "");
    }
    return title;
}

std::string distanceFromZero(const BScanBook& book, int row, double resolution) {
    const BScanSegment* segment = book.segmentOf(row);
    if (segment == nullptr || segment->bodyZero < 1) {
        return {};
    }
    const int zero = segment->bodyZero;
    const double distance = std::abs(row - zero) * resolution;
    return std::string(row >= zero ? "DT +" : "DT -") + fixedDecimals(distance, 3);
}

std::string withDistance(const std::string& title, const std::string& distance) {
    const bool apart = distance.empty() || title.empty() || title.back() == ' ';
    return title + (apart ? "" : " ") + distance;
}

}  // namespace korvel
